#pragma once

#include "platform/platform.h"

#include <array>

// The icons of the welcome window class and of the panel's buttons, loaded once at
// start-up from the installation's Uir folder. A missing file leaves a null icon: its
// button then shows no image.
inline constexpr int buttonIconCount = 21;
extern std::array<platform::Icon, buttonIconCount> buttonIcons;

enum ButtonIcon : int {
    classIcon = 0,
    panelIcon = 1,
    inputIcon,
    incarcIcon,
    inputFileIcon,
    incarcFileIcon,
    compoundIcon,
    usersGuideIcon,
    printIcon,
    notepadIcon,
    exitIcon,
    aboutIcon,
    structureIcon,
    displacementIcon,
    maxIcon,
    openIcon,
    openRecentIcon,
    previewIcon,
    helpIcon,
    compoundPostIcon,
    diagramsIcon,
};

// Loads the class icon, the first of the table.
void loadClassIcon();
// Loads the twenty icons of the panel, in the order of the table.
void loadButtonIcons();
