// The drop window's logic: start-up and the switch between the list styles. Its window on
// screen is drop_window_win32.cpp; the list windows are driven through their public members.

#include "app/drop/drop_window.h"

namespace vantry {

void DropWindow::Start(int k, bool show) {
    auto scope = guard_.TryEnter();
    UseList = kSmallStyle;
    large_.Load();
    large_.View().SetVisible(false);
    small_.Load();
    small_.View().SetVisible(false);
    if (auto word = files_.ReadStyleWord()) UseList = *word;
    // A word the program never writes would leave no window to reach the program by; show the
    // small list then and leave the file as it is.
    if (UseList != kSmallStyle && UseList != kLargeStyle) UseList = kSmallStyle;
    ListWindow& shown = WindowOf(UseList);
    // The tab is chosen before the window shows: the taskbar groups it by its tab from the start.
    if (k > 0 && k < kTabCount && !shown.TabName(k).empty()) {
        shown.Model().List = static_cast<int16_t>(k);
        shown.View().ShowCurrentTab(k);
    }
    // Loaded while still hidden: the window's first paint draws the whole list at once, rather
    // than an empty list and then each item with a paint of its own.
    shown.Model().ResetDWM();
    shown.Model().LoadListfile();
    if (show) shown.View().SetVisible(true);
    app_.PumpMessages();
    view_.SetVisible(false);
}

void DropWindow::StyleClick(const std::string& word) {
    auto scope = guard_.TryEnter();
    if (!scope) return;
    SwitchStyle(word, false);
}

void DropWindow::SwitchStyle(const std::string& word, bool firstTab) {
    // The configuration window's switch leaves the tab shown for tab 0, as a tab click would.
    if (firstTab) WindowOf(UseList).LeaveTab();
    UseList = word;
    // A failed write has told the user; the switch itself still happens for this run.
    files_.WriteStyleWord(UseList);
    app_.PumpMessages();
    ListWindow& shown = WindowOf(word);
    ListWindow& hidden = &shown == &large_ ? small_ : large_;
    // Loaded before it shows, as at start-up: it never shows what it held when it was hidden.
    shown.Model().ResetDWM();
    app_.PumpMessages();
    if (firstTab) {
        shown.EnterTab(0);
    } else {
        shown.Model().LoadListfile();
    }
    hidden.View().SetVisible(false);
    shown.View().SetVisible(true);
}

}  // namespace vantry
