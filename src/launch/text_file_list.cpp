#include "launch/text_file_list.h"

#include "base/file_search.h"
#include "base/messages.h"
#include "files/file_set.h"
#include "ids.h"
#include "launch/launch.h"

ShellRecord<PathText> selectedTextFile;

namespace {

// The file behind an item of the list; the new text has none.
const PathText* fileOf(int item) {
    switch (item) {
    case geometryFileItem: return &fileSet.geometryFile;
    case loadingFileItem: return &fileSet.loadingFile;
    case outputFileItem: return &fileSet.outputFile;
    default: return nullptr;
    }
}

} // namespace

void onTextFileList(platform::Dialog dialog, int, platform::ControlEvent event) {
    const int item = platform::selectedItem(dialog, IDC_TEXT_FILE_LIST);
    if (item == newTextItem)
        selectedTextFile = "\t";
    else if (const PathText* file = fileOf(item))
        selectedTextFile = *file;
    if (fileOf(item) && !findFile(selectedTextFile)) {
        reportMissingFile(selectedTextFile.trimmed());
        setTextFileCaption(dialog, static_cast<TextFileItem>(item), " ");
        platform::setEnabled(dialog, IDC_VIEW_EDIT, false);
        return;
    }
    platform::setEnabled(dialog, IDC_VIEW_EDIT, true);
    platform::setEnabled(dialog, IDC_PRINT, true);
    if (event == platform::ControlEvent::DoubleClick)
        onLaunchButton(dialog, IDC_VIEW_EDIT, event);
}
