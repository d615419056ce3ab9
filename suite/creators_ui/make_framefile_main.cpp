// Make_FrameFile (INPUT File): a structure of one of the families, its parameters typed
// beside a preview drawn as Glance draws it, saved as a geometry file that Prepare reads.
//   Make_FrameFile <TAB>          started by the shell, in the installation's Exe folder
//   Make_FrameFile --form-find [--forces] <in.dat> <out.dat>
//                                 the form of a geometry file found, with no window

#include "checked_files.h"
#include "creator_controls.h"
#include "families.h"
#include "file_dialogs.h"
#include "form_finding_command.h"
#include "form_window.h"
#include "messages.h"
#include "numbers.h"
#include "scripted_program.h"
#include "typed_values.h"
#include "view_files.h"
#include "viewer_arguments.h"
#include "win32_storage.h"

#include <windows.h>

#include <cstdlib>
#include <optional>
#include <vector>

namespace ombrix {
namespace {

constexpr LONG formWidth = 330; // points; the preview takes the rest of the window
constexpr LONG rowHeight = 30, firstRow = 46;
constexpr LONG mostParameters = 10;

struct FrameMaker {
    std::string title = titleOf("Make_FrameFile");
    const Family* family = &families().front();
    std::vector<HWND> parameterControls; // labels and fields of the family's parameters
    std::optional<Model> shown;          // the last structure its values made
    std::optional<std::string> file;     // the geometry file of the values typed, if any
    std::string savedFile;               // the last saved, or at first that of the initial values
    std::string stem;                    // of the name Save as offers
};

HWND field(HWND window, std::size_t index) {
    return GetDlgItem(window, FirstParameter + static_cast<int>(index));
}

std::vector<std::string> typedTexts(HWND window, const Family& family) {
    std::vector<std::string> texts;
    for (std::size_t k = 0; k < family.parameters.size(); ++k) {
        const Parameter& parameter = family.parameters[k];
        texts.push_back(parameter.choices.empty() ? textOf(field(window, k))
                                                  : std::to_string(chosenIndex(field(window, k))));
    }
    return texts;
}

std::string countsOf(const Model& model) {
    return showInteger(static_cast<long long>(model.nodes.size())) + " nodes, " +
           showInteger(static_cast<long long>(model.members.size())) + " members";
}

// The preview follows every change; what cannot be made, or what the suite would refuse,
// is said under the fields, and the values that do not count in the form chosen are grey.
void onValuesChanged(HWND window, FrameMaker& maker) {
    std::string status;
    maker.file.reset();
    const std::vector<std::string> typed = typedTexts(window, *maker.family);
    for (std::size_t k = 0; k < typed.size(); ++k)
        EnableWindow(field(window, k), valueCounts(*maker.family, k, typed));
    try {
        CheckedStructure checked =
            checkedStructure(*maker.family, valuesTyped(*maker.family, typed));
        maker.shown = std::move(checked.model);
        maker.file = std::move(checked.file);
        status = countsOf(*maker.shown);
    } catch (const Refused& refused) {
        status = refused.what();
    }
    SetDlgItemTextA(window, StatusText, status.c_str());
    const RECT area = previewArea(window, formWidth);
    InvalidateRect(window, &area, FALSE);
}

// The parameters' controls follow the family's list in the order of Tab, however often
// they are made anew.
void keep(HWND window, FrameMaker& maker, HWND control) {
    HWND after = maker.parameterControls.empty() ? GetDlgItem(window, FamilyList)
                                                 : maker.parameterControls.back();
    SetWindowPos(control, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    maker.parameterControls.push_back(control);
}

void addParameterRow(HWND window, FrameMaker& maker, std::size_t index) {
    const Parameter& parameter = maker.family->parameters[index];
    const LONG top = firstRow + static_cast<LONG>(index) * rowHeight;
    const int id = FirstParameter + static_cast<int>(index);
    keep(window, maker,
         addLabel(window, parameter.name, {12, top + 4, 140, 20},
                  FirstParameterLabel + static_cast<int>(index)));
    if (parameter.choices.empty()) {
        keep(window, maker,
             addEdit(window, showNumber(parameter.initial), {156, top, 160, 23}, id));
        return;
    }
    HWND choices = addDropDown(window, {156, top, 160, 23}, id);
    for (const std::string& choice : parameter.choices)
        addChoice(choices, choice);
    SendMessageA(choices, CB_SETCURSEL, static_cast<WPARAM>(parameter.initial), 0);
    keep(window, maker, choices);
}

void showFamily(HWND window, FrameMaker& maker, const Family& family) {
    for (HWND control : maker.parameterControls)
        DestroyWindow(control);
    maker.parameterControls.clear();
    maker.family = &family;
    maker.stem = family.name;
    for (std::size_t k = 0; k < family.parameters.size(); ++k)
        addParameterRow(window, maker, k);
    onValuesChanged(window, maker);
}

void onCreate(HWND window, FrameMaker& maker) {
    addLabel(window, "Structure", {12, 16, 140, 20});
    HWND list = addDropDown(window, {156, 12, 160, 23}, FamilyList);
    for (const Family& family : families())
        addChoice(list, family.name);
    SendMessageA(list, CB_SETCURSEL, 0, 0);
    const LONG below = firstRow + mostParameters * rowHeight;
    addLabel(window, "", {12, below, 304, 54}, StatusText);
    addButton(window, "&Save as...", {12, below + 64, 100, 28}, SaveButton, true);
    addButton(window, "Close", {120, below + 64, 100, 28}, CloseButton);
    addButton(window, "&Find the form of a file...", {12, below + 100, 208, 28}, FormFindButton);
    showFamily(window, maker, *maker.family);
    maker.savedFile = maker.file.value_or("");
    SetFocus(list);
}

// Any geometry file's form found by force densities, as --form-find finds it: shown, and
// saved as the family's structure is; the file itself is left as it is.
void findFormOfAFile(HWND window, FrameMaker& maker) {
    const auto name = askOpenName(window, "Geometry file (*.dat)\0*.dat\0All files\0*.*\0");
    if (!name)
        return;
    try {
        Model form = findForm(readModelFile(Win32Storage(), *name), FormTarget::ForceDensities);
        maker.file = geometryFileText(form);
        maker.shown = std::move(form);
    } catch (const std::runtime_error& refused) { // FileRefused, FormRefused or Refused
        tellProblem(window, maker.title, refused.what());
        return;
    }
    const std::string file = fileNameOf(*name);
    maker.stem = file.substr(0, file.rfind('.')) + " form";
    const std::string status = "Form found for " + file + ": " + countsOf(*maker.shown);
    SetDlgItemTextA(window, StatusText, status.c_str());
    const RECT area = previewArea(window, formWidth);
    InvalidateRect(window, &area, FALSE);
}

// While the values are refused, the status line says why.
bool save(HWND window, FrameMaker& maker) {
    if (!maker.file) {
        tellProblem(window, maker.title, textOf(GetDlgItem(window, StatusText)));
        return false;
    }
    if (!saveAsked(window, maker.title, "Geometry file (*.dat)\0*.dat\0", "dat",
                   unusedName(maker.stem, "dat"), *maker.file))
        return false;
    maker.savedFile = *maker.file;
    return true;
}

void close(HWND window, FrameMaker& maker) {
    if (mayClose(window, maker.title, maker.file != maker.savedFile,
                 [&] { return save(window, maker); }))
        DestroyWindow(window);
}

void onCommand(HWND window, FrameMaker& maker, WPARAM wParam) {
    const int id = LOWORD(wParam), event = HIWORD(wParam);
    if (id == FamilyList && event == CBN_SELCHANGE)
        showFamily(window, maker,
                   families().at(static_cast<std::size_t>(chosenIndex(GetDlgItem(window, id)))));
    else if (id >= FirstParameter && (event == EN_CHANGE || event == CBN_SELCHANGE))
        onValuesChanged(window, maker);
    else if (id == FormFindButton)
        findFormOfAFile(window, maker);
    else if (id == SaveButton || id == IDOK)
        save(window, maker);
    else if (id == CloseButton || id == IDCANCEL)
        close(window, maker);
}

LRESULT handle(HWND window, FrameMaker& maker, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: onCreate(window, maker); return 0;
    case WM_COMMAND: onCommand(window, maker, wParam); return 0;
    case WM_CLOSE: close(window, maker); return 0;
    default:
        return handleOther(window, message, wParam, lParam,
                           {formWidth, maker.shown ? &*maker.shown : nullptr});
    }
}

// The exit code of a form-finding asked on the command line: 0 when the form is written,
// 1 with the reason on the standard error.
int formFindOnly(const FormFindingCommand& command) {
    Win32Storage storage;
    const std::optional<std::string> refusal = runFormFinding(storage, command);
    if (refusal)
        writeErrorLine(*refusal);
    return refusal ? 1 : 0;
}

} // namespace
} // namespace ombrix

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace ombrix;
    try {
        if (const auto command = formFindingCommand({__argv + 1, __argv + __argc}))
            return formFindOnly(*command);
    } catch (const Refused& usage) {
        writeErrorLine(usage.what());
        return 1;
    }
    return runMaker<FrameMaker>({1000, 640});
}
