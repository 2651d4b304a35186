// The list window's drop target for its own items: follows the drag over gaps and tab labels and
// keeps the drop for the window. Moving the item is the window's.

#include "app/list/list_drop_target_win32.h"

#include "app/list/item_drag_win32.h"

namespace vantry {

ComPtr<ListDropTarget> ListDropTarget::Create(HWND window, ListDragHost& host) {
    ComPtr<ListDropTarget> target;
    target.Attach(new ListDropTarget(window, host));
    return target;
}

void ListDropTarget::Show(const DragPlace& place) {
    if (place == shown_) return;
    shown_ = place;
    host_.ShowPlace(place);
}

// Copy is the only effect both the drag offers and says nothing moves: the item's file stays.
DWORD ListDropTarget::Follow(POINTL point) {
    if (slot_ < 0) return DROPEFFECT_NONE;
    Show(host_.PlaceAt({point.x, point.y}));
    return shown_.kind == DragPlace::Kind::None ? DROPEFFECT_NONE : DROPEFFECT_COPY;
}

HRESULT ListDropTarget::DragEnter(IDataObject* data, DWORD, POINTL point, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    slot_ = -1;
    auto item = ReadDraggedItem(data);
    if (item && item->process == GetCurrentProcessId() && item->source == window_) {
        slot_ = item->slot;
    }
    *effect = Follow(point);
    return S_OK;
}

HRESULT ListDropTarget::DragOver(DWORD, POINTL point, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    *effect = Follow(point);
    return S_OK;
}

HRESULT ListDropTarget::DragLeave() {
    Show({});
    slot_ = -1;
    return S_OK;
}

HRESULT ListDropTarget::Drop(IDataObject*, DWORD, POINTL point, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    *effect = Follow(point);
    // Carried out by the window once the drag loop has returned: its saves and reload pump
    // messages, which must not run inside the loop.
    if (*effect != DROPEFFECT_NONE) dropped_ = ListDrop{slot_, shown_};
    Show({});
    slot_ = -1;
    return S_OK;
}

std::optional<ListDrop> ListDropTarget::TakeDrop() {
    auto drop = dropped_;
    dropped_.reset();
    return drop;
}

}  // namespace vantry
