// Make_FrameFile's form-finding without a window, for batch work:
//   Make_FrameFile --form-find [--forces] <in.dat> <out.dat>
// Each member's N0 in the input is its force density times its length, or with --forces
// the force it is to have. The form found is written to the output, never over the input,
// and only when found; the input's numbering, supports, kinds and EA are kept.
#pragma once

#include "form_finding.h"
#include "storage.h"

#include <optional>
#include <string>
#include <vector>

namespace ombrix {

struct FormFindingCommand {
    FormTarget target = FormTarget::ForceDensities;
    std::string input;
    std::string output;
};

// The command when the arguments (the program's name not among them) begin with
// "--form-find"; Refused saying how it is used when they do but do not fit.
std::optional<FormFindingCommand> formFindingCommand(const std::vector<std::string>& arguments);

// Finds and writes the form: nothing when done, else why not (and nothing is written).
std::optional<std::string> runFormFinding(Storage& storage, const FormFindingCommand& command);

} // namespace ombrix
