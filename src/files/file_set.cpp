#include "files/file_set.h"

#include "base/file_search.h"
#include "base/folders.h"
#include "base/texts.h"
#include "files/settings.h"
#include "ids.h"

#include <optional>

ShellRecord<FileSet> fileSet;
ShellRecord<FileChoices> fileChoices;

namespace {

using platform::Dialog;

// The caption of the output file's item when no output file of an earlier analysis is there.
constexpr std::string_view blankCaption = "                    ";

// Shows the names derived from the geometry name; the geometry edit keeps what the user
// is typing.
void showDerivedFileNames(Dialog dialog) {
    platform::setText(dialog, IDC_OUTPUT_FILE, fileSet.outputFile.trimmed());
    platform::setText(dialog, IDC_LOADING_FILE, fileSet.loadingFile.trimmed());
}

bool isNoName(const PathText& name, std::string_view extension) {
    return name.isBlank() || name == extension || name == "\\" + std::string(extension);
}

void onGeometryFieldChanged(Dialog dialog) {
    fileSet.geometryFile = platform::text(dialog, IDC_GEOMETRY_FILE);
    deriveFileNames();
    showDerivedFileNames(dialog);
    platform::setEnabled(dialog, IDC_PREVIEW, true);
    platform::setEnabled(dialog, IDC_INPUT, !isNoName(fileSet.geometryFile, ".dat"));
    platform::setEnabled(dialog, IDC_VIEW_EDIT, false);
    platform::setEnabled(dialog, IDC_PRINT, false);
    setTextFileCaption(dialog, geometryFileItem, shellText(Text::geometryFileCaption));
    setTextFileCaption(dialog, loadingFileItem, shellText(Text::loadingFileCaption));
}

void onOutputFieldChanged(Dialog dialog) {
    fileSet.outputFile = platform::text(dialog, IDC_OUTPUT_FILE);
    platform::setEnabled(dialog, IDC_INPUT, !isNoName(fileSet.outputFile, ".rez"));
}

} // namespace

void setTextFileCaption(Dialog dialog, TextFileItem item, std::string_view caption) {
    platform::setItemText(dialog, IDC_TEXT_FILE_LIST, item, caption);
}

void showOldOutputFile(Dialog dialog, std::string_view missingCaption) {
    setTextFileCaption(dialog, outputFileItem,
                       findFile(fileSet.outputFile) ? shellText(Text::oldOutputFileCaption)
                                                    : std::string(missingCaption));
}

void showFileSet(Dialog dialog) {
    platform::setText(dialog, IDC_GEOMETRY_FILE, fileSet.geometryFile.trimmed());
    showDerivedFileNames(dialog);
}

void showFileSetStartValues(Dialog dialog) {
    fileSet = FileSet();
    showFileSet(dialog);
}

void deriveFileNames() {
    const std::string_view name = fileSet.geometryFile.trimmed();
    const std::size_t fileNameStart = name.find_last_of("\\/") + 1; // 0 without a folder
    const std::size_t lastDot = name.rfind('.');
    const std::string stem(lastDot != std::string_view::npos && lastDot >= fileNameStart
                               ? name.substr(0, lastDot)
                               : name);
    fileSet.outputFile = stem + ".rez";
    fileSet.loadingFile = stem + ".inc";
}

bool chooseGeometryFile(Dialog dialog) {
    const std::optional<std::string> chosen = platform::chooseFileToOpen(
        shellText(Text::geometryChooserTitle),
        {{shellText(Text::geometryFilter), "*.dat"}, {shellText(Text::allFilesFilter), "*.*"}},
        "dat", folders.datDir.str(), fileChoices.geometry);
    if (!chosen)
        return false;
    fileChoices.geometry = *chosen;
    fileSet.geometryFile = *chosen;
    deriveFileNames();
    showFileSet(dialog);
    platform::setEnabled(dialog, IDC_PREVIEW, true);
    platform::setEnabled(dialog, IDC_INPUT, true);
    platform::setEnabled(dialog, IDC_VIEW_EDIT, false);
    setTextFileCaption(dialog, geometryFileItem, shellText(Text::geometryFileCaption));
    setTextFileCaption(dialog, loadingFileItem,
                       findFile(fileSet.loadingFile) ? shellText(Text::loadingFileCaption) : "");
    showOldOutputFile(dialog, blankCaption);
    platform::setEnabled(dialog, IDC_INCARC, false);
    return true;
}

bool chooseLoadingFile(Dialog dialog) {
    const std::optional<std::string> chosen = platform::chooseFileToOpen(
        shellText(Text::loadingChooserTitle),
        {{shellText(Text::loadingFilter), "*.inc"}, {shellText(Text::allFilesFilter), "*.*"}},
        "inc", folders.datDir.str(), fileChoices.loading);
    if (!chosen)
        return false;
    fileChoices.loading = *chosen;
    fileSet.loadingFile = *chosen;
    platform::setText(dialog, IDC_LOADING_FILE, fileSet.loadingFile.trimmed());
    platform::setEnabled(dialog, IDC_VIEW_EDIT, false);
    setTextFileCaption(dialog, loadingFileItem, shellText(Text::loadingFileCaption));
    return true;
}

void enterGeometryFile(Dialog dialog, const PathText& name) {
    platform::setText(dialog, IDC_GEOMETRY_FILE, name.trimmed());
    onPanelFieldChanged(dialog, IDC_GEOMETRY_FILE, platform::ControlEvent::TextChanged);
}

void onPanelFieldChanged(Dialog dialog, int controlId, platform::ControlEvent) {
    platform::setEnabled(dialog, IDC_INCARC, false);
    switch (controlId) {
    case IDC_GEOMETRY_FILE: onGeometryFieldChanged(dialog); break;
    case IDC_OUTPUT_FILE: onOutputFieldChanged(dialog); break;
    case IDC_LIST_TYPE: takeListType(dialog); break;
    case IDC_OUTPUT_LANGUAGE: takeOutputLanguage(dialog); break;
    default: break;
    }
}

void onLoadingFieldChanged(Dialog dialog, int, platform::ControlEvent) {
    fileSet.loadingFile = platform::text(dialog, IDC_LOADING_FILE);
    platform::setEnabled(dialog, IDC_VIEW_EDIT, false);
    platform::setEnabled(dialog, IDC_PRINT, false);
    setTextFileCaption(dialog, loadingFileItem, shellText(Text::loadingFileCaption));
}
