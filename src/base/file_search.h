#pragma once

#include "text/fixed_text.h"

// Whether the platform's path search finds the trimmed name as a file: an absolute name
// is tested where it stands, a bare one is looked for where Windows looks for programs.
bool findFile(const PathText& name);
