#include "launch/text_file_list.h"

#include "files/file_set.h"
#include "ids.h"
#include "launch/command_line.h"

PathText selectedTextFile;

void setTextFileCaption(platform::Dialog dialog, TextFileItem item, std::string_view caption) {
    platform::setItemText(dialog, IDC_TEXT_FILE_LIST, item, caption);
}

void showOldOutputFile(platform::Dialog dialog, std::string_view missingCaption) {
    setTextFileCaption(dialog, outputFileItem,
                       findFile(fileSet.outputFile) ? "Output File (old)" : missingCaption);
}
