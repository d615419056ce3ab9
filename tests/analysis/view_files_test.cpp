// The analysis as the graph programs take it, made by the real Prepare, Forces and Solve
// on a folder of this machine: the cases solved from the loads as now prepared, and one
// message naming the file (and the line) for each file missing, damaged or of another
// preparation.

#include "solved_tripod.h"
#include "view_files.h"

#include <gtest/gtest.h>

#include <functional>

namespace ombrix {
namespace {

const std::string work = "../Dat/tripod.dat.work/";

TEST_F(SolvedTripod, ListsTheCasesSolvedAndReadsEach) {
    const SolvedAnalysis solved = openSolvedAnalysis(storage_);
    ASSERT_EQ(solved.cases.size(), 2u);
    EXPECT_EQ(solved.cases[0].number, 0);
    EXPECT_EQ(solved.cases[1].number, 2);
    EXPECT_TRUE(solved.cases[1].converged);
    EXPECT_EQ(readCaseResults(storage_, solved, 2).axialForces.size(), 3u);
    EXPECT_EQ(openPreparedAnalysis(storage_).model.heading, "Tripod");
}

void edit(Storage& storage, const std::string& path, const std::string& from,
          const std::string& to) {
    std::string text = storage.read(path).value();
    text.replace(text.find(from), from.size(), to);
    storage.replace(path, text);
}

struct Damage {
    const char* what;
    std::function<void(Storage&)> damage;
    const char* message; // part of it, with the file's name
};

TEST_F(SolvedTripod, AMissingDamagedOrOlderFileIsRefusedNamingItsLine) {
    const Damage rows[] = {
        {"no work_dir.dat", [](Storage& s) { s.remove("work_dir.dat"); },
         "Exe/work_dir.dat: no analysis is prepared: run INPUT first"},
        {"no working folder", [](Storage& s) { s.replace("work_dir.dat", "../Dat/gone.work\r\n"); },
         "gone.work/Comomb.dat: no analysis is prepared: run INPUT first"},
        {"shared parameters cut short",
         [](Storage& s) { s.replace(work + "Comomb.dat", "C:\\tripod.dat\r\n"); },
         "Comomb.dat, line 2: no analysis is prepared: run INPUT first"},
        {"geometry edited after INPUT",
         [](Storage& s) { edit(s, "../Dat/tripod.dat", "1e6", "2e6"); },
         "tripod.dat has changed since INPUT read it: run INPUT again"},
        {"no case solved",
         [](Storage& s) {
             s.remove(work + "0.res");
             s.remove(work + "2.res");
         },
         "tripod.dat.work: no load case of this analysis is solved: run ITER"},
        {"results of loads prepared before", [](Storage& s) { changeInputs(s, work + "2.res"); },
         "2.res, line 3: the results are of load cases prepared before the present ones: run "
         "ITER again"},
        {"results without their inputs",
         [](Storage& s) {
             std::string text = s.read(work + "2.res").value();
             const std::size_t line = text.find("inputs ");
             s.replace(work + "2.res", text.erase(line, text.find('\n', line) + 1 - line));
         },
         "2.res, line 3: the results are of load cases prepared before"},
        {"results of another case",
         [](Storage& s) { s.replace(work + "2.res", s.read(work + "0.res").value()); },
         "2.res, line 1: a line \"case 2\" expected"},
        {"results cut short",
         [](Storage& s) {
             const std::string text = s.read(work + "2.res").value();
             s.replace(work + "2.res", text.substr(0, text.find("member 2")));
         },
         "2.res, line 9: a line \"member 2 N\" expected"},
        {"a force not a number",
         [](Storage& s) {
             std::string text = s.read(work + "2.res").value();
             const std::size_t force = text.find("member 3 ") + 9;
             s.replace(work + "2.res", text.replace(force, text.find('\r', force) - force, "x"));
         },
         "2.res, line 10: \"x\" is not a number"},
        {"no path file", [](Storage& s) { s.remove(work + "2.pth"); },
         "2.pth: the file cannot be read"},
        {"path cut short",
         [](Storage& s) {
             const std::string text = s.read(work + "2.pth").value();
             s.replace(work + "2.pth", text.substr(0, text.find("end ")));
         },
         "2.pth, line 9: a line \"end converged|stopped [at limit point|at bifurcation]\" "
         "expected"},
        {"path of loads prepared before", [](Storage& s) { changeInputs(s, work + "2.pth"); },
         "2.pth, line 2: the results are of load cases prepared before the present ones"},
        {"path of a model with another number of nodes",
         [](Storage& s) { edit(s, work + "2.pth", "nodes 4", "nodes 5"); },
         "2.pth, line 3: a line \"nodes 4\" expected"},
    };
    for (const Damage& row : rows) {
        solveAnew();
        row.damage(storage_);
        try {
            const SolvedAnalysis solved = openSolvedAnalysis(storage_);
            readCaseResults(storage_, solved, 2);
            readCasePath(storage_, solved, 2);
            ADD_FAILURE() << row.what << ": taken";
        } catch (const FileRefused& refused) {
            EXPECT_NE(std::string(refused.what()).find(row.message), std::string::npos)
                << row.what << ": " << refused.what();
        }
    }
}

} // namespace
} // namespace ombrix
