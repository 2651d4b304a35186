#pragma once
// Fakes of the list and drop windows' views and of the program's services, writing what the
// logic asked of them into one shared log.

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/app_services.h"
#include "app/drop/drop_window.h"
#include "app/dropped_paths.h"
#include "app/list/list_window.h"
#include "tests/native/support/fakes.h"

namespace vantry::test {

using Log = std::vector<std::string>;

// A file system of named files and folders, and shortcut files with their targets.
class FakeProbe : public DropProbe {
  public:
    Probed<DropProbe::Kind> Look(const std::string& path) override {
        looked.push_back(path);
        if (auto failure = failures.find(path); failure != failures.end()) {
            return {DropProbe::Kind::Absent, failure->second};
        }
        auto item = items.find(path);
        return {item == items.end() ? DropProbe::Kind::Absent : item->second, std::nullopt};
    }
    Probed<ShortcutLink> DescribeShortcut(const std::string& path) override {
        resolved.push_back(path);
        if (auto failure = failures.find(path); failure != failures.end()) {
            return {{}, failure->second};
        }
        auto link = links.find(path);
        return {link == links.end() ? ShortcutLink{} : link->second, std::nullopt};
    }

    std::map<std::string, DropProbe::Kind> items;
    std::map<std::string, ShortcutLink> links;
    std::map<std::string, DropFailure> failures;
    std::vector<std::string> looked;
    std::vector<std::string> resolved;
};

class FakeListWindowView : public ListWindowView {
  public:
    FakeListWindowView(std::string name, Log& log) : name_(std::move(name)), log_(log) {}
    void ShowCaption(int slot, const std::string& caption) override {
        captions[static_cast<std::size_t>(slot)] = caption;
        shownSlots.push_back(slot);
    }
    void ShowIcon(int slot, const std::string& path) override {
        icons[static_cast<std::size_t>(slot)] = path;
        shownSlots.push_back(slot);
    }
    void ShiftSlots(int from, int to) override {
        RotateSlots(captions, from, to);
        RotateSlots(icons, from, to);
    }
    void PumpMessages() override {}
    void ShowEmptyHint(bool shown) override { hint = shown; }
    void ShowTargetMissing(int slot, bool shown) override {
        dimmed[static_cast<std::size_t>(slot)] = shown;
    }
    void ShowTabCaption(int k, const std::string& caption) override {
        tabs[static_cast<std::size_t>(k)] = caption;
    }
    // An auto-sized label: 100 twips a character plus the glow margins.
    int TabWidthTwips(int k) override {
        return 300 + 100 * static_cast<int>(tabs[static_cast<std::size_t>(k)].size());
    }
    void MoveTab(int k, int leftTwips) override {
        tabLefts[static_cast<std::size_t>(k)] = leftTwips;
    }
    void SetVisible(bool visible) override {
        visible_ = visible;
        log_.push_back(name_ + (visible ? " shown" : " hidden"));
    }
    bool Visible() const override { return visible_; }
    void ShowFocus(int slot) override { focus = slot; }
    void ShowCurrentTab(int k) override { currentTab = k; }
    void ShowStop(ListKeyboard::Stop shown, int k) override {
        stop = shown;
        focusedTab = k;
    }

    bool LookUpOverdue(int slot) const override { return overdue[static_cast<std::size_t>(slot)]; }

    int focus = -1;
    std::array<bool, kSlotCount> overdue{};
    ListKeyboard::Stop stop = ListKeyboard::Stop::Items;
    int focusedTab = -1;
    std::vector<int> shownSlots;  // each slot given a caption or an icon, in order
    bool hint = false;
    int currentTab = -1;
    std::array<std::string, kSlotCount> captions;
    std::array<std::string, kSlotCount> icons;
    std::array<bool, kSlotCount> dimmed{};
    std::array<std::string, kTabCount> tabs{kDefaultTabName, kDefaultTabName, kDefaultTabName,
                                            kDefaultTabName, kDefaultTabName};
    std::array<int, kTabCount> tabLefts{};

  private:
    std::string name_;
    Log& log_;
    bool visible_ = true;
};

class FakeDropView : public DropWindowView {
  public:
    explicit FakeDropView(Log& log) : log_(log) {}
    void SetVisible(bool visible) override {
        visible_ = visible;
        log_.push_back(visible ? "drop shown" : "drop hidden");
    }
    bool visible_ = true;

  private:
    Log& log_;
};

class FakeApp : public AppServices {
  public:
    explicit FakeApp(Log& log) : log_(log) {}
    void ShowDropWindow() override { log_.push_back("show drop window"); }
    void ShowConfigWindow() override { log_.push_back("show config window"); }
    void CloseAllWindows() override { log_.push_back("close all"); }
    // Logged with the mode's verb when it is not a plain open.
    LaunchResult Launch(const std::string& path, int showCommand, LaunchMode mode) override {
        static const char* const kModes[] = {"", " runas", " in folder"};
        log_.push_back("launch " + path + " " + std::to_string(showCommand) +
                       kModes[static_cast<int>(mode)]);
        return launchResult;
    }
    TargetFound CheckTarget(const std::string& path) override {
        log_.push_back("check " + path);
        return checked;
    }
    void PumpMessages() override {
        ++pumps;
        if (onPump) onPump();
    }
    // The system's folding stands in as ASCII and two capitals of other scripts.
    std::string FoldCase(const std::string& text) const override {
        std::string folded;
        for (char c : text) folded += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        for (auto [upper, lower] :
             {std::pair<std::string, std::string>{"\u00C9", "\u00E9"}, {"\u0141", "\u0142"}}) {
            for (auto at = folded.find(upper); at != std::string::npos; at = folded.find(upper))
                folded.replace(at, upper.size(), lower);
        }
        return folded;
    }
    int pumps = 0;
    std::function<void()> onPump;
    LaunchResult launchResult = LaunchResult::Started;
    TargetFound checked;  // what a check at a click finds

  private:
    Log& log_;
};

// The program's windows wired together over a given folder, with fake views.
struct WindowsOnFakeViews {
    explicit WindowsOnFakeViews(ProgramFolder& programFolder) : files(programFolder, dialogs) {}

    RecordingDialogs dialogs;
    ItemFiles files;
    Log log;
    FakeListWindowView largeView{"large", log};
    FakeListWindowView smallView{"small", log};
    FakeDropView dropView{log};
    FakeApp app{log};
    ActionGuard guard;
    std::string useList = kSmallStyle;
    ListWindow large{kLargeStyle, useList, files, dialogs, largeView, app, guard};
    ListWindow small{kSmallStyle, useList, files, dialogs, smallView, app, guard};
    DropWindow drop{useList, files, large, small, dropView, app, guard};
};

// The folder comes first, so that it exists before the windows that use it.
struct FakeFolderHolder {
    FakeFolder folder;
};

// The same over one in-memory folder.
struct FakeProgram : FakeFolderHolder, WindowsOnFakeViews {
    FakeProgram() : WindowsOnFakeViews(folder) {}
};

}  // namespace vantry::test
