#include "app/list_window_win32.h"

#include <algorithm>

#include "platform/dpi_win32.h"
#include "platform/message_pump_win32.h"
#include "platform/units.h"
#include "store/file_icons_win32.h"
#include "store/taskbar_height.h"

// Implemented: both layouts, placement above the taskbar of the window's monitor, tabs, items
// with shell icons at the size the DPI calls for, the bottom bar, glass on first activation,
// closing, laying out again on WM_DPICHANGED, shrinking to fit a monitor too small for it.

namespace vantry {

namespace {

constexpr UINT kCatchUpMessage = WM_APP + 1;

const wchar_t* ClassName(const ListLayout& layout) {
    return layout.smallIcons ? L"VantrySmallList" : L"VantryLargeList";
}

}  // namespace

ListWindowWin32::ListWindowWin32(const ListLayout& layout, const std::string& useList,
                                 ItemFiles& files, UserDialogs& dialogs, AppServices& app,
                                 ActionGuard& guard)
    : layout_(layout),
      useList_(useList),
      logic_(layout.styleWord, useList, files, dialogs, *this, app, guard) {}

ListWindowWin32::~ListWindowWin32() {
    Close();
}

bool ListWindowWin32::Create() {
    // No caption text and no title bar: the whole client area becomes glass.
    if (!CreateForm(ClassName(layout_), L"", WS_POPUP | WS_DLGFRAME | WS_CLIPCHILDREN,
                    WS_EX_APPWINDOW, kListClientWidth, layout_.clientHeight, nullptr)) {
        return false;
    }
    const ListRects rects = ListWindowRects(layout_);
    for (int k = 0; k < kTabCount; ++k) {
        auto& tab = tabs_[static_cast<std::size_t>(k)];
        CreateCaption(tab, hwnd_, ChildRect(rects.tabs[static_cast<std::size_t>(k)]), Dpi(),
                      {kDefaultTabName, true, true});
        tab.onClick = [this, k] { logic_.TabClick(k); };
    }
    for (int i = 0; i < kSlotCount; ++i) {
        auto& caption = captions_[static_cast<std::size_t>(i)];
        CreateCaption(caption, hwnd_, ChildRect(rects.captions[static_cast<std::size_t>(i)]), Dpi(),
                      {"", layout_.captionAutoSize, true});
        caption.onClick = [this, i] { logic_.ItemClick(i); };
        caption.onMouseDown = [this, i](const MouseEventArgs& args) {
            logic_.ItemMouseDown(i, args.button);
        };
        auto& icon = icons_[static_cast<std::size_t>(i)];
        RECT box = ChildRect(rects.icons[static_cast<std::size_t>(i)]);
        icon.Create(hwnd_, box.left, box.top, box.right - box.left);
        icon.onClick = [this, i] { logic_.ItemClick(i); };
        icon.onMouseDown = [this, i](int button) { logic_.ItemMouseDown(i, button); };
    }
    bar_ = CreateStrip(hwnd_, ChildRect(rects.bar));
    CreateCaption(dropTarget_, bar_, ChildRect(rects.dropTarget), Dpi(),
                  {"Drop Target", false, true});
    CreateCaption(config_, bar_, ChildRect(rects.config), Dpi(), {"Config", false, true});
    CreateCaption(close_, bar_, ChildRect(rects.close), Dpi(), {"Close", false, true});
    dropTarget_.onClick = [this] { logic_.DropTargetClick(); };
    config_.onClick = [this] { logic_.ConfigClick(); };
    close_.onClick = [this] { logic_.CloseClick(); };
    PlaceAboveTaskbar();
    return true;
}

void ListWindowWin32::PlaceAboveTaskbar() {
    RECT outer;
    GetWindowRect(hwnd_, &outer);
    MonitorAreas areas = MonitorAreasOf(hwnd_, nullptr);
    const RECT& monitor = areas.monitor;
    const RECT& work = areas.work;
    int taskbar = TwipsToPixels(
        TaskbarHeightFrom(monitor.bottom - monitor.top, work.bottom - monitor.top, MonitorDpi()),
        MonitorDpi());
    int top = monitor.bottom - (outer.bottom - outer.top) - taskbar;
    // A window shrunk to fit a narrow monitor moves left rather than off its right edge.
    int left = std::max<int>(work.left,
                             std::min<int>(work.left + TwipsToPixels(kListScreenLeft, MonitorDpi()),
                                           work.right - (outer.right - outer.left)));
    SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ListWindowWin32::FollowDpiChange(const RECT& suggested) {
    // The suggested rectangle tells the monitor; the window's place on it is its own rule's.
    RedrawOnce redraw(hwnd_);
    FitToMonitor(&suggested);
    LayOutChildren();
    PlaceAboveTaskbar();
}

void ListWindowWin32::LayOutChildren() {
    const ListRects rects = ListWindowRects(layout_);
    for (int k = 0; k < kTabCount; ++k) {
        auto& tab = tabs_[static_cast<std::size_t>(k)];
        PlaceChild(tab.Window(), ChildRect(rects.tabs[static_cast<std::size_t>(k)]));
        tab.SetDpi(Dpi());
    }
    for (int i = 0; i < kSlotCount; ++i) {
        auto& caption = captions_[static_cast<std::size_t>(i)];
        PlaceChild(caption.Window(), ChildRect(rects.captions[static_cast<std::size_t>(i)]));
        caption.SetDpi(Dpi());
        PlaceChild(icons_[static_cast<std::size_t>(i)].Window(),
                   ChildRect(rects.icons[static_cast<std::size_t>(i)]));
        // Icons on show are fetched again at the new size (the window reads as hidden while
        // its drawing is held, so Visible() cannot tell); the others wait for the catch-up.
        if (!shown_[static_cast<std::size_t>(i)].iconPath.empty()) ApplyIcon(i);
    }
    PlaceChild(bar_, ChildRect(rects.bar));
    for (auto [label, rect] :
         {std::pair{&dropTarget_, rects.dropTarget}, std::pair{&config_, rects.config},
          std::pair{&close_, rects.close}}) {
        PlaceChild(label->Window(), ChildRect(rect));
        label->SetDpi(Dpi());
    }
    logic_.UpdateTabs();
}

void ListWindowWin32::Close() {
    if (!hwnd_) return;
    // Unhooked on the close request, then once more while the window goes (a no-op then).
    RemoveSubclass(hwnd_);
    DestroyForm();
}

LRESULT ListWindowWin32::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CLOSE:
            // Closed from outside (Alt+F4, the taskbar): end the program as "Close" does, rather
            // than leave it running without a window the user can reach.
            logic_.CloseClick();
            return 0;
        case WM_SHOWWINDOW:
            if (wParam) {
                for (auto& tab : tabs_) tab.Show();
                for (auto& caption : captions_) caption.Show();
                dropTarget_.Show();
                config_.Show();
                close_.Show();
            }
            break;
        case kCatchUpMessage:
            for (int slot = 0; slot < kSlotCount; ++slot) {
                ApplyCaption(slot);
                ApplyIcon(slot);
            }
            return 0;
        case WM_DESTROY:
            RemoveSubclass(hwnd_);
            return 0;
        default:
            break;
    }
    return GlassForm::HandleMessage(msg, wParam, lParam);
}

// While the window is hidden its slots only record what they should show; the window catches up
// when it is shown. Start-up and every style switch load the hidden windows, then show one and
// empty and reload it at once, so most of that catching up is never needed.
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

void ListWindowWin32::ApplyCaption(int slot) {
    const SlotContent& wanted = wanted_[static_cast<std::size_t>(slot)];
    SlotContent& shown = shown_[static_cast<std::size_t>(slot)];
    auto& label = captions_[static_cast<std::size_t>(slot)];
    if (label.Window() && wanted.caption != shown.caption) {
        label.SetCaption(wanted.caption);
        ShowWindow(label.Window(), SW_SHOWNA);
        // A shorter caption leaves the old glow outside the new text block: repaint the box.
        InvalidateRect(label.Window(), nullptr, TRUE);
        label.Refresh();
        shown.caption = wanted.caption;
    }
}

void ListWindowWin32::ApplyIcon(int slot) {
    const SlotContent& wanted = wanted_[static_cast<std::size_t>(slot)];
    SlotContent& shown = shown_[static_cast<std::size_t>(slot)];
    auto& box = icons_[static_cast<std::size_t>(slot)];
    int side = ItemIconPixels(wanted.smallIcon, Dpi());
    if (box.Window() && (wanted.iconPath != shown.iconPath || wanted.smallIcon != shown.smallIcon ||
                         side != shown.iconSide)) {
        box.SetIconSide(side);
        box.SetIcon(wanted.iconPath.empty() ? UniqueIcon()
                                            : LoadFileIconAtSize(wanted.iconPath, side));
        if (!wanted.iconPath.empty()) ShowWindow(box.Window(), SW_SHOWNA);
        shown.iconPath = wanted.iconPath;
        shown.smallIcon = wanted.smallIcon;
        shown.iconSide = side;
    }
}

void ListWindowWin32::PumpMessages() {
    PumpPendingMessages();
}

void ListWindowWin32::ShowTabCaption(int k, const std::string& caption) {
    auto& tab = tabs_[static_cast<std::size_t>(k)];
    tab.SetCaption(caption);
    tab.Refresh();
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

void ListWindowWin32::SetVisible(bool visible) {
    if (!hwnd_) return;
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
    // Caught up from the message loop, after whatever the caller does next.
    if (visible) PostMessageW(hwnd_, kCatchUpMessage, 0, 0);
}

bool ListWindowWin32::Visible() const {
    return hwnd_ && IsWindowVisible(hwnd_);
}

}  // namespace vantry
