// The installation's sample analyses through Prepare, Forces and Solve: every case converges
// in balance, and matches the closed form or the check that install/Dat/README.txt gives.

#include "applied_loads.h"
#include "closed_forms.h"
#include "folder_storage.h"
#include "geometry.h"
#include "loading.h"
#include "results_file.h"
#include "runs.h"
#include "test_names.h"
#include "von_mises.h"

#include <gtest/gtest.h>

#include <Eigen/Geometry>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <numbers>

namespace ombrix {
namespace {

namespace fs = std::filesystem;

struct SolvedSample {
    Model model;
    std::map<int, CaseResults> results; // by case
    std::string report;                 // the output file
    std::map<int, std::string> paths;   // "<k>.pth", by case
    double force(int caseNumber, int member) const {
        return results.at(caseNumber).axialForces[member - 1];
    }
};

// The load factor of the limit point that the report of the case names, or 0.
double limitPointLoadFactor(const std::string& report, int caseNumber) {
    const std::size_t from = report.find("\r\nLoad case " + std::to_string(caseNumber) + "\r\n");
    const std::size_t end = report.find("\r\nLoad case", from + 1);
    const std::string said = "limit point at load factor ";
    const std::size_t at = report.find(said, from);
    return at < end ? std::stod(report.substr(at + said.size())) : 0;
}

// A map of space that carries the structure onto itself carries each case's displacements
// onto themselves: the node at p moves as the node at T p does, turned back by T.
void expectSymmetric(const SolvedSample& sample, int caseNumber,
                     std::initializer_list<Eigen::Matrix3d> maps, double tolerance) {
    const auto at = [](const Point& p) { return Eigen::Vector3d(p[0], p[1], p[2]); };
    const std::vector<Point>& u = sample.results.at(caseNumber).displacements;
    double largest = 0;
    for (const Point& each : u)
        largest = std::max(largest, at(each).lpNorm<Eigen::Infinity>());
    for (const Eigen::Matrix3d& t : maps)
        for (std::size_t n = 0; n < sample.model.nodes.size(); ++n) {
            const Eigen::Vector3d image = t * at(sample.model.nodes[n].position);
            const auto match = std::ranges::find_if(sample.model.nodes, [&](const Node& node) {
                return (at(node.position) - image).norm() < 1e-3 * (1 + image.norm());
            });
            ASSERT_NE(match, sample.model.nodes.end()) << "no node at the image of " << n + 1;
            const std::size_t m = match - sample.model.nodes.begin();
            EXPECT_LE((at(u[m]) - t * at(u[n])).lpNorm<Eigen::Infinity>(), tolerance * largest)
                << "case " << caseNumber << " nodes " << n + 1 << " and " << m + 1;
        }
}

const Eigen::Matrix3d mirrorX = Eigen::Vector3d(-1, 1, 1).asDiagonal();
const Eigen::Matrix3d mirrorY = Eigen::Vector3d(1, -1, 1).asDiagonal();

Eigen::Matrix3d turnAboutZ(double degrees) {
    return Eigen::AngleAxisd(degrees * std::numbers::pi / 180, Eigen::Vector3d::UnitZ())
        .toRotationMatrix();
}

// A case of the prestress alone: nothing moves, and every member keeps its force, its
// length times its force density.
void expectStill(const SolvedSample& sample, int caseNumber,
                 const std::function<double(int member)>& density) {
    const CaseResults& results = sample.results.at(caseNumber);
    for (std::size_t n = 0; n < results.displacements.size(); ++n)
        for (double u : results.displacements[n])
            EXPECT_LT(std::abs(u), 1e-9) << "node " << n + 1;
    for (int m = 1; m <= static_cast<int>(results.axialForces.size()); ++m)
        EXPECT_LT(relative(sample.force(caseNumber, m),
                           density(m) * lengthOf(sample.model, sample.model.members[m - 1])),
                  1e-8)
            << "member " << m;
}

// The upward reactions of a case, summed.
double upwardReactions(const SolvedSample& sample, int caseNumber) {
    double sum = 0;
    for (const Point& reaction : sample.results.at(caseNumber).reactions)
        sum += reaction[2];
    return sum;
}

// The case with its words turned into forces at the nodes, as Forces turns them, for the
// balance of each node.
LoadCase asNodeLoads(const Model& model, LoadCase loadCase) {
    const std::vector<Point> forces = appliedLoads(model, loadCase).forces;
    loadCase.loads.clear();
    for (std::size_t n = 0; n < forces.size(); ++n)
        loadCase.loads.push_back({static_cast<long long>(n) + 1, forces[n], 0});
    return loadCase;
}

struct Sample {
    const char* name;
    std::function<void(const SolvedSample&)> check;
};

const Sample samples[] = {
    {"Von Mises Truss",
     [](const SolvedSample& s) {
         const double below = root([](double w) { return vonMisesLoad(w) - 3e8; }, 0, 1);
         const double far =
             root([](double w) { return vonMisesLoad(w) - 3.5e8; }, 2 * vonMisesZ, 4 * vonMisesZ);
         EXPECT_EQ(limitPointLoadFactor(s.report, 1), 0);
         EXPECT_LT(relative(-s.results.at(1).displacements[1][2], below), 1e-6);
         EXPECT_LT(relative(limitPointLoadFactor(s.report, 2) * 3.5e8, vonMisesLimit()), 1e-6);
         EXPECT_LT(relative(-s.results.at(2).displacements[1][2], far), 1e-6);
         const std::string& path = s.paths.at(2);
         EXPECT_NE(path.find(" snap-through"), std::string::npos);
         EXPECT_EQ(path.find(" snap-through"), path.rfind(" snap-through")) << "one state only";
     }},
    {"Prestressed Wire",
     [](const SolvedSample& s) {
         EXPECT_LT(relative(-s.results.at(1).displacements[1][2], wireDeflection(100)), 1e-8);
         EXPECT_LT(relative(-s.results.at(2).displacements[1][2], wireDeflection(1000)), 1e-8);
     }},
    {"Hanging Cable",
     [](const SolvedSample& s) {
         const ElasticCable cable(40, 100, 0.1, 30, 1.3e7);
         EXPECT_LT(relative(-s.results.at(1).displacements[20][2], cable.sag), 1e-8);
         EXPECT_LT(relative(-s.results.at(1).reactions[0][0], cable.horizontal), 1e-8);
         for (int m = 1; m <= 40; ++m)
             EXPECT_LT(relative(s.force(1, m), cable.tension[m - 1]), 1e-8) << m;
     }},
    {"Hypar Net",
     [](const SolvedSample& s) {
         expectStill(s, 0, [](int) { return 10 / 2.5; }); // H over the links' spacing
         for (int c : {1, 2})
             expectSymmetric(s, c, {mirrorX, mirrorY}, 1e-9);
         expectSymmetric(s, 3, {mirrorY}, 1e-9);
     }},
    {"Form-Found Saddle",
     [](const SolvedSample& s) {
         // Force densities 2 along x and 1 along y: the form z = 0.02 (1 x^2 - 2 y^2).
         for (const Node& node : s.model.nodes) {
             const auto [x, y, z] = node.position;
             EXPECT_NEAR(z, 0.02 * (x * x - 2 * y * y), 1e-12) << x << " " << y;
         }
         expectStill(s, 0, [&](int m) {
             const Member& member = s.model.members[m - 1];
             const bool alongX = std::abs(s.model.nodes[member.first].position[1] -
                                          s.model.nodes[member.second].position[1]) < 1e-9;
             return alongX ? 2.0 : 1.0;
         });
         expectSymmetric(s, 1, {mirrorX, mirrorY}, 1e-9);
     }},
    {"Dome",
     [](const SolvedSample& s) {
         for (int c : {1, 2}) {
             EXPECT_GT(limitPointLoadFactor(s.report, c), 0) << c;
             expectSymmetric(s, c, {turnAboutZ(60)}, 1e-3);
         }
     }},
    {"Guyed Mast",
     [](const SolvedSample& s) {
         for (int c : {1, 2})
             expectSymmetric(s, c, {mirrorY}, 1e-9);
     }},
    {"Tensegrity Prism",
     [](const SolvedSample& s) {
         // Triangles, struts and vertical cables at force densities q, -sqrt 3 q, sqrt 3 q.
         const double q = 10 / std::numbers::sqrt3;
         expectStill(s, 0, [&](int m) { return m <= 6 ? q : (m <= 9 ? -10 : 10); });
         expectSymmetric(s, 1, {turnAboutZ(120)}, 1e-8);
     }},
    {"Bridge",
     [](const SolvedSample& s) {
         // 120 kN at mid-span: each support takes 60, the end diagonals at 45 degrees.
         EXPECT_LT(relative(s.force(2, 8), -60 * std::numbers::sqrt2), 2e-3);
         EXPECT_LT(relative(s.force(2, 1), 60), 2e-3);
     }},
    {"Cable Net",
     [](const SolvedSample& s) {
         for (int c : {1, 2})
             expectSymmetric(s, c, {mirrorX, mirrorY}, 1e-9);
     }},
    {"Flat Cable Net",
     [](const SolvedSample& s) {
         // The supports carry the weight of the cables' length, the snow on the four middle
         // cells' plan (two spacings square) and, combined, both; warmed, the net stays
         // flat, each cable at EA (l - L0') / L0' with L0' = l EA / (EA + N0) (1 + alpha dT).
         double length = 0;
         for (const Member& member : s.model.members)
             length += lengthOf(s.model, member);
         const double weight = 0.05 * length;
         const double snow = 0.8 * (2 * 2.5) * (2 * 2.5);
         EXPECT_LT(relative(upwardReactions(s, 1), weight), 1e-8);
         EXPECT_LT(relative(upwardReactions(s, 2), snow), 1e-8);
         EXPECT_LT(relative(upwardReactions(s, 4), weight + snow), 1e-8);
         const double warmed = 2.5 * 3000 / (3000 + 10) * (1 + 30 * 1.2e-5);
         expectStill(s, 3, [&](int) { return 3000 * (2.5 - warmed) / warmed / 2.5; });
         for (int c : {1, 2, 4})
             expectSymmetric(s, c, {mirrorX, mirrorY, turnAboutZ(90)}, 1e-9);
     }},
};

class SampleRun : public InstallationTest, public testing::WithParamInterface<Sample> {
  protected:
    void SetUp() override {
        InstallationTest::SetUp();
        for (const char* extension : {".dat", ".inc"})
            fs::copy_file(fs::path(OMBRIX_SAMPLES) / (GetParam().name + std::string(extension)),
                          root_ / "Dat" / (GetParam().name + std::string(extension)));
    }
};

TEST_P(SampleRun, MatchesItsAnswer) {
    const std::string file = std::string("../Dat/") + GetParam().name;
    const std::string work = file + ".dat.work/";
    ASSERT_EQ(
        prepareAnalysis(storage_, {file + ".dat", file + ".rez", "Short", "English"}).exitCode, 0);
    ASSERT_EQ(prepareLoads(storage_, file + ".inc").exitCode, 0);
    const Loading loading = readLoading(storage_.read(file + ".inc").value());
    std::vector<std::string> labels;
    for (const LoadCase& loadCase : loading.cases)
        labels.push_back(std::to_string(loadCase.number));
    ASSERT_EQ(solveLoadCases(storage_, labels).exitCode, 0);

    SolvedSample sample;
    sample.model = readGeometry(storage_.read(file + ".dat").value());
    sample.report = storage_.read(file + ".rez").value();
    for (const LoadCase& loadCase : loading.cases) {
        const std::string k = std::to_string(loadCase.number);
        const CaseResults& results = sample.results[loadCase.number] =
            readResults(storage_.read(work + k + ".res").value(), sample.model);
        sample.paths[loadCase.number] = storage_.read(work + k + ".pth").value();
        EXPECT_TRUE(results.converged) << k;
        const auto size = [](double force) { return std::abs(force); };
        EXPECT_LT(largestImbalance(sample.model, asNodeLoads(sample.model, loadCase), results),
                  1e-8 * size(std::ranges::max(results.axialForces, {}, size)))
            << k;
    }
    GetParam().check(sample);
}

INSTANTIATE_TEST_SUITE_P(Installation, SampleRun, testing::ValuesIn(samples), rowName<Sample>);

} // namespace
} // namespace ombrix
