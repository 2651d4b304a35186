#include "platform/glow_text_win32.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/alpha_surface_win32.h"
#include "platform/caption_contrast.h"
#include "platform/desktop_look_win32.h"
#include "platform/glow_halo.h"
#include "platform/system_functions_win32.h"
#include "platform/text_win32.h"

// Implemented: visual-style drawing with the platform's glow where it comes out readable, our
// own halo where it does not or the platform draws none (its colour-free layers kept so a fade
// tick only recolours), opaque text under high contrast, contexts, bitmap, font and style handle
// kept between drawings of one size, font conversion. Not yet: nothing.

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

// High contrast: the theme's text colour on its window colour, opaque, no glow.
void DrawOpaqueText(GlowTextJob& job, const std::wstring& text, RECT rect,
                    const LookSettings& settings) {
    const size_t count = static_cast<size_t>(job.width) * static_cast<size_t>(job.height);
    auto dibColour = [](uint32_t colour) {  // 0x00BBGGRR to an opaque 0xAARRGGBB
        return 0xFF000000u | ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    };
    GdiFlush();
    std::fill(job.bits, job.bits + count, dibColour(settings.background));
    SetBkMode(job.memoryContext, TRANSPARENT);
    COLORREF textColour = job.dimmed ? GetSysColor(COLOR_GRAYTEXT) : settings.text;
    SetTextColor(job.memoryContext, textColour & 0x00FFFFFF);
    DrawTextW(job.memoryContext, text.c_str(), -1, &rect, kTextFlags);
    GdiFlush();
    // GDI clears the alpha of what it draws.
    for (size_t i = 0; i < count; ++i) job.bits[i] |= 0xFF000000u;
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

// A word with ascenders, descenders and round strokes, drawn by the visual-style renderer with
// its glow in the two colours captions rest and hover in. Its glow is used only where both come
// out readable over any backdrop; a glow that is missing (Windows 8 and later in many setups,
// Wine) or too faint leaves the glyphs' surroundings see-through and fails that.
bool ProbePlatformGlow() {
    HTHEME theme = sys::OpenThemeData(nullptr, L"Window");
    if (!theme) return false;
    constexpr int kWidth = 64;
    constexpr int kHeight = 36;
    constexpr int kGlow = 10;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    uint32_t* bits = nullptr;
    HBITMAP bitmap = CreateTopDownDib(memory, kWidth, kHeight, &bits);
    bool readable = bitmap && bits;
    if (readable) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        HFONT font = CreateThemeFont(FontDescription{}, memory);  // the captions' font
        HGDIOBJ oldFont = SelectObject(memory, font);
        const size_t count = static_cast<size_t>(kWidth) * kHeight;
        RECT rect{kGlow, 0, kWidth, kHeight};
        SetBkMode(memory, TRANSPARENT);
        SetTextColor(memory, RGB(255, 255, 255));
        DrawTextW(memory, L"Hag", -1, &rect, kTextFlags);
        GdiFlush();
        std::vector<uint8_t> coverage = CoverageFromPixels(bits, kWidth, kHeight);
        for (uint32_t colour : {0x000000u, 0xFFFFFFu}) {
            std::fill(bits, bits + count, 0u);
            DTTOPTS options = GlowOptions(colour, kGlow);
            sys::DrawThemeTextEx(theme, memory, 0, 0, L"Hag", -1, kTextFlags, &rect, &options);
            GdiFlush();
            readable = readable &&
                       WorstCaptionContrast(bits, coverage, kWidth, kHeight) >= kReadableContrast;
        }
        SelectObject(memory, oldFont);
        DeleteObject(font);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    sys::CloseThemeData(theme);
    return readable;
}

std::optional<bool> platformGlows;

}  // namespace

bool PlatformDrawsGlow() {
    if (!platformGlows) platformGlows = ProbePlatformGlow();
    return *platformGlows;
}

bool RedecidePlatformGlow() {
    platformGlows = ProbePlatformGlow();
    return *platformGlows;
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
    if (!job.styleHandle) job.styleHandle = sys::OpenThemeData(job.window, L"Window");
    if (!AcquireSurface(job)) return;
    SelectCaptionFont(job);

    std::wstring text = Widen(job.text);
    RECT rect{job.glowSize, 0, job.width, job.height};
    const LookSettings& settings = PaintSettings();
    if (settings.highContrast) {
        DrawOpaqueText(job, text, rect, settings);
    } else if (job.styleHandle && PlatformDrawsGlow()) {
        // The bitmap holds the last drawing; the composited text needs a clear one under it.
        GdiFlush();
        std::fill(job.bits, job.bits + static_cast<size_t>(job.width) * job.height, 0u);
        DTTOPTS options = GlowOptions(job.colour, job.glowSize);
        sys::DrawThemeTextEx(job.styleHandle, job.memoryContext, 0, 0, text.c_str(), -1, kTextFlags,
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
    if (job.styleHandle) sys::CloseThemeData(job.styleHandle);
    job.styleHandle = nullptr;
    if (job.fontHandle) DeleteObject(job.fontHandle);
    job.fontHandle = nullptr;
}

}  // namespace vantry
