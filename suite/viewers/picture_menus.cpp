#include "picture_menus.h"

#include "file_dialogs.h"
#include "gdiplus_painter.h"
#include "input_error.h"
#include "program_window.h"
#include "viewer_commands.h"

namespace ombrix {

void savePictureAs(HWND owner, const Raster& picture, const std::string& name,
                   const std::string& folder, const std::string& title) {
    const std::optional<std::string> file =
        askFileToSave(owner, name, folder, "PNG picture (*.png)\0*.png\0", "png");
    if (file && !savePng(picture, *file))
        tellProblem(owner, title,
                    describe(Language::English, *file, 0, {Message::CannotWrite, {}}));
}

HMENU pictureFileMenu(bool exportsCase) {
    HMENU menu = popupMenu({{SavePicture, "&Save picture as PNG...\tCtrl+S"}});
    if (exportsCase)
        AppendMenuA(menu, MF_STRING, ExportCase, "&Export case as CSV, DXF or VTK...\tCtrl+E");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, Close, "E&xit");
    return menu;
}

HMENU caseMenu(const std::vector<SolvedCase>& cases) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, NextCase, "&Next case\tPage Down");
    AppendMenuA(menu, MF_STRING, PreviousCase, "&Previous case\tPage Up");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (std::size_t k = 0; k < cases.size(); ++k) {
        const std::string text = "Case " + std::to_string(cases[k].number) +
                                 (cases[k].converged ? "" : " (not converged)");
        AppendMenuA(menu, MF_STRING, FirstCase + k, text.c_str());
    }
    CheckMenuRadioItem(menu, FirstCase, FirstCase + cases.size() - 1, FirstCase, MF_BYCOMMAND);
    return menu;
}

void checkCase(HWND window, std::size_t cases, std::size_t index) {
    CheckMenuRadioItem(GetMenu(window), FirstCase, FirstCase + cases - 1, FirstCase + index,
                       MF_BYCOMMAND);
}

} // namespace ombrix
