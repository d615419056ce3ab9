#pragma once

#include "base/desktop.h"
#include "platform/platform.h"

// Where the About window puts its icon, lines, rule and paragraph, from the densities of
// the screen and the metrics of its fonts. At 96 pixels per inch the icon stands at
// (12, 12) and the title at (48, 18).
struct AboutMetrics {
    int pixelsPerInchX = 96;
    int pixelsPerInchY = 96;
    platform::FontMetrics title;  // of the title font, or the default one when it was not made
    platform::FontMetrics normal; // of the window's default font
    int noticeWidth = 0;          // of the notice padded to 46 characters, in the default font
};

struct AboutLayout {
    Point icon;
    Point title;
    Point forWindows;
    Point firstSpacer;
    Point analysisLine;
    Point structuresLine;
    Point secondSpacer;
    Point notice;
    Point ruleStart, ruleEnd;
    platform::Rect paragraph;
};

AboutLayout aboutLayout(const AboutMetrics& metrics);

// The height to ask of a font of so many points, as Windows takes it: the characters'
// height in pixels, negative, rounded to the nearest pixel.
int fontHeight(int points, int pixelsPerInchY);
