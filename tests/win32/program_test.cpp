#include <gtest/gtest.h>
#include <windows.h>

#include "app/program/program_win32.h"
#include "platform/byte_data_object_win32.h"
#include "platform/message_pump_win32.h"
#include "platform/text_win32.h"
#include "store/program_folder_win32.h"
#include "tests/native/support/fakes.h"
#include "tests/win32/support/temp_folder.h"
#include "tests/win32/support/window_helpers.h"

namespace vantry {
namespace {

using test::Click;
using test::IconSide;
using test::WindowText;

RECT RectIn(HWND child, HWND parent) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class ProgramTest : public ::testing::Test {
  protected:
    void Start() {
        program = std::make_unique<Program>(folder, dialogs);
        program->launcher = [this](const std::string& path, int show, LaunchMode) {
            launched.push_back(path + "|" + std::to_string(show));
            return LaunchResult::Started;
        };
        program->Start();
    }
    void Write(const std::string& name, const std::string& bytes) {
        test::WriteBytes(temp.File(name), bytes);
    }
    std::string Read(const std::string& name) { return test::ReadBytes(temp.File(name)); }

    test::TempFolder temp;
    Win32ProgramFolder folder{temp.Path()};
    test::RecordingDialogs dialogs;
    std::vector<std::string> launched;
    std::unique_ptr<Program> program;
};

TEST_F(ProgramTest, AFirstStartShowsTheSmallListAndCreatesNoFile) {
    Start();
    EXPECT_TRUE(IsWindowVisible(program->Small().Window()));
    EXPECT_FALSE(IsWindowVisible(program->Large().Window()));
    // The drop window is not shown; it is made only once it is.
    EXPECT_EQ(program->DropForm(), nullptr);
    EXPECT_EQ(WindowText(program->Small().Tab(0).Window()), "Main |");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Widen(temp.File("*.txt")).c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

TEST_F(ProgramTest, AStoredLargeStyleShowsTheLargeListWithItsItemsAndIcons) {
    Write("listtype.txt", "large\r\n");
    Write("VantryList0.txt", "C:\\windows\\\r\nC:\\nothing here.txt\r\n");
    Start();
    ASSERT_TRUE(test::PumpUntil([this] { return program->Icons().Pending() == 0; }));
    EXPECT_TRUE(IsWindowVisible(program->Large().Window()));
    EXPECT_FALSE(IsWindowVisible(program->Small().Window()));
    EXPECT_EQ(WindowText(program->Large().ItemCaption(0).Window()), "windows");
    EXPECT_EQ(WindowText(program->Large().ItemCaption(1).Window()), "nothing here");
    EXPECT_NE(program->Large().ItemIcon(0).Icon(), nullptr);
    // No such file: the icon of its type, dimmed.
    EXPECT_NE(program->Large().ItemIcon(1).Icon(), nullptr);
    EXPECT_TRUE(program->Large().ItemIcon(1).Dimmed());
    EXPECT_EQ(IconSide(program->Large().ItemIcon(0).Icon()), 32);
}

TEST_F(ProgramTest, TheSmallListShowsSmallIcons) {
    Write("VantryList0.txt", "C:\\windows\\\r\n");
    Start();
    ASSERT_TRUE(test::PumpUntil([this] { return program->Icons().Pending() == 0; }));
    EXPECT_EQ(IconSide(program->Small().ItemIcon(0).Icon()), 16);
}

TEST_F(ProgramTest, AHiddenListWindowShowsWhatItLoadedOnceItIsShown) {
    Write("VantryList0.txt", "C:\\windows\\\r\nC:\\b.txt\r\n");
    Start();
    ListWindowWin32& hidden = program->Large();
    EXPECT_EQ(WindowText(hidden.ItemCaption(0).Window()), "");  // loaded, not yet drawn
    hidden.SetVisible(true);
    PumpPendingMessages();
    ASSERT_TRUE(test::PumpUntil([this] { return program->Icons().Pending() == 0; }));
    EXPECT_EQ(WindowText(hidden.ItemCaption(0).Window()), "windows");
    EXPECT_EQ(WindowText(hidden.ItemCaption(1).Window()), "b");
    EXPECT_NE(hidden.ItemIcon(0).Icon(), nullptr);
}

// Start-up and every style switch show a window that loaded while hidden, then empty it at once:
// emptying a caption must not first fetch the icon that slot had loaded (a shell look-up each).
TEST_F(ProgramTest, EmptyingAJustShownWindowFetchesNoStaleIcon) {
    Write("VantryList0.txt", "C:\\windows\\\r\n");
    Start();
    ListWindowWin32& hidden = program->Large();
    hidden.SetVisible(true);
    hidden.ShowCaption(0, "");
    EXPECT_EQ(hidden.ItemIcon(0).Icon(), nullptr);
    hidden.ShowIcon(0, "");
    PumpPendingMessages();
    EXPECT_EQ(hidden.ItemIcon(0).Icon(), nullptr);
    EXPECT_EQ(WindowText(hidden.ItemCaption(0).Window()), "");
}

TEST_F(ProgramTest, AListWindowIsMadeWhenFirstShownAndItsFirstActivationExtendsTheGlassOnce) {
    Start();
    EXPECT_TRUE(program->Small().GlassExtended());  // shown, hence activated
    EXPECT_EQ(program->Large().Window(), nullptr);
    program->Large().SetVisible(true);
    EXPECT_TRUE(program->Large().GlassExtended());
    EXPECT_EQ(
        program->Large().FA_Handler_WndProc(program->Large().Window(), WM_ACTIVATE, WA_ACTIVE, 0),
        1);  // passed on
}

TEST_F(ProgramTest, GlassWindowsShowTheProgramsIconDrawnForBothSystemSizes) {
    Start();
    program->ShowDropWindow();  // made when first shown, as the list windows are
    program->Large().SetVisible(true);
    for (HWND window :
         {program->Small().Window(), program->Large().Window(), program->DropForm()->Window()}) {
        auto big = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
        auto small = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
        EXPECT_EQ(IconSide(big), GetSystemMetrics(SM_CXICON));
        EXPECT_EQ(IconSide(small), GetSystemMetrics(SM_CXSMICON));
    }
}

TEST_F(ProgramTest, ListWindowsMatchTheirLayoutTablesAt96Dpi) {
    Write("VantryList0.txt", "C:\\a.txt\r\n");
    Start();
    program->Large().SetVisible(true);  // made when first shown
    struct Expected {
        ListWindowWin32* window;
        int height, captionLeft, step, captionWidth, captionHeight, icon, bar;
    };
    for (const Expected& e : {Expected{&program->Large(), 726, 40, 32, -1, 33, 33, 708},
                              Expected{&program->Small(), 533, 32, 24, 260, 17, 17, 515}}) {
        HWND window = e.window->Window();
        RECT client;
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, 304);
        EXPECT_EQ(client.bottom, e.height);
        for (int i : {0, 19}) {
            RECT icon = RectIn(e.window->ItemIcon(i).Window(), window);
            EXPECT_EQ(icon.left, 8);
            EXPECT_EQ(icon.top, 32 + e.step * i);
            EXPECT_EQ(icon.right - icon.left, e.icon);
            RECT caption = RectIn(e.window->ItemCaption(i).Window(), window);
            EXPECT_EQ(caption.left, e.captionLeft);
            EXPECT_EQ(caption.top, 32 + e.step * i);
            EXPECT_EQ(caption.bottom - caption.top, e.captionHeight);
            if (e.captionWidth > 0) {
                EXPECT_EQ(caption.right - caption.left, e.captionWidth);
            }
        }
        RECT close = RectIn(e.window->CloseCaption().Window(), window);
        EXPECT_EQ(close.left, 256);
        EXPECT_EQ(close.top, e.bar);
        EXPECT_EQ(close.right - close.left, 48);
        RECT tab1 = RectIn(e.window->Tab(1).Window(), window);
        RECT tab0 = RectIn(e.window->Tab(0).Window(), window);
        EXPECT_EQ(tab0.left, 0);
        EXPECT_EQ(tab1.left, tab0.right);  // edge to edge
        RECT outer;
        GetWindowRect(window, &outer);
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_EQ(outer.left, 68);
        EXPECT_EQ(outer.bottom, work.bottom);
    }
}

TEST_F(ProgramTest, AClickedItemIsHandedOverLaunchedAndEndsTheProgram) {
    // A file that is there: the check of a missing one may answer before the click.
    const std::string item = temp.File("some where b.doc");
    test::WriteBytes(item, "b");
    Write("VantryList0.txt", "C:\\a.txt\r\n\r\n" + item + "\r\n");
    Start();
    // The real program ends its process here: the tab (saved without its empty line) and the
    // hand-over must be written by then.
    std::string savedAtEnd;
    std::size_t launchedAtEnd = 0;
    program->onAllSaved = [&] {
        savedAtEnd = Read("VantryList0.txt") + Read("shfile.txt");
        launchedAtEnd = launched.size();
    };
    Click(program->Small().ItemCaption(1).Window());
    EXPECT_EQ(savedAtEnd, "C:\\a.txt\r\n" + item + "\r\n" + item + "\r\n");
    EXPECT_EQ(launchedAtEnd, 1u);
    EXPECT_EQ(Read("shfile.txt"), item + "\r\n");
    EXPECT_EQ(launched, std::vector<std::string>{item + "|1"});
    EXPECT_TRUE(program->Closed());
    EXPECT_EQ(program->Small().Window(), nullptr);
    EXPECT_EQ(program->Large().Window(), nullptr);
    EXPECT_EQ(Read("VantryList0.txt"), "C:\\a.txt\r\n" + item + "\r\n");
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(ProgramTest, TabClicksSaveTheTabLeftAndLoadTheOneChosen) {
    Write("VantryTabs.txt", "Main |\r\nWork |\r\n\r\n\r\n\r\n");
    Write("VantryList0.txt", "C:\\a.txt\r\n\r\nC:\\b.txt\r\n");
    Write("VantryList1.txt", "D:\\work.txt\r\n");
    Start();
    EXPECT_EQ(WindowText(program->Small().Tab(1).Window()), "Work |");
    Click(program->Small().Tab(1).Window());
    EXPECT_EQ(Read("VantryList0.txt"), "C:\\a.txt\r\nC:\\b.txt\r\n");
    EXPECT_EQ(WindowText(program->Small().ItemCaption(0).Window()), "work");
    EXPECT_EQ(WindowText(program->Small().ItemCaption(1).Window()), "");
    Click(program->Small().Tab(3).Window());  // no name: nothing happens
    EXPECT_EQ(program->Small().Logic().Model().List, 1);
}

TEST_F(ProgramTest, ARightPressOnAnIconOrCaptionAsksAboutItsItemAndDeletesOnYes) {
    Write("VantryList0.txt", "C:\\A.txt\r\nC:\\B.txt\r\nC:\\C.txt\r\n");
    Start();
    SendMessageW(program->Small().ItemIcon(2).Window(), WM_RBUTTONDOWN, MK_RBUTTON, 0);
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{"Delete the item 'C'?"});
    EXPECT_EQ(Read("VantryList0.txt"), "C:\\A.txt\r\nC:\\B.txt\r\n");
    EXPECT_EQ(WindowText(program->Small().ItemCaption(2).Window()), "");
    SendMessageW(program->Small().ItemCaption(0).Window(), WM_RBUTTONDOWN, MK_RBUTTON, 0);
    EXPECT_EQ(Read("VantryList0.txt"), "C:\\B.txt\r\n");
}

TEST_F(ProgramTest, AnIconPressReleasedOffItOpensNothing) {
    Write("VantryList0.txt", "C:\\A.txt\r\n");
    Start();
    HWND icon = program->Small().ItemIcon(0).Window();
    SendMessageW(icon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(icon, WM_LBUTTONUP, 0, MAKELPARAM(2, 40));
    SendMessageW(icon, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));  // a later stray release over it
    EXPECT_TRUE(launched.empty());
    EXPECT_FALSE(program->Closed());
}

TEST_F(ProgramTest, TheDropWindowComesBackAnewAfterItWasClosed) {
    Start();
    Click(program->Small().DropTargetCaption().Window());
    HWND first = program->DropForm()->Window();
    ASSERT_TRUE(first);
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_EQ(WindowText(first), "Drop Here");
    EXPECT_TRUE(program->DropForm()->GlassExtended());
    SendMessageW(first, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(first));
    Click(program->Small().DropTargetCaption().Window());
    ASSERT_TRUE(program->DropForm()->Window());
    EXPECT_TRUE(IsWindowVisible(program->DropForm()->Window()));
    EXPECT_EQ(WindowText(program->DropForm()->Hint().Window()),
              "Drag items from Explorer to this window");
}

// While a list window is being destroyed, its procedure must already be its own again.
HWND watchedWindows[2];
int unhookedAtDestroy = 0;

LRESULT CALLBACK WatchDestroy(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND) {
        HWND window = reinterpret_cast<HWND>(wParam);
        for (HWND watched : watchedWindows) {
            if (window == watched && !GetPropW(window, L"FA_ExWndProcPtr") &&
                GetWindowLongPtrW(window, GWLP_WNDPROC) !=
                    reinterpret_cast<LONG_PTR>(&SubclassProc)) {
                ++unhookedAtDestroy;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(ProgramTest, CloseSavesTheChosenStylesTabAndUnhooksEveryListWindow) {
    Write("VantryList0.txt", "C:\\a.txt\r\n\r\n");
    Start();
    program->Large().SetVisible(true);  // made when first shown
    program->Large().SetVisible(false);
    watchedWindows[0] = program->Large().Window();
    watchedWindows[1] = program->Small().Window();
    EXPECT_TRUE(GetPropW(watchedWindows[0], L"FA_ExWndProcPtr"));
    HHOOK hook = SetWindowsHookExW(WH_CBT, WatchDestroy, nullptr, GetCurrentThreadId());
    Click(program->Small().CloseCaption().Window());
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(unhookedAtDestroy, 2);
    EXPECT_EQ(Read("VantryList0.txt"), "C:\\a.txt\r\n");
    EXPECT_TRUE(program->Closed());
}

TEST_F(ProgramTest, TheDropWindowTakesDropsIntoTheShownList) {
    OleInitialize(nullptr);
    Write("VantryList0.txt", "C:\\A.txt\r\n");
    Start();
    Click(program->Small().DropTargetCaption().Window());
    ASSERT_TRUE(program->DropForm()->Registration());
    EXPECT_TRUE(program->DropForm()->Registration()->Registered());
    test::WriteBytes(temp.File("new one.txt"), "x");
    auto* data = new ByteDataObject({{CF_HDROP, FileListBlock({temp.File("new one.txt")})}});
    DWORD effect = DROPEFFECT_COPY;
    EXPECT_EQ(
        program->DropForm()->Registration()->Target()->Drop(data, MK_LBUTTON, {0, 0}, &effect),
        S_OK);
    data->Release();
    // The drop's block is saved with the line its entry ends with; the next save drops it.
    EXPECT_EQ(Read("VantryList0.txt"), "C:\\A.txt\r\n" + temp.File("new one.txt") + "\r\n\r\n");
    EXPECT_EQ(WindowText(program->Small().ItemCaption(1).Window()), "new one");
    program.reset();
    OleUninitialize();
}

}  // namespace
}  // namespace vantry
