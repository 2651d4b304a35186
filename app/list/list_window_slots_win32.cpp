#include "app/list/list_window_win32.h"

// What the list window's slots and tabs show: captions, icons (looked up off the window thread,
// the generic icon while one is slow), the missing mark, the empty tab's hint, the tab labels.
// Their layout and the window itself are list_window_win32.cpp's.

#include <algorithm>

#include "platform/message_pump_win32.h"
#include "platform/units.h"
#include "store/icon_pixels_win32.h"

namespace vantry {

// While the window is hidden its slots only record what they should show; the window catches up
// just before it is shown. Start-up and every style switch load a list before showing it, so its
// first paint draws the whole list.
void ListWindowWin32::ShowCaption(int slot, const std::string& caption) {
    wanted_[static_cast<std::size_t>(slot)].caption = caption;
    if (Visible()) ApplyCaption(slot);
}

void ListWindowWin32::ShowIcon(int slot, const std::string& path) {
    auto& wanted = wanted_[static_cast<std::size_t>(slot)];
    wanted.iconPath = path;
    wanted.smallIcon = useList_ == kSmallStyle;
    if (Visible()) ApplyIcon(slot);
}

// Items that change places take their icons along: no look-up, no blank box. A look-up still out
// answers for the slot it was asked for, so it is asked again for the slot its item went to. The
// captions stay with their labels and are redrawn with their new text.
void ListWindowWin32::ShiftSlots(int from, int to) {
    int low = std::min(from, to);
    int high = std::max(from, to);
    std::array<UniqueIcon, kSlotCount> icons;
    std::array<std::string, kSlotCount> labelTexts;
    for (int slot = low; slot <= high; ++slot) {
        auto i = static_cast<std::size_t>(slot);
        if (lookUps_[i] != 0) {
            iconService_.Cancel(lookUps_[i]);
            lookUps_[i] = 0;
            shown_[i].iconPath.clear();
        }
        icons[i] = icons_[i].TakeIcon();
        labelTexts[i] = std::move(shown_[i].caption);
    }
    RotateSlots(wanted_, from, to);
    RotateSlots(shown_, from, to);
    RotateSlots(icons, from, to);
    for (int slot = low; slot <= high; ++slot) {
        auto i = static_cast<std::size_t>(slot);
        shown_[i].caption = std::move(labelTexts[i]);
        icons_[i].SetIcon(std::move(icons[i]));
        if (Visible()) {
            ApplyCaption(slot);
            ApplyIcon(slot);
        }
    }
}

void ListWindowWin32::ShowEmptyHint(bool shown) {
    emptyHintWanted_ = shown;  // shown once the window is made
    if (!emptyHint_.Window()) return;
    if (!shown) {
        ShowWindow(emptyHint_.Window(), SW_HIDE);
        return;
    }
    // The first row's empty caption and icon box would cover the hint; they come back with the
    // first item, which finds them showing nothing.
    ShowWindow(captions_[0].Window(), SW_HIDE);
    ShowWindow(icons_[0].Window(), SW_HIDE);
    captions_[0].SetCaption("");
    iconService_.Cancel(lookUps_[0]);
    lookUps_[0] = 0;
    icons_[0].SetIcon(UniqueIcon());
    shown_[0] = SlotContent{};
    ShowWindow(emptyHint_.Window(), SW_SHOWNA);
}

void ListWindowWin32::ShowTargetMissing(int slot, bool missing) {
    captions_[static_cast<std::size_t>(slot)].SetDimmed(missing);
    icons_[static_cast<std::size_t>(slot)].SetDimmed(missing);
    Notify(EVENT_OBJECT_STATECHANGE, ItemChildId(slot));
}

void ListWindowWin32::ApplyCaption(int slot) {
    const SlotContent& wanted = wanted_[static_cast<std::size_t>(slot)];
    SlotContent& shown = shown_[static_cast<std::size_t>(slot)];
    auto& label = captions_[static_cast<std::size_t>(slot)];
    if (label.Window() && wanted.caption != shown.caption) {
        // Drawn once, by the paint below. Held by the label rather than by WM_SETREDRAW, which
        // under Wine costs two round trips to the server per caption.
        label.HoldDrawing(true);
        label.SetCaption(wanted.caption);
        label.HoldDrawing(false);
        // Its own style bit: in a hidden window every label reads as hidden.
        if (!(GetWindowLongPtrW(label.Window(), GWL_STYLE) & WS_VISIBLE)) {
            ShowWindow(label.Window(), SW_SHOWNA);
        }
        // A shorter caption leaves the old glow outside the new text block: repaint the box. A
        // hidden window is painted whole as it shows.
        if (Visible()) {
            InvalidateRect(label.Window(), nullptr, TRUE);
            UpdateWindow(label.Window());
        }
        shown.caption = wanted.caption;
        Notify(EVENT_OBJECT_NAMECHANGE, ItemChildId(slot));
        if (slot == announcedSlot_) announcedSlot_ = -1;  // another item stands there now
    }
}

// The icon comes from the look-up service; the box stays empty until it answers, unless the cache
// holds the icon. A slot given another path first drops the old look-up, so a late answer never
// lands in the wrong slot or tab.
void ListWindowWin32::ApplyIcon(int slot) {
    const SlotContent& wanted = wanted_[static_cast<std::size_t>(slot)];
    SlotContent& shown = shown_[static_cast<std::size_t>(slot)];
    auto& box = icons_[static_cast<std::size_t>(slot)];
    int side = ItemIconPixels(wanted.smallIcon, Dpi());
    if (!box.Window() || (wanted.iconPath == shown.iconPath &&
                          wanted.smallIcon == shown.smallIcon && side == shown.iconSide)) {
        return;
    }
    auto& lookUp = lookUps_[static_cast<std::size_t>(slot)];
    iconService_.Cancel(lookUp);
    lookUp = 0;
    overdue_[static_cast<std::size_t>(slot)] = false;
    box.SetIconSide(side);
    box.SetIcon(UniqueIcon());
    shown.iconPixels.clear();
    shown.refresh = false;
    if (!wanted.iconPath.empty()) {
        ShowWindow(box.Window(), SW_SHOWNA);
        const std::string* cached =
            iconCache_ ? iconCache_->Find(wanted.iconPath, side, Dpi()) : nullptr;
        if (cached) {
            // Drawn from the cache at once. Its look-up goes out once the window is drawn (a
            // timer's message comes after every paint), and replaces the icon if it changed.
            box.SetIcon(IconFromPixels(*cached, side));
            shown.refresh = true;
            SetTimer(hwnd_, kIconRefreshTimer, USER_TIMER_MINIMUM, nullptr);
        } else {
            RequestIcon(slot, wanted.iconPath, side);
        }
    }
    shown.iconPath = wanted.iconPath;
    shown.smallIcon = wanted.smallIcon;
    shown.iconSide = side;
}

void ListWindowWin32::RequestIcon(int slot, const std::string& path, int side) {
    lookUps_[static_cast<std::size_t>(slot)] = iconService_.Request(
        {path, side},
        [this, slot, path](IconAnswer answer) { IconArrived(slot, path, std::move(answer)); });
    // One timer for the whole batch, restarted by each request.
    SetTimer(hwnd_, kGenericIconTimer, kGenericIconDelayMs, nullptr);
}

void ListWindowWin32::RefreshIcons() {
    KillTimer(hwnd_, kIconRefreshTimer);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        SlotContent& shown = shown_[static_cast<std::size_t>(slot)];
        if (!shown.refresh) continue;
        shown.refresh = false;
        RequestIcon(slot, shown.iconPath, shown.iconSide);
    }
}

void ListWindowWin32::IconArrived(int slot, const std::string& path, IconAnswer answer) {
    auto i = static_cast<std::size_t>(slot);
    lookUps_[i] = 0;
    overdue_[i] = false;
    if (iconCache_) {
        SlotContent& shown = shown_[i];
        std::string pixels = IconPixels(answer.icon.Get(), shown.iconSide);
        // A cached icon (what the box shows, if the cache has one) the shell still draws the
        // same stays as it is drawn.
        const std::string* cached = iconCache_->Find(shown.iconPath, shown.iconSide, Dpi());
        bool same = cached && !pixels.empty() && pixels == *cached && icons_[i].Icon();
        shown.iconPixels = std::move(pixels);
        if (!same) icons_[i].SetIcon(std::move(answer.icon));
    } else {
        icons_[i].SetIcon(std::move(answer.icon));
    }
    // The ticket keeps the answer to its slot; the path check keeps it to the item, should the
    // slot have been given another while the window was hidden. Unknown changes nothing.
    ListModel& model = logic_.Model();
    if (model.Occupied(slot) && model.Path(slot) == path) {
        model.SetTargetFound(slot, {answer.target, std::move(answer.standIn)});
    }
    // Nothing left to wait for: no timer wakes the program at rest.
    if (std::all_of(lookUps_.begin(), lookUps_.end(), [](auto t) { return t == 0; })) {
        KillTimer(hwnd_, kGenericIconTimer);
        if (iconCache_ && Visible()) {
            keepIcons_ = SetTimer(hwnd_, kIconCacheTimer, kIconCacheDelayMs, nullptr) != 0;
        }
    }
}

void ListWindowWin32::KeepIcons() {
    KillTimer(hwnd_, kIconCacheTimer);
    keepIcons_ = false;
    // A look-up asked for since is still to answer: the cache waits for it.
    if (!iconCache_ || !Visible() || !IconsSettled()) return;
    std::vector<CachedIcon> icons;
    for (const SlotContent& shown : shown_) {
        if (!shown.iconPath.empty() && !shown.iconPixels.empty()) {
            icons.push_back({shown.iconPath, shown.iconSide, shown.iconPixels});
        }
    }
    iconCache_->Keep(Dpi(), std::move(icons));
}

bool ListWindowWin32::IconsSettled() const {
    return !keepIcons_ &&
           std::all_of(lookUps_.begin(), lookUps_.end(), [](auto t) { return t == 0; }) &&
           std::none_of(shown_.begin(), shown_.end(), [](const auto& s) { return s.refresh; });
}

void ListWindowWin32::ShowGenericIcons() {
    KillTimer(hwnd_, kGenericIconTimer);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        auto& box = icons_[static_cast<std::size_t>(slot)];
        if (lookUps_[static_cast<std::size_t>(slot)] == 0) continue;
        overdue_[static_cast<std::size_t>(slot)] = true;
        if (!box.Icon()) box.SetIcon(GenericIcon(shown_[static_cast<std::size_t>(slot)].iconSide));
    }
}

void ListWindowWin32::CancelIconLookUps() {
    for (auto& lookUp : lookUps_) {
        iconService_.Cancel(lookUp);
        lookUp = 0;
    }
    for (SlotContent& shown : shown_) shown.refresh = false;
    overdue_.fill(false);
}

bool ListWindowWin32::LookUpOverdue(int slot) const {
    return overdue_[static_cast<std::size_t>(slot)];
}

void ListWindowWin32::PumpMessages() {
    PumpPendingMessages();
}

void ListWindowWin32::ShowTabCaption(int k, const std::string& caption) {
    auto& tab = tabs_[static_cast<std::size_t>(k)];
    bool renamed = tab.Caption() != caption;
    tab.SetCaption(caption);
    tab.Refresh();
    if (renamed) Notify(EVENT_OBJECT_NAMECHANGE, TabChildId(k));
}

int ListWindowWin32::TabWidthTwips(int k) {
    RECT rect{};
    GetWindowRect(tabs_[static_cast<std::size_t>(k)].Window(), &rect);
    return PixelsToTwips(rect.right - rect.left, Dpi());
}

void ListWindowWin32::MoveTab(int k, int leftTwips) {
    SetWindowPos(tabs_[static_cast<std::size_t>(k)].Window(), nullptr, ToPixels(leftTwips), 0, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ListWindowWin32::ShowCurrentTab(int k) {
    for (int tab = 0; tab < kTabCount; ++tab) {
        tabs_[static_cast<std::size_t>(tab)].SetMarked(tab == k || tab == focusedTab_);
    }
    if (hwnd_ && onTabShown) onTabShown(k);
    if (k == markedTab_) return;
    markedTab_ = k;
    Notify(EVENT_OBJECT_SELECTION, TabChildId(k));
    Notify(EVENT_OBJECT_NAMECHANGE, CHILDID_SELF);  // the list is named for its tab
}

}  // namespace vantry
