// The drop window's OLE drop target: it refuses drags of list items and hands the rest to the
// intake. Reading the drop data is dropped_paths_win32.cpp's.

#include "app/drop/drop_target_win32.h"

#include "app/dropped_paths_win32.h"
#include "app/list/item_drag_win32.h"

namespace vantry {

ComPtr<DropTarget> DropTarget::Create(DropIntake& intake) {
    ComPtr<DropTarget> target;
    target.Attach(new DropTarget(intake));
    return target;
}

DWORD DropTarget::Effect() const {
    // Every drag is accepted, one without a file list too: the drop itself tells the user what
    // could not be taken. While another action runs the drop would be ignored; saying so lets
    // the source keep its data instead of believing it was copied.
    // An item dragged out of a list is there already: taking it in would only double it.
    return intake_.Busy() || listItem_ ? DROPEFFECT_NONE : DROPEFFECT_COPY;
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    listItem_ = ReadDraggedItem(data).has_value();
    *effect = Effect();
    return S_OK;
}

HRESULT DropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    *effect = Effect();
    return S_OK;
}

HRESULT DropTarget::DragLeave() {
    return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    // No exception may cross into OLE's drag loop; a failure here is a failed drop.
    try {
        if (intake_.Busy() || ReadDraggedItem(data)) {
            *effect = DROPEFFECT_NONE;
            return S_OK;
        }
        Win32DropProbe probe;
        DropIntake::Outcome outcome = intake_.Drop(ReadDropData(data), probe);
        *effect = outcome == DropIntake::Outcome::Added ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    } catch (...) {
        *effect = DROPEFFECT_NONE;
        return E_UNEXPECTED;
    }
}

}  // namespace vantry
