#include "file_dialogs.h"

#include "input_error.h"
#include "program_window.h"
#include "win32_storage.h"

#include <commdlg.h>

#include <utility>

namespace ombrix {
namespace {

// The installation's Dat folder, beside the Exe folder the program runs in.
std::string datFolder() {
    char full[MAX_PATH] = {};
    return GetFullPathNameA("..\\Dat", MAX_PATH, full, nullptr) > 0 ? full : "";
}

// A standard file dialog and the name it offers and returns; at first in `folder`, or
// where the system chooses when that is empty.
class FileDialog {
  public:
    FileDialog(HWND owner, const char* filter, const std::string& suggested, std::string folder)
        : folder_(std::move(folder)) {
        suggested.copy(name_, MAX_PATH - 1);
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = owner;
        dialog.lpstrFilter = filter;
        dialog.lpstrFile = name_;
        dialog.nMaxFile = MAX_PATH;
        dialog.lpstrInitialDir = folder_.empty() ? nullptr : folder_.c_str();
    }
    FileDialog(const FileDialog&) = delete;
    FileDialog& operator=(const FileDialog&) = delete;

    std::string name() const { return name_; }

    OPENFILENAMEA dialog{};

  private:
    char name_[MAX_PATH] = {};
    std::string folder_;
};

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Whether the chosen file may be written: one that exists only when the user says so.
bool mayReplace(HWND owner, const std::string& path) {
    return !exists(path) ||
           MessageBoxA(owner, (path + " already exists.\nDo you want to replace it?").c_str(),
                       "Confirm Save As", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

} // namespace

std::optional<std::string> askSaveName(HWND owner, const char* filter, const char* extension,
                                       const std::string& suggested) {
    FileDialog chooser(owner, filter, suggested, datFolder());
    chooser.dialog.lpstrDefExt = extension;
    chooser.dialog.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    do {
        if (!GetSaveFileNameA(&chooser.dialog))
            return std::nullopt;
    } while (!mayReplace(owner, chooser.name()));
    return chooser.name();
}

std::string unusedName(const std::string& stem, const char* extension) {
    const std::string folder = datFolder() + "\\";
    std::string name = stem + "." + extension;
    for (int k = 2; exists(folder + name); ++k)
        name = stem + " " + std::to_string(k) + "." + extension;
    return name;
}

std::optional<std::string> askOpenName(HWND owner, const char* filter,
                                       const std::string& suggested) {
    FileDialog chooser(owner, filter, suggested, suggested.empty() ? datFolder() : std::string());
    chooser.dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&chooser.dialog))
        return std::nullopt;
    return chooser.name();
}

std::optional<std::string> askFileToSave(HWND owner, const std::string& name,
                                         const std::string& folder, const char* filter,
                                         const char* extension) {
    const std::optional<FileToSave> file =
        askFileAndTypeToSave(owner, name, folder, filter, extension);
    return file ? std::optional(file->path) : std::nullopt;
}

std::optional<FileToSave> askFileAndTypeToSave(HWND owner, const std::string& name,
                                               const std::string& folder, const char* filter,
                                               const char* extension) {
    FileDialog chooser(owner, filter, name, folder);
    chooser.dialog.lpstrDefExt = extension;
    chooser.dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameA(&chooser.dialog))
        return std::nullopt;
    const DWORD type = chooser.dialog.nFilterIndex; // from 1; 0 for a filter of the user's
    return FileToSave{chooser.name(), type > 0 ? type - 1 : 0};
}

bool saveText(HWND owner, const std::string& title, const std::string& path,
              const std::string& text) {
    if (Win32Storage().replace(path, text))
        return true;
    tellProblem(owner, title, describe(Language::English, path, 0, {Message::CannotWrite, {}}));
    return false;
}

} // namespace ombrix
