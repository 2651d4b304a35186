#pragma once
// The list window's keyboard. Tab and Shift+Tab go round five stops: the items, the tab strip,
// "Drop Target", "Config" and "Close". On the items the arrows, Home, End and type-ahead on the
// captions move a focus, Enter and Delete act on the focused item as a click and a right press do,
// Alt+Up and Alt+Down move it one place and Alt+Shift+1 to 5 to another tab. On the tab strip Left
// and Right move among the named tabs and Enter or Space switches. Anywhere, Ctrl+Tab,
// Ctrl+PageDown and their reverse, and Ctrl+1 to Ctrl+5 change tabs, and Esc is "Close".
// The focus is shown only once the keyboard has been used in the window, as the system shows
// focus rectangles only to keyboard users.

#include <cstdint>
#include <string>

namespace vantry {

class ListWindow;

inline constexpr std::uint32_t kTypeAheadResetMs = 1000;

// The keys held with a key. AltGr arrives as Ctrl+Alt: a key with both held is never a Ctrl or an
// Alt shortcut.
struct KeyModifiers {
    bool control = false;
    bool shift = false;
    bool alt = false;
};

class ListKeyboard {
  public:
    enum class Key {
        Up,
        Down,
        Home,
        End,
        Left,
        Right,
        PageUp,
        PageDown,
        Tab,
        Enter,
        Space,
        Delete,
        Escape
    };
    using Modifiers = KeyModifiers;
    // Where Tab has taken the keyboard, in Tab order.
    enum class Stop { Items, Tabs, DropTarget, Config, Close };

    explicit ListKeyboard(ListWindow& window) : window_(window) {}

    // False for a key the window leaves to the system (Alt+F4, a plain Tab's dialog handling).
    bool Press(Key key, Modifiers held = {});
    // A digit key 1 to 5 (digit 1 to 5): Ctrl switches to tab digit - 1, Alt+Shift moves the
    // focused item to the end of it.
    bool PressDigit(int digit, Modifiers held);
    // Tab k, as a click on its label.
    void ChooseTab(int k);
    // Whether a character the system made of a key press is typed text: not a control character,
    // not Ctrl with a letter (AltGr's Ctrl+Alt is text).
    static bool IsTyped(std::uint32_t character, Modifiers held);
    // One typed character (UTF-8) and the time it came, in milliseconds.
    void Type(const std::string& character, std::uint32_t timeMs);
    // After the window's items changed (a tab switch, a delete): the focus stays at its place,
    // or goes to the item before it when its place is now empty. An unset focus stays unset.
    void Refocus();
    // Another tab's items are shown: no item has the focus until a key gives it one.
    void ForgetFocus();
    // The keyboard's item is now the one in slot (its item moved there, or left the list and the
    // next item stands there); shown as Refocus shows it.
    void SetFocus(int slot) {
        focus_ = slot;
        Refocus();
    }
    // The focused slot, or -1 while no item has the focus (before the first key, or when the
    // tab has no item).
    int Focus() const { return focus_; }
    Stop CurrentStop() const { return stop_; }
    // The tab label the keyboard is on, or -1 away from the tab strip.
    int FocusedTab() const { return stop_ == Stop::Tabs ? tab_ : -1; }

  private:
    void MoveTo(int slot);
    void MoveStop(int direction);
    void ShowStop();
    bool PressOnItems(Key key);
    bool PressOnTabs(Key key);
    // Alt+Up and Alt+Down: the focused item changes places with its neighbour, and keeps the focus.
    void MoveFocusedItem(int direction);
    int Step(int from, int direction) const;
    int NextNamedTab(int direction) const;
    // The next named tab from `from` in that direction, not round the end; -1 if none.
    int NamedTabFrom(int from, int direction) const;
    bool Matches(int slot, const std::string& prefix) const;

    ListWindow& window_;
    int focus_ = -1;
    Stop stop_ = Stop::Items;
    int tab_ = 0;         // the tab label the keyboard is on while the stop is the tab strip
    bool shown_ = false;  // the keyboard has been used: the focus is drawn
    std::string typed_;   // folded, as are the captions it is matched with
    std::string firstTyped_;
    std::uint32_t lastTypedMs_ = 0;
};

}  // namespace vantry
