// Compound (COMPOUND Structure): geometry files joined into one structure, each placed by a
// rotation about z and a shift, beside a preview of the joined structure; saved as a
// geometry file that Prepare reads, with the map that CompoundPost splits its results by.
//   Compound <TAB>          started by the shell, in the installation's Exe folder

#include "compound_controls.h"
#include "compound_files.h"
#include "file_dialogs.h"
#include "form_window.h"
#include "numbers.h"
#include "parameters.h"
#include "typed_values.h"
#include "viewer_arguments.h"
#include "win32_storage.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <optional>
#include <vector>

namespace ombrix {
namespace {

constexpr LONG formWidth = 440; // points; the preview takes the rest of the window
constexpr int placementFields[] = {ShiftXField, ShiftYField, ShiftZField, RotationField};
const char* const placementNames[] = {"dx", "dy", "dz", "rotation"};

struct CompoundMaker {
    std::string title = titleOf("Compound");
    std::vector<Part> parts;
    std::optional<Compound> joined; // the parts as they now stand, when they join
    bool showingRow = false;        // the program itself fills the placement's fields
    bool unsaved = false;           // changed since it was last saved
};

// While the program fills the placement's fields, their changes are not the user's.
class ShowingRow {
  public:
    explicit ShowingRow(CompoundMaker& maker) : maker_(maker) { maker_.showingRow = true; }
    ~ShowingRow() { maker_.showingRow = false; }
    ShowingRow(const ShowingRow&) = delete;
    ShowingRow& operator=(const ShowingRow&) = delete;

  private:
    CompoundMaker& maker_;
};

HWND item(HWND window, int id) {
    return GetDlgItem(window, id);
}

std::vector<std::string> placementTexts(const Placement& placement) {
    return {showNumber(placement.shift[0]), showNumber(placement.shift[1]),
            showNumber(placement.shift[2]), showNumber(placement.rotation)};
}

void showPlacementCells(HWND table, int row, const Placement& placement) {
    const std::vector<std::string> texts = placementTexts(placement);
    for (std::size_t c = 0; c < texts.size(); ++c)
        setListCell(table, row, static_cast<int>(c) + 2, texts[c]);
}

void showRows(HWND window, const CompoundMaker& maker) {
    HWND table = item(window, PartTable);
    SendMessageA(table, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t k = 0; k < maker.parts.size(); ++k) {
        const int at = static_cast<int>(k);
        setListCell(table, at, 0, std::to_string(k + 1));
        setListCell(table, at, 1, fileNameOf(maker.parts[k].file));
        showPlacementCells(table, at, maker.parts[k].placement);
    }
}

void showPlacement(HWND window, CompoundMaker& maker, const Placement& placement) {
    const ShowingRow showing(maker);
    const std::vector<std::string> texts = placementTexts(placement);
    for (std::size_t k = 0; k < texts.size(); ++k)
        SetWindowTextA(item(window, placementFields[k]), texts[k].c_str());
}

Placement placementTyped(HWND window) {
    std::vector<double> values;
    for (std::size_t k = 0; k < std::size(placementFields); ++k)
        values.push_back(numberTyped(textOf(item(window, placementFields[k])), placementNames[k]));
    return {{values[0], values[1], values[2]}, values[3]};
}

// The preview and the status follow every change; what cannot be joined is said. What the
// fields show is what is saved, so a refused field leaves nothing joined to save.
void rejoin(HWND window, CompoundMaker& maker) {
    std::string status = "Add the geometry files of the parts.";
    maker.joined.reset();
    try {
        if (!maker.parts.empty()) {
            if (selectedListRow(item(window, PartTable)) >= 0)
                placementTyped(window);
            maker.joined = joinParts(
                maker.parts, numberTyped(textOf(item(window, ToleranceField)), "tolerance"));
            status = joinedSummary(*maker.joined);
        }
    } catch (const Refused& refused) {
        status = refused.what();
    }
    SetDlgItemTextA(window, StatusText, status.c_str());
    const RECT area = previewArea(window, formWidth);
    InvalidateRect(window, &area, FALSE);
}

void onPlacementTyped(HWND window, CompoundMaker& maker) {
    const int row = selectedListRow(item(window, PartTable));
    if (maker.showingRow || row < 0)
        return;
    maker.unsaved = true;
    Placement& placement = maker.parts[static_cast<std::size_t>(row)].placement;
    try {
        placement = placementTyped(window);
        showPlacementCells(item(window, PartTable), row, placement);
    } catch (const Refused&) { // the part keeps its placement; rejoin says why
    }
    rejoin(window, maker);
}

// When the file was last written, for the reader of the map; empty when not known.
std::string lastWritten(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    SYSTEMTIME time{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        !FileTimeToSystemTime(&data.ftLastWriteTime, &time))
        return {};
    char text[32] = {};
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u UTC", time.wYear, time.wMonth,
                  time.wDay, time.wHour, time.wMinute, time.wSecond);
    return text;
}

void addPart(HWND window, CompoundMaker& maker) {
    const auto name = askOpenName(window, "Geometry file (*.dat)\0*.dat\0All files\0*.*\0");
    if (!name)
        return;
    try {
        maker.parts.push_back(readPart(Win32Storage(), *name, {}));
        maker.parts.back().source->time = lastWritten(*name);
    } catch (const FileRefused& refused) {
        tellProblem(window, maker.title, refused.what());
        return;
    }
    maker.unsaved = true;
    showRows(window, maker);
    selectListRow(item(window, PartTable), static_cast<int>(maker.parts.size()) - 1);
    rejoin(window, maker);
}

void removePart(HWND window, CompoundMaker& maker) {
    const int row = selectedListRow(item(window, PartTable));
    if (row < 0)
        return;
    maker.parts.erase(maker.parts.begin() + row);
    maker.unsaved = true;
    showRows(window, maker);
    if (!maker.parts.empty())
        selectListRow(item(window, PartTable),
                      std::min(row, static_cast<int>(maker.parts.size()) - 1));
    rejoin(window, maker);
}

bool mayReplace(HWND window, const CompoundMaker& maker, const std::string& path) {
    if (!Win32Storage().read(path, 1))
        return true;
    const std::string question = path + " already exists.\nDo you want to replace it?";
    return MessageBoxA(window, question.c_str(), maker.title.c_str(),
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

// True when saved; otherwise the user has been told why, or has cancelled.
bool save(HWND window, CompoundMaker& maker) {
    if (!maker.joined) {
        tellProblem(window, maker.title, textOf(item(window, StatusText)));
        return false;
    }
    CompoundTexts texts;
    try {
        texts = compoundTexts(*maker.joined);
    } catch (const Refused& refused) {
        tellProblem(window, maker.title, refused.what());
        return false;
    }
    const auto name = askSaveName(window, "Geometry file (*.dat)\0*.dat\0", "dat", "Compound.dat");
    if (!name || !mayReplace(window, maker, mapFileOf(*name)))
        return false;
    try {
        Win32Storage storage;
        saveCompound(storage, *name, texts);
    } catch (const Refused& refused) {
        tellProblem(window, maker.title, refused.what());
        return false;
    }
    maker.unsaved = false;
    SetDlgItemTextA(window, StatusText,
                    ("Saved as " + *name + ", its map as " + mapFileOf(*name)).c_str());
    return true;
}

// Escape, Close and the close box: unsaved work is saved or thrown away only as the user says.
void onClose(HWND window, CompoundMaker& maker) {
    if (mayClose(
            window, maker.title, maker.unsaved && !maker.parts.empty(),
            [&] { return save(window, maker); }, "the compound"))
        DestroyWindow(window);
}

void addPlacementEditor(HWND window) {
    addLabel(window,
             "Place the chosen part: turned about z by its rotation (degrees, about the "
             "origin), then shifted by dx, dy, dz.",
             {12, 282, 412, 34});
    for (std::size_t k = 0; k < std::size(placementFields); ++k) {
        const LONG left = 12 + static_cast<LONG>(k) * 104;
        addLabel(window, placementNames[k], {left, 324, 50, 20});
        addEdit(window, "0", {left + (k == 3 ? 52 : 22), 320, k == 3 ? 48 : 76, 23},
                placementFields[k]);
    }
    addLabel(window, "Tolerance", {12, 362, 70, 20});
    addEdit(window, "0.001", {84, 358, 90, 23}, ToleranceField);
    addLabel(window, "nodes closer than this become one", {182, 362, 242, 20});
}

void onCreate(HWND window) {
    addLabel(window, "Parts, each a geometry file", {12, 12, 300, 20});
    addListTable(window, {12, 34, 412, 200}, PartTable,
                 {{"Part", 36},
                  {"Geometry file", 150},
                  {"dx", 50},
                  {"dy", 50},
                  {"dz", 50},
                  {"Rotation", 60}});
    addButton(window, "&Add...", {12, 242, 90, 28}, AddPartButton);
    addButton(window, "Re&move", {108, 242, 90, 28}, RemovePartButton);
    addPlacementEditor(window);
    addLabel(window, "Add the geometry files of the parts.", {12, 396, 412, 54}, StatusText);
    addButton(window, "&Save as...", {12, 458, 100, 28}, SaveButton, true);
    addButton(window, "Close", {120, 458, 100, 28}, CloseButton);
    SetFocus(item(window, AddPartButton));
}

void onCommand(HWND window, CompoundMaker& maker, WPARAM wParam) {
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == EN_CHANGE) {
        if (id != ToleranceField) {
            onPlacementTyped(window, maker);
            return;
        }
        maker.unsaved = true;
        rejoin(window, maker);
        return;
    }
    switch (id) {
    case AddPartButton: addPart(window, maker); return;
    case RemovePartButton: removePart(window, maker); return;
    case SaveButton:
    case IDOK: save(window, maker); return;
    case CloseButton:
    case IDCANCEL: onClose(window, maker); return;
    default: return;
    }
}

void onNotify(HWND window, CompoundMaker& maker, const NMHDR& header) {
    if (header.idFrom != PartTable || header.code != LVN_ITEMCHANGED)
        return;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if ((change.uNewState & LVIS_SELECTED) && change.iItem >= 0 &&
        static_cast<std::size_t>(change.iItem) < maker.parts.size()) {
        showPlacement(window, maker, maker.parts[static_cast<std::size_t>(change.iItem)].placement);
        rejoin(window, maker);
    }
}

LRESULT handle(HWND window, CompoundMaker& maker, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: onCreate(window); return 0;
    case WM_COMMAND: onCommand(window, maker, wParam); return 0;
    case WM_NOTIFY: onNotify(window, maker, *reinterpret_cast<NMHDR*>(lParam)); return 0;
    case WM_CLOSE: onClose(window, maker); return 0;
    default:
        return handleOther(window, message, wParam, lParam,
                           {formWidth, maker.joined ? &maker.joined->model : nullptr});
    }
}

} // namespace
} // namespace ombrix

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace ombrix;
    return runMaker<CompoundMaker>({1000, 500});
}
