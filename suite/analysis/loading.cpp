#include "loading.h"

#include "handoff/loading_head.h"
#include "numbers.h"
#include "text_lines.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <utility>

namespace ombrix {
namespace {

Message messageOf(handoff::HeadProblem problem) {
    using handoff::HeadProblem;
    switch (problem) {
    case HeadProblem::utf16: return Message::Utf16File;
    case HeadProblem::noHeading: return Message::HeadingMissing;
    case HeadProblem::noCaseCount: return Message::CaseCountMissing;
    case HeadProblem::blankCaseCount: return Message::CaseCountBlank;
    case HeadProblem::caseCountOutOfRange: return Message::CaseCountOutOfRange;
    case HeadProblem::noCaseZeroMark: return Message::CaseZeroFlagMissing;
    case HeadProblem::blankCaseZeroMark: return Message::CaseZeroFlagBlank;
    case HeadProblem::caseCountNotWhole:
    case HeadProblem::caseZeroMarkNotWhole:
    case HeadProblem::none: break;
    }
    return Message::NotAnInteger;
}

NodalLoad loadIn(const TextLine& line) {
    const std::vector<std::string_view> fields = fieldsOf(line, 4, 4);
    NodalLoad load{integerIn(fields[0], line.number), {}, line.number};
    for (int axis = 0; axis < 3; ++axis) {
        load.force[axis] = numberIn(fields[1 + axis], line.number);
        if (!(std::abs(load.force[axis]) <= largestForce))
            throw InputError(line.number, Message::LoadOutOfRange, {showNumber(largestForce)});
    }
    return load;
}

// How each word's line is laid out: a node first (settle), its values, and whether the
// members it acts on may follow.
struct WordForm {
    LoadWord word;
    std::string_view name;
    bool node;
    std::size_t values;
    bool members;
};
constexpr std::array<WordForm, 5> wordForms{{
    {LoadWord::Weight, "weight", false, 1, true},
    {LoadWord::Temperature, "temperature", false, 2, true},
    {LoadWord::Settle, "settle", true, 3, false},
    {LoadWord::Snow, "snow", false, 1, false},
    {LoadWord::Pressure, "pressure", false, 1, false},
}};

const WordForm& formOf(LoadWord word) {
    return wordForms[static_cast<std::size_t>(word)];
}

bool beginsWithWord(const TextLine& line) {
    const std::vector<std::string_view> fields = fieldsOf(line.text);
    return !fields.empty() && std::isalpha(static_cast<unsigned char>(fields[0][0])) != 0;
}

// Whether a word as given is `word`, in any case of letters.
bool sameWord(std::string_view given, std::string_view word) {
    return given.size() == word.size() &&
           std::equal(given.begin(), given.end(), word.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

bool isCombination(const TextLine& line) {
    return sameWord(fieldsOf(line.text)[0], combineWord);
}

const WordForm& formNamed(std::string_view name, int line) {
    for (const WordForm& form : wordForms)
        if (sameWord(name, form.name))
            return form;
    throw InputError(line, Message::WordNotKnown, {std::string(name)});
}

std::optional<long long> memberNumberIn(std::string_view text) {
    long long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{} || end != text.data() + text.size() || number < 1)
        return std::nullopt;
    return number;
}

std::array<long long, 2> rangeIn(std::string_view field, int line) {
    const std::size_t dash = field.find('-', 1);
    const std::optional<long long> first = memberNumberIn(field.substr(0, dash));
    const std::optional<long long> last =
        dash == std::string_view::npos ? first : memberNumberIn(field.substr(dash + 1));
    if (!first || !last || *last < *first)
        throw InputError(line, Message::MembersNotKnown, {std::string(field)});
    return {*first, *last};
}

constexpr std::array<std::pair<std::string_view, MemberSet>, 3> memberSets{
    {{"all", MemberSet::All}, {"cables", MemberSet::Cables}, {"bars", MemberSet::Bars}}};

MemberChoice membersIn(const std::vector<std::string_view>& fields, int line) {
    if (fields.empty())
        return {};
    if (fields.size() == 1)
        for (const auto& [name, set] : memberSets)
            if (fields[0] == name)
                return {set, {}};
    MemberChoice choice{MemberSet::Listed, {}};
    for (std::string_view field : fields)
        choice.ranges.push_back(rangeIn(field, line));
    return choice;
}

// Of alpha dT, so that every member keeps a length.
constexpr double largestTemperatureStrain = 0.5;

// Each word's values within the ranges of the loads and coordinates, so that the forces
// they make stay finite.
void checkRange(const ModelLoad& load, int line) {
    if (load.word == LoadWord::Temperature) {
        if (!(std::abs(load.values[0] * load.values[1]) <= largestTemperatureStrain))
            throw InputError(line, Message::TemperatureStrainOutOfRange,
                             {showNumber(largestTemperatureStrain)});
        return;
    }
    const bool settle = load.word == LoadWord::Settle;
    const double largest = settle ? largestCoordinate : largestForce;
    for (double value : load.values)
        if (!(std::abs(value) <= largest))
            throw InputError(line, settle ? Message::SettlementOutOfRange : Message::LoadOutOfRange,
                             {showNumber(largest)});
}

ModelLoad modelLoadIn(const TextLine& line) {
    const std::vector<std::string_view> all = fieldsOf(line.text);
    const WordForm& form = formNamed(all[0], line.number);
    const std::size_t head = 1 + (form.node ? 1 : 0) + form.values;
    const std::vector<std::string_view> fields =
        fieldsOf(line, head, form.members ? std::numeric_limits<std::size_t>::max() : head);
    ModelLoad load{form.word, {}, 0, {}, line.number};
    if (form.node)
        load.node = integerIn(fields[1], line.number);
    for (std::size_t k = head - form.values; k < head; ++k)
        load.values.push_back(numberIn(fields[k], line.number));
    checkRange(load, line.number);
    load.members =
        membersIn({fields.begin() + static_cast<std::ptrdiff_t>(head), fields.end()}, line.number);
    return load;
}

bool isAfter(const TextLine& line) {
    return sameWord(fieldsOf(line.text)[0], afterWord);
}

// "after c", at most once in a case.
PriorCase priorCaseIn(const TextLine& line, const LoadCase& loadCase) {
    const std::vector<std::string_view> fields = fieldsOf(line, 2, 2);
    if (loadCase.after)
        throw InputError(line.number, Message::AfterTwice);
    return {integerIn(fields[1], line.number), line.number};
}

// The lines after a case's node lines that begin with a word.
void wordLinesIn(LineCursor& lines, LoadCase& loadCase) {
    for (LineCursor ahead = lines;;) {
        const std::optional<TextLine> line = ahead.nextData();
        if (!line || !beginsWithWord(*line) || isCombination(*line))
            return;
        if (isAfter(*line))
            loadCase.after = priorCaseIn(*line, loadCase);
        else
            loadCase.modelLoads.push_back(modelLoadIn(*line));
        lines = ahead;
    }
}

// "combine f1 c1 [f2 c2 ...]": the factored sum of the loads of the cases named.
struct Combination {
    std::vector<CombinationTerm> terms;
    int line = 0;
};

Combination combinationIn(const TextLine& line) {
    const std::vector<std::string_view> fields = fieldsOf(line.text);
    if (fields.size() < 3 || fields.size() % 2 == 0)
        throw InputError(line.number, Message::CombinationPairs);
    Combination combination{{}, line.number};
    for (std::size_t k = 1; k < fields.size(); k += 2)
        combination.terms.push_back(
            {numberIn(fields[k], line.number), integerIn(fields[k + 1], line.number)});
    return combination;
}

// A combination stands alone in its block: no node lines and no other words.
std::optional<Combination> combinationAfter(LineCursor& lines, const LoadCase& loadCase) {
    LineCursor ahead = lines;
    const std::optional<TextLine> line = ahead.nextData();
    if (!line || !beginsWithWord(*line))
        return std::nullopt;
    if (!loadCase.loads.empty() || !loadCase.modelLoads.empty() || loadCase.after)
        throw InputError(line->number, Message::CombinationNotAlone);
    const Combination combination = combinationIn(*line);
    lines = ahead;
    if (const std::optional<TextLine> next = ahead.nextData(); next && beginsWithWord(*next))
        throw InputError(next->number, Message::CombinationNotAlone);
    return combination;
}

struct CaseBlock {
    LoadCase loadCase;
    std::optional<Combination> combination;
};

CaseBlock caseIn(LineCursor& lines, int expected) {
    const std::optional<TextLine> head = lines.nextData();
    if (!head)
        throw InputError(lines.lineAfterEnd(), Message::CaseLineMissing, {showInteger(expected)});
    const std::vector<std::string_view> fields = fieldsOf(*head, 3, 3);
    const long long number = integerIn(fields[0], head->number);
    if (number != expected)
        throw InputError(head->number, Message::CaseNumberExpected,
                         {showInteger(expected), showInteger(number)});
    const long long loaded = integerIn(fields[1], head->number);
    if (loaded < 0)
        throw InputError(head->number, Message::LoadCountNegative);
    const long long steps = integerIn(fields[2], head->number);
    if (steps < 0 || steps > mostSteps)
        throw InputError(head->number, Message::StepsOutOfRange, {showInteger(mostSteps)});

    LoadCase loadCase{expected, static_cast<int>(steps), {}, {}};
    for (long long k = 0; k < loaded; ++k) {
        const std::optional<TextLine> line = lines.nextData();
        if (!line)
            throw InputError(lines.lineAfterEnd(), Message::LoadLineMissing,
                             {showInteger(k), showInteger(loaded), showInteger(number)});
        loadCase.loads.push_back(loadIn(*line));
    }
    wordLinesIn(lines, loadCase);
    std::optional<Combination> combination = combinationAfter(lines, loadCase);
    return {std::move(loadCase), std::move(combination)};
}

// The loads of a named case times a factor, each now on the combination's line.
void addFactored(const LoadCase& named, double factor, int line, std::map<long long, Point>& forces,
                 std::vector<ModelLoad>& modelLoads) {
    for (const NodalLoad& load : named.loads)
        for (int axis = 0; axis < 3; ++axis)
            forces[load.node][axis] += factor * load.force[axis];
    for (ModelLoad load : named.modelLoads) {
        const bool whole = load.word == LoadWord::Settle;
        for (std::size_t k = 0; k < (whole ? load.values.size() : 1); ++k)
            load.values[k] = factor * load.values[k] + 0.0; // a zero written as 0, not -0
        load.line = line;
        checkRange(load, line);
        modelLoads.push_back(std::move(load));
    }
}

const CaseBlock* blockOf(const std::vector<CaseBlock>& blocks, long long number) {
    const auto found = std::find_if(blocks.begin(), blocks.end(), [number](const CaseBlock& b) {
        return b.loadCase.number == number;
    });
    return found == blocks.end() ? nullptr : &*found;
}

// The block of a case that a combination names, which must be neither a combination itself
// nor a case that starts after another: a combination is solved from rest.
const CaseBlock& namedBlock(const std::vector<CaseBlock>& blocks, long long number, int line) {
    const CaseBlock* named = blockOf(blocks, number);
    if (named == nullptr)
        throw InputError(line, Message::CaseNotInFile, {showInteger(number)});
    if (named->combination)
        throw InputError(line, Message::CombinedCaseCombined, {showInteger(number)});
    if (named->loadCase.after)
        throw InputError(line, Message::CombinedCaseAfter, {showInteger(number)});
    return *named;
}

// The case that a case comes after is another case of the file, and going from case to
// case along what they come after never comes back to it.
void checkHistory(const LoadCase& loadCase, const std::vector<CaseBlock>& blocks) {
    const PriorCase& after = *loadCase.after;
    if (after.number == loadCase.number)
        throw InputError(after.line, Message::AfterItself);
    if (blockOf(blocks, after.number) == nullptr)
        throw InputError(after.line, Message::CaseNotInFile, {showInteger(after.number)});
    std::string chain = showInteger(loadCase.number);
    const LoadCase* prior = &loadCase;
    // Within as many steps as there are cases the chain ends, comes back, or runs into a
    // cycle without this case, which is found from a case of its own.
    for (std::size_t step = 0; prior->after && step < blocks.size(); ++step) {
        const CaseBlock* next = blockOf(blocks, prior->after->number);
        if (next == nullptr)
            return;
        prior = &next->loadCase;
        chain += ", " + showInteger(prior->number);
        if (prior->number == loadCase.number)
            throw InputError(after.line, Message::AfterCycle, {chain});
    }
}

// The case of a combination: the node loads of the cases named summed node by node, and
// their words with their values (of a temperature, dT) times the factors.
LoadCase combinedCase(const CaseBlock& block, const std::vector<CaseBlock>& blocks) {
    const Combination& combination = *block.combination;
    std::map<long long, Point> forces;
    LoadCase loadCase = block.loadCase;
    loadCase.combination = combination.terms;
    for (const auto& [factor, number] : combination.terms)
        addFactored(namedBlock(blocks, number, combination.line).loadCase, factor, combination.line,
                    forces, loadCase.modelLoads);
    for (const auto& [node, force] : forces) {
        if (!(std::max({std::abs(force[0]), std::abs(force[1]), std::abs(force[2])}) <=
              largestForce))
            throw InputError(combination.line, Message::LoadOutOfRange, {showNumber(largestForce)});
        loadCase.loads.push_back({node, force, combination.line});
    }
    return loadCase;
}

void expectEnd(LineCursor& lines) {
    if (const std::optional<TextLine> extra = lines.nextData())
        throw InputError(extra->number, Message::LineAfterEnd);
}

} // namespace

Loading readLoading(std::string_view text) {
    LineCursor lines(text);
    const handoff::LoadingHead head = handoff::readLoadingHead(lines);
    if (head.problem != handoff::HeadProblem::none)
        throw InputError(head.problemLine, messageOf(head.problem), {head.wrongValue});
    Loading loading;
    loading.heading = std::string(head.heading.text);
    loading.caseCount = head.caseCount;
    loading.hasCaseZero = head.hasCaseZero;
    std::vector<CaseBlock> blocks;
    for (int number = loading.hasCaseZero ? 0 : 1; number <= loading.caseCount; ++number)
        blocks.push_back(caseIn(lines, number));
    expectEnd(lines);
    for (const CaseBlock& block : blocks)
        if (block.loadCase.after)
            checkHistory(block.loadCase, blocks);
    for (const CaseBlock& block : blocks)
        loading.cases.push_back(block.combination ? combinedCase(block, blocks) : block.loadCase);
    return loading;
}

namespace {

std::optional<CaseProblem> nodeLoadProblem(const LoadCase& loadCase, const Model& model) {
    std::vector<bool> loaded(model.nodes.size());
    for (const NodalLoad& load : loadCase.loads) {
        const std::vector<std::string> values{showInteger(loadCase.number), showInteger(load.node)};
        if (load.node < 1 || load.node > static_cast<long long>(model.nodes.size()))
            return CaseProblem{load.line, {Message::LoadedNodeMissing, values}};
        if (loaded[load.node - 1])
            return CaseProblem{load.line, {Message::NodeLoadedTwice, values}};
        loaded[load.node - 1] = true;
    }
    return std::nullopt;
}

std::optional<Problem> settlementProblem(const ModelLoad& load, const Model& model,
                                         const std::string& caseNumber) {
    const std::string node = showInteger(load.node);
    if (load.node < 1 || load.node > static_cast<long long>(model.nodes.size()))
        return Problem{Message::SettledNodeMissing, {caseNumber, node}};
    constexpr std::array<const char*, 3> axes{"x", "y", "z"};
    for (std::size_t axis = 0; axis < 3; ++axis)
        if (load.values[axis] != 0 && !model.nodes[load.node - 1].restrained[axis])
            return Problem{Message::SettledInFreeDirection, {caseNumber, node, axes[axis]}};
    return std::nullopt;
}

std::optional<Problem> modelLoadProblem(const ModelLoad& load, const Model& model,
                                        const std::string& caseNumber) {
    if (load.word == LoadWord::Settle)
        return settlementProblem(load, model, caseNumber);
    const auto count = static_cast<long long>(model.members.size());
    for (const auto& [first, last] : load.members.ranges)
        if (last > count)
            return Problem{Message::NamedMemberMissing,
                           {caseNumber, showInteger(std::max(first, count + 1))}};
    return std::nullopt;
}

std::string modelLoadLine(const ModelLoad& load) {
    const WordForm& form = formOf(load.word);
    std::string text(form.name);
    if (form.node)
        text += " " + std::to_string(load.node);
    for (double value : load.values)
        text += " " + exactNumber(value);
    if (form.members)
        text += " " + (load.members.set == MemberSet::All ? "all" : membersWritten(load.members));
    return text + "\r\n";
}

} // namespace

std::string_view wordOf(LoadWord word) {
    return formOf(word).name;
}

std::string membersWritten(const MemberChoice& choice) {
    if (choice.set != MemberSet::Listed)
        return choice.set == MemberSet::All
                   ? ""
                   : std::string(memberSets[static_cast<std::size_t>(choice.set)].first);
    std::string text;
    for (const auto& [first, last] : choice.ranges)
        text += (text.empty() ? "" : " ") + std::to_string(first) +
                (first == last ? "" : "-" + std::to_string(last));
    return text;
}

std::optional<CaseProblem> problemOf(const LoadCase& loadCase, const Model& model) {
    if (std::optional<CaseProblem> problem = nodeLoadProblem(loadCase, model))
        return problem;
    const std::string caseNumber = showInteger(loadCase.number);
    for (const ModelLoad& load : loadCase.modelLoads)
        if (std::optional<Problem> problem = modelLoadProblem(load, model, caseNumber))
            return CaseProblem{load.line, *problem};
    return std::nullopt;
}

std::map<int, CaseProblem> problemsOf(const Loading& loading, const Model& model) {
    std::map<int, CaseProblem> problems;
    for (const LoadCase& loadCase : loading.cases)
        if (std::optional<CaseProblem> problem = problemOf(loadCase, model))
            problems[loadCase.number] = *std::move(problem);
    // A case may come after a later one: each pass carries the problems one case further.
    for (bool carried = true; carried;) {
        carried = false;
        for (const LoadCase& loadCase : loading.cases)
            if (loadCase.after && !problems.contains(loadCase.number) &&
                problems.contains(static_cast<int>(loadCase.after->number))) {
                problems[loadCase.number] = {
                    loadCase.after->line,
                    {Message::PriorCaseNotUsable,
                     {showInteger(loadCase.number), showInteger(loadCase.after->number)}}};
                carried = true;
            }
    }
    return problems;
}

std::string writeCase(const LoadCase& loadCase) {
    std::string text = std::to_string(loadCase.number) + " " +
                       std::to_string(loadCase.loads.size()) + " " +
                       std::to_string(loadCase.steps) + "\r\n";
    for (const NodalLoad& load : loadCase.loads) {
        text += std::to_string(load.node);
        for (double component : load.force)
            text += " " + exactNumber(component);
        text += "\r\n";
    }
    for (const ModelLoad& load : loadCase.modelLoads)
        text += modelLoadLine(load);
    if (loadCase.after)
        text += std::string(afterWord) + " " + std::to_string(loadCase.after->number) + "\r\n";
    return text;
}

LoadCase readCase(std::string_view text, int number) {
    LineCursor lines(text);
    CaseBlock block = caseIn(lines, number);
    if (block.combination)
        throw InputError(block.combination->line, Message::WordNotKnown,
                         {std::string(combineWord)});
    expectEnd(lines);
    return std::move(block.loadCase);
}

} // namespace ombrix
