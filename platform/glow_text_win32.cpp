#include "platform/glow_text_win32.h"

#include <algorithm>
#include <vector>

#include "platform/glow_halo.h"
#include "platform/text_win32.h"

// Implemented: visual-style drawing with the platform's glow, our own halo where the platform
// draws none (its colour-free layers kept so a fade tick only recolours), contexts, bitmap, font
// and style handle kept between drawings of one size, font conversion. Not yet: nothing.

namespace vantry {

namespace {

constexpr UINT kTextFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

DTTOPTS GlowOptions(uint32_t colour, int glowSize) {
    DTTOPTS options{};
    options.dwSize = sizeof(options);
    options.dwFlags = DTT_TEXTCOLOR | DTT_GLOWSIZE | DTT_COMPOSITED;
    options.crText = colour;
    options.iGlowSize = glowSize;
    return options;
}

HBITMAP CreateTopDownDib(HDC context, int width, int height, uint32_t** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows run top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(context, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    *bits = static_cast<uint32_t*>(pixels);
    return bitmap;
}

bool LayersFit(const GlowTextJob& job) {
    return job.layersGlowSize == job.glowSize && job.layers.width == job.width &&
           job.layers.height == job.height && job.layersText == job.text &&
           job.layersFont == job.font;
}

// Renders the glyphs white on black with GDI, takes their coverage and lays the text in its
// colour over our own halo. Used where DrawThemeTextEx would leave the text bare or draw nothing.
// Rendering and blurring are skipped while the text, font, glow and size are those of the last
// drawing, which is every tick of a fade.
void DrawOwnGlow(GlowTextJob& job, const std::wstring& text, RECT rect) {
    if (!LayersFit(job)) {
        const size_t count = static_cast<size_t>(job.width) * static_cast<size_t>(job.height);
        GdiFlush();  // a pending copy from the bitmap must not see the pixels change
        std::fill(job.bits, job.bits + count, 0u);
        SetBkMode(job.memoryContext, TRANSPARENT);
        SetTextColor(job.memoryContext, RGB(255, 255, 255));
        DrawTextW(job.memoryContext, text.c_str(), -1, &rect, kTextFlags);
        GdiFlush();  // the bits are read directly below
        BuildGlowLayers(CoverageFromPixels(job.bits, job.width, job.height), job.width, job.height,
                        job.glowSize, job.layers);
        job.layersText = job.text;
        job.layersFont = job.font;
        job.layersGlowSize = job.glowSize;
    }
    GdiFlush();
    ComposeGlowLayers(job.layers, job.colour, job.bits);
}

void ForgetLayers(GlowTextJob& job) {
    job.layers = GlowLayers{};
    job.layersText.clear();
    job.layersGlowSize = -1;
}

// Brings the job's window context, memory context and bitmap into being where it holds none,
// each made once for as long as the owner keeps them. False when drawing cannot go on.
bool AcquireSurface(GlowTextJob& job) {
    if (job.bitmap && (job.bitmapWidth != job.width || job.bitmapHeight != job.height)) {
        ReleaseGlowSurface(job);
    }
    if (!job.windowContext) {
        job.windowContext = GetDC(job.window);
        // Saved once per context: a context held across drawings must not pile up states.
        job.windowContextState = job.windowContext ? SaveDC(job.windowContext) : 0;
    }
    if (!job.memoryContext) {
        job.memoryContext = CreateCompatibleDC(job.windowContext);
        job.memoryContextState = job.memoryContext ? SaveDC(job.memoryContext) : 0;
    }
    if (job.windowContextState == 0 || job.memoryContextState == 0) return false;
    if (job.width <= 0 || job.height <= 0) return false;
    if (!job.bitmap) {
        job.bitmap = CreateTopDownDib(job.memoryContext, job.width, job.height, &job.bits);
        if (!job.bitmap || !job.bits) return false;
        job.bitmapWidth = job.width;
        job.bitmapHeight = job.height;
        job.replacedBitmap = SelectObject(job.memoryContext, job.bitmap);
    }
    return true;
}

void SelectCaptionFont(GlowTextJob& job) {
    if (job.fontHandle && !(job.fontHandleFor == job.font)) {
        // A font still selected into a context cannot be deleted.
        if (job.replacedFont) SelectObject(job.memoryContext, job.replacedFont);
        job.replacedFont = nullptr;
        DeleteObject(job.fontHandle);
        job.fontHandle = nullptr;
    }
    if (!job.fontHandle) {
        job.fontHandle = CreateThemeFont(job.font, job.dpi);
        job.fontHandleFor = job.font;
    }
    if (!job.replacedFont) job.replacedFont = SelectObject(job.memoryContext, job.fontHandle);
}

bool ProbePlatformGlow() {
    HTHEME theme = OpenThemeData(nullptr, L"Window");
    if (!theme) return false;
    constexpr int kSide = 48;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    uint32_t* bits = nullptr;
    HBITMAP bitmap = CreateTopDownDib(memory, kSide, kSide, &bits);
    bool glows = false;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        RECT rect{0, 0, kSide, kSide};
        DTTOPTS options = GlowOptions(0, 12);
        DrawThemeTextEx(theme, memory, 0, 0, L"I", -1, DT_SINGLELINE | DT_CENTER | DT_VCENTER,
                        &rect, &options);
        GdiFlush();
        // A bare "I" is a thin column at the centre; a glow of radius 12 lights the columns a
        // few pixels beside it, so alpha there can only come from a glow.
        for (int row = 0; row < kSide && !glows; ++row) {
            for (int col = kSide / 2 - 10; col < kSide / 2 - 5 && !glows; ++col) {
                glows = (bits[row * kSide + col] >> 24) != 0;
            }
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    CloseThemeData(theme);
    return glows;
}

}  // namespace

bool PlatformDrawsGlow() {
    static const bool glows = ProbePlatformGlow();
    return glows;
}

void FontToLogFont(const FontDescription& font, int dpi, LOGFONTW& logFont) {
    logFont = LOGFONTW{};
    std::wstring face = Widen(font.face);
    size_t length = std::min<size_t>(face.size(), LF_FACESIZE - 1);
    std::copy_n(face.begin(), length, logFont.lfFaceName);
    LogFontFields fields = ComputeLogFontFields(font, dpi);
    logFont.lfHeight = fields.height;
    logFont.lfWeight = fields.weight;
    logFont.lfItalic = fields.italic;
    logFont.lfUnderline = fields.underline;
    logFont.lfStrikeOut = fields.strikeOut;
    logFont.lfCharSet = fields.charSet;
}

HFONT CreateThemeFont(const FontDescription& font, HDC context) {
    return CreateThemeFont(font, GetDeviceCaps(context, LOGPIXELSY));
}

HFONT CreateThemeFont(const FontDescription& font, int dpi) {
    LOGFONTW logFont;
    FontToLogFont(font, dpi, logFont);
    return CreateFontIndirectW(&logFont);
}

void DrawGlowText(GlowTextJob& job) {
    // The style handle and the font outlive a drawing (ReleaseGlowKept frees them): opening the
    // theme and mapping the font each time would cost more than the rest of the drawing.
    if (!job.styleHandle) job.styleHandle = OpenThemeData(job.window, L"Window");
    if (!AcquireSurface(job)) return;
    SelectCaptionFont(job);

    std::wstring text = Widen(job.text);
    RECT rect{job.glowSize, 0, job.width, job.height};
    if (job.styleHandle && PlatformDrawsGlow()) {
        // The bitmap holds the last drawing; the composited text needs a clear one under it.
        GdiFlush();
        std::fill(job.bits, job.bits + static_cast<size_t>(job.width) * job.height, 0u);
        DTTOPTS options = GlowOptions(job.colour, job.glowSize);
        DrawThemeTextEx(job.styleHandle, job.memoryContext, 0, 0, text.c_str(), -1, kTextFlags,
                        &rect, &options);
    } else {
        DrawOwnGlow(job, text, rect);
    }
    BlitGlowText(job);
}

void BlitGlowText(const GlowTextJob& job) {
    if (!job.windowContext || !job.memoryContext || !job.bitmap) return;
    BitBlt(job.windowContext, job.x, job.y, job.width, job.height, job.memoryContext, 0, 0,
           SRCCOPY);
}

void ReleaseGlowTarget(GlowTextJob& job) {
    if (!job.windowContext) return;
    if (job.windowContextState != 0) RestoreDC(job.windowContext, job.windowContextState);
    ReleaseDC(job.window, job.windowContext);
    job.windowContext = nullptr;
    job.windowContextState = 0;
}

void ReleaseGlowSurface(GlowTextJob& job) {
    if (job.memoryContext) {
        if (job.replacedBitmap) SelectObject(job.memoryContext, job.replacedBitmap);
        if (job.replacedFont) SelectObject(job.memoryContext, job.replacedFont);
    }
    job.replacedBitmap = nullptr;
    job.replacedFont = nullptr;
    if (job.bitmap) DeleteObject(job.bitmap);
    job.bitmap = nullptr;
    job.bits = nullptr;
    job.bitmapWidth = 0;
    job.bitmapHeight = 0;
    if (job.memoryContext) DeleteDC(job.memoryContext);
    job.memoryContext = nullptr;
    job.memoryContextState = 0;
}

void ReleaseGlowKept(GlowTextJob& job) {
    ReleaseGlowSurface(job);  // the font may still be selected into the memory context
    ReleaseGlowTarget(job);
    ForgetLayers(job);
    if (job.styleHandle) CloseThemeData(job.styleHandle);
    job.styleHandle = nullptr;
    if (job.fontHandle) DeleteObject(job.fontHandle);
    job.fontHandle = nullptr;
}

}  // namespace vantry
