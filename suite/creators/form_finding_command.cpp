#include "form_finding_command.h"

#include "checked_files.h"
#include "geometry.h"
#include "parameters.h"
#include "step_files.h"

namespace ombrix {
namespace {

constexpr const char* usage =
    "Make_FrameFile --form-find [--forces] <geometry file> <geometry file to write>";

} // namespace

std::optional<FormFindingCommand> formFindingCommand(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments[0] != "--form-find")
        return std::nullopt;
    const bool forces = arguments.size() > 1 && arguments[1] == "--forces";
    if (arguments.size() != (forces ? 4U : 3U))
        throw Refused(std::string("usage: ") + usage);
    const std::size_t first = forces ? 2 : 1;
    return FormFindingCommand{forces ? FormTarget::Forces : FormTarget::ForceDensities,
                              arguments[first], arguments[first + 1]};
}

std::optional<std::string> runFormFinding(Storage& storage, const FormFindingCommand& command) {
    try {
        if (namesOneFile(storage, command.input, command.output))
            return "the form found would replace " + command.input + ": name another file";
        const std::string path = fullPathOf(storage, command.input, Language::English);
        const Model model = readInput(path, readFile(storage, path, Language::English),
                                      Language::English, readGeometry);
        const std::string text = geometryFileText(findForm(model, command.target));
        writeFile(storage, command.output, text, Language::English);
        return std::nullopt;
    } catch (const StepFailure& failure) {
        return failure.message;
    } catch (const FormRefused& refused) {
        return refused.what();
    } catch (const Refused& refused) { // a form that the suite's reader would refuse
        return refused.what();
    }
}

} // namespace ombrix
