// The analysis that Prepare and Forces have left in the working folder, as Forces and
// Solve take it: only when the records show that it was made from the files as they now
// stand, and otherwise a StepFailure that says which step to run again. The files that
// name the analysis ("work_dir.dat", "Comomb.dat") and the entries of the records
// ("Prepare.rec", "Forces.rec", lines as handoff/records.h writes them) are written here
// too, beside the code that reads them back.
#pragma once

#include "handoff/records.h"
#include "model.h"
#include "reports.h"
#include "storage.h"

#include <string>

namespace ombrix {

struct PreparedAnalysis {
    std::string folder; // the working folder
    std::string geometryFile;
    std::string outputFile;
    ReportStyle style;
    Model model;
    std::string preparedRecord; // "Prepare.rec" as it stands
};

struct PreparedLoads {
    handoff::Record record;
    std::string recordText; // "Forces.rec" as it stands
};

// "work_dir.dat": the working folder, on its first line.
std::string workDirText(const std::string& folder);

// "Comomb.dat": where and how the later steps report, as Prepare was asked; the shell
// reads the language from its last line.
struct SharedParameters {
    std::string geometryFile; // full paths
    std::string outputFile;
    std::string listType;
    std::string language;
};
std::string sharedParametersText(const SharedParameters& parameters);

// "Prepare.rec": the geometry file read, the prepared model as written and the output file.
std::string preparedRecordText(const handoff::FileStamp& geometry, const handoff::FileStamp& model,
                               const std::string& outputFile);

// "Forces.rec" begun: "Prepare.rec" as it stood and the loading file read; each case
// prepared is added to it.
handoff::Record loadsRecord(const PreparedAnalysis& analysis, handoff::FileStamp loading);
void addPreparedCase(handoff::Record& record, int caseNumber, handoff::FileStamp caseFile);

// The working folder named by "work_dir.dat", or the one given, and the parameters of its
// "Comomb.dat": enough to say where and how to report. The model is not yet taken.
PreparedAnalysis openWorkingFolder(const Storage& storage);
PreparedAnalysis openWorkingFolder(const Storage& storage, const std::string& folder);

// Takes the prepared model when "Prepare.rec" shows it was made from the geometry file as
// it now stands.
void takePreparedModel(const Storage& storage, PreparedAnalysis& analysis);

// The record of the prepared cases, when Forces made them for this preparation from the
// loading file as it now stands.
PreparedLoads takePreparedLoads(const Storage& storage, const PreparedAnalysis& analysis);

// Whether the contents are what the stamp recorded.
bool matches(const handoff::FileStamp& stamp, std::string_view contents);

// The stamp of the case file "<k>.unf" as Forces wrote it; null for a case not prepared.
const handoff::FileStamp* preparedCase(const PreparedLoads& loads, int caseNumber);

} // namespace ombrix
