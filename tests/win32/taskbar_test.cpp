// The program on the taskbar, in-process: the shortcut "Config" makes, read back with
// IShellLinkW, its grid icon loaded by the system, the IDs the list windows are given and the
// jump lists, through stand-ins that record the calls. And that the program runs as usual where
// the real calls fail, as under Wine.

#include <gtest/gtest.h>
#include <windows.h>
// windows.h first.
#include <shlobj.h>
#include <wrl/client.h>

#include <memory>
#include <vector>

#include "app/config/config_window_win32.h"
#include "app/program/program_win32.h"
#include "app/program/single_instance_win32.h"
#include "app/taskbar/tab_shortcut.h"
#include "app/taskbar/taskbar_shell_win32.h"
#include "platform/message_pump_win32.h"
#include "platform/text_win32.h"
#include "store/program_folder_win32.h"
#include "tests/native/support/fakes.h"
#include "tests/win32/support/temp_folder.h"
#include "tests/win32/support/window_helpers.h"

namespace vantry {
namespace {

using Microsoft::WRL::ComPtr;

class RecordingShell : public JumpListShell {
  public:
    bool WriteTasks(const std::string& appId, const std::vector<JumpTask>& tasks) override {
        writes.push_back({appId, tasks});
        return false;  // as Wine answers
    }
    std::vector<std::pair<std::string, std::vector<JumpTask>>> writes;
};

struct WindowIdSet {
    HWND window;
    std::string id;
    bool visible;
};

class TaskbarTest : public ::testing::Test {
  protected:
    void SetUp() override {
        OleInitialize(nullptr);
        test::WriteBytes(temp.File("VantryTabs.txt"), "Main |\r\nWork: <today>\r\n\r\n\r\n\r\n");
        test::WriteBytes(temp.File("VantryList0.txt"), "C:\\windows\\\r\nC:\\\r\n");
    }
    void TearDown() override {
        program.reset();
        OleUninitialize();
    }
    void Start(bool fakeShell) {
        program = std::make_unique<Program>(folder, dialogs);
        program->launcher = [](const std::string&, int, LaunchMode) {
            return LaunchResult::Started;
        };
        program->UseTaskbar(temp.Path(), exe,
                            fakeShell ? static_cast<JumpListShell&>(shell)
                                      : static_cast<JumpListShell&>(realShell));
        if (fakeShell) {
            program->Taskbar()->setWindowAppId = [this](HWND window, const std::string& id) {
                ids.push_back({window, id, IsWindowVisible(window) != FALSE});
                return false;
            };
        }
        program->Taskbar()->showInFolder = [this](const std::string& path, int, LaunchMode mode) {
            if (mode == LaunchMode::ShowInFolder) shown.push_back(path);
            return LaunchResult::Started;
        };
        program->Start();
    }
    // Opens "Config", selects tab k and clicks "Taskbar Shortcut".
    void MakeShortcut(int k) {
        test::Click(program->Small().ConfigCaption().Window());
        HWND config = program->Config().Window();
        ASSERT_TRUE(config);
        SendMessageW(config, WM_COMMAND, MAKEWPARAM(kConfigFirstTab + k, STN_CLICKED), 0);
        SendMessageW(config, WM_COMMAND, MAKEWPARAM(kConfigShortcut, BN_CLICKED), 0);
    }

    test::TempFolder temp;
    Win32ProgramFolder folder{temp.Path()};
    std::string exe = temp.File("Vantry.exe");
    test::RecordingDialogs dialogs;
    RecordingShell shell;
    ShellJumpLists realShell{exe};
    std::vector<WindowIdSet> ids;
    std::vector<std::string> shown;
    std::unique_ptr<Program> program;
};

TEST_F(TaskbarTest, ConfigMakesATabShortcutWithItsIconIdAndJumpListsAndGivesItsWindowTheId) {
    Start(true);
    EXPECT_TRUE(ids.empty()) << "a tab without a shortcut leaves the window's ID unset";
    EXPECT_TRUE(shell.writes.empty()) << "nothing is written before a shortcut is made";

    MakeShortcut(1);
    const std::string link = temp.File("Vantry 2 - Work today.lnk");
    const std::string icon = temp.File("VantryTab2.ico");
    ASSERT_EQ(shown, std::vector<std::string>{link});
    ComPtr<IShellLinkW> shortcut;
    ASSERT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&shortcut)));
    ComPtr<IPersistFile> file;
    ASSERT_HRESULT_SUCCEEDED(shortcut.As(&file));
    ASSERT_HRESULT_SUCCEEDED(file->Load(Widen(link).c_str(), STGM_READ));
    wchar_t text[MAX_PATH] = {};
    shortcut->GetPath(text, MAX_PATH, nullptr, 0);
    EXPECT_EQ(Narrow(text), exe);
    shortcut->GetArguments(text, MAX_PATH);
    EXPECT_EQ(Narrow(text), "/tab 2");
    shortcut->GetWorkingDirectory(text, MAX_PATH);
    EXPECT_EQ(Narrow(text), temp.Path());
    int index = -1;
    shortcut->GetIconLocation(text, MAX_PATH, &index);
    EXPECT_EQ(Narrow(text), icon);
    EXPECT_EQ(index, 0);
    for (int side : {32, 256}) {
        HICON loaded = static_cast<HICON>(
            LoadImageW(nullptr, Widen(icon).c_str(), IMAGE_ICON, side, side, LR_LOADFROMFILE));
        ASSERT_TRUE(loaded) << side;
        EXPECT_EQ(test::IconSide(loaded), side);
        DestroyIcon(loaded);
    }

    // Tab 2's list (its file holds nothing) and the program's own, with both named tabs.
    const std::string id = TabAppId(Narrow(FolderKey(Widen(temp.Path()))), 1);
    ASSERT_EQ(shell.writes.size(), 2u);
    EXPECT_EQ(shell.writes[0].first, id);
    EXPECT_TRUE(shell.writes[0].second.empty());
    EXPECT_EQ(shell.writes[1].second,
              (std::vector<JumpTask>{{"Main |", "/tab 1", ""}, {"Work: <today>", "/tab 2", ""}}));

    // The list window takes the tab's ID on that tab and gives it up on another.
    HWND list = program->Small().Window();
    test::Click(program->Small().Tab(1).Window());
    test::Click(program->Small().Tab(0).Window());
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(ids[0].window, list);
    EXPECT_EQ(ids[0].id, id);
    EXPECT_EQ(ids[1].id, "");
}

TEST_F(TaskbarTest, AWindowStartedOnATabWithAShortcutHasItsIdBeforeItShows) {
    test::WriteBytes(temp.File("VantryTab1.ico"), "icon");
    Start(true);
    ASSERT_FALSE(ids.empty());
    EXPECT_EQ(ids[0].window, program->Small().Window());
    EXPECT_EQ(ids[0].id, TabAppId(Narrow(FolderKey(Widen(temp.Path()))), 0));
    EXPECT_FALSE(ids[0].visible);
    EXPECT_TRUE(shell.writes.empty()) << "a start writes no jump list";
}

TEST_F(TaskbarTest, WhereTheShellDeclinesEveryCallTheProgramRunsAsUsual) {
    Start(false);
    MakeShortcut(0);
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(shown, std::vector<std::string>{temp.File("Vantry 1 - Main.lnk")});
    // A tab switch sets the window's ID, and a save writes the tab's jump list: both refused.
    test::Click(program->Small().Tab(1).Window());
    test::Click(program->Small().Tab(0).Window());
    EXPECT_TRUE(IsWindowVisible(program->Small().Window()));
    EXPECT_EQ(test::WindowText(program->Small().ItemCaption(0).Window()), "windows");
    EXPECT_TRUE(dialogs.errors.empty());
}

}  // namespace
}  // namespace vantry
