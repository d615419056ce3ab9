#include "load_path.h"

#include "numbers.h"

namespace ombrix {
namespace {

const char* passedMark(CriticalPoint passed) {
    switch (passed) {
    case CriticalPoint::LimitPoint: return " snap-through";
    case CriticalPoint::Bifurcation: return " bifurcation";
    case CriticalPoint::None: break;
    }
    return "";
}

} // namespace

std::string pathHead(int caseNumber, std::size_t nodes, const std::string& inputs) {
    return "case " + std::to_string(caseNumber) + "\r\ninputs " + inputs + "\r\nnodes " +
           std::to_string(nodes) + "\r\n";
}

std::string pathStateText(const PathState& state) {
    std::string text = "state " + chartNumber(state.loadFactor) + passedMark(state.passed) + "\r\n";
    text.reserve(text.size() + 36 * state.displacements.size());
    for (const Point& displacement : state.displacements)
        text += chartNumber(displacement[0]) + ' ' + chartNumber(displacement[1]) + ' ' +
                chartNumber(displacement[2]) + "\r\n";
    return text;
}

std::string pathEnd(const Solution& solution) {
    if (solution.status == SolutionStatus::Converged)
        return "end converged\r\n";
    if (!solution.endsAtCriticalPoint())
        return "end stopped\r\n";
    return solution.criticalPoint == CriticalPoint::LimitPoint ? "end stopped at limit point\r\n"
                                                               : "end stopped at bifurcation\r\n";
}

} // namespace ombrix
