// The list window's keyboard: the focused item, type-ahead and the keys that act on it. The keys
// reach it as plain values from list_window_input_win32.cpp.

#include "app/list/list_keyboard.h"

#include "app/list/list_window.h"

namespace vantry {

namespace {

char Folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

void ListKeyboard::Press(Key key) {
    Refocus();
    switch (key) {
        case Key::Up:
            MoveTo(Step(focus_, -1));
            break;
        case Key::Down:
            MoveTo(Step(focus_, +1));
            break;
        case Key::Home:
            MoveTo(Step(-1, +1));
            break;
        case Key::End:
            MoveTo(Step(kSlotCount, -1));
            break;
        case Key::Enter:
            if (focus_ >= 0) window_.ItemClick(focus_);
            break;
        case Key::Delete:
            if (focus_ >= 0) window_.ItemMouseDown(focus_, kRightButton);
            break;
        case Key::Escape:
            window_.CloseClick();
            break;
        case Key::NextTab:
            ChooseTab(NextNamedTab(+1));
            break;
        case Key::PreviousTab:
            ChooseTab(NextNamedTab(-1));
            break;
    }
}

void ListKeyboard::ChooseTab(int k) {
    if (k < 0 || k >= kTabCount) return;
    window_.TabClick(k);
}

void ListKeyboard::Type(const std::string& character, std::uint32_t timeMs) {
    if (character.empty()) return;
    Refocus();
    if (typed_.empty() || timeMs - lastTypedMs_ > kTypeAheadResetMs) {
        typed_.clear();
        firstTyped_ = character;
    }
    lastTypedMs_ = timeMs;
    typed_ += character;
    // One letter, typed once or over and over, steps through the items that start with it; a
    // longer word keeps the focused item while it still matches.
    bool stepping = typed_.size() % firstTyped_.size() == 0;
    for (std::size_t at = 0; stepping && at < typed_.size(); at += firstTyped_.size()) {
        stepping = typed_.compare(at, firstTyped_.size(), firstTyped_) == 0;
    }
    const std::string& prefix = stepping ? firstTyped_ : typed_;
    int start = stepping ? focus_ + 1 : focus_;
    for (int n = 0; n < kSlotCount; ++n) {
        int slot = ((start < 0 ? 0 : start) + n) % kSlotCount;
        if (Matches(slot, prefix)) {
            MoveTo(slot);
            return;
        }
    }
}

void ListKeyboard::Refocus() {
    if (focus_ < 0 || focus_ >= kSlotCount || !window_.Model().Occupied(focus_)) {
        int before = Step(focus_ < 0 ? kSlotCount : focus_, -1);
        focus_ = before >= 0 ? before : Step(-1, +1);
    }
    if (shown_) window_.View().ShowFocus(focus_);
}

void ListKeyboard::MoveTo(int slot) {
    // At either end the focus stays where it is, and is shown.
    if (slot >= 0) focus_ = slot;
    if (focus_ < 0) return;
    shown_ = true;
    window_.View().ShowFocus(focus_);
}

int ListKeyboard::Step(int from, int direction) const {
    for (int slot = from + direction; slot >= 0 && slot < kSlotCount; slot += direction) {
        if (window_.Model().Occupied(slot)) return slot;
    }
    return -1;
}

int ListKeyboard::NextNamedTab(int direction) const {
    int current = window_.Model().List;
    for (int n = 1; n < kTabCount; ++n) {
        int k = ((current + direction * n) % kTabCount + kTabCount) % kTabCount;
        if (!window_.TabName(k).empty()) return k;
    }
    return -1;
}

bool ListKeyboard::Matches(int slot, const std::string& prefix) const {
    if (!window_.Model().Occupied(slot)) return false;
    const std::string& caption = window_.Model().Caption(slot);
    if (caption.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (Folded(caption[i]) != Folded(prefix[i])) return false;
    }
    return true;
}

}  // namespace vantry
