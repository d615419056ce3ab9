// A solved case written for other programs: a spreadsheet (CSV), a CAD drawing (DXF) or a
// mesh viewer (VTK), as docs/file-formats.md describes each. Every number reads back as
// the value it was (the shortest text that does).
#pragma once

#include "view_files.h"

#include <optional>
#include <string>
#include <string_view>

namespace ombrix {

enum class ExportFormat { Csv, Dxf, Vtk };

// "csv", "dxf" or "vtk" (in any case of its letters), or nothing.
std::optional<ExportFormat> exportFormatNamed(std::string_view name);
const char* extensionOf(ExportFormat format); // "csv", ...

// The case's file in the format: the model as given and the case's results on it.
std::string exportText(ExportFormat format, const Model& model, const CaseResults& results);

// The solved case's file written whole, or FileRefused saying why not (its results refused
// as the graph programs refuse them, or the file not written).
void writeExport(Storage& storage, const SolvedAnalysis& solved, int caseNumber,
                 ExportFormat format, const std::string& path);

} // namespace ombrix
