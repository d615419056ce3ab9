#include "reports.h"

#include "applied_loads.h"
#include "member_law.h"
#include "numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace ombrix {
namespace {

constexpr const char* newLine = "\r\n";
constexpr int columnWidth = 20;

// A table whose columns are named by a message, the names separated by two blanks.
class Table {
  public:
    Table(ReportStyle style, Message title, Message head, int firstWidth)
        : firstWidth_(firstWidth) {
        text_ = std::string(newLine) + say(style.language, title) + newLine;
        std::vector<std::string> names;
        const std::string heading = say(style.language, head);
        for (std::size_t at = 0; at != std::string::npos;) {
            const std::size_t end = heading.find("  ", at);
            names.push_back(heading.substr(at, end - at));
            at = end == std::string::npos ? end : end + 2;
        }
        row(names);
    }

    void row(const std::vector<std::string>& cells) {
        for (std::size_t k = 0; k < cells.size(); ++k) {
            const std::size_t width = k == 0 ? firstWidth_ : columnWidth;
            text_ +=
                std::string(width > cells[k].size() ? width - cells[k].size() : 1, ' ') + cells[k];
        }
        text_ += newLine;
    }

    const std::string& text() const { return text_; }

  private:
    std::size_t firstWidth_;
    std::string text_;
};

std::string line(ReportStyle style, Message message, const std::vector<std::string>& values = {}) {
    return say(style.language, message, values) + newLine;
}

struct Range {
    double least = std::numeric_limits<double>::infinity();
    double most = -std::numeric_limits<double>::infinity();
    void add(double value) {
        least = std::min(least, value);
        most = std::max(most, value);
    }
};

std::string structureSummary(const Model& model, ReportStyle style) {
    const auto cables = std::count_if(model.members.begin(), model.members.end(),
                                      [](const Member& m) { return m.kind == MemberKind::Cable; });
    long long restrained = 0;
    for (const Node& node : model.nodes)
        restrained += std::count(node.restrained.begin(), node.restrained.end(), true);
    Range lengths, stiffness, forces;
    double total = 0;
    std::array<double, 2> toCut{}; // bars, cables
    for (const Member& member : model.members) {
        const double length = lengthOf(model, member);
        total += length;
        lengths.add(length);
        stiffness.add(member.axialStiffness);
        forces.add(member.initialForce);
        toCut[member.kind == MemberKind::Cable] += MemberLaw::of(model, member).unstressedLength();
    }
    const long long members = static_cast<long long>(model.members.size());
    return line(style, Message::ReportLaw,
                {say(style.language, model.law == StrainLaw::Green ? Message::LawGreen
                                                                   : Message::LawEngineering)}) +
           line(style, Message::ReportCounts,
                {showInteger(static_cast<long long>(model.nodes.size())), showInteger(members),
                 showInteger(members - cables), showInteger(cables)}) +
           line(style, Message::ReportRestraints,
                {showInteger(restrained),
                 showInteger(3 * static_cast<long long>(model.nodes.size()) - restrained)}) +
           line(style, Message::ReportLengths,
                {showNumber(total), showNumber(lengths.least), showNumber(lengths.most)}) +
           line(style, Message::ReportStiffness,
                {showNumber(stiffness.least), showNumber(stiffness.most)}) +
           line(style, Message::ReportInitialForces,
                {showNumber(forces.least), showNumber(forces.most)}) +
           line(style, Message::ReportCuttingLengths, {showNumber(toCut[0]), showNumber(toCut[1])});
}

std::string nodeTable(const Model& model, ReportStyle style) {
    Table table(style, Message::NodeTableTitle, Message::NodeTableHead, 8);
    for (std::size_t n = 0; n < model.nodes.size(); ++n) {
        const Node& node = model.nodes[n];
        std::string restraints;
        for (bool restrained : node.restrained)
            restraints += restrained ? " 1" : " 0";
        table.row({showInteger(static_cast<long long>(n) + 1), showNumber(node.position[0]),
                   showNumber(node.position[1]), showNumber(node.position[2]), restraints});
    }
    return table.text();
}

std::string memberTable(const Model& model, ReportStyle style) {
    Table table(style, Message::MemberTableTitle, Message::MemberTableHead, 8);
    for (std::size_t m = 0; m < model.members.size(); ++m) {
        const Member& member = model.members[m];
        table.row({showInteger(static_cast<long long>(m) + 1), showInteger(member.first + 1),
                   showInteger(member.second + 1),
                   say(style.language,
                       member.kind == MemberKind::Cable ? Message::KindCable : Message::KindBar),
                   showNumber(member.axialStiffness), showNumber(member.initialForce),
                   showNumber(lengthOf(model, member)),
                   showNumber(MemberLaw::of(model, member).unstressedLength())});
    }
    return table.text();
}

} // namespace

std::string criticalPointName(CriticalPoint point, Language language) {
    return say(language,
               point == CriticalPoint::LimitPoint ? Message::LimitPoint : Message::Bifurcation);
}

std::string criticalLoadFactorText(const Solution& solution) {
    return showToPrecision(solution.criticalLoadFactor, criticalLoadFactorPrecision);
}

ListType listTypeNamed(std::string_view name) {
    const std::size_t first = name.find_first_not_of(' ');
    const bool complete =
        first != std::string_view::npos && (name[first] == 'C' || name[first] == 'c');
    return complete ? ListType::Complete : ListType::Short;
}

std::string structureReport(const Model& model, const std::string& geometryFile,
                            ReportStyle style) {
    std::string text = reportHeading(style.language) + newLine + newLine +
                       line(style, Message::ReportGeometry, {geometryFile}) + model.heading +
                       newLine + structureSummary(model, style);
    if (style.listType == ListType::Complete)
        text += nodeTable(model, style) + memberTable(model, style);
    return text;
}

namespace {

bool hasWord(const LoadCase& loadCase, LoadWord word) {
    return std::any_of(loadCase.modelLoads.begin(), loadCase.modelLoads.end(),
                       [word](const ModelLoad& load) { return load.word == word; });
}

std::string temperatureLine(const AppliedLoads& applied, ReportStyle style) {
    Range strains;
    long long heated = 0;
    for (double strain : applied.strains)
        if (strain != 0) {
            strains.add(strain);
            ++heated;
        }
    return heated == 0
               ? std::string()
               : line(style, Message::LoadingTemperature,
                      {showInteger(heated), showNumber(strains.least), showNumber(strains.most)});
}

std::string settlementLines(const AppliedLoads& applied, ReportStyle style) {
    std::string text;
    for (std::size_t n = 0; n < applied.settlements.size(); ++n) {
        const Point& moved = applied.settlements[n];
        if (moved != Point{})
            text += line(style, Message::LoadingSettlement,
                         {showInteger(static_cast<long long>(n) + 1), showNumber(moved[0]),
                          showNumber(moved[1]), showNumber(moved[2])});
    }
    return text;
}

// What the words of a case applied, summed so that they can be checked by hand.
std::string modelLoadLines(const LoadCase& loadCase, const AppliedLoads& applied,
                           ReportStyle style) {
    std::string text;
    if (hasWord(loadCase, LoadWord::Weight))
        text += line(style, Message::LoadingWeight,
                     {showNumber(applied.weight), showInteger(applied.weighedMembers)});
    text += temperatureLine(applied, style) + settlementLines(applied, style);
    if (hasWord(loadCase, LoadWord::Snow))
        text += line(style, Message::LoadingSnow,
                     {showInteger(applied.snow.cells), showNumber(applied.snow.area),
                      showNumber(-applied.snow.resultant[2])});
    if (hasWord(loadCase, LoadWord::Pressure)) {
        const CellLoading& pressure = applied.pressure;
        text += line(style, Message::LoadingPressure,
                     {showInteger(pressure.cells), showNumber(pressure.area),
                      showNumber(pressure.resultant[0]), showNumber(pressure.resultant[1]),
                      showNumber(pressure.resultant[2])});
    }
    return text;
}

// Of a case that comes after another, which.
std::string afterLine(const LoadCase& loadCase, ReportStyle style) {
    return loadCase.after ? line(style, Message::CaseAfter, {showInteger(loadCase.after->number)})
                          : "";
}

Point sumOf(const std::vector<Point>& points, double factor = 1) {
    Point sum{};
    for (const Point& point : points)
        for (int axis = 0; axis < 3; ++axis)
            sum[axis] += factor * point[axis];
    return sum;
}

} // namespace

std::string loadingReport(const Model& model, const Loading& loading,
                          const std::string& loadingFile,
                          const std::map<int, std::string>& unusable, ReportStyle style) {
    std::string text = std::string(newLine) + line(style, Message::LoadingTitle, {loadingFile}) +
                       loading.heading + newLine;
    for (const LoadCase& loadCase : loading.cases) {
        if (const auto problem = unusable.find(loadCase.number); problem != unusable.end()) {
            text += line(style, Message::LoadingCaseUnusable,
                         {showInteger(loadCase.number), problem->second});
            continue;
        }
        const AppliedLoads applied = appliedLoads(model, loadCase);
        const Point resultant = sumOf(applied.forces);
        text += line(style, Message::LoadingCase,
                     {showInteger(loadCase.number),
                      showInteger(static_cast<long long>(loadCase.loads.size())),
                      showInteger(loadCase.steps), showNumber(resultant[0]),
                      showNumber(resultant[1]), showNumber(resultant[2])}) +
                afterLine(loadCase, style) + modelLoadLines(loadCase, applied, style);
    }
    return text;
}

namespace {

// A force as the reports show it: within the solution's tolerance of zero, zero.
double shown(double force, const Solution& solution) {
    return std::abs(force) <= solution.tolerance ? 0 : force;
}

// A member's length in the solution's state, and how much longer that is than its unstressed
// length: the change from the given length taken from the displacements, so that it keeps
// its digits however small against the length.
struct Stretched {
    double length = 0;
    double elongation = 0;
};

Stretched stretchedOf(const Model& model, const AppliedLoads& applied, const Solution& solution,
                      std::size_t m) {
    const Member& member = model.members[m];
    double given = 0, moved = 0, across = 0;
    for (int axis = 0; axis < 3; ++axis) {
        const double span =
            model.nodes[member.second].position[axis] - model.nodes[member.first].position[axis];
        const double shift = solution.displacements[member.second][axis] -
                             solution.displacements[member.first][axis];
        given += span * span;
        moved += (span + shift) * (span + shift);
        across += shift * (2 * span + shift);
    }
    const double length = std::sqrt(moved);
    const double change = across / (length + std::sqrt(given));
    return {length, std::sqrt(given) -
                        MemberLaw::of(model, member, applied.strains[m]).unstressedLength() +
                        change};
}

std::string elongationLine(const Model& model, const AppliedLoads& applied,
                           const Solution& solution, ReportStyle style) {
    if (model.members.empty())
        return {};
    std::size_t least = 0, most = 0;
    std::vector<double> elongations;
    for (std::size_t m = 0; m < model.members.size(); ++m) {
        elongations.push_back(stretchedOf(model, applied, solution, m).elongation);
        least = elongations[m] < elongations[least] ? m : least;
        most = elongations[m] > elongations[most] ? m : most;
    }
    return line(style, Message::CaseElongations,
                {showNumber(elongations[least]), showInteger(static_cast<long long>(least) + 1),
                 showNumber(elongations[most]), showInteger(static_cast<long long>(most) + 1)});
}

// `loads`: the sum of the loads on the state reported.
std::string caseSummary(const Model& model, const AppliedLoads& applied, const Point& loads,
                        const Solution& solution, ReportStyle style) {
    std::string text;
    std::size_t moved = 0;
    for (std::size_t n = 0; n < solution.displacements.size(); ++n)
        if (std::hypot(solution.displacements[n][0], solution.displacements[n][1],
                       solution.displacements[n][2]) > std::hypot(solution.displacements[moved][0],
                                                                  solution.displacements[moved][1],
                                                                  solution.displacements[moved][2]))
            moved = n;
    const Point& most = solution.displacements[moved];
    text += line(style, Message::CaseLargestDisplacement,
                 {showNumber(std::hypot(most[0], most[1], most[2])),
                  showInteger(static_cast<long long>(moved) + 1)});
    // Of members with equal forces, the lower number, as PeakFinder names them.
    const auto least = std::min_element(solution.axialForces.begin(), solution.axialForces.end());
    const auto greatest =
        std::max_element(solution.axialForces.begin(), solution.axialForces.end());
    if (shown(*greatest, solution) > 0)
        text +=
            line(style, Message::CaseLargestTension,
                 {showNumber(*greatest), showInteger(greatest - solution.axialForces.begin() + 1)});
    if (shown(*least, solution) < 0)
        text += line(style, Message::CaseLargestCompression,
                     {showNumber(*least), showInteger(least - solution.axialForces.begin() + 1)});
    long long slack = 0;
    for (std::size_t m = 0; m < model.members.size(); ++m)
        slack += model.members[m].kind == MemberKind::Cable && solution.axialForces[m] == 0;
    text += line(style, Message::CaseSlackCables, {showInteger(slack)}) +
            elongationLine(model, applied, solution, style);
    Point reactions{};
    for (const Point& reaction : solution.reactions)
        for (int axis = 0; axis < 3; ++axis)
            reactions[axis] += shown(reaction[axis], solution);
    for (double& sum : reactions)
        sum = shown(sum, solution);
    return text +
           line(style, Message::CaseLoadAndReactions,
                {showNumber(loads[0]), showNumber(loads[1]), showNumber(loads[2]),
                 showNumber(reactions[0]), showNumber(reactions[1]), showNumber(reactions[2])});
}

std::string caseTables(const Model& model, const AppliedLoads& applied, const Solution& solution,
                       ReportStyle style) {
    Table displacements(style, Message::DisplacementTableTitle, Message::DisplacementTableHead, 8);
    Table reactions(style, Message::ReactionTableTitle, Message::ReactionTableHead, 8);
    for (std::size_t n = 0; n < model.nodes.size(); ++n) {
        const Point& u = solution.displacements[n];
        const std::string number = showInteger(static_cast<long long>(n) + 1);
        displacements.row({number, showNumber(u[0]), showNumber(u[1]), showNumber(u[2])});
        const Point& r = solution.reactions[n];
        const std::array<bool, 3>& held = model.nodes[n].restrained;
        if (held[0] || held[1] || held[2])
            reactions.row({number, showNumber(shown(r[0], solution)),
                           showNumber(shown(r[1], solution)), showNumber(shown(r[2], solution))});
    }
    Table forces(style, Message::ForceTableTitle, Message::ForceTableHead, 8);
    for (std::size_t m = 0; m < model.members.size(); ++m) {
        const bool slack =
            model.members[m].kind == MemberKind::Cable && solution.axialForces[m] == 0;
        const Stretched stretched = stretchedOf(model, applied, solution, m);
        forces.row({showInteger(static_cast<long long>(m) + 1),
                    slack ? say(style.language, Message::Slack)
                          : showNumber(shown(solution.axialForces[m], solution)),
                    showNumber(stretched.length), showNumber(stretched.elongation)});
    }
    return displacements.text() + forces.text() + reactions.text();
}

// Where the load passed a critical point, or where the path ended at one. Only of an answer
// is the state shown the stable one the structure reached.
std::string criticalPointLine(const Solution& solution, ReportStyle style) {
    const std::string loadFactor = criticalLoadFactorText(solution);
    if (solution.endsAtCriticalPoint())
        return line(style, Message::CaseUnstable,
                    {loadFactor, criticalPointName(solution.criticalPoint, style.language)});
    if (!(solution.loadFactor > solution.criticalLoadFactor))
        return {};
    const bool answer = solution.status == SolutionStatus::Converged;
    if (solution.criticalPoint == CriticalPoint::LimitPoint)
        return line(style, answer ? Message::CaseSnapThrough : Message::CaseSnappedThrough,
                    {loadFactor});
    if (solution.criticalPoint == CriticalPoint::Bifurcation)
        return line(style, answer ? Message::CaseBifurcation : Message::CaseLeftPath, {loadFactor});
    return {};
}

std::string forcesFromBalanceLine(const Solution& solution, ReportStyle style) {
    if (solution.forcesFromBalance.empty())
        return {};
    std::string members;
    for (const BalancedForce& force : solution.forcesFromBalance)
        members += (members.empty() ? "" : ", ") +
                   say(style.language, Message::MemberWithin,
                       {showInteger(force.member + 1), showRoughly(force.accuracy)});
    return line(style, Message::CaseForcesFromBalance, {members});
}

} // namespace

std::string caseReport(const Model& model, const LoadCase& loadCase, const Solution& solution,
                       ReportStyle style, const AppliedLoads& held) {
    std::string text =
        std::string(newLine) + line(style, Message::CaseTitle, {showInteger(loadCase.number)});
    text += afterLine(loadCase, style);
    text += solution.status == SolutionStatus::Converged
                ? line(style, Message::CaseConverged,
                       {showInteger(solution.steps), showInteger(solution.iterations)})
                : line(style, Message::CaseNotConverged, {showNumber(solution.loadFactor)});
    const AppliedLoads own = appliedLoads(model, loadCase);
    const AppliedLoads applied = withHeld(own, held);
    const Point heldSum = sumOf(held.forces);
    const Point ownSum = sumOf(own.forces, solution.loadFactor);
    const Point loads{heldSum[0] + ownSum[0], heldSum[1] + ownSum[1], heldSum[2] + ownSum[2]};
    text += modelLoadLines(loadCase, own, style) + forcesFromBalanceLine(solution, style) +
            criticalPointLine(solution, style) +
            caseSummary(model, applied, loads, solution, style);
    if (style.listType == ListType::Complete)
        text += caseTables(model, applied, solution, style);
    return text;
}

} // namespace ombrix
