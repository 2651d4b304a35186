// The list window's keyboard: the stop Tab has reached, the focused item, type-ahead and the keys
// that act on them. The keys reach it as plain values from list_window_input_win32.cpp; how a
// stop is shown (and which window holds the system's focus) is the view's.

#include "app/list/list_keyboard.h"

#include "app/list/list_window.h"

namespace vantry {

namespace {

constexpr int kStopCount = 5;

}  // namespace

bool ListKeyboard::Press(Key key, Modifiers held) {
    Refocus();
    const bool control = held.control && !held.alt;
    const int direction = held.shift ? -1 : +1;
    if (key == Key::Tab && control) {
        ChooseTab(NextNamedTab(direction));
        return true;
    }
    if ((key == Key::PageDown || key == Key::PageUp) && control) {
        ChooseTab(NextNamedTab(key == Key::PageDown ? +1 : -1));
        return true;
    }
    if (held.alt) {
        // Alt alone with Up or Down moves the item; with Ctrl (AltGr) nothing is the window's.
        bool move = !held.control && !held.shift && (key == Key::Up || key == Key::Down);
        if (move && stop_ == Stop::Items) MoveFocusedItem(key == Key::Up ? -1 : +1);
        return move;
    }
    if (key == Key::Escape) {
        window_.CloseClick();
        return true;
    }
    if (key == Key::Tab) {
        MoveStop(direction);
        return true;
    }
    if (stop_ == Stop::Items) return PressOnItems(key);
    if (stop_ == Stop::Tabs) return PressOnTabs(key);
    return false;  // the bar's captions take Enter and Space themselves
}

bool ListKeyboard::PressOnItems(Key key) {
    switch (key) {
        case Key::Up:
            // With no item focused yet, Up starts from the far end, as End does.
            MoveTo(focus_ < 0 ? Step(kSlotCount, -1) : Step(focus_, -1));
            return true;
        case Key::Down:
            MoveTo(Step(focus_, +1));
            return true;
        case Key::Home:
            MoveTo(Step(-1, +1));
            return true;
        case Key::End:
            MoveTo(Step(kSlotCount, -1));
            return true;
        case Key::Enter:
            if (focus_ >= 0) window_.ItemClick(focus_);
            return true;
        case Key::Delete:
            if (focus_ >= 0) window_.ItemMouseDown(focus_, kRightButton);
            return true;
        default:
            return false;
    }
}

bool ListKeyboard::PressOnTabs(Key key) {
    switch (key) {
        case Key::Left:
        case Key::Right: {
            int k = NamedTabFrom(tab_, key == Key::Left ? -1 : +1);
            if (k >= 0) tab_ = k;
            ShowStop();
            return true;
        }
        case Key::Enter:
        case Key::Space:
            ChooseTab(tab_);
            return true;
        default:
            return false;
    }
}

bool ListKeyboard::PressDigit(int digit, Modifiers held) {
    if (digit < 1 || digit > kTabCount) return false;
    if (held.control && !held.alt) {
        ChooseTab(digit - 1);
        return true;
    }
    if (held.alt && held.shift && !held.control) {
        Refocus();
        if (stop_ == Stop::Items && focus_ >= 0) window_.MoveItemToTab(focus_, digit - 1);
        return true;
    }
    return false;
}

void ListKeyboard::ChooseTab(int k) {
    if (k < 0 || k >= kTabCount) return;
    window_.TabClick(k);
    if (stop_ != Stop::Tabs) return;
    tab_ = window_.Model().List;
    ShowStop();
}

bool ListKeyboard::IsTyped(std::uint32_t character, Modifiers held) {
    return character >= 0x20 && character != 0x7F && !(held.control && !held.alt);
}

void ListKeyboard::Type(const std::string& character, std::uint32_t timeMs) {
    if (character.empty() || stop_ != Stop::Items) return;
    Refocus();
    std::string folded = window_.FoldCase(character);
    if (typed_.empty() || timeMs - lastTypedMs_ > kTypeAheadResetMs) {
        typed_.clear();
        firstTyped_ = folded;
    }
    lastTypedMs_ = timeMs;
    typed_ += folded;
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
    if (focus_ >= 0 && !window_.Model().Occupied(focus_)) {
        int before = Step(focus_, -1);
        focus_ = before >= 0 ? before : Step(-1, +1);
    }
    if (shown_ && stop_ == Stop::Items) window_.View().ShowFocus(focus_);
}

void ListKeyboard::ForgetFocus() {
    focus_ = -1;
    if (shown_ && stop_ == Stop::Items) window_.View().ShowFocus(focus_);
}

void ListKeyboard::MoveTo(int slot) {
    // At either end the focus stays where it is, and is shown.
    if (slot >= 0) focus_ = slot;
    if (focus_ < 0) return;
    shown_ = true;
    window_.View().ShowFocus(focus_);
}

void ListKeyboard::MoveStop(int direction) {
    shown_ = true;
    int stop = static_cast<int>(stop_);
    // The tab strip is passed over while no tab has a name: there is nothing on it to reach.
    do {
        stop = (stop + direction + kStopCount) % kStopCount;
    } while (stop == static_cast<int>(Stop::Tabs) && NamedTabFrom(-1, +1) < 0);
    stop_ = static_cast<Stop>(stop);
    if (stop_ == Stop::Tabs) {
        int current = window_.Model().List;
        tab_ = window_.TabName(current).empty() ? NamedTabFrom(-1, +1) : current;
    }
    ShowStop();
}

void ListKeyboard::ShowStop() {
    window_.View().ShowStop(stop_, FocusedTab());
    window_.View().ShowFocus(stop_ == Stop::Items ? focus_ : -1);
}

void ListKeyboard::MoveFocusedItem(int direction) {
    if (focus_ < 0) return;
    int to = Step(focus_, direction);
    if (to < 0) return;
    const std::string path = window_.Model().Path(focus_);
    window_.MoveItem(focus_, to);
    // The focus follows the item; a move that was refused or not saved leaves it where it was.
    if (window_.Model().Occupied(to) && window_.Model().Path(to) == path) focus_ = to;
    MoveTo(focus_);
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

int ListKeyboard::NamedTabFrom(int from, int direction) const {
    for (int k = from + direction; k >= 0 && k < kTabCount; k += direction) {
        if (!window_.TabName(k).empty()) return k;
    }
    return -1;
}

bool ListKeyboard::Matches(int slot, const std::string& prefix) const {
    if (!window_.Model().Occupied(slot)) return false;
    const std::string caption = window_.FoldCase(window_.Model().Caption(slot));
    return caption.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace vantry
