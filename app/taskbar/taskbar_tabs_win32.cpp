#include "app/taskbar/taskbar_tabs_win32.h"

#include "app/list_constants.h"
#include "app/taskbar/tab_icon_win32.h"
#include "app/taskbar/tab_shortcut.h"
#include "app/taskbar/taskbar_shell_win32.h"

namespace vantry {

TaskbarTabs::TaskbarTabs(ItemFiles& files, ProgramFolder& folder, UserDialogs& dialogs,
                         std::string programFolder, const std::string& folderKey,
                         std::string programPath, JumpListShell& shell)
    : setWindowAppId(SetWindowAppId),
      showInFolder(LaunchPath),
      files_(files),
      dialogs_(dialogs),
      folder_(std::move(programFolder)),
      program_(std::move(programPath)),
      lists_(shell, folder, folderKey) {}

std::vector<TabItem> TaskbarTabs::ItemsOf(int k) {
    std::vector<TabItem> items;
    for (const std::string& line : files_.ReadListLines(k).value_or(std::vector<std::string>{})) {
        if (line.empty()) continue;
        if (items.size() == kSlotCount) break;
        items.push_back({line, ItemCaption(line), false});
    }
    return items;
}

std::string TaskbarTabs::MakeShortcut(int k, const std::string& tabName,
                                      const std::array<std::string, kTabCount>& tabNames) {
    if (tabName.empty()) {
        dialogs_.ShowError("Tab " + std::to_string(k + 1) +
                           " has no name. Name it, then make its shortcut.");
        return {};
    }
    if (refuseChange && refuseChange()) return {};
    const std::vector<TabItem> items = ItemsOf(k);
    std::vector<std::string> paths;
    for (const TabItem& item : items) paths.push_back(item.path);
    const std::string icon = folder_ + "\\" + TabIconFileName(k);
    const std::string link = folder_ + "\\" + ShortcutFileName(k, tabName);
    if (!WriteTabIcon(icon, paths) || !WriteShortcutFile({link, program_, TabArguments(k), folder_,
                                                          icon, lists_.WindowAppId(k)})) {
        dialogs_.ShowError("The shortcut \"" + link + "\" could not be written.");
        return {};
    }
    lists_.ShortcutMade(k, items, tabNames);
    showInFolder(link, SW_SHOWNORMAL, LaunchMode::ShowInFolder);
    return link;
}

void TaskbarTabs::TabShown(HWND window, int k) {
    std::string id = k >= 0 ? lists_.WindowAppId(k) : std::string();
    auto known = windowIds_.find(window);
    // A window never given an ID is left as it is; one that had one loses it.
    if ((known == windowIds_.end() && id.empty()) ||
        (known != windowIds_.end() && known->second == id)) {
        return;
    }
    setWindowAppId(window, id);
    if (k < 0) {
        windowIds_.erase(window);
    } else {
        windowIds_[window] = id;
    }
}

}  // namespace vantry
