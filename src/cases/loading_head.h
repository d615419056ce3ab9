#pragma once

#include "handoff/loading_head.h"

#include <string>

// The shell's words for what is wrong with the head of a loading file, as Forces and the
// shell read it alike: "line <n>: <why>."; empty when nothing is.
std::string loadingHeadProblem(const handoff::LoadingHead& head);
