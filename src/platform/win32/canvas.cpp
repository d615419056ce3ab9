#include "platform/platform.h"
#include "platform/win32/win32.h"

#include <string>

namespace platform {

struct CanvasObject {
    HDC deviceContext;
};

namespace {

HDC dc(Canvas canvas) {
    return canvas->deviceContext;
}

HFONT toHfont(Font font) {
    return reinterpret_cast<HFONT>(font);
}

} // namespace

int pixelsPerInchX(Canvas canvas) {
    return GetDeviceCaps(dc(canvas), LOGPIXELSX);
}

int pixelsPerInchY(Canvas canvas) {
    return GetDeviceCaps(dc(canvas), LOGPIXELSY);
}

void drawProgramIcon(Canvas canvas, int iconId, int x, int y) {
    HICON icon = LoadIconA(win32::instance(), MAKEINTRESOURCEA(iconId));
    if (icon)
        DrawIconEx(dc(canvas), x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

Font createFont(const FontSpec& wanted) {
    return reinterpret_cast<Font>(CreateFontA(wanted.height, 0, 0, 0, wanted.weight, wanted.italic,
                                              FALSE, FALSE, 0, 0, 0, 0, 0, wanted.face.c_str()));
}

void deleteFont(Font font) {
    if (font)
        DeleteObject(toHfont(font));
}

Font selectFont(Canvas canvas, Font font) {
    return reinterpret_cast<Font>(SelectObject(dc(canvas), toHfont(font)));
}

FontMetrics fontMetrics(Canvas canvas) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc(canvas), &metrics);
    return {metrics.tmHeight, metrics.tmExternalLeading};
}

int textWidth(Canvas canvas, std::string_view text) {
    SIZE size{};
    GetTextExtentPoint32A(dc(canvas), text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void setTextColour(Canvas canvas, Colour colour) {
    SetTextColor(dc(canvas), RGB(colour.red, colour.green, colour.blue));
}

void drawText(Canvas canvas, int x, int y, std::string_view text) {
    TextOutA(dc(canvas), x, y, text.data(), static_cast<int>(text.size()));
}

void drawLine(Canvas canvas, int x0, int y0, int x1, int y1) {
    HGDIOBJ previous = SelectObject(dc(canvas), GetStockObject(BLACK_PEN));
    MoveToEx(dc(canvas), x0, y0, nullptr);
    LineTo(dc(canvas), x1, y1);
    SelectObject(dc(canvas), previous);
}

void drawParagraph(Canvas canvas, const Rect& rect, std::string_view text) {
    RECT area{rect.left, rect.top, rect.right, rect.bottom};
    std::string copy(text); // DrawTextA takes a writable text
    DrawTextA(dc(canvas), copy.data(), static_cast<int>(copy.size()), &area,
              DT_WORDBREAK | DT_NOCLIP | DT_EXTERNALLEADING | DT_NOPREFIX);
}

Canvas win32::canvasOf(HDC deviceContext) {
    static thread_local CanvasObject canvas{};
    canvas.deviceContext = deviceContext;
    return &canvas;
}

} // namespace platform
