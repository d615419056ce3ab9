#pragma once

#include "text/fixed_text.h"

// The file chosen in the panel's text-file list, which View/Edit and Print pass to their
// programs; one TAB character stands for a new, empty text.
extern PathText selectedTextFile;
