// The list window's drop target: follows its own items and other programs' files over gaps and
// tab labels, keeps an item's drop for the window and hands files over at once. Moving the item
// and storing the files are the window's.

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

// Copy is the only effect both the item's drag offers and says nothing moves: the item's file
// stays; dropped files, too, are only named in the list.
DWORD ListDropTarget::Follow(POINTL point) {
    // While another action runs a drop would be ignored: saying so lets the source keep its data.
    if (dragged_ == Dragged::Nothing || (dragged_ == Dragged::Files && host_.Busy())) {
        Show({});
        return DROPEFFECT_NONE;
    }
    Show(host_.PlaceAt({point.x, point.y}, dragged_ == Dragged::OwnItem));
    return shown_.kind == DragPlace::Kind::None ? DROPEFFECT_NONE : DROPEFFECT_COPY;
}

HRESULT ListDropTarget::DragEnter(IDataObject* data, DWORD, POINTL point, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    slot_ = -1;
    dragged_ = Dragged::Files;
    // Any other drag is taken as files, as "Drop Here" takes it: one without a file list is
    // told so on the drop.
    if (auto item = ReadDraggedItem(data)) {
        bool own = item->process == GetCurrentProcessId() && item->source == window_;
        dragged_ = own ? Dragged::OwnItem : Dragged::Nothing;
        slot_ = own ? item->slot : -1;
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
    dragged_ = Dragged::Nothing;
    slot_ = -1;
    return S_OK;
}

HRESULT ListDropTarget::Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    *effect = Follow(point);
    const DragPlace place = shown_;
    const Dragged dragged = dragged_;
    const int slot = slot_;
    Show({});
    dragged_ = Dragged::Nothing;
    slot_ = -1;
    if (*effect == DROPEFFECT_NONE) return S_OK;
    if (dragged == Dragged::OwnItem) {
        // Carried out by the window once the drag loop has returned: its saves pump messages,
        // which must not run inside the loop.
        dropped_ = ListDrop{slot, place};
        return S_OK;
    }
    // No exception may cross into OLE's drag loop; a failure here is a failed drop.
    try {
        *effect = host_.TakeFiles(data, place) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    } catch (...) {
        *effect = DROPEFFECT_NONE;
        return E_UNEXPECTED;
    }
}

std::optional<ListDrop> ListDropTarget::TakeDrop() {
    auto drop = dropped_;
    dropped_.reset();
    return drop;
}

}  // namespace vantry
