// The real program started with a command line: on a tab, handing a tab or an item over to the
// copy that runs, and a command line it does not understand.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/text_win32.h"
#include "store/program_folder_win32.h"
#include "tests/win32/support/process_windows.h"
#include "tests/win32/support/temp_folder.h"

namespace vantry {
namespace {

using test::Started;

// Waits for what until the time-out; whether it came.
template <typename Condition>
bool WaitFor(Condition what, DWORD timeoutMs = 30000) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!what()) {
        if (GetTickCount64() >= deadline) return false;
        Sleep(50);
    }
    return true;
}

HWND ListWindowOf(const Started& copy) {
    return test::TopWindowOf(copy.Id(), {L"VantrySmallList", L"VantryLargeList"});
}

// The item captions the list window shows (its Theme Label children after the five tabs).
std::vector<std::string> ItemsOf(HWND list) {
    std::vector<std::string> texts;
    EnumChildWindows(
        list,
        [](HWND child, LPARAM param) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(child, name, 64);
            if (std::wstring(name) != L"VantryThemeLabel" || !IsWindowVisible(child)) return TRUE;
            wchar_t text[256] = {};
            SendMessageW(child, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
            reinterpret_cast<std::vector<std::string>*>(param)->push_back(Narrow(text));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    std::vector<std::string> items;
    for (std::size_t i = 5; i < texts.size() && i < 25; ++i) {
        if (!texts[i].empty()) items.push_back(texts[i]);
    }
    return items;
}

bool Shows(HWND list, const std::string& caption) {
    for (const std::string& item : ItemsOf(list)) {
        if (item == caption) return true;
    }
    return false;
}

// A folder with the program, three named tabs and an item in each of the first three, the first
// tab's item the launch probe.
struct ProgramFolder {
    ProgramFolder() {
        CopyFileW(Widen(ExecutableFolder() + "\\..\\Vantry.exe").c_str(), exe.c_str(), FALSE);
        CopyFileW(Widen(ExecutableFolder() + "\\..\\launch_probe.exe").c_str(),
                  Widen(probe).c_str(), FALSE);
        test::WriteBytes(temp.File("VantryTabs.txt"), "Main |\r\nTwo |\r\nThree |\r\n\r\n\r\n");
        test::WriteBytes(temp.File("VantryList0.txt"), probe + "\r\n");
        test::WriteBytes(temp.File("VantryList1.txt"), temp.Path() + "\\two\\\r\n");
        test::WriteBytes(temp.File("VantryList2.txt"), temp.Path() + "\\three\\\r\n");
        CreateDirectoryW(Widen(temp.File("two")).c_str(), nullptr);
        CreateDirectoryW(Widen(temp.File("three")).c_str(), nullptr);
    }
    test::TempFolder temp;
    std::wstring exe = Widen(temp.File("Vantry.exe"));
    std::string probe = temp.File("launch_probe.exe");
};

TEST(StartRequestTest, AStartOnATabShowsItAndALaterStartSwitchesTheRunningCopy) {
    ProgramFolder folder;
    Started first(folder.exe, {}, L"/tab 3");
    HWND list = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (list = ListWindowOf(first)) != nullptr; }));
    EXPECT_TRUE(WaitFor([&] { return Shows(list, "three"); }));

    Started later(folder.exe, {}, L"/TAB 2");
    EXPECT_TRUE(later.EndsCleanly(30000));
    EXPECT_TRUE(WaitFor([&] { return Shows(list, "two"); }));

    // An item handed over opens as a click opens it: the probe runs, and the program ends.
    Started opener(folder.exe, {}, L"/open 1 \"" + Widen(folder.probe) + L"\"");
    EXPECT_TRUE(opener.EndsCleanly(30000));
    EXPECT_TRUE(first.EndsCleanly(30000));
    EXPECT_TRUE(
        WaitFor([&] { return !test::ReadBytes(folder.temp.File("launched.txt")).empty(); }));
    EXPECT_EQ(test::ReadBytes(folder.temp.File("shfile.txt")), folder.probe + "\r\n");
}

TEST(StartRequestTest, AStartThatOpensAnItemShowsNoListAndAMissingOneIsTold) {
    ProgramFolder folder;
    Started opener(folder.exe, {}, L"/open 1 \"" + Widen(folder.probe) + L"\"");
    bool listShown = false;
    // Watched until the program ends: the list never shows.
    EXPECT_TRUE(WaitFor([&] {
        listShown = listShown || ListWindowOf(opener) != nullptr;
        return opener.Ended();
    }));
    EXPECT_FALSE(listShown);
    EXPECT_TRUE(
        WaitFor([&] { return !test::ReadBytes(folder.temp.File("launched.txt")).empty(); }));

    // A path that is not in the tab: told, then the list shows the tab, as after a click.
    Started stray(folder.exe, {}, L"/open 2 \"C:\\not in the tab.txt\"");
    HWND box = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (box = test::TopWindowOf(stray.Id(), {L"#32770"})) != nullptr; }));
    EXPECT_FALSE(ListWindowOf(stray));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    HWND list = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (list = ListWindowOf(stray)) != nullptr; }));
    EXPECT_TRUE(WaitFor([&] { return Shows(list, "two"); }));
}

TEST(StartRequestTest, ACommandLineNotUnderstoodIsToldOnceThenTheProgramStartsAsWithoutOne) {
    ProgramFolder folder;
    Started copy(folder.exe, {}, L"/tab 9");
    HWND box = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (box = test::TopWindowOf(copy.Id(), {L"#32770"})) != nullptr; }));
    EXPECT_FALSE(ListWindowOf(copy));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    HWND list = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (list = ListWindowOf(copy)) != nullptr; }));
    EXPECT_TRUE(WaitFor([&] { return Shows(list, "launch_probe"); }));
    EXPECT_FALSE(test::TopWindowOf(copy.Id(), {L"#32770"}));
}

}  // namespace
}  // namespace vantry
