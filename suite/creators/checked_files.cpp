#include "checked_files.h"

#include "geometry.h"
#include "input_error.h"
#include "parameters.h"
#include "text_lines.h"

namespace ombrix {

namespace {

template <typename Read> void readBack(const std::string& text, const char* file, Read read) {
    try {
        read(text);
    } catch (const InputError& error) {
        throw Refused(describe(Language::English, file, error.line(), error.problem()));
    }
}

} // namespace

std::string geometryFileText(const Model& model) {
    std::string text = writeGeometry(model);
    readBack(text, "the geometry", readGeometry);
    return text;
}

std::string loadingFileText(const Loading& loading, const Model& model) {
    std::string text = headingLine(loading.heading) + std::to_string(loading.caseCount) +
                       " load cases\r\n" +
                       (loading.hasCaseZero ? "1 case 0 first" : "0 no case 0") + "\r\n";
    for (const LoadCase& loadCase : loading.cases)
        text += writeCase(loadCase);
    readBack(text, "the loading", [&](const std::string& written) {
        for (const LoadCase& loadCase : readLoading(written).cases)
            if (const auto problem = problemOf(loadCase, model))
                throw InputError(problem->line, problem->problem.reason, problem->problem.values);
    });
    return text;
}

} // namespace ombrix
