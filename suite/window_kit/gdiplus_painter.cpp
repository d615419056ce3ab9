#include "gdiplus_painter.h"

#include "label_font.h"

#include <windows.h>

#include <gdiplus.h>

#include <algorithm>
#include <cwchar>
#include <optional>
#include <vector>

namespace ombrix {
namespace {

namespace gp = Gdiplus::DllExports;

std::wstring wide(std::string_view text) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wideText(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wideText.data(),
                        size);
    return wideText;
}

// The raster's pixels as a GDI+ bitmap, sharing their memory.
Gdiplus::GpBitmap* bitmapOver(const Raster& raster) {
    Gdiplus::GpBitmap* bitmap = nullptr;
    // GDI+ only reads the pixels when it saves them.
    auto* pixels = reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(raster.pixels()));
    gp::GdipCreateBitmapFromScan0(raster.width(), raster.height(), raster.width() * 4,
                                  PixelFormat32bppRGB, pixels, &bitmap);
    return bitmap;
}

std::string narrow(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrowText(static_cast<std::size_t>(std::max(size, 1)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, narrowText.data(), size, nullptr, nullptr);
    narrowText.pop_back();
    return narrowText;
}

std::vector<std::string> installedFontFamilies() {
    Gdiplus::GpFontCollection* collection = nullptr;
    INT count = 0;
    if (gp::GdipNewInstalledFontCollection(&collection) != Gdiplus::Ok ||
        gp::GdipGetFontCollectionFamilyCount(collection, &count) != Gdiplus::Ok || count <= 0)
        return {};
    std::vector<Gdiplus::GpFontFamily*> families(static_cast<std::size_t>(count));
    gp::GdipGetFontCollectionFamilyList(collection, count, families.data(), &count);
    std::vector<std::string> names;
    for (const Gdiplus::GpFontFamily* family : families) {
        WCHAR name[LF_FACESIZE] = {};
        if (family && gp::GdipGetFamilyName(family, name, LANG_NEUTRAL) == Gdiplus::Ok)
            names.push_back(narrow(name));
    }
    return names;
}

// Chosen once: the installed families do not change while a program runs.
const std::optional<std::string>& chosenLabelFont() {
    static const std::optional<std::string> chosen = labelFont(installedFontFamilies());
    return chosen;
}

// Null when no installed font can show the texts: then none are drawn.
Gdiplus::GpFontFamily* fontFamily() {
    Gdiplus::GpFontFamily* family = nullptr;
    if (chosenLabelFont())
        gp::GdipCreateFontFamilyFromName(wide(*chosenLabelFont()).c_str(), nullptr, &family);
    return family;
}

std::optional<CLSID> pngEncoder() {
    UINT count = 0, size = 0;
    if (gp::GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0)
        return std::nullopt;
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (gp::GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok)
        return std::nullopt;
    for (UINT k = 0; k < count; ++k)
        if (std::wcscmp(codecs[k].MimeType, L"image/png") == 0)
            return codecs[k].Clsid;
    return std::nullopt;
}

bool isNumber(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

GdiplusSession::GdiplusSession() {
    const Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    token_ = token;
}

bool GdiplusSession::canShowTexts() const {
    return chosenLabelFont().has_value();
}

GdiplusSession::~GdiplusSession() {
    Gdiplus::GdiplusShutdown(static_cast<ULONG_PTR>(token_));
}

struct GdiplusPainter::Resources {
    Gdiplus::GpBitmap* bitmap = nullptr;
    Gdiplus::GpGraphics* graphics = nullptr;
    Gdiplus::GpFontFamily* family = nullptr;
    Gdiplus::GpFont* font = nullptr;
    Gdiplus::GpStringFormat* format = nullptr;
    Gdiplus::GpSolidFill* brush = nullptr;

    ~Resources() {
        gp::GdipDeleteBrush(brush);
        gp::GdipDeleteStringFormat(format);
        gp::GdipDeleteFont(font);
        gp::GdipDeleteFontFamily(family);
        gp::GdipDeleteGraphics(graphics);
        gp::GdipDisposeImage(bitmap);
    }

    Gdiplus::RectF measured(const std::wstring& text) const {
        const Gdiplus::RectF layout{0, 0, 0, 0};
        Gdiplus::RectF bounds{0, 0, 0, 0};
        gp::GdipMeasureString(graphics, text.c_str(), static_cast<INT>(text.size()), font, &layout,
                              format, &bounds, nullptr, nullptr);
        return bounds;
    }
};

GdiplusPainter::GdiplusPainter(Raster& raster, double pixel)
    : resources_(std::make_unique<Resources>()) {
    Resources& r = *resources_;
    r.bitmap = bitmapOver(raster);
    gp::GdipGetImageGraphicsContext(r.bitmap, &r.graphics);
    gp::GdipSetTextRenderingHint(r.graphics, Gdiplus::TextRenderingHintAntiAliasGridFit);
    r.family = fontFamily();
    gp::GdipCreateFont(r.family, static_cast<Gdiplus::REAL>(12 * pixel), Gdiplus::FontStyleRegular,
                       Gdiplus::UnitPixel, &r.font);
    Gdiplus::GpStringFormat* typographic = nullptr;
    gp::GdipStringFormatGetGenericTypographic(&typographic);
    gp::GdipCloneStringFormat(typographic, &r.format);
    gp::GdipSetStringFormatFlags(r.format, Gdiplus::StringFormatFlagsNoWrap |
                                               Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    gp::GdipCreateSolidFill(0xFF000000, &r.brush);
    const Gdiplus::RectF digits = r.measured(L"0123456789");
    digitWidth_ = digits.Width / 10;
    lineHeight_ = digits.Height;
}

GdiplusPainter::~GdiplusPainter() = default;

ScreenPoint GdiplusPainter::extent(std::string_view text) const {
    if (isNumber(text))
        return {digitWidth_ * static_cast<double>(text.size()), lineHeight_};
    const Gdiplus::RectF bounds = resources_->measured(wide(text));
    return {bounds.Width, std::max<double>(bounds.Height, lineHeight_)};
}

void GdiplusPainter::paint(const Label& label) {
    const Resources& r = *resources_;
    const Box box = boxOf(label, *this);
    const std::wstring text = wide(label.text);
    const Gdiplus::RectF layout{static_cast<Gdiplus::REAL>(box.topLeft.x),
                                static_cast<Gdiplus::REAL>(box.topLeft.y), 0, 0};
    gp::GdipSetSolidFillColor(
        r.brush, 0xFF000000 | static_cast<Gdiplus::ARGB>(label.colour.red) << 16 |
                     static_cast<Gdiplus::ARGB>(label.colour.green) << 8 | label.colour.blue);
    gp::GdipDrawString(r.graphics, text.c_str(), static_cast<INT>(text.size()), r.font, &layout,
                       r.format, r.brush);
}

void drawAnew(Raster& picture, double pixel, const std::function<void(TextPainter&)>& draw) {
    picture.fill({0, 0}, {1.0 * picture.width(), 1.0 * picture.height()}, paper);
    GdiplusPainter painter(picture, pixel);
    draw(painter);
}

void drawAnew(Raster& picture, const View& view, const Camera& camera, const ViewOptions& options) {
    drawAnew(picture, options.pixel,
             [&](TextPainter& painter) { view.draw(picture, painter, camera, options); });
}

bool savePng(const Raster& raster, const std::string& path) {
    const std::optional<CLSID> encoder = pngEncoder();
    Gdiplus::GpBitmap* bitmap = bitmapOver(raster);
    const bool saved =
        encoder && bitmap &&
        gp::GdipSaveImageToFile(bitmap, wide(path).c_str(), &*encoder, nullptr) == Gdiplus::Ok;
    gp::GdipDisposeImage(bitmap);
    return saved;
}

} // namespace ombrix
