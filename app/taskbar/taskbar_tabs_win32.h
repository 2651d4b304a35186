#pragma once
// The program on the taskbar: a tab's shortcut made on request (its grid icon, the link with its
// ID, the jump lists, the folder opened on it), the ID of the tab each list window shows, and the
// jump lists kept up with the tabs' saves.

#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <string>

#include "app/taskbar/jump_lists.h"
#include "platform/user_dialogs.h"
#include "store/item_files.h"
#include "store/path_helpers.h"

namespace vantry {

class TaskbarTabs {
  public:
    // programFolder: the folder the shortcuts and icons go in, folderKey its key (FolderKey);
    // programPath: what they start.
    TaskbarTabs(ItemFiles& files, ProgramFolder& folder, UserDialogs& dialogs,
                std::string programFolder, const std::string& folderKey, std::string programPath,
                JumpListShell& shell);

    JumpLists& Lists() { return lists_; }

    // Makes tab k's shortcut: "Vantry <N> - <name>.lnk" and "VantryTab<N>.ico" in the program
    // folder, the jump lists, and the folder opened with the shortcut selected. Its path, or
    // empty when it was not made (the user has been told why).
    std::string MakeShortcut(int k, const std::string& tabName,
                             const std::array<std::string, kTabCount>& tabNames);
    // The window shows tab k (-1: it is being destroyed): it carries that tab's ID, or none.
    void TabShown(HWND window, int k);

    // Asked before a shortcut is made: true when the folder refuses changes, having told the user
    // (a folder that cannot be written). The one place that refusal hooks in.
    std::function<bool()> refuseChange;
    // Where a window's ID is set; the shell by default, a recorder in tests.
    std::function<bool(HWND, const std::string&)> setWindowAppId;
    // Where the made shortcut is shown (the shell's folder window, the shortcut selected).
    std::function<LaunchResult(const std::string&, int, LaunchMode)> showInFolder;

  private:
    // Tab k's items as its file holds them (the first 20), captioned as the list captions them.
    std::vector<TabItem> ItemsOf(int k);

    ItemFiles& files_;
    UserDialogs& dialogs_;
    std::string folder_;
    std::string program_;
    JumpLists lists_;
    std::map<HWND, std::string> windowIds_;  // as last set
};

}  // namespace vantry
