#include "app/list/list_window_win32.h"

#include <algorithm>

#include "platform/dpi_win32.h"
#include "platform/message_pump_win32.h"
#include "platform/text_win32.h"
#include "platform/units.h"
#include "store/taskbar_height.h"

// Implemented: both layouts, placement above the taskbar of the window's monitor, tabs, items
// with shell icons at the size the DPI calls for (looked up off the window thread, the generic
// icon while one is slow), the keyboard, tooltips, dragging items, the empty tab's hint, the bottom
// bar, glass on first activation, closing, laying out again on WM_DPICHANGED, shrinking to fit a
// monitor too small for it, items whose target is missing dimmed (checked with the icon), what
// assistive tools read (list_accessible_win32) and the events they follow.

namespace vantry {

namespace {

constexpr UINT kCatchUpMessage = WM_APP + 1;
constexpr uint32_t kEmptyHintColour = 0x00707070;  // faint beside the black captions

const wchar_t* ClassName(const ListLayout& layout) {
    return layout.smallIcons ? L"VantrySmallList" : L"VantryLargeList";
}

}  // namespace

ListWindowWin32::ListWindowWin32(const ListLayout& layout, const std::string& useList,
                                 ItemFiles& files, UserDialogs& dialogs, AppServices& app,
                                 ActionGuard& guard, IconService& icons)
    : GlassForm(WindowKind::List),
      layout_(layout),
      useList_(useList),
      iconService_(icons),
      logic_(layout.styleWord, useList, files, dialogs, *this, app, guard) {}

ListWindowWin32::~ListWindowWin32() {
    Close();
}

bool ListWindowWin32::Create() {
    made_ = true;
    // No title bar: the whole client area becomes glass. The title names the window on the
    // taskbar and in the Alt+Tab list.
    if (!CreateForm(ClassName(layout_), L"Vantry", WS_POPUP | WS_DLGFRAME | WS_CLIPCHILDREN,
                    WS_EX_APPWINDOW, kListClientWidth, layout_.clientHeight)) {
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
            ItemMouseDown(i, args.button);
        };
        caption.onDragStart = [this, i] { StartItemDrag(i); };
        auto& icon = icons_[static_cast<std::size_t>(i)];
        RECT box = ChildRect(rects.icons[static_cast<std::size_t>(i)]);
        icon.Create(hwnd_, box.left, box.top, box.right - box.left);
        icon.onClick = [this, i] { logic_.ItemClick(i); };
        icon.onMouseDown = [this, i](int button) { ItemMouseDown(i, button); };
        icon.onDragStart = [this, i] { StartItemDrag(i); };
    }
    // The hint stands where the first item would, sized to its text; it takes no input.
    CreateCaption(emptyHint_, hwnd_, ChildRect(rects.emptyHint), Dpi(),
                  {kEmptyTabHint, true, false});
    emptyHint_.SetForeColor(kEmptyHintColour);
    emptyHint_.SetUseHover(false);
    emptyHint_.SetEnabled(false);
    ShowWindow(emptyHint_.Window(), SW_HIDE);
    bar_ = CreateStrip(hwnd_, ChildRect(rects.bar));
    CreateCaption(dropTarget_, bar_, ChildRect(rects.dropTarget), Dpi(),
                  {"Drop Target", false, true});
    CreateCaption(config_, bar_, ChildRect(rects.config), Dpi(), {"Config", false, true});
    CreateCaption(close_, bar_, ChildRect(rects.close), Dpi(), {"Close", false, true});
    for (DWM_Label* button : {&dropTarget_, &config_, &close_}) button->MakeAccessibleButton();
    dropTarget_.onClick = [this] { logic_.DropTargetClick(); };
    config_.onClick = [this] { logic_.ConfigClick(); };
    close_.onClick = [this] { logic_.CloseClick(); };
    tooltip_.Create(hwnd_);
    tooltip_.textFor = [this](HWND child) { return TipText(child); };
    for (int i = 0; i < kSlotCount; ++i) {
        tooltip_.AddTool(captions_[static_cast<std::size_t>(i)].Window());
        tooltip_.AddTool(icons_[static_cast<std::size_t>(i)].Window());
    }
    for (auto& tab : tabs_) tooltip_.AddTool(tab.Window());
    insertMark_.Create(hwnd_);
    PlaceAboveTaskbar();
    return true;
}

std::string ListWindowWin32::TipText(HWND child) const {
    const ListModel& model = logic_.Model();
    for (int i = 0; i < kSlotCount; ++i) {
        auto index = static_cast<std::size_t>(i);
        if (child == captions_[index].Window() || child == icons_[index].Window()) {
            if (!model.Occupied(i)) return {};
            return model.TargetMissing(i) ? model.Path(i) + " (not found)" : model.Path(i);
        }
    }
    for (int k = 0; k < kTabCount; ++k) {
        if (child == tabs_[static_cast<std::size_t>(k)].Window()) return logic_.TabName(k);
    }
    return {};
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
    PlaceChild(emptyHint_.Window(), ChildRect(rects.emptyHint));
    emptyHint_.SetDpi(Dpi());
    PlaceChild(bar_, ChildRect(rects.bar));
    for (auto [label, rect] :
         {std::pair{&dropTarget_, rects.dropTarget}, std::pair{&config_, rects.config},
          std::pair{&close_, rects.close}}) {
        PlaceChild(label->Window(), ChildRect(rect));
        label->SetDpi(Dpi());
    }
    logic_.UpdateTabs();
}

// Unhooked before the window goes (DestroyForm); the rest is let go of in WM_DESTROY, which a
// close from outside the program reaches too.
void ListWindowWin32::Close() {
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
                emptyHint_.Show();
            }
            break;
        case WM_KEYDOWN:
            if (OnKey(wParam)) return 0;
            break;
        case WM_SYSKEYDOWN:
            // F10 is a system key: Shift+F10 comes this way.
            if (wParam == VK_F10 && OnKey(wParam)) return 0;
            break;
        case WM_CHAR:
            OnChar(wParam);
            return 0;
        case WM_INITMENUPOPUP:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_MENUCHAR: {
            LRESULT result = 0;
            if (shellMenu_.Forward(msg, wParam, lParam, result)) return result;
            break;
        }
        case WM_NOTIFY:
            if (tooltip_.HandleNotify(*reinterpret_cast<const NMHDR*>(lParam))) return 0;
            break;
        case WM_KILLFOCUS:
            tooltip_.ShowFocusTip(nullptr);
            break;
        case kCatchUpMessage:
            for (int slot = 0; slot < kSlotCount; ++slot) {
                ApplyCaption(slot);
                ApplyIcon(slot);
            }
            return 0;
        case WM_TIMER:
            if (wParam != kGenericIconTimer) break;
            ShowGenericIcons();
            return 0;
        case WM_GETOBJECT:
            if (AsksForClient(lParam)) {
                if (LRESULT answer = AccessibleClient(wParam)) return answer;
            }
            break;
        case kAccessibleActionMessage:
            ListAccessible::RunDefaultAction(logic_, wParam);
            return 0;
        case WM_DESTROY:
            CancelIconLookUps();
            dropRegistration_.reset();
            ReleaseDragData();
            RemoveSubclass(hwnd_);
            if (accessible_) accessible_->Disconnect();
            accessible_.Reset();
            return 0;
        default:
            break;
    }
    return GlassForm::HandleMessage(msg, wParam, lParam);
}

LRESULT ListWindowWin32::AccessibleClient(WPARAM wParam) {
    if (!accessible_) {
        ListChildWindows children;
        for (std::size_t i = 0; i < kSlotCount; ++i) {
            children.captions[i] = captions_[i].Window();
            children.icons[i] = icons_[i].Window();
        }
        for (std::size_t k = 0; k < kTabCount; ++k) children.tabs[k] = tabs_[k].Window();
        // Its one reference is the window's own.
        accessible_.Attach(new ListAccessible(hwnd_, logic_, children));
    }
    return AnswerGetObject(wParam, accessible_.Get());
}

void ListWindowWin32::Notify(DWORD event, LONG childId) const {
    if (!hwnd_) return;
    NotifyWinEvent(event, hwnd_, OBJID_CLIENT, childId);
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

void ListWindowWin32::ShowEmptyHint(bool shown) {
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
        if (!IsWindowVisible(label.Window())) ShowWindow(label.Window(), SW_SHOWNA);
        // A shorter caption leaves the old glow outside the new text block: repaint the box.
        InvalidateRect(label.Window(), nullptr, TRUE);
        UpdateWindow(label.Window());
        shown.caption = wanted.caption;
        Notify(EVENT_OBJECT_NAMECHANGE, ItemChildId(slot));
        if (slot == announcedSlot_) announcedSlot_ = -1;  // another item stands there now
    }
}

// The icon comes from the look-up service; the box stays empty until it answers. A slot given
// another path first drops the old look-up, so a late answer never lands in the wrong slot or tab.
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
    box.SetIconSide(side);
    box.SetIcon(UniqueIcon());
    if (!wanted.iconPath.empty()) {
        ShowWindow(box.Window(), SW_SHOWNA);
        lookUp = iconService_.Request({wanted.iconPath, side},
                                      [this, slot, path = wanted.iconPath](IconAnswer answer) {
                                          IconArrived(slot, path, std::move(answer));
                                      });
        // One timer for the whole batch, restarted by each request.
        SetTimer(hwnd_, kGenericIconTimer, kGenericIconDelayMs, nullptr);
    }
    shown.iconPath = wanted.iconPath;
    shown.smallIcon = wanted.smallIcon;
    shown.iconSide = side;
}

void ListWindowWin32::IconArrived(int slot, const std::string& path, IconAnswer answer) {
    lookUps_[static_cast<std::size_t>(slot)] = 0;
    icons_[static_cast<std::size_t>(slot)].SetIcon(std::move(answer.icon));
    // The ticket keeps the answer to its slot; the path check keeps it to the item, should the
    // slot have been given another while the window was hidden. Unknown changes nothing.
    ListModel& model = logic_.Model();
    if (answer.target != TargetState::Unknown && model.Occupied(slot) && model.Path(slot) == path) {
        model.SetTargetMissing(slot, answer.target == TargetState::Missing);
    }
    // Nothing left to wait for: no timer wakes the program at rest.
    if (std::all_of(lookUps_.begin(), lookUps_.end(), [](auto t) { return t == 0; })) {
        KillTimer(hwnd_, kGenericIconTimer);
    }
}

void ListWindowWin32::ShowGenericIcons() {
    KillTimer(hwnd_, kGenericIconTimer);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        auto& box = icons_[static_cast<std::size_t>(slot)];
        if (lookUps_[static_cast<std::size_t>(slot)] != 0 && !box.Icon()) {
            box.SetIcon(GenericIcon(shown_[static_cast<std::size_t>(slot)].iconSide));
        }
    }
}

void ListWindowWin32::CancelIconLookUps() {
    for (auto& lookUp : lookUps_) {
        iconService_.Cancel(lookUp);
        lookUp = 0;
    }
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

void ListWindowWin32::ShowShellMenu(int slot, POINT at) {
    const ListModel& model = logic_.Model();
    if (slot < 0 || !model.Occupied(slot)) return;
    // A copy: a command run from the menu may reload the list while it runs.
    const std::string path = model.Path(slot);
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

void ListWindowWin32::ShowCurrentTab(int k) {
    for (int tab = 0; tab < kTabCount; ++tab) {
        tabs_[static_cast<std::size_t>(tab)].SetMarked(tab == k);
    }
    if (k == markedTab_) return;
    markedTab_ = k;
    Notify(EVENT_OBJECT_SELECTION, TabChildId(k));
    Notify(EVENT_OBJECT_NAMECHANGE, CHILDID_SELF);  // the list is named for its tab
}

void ListWindowWin32::SetVisible(bool visible) {
    if (!hwnd_ && !made_) {
        // Made when first shown: most runs never show the other style's window, and making its
        // 49 controls cost start-up about an eighth of its time. Until then it only records what
        // it should show; the tab names are shown now, and the slots catch up below.
        if (!visible || !Create()) return;
        logic_.ShowTabs();
    }
    if (!hwnd_) return;  // closed
    HWND active = GetActiveWindow();
    HWND focus = GetFocus();
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
    if (!visible) return;
    if (active && active != hwnd_ && IsWindowVisible(active)) {
        // A style chosen in the drop or configuration window: the list has had its first
        // activation (its glass), and the keyboard goes back to where the user was.
        SetActiveWindow(active);
        if (IsWindow(focus)) SetFocus(focus);
    } else {
        // The glass handler takes the first activation from the system, which would have given
        // the window the keyboard focus: give it here.
        SetFocus(hwnd_);
    }
    // Caught up from the message loop, after whatever the caller does next.
    PostMessageW(hwnd_, kCatchUpMessage, 0, 0);
}

bool ListWindowWin32::Visible() const {
    return hwnd_ && IsWindowVisible(hwnd_);
}

}  // namespace vantry
