#include "results.h"

#include "numbers.h"

namespace ombrix {
namespace {

std::string line(const std::string& label, std::size_t number, const Point& values) {
    return label + " " + std::to_string(number) + " " + exactNumber(values[0]) + " " +
           exactNumber(values[1]) + " " + exactNumber(values[2]) + "\r\n";
}

bool restrained(const Node& node) {
    return node.restrained[0] || node.restrained[1] || node.restrained[2];
}

} // namespace

std::string writeResults(int caseNumber, const Model& model, const Solution& solution,
                         const std::string& inputs) {
    std::string text = "case " + std::to_string(caseNumber) + "\r\nconverged " +
                       (solution.status == SolutionStatus::Converged ? "yes" : "no") +
                       "\r\ninputs " + inputs + "\r\n";
    for (std::size_t n = 0; n < model.nodes.size(); ++n)
        text += line("node", n + 1, solution.displacements[n]);
    for (std::size_t m = 0; m < model.members.size(); ++m)
        text +=
            "member " + std::to_string(m + 1) + " " + exactNumber(solution.axialForces[m]) + "\r\n";
    for (std::size_t n = 0; n < model.nodes.size(); ++n)
        if (restrained(model.nodes[n]))
            text += line("reaction", n + 1, solution.reactions[n]);
    return text;
}

} // namespace ombrix
