#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/program/single_instance_win32.h"
#include "platform/text_win32.h"
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

// Runs a Linux program from this Wine process (Wine 8 makes no links itself). Wine cannot wait for
// such a process: the caller waits for what it makes.
bool RunUnix(std::wstring command) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// The Linux path of a Windows one, from Wine's own export.
std::wstring UnixPath(const std::wstring& path) {
    using Convert = char* (*)(const wchar_t*);
    auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    char* unix = convert ? convert(path.c_str()) : nullptr;
    std::wstring result = unix ? Widen(unix) : L"";
    if (unix) HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

// A folder "stick" with a subfolder "docs", reached as well through a drive of its own (a
// substituted drive or a stick: a link in Wine's dosdevices) and through a symbolic link.
class LinkedFolder {
  public:
    LinkedFolder() {
        target = Widen(temp.Path()) + L"\\stick";
        CreateDirectoryW(target.c_str(), nullptr);
        CreateDirectoryW((target + L"\\docs").c_str(), nullptr);
        DWORD used = GetLogicalDrives();
        for (wchar_t letter = L'R'; letter <= L'Y' && drive.empty(); ++letter) {
            if (!(used & (1u << (letter - L'A')))) drive = std::wstring(1, letter) + L":";
        }
        std::wstring drives = UnixPath(L"C:\\");  // <prefix>/dosdevices/c:/
        driveLink = drives.substr(0, drives.rfind(L"c:")) + drive;
        driveLink[driveLink.size() - 2] = static_cast<wchar_t>(towlower(drive[0]));
        link = Widen(temp.Path()) + L"\\link";
        made = !drive.empty() && RunUnix(L"/bin/ln -s " + UnixPath(target) + L" " + driveLink) &&
               RunUnix(L"/bin/ln -s " + UnixPath(target) + L" " + UnixPath(link)) &&
               Appears(drive + L"\\docs") && Appears(link + L"\\docs");
    }
    static bool Appears(const std::wstring& path) {
        for (int i = 0; i < 200; ++i) {
            if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
            Sleep(50);
        }
        return false;
    }
    ~LinkedFolder() { RunUnix(L"/bin/rm -f " + driveLink + L" " + UnixPath(link)); }

    test::TempFolder temp;
    std::wstring target, drive, driveLink, link;
    bool made = false;
};

TEST(SingleInstanceTest, ADriveRootASubstDriveAndALinkGiveTheKeyOfTheFolderTheyReach) {
    LinkedFolder folder;
    ASSERT_TRUE(folder.made) << "no free drive letter or no links";
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
    test::Started later(exe, root);
    EXPECT_TRUE(later.EndsCleanly(30000));
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

std::map<std::string, std::string> FilesIn(const test::TempFolder& folder) {
    std::map<std::string, std::string> files;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Widen(folder.File("*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        std::string name = Narrow(found.cFileName);
        if (name != "." && name != "..") files[name] = test::ReadBytes(folder.File(name));
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
