#pragma once
// The list window's keyboard: a focus that moves between items (Up, Down, Home, End, and
// type-ahead on the captions), Enter and Delete on the focused item as a click and a right
// press do, tab changes with Ctrl+Tab, Ctrl+Shift+Tab and Ctrl+1 to Ctrl+5, and Esc as "Close".
// The focus is shown only once the keyboard has been used in the window, as the system shows
// focus rectangles only to keyboard users.

#include <cstdint>
#include <string>

namespace vantry {

class ListWindow;

inline constexpr std::uint32_t kTypeAheadResetMs = 1000;

class ListKeyboard {
  public:
    enum class Key { Up, Down, Home, End, Enter, Delete, Escape, NextTab, PreviousTab };

    explicit ListKeyboard(ListWindow& window) : window_(window) {}

    void Press(Key key);
    // Ctrl+1 to Ctrl+5: tab k, as a click on its label.
    void ChooseTab(int k);
    // One typed character (UTF-8) and the time it came, in milliseconds.
    void Type(const std::string& character, std::uint32_t timeMs);
    // After the window's items changed (a tab switch, a delete): the focus stays at its place,
    // or goes to the last item when its place is now empty.
    void Refocus();
    // The keyboard's item is now the one in slot (its item moved there, or left the list and the
    // next item stands there); shown as Refocus shows it.
    void SetFocus(int slot) {
        focus_ = slot;
        Refocus();
    }
    // The focused slot, or -1 when the tab has no item (the view is then told -1).
    int Focus() const { return focus_; }

  private:
    void MoveTo(int slot);
    int Step(int from, int direction) const;
    int NextNamedTab(int direction) const;
    bool Matches(int slot, const std::string& prefix) const;

    ListWindow& window_;
    int focus_ = 0;
    bool shown_ = false;  // the keyboard has been used: the focus is drawn
    std::string typed_;
    std::string firstTyped_;
    std::uint32_t lastTypedMs_ = 0;
};

}  // namespace vantry
