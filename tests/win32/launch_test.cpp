// Items open as they do from the file manager: a dropped shortcut that carries arguments stays a
// shortcut and starts its program with them, a program starts in its own folder by its long name
// (also when it was missing at the load), and the keys held with a click or Enter choose the verb
// or the folder. The item opened is launch_probe.exe, which writes down how it was started.
#include <gtest/gtest.h>
#include <windows.h>
// shlobj.h after windows.h.
#include <shlobj.h>

#include "app/program/program_win32.h"
#include "platform/byte_data_object_win32.h"
#include "platform/clipboard_win32.h"
#include "platform/process_reference_win32.h"
#include "store/program_folder_win32.h"
#include "tests/native/support/fakes.h"
#include "tests/win32/support/temp_folder.h"
#include "tests/win32/support/window_helpers.h"

namespace vantry {
namespace {

using test::Click;
using test::PumpUntil;
using test::WindowText;

// A copy of the probe in a folder of its own (made here); the copy's path.
std::string PlaceProbe(const std::string& folder) {
    CreateDirectoryW(Widen(folder).c_str(), nullptr);
    std::string copy = folder + "\\launch_probe.exe";
    std::string built = ExecutableFolder() + "\\..\\launch_probe.exe";
    EXPECT_TRUE(CopyFileW(Widen(built).c_str(), Widen(copy).c_str(), FALSE)) << built;
    return copy;
}

// The probe's command line and the folder it started in, once the probe in folder has run;
// "<not run>" when it has not within ten seconds.
std::string ProbeSaw(const std::string& folder) {
    std::string written = folder + "\\launched.txt";
    for (int i = 0; i < 200 && test::ReadBytes(written) == "<absent>"; ++i) Sleep(50);
    std::string text = test::ReadBytes(written);
    return text == "<absent>" ? "<not run>" : text;
}

void MakeShortcut(const std::string& link, const std::string& target,
                  const std::string& arguments = "", const std::string& startIn = "") {
    ComPtr<IShellLinkW> shell;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_PPV_ARGS(shell.GetAddressOf())));
    ASSERT_HRESULT_SUCCEEDED(shell->SetPath(Widen(target).c_str()));
    ASSERT_HRESULT_SUCCEEDED(shell->SetArguments(Widen(arguments).c_str()));
    ASSERT_HRESULT_SUCCEEDED(shell->SetWorkingDirectory(Widen(startIn).c_str()));
    ComPtr<IPersistFile> file;
    ASSERT_HRESULT_SUCCEEDED(shell.As(&file));
    ASSERT_HRESULT_SUCCEEDED(file->Save(Widen(link).c_str(), TRUE));
}

// Ticks "Run as administrator" in the file's header, as the file manager's dialog does (Wine's
// IShellLinkDataList cannot set it).
void TickRunAsAdministrator(const std::string& link) {
    std::string bytes = test::ReadBytes(link);
    ASSERT_GT(bytes.size(), 24u);
    bytes[21] = static_cast<char>(bytes[21] | 0x20);  // LinkFlags 0x2000, little-endian
    test::WriteBytes(link, bytes);
}

// Only these keys down for the window thread, as GetKeyState reads them.
void HoldKeys(std::initializer_list<int> keys) {
    BYTE state[256] = {};
    for (int key : keys) state[key] = 0x80;
    SetKeyboardState(state);
}

class LaunchTest : public ::testing::Test {
  protected:
    void TearDown() override { HoldKeys({}); }

    // The program over its folder, launching through the shell unless a test records launches.
    void Start(bool recorded = false) {
        program = std::make_unique<Program>(folder, dialogs);
        if (recorded) {
            program->launcher = [this](const std::string& path, int, LaunchMode mode) {
                static const char* const kModes[] = {"open", "runas", "in folder"};
                launched.push_back(path + "|" + kModes[static_cast<int>(mode)]);
                return mode == LaunchMode::RunAsAdministrator ? LaunchResult::Cancelled
                                                              : LaunchResult::Started;
            };
        }
        program->Start();
        ASSERT_TRUE(PumpUntil([this] { return program->Icons().Pending() == 0; }));
    }
    ListWindowWin32& List() { return program->Small(); }

    OleSession ole;
    test::TempFolder temp;
    test::TempFolder items;
    Win32ProgramFolder folder{temp.Path()};
    test::RecordingDialogs dialogs;
    std::vector<std::string> launched;
    std::unique_ptr<Program> program;
};

TEST_F(LaunchTest, ADroppedShortcutWithArgumentsIsStoredAsItselfAndStartsItsProgramWithThem) {
    const std::string chat = PlaceProbe(items.File("Chat"));
    const std::string data = items.File("Chat data");
    CreateDirectoryW(Widen(data).c_str(), nullptr);
    MakeShortcut(items.File("Chat.lnk"), chat, "--processStart \"Chat App.exe\"", data);
    MakeShortcut(items.File("Admin.lnk"), chat);
    TickRunAsAdministrator(items.File("Admin.lnk"));
    MakeShortcut(items.File("Plain.lnk"), chat, "", items.File("Chat"));
    Start();
    program->ShowDropWindow();
    auto* drop = new ByteDataObject(
        {{CF_HDROP, FileListBlock({items.File("Chat.lnk"), items.File("Admin.lnk"),
                                   items.File("Plain.lnk")})}});
    DWORD effect = DROPEFFECT_COPY;
    EXPECT_EQ(
        program->DropForm()->Registration()->Target()->Drop(drop, MK_LBUTTON, {0, 0}, &effect),
        S_OK);
    drop->Release();
    // Only the plain one is stored as its target; the drop's block ends with an empty line.
    EXPECT_EQ(
        test::ReadBytes(temp.File("VantryList0.txt")),
        items.File("Chat.lnk") + "\r\n" + items.File("Admin.lnk") + "\r\n" + chat + "\r\n\r\n");
    EXPECT_EQ(WindowText(List().ItemCaption(0).Window()), "Chat");
    EXPECT_EQ(WindowText(List().ItemCaption(1).Window()), "Admin");
    ASSERT_TRUE(PumpUntil([this] { return program->Icons().Pending() == 0; }));
    EXPECT_NE(List().ItemIcon(0).Icon(), nullptr);

    Click(List().ItemCaption(0).Window());
    EXPECT_TRUE(program->Closed());
    EXPECT_EQ(ProbeSaw(items.File("Chat")),
              "\"" + chat + "\" --processStart \"Chat App.exe\"\r\n" + data + "\r\n");
}

TEST_F(LaunchTest, AProgramMissingAtTheLoadOpensOnceItIsThereInItsOwnFolderByItsLongName) {
    const std::string own = items.File("Long folder name");
    CreateDirectoryW(Widen(own).c_str(), nullptr);
    wchar_t shortForm[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameW(Widen(own).c_str(), shortForm, MAX_PATH), 0u);
    ASSERT_NE(Narrow(shortForm), own);
    test::WriteBytes(temp.File("VantryList0.txt"), Narrow(shortForm) + "\\launch_probe.exe\r\n");
    Start();
    EXPECT_TRUE(List().Logic().TargetMissing(0));
    EXPECT_TRUE(List().ItemCaption(0).State().Dimmed());

    const std::string probe = PlaceProbe(own);
    Click(List().ItemCaption(0).Window());
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_TRUE(program->Closed());
    EXPECT_EQ(ProbeSaw(own), "\"" + probe + "\"\r\n" + own + "\r\n");
}

TEST_F(LaunchTest, CtrlShiftRunsAsAdministratorAndCtrlShowsTheFolderWithAClickOrEnter) {
    test::WriteBytes(items.File("a.txt"), "a");
    test::WriteBytes(temp.File("VantryList0.txt"), items.File("a.txt") + "\r\n");
    Start(true);
    // The launch seam declines the elevation, as a user may: the list stays, silent. Down gives
    // the item the keyboard's focus first: Enter does nothing before a key has.
    SendMessageW(List().Window(), WM_KEYDOWN, VK_DOWN, 0);
    HoldKeys({VK_CONTROL, VK_SHIFT});
    SendMessageW(List().Window(), WM_KEYDOWN, VK_RETURN, 0);
    Click(List().ItemIcon(0).Window());
    EXPECT_FALSE(program->Closed());
    EXPECT_TRUE(dialogs.errors.empty());
    HoldKeys({VK_CONTROL});
    Click(List().ItemCaption(0).Window());
    EXPECT_EQ(launched, (std::vector<std::string>{items.File("a.txt") + "|runas",
                                                  items.File("a.txt") + "|runas",
                                                  items.File("a.txt") + "|in folder"}));
    EXPECT_TRUE(program->Closed());
}

// A visible window titled name (the file manager's, showing that folder), if one is open.
HWND WindowTitled(const std::string& name) {
    struct Search {
        std::string title;
        HWND found = nullptr;
    } search{name};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (IsWindowVisible(window) && WindowText(window) == s->title) s->found = window;
            return s->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(ShellLaunch, RunsTheRunasVerbAndShowsAFileSelectedInItsFolder) {
    OleSession ole;
    test::TempFolder items;
    const std::string tools = items.File("Vantry tools");
    const std::string probe = PlaceProbe(tools);
    // Wine runs "runas" as a plain open; Windows asks for consent first.
    EXPECT_EQ(LaunchPath(probe, 1, LaunchMode::RunAsAdministrator), LaunchResult::Started);
    EXPECT_EQ(ProbeSaw(tools), "\"" + probe + "\"\r\n" + tools + "\r\n");
    EXPECT_EQ(LaunchPath(probe, 1, LaunchMode::ShowInFolder), LaunchResult::Started);
    HWND shown = nullptr;
    EXPECT_TRUE(PumpUntil([&] { return (shown = WindowTitled("Vantry tools")) != nullptr; }));
    if (shown) PostMessageW(shown, WM_CLOSE, 0, 0);
    EXPECT_EQ(LaunchPath(items.File("gone.exe"), 1, LaunchMode::ShowInFolder),
              LaunchResult::NotFound);
}

// What a shell extension calls (through SHGetInstanceExplorer) to keep its host alive; declared
// by shlwapi.h for Windows 8 builds only.
extern "C" __declspec(dllimport) HRESULT __stdcall GetProcessReference(IUnknown** reference);

// A shell menu's command that goes on after its call returned (a zip, the copy of a Paste) holds
// the process reference: the end of the program waits, handling messages, until it lets go. The
// reference is let go from a message, so a wait that handled none would never end.
TEST(ProcessReferenceTest, TheEndWaitsForACommandHoldingTheProcess) {
    ProcessReference reference;
    static IUnknown* held = nullptr;
    ASSERT_EQ(GetProcessReference(&held), S_OK);
    ASSERT_TRUE(held);
    EXPECT_TRUE(reference.Held());
    HWND window =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    SetWindowLongPtrW(window, GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(
                          +[](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
                              if (msg == WM_APP) held->Release();
                              return DefWindowProcW(hwnd, msg, wParam, lParam);
                          }));
    PostMessageW(window, WM_APP, 0, 0);
    reference.WaitUntilReleased();
    EXPECT_FALSE(reference.Held());
    DestroyWindow(window);
}

// The end renders the clipboard only while this process serves it: not after another owner took
// it, but after OLE's clipboard was set here (as a shell menu's Copy does).
TEST(ClipboardTest, IsServedHereOnlyWhileOlesClipboardHoldsThisProcesssObject) {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();  // owned by no window
    CloseClipboard();
    EXPECT_FALSE(ClipboardServedHere());
    auto* data = new ByteDataObject({{CF_TEXT, std::string("x", 2)}});
    ASSERT_EQ(OleSetClipboard(data), S_OK);
    EXPECT_TRUE(ClipboardServedHere());
    RenderClipboardBeforeEnd();
    EXPECT_EQ(OleIsCurrentClipboard(data), S_FALSE);  // rendered and let go
    data->Release();
    OleUninitialize();
}

}  // namespace
}  // namespace vantry
