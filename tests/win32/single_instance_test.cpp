#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/program/single_instance_win32.h"
#include "platform/text_win32.h"
#include "store/icon_cache.h"
#include "store/program_folder_win32.h"
#include "tests/win32/support/process_windows.h"
#include "tests/win32/support/temp_folder.h"

namespace vantry {
namespace {

using test::Started;

std::wstring ShortForm(const std::wstring& path) {
    wchar_t buffer[MAX_PATH];
    DWORD length = GetShortPathNameW(path.c_str(), buffer, MAX_PATH);
    return length && length < MAX_PATH ? std::wstring(buffer, length) : path;
}

std::wstring Lower(std::wstring text) {
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

TEST(SingleInstanceTest, EverySpellingOfAFolderGivesOneKeyAndAnotherFolderAnother) {
    test::TempFolder temp;
    std::wstring folder = Widen(temp.Path()) + L"\\A Long Folder Name";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_NE(ShortForm(folder), folder) << "no short name to compare with";
    const std::wstring key = FolderKey(folder);
    EXPECT_EQ(FolderKey(ShortForm(folder)), key);
    EXPECT_EQ(FolderKey(Lower(folder) + L"\\"), key);
    EXPECT_EQ(FolderKey(Widen(temp.Path()) + L"\\.\\A LONG folder name\\\\"), key);
    EXPECT_NE(FolderKey(Widen(temp.Path())), key);
}

// A top-level window of a started copy, once it has one; null after the time-out.
HWND WindowOf(const Started& copy, std::vector<std::wstring> classes, bool visibleOnly = true) {
    const ULONGLONG deadline = GetTickCount64() + 30000;
    do {
        if (HWND found = test::TopWindowOf(copy.Id(), classes, visibleOnly)) return found;
        Sleep(50);
    } while (GetTickCount64() < deadline);
    return nullptr;
}

// A click on the caption of that text among the window's children, from this process.
void ClickCaption(HWND window, const wchar_t* text) {
    struct Search {
        const wchar_t* text;
        HWND found;
    } search{text, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t buffer[64] = {};
            GetWindowTextW(child, buffer, 64);
            if (std::wstring(buffer) != s->text) return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    SendMessageW(search.found, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(search.found, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

HWND ListWindowOf(const Started& copy) {
    return WindowOf(copy, {L"VantrySmallList", L"VantryLargeList"});
}

// A folder "stick" with a subfolder "docs", reached as well through a drive of its own and through
// a symbolic link, which tests/win32/helpers/folder_links.sh makes around the run.
struct LinkedFolder {
    static std::wstring Variable(const wchar_t* name) {
        wchar_t value[MAX_PATH] = {};
        DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
        return length && length < MAX_PATH ? value : L"";
    }
    std::wstring target = Variable(L"VANTRY_LINKED_FOLDER");
    std::wstring drive = Variable(L"VANTRY_LINKED_DRIVE");
    std::wstring link = Variable(L"VANTRY_LINK");
    bool made = !target.empty() && drive.size() == 2 && !link.empty();
};

TEST(SingleInstanceTest, ADriveRootASubstDriveAndALinkGiveTheKeyOfTheFolderTheyReach) {
    LinkedFolder folder;
    ASSERT_TRUE(folder.made) << "run through tests/win32/helpers/folder_links.sh";
    const std::wstring root = folder.drive + L"\\";
    const std::wstring key = FolderKey(folder.target);
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    // "R:" alone names the current folder on R:, whichever it is.
    for (const std::wstring& current : {root + L"docs", root}) {
        ASSERT_TRUE(SetCurrentDirectoryW(current.c_str()));
        EXPECT_EQ(FolderKey(folder.drive), key) << Narrow(current);
    }
    SetCurrentDirectoryW(previous);
    EXPECT_EQ(FolderKey(root), key);
    EXPECT_EQ(FolderKey(folder.link), key);
    EXPECT_EQ(FolderKey(root + L"DOCS"), FolderKey(folder.target + L"\\docs"));
    EXPECT_NE(FolderKey(root + L"docs"), key);

    // The program at the drive's root, started from two current folders, runs once.
    const std::wstring exe = root + L"Vantry.exe";
    CopyFileW(Widen(ExecutableFolder() + "\\..\\Vantry.exe").c_str(), exe.c_str(), FALSE);
    test::Started first(exe, root + L"docs");
    ASSERT_TRUE(ListWindowOf(first));
    // Started while the first is still starting, the later copy waits 10 s for its answer, then
    // runs beside it: on a loaded machine that wait can run out.
    ASSERT_TRUE(first.Idle(60000));
    test::Started later(exe, root);
    EXPECT_TRUE(later.EndsCleanly(30000))
        << (ListWindowOf(later) ? "the later copy runs beside the first" : "the later copy hangs");
}

// Whether upper stands in front of lower.
bool InFrontOf(HWND upper, HWND lower) {
    for (HWND above = GetWindow(lower, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
        if (above == upper) return true;
    }
    return false;
}

bool BecomesForeground(HWND window, DWORD timeoutMs = 10000) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (GetForegroundWindow() != window) {
        if (GetTickCount64() >= deadline) return false;
        Sleep(50);
    }
    return true;
}

// The files of the folder but the program's own: the icon cache, written whenever the icons of a
// load have settled, and the save turn's file and the cache's temporary file, there during that
// write.
std::map<std::string, std::string> FilesIn(const test::TempFolder& folder) {
    std::map<std::string, std::string> files;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Widen(folder.File("*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        std::string name = Narrow(found.cFileName);
        if (name != "." && name != ".." && name != kIconCacheFile && name != kTurnFile &&
            !IsTemporaryFor(kIconCacheFile, name)) {
            files[name] = test::ReadBytes(folder.File(name));
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
}

// A folder holding a copy of the program and a list, the way a user keeps it.
std::wstring ProgramIn(const test::TempFolder& folder) {
    std::wstring built = Widen(ExecutableFolder() + "\\..\\Vantry.exe");
    std::wstring copy = Widen(folder.File("Vantry.exe"));
    CopyFileW(built.c_str(), copy.c_str(), FALSE);
    test::WriteBytes(folder.File("VantryList0.txt"), "C:\\windows\\\r\n");
    return copy;
}

TEST(SingleInstanceTest, ALaterStartInTheSameFolderBringsTheRunningCopyToTheFrontAndEnds) {
    test::TempFolder temp;
    const std::wstring exe = ProgramIn(temp);
    auto first = std::make_unique<Started>(exe);
    ASSERT_TRUE(first->Running());
    HWND list = ListWindowOf(*first);
    ASSERT_TRUE(list) << "the first copy showed no list window";
    const auto files = FilesIn(temp);

    // Something else holds the foreground when the later starts come.
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300,
                                 200, 100, nullptr, nullptr, nullptr, nullptr);
    const std::wstring spellings[] = {exe, Lower(ShortForm(exe))};
    for (const std::wstring& spelling : spellings) {
        SetForegroundWindow(other);
        ASSERT_TRUE(BecomesForeground(other));
        Started later(spelling);
        ASSERT_TRUE(later.Running());
        EXPECT_TRUE(later.EndsCleanly(30000)) << Narrow(spelling);
        EXPECT_TRUE(BecomesForeground(list)) << Narrow(spelling);
        EXPECT_EQ(FilesIn(temp), files) << Narrow(spelling);
    }

    // Its drop window, when shown, comes to the front with it. The drop window is made when
    // first shown: shown as "Drop Target" shows it, which brings it to the foreground.
    ClickCaption(list, L"Drop Target");
    HWND drop = WindowOf(*first, {L"VantryDropWindow"}, false);
    ASSERT_TRUE(drop);
    ASSERT_TRUE(BecomesForeground(drop));
    SetForegroundWindow(other);
    ASSERT_TRUE(BecomesForeground(other));
    // Activation alone does not raise a window under Wine; the first copy may still be busy
    // showing its drop window, so raise until it holds.
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!InFrontOf(other, drop) && GetTickCount64() < deadline) {
        SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        Sleep(50);
    }
    ASSERT_TRUE(InFrontOf(other, drop));
    Started later(exe);
    EXPECT_TRUE(later.EndsCleanly(30000));
    EXPECT_TRUE(BecomesForeground(list));
    EXPECT_TRUE(InFrontOf(list, other));
    EXPECT_TRUE(InFrontOf(drop, other));
    DestroyWindow(other);

    // A copy in another folder runs beside it.
    test::TempFolder elsewhere;
    Started beside(ProgramIn(elsewhere));
    EXPECT_TRUE(ListWindowOf(beside));

    // A copy killed hard leaves nothing that keeps the next start from running.
    first->Kill();
    first.reset();
    Started next(exe);
    EXPECT_TRUE(ListWindowOf(next)) << "a start after the running copy was killed did not run";
}

}  // namespace
}  // namespace vantry
