#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

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
    // Drops the file onto the drop window, which "Drop Target" has shown.
    HRESULT DropFile(const std::string& path) {
        auto* data = new ByteDataObject({{CF_HDROP, FileListBlock({path})}});
        DWORD effect = DROPEFFECT_COPY;
        HRESULT result =
            program->DropForm()->Registration()->Target()->Drop(data, MK_LBUTTON, {0, 0}, &effect);
        data->Release();
        return result;
    }

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
    bool otherWindowAtEnd = true;
    program->onAllSaved = [&](bool otherWindowsOpen) {
        savedAtEnd = Read("VantryList0.txt") + Read("shfile.txt");
        launchedAtEnd = launched.size();
        otherWindowAtEnd = otherWindowsOpen;
    };
    Click(program->Small().ItemCaption(1).Window());
    EXPECT_EQ(savedAtEnd, "C:\\a.txt\r\n" + item + "\r\n" + item + "\r\n");
    EXPECT_EQ(launchedAtEnd, 1u);
    EXPECT_FALSE(otherWindowAtEnd) << "the program's own windows count as others";
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

TEST_F(ProgramTest, TabTakesTheKeyboardRoundTheItemsTheTabStripAndTheBarsCaptions) {
    Write("VantryTabs.txt", "Main |\r\nWork |\r\n\r\n\r\n\r\n");
    Write("VantryList0.txt", "C:\\a.txt\r\n");
    Start();
    ListWindowWin32& list = program->Small();
    ASSERT_EQ(GetFocus(), list.Window());
    auto press = [](WPARAM key) { SendMessageW(GetFocus(), WM_KEYDOWN, key, 1); };
    press(VK_TAB);
    EXPECT_EQ(GetFocus(), list.Window());
    EXPECT_FALSE(list.Tab(1).State().Marked());
    press(VK_RIGHT);
    EXPECT_TRUE(list.Tab(1).State().Marked());
    press(VK_RETURN);
    EXPECT_EQ(list.Logic().Model().List, 1);
    std::vector<HWND> reached;
    for (int n = 0; n < 5; ++n) {
        press(VK_TAB);
        reached.push_back(GetFocus());
    }
    HWND config = list.ConfigCaption().Window();
    EXPECT_EQ(reached,
              (std::vector<HWND>{list.DropTargetCaption().Window(), config,
                                 list.CloseCaption().Window(), list.Window(), list.Window()}));
    EXPECT_FALSE(list.ConfigCaption().State().Marked());
    press(VK_TAB);
    press(VK_TAB);
    EXPECT_TRUE(list.ConfigCaption().State().Marked());
    press(VK_SPACE);
    EXPECT_TRUE(program->Config().IsOpen());
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
    // Esc, through the dialog manager, closes it as its close box does.
    HWND second = program->DropForm()->Window();
    MSG escape{second, WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
    EXPECT_TRUE(program->DropForm()->TranslateDialogMessage(escape));
    EXPECT_FALSE(IsWindow(second));
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
    EXPECT_EQ(DropFile(temp.File("new one.txt")), S_OK);
    // The drop's block is saved with the line its entry ends with; the next save drops it.
    EXPECT_EQ(Read("VantryList0.txt"), "C:\\A.txt\r\n" + temp.File("new one.txt") + "\r\n\r\n");
    EXPECT_EQ(WindowText(program->Small().ItemCaption(1).Window()), "new one");
    program.reset();
    OleUninitialize();
}

// A name the ANSI code page cannot hold is kept whole (its file then UTF-8), not in its 8.3 form.
TEST_F(ProgramTest, ATabHoldingAJapaneseFileNameShowsItsCaptionAndOpensItAfterARestart) {
    OleInitialize(nullptr);
    const std::string item = temp.File("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E.txt");  // 日本語.txt
    test::WriteBytes(item, "x");
    Start();
    Click(program->Small().DropTargetCaption().Window());
    ASSERT_EQ(DropFile(item), S_OK);
    Click(program->Small().CloseCaption().Window());
    ASSERT_TRUE(program->Closed());
    Start();
    EXPECT_EQ(WindowText(program->Small().ItemCaption(0).Window()),
              "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E");
    Click(program->Small().ItemCaption(0).Window());
    EXPECT_EQ(launched, std::vector<std::string>{item + "|1"});
    program.reset();
    OleUninitialize();
}

// A stand-in for a Properties sheet that a shell command opened: a window of this process on a
// thread of its own, owned by the list window as the shell's sheet may be, closed by the user a
// moment after the program's own windows (its half-second starts only then: on a loaded machine
// the close could take longer).
TEST_F(ProgramTest, AWindowAShellCommandLeftOpenKeepsTheProgramRunningUntilItCloses) {
    Write("VantryList0.txt", "C:\\A.txt\r\n");
    Start();
    std::vector<bool> told;
    program->onAllSaved = [&told](bool otherWindowsOpen) { told.push_back(otherWindowsOpen); };
    HWND owner = program->Small().Window();
    std::atomic<HWND> sheet{nullptr};
    std::atomic<DWORD> shellThread{0};
    // Set before the sheet starts to close (DestroyWindow hides it first, and the program may end
    // its loop then, while the window is still being destroyed).
    static std::atomic<bool> closing;
    closing = false;
    std::thread shell([owner, &sheet, &shellThread] {
        HWND window =
            CreateWindowExW(0, L"STATIC", L"Properties", WS_POPUPWINDOW | WS_VISIBLE, 0, 0, 200,
                            100, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
        shellThread = GetCurrentThreadId();
        sheet = window;
        MSG msg;
        while (IsWindow(window) && GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (msg.message == WM_APP) {
                SetTimer(window, 1, 500, [](HWND w, UINT, UINT_PTR, DWORD) {
                    closing = true;
                    DestroyWindow(w);
                });
            }
            DispatchMessageW(&msg);
        }
    });
    ASSERT_TRUE(test::PumpUntil([&sheet] { return sheet.load() != nullptr; }));
    Click(program->Small().CloseCaption().Window());
    EXPECT_EQ(told, std::vector<bool>{true});
    EXPECT_EQ(program->Small().Window(), nullptr) << "the program's own windows close at once";
    EXPECT_TRUE(IsWindow(sheet.load())) << "the sheet went with its owner";
    PostThreadMessageW(shellThread, WM_APP, 0, 0);
    program->Run();
    EXPECT_TRUE(closing) << "the program's loop ended while the sheet was open";
    shell.join();
}

TEST_F(ProgramTest, TheMenuKeyOnAMissingItemSaysItIsNotFound) {
    const std::string gone = temp.File("gone.txt");
    Write("VantryList0.txt", gone + "\r\n");
    Start();
    ASSERT_TRUE(test::PumpUntil([this] { return program->Small().Logic().TargetMissing(0); }));
    HWND list = program->Small().Window();
    SendMessageW(list, WM_KEYDOWN, VK_HOME, 0);
    SendMessageW(list, WM_KEYDOWN, VK_APPS, 0);
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_NE(dialogs.errors[0].find(gone + "\" was not found"), std::string::npos);
    EXPECT_FALSE(program->Closed());
}

// Registered when the window is made: files from another program land at the mark between the
// rows, or at the end of a named tab when dropped on its label.
TEST_F(ProgramTest, FilesDroppedOnTheListGoInAtTheMarkOrAtTheEndOfATabsLabel) {
    OleInitialize(nullptr);
    Write("VantryTabs.txt", "Main |\r\nWork |\r\n\r\n\r\n\r\n");
    Write("VantryList0.txt", "C:\\A.txt\r\nC:\\B.txt\r\nC:\\C.txt\r\n");
    Start();
    const ListDropRegistration* registration = program->Small().Registration();
    ASSERT_NE(registration, nullptr);
    ASSERT_TRUE(registration->Registered());
    const std::string added = temp.File("new one.txt");
    test::WriteBytes(added, "x");
    HWND list = program->Small().Window();
    auto drop = [&](HWND over, int dy) {
        RECT rect;
        GetWindowRect(over, &rect);
        POINTL at{rect.left + 4, rect.top + dy};
        auto* data = new ByteDataObject({{CF_HDROP, FileListBlock({added})}});
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
        EXPECT_EQ(registration->Target()->DragEnter(data, MK_LBUTTON, at, &effect), S_OK);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
        HWND mark = FindWindowExW(list, nullptr, L"VantryInsertMark", nullptr);
        bool markShown = mark && IsWindowVisible(mark);
        EXPECT_EQ(registration->Target()->Drop(data, MK_LBUTTON, at, &effect), S_OK);
        data->Release();
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
        return markShown;
    };
    // Just above the second row: between A and B.
    EXPECT_TRUE(drop(program->Small().ItemCaption(1).Window(), 1));
    EXPECT_EQ(Read("VantryList0.txt"), "C:\\A.txt\r\n" + added + "\r\nC:\\B.txt\r\nC:\\C.txt\r\n");
    EXPECT_EQ(WindowText(program->Small().ItemCaption(1).Window()), "new one");
    EXPECT_EQ(WindowText(program->Small().ItemCaption(2).Window()), "B");
    drop(program->Small().Tab(1).Window(), 4);
    EXPECT_EQ(Read("VantryList1.txt"), added + "\r\n");
    program.reset();
    OleUninitialize();
}

}  // namespace
}  // namespace vantry
