#pragma once
// A list window on screen: the large list (`Form2`) or the small list (`Form2a`), one
// implementation with two layouts. It shows what ListWindow decides and forwards its events.

#include <windows.h>
#include <wrl/client.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "app/glass_form_win32.h"
#include "app/list/icon_box_win32.h"
#include "app/list/insert_mark_win32.h"
#include "app/list/list_accessible_win32.h"
#include "app/list/list_drop_target_win32.h"
#include "app/list/list_window.h"
#include "app/window_layouts.h"
#include "controls/theme_label_win32.h"
#include "platform/shell_menu_win32.h"
#include "platform/tooltip_win32.h"
#include "store/icon_cache.h"
#include "store/icon_service_win32.h"

namespace vantry {

class ListWindowWin32 final : public GlassForm, public ListWindowView, private ListDragHost {
  public:
    ListWindowWin32(const ListLayout& layout, const std::string& useList, ItemFiles& files,
                    UserDialogs& dialogs, AppServices& app, ActionGuard& guard, IconService& icons);
    ~ListWindowWin32() override;

    // Closes the window: unhooked on the request and again while closing.
    void Close();
    // The program started with the pointer there, on a taskbar: the window opens against that
    // taskbar, centred on the pointer, then and after every change of DPI.
    void OpenAtTaskbar(POINT pointer) { taskbarPointer_ = pointer; }
    // Told which tab the window shows, once it has a window (before it is first shown) and at
    // every switch; -1 as the window is destroyed. The taskbar groups the window by its tab.
    std::function<void(int k)> onTabShown;

    // Draws the items' icons from the cache until their look-ups answer, and keeps the icons the
    // window shows there once they have all answered. Without it every icon waits for its look-up.
    void UseIconCache(IconCache* cache) { iconCache_ = cache; }
    // No look-up is out and no icon is waiting to go into the cache.
    bool IconsSettled() const;

    ListWindow& Logic() { return logic_; }
    DWM_Label& ItemCaption(int slot) { return captions_[static_cast<std::size_t>(slot)]; }
    IconBox& ItemIcon(int slot) { return icons_[static_cast<std::size_t>(slot)]; }
    DWM_Label& Tab(int k) { return tabs_[static_cast<std::size_t>(k)]; }
    DWM_Label& DropTargetCaption() { return dropTarget_; }
    DWM_Label& ConfigCaption() { return config_; }
    DWM_Label& CloseCaption() { return close_; }

    // ListWindowView
    void ShowCaption(int slot, const std::string& caption) override;
    void ShowIcon(int slot, const std::string& path) override;
    void ShowEmptyHint(bool shown) override;
    void ShowTargetMissing(int slot, bool missing) override;
    void ShiftSlots(int from, int to) override;
    void PumpMessages() override;
    void ShowTabCaption(int k, const std::string& caption) override;
    int TabWidthTwips(int k) override;
    void MoveTab(int k, int leftTwips) override;
    void SetVisible(bool visible) override;
    bool Visible() const override;
    void ShowFocus(int slot) override;
    void ShowCurrentTab(int k) override;
    void ShowStop(ListKeyboard::Stop stop, int k) override;
    bool LookUpOverdue(int slot) const override;

    // Where an item, or files from another program, dragged over the window would land, in
    // screen coordinates.
    DragPlace PlaceAt(POINT screen, bool ownItem) override;
    // The window's drop target, registered when the window is made.
    const ListDropRegistration* Registration() const { return dropRegistration_.get(); }

    // A slot whose icon look-up has not answered this long shows the generic icon until it does.
    static constexpr UINT kGenericIconDelayMs = 2000;
    static constexpr UINT_PTR kGenericIconTimer = 1;
    // The cache is written this long after the last look-up of a load answered: after the icons
    // are drawn, and not at all when a click ends the program first.
    static constexpr UINT kIconCacheDelayMs = 250;
    static constexpr UINT_PTR kIconCacheTimer = 2;
    static constexpr UINT_PTR kIconRefreshTimer = 3;

  private:
    // What a slot shows: its caption and the icon of a path at one size.
    struct SlotContent {
        std::string caption;
        std::string iconPath;
        bool smallIcon = false;
        int iconSide = 0;        // pixels; only what is shown has one
        std::string iconPixels;  // the look-up's icon, when there is a cache to keep it in
        bool refresh = false;    // drawn from the cache, its look-up not asked for yet
    };

    // Creates the hidden window and its controls, placed above the taskbar of its monitor (made
    // smaller where it would not fit there), hooked.
    bool Create();
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void LayOutChildren() override;
    void FollowDpiChange(const RECT& suggested) override;
    // Against the taskbar the program was started from, or above the bottom of the work area at
    // the left.
    void PlaceAboveTaskbar();
    // Bring the slot's caption or icon to what it should show, where they differ. Each applies
    // only its own half: a caption set before the matching icon must not fetch the slot's old
    // icon from the shell only to have it replaced a moment later.
    void ApplyCaption(int slot);
    void ApplyIcon(int slot);
    // The keyboard's messages, and WM_SETFOCUS; false for what the window leaves to the system.
    bool OnKeyboardMessage(UINT msg, WPARAM wParam);
    // A key pressed, with or without Alt; false for keys the window does not use.
    bool OnKey(WPARAM key);
    void OnChar(WPARAM character);
    static ListKeyboard::Modifiers HeldModifiers();
    // The window that holds the system's focus while the keyboard is at that stop.
    HWND StopWindow(ListKeyboard::Stop stop) const;
    // A press on an item; with Shift, the right button's press does nothing and its release
    // opens the shell's menu for the item, as a file manager does.
    void ItemMouseDown(int slot, int button);
    void ItemMouseUp(int slot, int button);
    // A click on an item, in the mode of the keys held with it (HeldLaunchMode).
    void ItemClick(int slot);
    // Ctrl+Shift runs the item as administrator, Ctrl shows it in its folder.
    static LaunchMode HeldLaunchMode();
    void ShowShellMenu(int slot, POINT at);
    // What a tip says for a child: an item's full path, a tab's whole name.
    std::string TipText(HWND child) const;
    // A left press on the slot's caption or icon moved beyond the drag distance: the item is
    // dragged (list_window_drag_win32.cpp), then moved where it was dropped in the window.
    void StartItemDrag(int slot);
    void ShowPlace(const DragPlace& place) override;
    bool TakeFiles(IDataObject* data, const DragPlace& place) override;
    bool Busy() override { return logic_.Guard().Busy(); }
    void ReleaseDragData();
    void RequestIcon(int slot, const std::string& path, int side);
    // The look-ups of the icons drawn from the cache.
    void RefreshIcons();
    void IconArrived(int slot, const std::string& path, IconAnswer answer);
    void ShowGenericIcons();
    void CancelIconLookUps();
    // Puts the icons the window shows into the cache.
    void KeepIcons();
    // WM_GETOBJECT for the client area: the object assistive tools read, made on the first ask.
    LRESULT AccessibleClient(WPARAM wParam);
    // Tells assistive tools that the list or one of its children changed.
    void Notify(DWORD event, LONG childId) const;

    const ListLayout& layout_;
    const std::string& useList_;
    IconService& iconService_;
    IconCache* iconCache_ = nullptr;
    bool keepIcons_ = false;  // the cache timer runs
    ListWindow logic_;
    std::array<DWM_Label, kTabCount> tabs_;
    std::array<DWM_Label, kSlotCount> captions_;
    std::array<IconBox, kSlotCount> icons_;
    std::array<SlotContent, kSlotCount> wanted_;
    std::array<SlotContent, kSlotCount> shown_;
    int focusSlot_ = -1;        // the caption that shows the keyboard focus
    int markedTab_ = -1;        // the tab label that shows the current tab
    int focusedTab_ = -1;       // the tab label that shows the keyboard's focus
    bool sysKeyTaken_ = false;  // the last Alt key was the window's: its WM_SYSCHAR is not a menu's
    bool made_ = false;         // its window is made once, when first shown
    bool emptyHintWanted_ = false;  // the tab is empty: the hint shows once the window is made
    int announcedSlot_ = -1;        // the item assistive tools were last told has the focus
    Microsoft::WRL::ComPtr<ListAccessible> accessible_;
    std::array<IconService::Ticket, kSlotCount> lookUps_{};  // 0: the slot's icon is in place
    std::array<bool, kSlotCount> overdue_{};  // still looking up when the generic icons came
    HWND bar_ = nullptr;
    DWM_Label dropTarget_;
    DWM_Label config_;
    DWM_Label close_;
    DWM_Label emptyHint_;
    Tooltip tooltip_;
    ShellMenu shellMenu_;
    InsertMark insertMark_;
    int litTab_ = -1;  // the tab label lit under a dragged item
    std::unique_ptr<ListDropRegistration> dropRegistration_;
    ComPtr<IDataObject> dragData_;  // the last item dragged, for targets that read it late
    std::optional<POINT> taskbarPointer_;
};

}  // namespace vantry
