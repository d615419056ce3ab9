#include "harness.h"
#include "ids.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using namespace e2e;

namespace {

// How often a test repeats: the number in the environment variable (`make test-long`
// asks for many), or the few that `make test` affords.
int repetitions(const char* variable, int fewer) {
    const char* value = std::getenv(variable);
    return value ? std::max(1, std::atoi(value)) : fewer;
}

std::vector<std::string> arguments(const std::string& commandLine) {
    const std::wstring wide = pathOf(commandLine).wstring();
    int count = 0;
    LPWSTR* parsed = CommandLineToArgvW(wide.c_str(), &count);
    std::vector<std::string> result;
    for (int i = 0; i < count; ++i)
        result.push_back(utf8Text(std::filesystem::path(parsed[i])));
    LocalFree(parsed);
    return result;
}

std::string lines(const std::vector<std::string>& names) {
    std::string contents;
    for (const std::string& name : names)
        contents += name + "\r\n";
    return contents;
}

// The shell's temporary files beside its own, left by a shell that was ended.
std::vector<std::string> leftovers(const Installation& installation) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(installation.exeDir()))
        if (entry.path().extension() == ".new")
            found.push_back(utf8Text(entry.path().filename()));
    return found;
}

} // namespace

// Killed at random moments while it rewrites "Sound.dat" (the sound box clicked over and
// over) or "recent.dat" (at exit), the shell leaves each file with its old or its new
// bytes, and the next start removes what a killed write left beside them.
TEST(Reliability, AKillDuringAWriteLeavesEveryFileWholeAndNoLeftovers) {
    const int kills = repetitions("OMBRIX_KILLS", 6);
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> delay(0, 40);
    Installation installation;
    const std::string analyses[] = {utf8Text(installation.root() / "Dat" / "Bridge.dat"),
                                    utf8Text(installation.root() / "Dat" / "Cable Net.dat")};
    for (int kill = 0; kill < kills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        Shell shell(installation);
        HWND panel = shell.openPanel();
        ASSERT_TRUE(panel);
        const std::string oldRecent = installation.read("recent.dat").value_or("");
        EXPECT_EQ(leftovers(installation), std::vector<std::string>{});
        const int pause = delay(random);
        if (kill % 2 == 0) {
            for (int click = 0; click < 40; ++click)
                e2e::click(control(panel, IDC_SOUND_BOX));
        } else {
            // The other analysis goes to the top of the recent list, written at exit.
            typeText(control(panel, IDC_GEOMETRY_FILE), analyses[kill % 4 / 2]);
            e2e::click(control(panel, IDC_SELECT_RECENT));
            HWND dialog = shell.waitForWindow("Recent Dialog");
            ASSERT_TRUE(dialog);
            answer(dialog, IDCANCEL);
            e2e::click(control(panel, IDC_EXIT));
        }
        Sleep(static_cast<DWORD>(pause));
        shell.kill();
        const std::optional<std::string> sound = installation.read("Sound.dat");
        EXPECT_TRUE(sound == " T\r\n" || sound == " F\r\n") << sound.value_or("(none)");
        const std::string newRecent = installation.read("recent.dat").value_or("");
        const std::string top = analyses[kill % 4 / 2];
        const std::string other = analyses[1 - kill % 4 / 2];
        EXPECT_TRUE(newRecent == oldRecent || newRecent == lines({top}) ||
                    newRecent == lines({top, other}))
            << newRecent;
    }
    Shell shell(installation);
    ASSERT_TRUE(shell.openPanel());
    EXPECT_EQ(leftovers(installation), std::vector<std::string>{});
}

// A settings file that another program holds open without sharing cannot be replaced nor
// rewritten: it keeps its bytes, the user is told once, and the setting stays in memory.
TEST(Reliability, ASettingThatCannotBeWrittenIsKeptAndReportedOnce) {
    Installation installation;
    Shell shell(installation);
    HWND panel = shell.openPanel();
    ASSERT_TRUE(panel);
    HANDLE holder = CreateFileW((installation.exeDir() / "Sound.dat").c_str(), GENERIC_READ, 0,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    HWND sound = control(panel, IDC_SOUND_BOX);
    e2e::click(sound);
    HWND box = shell.waitForWindow("OMBRIX Message");
    ASSERT_TRUE(box);
    EXPECT_NE(messageBoxText(box).find("Sound.dat"), std::string::npos);
    answer(box, IDOK);
    e2e::click(sound);
    e2e::click(sound);
    EXPECT_TRUE(waitUntil([&] { return isChecked(sound) && windowText(sound) == "Sound On"; }));
    EXPECT_FALSE(shell.waitForWindow("OMBRIX Message", 1s));
    CloseHandle(holder);
    EXPECT_EQ(installation.read("Sound.dat"), " F\r\n");
    EXPECT_EQ(leftovers(installation), std::vector<std::string>{});
}

// Many programs run and ended by the shell leave its handles where they were; a hundred
// running at once fill its table, the hundred-and-first is refused, and Yes at exit ends
// them all.
TEST(Reliability, ProgramsStartedAndEndedLeakNothingAndTheTableHoldsAHundred) {
    Installation installation;
    Shell shell(installation);
    HWND panel = shell.openPanel();
    ASSERT_TRUE(panel);
    typeText(control(panel, IDC_GEOMETRY_FILE), "..\\Dat\\Bridge.dat");
    HWND status = control(panel, IDC_PROGRAM_STATUS);
    // Under Wine a posted click can be lost while other tests' windows take the
    // foreground; one that started nothing is posted again.
    const auto runInput = [&](std::size_t linesBefore) {
        for (int attempt = 0; attempt < 2 && listCount(status) == linesBefore; ++attempt) {
            e2e::click(control(panel, IDC_INPUT));
            waitUntil([&] { return listCount(status) > linesBefore; }, 5s);
        }
        return waitUntil([&] { return listCount(status) == linesBefore + 2; });
    };
    ASSERT_TRUE(runInput(0));
    const std::size_t handlesBefore = shell.handleCount();
    const int runs = repetitions("OMBRIX_RUNS", 40);
    for (int run = 1; run < runs; ++run)
        ASSERT_TRUE(runInput(2 * static_cast<std::size_t>(run)))
            << "run " << run << "\nstatus: " << testing::PrintToString(listItems(status))
            << "\nrunning: " << testing::PrintToString(shell.runningChildren())
            << "\nmessage: " << messageBoxText(shell.findWindow("OMBRIX Message"));
    EXPECT_LE(shell.handleCount(), handlesBefore + 3);
    EXPECT_GT(handlesBefore, 0u);

    for (int start = 1; start <= 101; ++start)
        e2e::click(control(panel, IDC_DIAGRAMS));
    HWND refusal = shell.waitForWindow("OMBRIX Message", 180s);
    ASSERT_TRUE(refusal);
    EXPECT_NE(messageBoxText(refusal).find("cannot keep track of more"), std::string::npos);
    answer(refusal, IDOK);
    EXPECT_TRUE(waitUntil([&] { return shell.runningChildren().size() == 100; }, 60s));

    e2e::click(control(panel, IDC_EXIT));
    HWND question = shell.waitForWindow("OMBRIX Message");
    ASSERT_TRUE(question);
    EXPECT_EQ(messageBoxText(question),
              "100 Programs Are Still Running!\nWould You Like to Terminate Them?");
    answer(question, IDYES);
    EXPECT_EQ(shell.waitForExit(60s), std::optional<DWORD>(0));
    EXPECT_TRUE(waitUntil([&] { return shell.runningChildren().empty(); }, 60s));
}

// Names with blanks and long folders reach each program as the arguments the launch
// table gives: one per name for the analysis programs, the whole line for the text
// programs, which take it as one name.
using Arguments = PanelTest;

TEST_F(Arguments, ReachTheProgramsWhole) {
    const std::string data =
        utf8Text(installation.root() / "Dat") + "\\" + std::string(70, 'a') + " b c\\";
    std::filesystem::copy(installation.root() / "Dat", pathOf(data));
    installStandIn("C:\\windows\\notepad.exe");
    openPanel();
    typeText(control(panel, IDC_GEOMETRY_FILE), data + "Cable Net.dat");
    const struct {
        int button;
        std::size_t statusLines;           // once it has run
        std::vector<std::string> expected; // the arguments after the program
    } cases[] = {
        {IDC_INPUT, 2, {data + "Cable Net.dat", data + "Cable Net.rez", "Short", "English"}},
        {IDC_INCARC, 4, {data + "Cable Net.inc"}},
        {IDC_PREVIEW, 5, {data + "Cable Net.dat"}},
    };
    HWND status = control(panel, IDC_PROGRAM_STATUS);
    std::size_t started = 0;
    for (const auto& c : cases) {
        e2e::click(control(panel, c.button));
        ++started;
        ASSERT_TRUE(waitUntil([&] {
            return listItems(status).size() == c.statusLines && suiteStarts().size() == started;
        })) << c.button;
        std::vector<std::string> parsed = arguments(suiteStarts().back().commandLine);
        parsed.erase(parsed.begin());
        EXPECT_EQ(parsed, c.expected) << suiteStarts().back().commandLine;
    }
    doubleClickItem(panel, IDC_TEXT_FILE_LIST, 1);
    ASSERT_TRUE(waitUntil([&] { return listItems(status).size() == 6; }));
    ASSERT_TRUE(waitUntil([&] { return suiteStarts().size() == 4; }));
    EXPECT_EQ(suiteStarts().back().commandLine,
              "\"" + utf8Text(windowsFolder()) + "\\Notepad.exe\" " + data + "Cable Net.dat");
    exitShellEndingItsPrograms();
}
