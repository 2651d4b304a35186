#pragma once
// The running program: its folder and files, the style word, the drop window and both list
// windows, and the services the windows' logic asks for (showing the other windows, the shell,
// the message loop).

#include <functional>
#include <memory>
#include <string>

#include "app/app_services.h"
#include "app/config/config_window_win32.h"
#include "app/drop/drop_intake.h"
#include "app/drop/drop_window.h"
#include "app/drop/drop_window_win32.h"
#include "app/list/list_window_win32.h"
#include "app/program/command_line.h"
#include "app/taskbar/taskbar_tabs_win32.h"
#include "store/item_files.h"

namespace vantry {

class Program final : public AppServices {
  public:
    // lookup finds the items' icons on the look-up workers and check tells whether their paths
    // are there (the shell's and the file system's, unless a test holds one). Items missing on
    // their own drive are looked for on the drive the program runs from.
    Program(ProgramFolder& folder, UserDialogs& dialogs,
            IconService::Lookup lookup = IconService::ShellLookup,
            IconService::Check check = IconService::FileSystemCheck);
    ~Program() override;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Puts the program on the taskbar, before Start: tab shortcuts made from the configuration
    // window in programFolder, starting programPath; each list window grouped by its tab's ID; the
    // jump lists (written through shell) following the tabs. Without it, none of these.
    void UseTaskbar(const std::string& programFolder, const std::string& programPath,
                    JumpListShell& shell);
    TaskbarTabs* Taskbar() { return taskbar_.get(); }
    // Before Start: the list windows draw their icons from the cache file in folder (the
    // program's own) until the look-ups answer, and keep what they drew there.
    void UseIconCache(FolderFiles& folder);

    // Creates the windows and runs the start-up: on the request's tab, or, for one item to open,
    // with the list hidden unless the item did not open (then the list stays, as after a click).
    void Start(const StartRequest& request = {});
    // A later start's request, in this running copy: its tab shown as a click on it shows it, or
    // its item opened.
    void CarryOut(const StartRequest& request);
    // The message loop, until the program's windows have closed; then on while a window that a
    // shell command opened in this process is still open, until the last of those closes.
    int Run();

    // AppServices
    void ShowDropWindow() override;
    void ShowConfigWindow() override;
    void CloseAllWindows() override;
    LaunchResult Launch(const std::string& path, int showCommand, LaunchMode mode) override;
    TargetFound CheckTarget(const std::string& path) override;
    void PumpMessages() override;
    std::string FoldCase(const std::string& text) const override;

    // Brings the shown list window to the front, and the drop window when it is shown (a later
    // start from the same folder asks for this). False once the windows have closed.
    bool BringToFront();

    ListWindowWin32& Large() { return large_; }
    ListWindowWin32& Small() { return small_; }
    DropWindowWin32* DropForm() { return dropForm_.get(); }
    DropWindow& Drop() { return drop_; }
    ConfigWindowHost& Config() { return config_; }
    ItemFiles& Files() { return files_; }
    IconService& Icons() { return icons_; }
    bool Closed() const { return closed_; }

    // Where launches go; the shell by default, a recorder in tests.
    std::function<LaunchResult(const std::string&, int, LaunchMode)> launcher;
    // Called by the close action once every file is written, before the windows are closed; told
    // whether a window that a shell command opened in this process (a Properties sheet) is open.
    // The real program lets go of its folder there, and unless such a window is open ends its
    // process at once: tearing down its hundred-odd windows one by one would keep the user
    // waiting after every launch, and the system frees them all at once.
    std::function<void(bool otherWindowsOpen)> onAllSaved;

  private:
    // The drop window's view, which follows the window object as it is re-created.
    class DropView : public DropWindowView {
      public:
        explicit DropView(Program& program) : program_(program) {}
        void SetVisible(bool visible) override;

      private:
        Program& program_;
    };

    void CreateDropForm();
    void DestroyWindows();
    const ListWindowWin32* ShownListWindow() const;
    // The list window of the style in use.
    ListWindowWin32& ChosenListWindow() { return useList_ == kLargeStyle ? large_ : small_; }

    ProgramFolder& folder_;
    ItemFiles files_;
    UserDialogs& dialogs_;
    std::string useList_ = kSmallStyle;
    ActionGuard guard_;
    IconService icons_;  // outlives the list windows, which cancel their look-ups as they close
    ListWindowWin32 large_;
    ListWindowWin32 small_;
    DropView dropView_{*this};
    DropWindow drop_;
    std::unique_ptr<DropWindowWin32> dropForm_;
    ConfigWindowHost config_{drop_};
    DropIntake intake_{drop_, dialogs_};
    std::unique_ptr<TaskbarTabs> taskbar_;
    std::unique_ptr<IconCache> iconCache_;
    bool closed_ = false;
};

}  // namespace vantry
