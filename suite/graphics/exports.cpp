#include "exports.h"

#include "member_law.h"
#include "numbers.h"

#include <algorithm>
#include <array>
#include <cctype>
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

// Numbers separated, each as exactNumber writes it.
void addNumbers(std::string& text, const Point& values, const char* separator) {
    for (std::size_t k = 0; k < values.size(); ++k)
        (text += k ? separator : "") += exactNumber(values[k]);
}

// CSV: the nodes, the members and the reactions, each under a line naming the part and a
// line of the columns' names, a blank line between the parts.
void addCsvNodes(std::string& text, const Model& model, const CaseResults& results) {
    text += "nodes\r\nnode,x,y,z,ux,uy,uz\r\n";
    for (std::size_t n = 0; n < model.nodes.size(); ++n) {
        text += std::to_string(n + 1) + ",";
        addNumbers(text, model.nodes[n].position, ",");
        text += ",";
        addNumbers(text, results.displacements[n], ",");
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
        text += std::to_string(m + 1) + "," + std::to_string(member.first + 1) + "," +
                std::to_string(member.second + 1) + "," +
                (member.kind == MemberKind::Cable ? "cable," : "bar,") +
                exactNumber(results.axialForces[m]) + "," +
                exactNumber(std::hypot(b[0] - a[0], b[1] - a[1], b[2] - a[2])) + "," +
                exactNumber(MemberLaw::of(model, member).unstressedLength()) + "," +
                (isSlackCable(model, results, m) ? "yes" : "no") + crlf;
    }
}

void addCsvReactions(std::string& text, const Model& model, const CaseResults& results) {
    text += "reactions\r\nnode,Rx,Ry,Rz\r\n";
    const std::vector<bool> held = heldNodes(model);
    for (std::size_t n = 0; n < held.size(); ++n)
        if (held[n]) {
            text += std::to_string(n + 1) + ",";
            addNumbers(text, results.reactions[n], ",");
            text += crlf;
        }
}

std::string csvText(const Model& model, const CaseResults& results) {
    std::string text;
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

void addGroup(std::string& text, int code, const std::string& value) {
    const std::string number = std::to_string(code);
    text.append(3 - std::min<std::size_t>(number.size(), 3), ' ');
    text += number + crlf + value + crlf;
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

void addLine(std::string& text, const Layer& layer, const Point& from, const Point& to) {
    addGroup(text, 0, "LINE");
    addGroup(text, 8, layer.name);
    for (int axis = 0; axis < 3; ++axis)
        addGroup(text, 10 + 10 * axis, exactNumber(from[static_cast<std::size_t>(axis)]));
    for (int axis = 0; axis < 3; ++axis)
        addGroup(text, 11 + 10 * axis, exactNumber(to[static_cast<std::size_t>(axis)]));
}

const Layer& layerOf(const Model& model, const CaseResults& results, std::size_t member) {
    if (model.members[member].kind == MemberKind::Bar)
        return barsLayer;
    return isSlackCable(model, results, member) ? slackLayer : cablesLayer;
}

std::string dxfText(const Model& model, const CaseResults& results) {
    std::string text;
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
    std::string text = "# vtk DataFile Version 3.0\nOMBRIX case " +
                       std::to_string(results.loadCase) +
                       "\nASCII\nDATASET UNSTRUCTURED_GRID\nPOINTS " + nodes + " double\n";
    for (const Node& node : model.nodes) {
        addNumbers(text, node.position, " ");
        text += "\n";
    }
    text += "CELLS " + members + " " + std::to_string(3 * model.members.size()) + "\n";
    for (const Member& member : model.members)
        text += "2 " + std::to_string(member.first) + " " + std::to_string(member.second) + "\n";
    text += "CELL_TYPES " + members + "\n";
    for (std::size_t m = 0; m < model.members.size(); ++m)
        text += "3\n";
    text += "POINT_DATA " + nodes + "\nVECTORS displacement double\n";
    for (const Point& displacement : results.displacements) {
        addNumbers(text, displacement, " ");
        text += "\n";
    }
    text += "CELL_DATA " + members + "\nSCALARS axial_force double 1\nLOOKUP_TABLE default\n";
    for (const double force : results.axialForces)
        text += exactNumber(force) + "\n";
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
    writeOutputFile(storage, path, exportText(format, solved.analysis.model, results));
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
