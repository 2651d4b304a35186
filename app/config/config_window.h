#pragma once
// The configuration window's logic: the tab-name editor (five tab labels, the number of the tab
// being edited, the text box) and the list-style option. The window holds the names in its
// labels until "Update Tabs" stores them; each opening starts again from the stored names.

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "app/drop/drop_window.h"
#include "store/item_files.h"

namespace vantry {

// What the configuration window shows. Setting the text box from here must not report a change
// back: the logic runs the rename itself where it is due.
class ConfigWindowView {
  public:
    virtual ~ConfigWindowView() = default;
    // Sets tab label k's caption and sizes the label to its text.
    virtual void ShowTabCaption(int k, const std::string& caption) = 0;
    // The width tab label k takes for its caption, in twips.
    virtual int TabWidthTwips(int k) = 0;
    virtual void MoveTab(int k, int leftTwips) = 0;
    // `Label3`: the number of the tab being edited, or "".
    virtual void ShowTabNumber(const std::string& text) = 0;
    // `Text1`.
    virtual void ShowEditText(const std::string& text) = 0;
    virtual void FocusEditText() = 0;
    // Checks `Option1` ("Small List") when small, otherwise `Option2`.
    virtual void CheckStyleOption(bool small) = 0;
};

using TabNames = std::array<std::string, kTabCount>;

inline constexpr int kConfigTabTopTwips = 480;
inline constexpr int kConfigTabFirstLeftTwips = 120;
inline constexpr int kConfigTabGapTwips = 120;
// Before the first layout the labels stand where the window was designed to put them.
inline constexpr int kConfigTabDesignStepTwips = 600;

class ConfigWindow {
  public:
    // The drop window owns the style word and both list windows, the files and the guard.
    ConfigWindow(DropWindow& drop, ConfigWindowView& view) : drop_(drop), view_(view) {}

    // Each opening: default names, then the stored ones; tab 0 selected with an empty text box;
    // the option of the current style selected, which runs the switch. Ignored (false) while
    // another action of the program runs.
    bool Open();

    // Reads "VantryTabs.txt" into the tab labels; lines beyond the file keep their names.
    void LoadTabs();

    // Events from the window.
    void TabClick(int k);
    void TextChanged(const std::string& text);
    void NewTabClick();
    void UpdateTabsClick();
    void OptionClick(const std::string& word);
    // "Taskbar Shortcut": the selected tab's shortcut, by the name the window shows.
    void ShortcutClick();

    // What the program does on the taskbar (nothing when unset): makes tab k's shortcut, and
    // follows the names "Update Tabs" stored.
    std::function<void(int k, const std::string& name, const TabNames& names)> onMakeShortcut;
    std::function<void(const TabNames& names)> onTabsStored;

    const std::string& TabName(int k) const { return names_[static_cast<std::size_t>(k)]; }
    // The text of `Label3`.
    std::string Label3() const;
    const std::string& Text1() const { return text1_; }

  private:
    void SelectTab(int k);
    void Rename();
    void SetTabCaption(int k, const std::string& caption);
    void LayOutTabs();
    void RunSwitch(const std::string& word);

    DropWindow& drop_;
    ConfigWindowView& view_;
    std::array<std::string, kTabCount> names_{kDefaultTabName, kDefaultTabName, kDefaultTabName,
                                              kDefaultTabName, kDefaultTabName};
    // The names as the window was filled (or last stored): what "Update Tabs" merges against.
    std::array<std::string, kTabCount> startedFrom_ = names_;
    std::optional<int> selected_;
    std::string text1_;
};

}  // namespace vantry
