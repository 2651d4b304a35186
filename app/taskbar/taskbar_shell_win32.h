#pragma once
// The shell's side of the taskbar: a window's AppUserModelID, a tab's shortcut file with its ID,
// and the jump lists. Wine 8 implements little of it (a link's property store saves nothing, a
// window's ID and ICustomDestinationList answer not implemented): each call reports failure and
// the program goes on as without it.

#include <windows.h>

#include <string>
#include <vector>

#include "app/taskbar/jump_lists.h"

namespace vantry {

// Sets the window's System.AppUserModel.ID (SHGetPropertyStoreForWindow); an empty ID removes it,
// as a window's properties must be removed before it is destroyed.
bool SetWindowAppId(HWND window, const std::string& appId);

struct ShortcutSpec {
    std::string linkPath;
    std::string target;
    std::string arguments;
    std::string workingFolder;
    std::string iconPath;  // index 0
    std::string appId;
};

// Writes the shortcut file, replacing one of that name. Whether the file was written (an ID the
// system does not store is no failure).
bool WriteShortcutFile(const ShortcutSpec& spec);

// The jump lists through ICustomDestinationList: each task a link to the program with its
// arguments, its title and its item's icon.
class ShellJumpLists : public JumpListShell {
  public:
    explicit ShellJumpLists(std::string programPath) : programPath_(std::move(programPath)) {}
    bool WriteTasks(const std::string& appId, const std::vector<JumpTask>& tasks) override;

  private:
    std::string programPath_;
};

}  // namespace vantry
