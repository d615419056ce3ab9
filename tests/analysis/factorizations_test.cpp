// Which factorisation may precondition the conjugate-gradient step: only the latest, where it
// is of a tangent as it is, positive definite, and not yet worn out by the solves spent
// with it.

#include "factorizations.h"
#include "geometry.h"
#include "loading.h"

#include <gtest/gtest.h>

#include <functional>

namespace ombrix {
namespace {

TEST(Factorizations, PreconditionWithTheLatestOnlyWhereItIsARegularTangent) {
    const Model wire = readGeometry("Prestressed wire\n3 2\n1 0 0 0 1 1 1\n2 5 0 0 0 0 0\n"
                                    "3 10 0 0 1 1 1\n1 1 2 B 6e7 3000\n2 2 3 B 6e7 3000\n");
    LoadedStructure loaded(wire, readCase("1 1 0\n2 0 0 100\n", 1), SolverOptions());
    const State unloaded = loaded.stateAt(Eigen::VectorXd::Zero(3), 0);
    const struct {
        const char* made;
        std::function<void(Factorizations&)> make;
        bool preconditions;
    } rows[] = {
        {"nothing yet", [](Factorizations&) {}, false},
        {"the tangent", [&](Factorizations& f) { f.ofTangent(unloaded, 0); }, true},
        {"a shifted tangent", [&](Factorizations& f) { f.ofTangent(unloaded, 1e-8); }, false},
        {"a string net", [&](Factorizations& f) { f.ofStringNet(unloaded.unknowns, 1); }, false},
        {"the tangent, then more solves than a factorisation costs",
         [&](Factorizations& f) {
             f.ofTangent(unloaded, 0);
             f.spendExtraSolves(1e9);
         },
         false},
        {"a string net, then the tangent",
         [&](Factorizations& f) {
             f.ofStringNet(unloaded.unknowns, 1);
             f.ofTangent(unloaded, 0);
         },
         true},
    };
    for (const auto& row : rows) {
        Factorizations factors(loaded.structure());
        row.make(factors);
        EXPECT_EQ(factors.earlierRegularTangent() != nullptr, row.preconditions) << row.made;
    }
}

} // namespace
} // namespace ombrix
