// What the shell and the suite's programs agree on: how a program takes its one file name
// from the command line, and the records of what each step was made from.

#include "handoff/handoff.h"
#include "handoff/records.h"

#include <gtest/gtest.h>

namespace {

TEST(Handoff, AFileNameIsTakenWholeQuotedOrNot) {
    const struct {
        const char* commandLine;
        const char* name;
    } cases[] = {
        {"\"C:\\Exe\\Forces 20.exe\" \"C:\\My Jobs\\a b.inc\"", "C:\\My Jobs\\a b.inc"},
        {"\"C:\\Exe\\Forces 20.exe\" C:\\My Jobs\\a b.inc ", "C:\\My Jobs\\a b.inc"},
        {" C:\\My Jobs\\Cable Net.rez", "C:\\My Jobs\\Cable Net.rez"},
        {" \"C:\\My Jobs\\Cable Net.dat\"", "C:\\My Jobs\\Cable Net.dat"},
        {"Forces.exe  bridge.inc", "bridge.inc"},
        {"\"C:\\Exe\\Forces.exe\"", ""},
        {" \t", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(handoff::fileNameArgument(c.commandLine), c.name) << c.commandLine;
}

TEST(Handoff, ARecordReadsBackAndADamagedOneIsNone) {
    handoff::Record record;
    record.add("geometry", handoff::stampOf("C:\\My Jobs\\a b.dat", "Bridge\r\n9 15\r\n"));
    record.add("case 12", {"C:\\Work\\12.unf", 0, 0xfedcba9876543210ULL});
    const std::optional<handoff::Record> read = handoff::readRecord(handoff::writeRecord(record));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read->find("geometry"), *record.find("geometry"));
    EXPECT_EQ(read->find("case 12")->digest, 0xfedcba9876543210ULL);
    EXPECT_EQ(read->find("case 1"), nullptr);
    for (const char* damaged : {"geometry\t12\r\n", "geometry\tx\t3\tC:\\a\r\n", "\tab\t3\tC:\\a"})
        EXPECT_FALSE(handoff::readRecord(damaged)) << damaged;
}

} // namespace
