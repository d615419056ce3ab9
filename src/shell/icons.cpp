#include "shell/icons.h"

#include "base/folders.h"

#include <string>

ShellRecord<std::array<platform::Icon, buttonIconCount>> buttonIcons;

const std::array<IconFile, buttonIconCount> iconFiles{{
#define BUTTON_ICON(name, file, size, vga) {file, size, vga},
#include "icons.def"
#undef BUTTON_ICON
}};

namespace {

void loadIcon(int index) {
    const IconFile& file = iconFiles[index];
    buttonIcons[index] =
        platform::loadIcon(folders.uirDir.str() + file.name, file.size, file.vgaColours);
}

} // namespace

void loadClassIcon() {
    loadIcon(classIcon);
}

std::future<void> startLoadingButtonIcons() {
    return std::async(std::launch::async | std::launch::deferred, [] {
        for (int index = panelIcon; index < buttonIconCount; ++index)
            loadIcon(index);
    });
}
