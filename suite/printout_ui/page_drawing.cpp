#include "page_drawing.h"

#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace ombrix {
namespace {

constexpr double marginInches = 0.75;

// An A4 sheet at 600 dots an inch, a sixth of an inch unprintable at each edge: the
// preview's paper when no printer is installed.
Paper nominalPaper() {
    constexpr int dpi = 600, width = 4961, height = 7016, edge = 100;
    return {width, height, edge, edge, width - 2 * edge, height - 2 * edge, dpi, dpi};
}

Paper paperOf(HDC printer) {
    return {GetDeviceCaps(printer, PHYSICALWIDTH),   GetDeviceCaps(printer, PHYSICALHEIGHT),
            GetDeviceCaps(printer, PHYSICALOFFSETX), GetDeviceCaps(printer, PHYSICALOFFSETY),
            GetDeviceCaps(printer, HORZRES),         GetDeviceCaps(printer, VERTRES),
            GetDeviceCaps(printer, LOGPIXELSX),      GetDeviceCaps(printer, LOGPIXELSY)};
}

// The fixed-pitch font, `height` logical units from the top of its capitals' accents to
// the bottom of its descenders, selected into the DC for as long as it lives.
class SelectedFont {
  public:
    SelectedFont(HDC dc, int height)
        : dc_(dc), font_(CreateFontA(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                     DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New")),
          old_(SelectObject(dc, font_)) {}
    ~SelectedFont() {
        SelectObject(dc_, old_);
        DeleteObject(font_);
    }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

  private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
};

// A DC of the screen whose logical units are the nominal paper's dots, for as long as it
// lives: where the font is measured when there is no printer.
class NominalPaperDc {
  public:
    explicit NominalPaperDc(int dotsPerInch) : dc_(CreateCompatibleDC(nullptr)) {
        SetMapMode(dc_, MM_ANISOTROPIC);
        SetWindowExtEx(dc_, dotsPerInch, dotsPerInch, nullptr);
        SetViewportExtEx(dc_, GetDeviceCaps(dc_, LOGPIXELSX), GetDeviceCaps(dc_, LOGPIXELSY),
                         nullptr);
    }
    ~NominalPaperDc() { DeleteDC(dc_); }
    NominalPaperDc(const NominalPaperDc&) = delete;
    NominalPaperDc& operator=(const NominalPaperDc&) = delete;
    HDC dc() const { return dc_; }

  private:
    HDC dc_;
};

void measureFont(HDC dc, LaidOutText& text) {
    const SelectedFont font(dc, text.fontHeight);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SIZE cell{};
    GetTextExtentPoint32A(dc, "M", 1, &cell);
    text.lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    text.layout = layoutOf(text.area, cell.cx, text.lineHeight);
}

std::string systemReason() {
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   GetLastError(), 0, text, sizeof text, nullptr);
    std::string reason = text;
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
        reason.pop_back();
    return reason.empty() ? "error " + std::to_string(GetLastError()) : reason;
}

std::string abandoned(HDC printer, const std::string& what) {
    std::string failure = what + ": " + systemReason();
    AbortDoc(printer);
    return failure;
}

// A line as the wide text calls draw it: the laid-out text is UTF-8, whatever the code page.
std::wstring wideOf(const std::string& line) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), wide.data(),
                            length);
    return wide;
}

} // namespace

LaidOutText laidOut(HDC printer, const std::string& printerName, std::string_view text,
                    std::optional<int> points) {
    LaidOutText laid;
    laid.paper = printer ? paperOf(printer) : nominalPaper();
    laid.area = textAreaOf(laid.paper, marginInches);
    laid.printer = printer ? printerName : std::string();
    const NominalPaperDc nominal(laid.paper.dotsPerInchY);
    const int widest = points ? 0 : widestLine(text);
    for (laid.points = points.value_or(largestPoints);; --laid.points) {
        laid.fontHeight = MulDiv(laid.points, laid.paper.dotsPerInchY, 72);
        measureFont(printer ? printer : nominal.dc(), laid);
        if (laid.layout.columns >= widest || laid.points <= smallestPoints)
            break;
    }
    laid.pages = paginate(text, laid.layout);
    return laid;
}

LaidOutText laidOutForDefaultPrinter(std::string_view text, std::optional<int> points) {
    char name[MAX_PATH] = {};
    DWORD size = sizeof name;
    HDC printer =
        GetDefaultPrinterA(name, &size) ? CreateICA(nullptr, name, nullptr, nullptr) : nullptr;
    LaidOutText laid = laidOut(printer, name, text, points);
    if (printer)
        DeleteDC(printer);
    return laid;
}

std::string today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char text[32] = {};
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute);
    return text;
}

void drawPage(HDC dc, const LaidOutText& text, std::size_t page, const PageTitle& title) {
    const SelectedFont font(dc, text.fontHeight);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    const auto lineAt = [&](std::size_t row, const std::string& line) {
        const std::wstring wide = wideOf(line);
        TextOutW(dc, text.area.left, text.area.top + static_cast<int>(row) * text.lineHeight,
                 wide.data(), static_cast<int>(wide.size()));
    };
    lineAt(0, pageHeader(title.fileName, title.date, static_cast<int>(page + 1),
                         static_cast<int>(text.pages.size()), text.layout.columns));
    const Page& lines = text.pages.at(page);
    for (std::size_t row = 0; row < lines.size(); ++row)
        lineAt(headerLines + row, lines[row]);
}

std::string printPages(HDC printer, const LaidOutText& text, PageRange range,
                       const PageTitle& title, const std::string& outputFile) {
    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = title.fileName.c_str();
    document.lpszOutput = outputFile.empty() ? nullptr : outputFile.c_str();
    if (StartDocA(printer, &document) <= 0)
        return "the printer did not take the document: " + systemReason();
    for (int page = range.from; page <= range.to; ++page) {
        if (StartPage(printer) <= 0)
            return abandoned(printer, "the printer did not start page " + std::to_string(page));
        drawPage(printer, text, static_cast<std::size_t>(page - 1), title);
        if (EndPage(printer) <= 0)
            return abandoned(printer, "the printer did not finish page " + std::to_string(page));
    }
    if (EndDoc(printer) <= 0)
        return "the printer did not finish the document: " + systemReason();
    return {};
}

} // namespace ombrix
