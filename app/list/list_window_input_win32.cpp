#include "app/list/list_window_win32.h"

// The list window's keys, mouse presses, shell menu, focus marks (and which control holds the
// system's focus at each stop Tab reaches) and tips. What a key or a click does to the list is
// ListWindow's and ListKeyboard's; drags are list_window_drag_win32.cpp's.

#include <utility>

#include "platform/text_win32.h"

namespace vantry {

std::string ListWindowWin32::TipText(HWND child) const {
    const ListModel& model = logic_.Model();
    for (int i = 0; i < kSlotCount; ++i) {
        auto index = static_cast<std::size_t>(i);
        if (child == captions_[index].Window() || child == icons_[index].Window()) {
            if (!model.Occupied(i)) return {};
            return model.TargetMissing(i) ? model.Path(i) + " (not found)" : model.PathInUse(i);
        }
    }
    for (int k = 0; k < kTabCount; ++k) {
        if (child == tabs_[static_cast<std::size_t>(k)].Window()) return logic_.TabName(k);
    }
    return {};
}

bool ListWindowWin32::OnKeyboardMessage(UINT msg, WPARAM wParam) {
    switch (msg) {
        case WM_KEYDOWN:
            return OnKey(wParam);
        case WM_SYSKEYDOWN:
            // Keys with Alt, and F10 (Shift+F10 comes this way); the rest, such as Alt+F4, are
            // the system's.
            sysKeyTaken_ = OnKey(wParam);
            return sysKeyTaken_;
        case WM_SYSCHAR:
            // The character of an Alt key the window took (Alt+Shift+1): no menu to beep for.
            return sysKeyTaken_;
        case WM_CHAR:
            OnChar(wParam);
            return true;
        case WM_SETFOCUS:
            // Given back on activation: a caption of the bar that had the keyboard takes it again.
            if (HWND stop = StopWindow(logic_.Keyboard().CurrentStop()); stop != hwnd_) {
                SetFocus(stop);
                return true;
            }
            return false;
        default:
            return false;
    }
}

bool ListWindowWin32::OnKey(WPARAM key) {
    using Key = ListKeyboard::Key;
    static constexpr std::pair<WPARAM, Key> kKeys[] = {
        {VK_UP, Key::Up},         {VK_DOWN, Key::Down},     {VK_HOME, Key::Home},
        {VK_END, Key::End},       {VK_LEFT, Key::Left},     {VK_RIGHT, Key::Right},
        {VK_PRIOR, Key::PageUp},  {VK_NEXT, Key::PageDown}, {VK_TAB, Key::Tab},
        {VK_RETURN, Key::Enter},  {VK_SPACE, Key::Space},   {VK_DELETE, Key::Delete},
        {VK_ESCAPE, Key::Escape},
    };
    ListKeyboard& keyboard = logic_.Keyboard();
    const ListKeyboard::Modifiers held = HeldModifiers();
    if (key == VK_APPS || (key == VK_F10 && held.shift && !held.control && !held.alt)) {
        // The menu key, or Shift+F10: the shell's menu for the focused item, below its caption.
        int slot = keyboard.Focus();
        if (slot < 0 || keyboard.CurrentStop() != ListKeyboard::Stop::Items) return true;
        RECT rect;
        GetWindowRect(captions_[static_cast<std::size_t>(slot)].Window(), &rect);
        ShowShellMenu(slot, {rect.left, rect.bottom});
        return true;
    }
    if (key == VK_RETURN && keyboard.CurrentStop() == ListKeyboard::Stop::Items) {
        if (LaunchMode mode = HeldLaunchMode(); mode != LaunchMode::Open) {
            // Ctrl or Ctrl+Shift with Enter open the focused item as they do with a click.
            if (keyboard.Focus() >= 0) logic_.ItemClick(keyboard.Focus(), mode);
            return true;
        }
    }
    if (key >= '0' && key <= '9') return keyboard.PressDigit(static_cast<int>(key - '0'), held);
    for (auto [code, name] : kKeys) {
        if (code == key) return keyboard.Press(name, held);
    }
    return false;
}

ListKeyboard::Modifiers ListWindowWin32::HeldModifiers() {
    return {GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0};
}

void ListWindowWin32::ItemMouseDown(int slot, int button) {
    // Shift with the right button: the shell's menu instead of the delete question, on the
    // release. Opened on the press, a pointer that drifted before the release would run the
    // command under it.
    if (button == kRightButton && GetKeyState(VK_SHIFT) < 0) return;
    logic_.ItemMouseDown(slot, button);
}

void ListWindowWin32::ItemMouseUp(int slot, int button) {
    if (button != kRightButton || GetKeyState(VK_SHIFT) >= 0) return;
    POINT at;
    GetCursorPos(&at);
    ShowShellMenu(slot, at);
}

LaunchMode ListWindowWin32::HeldLaunchMode() {
    if (GetKeyState(VK_CONTROL) >= 0) return LaunchMode::Open;
    return GetKeyState(VK_SHIFT) < 0 ? LaunchMode::RunAsAdministrator : LaunchMode::ShowInFolder;
}

void ListWindowWin32::ItemClick(int slot) {
    logic_.ItemClick(slot, HeldLaunchMode());
}

void ListWindowWin32::ShowShellMenu(int slot, POINT at) {
    const ListModel& model = logic_.Model();
    if (slot < 0 || !model.Occupied(slot)) return;
    // The shell has no menu for a path that is gone, and its menu for a name ending in a dot or
    // a space would be another file's: say so, as a click on the item does.
    if (HasTrimmedName(model.Path(slot))) {
        logic_.ReportTrimmedName(slot);
        return;
    }
    if (model.TargetMissing(slot)) {
        logic_.ReportMissing(slot);
        return;
    }
    // A copy: a command run from the menu may reload the list while it runs.
    const std::string path = model.PathInUse(slot);
    shellMenu_.Show(hwnd_, path, at, GetKeyState(VK_SHIFT) < 0);
}

void ListWindowWin32::OnChar(WPARAM character) {
    // Control characters (Enter, Esc, Ctrl+letters) come as keys above; AltGr's are text.
    if (!ListKeyboard::IsTyped(static_cast<std::uint32_t>(character), HeldModifiers())) return;
    if (character >= 0xD800 && character <= 0xDFFF) return;  // half of a pair: no caption starts so
    wchar_t text[2] = {static_cast<wchar_t>(character), 0};
    logic_.Keyboard().Type(Narrow(text), static_cast<std::uint32_t>(GetMessageTime()));
}

HWND ListWindowWin32::StopWindow(ListKeyboard::Stop stop) const {
    switch (stop) {
        case ListKeyboard::Stop::DropTarget:
            return dropTarget_.Window();
        case ListKeyboard::Stop::Config:
            return config_.Window();
        case ListKeyboard::Stop::Close:
            return close_.Window();
        default:
            return hwnd_;  // the items and the tab strip are the list's own
    }
}

void ListWindowWin32::ShowStop(ListKeyboard::Stop stop, int k) {
    focusedTab_ = k;
    for (int tab = 0; tab < kTabCount; ++tab) {
        auto& label = tabs_[static_cast<std::size_t>(tab)];
        label.SetFocusMark(tab == k);
        // The focus mark's colour is the current tab's too: taking it away must not unmark that.
        label.SetMarked(tab == k || tab == markedTab_);
    }
    // A caption of the bar takes the system's focus, which draws its mark and tells assistive
    // tools; the items and tabs are children of the list's own object, told here.
    HWND target = StopWindow(stop);
    bool moved = GetFocus() != target;
    if (moved) SetFocus(target);
    if (GetFocus() != hwnd_) return;
    if (stop == ListKeyboard::Stop::Tabs && k >= 0) Notify(EVENT_OBJECT_FOCUS, TabChildId(k));
    if (stop == ListKeyboard::Stop::Items) {
        announcedSlot_ = -1;  // the item is told again as the keyboard comes back to it
        if (!moved && logic_.Keyboard().Focus() < 0) Notify(EVENT_OBJECT_FOCUS, CHILDID_SELF);
    }
}

void ListWindowWin32::ShowFocus(int slot) {
    // Asked for only once the keyboard is in use, which is when the system, too, shows focus
    // rectangles.
    if (focusSlot_ >= 0 && focusSlot_ != slot) {
        captions_[static_cast<std::size_t>(focusSlot_)].SetFocusMark(false);
    }
    focusSlot_ = slot;
    if (slot >= 0) captions_[static_cast<std::size_t>(slot)].SetFocusMark(true);
    tooltip_.ShowFocusTip(slot >= 0 ? captions_[static_cast<std::size_t>(slot)].Window() : nullptr);
    // Told again only when the focus reaches another item: each key press re-shows it.
    if (slot >= 0 && slot != announcedSlot_ && GetFocus() == hwnd_) {
        announcedSlot_ = slot;
        Notify(EVENT_OBJECT_FOCUS, ItemChildId(slot));
    }
}

}  // namespace vantry
