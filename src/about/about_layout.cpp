#include "about/about_layout.h"

namespace {

int lineStep(const platform::FontMetrics& font) {
    return font.height + font.externalLeading;
}

} // namespace

int fontHeight(int points, int pixelsPerInchY) {
    return -((points * pixelsPerInchY + 36) / 72);
}

AboutLayout aboutLayout(const AboutMetrics& metrics) {
    const int px = metrics.pixelsPerInchX;
    const int py = metrics.pixelsPerInchY;
    const int x0 = px / 8;
    const int y0 = py / 8;
    const int spacerX = px / 4;
    const int x1 = spacerX + 2 * x0;
    const int h0 = lineStep(metrics.normal);

    AboutLayout layout;
    layout.icon = {x0, y0};
    const int y1 = static_cast<int>(static_cast<float>(y0) * 1.5f);
    layout.title = {x1, y1};
    const int y2 = y1 + lineStep(metrics.title);
    layout.forWindows = {x1, y2};
    layout.firstSpacer = {spacerX, y2 + h0};
    layout.analysisLine = {x1, y2 + 2 * h0};
    layout.structuresLine = {x1, y2 + 3 * h0};
    layout.secondSpacer = {spacerX, y2 + 4 * h0};
    const int y7 = y2 + 5 * h0;
    layout.notice = {x0, y7};
    const int y8 = y7 + 2 * h0;
    layout.ruleStart = {x0, y8};
    layout.ruleEnd = {x0 + metrics.noticeWidth, y8};
    const int y9 = y8 + py / 4;
    layout.paragraph = {x0, y9, x0 + 5 * px, y9 + py};
    return layout;
}
