#include "geometry.h"

#include "input_error.h"
#include "member_law.h"
#include "numbers.h"
#include "text_lines.h"

#include <algorithm>
#include <cmath>

namespace ombrix {
namespace {

template <typename Item> struct Numbered {
    long long number = 0;
    int line = 0;
    Item item;
};

// Items given in any order, numbered 1..count, each once.
template <typename Item>
std::vector<Item> inNumberOrder(std::vector<Numbered<Item>> numbered, Message givenTwice) {
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const auto& a, const auto& b) { return a.number < b.number; });
    const auto twice =
        std::adjacent_find(numbered.begin(), numbered.end(),
                           [](const auto& a, const auto& b) { return a.number == b.number; });
    if (twice != numbered.end()) {
        const auto& later = std::max(twice[0], twice[1],
                                     [](const auto& a, const auto& b) { return a.line < b.line; });
        throw InputError(later.line, givenTwice, {showInteger(later.number)});
    }
    std::vector<Item> items;
    items.reserve(numbered.size());
    for (auto& entry : numbered)
        items.push_back(std::move(entry.item));
    return items;
}

long long itemNumberIn(std::string_view field, int line, long long count, Message outOfRange) {
    const long long number = integerIn(field, line);
    if (number < 1 || number > count)
        throw InputError(line, outOfRange, {showInteger(number), showInteger(count)});
    return number;
}

StrainLaw lawIn(std::string_view field, int line) {
    if (field == "E" || field == "e")
        return StrainLaw::Engineering;
    if (field == "G" || field == "g")
        return StrainLaw::Green;
    throw InputError(line, Message::LawNotKnown, {std::string(field)});
}

struct Counts {
    long long nodes = 0;
    long long members = 0;
};

Counts readCounts(LineCursor& lines, Model& model) {
    const std::optional<TextLine> line = lines.nextData();
    if (!line)
        throw InputError(lines.lineAfterEnd(), Message::CountsMissing);
    const std::vector<std::string_view> fields = fieldsOf(line->text);
    if (fields.size() < 2 || fields.size() > 3)
        throw InputError(line->number, Message::CountsLine);
    const Counts counts{integerIn(fields[0], line->number), integerIn(fields[1], line->number)};
    if (counts.nodes < 2 || counts.nodes > mostNodes)
        throw InputError(line->number, Message::NodeCountOutOfRange, {showInteger(mostNodes)});
    if (counts.members < 1 || counts.members > mostMembers)
        throw InputError(line->number, Message::MemberCountOutOfRange, {showInteger(mostMembers)});
    if (fields.size() == 3)
        model.law = lawIn(fields[2], line->number);
    return counts;
}

bool restraintIn(std::string_view field, int line) {
    if (field != "0" && field != "1")
        throw InputError(line, Message::RestraintNotZeroOrOne, {std::string(field)});
    return field == "1";
}

Numbered<Node> nodeIn(const TextLine& line, long long count) {
    const std::vector<std::string_view> fields = fieldsOf(line, 7, 7);
    Numbered<Node> node{itemNumberIn(fields[0], line.number, count, Message::NodeNumberOutOfRange),
                        line.number,
                        {}};
    for (int axis = 0; axis < 3; ++axis) {
        node.item.position[axis] = numberIn(fields[1 + axis], line.number);
        if (!(std::abs(node.item.position[axis]) <= largestCoordinate))
            throw InputError(line.number, Message::CoordinateOutOfRange,
                             {showNumber(largestCoordinate)});
        node.item.restrained[axis] = restraintIn(fields[4 + axis], line.number);
    }
    return node;
}

MemberKind kindIn(std::string_view field, int line) {
    if (field == "B" || field == "b")
        return MemberKind::Bar;
    if (field == "C" || field == "c")
        return MemberKind::Cable;
    throw InputError(line, Message::KindNotKnown, {std::string(field)});
}

int endNodeIn(std::string_view field, int line, const std::string& member, const Model& model) {
    const long long node = integerIn(field, line);
    if (node < 1 || node > static_cast<long long>(model.nodes.size()))
        throw InputError(line, Message::MemberNodeMissing, {member, showInteger(node)});
    return static_cast<int>(node - 1);
}

bool within(double value, double least, double most) {
    return value >= least && value <= most;
}

void checkMember(const Member& member, const std::string& number, int line, const Model& model) {
    if (!(lengthOf(model, member) >= shortestLength))
        throw InputError(line, Message::MemberTooShort, {number, showNumber(shortestLength)});
    if (!(member.axialStiffness > 0))
        throw InputError(line, Message::StiffnessNotPositive, {number});
    if (!within(member.axialStiffness, leastStiffness, largestStiffness))
        throw InputError(line, Message::StiffnessOutOfRange,
                         {number, showNumber(leastStiffness), showNumber(largestStiffness)});
    if (!(std::abs(member.initialForce) <= largestForce))
        throw InputError(line, Message::InitialForceOutOfRange, {number, showNumber(largestForce)});
    if (member.unstressedLength && !(*member.unstressedLength > 0))
        throw InputError(line, Message::UnstressedLengthNotPositive, {number});
    if (!member.unstressedLength && model.law == StrainLaw::Engineering &&
        !(member.axialStiffness + member.initialForce > 0))
        throw InputError(line, Message::InitialForceTooLow, {number});
    // A Green member without L0 has no unstressed length when its initial force is large.
    if (!member.unstressedLength && model.law == StrainLaw::Green)
        return;
    const double unstressed = MemberLaw::of(model, member).unstressedLength();
    if (!within(unstressed, shortestLength, longestUnstressedLength))
        throw InputError(line, Message::UnstressedLengthOutOfRange,
                         {number, showNumber(unstressed), showNumber(shortestLength),
                          showNumber(longestUnstressedLength)});
}

Numbered<Member> memberIn(const TextLine& line, long long count, const Model& model) {
    const std::vector<std::string_view> fields = fieldsOf(line, 6, 7);
    const long long number =
        itemNumberIn(fields[0], line.number, count, Message::MemberNumberOutOfRange);
    const std::string name = showInteger(number);
    Member member;
    member.first = endNodeIn(fields[1], line.number, name, model);
    member.second = endNodeIn(fields[2], line.number, name, model);
    member.kind = kindIn(fields[3], line.number);
    member.axialStiffness = numberIn(fields[4], line.number);
    member.initialForce = numberIn(fields[5], line.number);
    if (fields.size() == 7) {
        member.unstressedLength = numberIn(fields[6], line.number);
        member.initialForce = 0;
    }
    checkMember(member, name, line.number, model);
    return {number, line.number, member};
}

TextLine expectData(LineCursor& lines, Message missing, std::vector<std::string> values) {
    std::optional<TextLine> line = lines.nextData();
    if (!line)
        throw InputError(lines.lineAfterEnd(), missing, std::move(values));
    return *line;
}

} // namespace

Model readGeometry(std::string_view text) {
    LineCursor lines(text);
    Model model;
    model.heading = std::string(headingOf(lines).text);
    const Counts counts = readCounts(lines, model);

    std::vector<Numbered<Node>> nodes;
    for (long long k = 0; k < counts.nodes; ++k)
        nodes.push_back(nodeIn(expectData(lines, Message::NodeLineMissing,
                                          {showInteger(k), showInteger(counts.nodes)}),
                               counts.nodes));
    model.nodes = inNumberOrder(std::move(nodes), Message::NodeGivenTwice);

    std::vector<Numbered<Member>> members;
    for (long long k = 0; k < counts.members; ++k)
        members.push_back(memberIn(expectData(lines, Message::MemberLineMissing,
                                              {showInteger(k), showInteger(counts.members)}),
                                   counts.members, model));
    model.members = inNumberOrder(std::move(members), Message::MemberGivenTwice);

    if (const std::optional<TextLine> extra = lines.nextData())
        throw InputError(extra->number, Message::LineAfterEnd);
    return model;
}

std::string writeGeometry(const Model& model) {
    std::string text = headingLine(model.heading);
    text += std::to_string(model.nodes.size()) + " " + std::to_string(model.members.size()) +
            (model.law == StrainLaw::Green ? " G" : " E") + "\r\n";
    for (std::size_t n = 0; n < model.nodes.size(); ++n) {
        const Node& node = model.nodes[n];
        text += std::to_string(n + 1);
        for (double coordinate : node.position)
            text += " " + exactNumber(coordinate);
        for (bool restrained : node.restrained)
            text += restrained ? " 1" : " 0";
        text += "\r\n";
    }
    for (std::size_t m = 0; m < model.members.size(); ++m) {
        const Member& member = model.members[m];
        text += std::to_string(m + 1) + " " + std::to_string(member.first + 1) + " " +
                std::to_string(member.second + 1) +
                (member.kind == MemberKind::Cable ? " C " : " B ") +
                exactNumber(member.axialStiffness) + " " + exactNumber(member.initialForce);
        if (member.unstressedLength)
            text += " " + exactNumber(*member.unstressedLength);
        text += "\r\n";
    }
    return text;
}

} // namespace ombrix
