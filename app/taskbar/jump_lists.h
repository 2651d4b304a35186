#pragma once
// The taskbar's jump lists: each tab with a shortcut lists its items as tasks (which the shell
// shows whatever the user's setting for recent items), each running `Vantry.exe /open N "path"`;
// the program's own list offers the named tabs (`/tab N`). Nothing is written before the user has
// made a tab shortcut, and a list is written only when what it shows changed: never by a start.

#include <array>
#include <string>
#include <vector>

#include "store/item_files.h"
#include "store/program_folder.h"

namespace vantry {

struct JumpTask {
    std::string title;
    std::string arguments;  // to Vantry.exe
    std::string iconPath;   // the item whose shell icon the entry shows; empty: the program's

    bool operator==(const JumpTask&) const = default;
};

// One item of a tab, as the list shows it.
struct TabItem {
    std::string path;
    std::string caption;
    bool missing = false;  // found not there: left out of the jump list
};

// The seam to the shell's jump lists.
class JumpListShell {
  public:
    virtual ~JumpListShell() = default;
    // Replaces the tasks of the jump list of the ID (empty: the program's own). False when the
    // shell declined.
    virtual bool WriteTasks(const std::string& appId, const std::vector<JumpTask>& tasks) = 0;
};

// Tab k's items that are there, in the tab's order.
std::vector<JumpTask> TabTasks(int k, const std::vector<TabItem>& items);
// The named tabs.
std::vector<JumpTask> ProgramTasks(const std::array<std::string, kTabCount>& tabNames);

class JumpLists {
  public:
    // folderKey: the program folder's key, which the tabs' IDs are made from.
    JumpLists(JumpListShell& shell, ProgramFolder& folder, std::string folderKey)
        : shell_(shell), folder_(folder), folderKey_(std::move(folderKey)) {}

    // Whether the user has made tab k's shortcut (its icon file is there).
    bool HasShortcut(int k);
    // The ID of tab k's windows: its shortcut's, or empty (unset) for a tab without one.
    std::string WindowAppId(int k);

    // Tab k was loaded: what its list would show now is taken as written.
    void TabLoaded(int k, const std::vector<TabItem>& items);
    // Tab k was saved: its list is written when the tab has a shortcut and its tasks changed.
    void TabSaved(int k, const std::vector<TabItem>& items);
    // Tab k's shortcut was made: its list and the program's own are written.
    void ShortcutMade(int k, const std::vector<TabItem>& items,
                      const std::array<std::string, kTabCount>& tabNames);
    // The tab names were stored: the program's own list follows, once any tab has a shortcut.
    void TabsRenamed(const std::array<std::string, kTabCount>& tabNames);

  private:
    JumpListShell& shell_;
    ProgramFolder& folder_;
    std::string folderKey_;
    std::array<std::vector<JumpTask>, kTabCount> known_;
    std::array<bool, kTabCount> knownSet_{};
};

}  // namespace vantry
