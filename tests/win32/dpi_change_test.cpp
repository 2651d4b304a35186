#include <gtest/gtest.h>
#include <windows.h>

#include "app/program/program_win32.h"
#include "app/window_layouts.h"
#include "platform/dpi_win32.h"
#include "platform/message_pump_win32.h"
#include "store/program_folder_win32.h"
#include "tests/native/support/fakes.h"
#include "tests/win32/support/temp_folder.h"
#include "tests/win32/support/window_helpers.h"

// Windows send WM_DPICHANGED when a window moves to a monitor of another scale or the scale
// changes; here it is sent by hand, as the virtual display has one monitor at one scale.

namespace vantry {
namespace {

SIZE ClientSize(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return {rect.right, rect.bottom};
}

// The character height of the font the caption was last drawn with.
int CaptionFontHeight(const DWM_Label& label) {
    LOGFONTW font{};
    GetObjectW(label.Job().fontHandle, sizeof(font), &font);
    return font.lfHeight;
}

void SendDpiChange(HWND window, int dpi, RECT suggested) {
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    PumpPendingMessages();
}

// The rectangle the system suggests for a window of the given client size at the DPI, at (x, y).
RECT Suggested(HWND window, int x, int y, int clientWidth, int clientHeight, int dpi) {
    SIZE frame = FrameSize(window, dpi);
    return {x, y, x + clientWidth + frame.cx, y + clientHeight + frame.cy};
}

// The window went where the system suggested, with the client area of its layout (under Wine
// the frame keeps its size, so only the client area is compared).
void ExpectTookSuggested(HWND window, const RECT& suggested, int clientWidth, int clientHeight) {
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, suggested.left);
    EXPECT_EQ(outer.top, suggested.top);
    SIZE client = ClientSize(window);
    EXPECT_EQ(client.cx, clientWidth);
    EXPECT_EQ(client.cy, clientHeight);
}

class DpiChangeTest : public ::testing::Test {
  protected:
    void Start(const std::string& style) {
        test::WriteBytes(temp.File("listtype.txt"), style + "\r\n");
        test::WriteBytes(temp.File("VantryList0.txt"), "C:\\windows\\\r\n");
        program = std::make_unique<Program>(folder, dialogs);
        program->Start();
        PumpPendingMessages();
    }

    test::TempFolder temp;
    Win32ProgramFolder folder{temp.Path()};
    test::RecordingDialogs dialogs;
    std::unique_ptr<Program> program;
};

TEST_F(DpiChangeTest, AListWindowLaysItselfOutAgainAndFitsItsMonitorAboveTheTaskbar) {
    for (const char* style : {kLargeStyle, kSmallStyle}) {
        Start(style);
        bool large = std::string(style) == kLargeStyle;
        ListWindowWin32& list = large ? program->Large() : program->Small();
        const ListLayout& layout = large ? kLargeLayout : kSmallLayout;
        for (int dpi : {144, 192}) {
            SCOPED_TRACE(testing::Message() << style << " at " << dpi);
            // Where the system suggests does not matter: the list keeps to its own place.
            SendDpiChange(list.Window(), dpi, {200, 100, 700, 900});
            // The icons at the new size come from the look-up workers.
            ASSERT_TRUE(test::PumpUntil([this] { return program->Icons().Pending() == 0; }));
            EXPECT_EQ(list.MonitorDpi(), dpi);
            const int laidOut = list.Dpi();
            SIZE client = ClientSize(list.Window());
            EXPECT_EQ(client.cx, TwipsToPixels(kListClientWidth, laidOut));
            EXPECT_EQ(client.cy, TwipsToPixels(layout.clientHeight, laidOut));
            RECT outer;
            GetWindowRect(list.Window(), &outer);
            RECT work = MonitorAreasOf(list.Window(), nullptr).work;
            EXPECT_GE(outer.top, work.top);
            EXPECT_EQ(outer.bottom, work.bottom);
            EXPECT_LE(outer.right, work.right);
            // Shrunk no more than needed: one dpi more would not fit.
            int frameHeight = outer.bottom - outer.top - client.cy;
            EXPECT_TRUE(laidOut == dpi ||
                        TwipsToPixels(layout.clientHeight, laidOut + 1) + frameHeight >
                            work.bottom - work.top);
            // Icons at the size the layout's DPI calls for, captions and glow in proportion.
            int side = ItemIconPixels(!large, laidOut);
            EXPECT_EQ(test::IconSide(list.ItemIcon(0).Icon()), side);
            EXPECT_EQ(list.ItemIcon(0).IconSide(), side);
            EXPECT_EQ(CaptionFontHeight(list.ItemCaption(0)), -MulDiv(8, laidOut, 72));
            EXPECT_EQ(list.ItemCaption(0).Job().glowSize, ScaleFrom96(10, laidOut));
        }
        program.reset();
    }
}

TEST_F(DpiChangeTest, TheDropAndConfigurationWindowsTakeTheSuggestedRectangle) {
    Start(kSmallStyle);
    program->ShowDropWindow();
    program->ShowConfigWindow();
    PumpPendingMessages();
    HWND drop = program->DropForm()->Window();
    HWND config = program->Config().Window();
    ASSERT_TRUE(drop && config);
    for (int dpi : {144, 192}) {
        SCOPED_TRACE(dpi);
        int width = TwipsToPixels(kDropClientWidth, dpi);
        int height = TwipsToPixels(kDropClientHeight, dpi);
        RECT suggested = Suggested(drop, 40, 30, width, height, dpi);
        SendDpiChange(drop, dpi, suggested);
        ExpectTookSuggested(drop, suggested, width, height);
        EXPECT_EQ(CaptionFontHeight(program->DropForm()->Hint()), -MulDiv(8, dpi, 72));

        width = TwipsToPixels(4365, dpi);
        height = TwipsToPixels(2580, dpi);
        suggested = Suggested(config, 300, 20, width, height, dpi);
        SendDpiChange(config, dpi, suggested);
        ExpectTookSuggested(config, suggested, width, height);
    }
}

}  // namespace
}  // namespace vantry
