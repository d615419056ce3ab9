// The member laws and the assembled tangent stiffness against central differences of the
// forces and energies they come from.

#include "geometry.h"
#include "member_law.h"
#include "structure.h"

#include "test_names.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ombrix {
namespace {

struct Law {
    const char* name;
    MemberLaw law;
    double length; // where it is checked
    double force;  // N there, from the formula by hand
};

const Law laws[] = {
    {"engineering bar stretched", {StrainLaw::Engineering, MemberKind::Bar, 1000, 2, 0}, 2.2, 100},
    {"engineering bar shortened", {StrainLaw::Engineering, MemberKind::Bar, 1000, 2, 0}, 1.8, -100},
    {"engineering cable taut", {StrainLaw::Engineering, MemberKind::Cable, 1000, 2, 0}, 2.1, 50},
    {"engineering cable slack", {StrainLaw::Engineering, MemberKind::Cable, 1000, 2, 0}, 1.9, 0},
    {"Green bar with initial force",
     {StrainLaw::Green, MemberKind::Bar, 1000, 2, 40},
     2.2,
     1.1 * (40 + 500 * 0.21)},
    {"Green bar compressed",
     {StrainLaw::Green, MemberKind::Bar, 1000, 2, 40},
     1.6,
     0.8 * (40 - 500 * 0.36)},
    {"Green cable taut below its length",
     {StrainLaw::Green, MemberKind::Cable, 1000, 2, 40},
     1.98,
     0.99 * (40 - 500 * 0.0199)},
    {"Green cable slack", {StrainLaw::Green, MemberKind::Cable, 1000, 2, 40}, 1.8, 0},
};

class MemberLawAt : public testing::TestWithParam<Law> {};

TEST_P(MemberLawAt, GivesItsForceAsTheSlopeOfItsEnergyAndItsStiffnessAsTheSlopeOfItsForce) {
    const Law& row = GetParam();
    const double h = 1e-6;
    // Each law's given length is its reference length, 2.
    const auto at = [&](double length) { return row.law.at(length, length - 2); };
    const AxialResponse here = at(row.length);
    const AxialResponse longer = at(row.length + h);
    const AxialResponse shorter = at(row.length - h);
    EXPECT_NEAR(here.force, row.force, 1e-9 * 1000);
    EXPECT_NEAR(here.force, (longer.energy - shorter.energy) / (2 * h), 1e-6 * 1000);
    EXPECT_NEAR(here.stiffness, (longer.force - shorter.force) / (2 * h), 1e-6 * 1000);
    if (row.force == 0) {
        EXPECT_EQ(here.energy, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Laws, MemberLawAt, testing::ValuesIn(laws), rowName<Law>);

TEST(MemberLaw, TakesTheUnstressedLengthFromTheInitialForceOrAsGiven) {
    const Model model =
        readGeometry("Two members\n3 2\n1 0 0 0 1 1 1\n2 3 4 0 0 0 0\n3 0 4 0 1 1 1\n"
                     "1 1 2 B 1000 250\n2 2 3 C 1000 250 2.5\n");
    EXPECT_DOUBLE_EQ(MemberLaw::of(model, model.members[0]).unstressedLength(), 5 * 1000 / 1250.0);
    EXPECT_DOUBLE_EQ(MemberLaw::of(model, model.members[0]).at(5, 0).force, 250);
    EXPECT_DOUBLE_EQ(MemberLaw::of(model, model.members[1]).unstressedLength(), 2.5);
}

// The tangent of a displaced 3-D structure of bars and cables, taut and slack, under both
// laws, column by column against the change of the members' end forces.
TEST(Structure, TangentIsTheSlopeOfTheEndForces) {
    for (const char* law : {"E", "G"}) {
        const Model model = readGeometry(std::string("Tripod\n5 6 ") + law +
                                         "\n1 0 0 0 1 1 1\n2 2 0 0 1 1 1\n3 0 2 0 1 1 1\n"
                                         "4 0.7 0.6 1.5 0 0 0\n5 1.2 0.9 2.1 0 0 0\n"
                                         "1 1 4 B 1e4 30\n2 2 4 C 1e4 -20\n3 3 4 C 1e4 60\n"
                                         "4 4 5 B 2e4 0 0.8\n5 2 5 C 1e4 10\n6 3 5 B 1e4 -40\n");
        Structure structure(model);
        const Eigen::VectorXd at =
            Eigen::VectorXd::LinSpaced(structure.unknownCount(), -0.05, 0.04);
        const Eigen::MatrixXd tangent =
            Eigen::MatrixXd(structure.tangentAt(at, 0)).selfadjointView<Eigen::Lower>();
        const double h = 1e-6;
        for (int k = 0; k < structure.unknownCount(); ++k) {
            const Eigen::VectorXd step = Eigen::VectorXd::Unit(structure.unknownCount(), k) * h;
            const Eigen::VectorXd slope =
                (structure.freePart(structure.sumsAt(at + step).nodeForces) -
                 structure.freePart(structure.sumsAt(at - step).nodeForces)) /
                (2 * h);
            EXPECT_LT((tangent.col(k) - slope).lpNorm<Eigen::Infinity>(), 1e-5 * 1e4)
                << law << " column " << k;
        }
    }
}

// A slack cable counted taut, as a Newton step that draws it taut counts it, pulls as the same
// member made a bar would, and stiffens as that bar but for the bar's geometric stiffness.
TEST(Structure, CountsASlackCableTautAsTheBarItWouldBe) {
    for (const char* law : {"E", "G"}) {
        const std::string members = std::string("Tripod\n4 3 ") + law +
                                    "\n1 0 0 0 1 1 1\n2 2 0 0 1 1 1\n3 0 2 0 1 1 1\n"
                                    "4 0.7 0.6 1.5 0 0 0\n1 1 4 B 1e4 30\n2 3 4 C 1e4 60\n3 2 4 ";
        Structure cables(readGeometry(members + "C 1e4 -20\n"));
        Structure bars(readGeometry(members + "B 1e4 -20\n"));
        const Eigen::VectorXd at = Eigen::VectorXd::LinSpaced(3, -1e-3, 1e-3);
        ASSERT_EQ(cables.sumsAt(at).axialForces[2], 0) << law;
        const Eigen::VectorXd pull = cables.freePart(cables.drawnTautForces(at, {1, 2}));
        EXPECT_LT((pull - bars.freePart(bars.sumsAt(at).nodeForces) +
                   cables.freePart(cables.sumsAt(at).nodeForces))
                      .lpNorm<Eigen::Infinity>(),
                  1e-9 * 1e4)
            << law;
        cables.tangentAt(at, 0);
        const Eigen::Matrix3d counted =
            Eigen::MatrixXd(cables.addDrawnTaut(at, {1, 2})).selfadjointView<Eigen::Lower>();
        const Eigen::Matrix3d bar =
            Eigen::MatrixXd(bars.tangentAt(at, 0)).selfadjointView<Eigen::Lower>();
        const Eigen::Vector3d span = Eigen::Vector3d(0.7 - 2, 0.6, 1.5) + at;
        const Eigen::Matrix3d geometric =
            bars.sumsAt(at).axialForces[2] / span.norm() *
            (Eigen::Matrix3d::Identity() - span * span.transpose() / span.squaredNorm());
        EXPECT_LT((bar - geometric - counted).lpNorm<Eigen::Infinity>(), 1e-9 * 1e4) << law;
    }
}

} // namespace
} // namespace ombrix
