#include "app/list/list_window_win32.h"

// The list window's keys, mouse presses, shell menu, focus mark and tips. What a key or a click
// does to the list is ListWindow's and ListKeyboard's; drags are list_window_drag_win32.cpp's.

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

bool ListWindowWin32::OnKey(WPARAM key) {
    using Key = ListKeyboard::Key;
    ListKeyboard& keyboard = logic_.Keyboard();
    bool control = GetKeyState(VK_CONTROL) < 0;
    bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (key) {
        case VK_UP:
            keyboard.Press(Key::Up);
            return true;
        case VK_DOWN:
            keyboard.Press(Key::Down);
            return true;
        case VK_HOME:
            keyboard.Press(Key::Home);
            return true;
        case VK_END:
            keyboard.Press(Key::End);
            return true;
        case VK_RETURN:
            if (LaunchMode mode = HeldLaunchMode(); mode != LaunchMode::Open) {
                // Ctrl or Ctrl+Shift with Enter open the focused item as with a click.
                keyboard.Refocus();
                if (keyboard.Focus() >= 0) logic_.ItemClick(keyboard.Focus(), mode);
                return true;
            }
            keyboard.Press(Key::Enter);
            return true;
        case VK_DELETE:
            keyboard.Press(Key::Delete);
            return true;
        case VK_ESCAPE:
            keyboard.Press(Key::Escape);
            return true;
        case VK_APPS:
        case VK_F10: {
            // The menu key, or Shift+F10: the shell's menu for the focused item, below its caption.
            if (key == VK_F10 && !shift) return false;
            int slot = keyboard.Focus();
            if (slot < 0) return true;
            RECT rect;
            GetWindowRect(captions_[static_cast<std::size_t>(slot)].Window(), &rect);
            ShowShellMenu(slot, {rect.left, rect.bottom});
            return true;
        }
        case VK_TAB:
            if (!control) return false;
            keyboard.Press(shift ? Key::PreviousTab : Key::NextTab);
            return true;
        default:
            if (control && key >= '1' && key < '1' + kTabCount) {
                keyboard.ChooseTab(static_cast<int>(key - '1'));
                return true;
            }
            return false;
    }
}

void ListWindowWin32::ItemMouseDown(int slot, int button) {
    // Shift with the right button: the shell's menu instead of the delete question.
    if (button == kRightButton && GetKeyState(VK_SHIFT) < 0) {
        POINT at;
        GetCursorPos(&at);
        ShowShellMenu(slot, at);
        return;
    }
    logic_.ItemMouseDown(slot, button);
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
    // A copy: a command run from the menu may reload the list while it runs.
    const std::string path = model.PathInUse(slot);
    shellMenu_.Show(hwnd_, path, at, GetKeyState(VK_SHIFT) < 0);
}

void ListWindowWin32::OnChar(WPARAM character) {
    // Control characters (Enter, Esc, Ctrl+letters) come as keys above.
    if (character < 0x20 || GetKeyState(VK_CONTROL) < 0) return;
    if (character >= 0xD800 && character <= 0xDFFF) return;  // half of a pair: no caption starts so
    wchar_t text[2] = {static_cast<wchar_t>(character), 0};
    logic_.Keyboard().Type(Narrow(text), static_cast<std::uint32_t>(GetMessageTime()));
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
