// A solved case written as CSV, DXF and VTK: the spreadsheet's numbers against the lengths
// worked out here, and the export asked on PlotterD's command line, refused as the graph
// programs refuse results that no longer match the analysis. (The DXF and VTK files are
// read by the CAD and mesh readers of read_exports.py.)

#include "export_command.h"

#include "solved_tripod.h"
#include "tripod_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>

namespace ombrix {
namespace {

// The tripod's case 2: node 4 moved, the cable slack.
const CaseResults solved{
    2,
    true,
    {},
    {},
    {{}, {}, {}, {-5.7e-05, -5.4e-05, 0.00017}, {}},
    {58.8, -69.2, 62.0, 0},
    {{-23.3, -20.0, -50.1}, {43.4, -20.0, -50.1}, {-20.0, 40.0, -42.9}, {}, {0, 0, 243.1}}};

std::vector<std::string> cellsOf(const std::string& line) {
    std::vector<std::string> cells;
    std::istringstream stream(line);
    for (std::string cell; std::getline(stream, cell, ',');)
        cells.push_back(cell);
    return cells;
}

// The CSV's lines, each split into its cells, without the CR LF.
std::vector<std::vector<std::string>> csvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    for (std::size_t start = 0, end = 0; start < text.size(); start = end + 2) {
        end = text.find("\r\n", start);
        rows.push_back(cellsOf(text.substr(start, end - start)));
    }
    return rows;
}

TEST(CsvExport, NodesMembersAndReactionsUnderTheirColumnsReadingBackExactly) {
    const auto rows = csvRows(exportText(ExportFormat::Csv, tripod, solved));
    ASSERT_EQ(rows.size(), 2 + 5 + 1 + 2 + 4 + 1 + 2 + 4u);
    EXPECT_EQ(rows[1], (std::vector<std::string>{"node", "x", "y", "z", "ux", "uy", "uz"}));
    EXPECT_EQ(rows[5], (std::vector<std::string>{"4", "0.7", "0.6", "1.5", "-5.7e-05", "-5.4e-05",
                                                 "0.00017"}));
    const double top = 4.0 - (1.5 + 0.00017); // node 5 above the displaced node 4
    struct Member {
        std::vector<std::string> ends;
        double stressed;
        double unstressed; // L EA / (EA + N0), the engineering law's L0
    };
    const Member members[] = {
        {{"1", "1", "4", "bar", "58.8"},
         std::hypot(0.7 - 5.7e-05, 0.6 - 5.4e-05, 1.5 + 0.00017),
         std::hypot(0.7, 0.6, 1.5)},
        {{"2", "2", "4", "bar", "-69.2"},
         std::hypot(2 - (0.7 - 5.7e-05), 0.6 - 5.4e-05, 1.5 + 0.00017),
         std::hypot(1.3, 0.6, 1.5)},
        {{"3", "3", "4", "bar", "62"},
         std::hypot(0.7 - 5.7e-05, 2 - (0.6 - 5.4e-05), 1.5 + 0.00017),
         std::hypot(0.7, 1.4, 1.5)},
        {{"4", "4", "5", "cable", "0"}, std::hypot(5.7e-05, 5.4e-05, top), 2.5 * 1e5 / (1e5 + 250)},
    };
    for (std::size_t m = 0; m < std::size(members); ++m) {
        const std::vector<std::string>& row = rows[10 + m];
        ASSERT_EQ(row.size(), 8u) << m + 1;
        EXPECT_EQ(std::vector<std::string>(row.begin(), row.begin() + 5), members[m].ends);
        EXPECT_DOUBLE_EQ(std::stod(row[5]), members[m].stressed) << m + 1;
        EXPECT_DOUBLE_EQ(std::stod(row[6]), members[m].unstressed) << m + 1;
        EXPECT_EQ(row[7], m == 3 ? "yes" : "no") << m + 1;
    }
    EXPECT_EQ(rows[16], (std::vector<std::string>{"node", "Rx", "Ry", "Rz"}));
    EXPECT_EQ(rows[20], (std::vector<std::string>{"5", "0", "0", "243.1"}))
        << "the held nodes only: 1, 2, 3 and 5";
}

struct Arguments {
    std::vector<std::string> line;
    bool usage; // refused, saying how it is used
    ExportFormat format;
    int loadCase;
};

TEST(ExportCommand, TakesTheFormatGeometryCaseAndFileOrSaysHowItIsUsed) {
    const Arguments rows[] = {
        {{"--export", "dxf", "a b.dat", "3", "out.dxf"}, false, ExportFormat::Dxf, 3},
        {{"--export", "VTK", "a.dat", "0", "out"}, false, ExportFormat::Vtk, 0},
        {{"--export", "csv", "a.dat", "99", "o.csv"}, false, ExportFormat::Csv, 99},
        {{"--export", "pdf", "a.dat", "1", "o.pdf"}, true, {}, 0},
        {{"--export", "csv", "a.dat", "100", "o.csv"}, true, {}, 0},
        {{"--export", "csv", "a.dat", "1x", "o.csv"}, true, {}, 0},
        {{"--export", "csv", "a.dat", "-1", "o.csv"}, true, {}, 0},
        {{"--export", "csv", "a.dat", "1"}, true, {}, 0},
    };
    for (const Arguments& row : rows) {
        if (row.usage) {
            EXPECT_THROW(exportCommand(row.line), FileRefused) << row.line[1] << row.line[3];
            continue;
        }
        const std::optional<ExportCommand> command = exportCommand(row.line);
        ASSERT_TRUE(command);
        EXPECT_EQ(command->format, row.format);
        EXPECT_EQ(command->loadCase, row.loadCase);
        EXPECT_EQ(command->geometryFile, row.line[2]);
        EXPECT_EQ(command->output, row.line[4]);
    }
    EXPECT_FALSE(exportCommand({"\t"})) << "the shell's start: the window";
    EXPECT_FALSE(exportCommand({}));
}

// The tripod's analysis, and the refusal of an export of it that should fail.
class TripodExports : public SolvedTripod {
  protected:
    std::string refusal(const std::string& geometry, int loadCase) {
        try {
            runExport(storage_, {ExportFormat::Csv, geometry, loadCase, "out.csv"});
        } catch (const FileRefused& refused) {
            EXPECT_FALSE(storage_.read("out.csv")) << "nothing written";
            return refused.what();
        }
        return {};
    }
};

TEST_F(TripodExports, TheCommandWritesTheCasesDisplacementsAsTheResultsFileHoldsThem) {
    runExport(storage_, {ExportFormat::Csv, "../Dat/tripod.dat", 2, "out.csv"});
    const std::string results = storage_.read("../Dat/tripod.dat.work/2.res").value();
    const std::size_t at = results.find("node 4 ") + 7;
    const std::string moved = results.substr(at, results.find("\r\n", at) - at);
    const auto rows = csvRows(storage_.read("out.csv").value());
    EXPECT_EQ(rows[5][4] + " " + rows[5][5] + " " + rows[5][6], moved);
}

struct Refusal {
    const char* what;
    std::function<void(Storage&)> change;
    const char* geometry;
    int loadCase;
    const char* message; // part of it
};

TEST_F(TripodExports, TheCommandRefusesResultsThatNoLongerMatchTheAnalysis) {
    const Refusal rows[] = {
        {"a case not solved", [](Storage&) {}, "../Dat/tripod.dat", 1,
         "load case 1 of this analysis is not solved: run ITER"},
        {"the geometry changed", [](Storage& s) { s.append("../Dat/tripod.dat", " "); },
         "../Dat/tripod.dat", 2, "tripod.dat has changed since INPUT read it: run INPUT again"},
        {"a geometry never prepared",
         [](Storage& s) { s.replace("../Dat/other.dat", tripodGeometryFile); }, "../Dat/other.dat",
         2, "other.dat.work/Comomb.dat: no analysis is prepared: run INPUT first"},
        {"a working folder copied from another geometry's",
         [](Storage& s) {
             s.replace("../Dat/other.dat", tripodGeometryFile);
             s.makeFolder("../Dat/other.dat.work");
             s.replace("../Dat/other.dat.work/Comomb.dat",
                       s.read("../Dat/tripod.dat.work/Comomb.dat").value());
         },
         "../Dat/other.dat", 2, "other.dat is not prepared"},
        {"results of loads prepared before",
         [](Storage& s) { changeInputs(s, "../Dat/tripod.dat.work/2.res"); }, "../Dat/tripod.dat",
         2, "prepared before the present ones: run ITER again"},
    };
    for (const Refusal& row : rows) {
        solveAnew();
        row.change(storage_);
        EXPECT_NE(refusal(row.geometry, row.loadCase).find(row.message), std::string::npos)
            << row.what << ": " << refusal(row.geometry, row.loadCase);
    }
}

TEST_F(TripodExports, NeverReplacesAFileOfTheAnalysis) {
    solveAnew();
    for (const std::string own :
         {"../Dat/tripod.dat", "../DAT/Tripod.DAT", "../Dat/tripod.rez",
          "../Dat/tripod.dat.work/2.res", "../Dat/tripod.dat.work/new.csv"}) {
        const std::optional<std::string> before = storage_.read(own);
        try {
            runExport(storage_, {ExportFormat::Csv, "../Dat/tripod.dat", 2, own});
            ADD_FAILURE() << own << " written";
        } catch (const FileRefused& refused) {
            EXPECT_NE(std::string(refused.what()).find("name another file"), std::string::npos);
        }
        EXPECT_EQ(storage_.read(own), before) << own;
    }
}

} // namespace
} // namespace ombrix
