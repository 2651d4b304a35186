#include "controls/theme_label_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "tests/win32/support/handle_slots.h"

namespace vantry {
namespace {

class ThemeLabelWindowTest : public ::testing::Test {
  protected:
    ThemeLabelWindowTest() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = L"VantryLabelHost";
        RegisterClassW(&wc);
        host = CreateWindowExW(0, wc.lpszClassName, L"host", WS_OVERLAPPEDWINDOW, 600, 400, 300,
                               200, nullptr, nullptr, wc.hInstance, nullptr);
        // Shown: a label in a hidden window puts its drawing off until it is shown.
        ShowWindow(host, SW_SHOWNOACTIVATE);
        EXPECT_TRUE(label.Create(host, 10, 10, 50, 20));
        label.onMouseEnter = [this] { events.push_back("enter"); };
        label.onMouseLeave = [this] { events.push_back("leave"); };
        label.onMouseMove = [this](const MouseEventArgs&) { events.push_back("move"); };
        label.onClick = [this] { events.push_back("click"); };
    }
    ~ThemeLabelWindowTest() override { DestroyWindow(host); }

    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = MAKELPARAM(5, 5)) {
        return SendMessageW(label.Window(), msg, wParam, lParam);
    }
    void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    bool Hooked() { return GetPropW(label.Window(), L"FA_ExWndProcPtr") != nullptr; }
    std::vector<uint32_t> Pixels() {
        const GlowTextJob& job = label.Job();
        EXPECT_NE(job.bits, nullptr);
        if (!job.bits) return {};
        return {job.bits, job.bits + static_cast<size_t>(job.width) * job.height};
    }

    HWND host = nullptr;
    DWM_Label label;
    std::vector<std::string> events;
};

TEST_F(ThemeLabelWindowTest, WindowTextFollowsTheCaptionAndTheWindowItsTextBlock) {
    wchar_t text[64] = {};
    GetWindowTextW(label.Window(), text, 64);
    EXPECT_EQ(std::wstring(text), L"Theme Label");
    label.SetCaption("Drop Target");
    GetWindowTextW(label.Window(), text, 64);
    EXPECT_EQ(std::wstring(text), L"Drop Target");
    RECT rect;
    GetClientRect(label.Window(), &rect);
    EXPECT_EQ(rect.right, label.Job().width);
    EXPECT_EQ(rect.bottom, label.Job().height);
    EXPECT_GT(label.Job().width, 20);

    // The window's font follows the property (a new face, as only a new face counts): a larger
    // one widens the block, and going back gives the first size again.
    int regular = label.Job().width;
    FontDescription large;
    large.face = "Verdana";
    large.points = 12;
    large.bold = true;
    label.SetFont(large);
    EXPECT_GT(label.Job().width, regular + 10);
    label.SetFont(FontDescription{});
    EXPECT_EQ(label.Job().width, regular);
}

TEST_F(ThemeLabelWindowTest, CaptionBitmapHoldsTextAndHalo) {
    const GlowTextJob& job = label.Job();
    ASSERT_NE(job.bits, nullptr);
    int lit = 0;
    for (int i = 0; i < job.width * job.height; ++i) lit += job.bits[i] != 0;
    EXPECT_GT(lit, job.width * job.height / 4);
    // The glow reaches into the left margin, where no glyph is drawn.
    uint32_t margin = job.bits[(job.height / 2) * job.width + job.glowSize / 2];
    EXPECT_NE(margin >> 24, 0u);
}

TEST_F(ThemeLabelWindowTest, MouseLeaveUnhooksAndEndsWithZero) {
    Send(WM_MOUSEMOVE);
    EXPECT_TRUE(Hooked());
    EXPECT_EQ(GetWindowLongPtrW(label.Window(), GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(&SubclassProc));
    EXPECT_EQ(Send(WM_MOUSELEAVE, 0, 0), 0);
    EXPECT_FALSE(Hooked());
    EXPECT_FALSE(label.State().Subclassed());
    EXPECT_NE(GetWindowLongPtrW(label.Window(), GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(&SubclassProc));
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "move", "leave"}));
}

TEST_F(ThemeLabelWindowTest, EnterComesOnceBeforeTheFirstMove) {
    Send(WM_MOUSEMOVE);
    Send(WM_MOUSEMOVE);
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "move", "move"}));
    Send(WM_MOUSELEAVE, 0, 0);
}

TEST_F(ThemeLabelWindowTest, DisabledLabelRaisesNeitherEnterNorLeave) {
    label.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(label.Window()));
    uint32_t colour = label.Job().colour;
    Send(WM_MOUSEMOVE);
    Send(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"move"}));
    EXPECT_FALSE(Hooked());
    EXPECT_EQ(label.Job().colour, colour);
}

TEST_F(ThemeLabelWindowTest, ReleaseAfterPressIsAClick) {
    Send(WM_LBUTTONUP);
    EXPECT_TRUE(events.empty());
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    Send(WM_LBUTTONUP);
    EXPECT_EQ(events, (std::vector<std::string>{"click"}));
}

// A press slid off and released elsewhere is a cancelled click; it must not linger until a
// later, unrelated release over the label.
TEST_F(ThemeLabelWindowTest, PressEndedOffTheLabelOrByALostCaptureIsNoClick) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), label.Window());
    Send(WM_LBUTTONUP, 0, MAKELPARAM(-30, 5));
    EXPECT_NE(GetCapture(), label.Window());
    Send(WM_LBUTTONUP);
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    SetCapture(host);  // Alt+Tab or a message box takes the mouse away
    Send(WM_LBUTTONUP);
    EXPECT_TRUE(events.empty());
}

TEST_F(ThemeLabelWindowTest, TimerFadesToTheHoverColour) {
    label.SetUseBlend(true);
    label.SetHoverColor(0x00FFFFFF);
    Send(WM_MOUSEMOVE);
    EXPECT_EQ(label.Job().colour, 0u);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (label.State().BlendLevel() < 255 && std::chrono::steady_clock::now() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        // Only the label's own messages: a mouse-leave for the real pointer must not end the hover.
        while (PeekMessageW(&msg, label.Window(), WM_TIMER, WM_TIMER, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
    }
    EXPECT_EQ(label.State().BlendLevel(), 255);
    EXPECT_EQ(label.Job().colour, 0x00FFFFFFu);
    Send(WM_MOUSELEAVE, 0, 0);
}

TEST_F(ThemeLabelWindowTest, NewCaptionOfTheSameWidthReplacesTheKeptDrawing) {
    label.SetCaption("Twenty characters ok");
    std::vector<uint32_t> before = Pixels();
    int width = label.Job().width;
    label.SetCaption("ok Twenty characters");  // same letters: the bitmap keeps its size
    ASSERT_EQ(label.Job().width, width);
    EXPECT_NE(Pixels(), before);
    label.SetCaption("Twenty characters ok");
    EXPECT_EQ(Pixels(), before);
}

TEST_F(ThemeLabelWindowTest, HiddenLabelDrawsWhenShownAndNeverShowsAnOlderCaption) {
    label.SetCaption("Twenty characters ok");
    std::vector<uint32_t> first = Pixels();
    label.SetCaption("ok Twenty characters");
    std::vector<uint32_t> second = Pixels();

    ShowWindow(host, SW_HIDE);
    label.SetCaption("Twenty characters ok");
    EXPECT_EQ(Pixels(), second) << "a hidden label has drawn";
    // Shown and refreshed before any paint message: the new caption, not the kept bitmap.
    ShowWindow(host, SW_SHOWNOACTIVATE);
    label.Refresh();
    EXPECT_EQ(Pixels(), first);

    DWM_Label late;
    ShowWindow(host, SW_HIDE);
    ASSERT_TRUE(late.Create(host, 10, 40, 50, 20));
    late.SetCaption("Twenty characters ok");
    EXPECT_EQ(late.Job().bits, nullptr);
    ShowWindow(host, SW_SHOWNOACTIVATE);
    Pump();
    ASSERT_NE(late.Job().bits, nullptr);
    EXPECT_EQ(std::vector<uint32_t>(
                  late.Job().bits,
                  late.Job().bits + static_cast<size_t>(late.Job().width) * late.Job().height),
              first);
}

TEST_F(ThemeLabelWindowTest, AnEmptyCaptionMakesNoDrawingObjectsAndClearsItsBlock) {
    DWM_Label empty;
    ASSERT_TRUE(empty.Create(host, 10, 40, 50, 20));
    empty.SetCaption("");
    Pump();
    EXPECT_EQ(empty.Job().windowContext, nullptr);
    EXPECT_EQ(empty.Job().bitmap, nullptr);

    // Emptied after a drawing: the new, smaller size frees the old objects and makes none, and
    // the block the window keeps shows none of the old glow.
    empty.SetCaption("Twenty characters ok");
    ASSERT_NE(empty.Job().bitmap, nullptr);
    HDC screen = GetDC(empty.Window());
    const int middle = empty.Job().height / 2;
    ASSERT_NE(GetPixel(screen, 4, middle) & 0x00FFFFFF, 0u) << "the halo reaches the left edge";
    empty.SetCaption("");
    EXPECT_EQ(empty.Job().bitmap, nullptr);
    EXPECT_EQ(GetPixel(screen, 4, middle) & 0x00FFFFFF, 0u);
    ReleaseDC(empty.Window(), screen);
}

TEST_F(ThemeLabelWindowTest, FadeTickRecoloursTheTextAndKeepsTheHalo) {
    label.SetUseBlend(true);
    label.SetHoverColor(0x00FFFFFF);
    label.SetFadeInStep(100);
    Send(WM_MOUSEMOVE);
    std::vector<uint32_t> atRest = Pixels();
    Send(WM_TIMER, 1, 0);
    ASSERT_EQ(label.State().BlendLevel(), 100);
    std::vector<uint32_t> ticked = Pixels();
    const GlowTextJob& job = label.Job();
    // The glow's margin left of the text holds only halo; the text block itself changes.
    for (int y = 0; y < job.height; ++y) {
        for (int x = 0; x < job.glowSize / 2; ++x) {
            ASSERT_EQ(ticked[y * job.width + x], atRest[y * job.width + x]) << x << "," << y;
        }
    }
    EXPECT_NE(ticked, atRest);
    // The same colour drawn from scratch (new text, then the old text again) gives the same
    // pixels as the recoloured tick.
    std::string caption = label.Caption();
    label.SetCaption(caption + "x");
    label.SetCaption(caption);
    EXPECT_EQ(Pixels(), ticked);
    Send(WM_MOUSELEAVE, 0, 0);
}

TEST_F(ThemeLabelWindowTest, RedrawsAndHoversLeakNoHandles) {
    label.SetCaption("Twenty characters ok");
    label.RedrawCaption();
    Pump();
    HANDLE process = GetCurrentProcess();
    DWORD gdiBefore = GetGuiResources(process, GR_GDIOBJECTS);
    DWORD userBefore = GetGuiResources(process, GR_USEROBJECTS);
    long slotsBefore = test::GdiSlotsInUse();
    for (int i = 0; i < 10000; ++i) label.RedrawCaption();
    for (int i = 0; i < 1000; ++i) {
        Send(WM_MOUSEMOVE);
        Send(WM_MOUSELEAVE, 0, 0);
    }
    Pump();
    EXPECT_EQ(GetGuiResources(process, GR_GDIOBJECTS), gdiBefore);
    EXPECT_EQ(GetGuiResources(process, GR_USEROBJECTS), userBefore);
    if (gdiBefore == 0) {
        EXPECT_LE(test::GdiSlotsInUse(), slotsBefore + 16);
    }
    ASSERT_NE(label.Job().bits, nullptr);
    EXPECT_NE(label.Job().bits[(label.Job().height / 2) * label.Job().width + 4], 0u);
}

TEST_F(ThemeLabelWindowTest, ResizesAndThemeChangesLeakNoHandles) {
    label.RedrawCaption();
    Pump();
    HANDLE process = GetCurrentProcess();
    DWORD gdiBefore = GetGuiResources(process, GR_GDIOBJECTS);
    long slotsBefore = test::GdiSlotsInUse();
    for (int i = 0; i < 500; ++i) {
        label.SetGlowSize(i % 2 ? 12 : 10);  // a new bitmap size each time
        FontDescription font;
        font.face = i % 2 ? "Verdana" : "Tahoma";
        label.SetFont(font);
        Send(WM_THEMECHANGED);
    }
    Pump();
    EXPECT_EQ(GetGuiResources(process, GR_GDIOBJECTS), gdiBefore);
    if (gdiBefore == 0) {
        EXPECT_LE(test::GdiSlotsInUse(), slotsBefore + 16);
    }
    std::vector<uint32_t> pixels = Pixels();
    EXPECT_GT(std::count_if(pixels.begin(), pixels.end(), [](uint32_t p) { return p >> 24; }),
              static_cast<std::ptrdiff_t>(pixels.size() / 4));
}

}  // namespace
}  // namespace vantry
