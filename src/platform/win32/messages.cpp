#include "platform/platform.h"
#include "platform/win32/win32.h"

#include <mmsystem.h>

namespace platform {

namespace {

UINT iconStyle(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error: return MB_ICONERROR;
    case MessageIcon::Information: return MB_ICONINFORMATION;
    case MessageIcon::None: break;
    }
    return 0;
}

} // namespace

Answer showMessage(std::string_view text, std::string_view title, MessageIcon icon,
                   MessageButtons buttons) {
    const UINT style = iconStyle(icon) | (buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK);
    const int answer = MessageBoxA(win32::frontmostDialog(), std::string(text).c_str(),
                                   std::string(title).c_str(), style);
    switch (answer) {
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    default: return Answer::Ok;
    }
}

void writeStandardOutput(std::string_view line) {
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (!output || output == INVALID_HANDLE_VALUE)
        return;
    const std::string text = std::string(line) + "\r\n";
    DWORD written = 0;
    WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void playSound(const std::string& path) {
    static const auto playSoundFile =
        win32::systemFunction<decltype(PlaySoundA)>("winmm.dll", "PlaySoundA");
    if (playSoundFile)
        playSoundFile(path.c_str(), nullptr, 0);
}

Icon loadIcon(const std::string& path, int size, bool vgaColours) {
    const UINT flags = LR_LOADFROMFILE | (vgaColours ? LR_VGACOLOR : 0);
    return reinterpret_cast<Icon>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, size, size, flags));
}

} // namespace platform
