// The tripod's analysis as the graph programs find it: the Exe folder of an installation
// as the current folder, the tripod (three bars) beside it in Dat, prepared, loaded and
// solved in cases 0 and 2 by the real Prepare, Forces and Solve.
#pragma once

#include "folder_storage.h"
#include "runs.h"

namespace ombrix {

inline const char* const tripodGeometryFile =
    "Tripod\r\n4 3\r\n1 0 0 0 1 1 1\r\n2 2 0 0 1 1 1\r\n3 0 2 0 1 1 1\r\n"
    "4 0.7 0.6 1.5 0 0 0\r\n1 1 4 B 1e6 0\r\n2 2 4 B 1e6 0\r\n3 3 4 B 1e6 0\r\n";

class SolvedTripod : public InstallationTest {
  protected:
    void SetUp() override { solveAnew(); }

    void solveAnew() {
        makeInstallation();
        storage_.replace("../Dat/tripod.dat", tripodGeometryFile);
        storage_.replace("../Dat/tripod.inc", "Loads\r\n2\r\n1\r\n0 1 0\r\n4 0 0 -10\r\n1 1 2\r\n"
                                              "4 5 0 0\r\n2 1 0\r\n4 0 5 0\r\n");
        ASSERT_EQ(prepareAnalysis(storage_,
                                  {"../Dat/tripod.dat", "../Dat/tripod.rez", "Short", "English"})
                      .exitCode,
                  0);
        ASSERT_EQ(prepareLoads(storage_, "../Dat/tripod.inc").exitCode, 0);
        ASSERT_EQ(solveLoadCases(storage_, {"0", "2"}).exitCode, 0);
    }
};

// The first digit of the results file's inputs changed: results of other load cases.
inline void changeInputs(Storage& storage, const std::string& path) {
    std::string text = storage.read(path).value();
    const std::size_t digits = text.find("inputs ") + 7;
    text[digits] = text[digits] == '0' ? '1' : '0';
    storage.replace(path, text);
}

} // namespace ombrix
