// A list window's items dragged: within the list to another slot, onto another tab's label, or
// out to other programs as a file. One OLE drag serves all three; the window's own drop target
// follows it over the window and keeps where it was dropped. Files dragged in from other
// programs land through the same target, at the same places.

#include <algorithm>

#include "app/dropped_paths_win32.h"
#include "app/list/item_drag_win32.h"
#include "app/list/list_window_win32.h"
#include "platform/units.h"

namespace vantry {

namespace {

// The mark's thickness at 96 dpi.
constexpr int kMarkPixels = 4;

}  // namespace

void ListWindowWin32::StartItemDrag(int slot) {
    const ListModel& model = logic_.Model();
    if (!model.Occupied(slot) || !dropRegistration_) return;
    std::optional<ListDrop> drop;
    {
        // One action at a time: no drop, click or reload runs while the item is held.
        auto scope = logic_.Guard().TryEnter();
        if (!scope) return;
        ReleaseDragData();
        dragData_ = CreateItemData(model.PathInUse(slot), {GetCurrentProcessId(), hwnd_, slot});
        ListDropTarget& target = *dropRegistration_->Target();
        const std::function<bool()> plainCursor = [&target] { return target.Hovering(); };
        DWORD effect = DROPEFFECT_NONE;
        RunItemDrag(dragData_.Get(), plainCursor, &effect);
        drop = target.TakeDrop();
    }
    if (!drop || drop->slot != slot) return;
    if (drop->place.kind == DragPlace::Kind::Gap) {
        // The mark stands above the slot the item goes to; below its own slot, the item's
        // leaving moves that slot up by one.
        int gap = drop->place.index;
        logic_.MoveItem(slot, gap > slot ? gap - 1 : gap);
    } else if (drop->place.kind == DragPlace::Kind::Tab) {
        logic_.MoveItemToTab(slot, drop->place.index);
    }
}

// A target in another process (the file manager among them) may read the data after the drag
// loop has returned: the object is kept until the next drag or the window's close, which cut off
// whoever still holds it rather than leave it calling into a program that has gone.
void ListWindowWin32::ReleaseDragData() {
    if (!dragData_) return;
    CoDisconnectObject(dragData_.Get(), 0);
    dragData_.Reset();
}

bool ListWindowWin32::TakeFiles(IDataObject* data, const DragPlace& place) {
    Win32DropProbe probe;
    bool onTab = place.kind == DragPlace::Kind::Tab;
    // On a tab's label: its end, the current tab's too.
    return logic_.DropFiles(ReadDropData(data), probe, onTab ? place.index : logic_.Model().List,
                            onTab ? kEndOfTab : place.index);
}

DragPlace ListWindowWin32::PlaceAt(POINT screen, bool ownItem) {
    const ListModel& model = logic_.Model();
    for (int k = 0; k < kTabCount; ++k) {
        RECT tab{};
        GetWindowRect(tabs_[static_cast<std::size_t>(k)].Window(), &tab);
        if (!PtInRect(&tab, screen)) continue;
        if ((ownItem && k == model.List) || logic_.TabName(k).empty()) return {};
        return {DragPlace::Kind::Tab, k};
    }
    POINT point = screen;
    ScreenToClient(hwnd_, &point);
    RECT client{};
    GetClientRect(hwnd_, &client);
    const ListRects rects = ListWindowRects(layout_);
    int barTop = ChildRect(rects.bar).top;
    if (!PtInRect(&client, point) || point.y < ChildRect(rects.captions[0]).top ||
        point.y >= barTop) {
        return {};
    }
    // Each row's upper half puts the item above it, its lower half below it; under the last
    // item, the item goes last.
    int gap = kSlotCount;
    for (int i = 0; i < kSlotCount; ++i) {
        int top = ChildRect(rects.captions[static_cast<std::size_t>(i)]).top;
        int next = i + 1 < kSlotCount
                       ? ChildRect(rects.captions[static_cast<std::size_t>(i + 1)]).top
                       : barTop;
        if (point.y < next) {
            gap = point.y < (top + next) / 2 ? i : i + 1;
            break;
        }
    }
    return {DragPlace::Kind::Gap, std::min(gap, model.OccupiedCount())};
}

void ListWindowWin32::ShowPlace(const DragPlace& place) {
    if (litTab_ >= 0) tabs_[static_cast<std::size_t>(litTab_)].SetFocusMark(false);
    litTab_ = -1;
    if (place.kind != DragPlace::Kind::Gap) insertMark_.Hide();
    if (place.kind == DragPlace::Kind::Tab) {
        litTab_ = place.index;
        tabs_[static_cast<std::size_t>(litTab_)].SetFocusMark(true);
        return;
    }
    if (place.kind != DragPlace::Kind::Gap) return;
    const ListRects rects = ListWindowRects(layout_);
    // The line between the row above and the row below; after a full list, below its last row.
    int y = place.index < kSlotCount
                ? ChildRect(rects.captions[static_cast<std::size_t>(place.index)]).top
                : ChildRect(rects.captions[kSlotCount - 1]).top + ToPixels(layout_.rowStep);
    int thickness = ScaleFrom96(kMarkPixels, Dpi());
    RECT client{};
    GetClientRect(hwnd_, &client);
    int left = ChildRect(rects.icons[0]).left;
    insertMark_.ShowAt(
        {left, y - thickness / 2, client.right - left, y - thickness / 2 + thickness});
}

}  // namespace vantry
