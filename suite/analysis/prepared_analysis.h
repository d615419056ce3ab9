// The analysis that Prepare and Forces have left in the working folder, as Forces and
// Solve take it: only when the records show that it was made from the files as they now
// stand, and otherwise a StepFailure that says which step to run again.
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

// The working folder named by "work_dir.dat" and the parameters of its "Comomb.dat":
// enough to say where and how to report. The model is not yet taken.
PreparedAnalysis openWorkingFolder(const Storage& storage);

// Takes the prepared model when "Prepare.rec" shows it was made from the geometry file as
// it now stands.
void takePreparedModel(const Storage& storage, PreparedAnalysis& analysis);

// The record of the prepared cases, when Forces made them for this preparation from the
// loading file as it now stands.
PreparedLoads takePreparedLoads(const Storage& storage, const PreparedAnalysis& analysis);

// Whether the contents are what the stamp recorded.
bool matches(const handoff::FileStamp& stamp, std::string_view contents);

std::string caseEntry(int caseNumber); // the entry of a prepared case in "Forces.rec"

} // namespace ombrix
