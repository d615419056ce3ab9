#include "shell/icons.h"

#include "base/folders.h"

#include <string>

std::array<platform::Icon, buttonIconCount> buttonIcons{};

namespace {

struct IconFile {
    const char* name;
    int size; // 0: the file's own size
    bool vgaColours;
};

// Indexed by ButtonIcon.
constexpr std::array<IconFile, buttonIconCount> iconFiles{{
    {"icon1.ico", 0, false},         {"icon1.ico", 0, false},
    {"Input.ico", 0, false},         {"Incarc.ico", 0, false},
    {"InputFile1.ico", 0, false},    {"InputFile2.ico", 0, false},
    {"Compound.ico", 0, false},      {"IconWord3.ico", 32, false},
    {"Print.ico", 0, false},         {"Notepad.ico", 32, false},
    {"IconExit.ico", 48, false},     {"About.ico", 48, false},
    {"IconStructure.ico", 48, true}, {"Displacement2.ico", 48, true},
    {"Max.ico", 48, false},          {"Open.ico", 0, false},
    {"Open5.ico", 0, false},         {"IconPreview.ico", 0, false},
    {"OmbrixHelp1.ico", 0, false},   {"CompoundPost-2.ico", 48, false},
    {"Diagrams.ico", 48, false},
}};

void loadIcon(int index) {
    const IconFile& file = iconFiles[index];
    buttonIcons[index] =
        platform::loadIcon(folders.uirDir.str() + file.name, file.size, file.vgaColours);
}

} // namespace

void loadClassIcon() {
    loadIcon(classIcon);
}

void loadButtonIcons() {
    for (int index = panelIcon; index < buttonIconCount; ++index)
        loadIcon(index);
}
