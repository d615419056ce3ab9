#include "compound_map.h"

#include "geometry.h"
#include "handoff/records.h"
#include "input_error.h"
#include "numbers.h"
#include "text_lines.h"

#include <charconv>
#include <limits>
#include <set>
#include <utility>

namespace ombrix {
namespace {

constexpr std::string_view mapHeading = "OMBRIX compound map";
constexpr long long mostParts = 10'000;
constexpr std::size_t anyCount = std::numeric_limits<std::size_t>::max();

std::string countText(std::size_t count) {
    return showInteger(static_cast<long long>(count));
}

std::string itemsText(const std::vector<PartItem>& items) {
    std::string text;
    for (const PartItem& item : items)
        text += " " + showInteger(item.part) + " " + showInteger(item.number);
    return text;
}

struct MapLine {
    TextLine line;
    std::vector<std::string_view> fields;
};

// The next data line, "<word> ..." with `count` to `most` values (or at least `count`);
// otherwise InputError saying what was expected there.
MapLine expectLine(LineCursor& lines, std::string_view word, const std::string& shape,
                   std::size_t count, std::size_t most) {
    const std::optional<TextLine> line = lines.nextData();
    if (!line)
        throw InputError(lines.lineAfterEnd(), Message::ResultsLineExpected, {shape});
    const std::vector<std::string_view> fields = fieldsOf(line->text);
    if (fields[0] != word || (most == anyCount && fields.size() < count))
        throw InputError(line->number, Message::ResultsLineExpected, {shape});
    return {*line, fieldsOf(*line, count, most)};
}

// "<word> <expected> ...": the items of each kind come in the order of their numbers.
MapLine numberedLine(LineCursor& lines, const std::string& word, std::size_t expected,
                     const std::string& rest, std::size_t count, std::size_t most) {
    const std::string shape = word + " " + countText(expected) + " " + rest;
    MapLine read = expectLine(lines, word, shape, count, most);
    if (integerIn(read.fields[1], read.line.number) != static_cast<long long>(expected))
        throw InputError(read.line.number, Message::ResultsLineExpected, {shape});
    return read;
}

// What the line holds after a field: the part's file name, blanks and all.
std::string restAfter(const TextLine& line, std::string_view field) {
    const auto end = static_cast<std::size_t>(field.data() - line.text.data()) + field.size();
    const std::string_view rest = line.text.substr(end);
    const std::size_t first = rest.find_first_not_of(" \t,");
    if (first == std::string_view::npos)
        return {};
    return std::string(rest.substr(first, rest.find_last_not_of(" \t") - first + 1));
}

// The line that starts with the word, taken when it comes next; otherwise nothing taken.
std::optional<TextLine> optionalLine(LineCursor& lines, std::string_view word) {
    LineCursor ahead = lines;
    const std::optional<TextLine> line = ahead.nextData();
    if (!line || fieldsOf(line->text)[0] != word)
        return std::nullopt;
    lines = ahead;
    return line;
}

// The digest and size of "<word> ... digest size [rest]", from the field at `first`.
FileMark markIn(const MapLine& read, std::size_t first, const std::string& shape) {
    const std::string_view digest = read.fields[first];
    FileMark mark;
    const auto [end, error] =
        std::from_chars(digest.data(), digest.data() + digest.size(), mark.digest, 16);
    const long long size = integerIn(read.fields[first + 1], read.line.number);
    if (error != std::errc() || end != digest.data() + digest.size() || digest.size() != 16 ||
        size < 0)
        throw InputError(read.line.number, Message::ResultsLineExpected, {shape});
    mark.size = static_cast<std::uint64_t>(size);
    return mark;
}

std::optional<FileMark> compoundIn(LineCursor& lines) {
    const std::optional<TextLine> line = optionalLine(lines, "compound");
    if (!line)
        return std::nullopt;
    const std::string shape = "compound digest size";
    return markIn({*line, fieldsOf(*line, 3, 3)}, 1, shape);
}

std::optional<FileMark> sourceIn(LineCursor& lines, std::size_t part) {
    const std::optional<TextLine> line = optionalLine(lines, "source");
    if (!line)
        return std::nullopt;
    const std::string shape = "source " + countText(part) + " digest size time";
    const MapLine read{*line, fieldsOf(*line, 4, anyCount)};
    if (integerIn(read.fields[1], line->number) != static_cast<long long>(part))
        throw InputError(line->number, Message::ResultsLineExpected, {shape});
    FileMark mark = markIn(read, 2, shape);
    mark.time = restAfter(*line, read.fields[3]);
    return mark;
}

std::string markText(const FileMark& mark) {
    return handoff::digestText(mark.digest) + " " + std::to_string(mark.size);
}

struct Counts {
    long long parts = 0;
    long long nodes = 0;
    long long members = 0;
};

Counts countsIn(LineCursor& lines, const Model* compound) {
    const MapLine read = expectLine(lines, "counts", "counts parts nodes members", 4, 4);
    const int number = read.line.number;
    const Counts counts{integerIn(read.fields[1], number), integerIn(read.fields[2], number),
                        integerIn(read.fields[3], number)};
    if (counts.parts < 1 || counts.parts > mostParts)
        throw InputError(number, Message::PartNumberOutOfRange,
                         {showInteger(counts.parts), showInteger(mostParts)});
    if (counts.nodes < 2 || counts.nodes > mostNodes)
        throw InputError(number, Message::NodeCountOutOfRange, {showInteger(mostNodes)});
    if (counts.members < 1 || counts.members > mostMembers)
        throw InputError(number, Message::MemberCountOutOfRange, {showInteger(mostMembers)});
    if (compound && (counts.nodes != static_cast<long long>(compound->nodes.size()) ||
                     counts.members != static_cast<long long>(compound->members.size())))
        throw InputError(number, Message::MapOfOtherCompound,
                         {showInteger(counts.nodes), showInteger(counts.members),
                          countText(compound->nodes.size()), countText(compound->members.size())});
    return counts;
}

CompoundMap::PartEntry partIn(LineCursor& lines, std::size_t expected) {
    const MapLine read =
        numberedLine(lines, "part", expected, "dx dy dz rotation file", 7, anyCount);
    const int number = read.line.number;
    CompoundMap::PartEntry part;
    for (int axis = 0; axis < 3; ++axis)
        part.placement.shift[axis] = numberIn(read.fields[2 + axis], number);
    part.placement.rotation = numberIn(read.fields[5], number);
    part.file = restAfter(read.line, read.fields[5]);
    part.source = sourceIn(lines, expected);
    return part;
}

// A part's node or member, each taken once.
class ItemReader {
  public:
    ItemReader(long long parts, long long most, Message outOfRange, Message givenTwice)
        : parts_(parts), most_(most), outOfRange_(outOfRange), givenTwice_(givenTwice) {}

    PartItem itemIn(std::string_view part, std::string_view number, int line) {
        const PartItem item{static_cast<int>(integerIn(part, line)),
                            static_cast<int>(integerIn(number, line))};
        if (item.part < 1 || item.part > parts_)
            throw InputError(line, Message::PartNumberOutOfRange,
                             {showInteger(item.part), showInteger(parts_)});
        if (item.number < 1 || item.number > most_)
            throw InputError(line, outOfRange_, {showInteger(item.number), showInteger(most_)});
        if (!seen_.insert({item.part, item.number}).second)
            throw InputError(line, givenTwice_, {showInteger(item.number), showInteger(item.part)});
        return item;
    }

  private:
    long long parts_;
    long long most_;
    Message outOfRange_;
    Message givenTwice_;
    std::set<std::pair<int, int>> seen_;
};

std::vector<PartItem> nodeIn(LineCursor& lines, std::size_t expected, ItemReader& items) {
    const MapLine read =
        numberedLine(lines, "node", expected, "part node [part node ...]", 4, anyCount);
    if (read.fields.size() % 2 != 0)
        throw InputError(read.line.number, Message::ResultsLineExpected,
                         {"node " + countText(expected) + " part node [part node ...]"});
    std::vector<PartItem> merged;
    for (std::size_t k = 2; k < read.fields.size(); k += 2)
        merged.push_back(items.itemIn(read.fields[k], read.fields[k + 1], read.line.number));
    return merged;
}

PartItem memberIn(LineCursor& lines, std::size_t expected, ItemReader& items) {
    const MapLine read = numberedLine(lines, "member", expected, "part member", 4, 4);
    return items.itemIn(read.fields[2], read.fields[3], read.line.number);
}

} // namespace

std::string writeMap(const CompoundMap& map) {
    std::string text = std::string(mapHeading) + "\r\ncounts " + countText(map.parts.size()) + " " +
                       countText(map.nodes.size()) + " " + countText(map.members.size()) + "\r\n";
    if (map.compound)
        text += "compound " + markText(*map.compound) + "\r\n";
    for (std::size_t k = 0; k < map.parts.size(); ++k) {
        const Placement& placement = map.parts[k].placement;
        text += "part " + countText(k + 1);
        for (double shift : placement.shift)
            text += " " + exactNumber(shift);
        text += " " + exactNumber(placement.rotation) + " " + map.parts[k].file + "\r\n";
        if (const std::optional<FileMark>& source = map.parts[k].source)
            text += "source " + countText(k + 1) + " " + markText(*source) +
                    (source->time.empty() ? "" : " " + source->time) + "\r\n";
    }
    for (std::size_t n = 0; n < map.nodes.size(); ++n)
        text += "node " + countText(n + 1) + itemsText(map.nodes[n]) + "\r\n";
    for (std::size_t m = 0; m < map.members.size(); ++m)
        text += "member " + countText(m + 1) + itemsText({map.members[m]}) + "\r\n";
    return text;
}

CompoundMap readMap(std::string_view text, const Model* compound) {
    LineCursor lines(text);
    const TextLine heading = headingOf(lines);
    if (heading.text.substr(0, heading.text.find_last_not_of(" \t") + 1) != mapHeading)
        throw InputError(heading.number, Message::ResultsLineExpected, {std::string(mapHeading)});
    const Counts counts = countsIn(lines, compound);
    CompoundMap map;
    map.compound = compoundIn(lines);
    for (long long k = 1; k <= counts.parts; ++k)
        map.parts.push_back(partIn(lines, static_cast<std::size_t>(k)));
    ItemReader nodes(counts.parts, mostNodes, Message::NodeNumberOutOfRange,
                     Message::PartNodeGivenTwice);
    for (long long n = 1; n <= counts.nodes; ++n)
        map.nodes.push_back(nodeIn(lines, static_cast<std::size_t>(n), nodes));
    ItemReader members(counts.parts, mostMembers, Message::MemberNumberOutOfRange,
                       Message::PartMemberGivenTwice);
    for (long long m = 1; m <= counts.members; ++m)
        map.members.push_back(memberIn(lines, static_cast<std::size_t>(m), members));
    if (const std::optional<TextLine> extra = lines.nextData())
        throw InputError(extra->number, Message::LineAfterEnd);
    return map;
}

} // namespace ombrix
