#pragma once
// Fakes of the list and drop windows' views and of the program's services, writing what the
// logic asked of them into one shared log.

#include <functional>
#include <string>
#include <vector>

#include "app/app_services.h"
#include "app/drop/drop_window.h"
#include "app/list/list_window.h"
#include "tests/native/support/fakes.h"

namespace vantry::test {

using Log = std::vector<std::string>;

class FakeListWindowView : public ListWindowView {
  public:
    FakeListWindowView(std::string name, Log& log) : name_(std::move(name)), log_(log) {}
    void ShowCaption(int slot, const std::string& caption) override {
        captions[static_cast<std::size_t>(slot)] = caption;
    }
    void ShowIcon(int slot, const std::string& path) override {
        icons[static_cast<std::size_t>(slot)] = path;
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

    int focus = -1;
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
