#include "exports.h"

#include "member_law.h"
#include "numbers.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

namespace ombrix {
namespace {

constexpr const char* crlf = "\r\n";

struct FormatName {
    ExportFormat format;
    const char* extension;
};
constexpr std::array<FormatName, 3> formatNames{{
    {ExportFormat::Csv, "csv"},
    {ExportFormat::Dxf, "dxf"},
    {ExportFormat::Vtk, "vtk"},
}};

Point displacedPosition(const Model& model, const CaseResults& results, int node) {
    const auto n = static_cast<std::size_t>(node);
    const Point& at = model.nodes[n].position;
    const Point& moved = results.displacements[n];
    return {at[0] + moved[0], at[1] + moved[1], at[2] + moved[2]};
}

// Numbers separated, each as exactNumber writes it. The files run to tens of megabytes:
// everything is added to the one text, without a string of its own.
void addNumbers(std::string& text, const Point& values, char separator) {
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (k)
            text += separator;
        appendExactNumber(text, values[k]);
    }
}

// An empty text with room for the longest the file can be: growing one of tens of megabytes
// would copy it, and the numbers of a real case run longer than any typical length.
constexpr std::size_t longestNumber = 24; // "-1.2345678901234567e-308", as exactNumber writes
constexpr std::size_t longestCount = 20;  // a node's or member's number
constexpr std::size_t numbersLine(std::size_t numbers) {
    return longestCount + numbers * (longestNumber + 1) + 2;
}
struct BytesPer {
    std::size_t node;
    std::size_t member;
};
std::string reserved(const Model& model, BytesPer bytes) {
    std::string text;
    text.reserve(1024 + bytes.node * model.nodes.size() + bytes.member * model.members.size());
    return text;
}

void addNumber(std::string& text, std::size_t number) {
    std::array<char, 24> digits{};
    text.append(digits.data(),
                std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr);
}

// CSV: the nodes, the members and the reactions, each under a line naming the part and a
// line of the columns' names, a blank line between the parts.
void addCsvNodes(std::string& text, const Model& model, const CaseResults& results) {
    text += "nodes\r\nnode,x,y,z,ux,uy,uz\r\n";
    for (std::size_t n = 0; n < model.nodes.size(); ++n) {
        addNumber(text, n + 1);
        text += ',';
        addNumbers(text, model.nodes[n].position, ',');
        text += ',';
        addNumbers(text, results.displacements[n], ',');
        text += crlf;
    }
}

void addCsvMembers(std::string& text, const Model& model, const CaseResults& results) {
    text += "members\r\nmember,first node,second node,kind,axial force,stressed length,"
            "unstressed length,slack\r\n";
    for (std::size_t m = 0; m < model.members.size(); ++m) {
        const Member& member = model.members[m];
        const Point a = displacedPosition(model, results, member.first);
        const Point b = displacedPosition(model, results, member.second);
        const double dx = b[0] - a[0], dy = b[1] - a[1], dz = b[2] - a[2];
        addNumber(text, m + 1);
        text += ',';
        addNumber(text, static_cast<std::size_t>(member.first) + 1);
        text += ',';
        addNumber(text, static_cast<std::size_t>(member.second) + 1);
        text += member.kind == MemberKind::Cable ? ",cable," : ",bar,";
        addNumbers(text,
                   {results.axialForces[m], std::sqrt(dx * dx + dy * dy + dz * dz),
                    MemberLaw::of(model, member).unstressedLength()},
                   ',');
        text += isSlackCable(model, results, m) ? ",yes\r\n" : ",no\r\n";
    }
}

void addCsvReactions(std::string& text, const Model& model, const CaseResults& results) {
    text += "reactions\r\nnode,Rx,Ry,Rz\r\n";
    const std::vector<bool> held = heldNodes(model);
    for (std::size_t n = 0; n < held.size(); ++n)
        if (held[n]) {
            addNumber(text, n + 1);
            text += ',';
            addNumbers(text, results.reactions[n], ',');
            text += crlf;
        }
}

std::string csvText(const Model& model, const CaseResults& results) {
    std::string text = reserved(model, {numbersLine(6) + numbersLine(3), numbersLine(6) + 16});
    addCsvNodes(text, model, results);
    text += crlf;
    addCsvMembers(text, model, results);
    text += crlf;
    addCsvReactions(text, model, results);
    return text;
}

// DXF (R12): a layer for each kind, in a colour of the CAD palette, then a 3-D LINE for
// each member as given and as displaced.
struct Layer {
    const char* name;
    int colour;
};
constexpr Layer barsLayer{"BARS", 7}, cablesLayer{"CABLES", 1}, slackLayer{"SLACK_CABLES", 8},
    displacedLayer{"DISPLACED", 5};

// A group: its code right-aligned in three characters, as CAD programs write it, then its
// value, each on a line of its own.
void addGroup(std::string& text, int code, std::string_view value) {
    std::array<char, 8> digits{};
    char* const end = std::to_chars(digits.data(), digits.data() + digits.size(), code).ptr;
    const auto width = static_cast<std::size_t>(end - digits.data());
    text.append(width < 3 ? 3 - width : 0, ' ').append(digits.data(), end);
    ((text += crlf) += value) += crlf;
}

void addDxfTables(std::string& text) {
    for (const auto& [code, value] : std::initializer_list<std::pair<int, const char*>>{
             {0, "SECTION"}, {2, "HEADER"},     {9, "$ACADVER"}, {1, "AC1009"},     {0, "ENDSEC"},
             {0, "SECTION"}, {2, "TABLES"},     {0, "TABLE"},    {2, "LTYPE"},      {70, "1"},
             {0, "LTYPE"},   {2, "CONTINUOUS"}, {70, "0"},       {3, "Solid line"}, {72, "65"},
             {73, "0"},      {40, "0.0"},       {0, "ENDTAB"},   {0, "TABLE"},      {2, "LAYER"},
             {70, "5"}})
        addGroup(text, code, value);
    for (const Layer& layer : {Layer{"0", 7}, barsLayer, cablesLayer, slackLayer, displacedLayer}) {
        addGroup(text, 0, "LAYER");
        addGroup(text, 2, layer.name);
        addGroup(text, 70, "0");
        addGroup(text, 62, std::to_string(layer.colour));
        addGroup(text, 6, "CONTINUOUS");
    }
    addGroup(text, 0, "ENDTAB");
    addGroup(text, 0, "ENDSEC");
}

// The groups of a point's x, y and z: 10, 20, 30 for a line's start, 11, 21, 31 for its end.
using PointCodes = std::array<const char*, 3>;
constexpr PointCodes startCodes{" 10\r\n", " 20\r\n", " 30\r\n"};
constexpr PointCodes endCodes{" 11\r\n", " 21\r\n", " 31\r\n"};

void addPoint(std::string& text, const PointCodes& codes, const Point& point) {
    for (std::size_t axis = 0; axis < 3; ++axis) {
        text += codes[axis];
        appendExactNumber(text, point[axis]);
        text += crlf;
    }
}

void addLine(std::string& text, const Layer& layer, const Point& from, const Point& to) {
    addGroup(text, 0, "LINE");
    addGroup(text, 8, layer.name);
    addPoint(text, startCodes, from);
    addPoint(text, endCodes, to);
}

const Layer& layerOf(const Model& model, const CaseResults& results, std::size_t member) {
    if (model.members[member].kind == MemberKind::Bar)
        return barsLayer;
    return isSlackCable(model, results, member) ? slackLayer : cablesLayer;
}

std::string dxfText(const Model& model, const CaseResults& results) {
    std::string text = reserved(model, {0, 2 * (30 + 6 * (longestNumber + 7))});
    addDxfTables(text);
    addGroup(text, 0, "SECTION");
    addGroup(text, 2, "ENTITIES");
    for (std::size_t m = 0; m < model.members.size(); ++m) {
        const Member& member = model.members[m];
        addLine(text, layerOf(model, results, m),
                model.nodes[static_cast<std::size_t>(member.first)].position,
                model.nodes[static_cast<std::size_t>(member.second)].position);
    }
    for (const Member& member : model.members)
        addLine(text, displacedLayer, displacedPosition(model, results, member.first),
                displacedPosition(model, results, member.second));
    addGroup(text, 0, "ENDSEC");
    addGroup(text, 0, "EOF");
    return text;
}

// VTK: the legacy ASCII format, an unstructured grid of lines (cell type 3) on the nodes
// as given; lines end in LF alone, as its readers expect.
std::string vtkText(const Model& model, const CaseResults& results) {
    const std::string nodes = std::to_string(model.nodes.size());
    const std::string members = std::to_string(model.members.size());
    std::string text = reserved(model, {2 * numbersLine(3), numbersLine(3) + 4});
    text += "# vtk DataFile Version 3.0\nOMBRIX case " + std::to_string(results.loadCase) +
            "\nASCII\nDATASET UNSTRUCTURED_GRID\nPOINTS " + nodes + " double\n";
    for (const Node& node : model.nodes) {
        addNumbers(text, node.position, ' ');
        text += '\n';
    }
    text += "CELLS " + members + " " + std::to_string(3 * model.members.size()) + "\n";
    for (const Member& member : model.members) {
        text += "2 ";
        addNumber(text, static_cast<std::size_t>(member.first));
        text += ' ';
        addNumber(text, static_cast<std::size_t>(member.second));
        text += '\n';
    }
    text += "CELL_TYPES " + members + "\n";
    for (std::size_t m = 0; m < model.members.size(); ++m)
        text += "3\n";
    text += "POINT_DATA " + nodes + "\nVECTORS displacement double\n";
    for (const Point& displacement : results.displacements) {
        addNumbers(text, displacement, ' ');
        text += '\n';
    }
    text += "CELL_DATA " + members + "\nSCALARS axial_force double 1\nLOOKUP_TABLE default\n";
    for (const double force : results.axialForces) {
        appendExactNumber(text, force);
        text += '\n';
    }
    return text;
}

} // namespace

std::optional<ExportFormat> exportFormatNamed(std::string_view name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const FormatName& known : formatNames)
        if (lower == known.extension)
            return known.format;
    return std::nullopt;
}

const char* extensionOf(ExportFormat format) {
    for (const FormatName& known : formatNames)
        if (known.format == format)
            return known.extension;
    return "";
}

void writeExport(Storage& storage, const SolvedAnalysis& solved, int caseNumber,
                 ExportFormat format, const std::string& path) {
    const CaseResults results =
        readCaseResults(storage, solved, solvedCase(solved, caseNumber).number);
    writeOutputFile(storage, solved.analysis, path, exportText(format, solved.analysis.model, results));
}

std::string exportText(ExportFormat format, const Model& model, const CaseResults& results) {
    switch (format) {
    case ExportFormat::Csv: return csvText(model, results);
    case ExportFormat::Dxf: return dxfText(model, results);
    case ExportFormat::Vtk: return vtkText(model, results);
    }
    return {};
}

} // namespace ombrix
