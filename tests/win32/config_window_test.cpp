#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/config/config_window_win32.h"
#include "platform/dpi_win32.h"
#include "platform/text_win32.h"
#include "tests/native/support/app_fakes.h"
#include "tests/win32/support/window_helpers.h"

namespace vantry {
namespace {

using test::WindowText;

bool Checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

class ConfigWindowWin32Test : public ::testing::Test {
  protected:
    // The program up to the moment the user asks for the configuration window.
    void Open() {
        p.drop.Start();
        host.Show();
        ASSERT_TRUE(host.IsOpen());
        window = host.Window();
    }
    HWND Item(int id) const { return GetDlgItem(window, id); }
    HWND Tab(int k) const { return Item(kConfigFirstTab + k); }
    // A control's rectangle in the window's client coordinates.
    RECT Place(int id) const {
        RECT r{};
        GetWindowRect(Item(id), &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    void Click(int id) const { SendMessageW(Item(id), WM_LBUTTONDOWN, MK_LBUTTON, 0); }
    void Type(const std::string& text) const {
        for (char c : text) SendMessageW(Item(kConfigText1), WM_CHAR, static_cast<WPARAM>(c), 0);
    }
    int Width(HWND control) const {
        RECT r{};
        GetWindowRect(control, &r);
        return r.right - r.left;
    }

    test::FakeProgram p;
    ConfigWindowHost host{p.drop};
    HWND window = nullptr;
};

TEST_F(ConfigWindowWin32Test, EveryControlStandsWhereTheLayoutPutsItAt96Dpi) {
    Open();
    if (WindowDpi(window) != 96) GTEST_SKIP() << "the pixel figures hold at 96 dpi";
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 291);
    EXPECT_EQ(client.bottom, 172);
    EXPECT_EQ(WindowText(window), "Config");
    LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX));

    struct Expected {
        int id;
        const char* caption;
        RECT place;  // left, top, right, bottom
    };
    const Expected expected[] = {
        {kConfigLabel2, "Current Tabs :", {8, 8, 89, 25}},
        {kConfigLabel4, "Click a tab name to Edit it.", {104, 8, 249, 25}},
        {kConfigLabel3, "0", {264, 8, 281, 25}},
        {kConfigLabel1, "New Tab Section Name:", {8, 64, 137, 81}},
        {kConfigLabel5, "New Tab < Click here to start a new tab.", {40, 80, 257, 97}},
        {kConfigLabel6, "[Max is 5 Tabs]", {80, 96, 209, 113}},
        {kConfigText1, "", {40, 112, 257, 131}},
        {kConfigOption1, "Small List", {8, 144, 89, 169}},
        {kConfigOption2, "Large List", {96, 144, 177, 169}},
        {kConfigCommand1, "Update Tabs", {176, 144, 289, 169}},
    };
    for (const Expected& e : expected) {
        RECT r = Place(e.id);
        EXPECT_EQ(WindowText(Item(e.id)), e.caption);
        EXPECT_EQ(r.left, e.place.left) << e.caption;
        EXPECT_EQ(r.top, e.place.top) << e.caption;
        EXPECT_EQ(r.right, e.place.right) << e.caption;
        EXPECT_EQ(r.bottom, e.place.bottom) << e.caption;
    }
    // No stored names: five defaults at their first places, each exactly as wide as its text.
    HWND tab0 = Tab(0);
    HDC dc = GetDC(tab0);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(tab0, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, L"Main |", 6, &extent);
    SelectObject(dc, old);
    ReleaseDC(tab0, dc);
    for (int k = 0; k < kTabCount; ++k) {
        RECT r = Place(kConfigFirstTab + k);
        EXPECT_EQ(WindowText(Tab(k)), "Main |");
        EXPECT_EQ(r.left, 8 + 40 * k) << k;
        EXPECT_EQ(r.top, 32) << k;
        EXPECT_EQ(r.bottom - r.top, 14) << k;
        EXPECT_EQ(r.right - r.left, extent.cx) << k;
    }
    EXPECT_GT(extent.cx, 0);
}

TEST_F(ConfigWindowWin32Test, TypingRenamesTheTabLabelLiveAndLaysTheStripOut) {
    p.folder.files["VantryTabs.txt"] = "Main |\r\n\r\n\r\n\r\n\r\n";
    Open();
    Click(kConfigLabel5);
    EXPECT_EQ(WindowText(Item(kConfigLabel3)), "1");
    Type("Work |");
    EXPECT_EQ(WindowText(Tab(1)), "Work |");
    int gap = MulDiv(120, WindowDpi(window), 1440);
    RECT first = Place(kConfigFirstTab);
    RECT second = Place(kConfigFirstTab + 1);
    EXPECT_EQ(second.left, first.right + gap);
    int narrow = Width(Tab(1));
    Type(" and more");
    EXPECT_GT(Width(Tab(1)), narrow);
    // Empty labels take no room.
    EXPECT_EQ(Width(Tab(2)), 0);
    EXPECT_EQ(Place(kConfigFirstTab + 2).left, Place(kConfigFirstTab + 1).right + gap);
    EXPECT_EQ(Place(kConfigFirstTab + 3).left, Place(kConfigFirstTab + 2).left + gap);
    // Selecting tab 0 by its label copies its name into the text box.
    Click(kConfigFirstTab);
    EXPECT_EQ(WindowText(Item(kConfigLabel3)), "0");
    EXPECT_EQ(WindowText(Item(kConfigText1)), "Main |");
    SetWindowTextW(Item(kConfigText1), L"Home");
    EXPECT_EQ(WindowText(Tab(0)), "Home");
    // Nothing is stored before "Update Tabs".
    EXPECT_EQ(p.folder.files["VantryTabs.txt"], "Main |\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(ConfigWindowWin32Test, UpdateTabsStoresTheNamesAndRefreshesBothListWindows) {
    Open();
    Type("Home");
    SendMessageW(Item(kConfigCommand1), BM_CLICK, 0, 0);
    EXPECT_EQ(p.folder.files["VantryTabs.txt"], "Home\r\nMain |\r\nMain |\r\nMain |\r\nMain |\r\n");
    EXPECT_EQ(p.largeView.tabs[0], "Home");
    EXPECT_EQ(p.smallView.tabs[0], "Home");
    EXPECT_EQ(WindowText(Item(kConfigLabel3)), "0");
    EXPECT_EQ(WindowText(Item(kConfigText1)), "Home");
}

TEST_F(ConfigWindowWin32Test, ChoosingSmallListSwitchesOnceToTheSmallListAtTabZero) {
    p.folder.files["listtype.txt"] = "large\r\n";
    p.folder.files["VantryList0.txt"] = "C:\\zero.txt\r\n";
    p.folder.files["VantryList2.txt"] = "C:\\two.txt\r\n";
    Open();
    EXPECT_TRUE(Checked(Item(kConfigOption2)));
    EXPECT_FALSE(Checked(Item(kConfigOption1)));
    // The opening's own switch: the file already holds its style.
    EXPECT_EQ(p.folder.writes["listtype.txt"], 0);
    p.small.Model().List = 2;
    p.log.clear();
    SendMessageW(Item(kConfigOption1), BM_CLICK, 0, 0);
    EXPECT_EQ(p.log, (test::Log{"large hidden", "small shown"}));
    EXPECT_EQ(p.folder.files["listtype.txt"], "small\r\n");
    EXPECT_EQ(p.folder.writes["listtype.txt"], 1);
    EXPECT_EQ(p.small.Model().List, 0);
    EXPECT_EQ(p.smallView.captions[0], "zero");
    EXPECT_TRUE(Checked(Item(kConfigOption1)));
    EXPECT_FALSE(Checked(Item(kConfigOption2)));
}

TEST_F(ConfigWindowWin32Test, ClosingDestroysTheWindowAndTheNextShowingStartsFromTheStoredNames) {
    p.folder.files["VantryTabs.txt"] = "Stored\r\n";
    Open();
    Type("Unsaved");
    EXPECT_EQ(WindowText(Tab(0)), "Unsaved");
    // A close that arrives in the middle of another action waits for the user to try again.
    {
        auto busy = p.drop.Guard().TryEnter();
        SendMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(host.IsOpen());
    }
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(host.IsOpen());
    EXPECT_FALSE(IsWindow(window));
    host.Show();
    ASSERT_TRUE(host.IsOpen());
    window = host.Window();
    EXPECT_EQ(WindowText(Tab(0)), "Stored");
    EXPECT_EQ(WindowText(Item(kConfigText1)), "");
    EXPECT_EQ(WindowText(Item(kConfigLabel3)), "0");
}

TEST_F(ConfigWindowWin32Test, TheKeyboardMovesLikeADialogAndEnterRunsUpdateTabs) {
    Open();
    HWND edit = Item(kConfigText1);
    SetFocus(edit);
    if (GetFocus() != edit) GTEST_SKIP() << "the window could not take the keyboard focus";
    auto key = [&](HWND target, WPARAM vk) {
        MSG msg{target, WM_KEYDOWN, vk, 1, 0, {}};
        return host.TranslateDialogMessage(msg);
    };
    Type("Home");
    EXPECT_TRUE(key(edit, VK_RETURN));
    EXPECT_EQ(WindowText(edit), "Home");
    EXPECT_EQ(p.folder.writes["VantryTabs.txt"], 1);
    EXPECT_TRUE(key(edit, VK_TAB));
    EXPECT_EQ(GetFocus(), Item(kConfigOption1));  // the checked option takes the tab stop
    int switches = p.folder.writes["listtype.txt"];
    EXPECT_TRUE(key(GetFocus(), VK_TAB));
    EXPECT_EQ(GetFocus(), Item(kConfigCommand1));
    EXPECT_EQ(p.folder.writes["listtype.txt"], switches);  // passing through switched nothing
    EXPECT_EQ(p.folder.writes["VantryTabs.txt"], 1);
    // Messages of other windows are left to the loop.
    MSG other{GetDesktopWindow(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
    EXPECT_FALSE(host.TranslateDialogMessage(other));
}

TEST_F(ConfigWindowWin32Test, TabReachesTheNamedTabsAndNewTabSpaceSelectsAndEscCloses) {
    p.folder.files["VantryTabs.txt"] = "Main |\r\n\r\nWork |\r\n\r\n\r\n";
    Open();
    SetFocus(Item(kConfigCommand1));
    if (GetFocus() != Item(kConfigCommand1)) GTEST_SKIP() << "the window could not take the focus";
    auto key = [&](WPARAM vk) {
        MSG msg{GetFocus(), WM_KEYDOWN, vk, 1, 0, {}};
        return host.TranslateDialogMessage(msg);
    };
    std::vector<HWND> reached;
    for (int n = 0; n < 4; ++n) {
        key(VK_TAB);
        reached.push_back(GetFocus());
    }
    EXPECT_EQ(reached,
              (std::vector<HWND>{Tab(0), Tab(2), Item(kConfigShortcut), Item(kConfigLabel5)}));
    SetFocus(Tab(2));
    EXPECT_TRUE(key(VK_SPACE));
    EXPECT_EQ(WindowText(Item(kConfigLabel3)), "2");
    EXPECT_EQ(WindowText(Item(kConfigText1)), "Work |");
    EXPECT_TRUE(key(VK_ESCAPE));
    EXPECT_FALSE(host.IsOpen());
}

// Not run by default: keeps the window on screen for a screenshot of the virtual display.
//   config_window_test.exe --gtest_also_run_disabled_tests --gtest_filter=*OnScreen*
TEST_F(ConfigWindowWin32Test, DISABLED_StaysOnScreen) {
    p.folder.files["VantryTabs.txt"] = "Main |\r\nWork |\r\nHome, Games |\r\n\r\n\r\n";
    Open();
    Click(kConfigLabel5);
    Type("Music");
    SetWindowPos(window, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    DWORD end = GetTickCount() + 6000;
    while (GetTickCount() < end) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (host.TranslateDialogMessage(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
    EXPECT_TRUE(IsWindowVisible(window));
}

}  // namespace
}  // namespace vantry
