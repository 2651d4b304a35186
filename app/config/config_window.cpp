// The configuration window's logic: editing the tab names and storing them with "Update Tabs",
// and the list-style option. The window on screen is config_window_win32.cpp.

#include "app/config/config_window.h"

namespace vantry {

bool ConfigWindow::Open() {
    auto scope = drop_.Guard().TryEnter();
    if (!scope) return false;
    for (int k = 0; k < kTabCount; ++k) {
        names_[static_cast<std::size_t>(k)] = kDefaultTabName;
        view_.ShowTabCaption(k, kDefaultTabName);
        view_.MoveTab(k, kConfigTabFirstLeftTwips + kConfigTabDesignStepTwips * k);
    }
    // The opening shows tab 0 as selected but leaves the text box empty, without the selection's
    // copy of the name: typing at once renames tab 0.
    selected_ = 0;
    view_.ShowTabNumber(Label3());
    text1_.clear();
    view_.ShowEditText(text1_);
    LoadTabs();
    startedFrom_ = names_;
    RunSwitch(drop_.UseList == kSmallStyle ? kSmallStyle : kLargeStyle);
    return true;
}

void ConfigWindow::LoadTabs() {
    auto lines = drop_.Files().ReadTabNames();
    if (!lines) return;
    for (std::size_t k = 0; k < lines->size(); ++k) SetTabCaption(static_cast<int>(k), (*lines)[k]);
}

void ConfigWindow::TabClick(int k) {
    if (k < 0 || k >= kTabCount) return;
    SelectTab(k);
}

void ConfigWindow::TextChanged(const std::string& text) {
    text1_ = text;
    Rename();
}

void ConfigWindow::NewTabClick() {
    selected_.reset();
    view_.ShowTabNumber(Label3());
    view_.FocusEditText();
    for (int k = 0; k < kTabCount; ++k) {
        if (TabName(k).empty()) {
            SelectTab(k);
            return;
        }
    }
    // Five named tabs: nothing is selected, so typing renames nothing.
}

void ConfigWindow::UpdateTabsClick() {
    auto scope = drop_.Guard().TryEnter();
    if (!scope) return;
    // A failed write has told the user and left the file as it was. The names stay here to be
    // stored again; the list windows keep the strips they show, which match the file.
    SaveOutcome saved = drop_.Files().WriteTabNames(names_, &startedFrom_);
    if (!saved) return;
    // Names changed elsewhere meanwhile were merged in: show them here too.
    if (saved.merged) LoadTabs();
    startedFrom_ = names_;
    drop_.App().PumpMessages();
    drop_.Large().LoadTabs();
    drop_.Small().LoadTabs();
    if (onTabsStored) onTabsStored(names_);
}

void ConfigWindow::ShortcutClick() {
    auto scope = drop_.Guard().TryEnter();
    if (!scope || !selected_ || !onMakeShortcut) return;
    onMakeShortcut(*selected_, TabName(*selected_), names_);
}

void ConfigWindow::OptionClick(const std::string& word) {
    auto scope = drop_.Guard().TryEnter();
    if (!scope) {
        // The button has already checked itself; show the style actually in use instead.
        view_.CheckStyleOption(drop_.UseList == kSmallStyle);
        return;
    }
    RunSwitch(word);
}

std::string ConfigWindow::Label3() const {
    return selected_ ? std::to_string(*selected_) : std::string();
}

void ConfigWindow::SelectTab(int k) {
    selected_ = k;
    view_.ShowTabNumber(Label3());
    text1_ = TabName(k);
    view_.ShowEditText(text1_);
    // Setting the text box is a change of its text like any other.
    Rename();
}

void ConfigWindow::Rename() {
    if (!selected_) return;
    SetTabCaption(*selected_, text1_);
}

void ConfigWindow::SetTabCaption(int k, const std::string& caption) {
    names_[static_cast<std::size_t>(k)] = caption;
    view_.ShowTabCaption(k, caption);
    LayOutTabs();
}

void ConfigWindow::LayOutTabs() {
    int left = kConfigTabFirstLeftTwips;
    view_.MoveTab(0, left);
    for (int k = 1; k < kTabCount; ++k) {
        // An empty label takes no room, however the view would size it.
        int width = TabName(k - 1).empty() ? 0 : view_.TabWidthTwips(k - 1);
        left += width + kConfigTabGapTwips;
        view_.MoveTab(k, left);
    }
}

void ConfigWindow::RunSwitch(const std::string& word) {
    view_.CheckStyleOption(word == kSmallStyle);
    drop_.SwitchStyle(word, true);
}

}  // namespace vantry
