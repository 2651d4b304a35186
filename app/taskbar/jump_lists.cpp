#include "app/taskbar/jump_lists.h"

#include "app/taskbar/tab_shortcut.h"

namespace vantry {

std::vector<JumpTask> TabTasks(int k, const std::vector<TabItem>& items) {
    std::vector<JumpTask> tasks;
    for (const TabItem& item : items) {
        if (!item.missing) tasks.push_back({item.caption, OpenArguments(k, item.path), item.path});
    }
    return tasks;
}

std::vector<JumpTask> ProgramTasks(const std::array<std::string, kTabCount>& tabNames) {
    std::vector<JumpTask> tasks;
    for (int k = 0; k < kTabCount; ++k) {
        const std::string& name = tabNames[static_cast<std::size_t>(k)];
        if (!name.empty()) tasks.push_back({name, TabArguments(k), {}});
    }
    return tasks;
}

bool JumpLists::HasShortcut(int k) {
    return folder_.Present(TabIconFileName(k));
}

std::string JumpLists::WindowAppId(int k) {
    return HasShortcut(k) ? TabAppId(folderKey_, k) : std::string();
}

void JumpLists::TabLoaded(int k, const std::vector<TabItem>& items) {
    const auto at = static_cast<std::size_t>(k);
    known_[at] = TabTasks(k, items);
    knownSet_[at] = true;
}

void JumpLists::TabSaved(int k, const std::vector<TabItem>& items) {
    const auto at = static_cast<std::size_t>(k);
    std::vector<JumpTask> tasks = TabTasks(k, items);
    if (knownSet_[at] && tasks == known_[at]) return;
    if (!HasShortcut(k)) return;
    // Written once: a shell that declines now is not asked again until the tab changes.
    shell_.WriteTasks(TabAppId(folderKey_, k), tasks);
    known_[at] = std::move(tasks);
    knownSet_[at] = true;
}

void JumpLists::ShortcutMade(int k, const std::vector<TabItem>& items,
                             const std::array<std::string, kTabCount>& tabNames) {
    const auto at = static_cast<std::size_t>(k);
    known_[at] = TabTasks(k, items);
    knownSet_[at] = true;
    shell_.WriteTasks(TabAppId(folderKey_, k), known_[at]);
    shell_.WriteTasks({}, ProgramTasks(tabNames));
}

void JumpLists::TabsRenamed(const std::array<std::string, kTabCount>& tabNames) {
    for (int k = 0; k < kTabCount; ++k) {
        if (HasShortcut(k)) {
            shell_.WriteTasks({}, ProgramTasks(tabNames));
            return;
        }
    }
}

}  // namespace vantry
