// The program's look on the Windows builds and settings that Wine cannot show: a fake desktop
// plays the build, the colour mode and high contrast, and records what the windows ask of the
// compositor. And what reaches the screen: every caption readable over any backdrop.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "app/program/program_win32.h"
#include "platform/alpha_surface_win32.h"
#include "platform/caption_contrast.h"
#include "platform/desktop_look_win32.h"
#include "platform/message_pump_win32.h"
#include "platform/text_win32.h"
#include "store/program_folder_win32.h"
#include "tests/native/support/fakes.h"
#include "tests/win32/support/temp_folder.h"

namespace vantry {
namespace {

// What a window has after the calls so far: glass, dark title bar, backdrop (none asked = 0).
using Look = std::array<uint32_t, 3>;

class FakeDesktop final : public DesktopLook {
  public:
    LookSettings ReadSettings() override { return settings; }
    void ExtendFrame(NativeWindow window, bool wholeClientArea) override {
        calls[window].push_back(wholeClientArea ? "glass" : "no glass");
        looks[window][0] = wholeClientArea;
    }
    void SetWindowAttribute(NativeWindow window, uint32_t attribute, uint32_t value) override {
        calls[window].push_back(std::to_string(attribute) + "=" + std::to_string(value));
        if (attribute == kDarkModeAttribute) looks[window][1] = value;
        if (attribute == kBackdropAttribute) looks[window][2] = value == 1 ? 0 : value;
    }

    LookSettings settings;
    std::map<NativeWindow, std::vector<std::string>> calls;
    std::map<NativeWindow, Look> looks;
};

class LookTest : public ::testing::Test {
  protected:
    void Start(const LookSettings& settings) {
        desktop.settings = settings;
        program = std::make_unique<Program>(folder, dialogs);
        program->Start();
        program->ShowDropWindow();
        program->ShowConfigWindow();
        PumpPendingMessages();
    }
    // The change as the system announces it: to every top-level window.
    void ColourSetChanged() {
        for (HWND window : {program->Small().Window(), program->Large().Window(),
                            program->DropForm()->Window(), program->Config().Window()}) {
            SendMessageW(window, WM_SETTINGCHANGE, 0,
                         reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
        }
    }

    FakeDesktop desktop;
    ScopedDesktop scope{desktop};
    test::TempFolder temp;
    Win32ProgramFolder folder{temp.Path()};
    test::RecordingDialogs dialogs;
    std::unique_ptr<Program> program;
};

TEST_F(LookTest, EachWindowGetsWhatItsBuildAndSettingsCallForAndKeepsItInStep) {
    Start({22621, true, false, 0, 0});
    using Calls = std::vector<std::string>;
    EXPECT_EQ(desktop.calls.at(program->Small().Window()), (Calls{"glass", "20=1", "38=3"}));
    EXPECT_EQ(desktop.calls.at(program->DropForm()->Window()), (Calls{"glass", "20=1", "38=2"}));
    EXPECT_EQ(desktop.calls.at(program->Config().Window()), (Calls{"20=1"}));
    EXPECT_EQ(desktop.calls.count(program->Large().Window()), 0u) << "never activated";

    for (uint32_t build : {19045u, 22000u, 22620u, 22621u}) {
        for (bool dark : {false, true}) {
            for (bool highContrast : {false, true}) {
                desktop.settings = {build, dark, highContrast, highContrast ? 0xFFFFFFu : 0, 0};
                ColourSetChanged();
                bool glass = !highContrast;
                bool darkBar = !highContrast && dark && build >= 22000;
                bool backdrops = !highContrast && build >= 22621;
                SCOPED_TRACE(std::to_string(build) + (dark ? " dark" : " light") +
                             (highContrast ? " high contrast" : ""));
                EXPECT_EQ(desktop.looks[program->Small().Window()],
                          (Look{glass, darkBar, backdrops ? 3u : 0u}));
                EXPECT_EQ(desktop.looks[program->DropForm()->Window()],
                          (Look{glass, darkBar, backdrops ? 2u : 0u}));
                EXPECT_EQ(desktop.looks[program->Config().Window()], (Look{false, darkBar, 0}));
            }
        }
    }
    EXPECT_EQ(desktop.calls.count(program->Large().Window()), 0u);

    // "ImmersiveColorSet" also comes on locking and elevation prompts: nothing changed, so
    // nothing is applied and nothing redrawn.
    desktop.settings = {22621, false, false, 0, 0};
    ColourSetChanged();
    PumpPendingMessages();
    desktop.calls.clear();
    ColourSetChanged();
    EXPECT_TRUE(desktop.calls.empty());
    EXPECT_FALSE(GetUpdateRect(program->Small().Window(), nullptr, FALSE));
    // A composition change drops what the compositor had: all of it is asked for again.
    SendMessageW(program->Small().Window(), WM_DWMCOMPOSITIONCHANGED, 0, 0);
    EXPECT_EQ(desktop.calls.at(program->Small().Window()), (Calls{"glass", "38=3"}));
}

uint32_t DibColour(uint32_t colour) {  // 0x00BBGGRR to an opaque 0xAARRGGBB
    return 0xFF000000u | ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

TEST_F(LookTest, HighContrastPaintsTheWindowsOpaqueInTheThemesColours) {
    test::WriteBytes(temp.File("VantryList0.txt"), "C:\\windows\\\r\n");
    Start({19045, false, false, 0, 0});
    HWND list = program->Small().Window();
    HDC screen = GetDC(list);
    EXPECT_EQ(GetPixel(screen, 300, 300), RGB(0, 0, 0));

    const uint32_t background = RGB(0x20, 0x40, 0x60), text = RGB(0xFF, 0xFF, 0x00);
    desktop.settings = {19045, false, true, background, text};
    ColourSetChanged();
    PumpPendingMessages();
    EXPECT_EQ(GetPixel(screen, 300, 300), background);
    HDC bar = GetDC(GetParent(program->Small().CloseCaption().Window()));
    EXPECT_EQ(GetPixel(bar, 290, 2), background);
    ReleaseDC(GetParent(program->Small().CloseCaption().Window()), bar);
    const GlowTextJob& job = program->Small().ItemCaption(0).Job();
    ASSERT_NE(job.bits, nullptr);
    std::vector<uint32_t> pixels(job.bits, job.bits + job.width * job.height);
    EXPECT_EQ(pixels.front(), DibColour(background));
    EXPECT_NE(std::count(pixels.begin(), pixels.end(), DibColour(text)), 0);
    EXPECT_EQ(
        std::count_if(pixels.begin(), pixels.end(), [](uint32_t p) { return p >> 24 != 255; }), 0);

    desktop.settings = {19045, false, false, 0, 0};
    ColourSetChanged();
    PumpPendingMessages();
    EXPECT_EQ(GetPixel(screen, 300, 300), RGB(0, 0, 0));
    ReleaseDC(list, screen);
}

// The glyphs of a caption's drawing: its text drawn again without glow, white on black.
std::vector<uint8_t> GlyphCoverage(const GlowTextJob& job) {
    AlphaSurface surface(job.width, job.height);
    HFONT font = CreateThemeFont(job.font, surface.Context());
    HGDIOBJ old = SelectObject(surface.Context(), font);
    SetBkMode(surface.Context(), TRANSPARENT);
    SetTextColor(surface.Context(), RGB(255, 255, 255));
    RECT rect{job.glowSize, 0, job.width, job.height};
    DrawTextW(surface.Context(), Widen(job.text).c_str(), -1, &rect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    GdiFlush();
    SelectObject(surface.Context(), old);
    DeleteObject(font);
    return CoverageFromPixels(surface.Bits(), job.width, job.height);
}

double Readability(const DWM_Label& label) {
    const GlowTextJob& job = label.Job();
    if (!job.bits) return 0;
    return WorstCaptionContrast(job.bits, GlyphCoverage(job), job.width, job.height);
}

TEST_F(LookTest, EveryCaptionIsReadableOverAnyBackdropAtRestAndHovered) {
    test::WriteBytes(temp.File("VantryList0.txt"), "C:\\windows\\\r\nC:\\a long name.txt\r\n");
    Start({19045, false, false, 0, 0});
    program->Large().SetVisible(true);
    PumpPendingMessages();

    std::vector<DWM_Label*> labels{&program->DropForm()->Hint(),
                                   &program->DropForm()->LargeCaption(),
                                   &program->DropForm()->SmallCaption()};
    for (ListWindowWin32* list : {&program->Small(), &program->Large()}) {
        for (int k = 0; k < kTabCount; ++k) labels.push_back(&list->Tab(k));
        for (int i = 0; i < 2; ++i) labels.push_back(&list->ItemCaption(i));
        for (DWM_Label* bar :
             {&list->DropTargetCaption(), &list->ConfigCaption(), &list->CloseCaption()}) {
            labels.push_back(bar);
        }
    }
    int measured = 0;
    for (DWM_Label* label : labels) {
        if (label->Caption().empty()) continue;
        SCOPED_TRACE(label->Caption());
        ++measured;
        EXPECT_GE(Readability(*label), kReadableContrast) << "at rest";
        SendMessageW(label->Window(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        for (int tick = 0; tick < 300 && label->State().BlendLevel() < kBlendFinished; ++tick) {
            SendMessageW(label->Window(), WM_TIMER, 1, 0);
        }
        ASSERT_EQ(label->State().BlendLevel(), kBlendFinished);
        EXPECT_GE(Readability(*label), kReadableContrast) << "hovered";
        SendMessageW(label->Window(), WM_MOUSELEAVE, 0, 0);
    }
    EXPECT_GE(measured, 19);
}

// Icons reach the glass with their own alpha; one without an alpha channel is opaque exactly
// where its mask covers.
TEST(DrawIconWithAlpha, KeepsAnIconsAlphaAndMakesAMaskedIconOpaqueWhereItCovers) {
    constexpr int kSide = 16;
    AlphaSurface colour(kSide, kSide);
    for (int i = 0; i < kSide * kSide; ++i) {
        colour.Bits()[i] = i % kSide < kSide / 2 ? 0xFF00FF00u : 0x40004000u;  // premultiplied
    }
    std::vector<uint8_t> maskBits(kSide * kSide / 8, 0);
    for (int y = 0; y < kSide; ++y) maskBits[y * 2 + 1] = 0xFF;  // right half: transparent
    HBITMAP mask = CreateBitmap(kSide, kSide, 1, 1, maskBits.data());
    HBITMAP colourBitmap = static_cast<HBITMAP>(GetCurrentObject(colour.Context(), OBJ_BITMAP));

    ICONINFO info{TRUE, 0, 0, mask, colourBitmap};
    HICON withAlpha = CreateIconIndirect(&info);
    AlphaSurface drawn(kSide, kSide);
    DrawIconWithAlpha(drawn, withAlpha, kSide);
    EXPECT_EQ(drawn.Bits()[3] >> 24, 0xFFu);
    EXPECT_EQ(drawn.Bits()[kSide - 2] >> 24, 0x40u);

    // The same colours without alpha: as a masked icon.
    for (int i = 0; i < kSide * kSide; ++i) colour.Bits()[i] &= 0x00FFFFFFu;
    HICON masked = CreateIconIndirect(&info);
    AlphaSurface drawnMasked(kSide, kSide);
    DrawIconWithAlpha(drawnMasked, masked, kSide);
    EXPECT_EQ(drawnMasked.Bits()[3], 0xFF00FF00u);
    EXPECT_EQ(drawnMasked.Bits()[kSide - 2], 0u);

    DestroyIcon(withAlpha);
    DestroyIcon(masked);
    DeleteObject(mask);
}

}  // namespace
}  // namespace vantry
