#include "app/list/list_window_win32.h"

#include <algorithm>

#include "app/list/taskbar_placement_win32.h"
#include "platform/dpi_win32.h"
#include "platform/message_pump_win32.h"
#include "platform/text_win32.h"
#include "platform/units.h"
#include "store/taskbar_height.h"

// The list window itself: both layouts, its controls made when it is first shown, placement above
// the taskbar of its monitor (shrunk to fit one too small), laying out again on WM_DPICHANGED,
// glass on first activation, its messages, closing, and what assistive tools read of it
// (list_accessible_win32). Slots and tabs are list_window_slots_win32.cpp's; keys, presses and
// tips list_window_input_win32.cpp's; item drags list_window_drag_win32.cpp's.

namespace vantry {

namespace {

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
        caption.onClick = [this, i] { ItemClick(i); };
        caption.onMouseDown = [this, i](const MouseEventArgs& args) {
            ItemMouseDown(i, args.button);
        };
        caption.onMouseUp = [this, i](const MouseEventArgs& args) { ItemMouseUp(i, args.button); };
        caption.onDragStart = [this, i] { StartItemDrag(i); };
        auto& icon = icons_[static_cast<std::size_t>(i)];
        RECT box = ChildRect(rects.icons[static_cast<std::size_t>(i)]);
        icon.Create(hwnd_, box.left, box.top, box.right - box.left);
        icon.onClick = [this, i] { ItemClick(i); };
        icon.onMouseDown = [this, i](int button) { ItemMouseDown(i, button); };
        icon.onMouseUp = [this, i](int button) { ItemMouseUp(i, button); };
        icon.onDragStart = [this, i] { StartItemDrag(i); };
    }
    // The hint stands where the first item would, sized to its text; it takes no input.
    CreateCaption(emptyHint_, hwnd_, ChildRect(rects.emptyHint), Dpi(),
                  {kEmptyTabHint, true, false});
    emptyHint_.SetForeColor(kEmptyHintColour);
    emptyHint_.SetGlowSize(layout_.hintGlowSize);
    emptyHint_.SetUseHover(false);
    emptyHint_.SetEnabled(false);
    ShowWindow(emptyHint_.Window(), SW_HIDE);
    bar_ = CreateStrip(hwnd_, ChildRect(rects.bar));
    CreateCaption(dropTarget_, bar_, ChildRect(rects.dropTarget), Dpi(),
                  {"Drop Target", false, true});
    CreateCaption(config_, bar_, ChildRect(rects.config), Dpi(), {"Config", false, true});
    CreateCaption(close_, bar_, ChildRect(rects.close), Dpi(), {"Close", false, true});
    for (DWM_Label* button : {&dropTarget_, &config_, &close_}) button->MakeAccessibleButton();
    for (DWM_Label* button : {&dropTarget_, &config_, &close_}) {
        // Tab, Shift+Tab and Esc go on from the caption that holds the focus.
        button->onKeyDown = [this](unsigned key) { OnKey(key); };
    }
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
    // Files from other programs may come at any time, so the target is there from the start;
    // under Wine registering it commits about a megabyte.
    dropRegistration_ = std::make_unique<ListDropRegistration>(
        hwnd_, ListDropTarget::Create(hwnd_, static_cast<ListDragHost&>(*this)));
    PlaceAboveTaskbar();
    return true;
}

void ListWindowWin32::PlaceAboveTaskbar() {
    if (taskbarPointer_ && PlaceAtTaskbarUnder(hwnd_, *taskbarPointer_)) return;
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
        case WM_SYSKEYDOWN:
        case WM_SYSCHAR:
        case WM_CHAR:
        case WM_SETFOCUS:
            if (OnKeyboardMessage(msg, wParam)) return 0;
            break;
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
        case WM_TIMER:
            if (wParam == kIconCacheTimer) {
                KeepIcons();
                return 0;
            }
            if (wParam == kIconRefreshTimer) {
                RefreshIcons();
                return 0;
            }
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
            if (onTabShown) onTabShown(-1);
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

void ListWindowWin32::SetVisible(bool visible) {
    if (!hwnd_ && !made_) {
        // Made when first shown: most runs never show the other style's window, and making its
        // 49 controls cost start-up about an eighth of its time. Until then it only records what
        // it should show; the tab names are shown now, and the slots catch up below.
        if (!visible || !Create()) return;
        logic_.ShowTabs();
        if (emptyHintWanted_) ShowEmptyHint(true);
    }
    if (!hwnd_) return;  // closed
    HWND active = GetActiveWindow();
    HWND focus = GetFocus();
    if (visible && !Visible()) {
        // Caught up while still hidden, where nothing is drawn: showing paints every slot once.
        for (int slot = 0; slot < kSlotCount; ++slot) {
            ApplyCaption(slot);
            ApplyIcon(slot);
        }
    }
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
}

bool ListWindowWin32::Visible() const {
    return hwnd_ && IsWindowVisible(hwnd_);
}

}  // namespace vantry
