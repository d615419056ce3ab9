// Make_FrameFile's form-finding from the command line: the form it writes stands still
// under no load in the solver, and nothing is written where it refuses.

#include "folder_storage.h"
#include "form_finding_command.h"
#include "geometry.h"
#include "parameters.h"
#include "solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace ombrix {
namespace {

// A four-point sail of n x n cells of 2 m, two opposite corners 3 m high, held only at its
// corners; its edge cables ten times as dense in force as the inner ones, all started flat.
std::string sailFile(int n) {
    const auto at = [n](int i, int j) { return j * (n + 1) + i + 1; };
    const auto length = 2.0;
    std::string text = "Sail\r\n" + std::to_string((n + 1) * (n + 1)) + " " +
                       std::to_string(2 * n * (n + 1)) + "\r\n";
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i <= n; ++i) {
            const bool corner = (i == 0 || i == n) && (j == 0 || j == n);
            const double z = corner && i == j ? 3 : 0;
            const char* held = corner ? " 1 1 1" : " 0 0 0";
            text += std::to_string(at(i, j)) + " " + std::to_string(length * i) + " " +
                    std::to_string(length * j) + " " + std::to_string(z) + held + "\r\n";
        }
    int member = 0;
    const auto cable = [&](int first, int second, bool edge) {
        text += std::to_string(++member) + " " + std::to_string(first) + " " +
                std::to_string(second) + " C 1e6 " + (edge ? "20" : "2") + "\r\n";
    };
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i < n; ++i) {
            cable(at(i, j), at(i + 1, j), j == 0 || j == n);
            cable(at(j, i), at(j, i + 1), j == 0 || j == n);
        }
    return text;
}

class FormFindingCommandTest : public InstallationTest {
  protected:
    std::string path(const std::string& name) const { return (root_ / name).string(); }
};

TEST_F(FormFindingCommandTest, WritesAFormThatStandsUnderNoLoad) {
    storage_.replace(path("sail.dat"), sailFile(8));
    const auto command = formFindingCommand({"--form-find", path("sail.dat"), path("found.dat")});
    ASSERT_TRUE(command);
    ASSERT_EQ(runFormFinding(storage_, *command), std::nullopt);

    const Model form = readGeometry(*storage_.read(path("found.dat")));
    const Solution solution = solve(form, LoadCase{1, 1, {}});
    ASSERT_EQ(solution.status, SolutionStatus::Converged);
    for (const Point& moved : solution.displacements)
        for (double component : moved)
            EXPECT_LT(std::abs(component), 1e-9 * 16);
    for (std::size_t m = 0; m < form.members.size(); ++m)
        EXPECT_NEAR(solution.axialForces[m], form.members[m].initialForce,
                    1e-9 * form.members[m].initialForce);
    // Found: the flat start's inner nodes have risen and fallen between the corners.
    EXPECT_GT(std::abs(form.nodes[10].position[2]), 0.1);
}

TEST_F(FormFindingCommandTest, RefusesWithoutWritingAnything) {
    storage_.replace(path("sail.dat"), sailFile(4));
    std::string slack = sailFile(4); // no member pulls
    for (std::size_t at = slack.find(" C 1e6 2"); at != std::string::npos;
         at = slack.find(" C 1e6 2", at))
        slack.replace(at, slack.find('\r', at) - at, " C 1e6 0");
    storage_.replace(path("slack.dat"), slack);
    const struct {
        std::string name;
        std::string input, output;
        std::string message; // a part of it
    } rows[] = {
        {"the output is the input", "sail.dat", "SAIL.DAT", "the form found would replace"},
        {"an input that is not there", "none.dat", "found.dat",
         "none.dat: the file cannot be read"},
        {"a node that nothing holds", "slack.dat", "found.dat", "node 2 is not held in x"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<std::string> message = runFormFinding(
            storage_, {FormTarget::ForceDensities, path(row.input), path(row.output)});
        ASSERT_TRUE(message);
        EXPECT_NE(message->find(row.message), std::string::npos) << *message;
        EXPECT_FALSE(storage_.read(path("found.dat")));
    }
    EXPECT_EQ(storage_.read(path("sail.dat")), sailFile(4));
}

TEST(FormFindingCommand, TakesItsArgumentsOrSaysHowItIsUsed) {
    EXPECT_EQ(formFindingCommand({"/png", "a.dat"}), std::nullopt);
    const auto forces = formFindingCommand({"--form-find", "--forces", "a.dat", "b.dat"});
    ASSERT_TRUE(forces);
    EXPECT_EQ(forces->target, FormTarget::Forces);
    EXPECT_EQ(forces->output, "b.dat");
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"--form-find", "a.dat"},
          std::vector<std::string>{"--form-find", "--forces", "a.dat", "b.dat", "c.dat"}})
        EXPECT_THROW(formFindingCommand(wrong), Refused);
}

} // namespace
} // namespace ombrix
