#pragma once

#include "base/shell_record.h"
#include "platform/platform.h"
#include "text/fixed_text.h"

// The file chosen in the panel's text-file list, which View/Edit and Print pass to their
// programs; one TAB character stands for a new, empty text. Blank until a file is chosen.
extern ShellRecord<PathText> selectedTextFile;

// Handler of the text-file list's selection changes and double-clicks: the chosen item's
// file becomes the one View/Edit and Print act on, once it is found; a double-click opens
// it in Notepad at once.
void onTextFileList(platform::Dialog dialog, int controlId, platform::ControlEvent event);
