// The frame of each analysis program: the run goes on a worker thread while a small
// window shows how far it has got (a progress bar; for Solve the case, load step,
// iteration and residual) with a Cancel button, which Escape and the close box press too:
// the run then stops at its next report. The window closes by itself when the run ends; a
// failure is then shown in one message box. The result is the run's exit code.
#pragma once

#include "runs.h"

#include <functional>

namespace ombrix {

using Run = std::function<RunOutcome(const RunProgressReport&)>;

int runWithProgress(const char* title, const Run& run);

} // namespace ombrix
