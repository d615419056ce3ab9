#pragma once

#include "base/shell_record.h"
#include "platform/platform.h"

#include <array>
#include <future>

// The icons of the welcome window class and of the panel's buttons, loaded once at
// start-up from the installation's Uir folder, as resources/icons.def lists them. A
// missing file leaves a null icon: its button then shows no image.
enum ButtonIcon : int {
#define BUTTON_ICON(name, file, size, vga) name,
#include "icons.def"
#undef BUTTON_ICON
    buttonIconCount
};

struct IconFile {
    const char* name;
    int size; // 0: the file's own size
    bool vgaColours;
};

// Indexed by ButtonIcon.
extern const std::array<IconFile, buttonIconCount> iconFiles;

extern ShellRecord<std::array<platform::Icon, buttonIconCount>> buttonIcons;

// Loads the class icon, the first of the table.
void loadClassIcon();
// Starts loading the icons of the panel, in the order of the table, on a thread of their own
// where the system gives one: each costs Wine the best part of a millisecond, and the
// welcome window and the panel's template are made meanwhile. They are in `buttonIcons`
// once the result is ready.
[[nodiscard]] std::future<void> startLoadingButtonIcons();
