#pragma once
// An item dragged out of a list window. Implemented: the data object (the item as a file for
// other programs, CF_HDROP and the shell's item-id list, and a private format that names the
// item for Vantry's own windows), the drop source (Esc cancels, releasing the left button drops)
// and the drag itself, which offers copy and link only, never move, so the user's file stays
// where it is. Not here: a drag image.

#include <windows.h>
// ole2.h needs the types of windows.h first.
#include <ole2.h>

#include <functional>
#include <optional>
#include <string>

#include "app/drop_registration_win32.h"

namespace vantry {

// What the private format carries: which process and window started the drag, and from which
// slot.
struct DraggedItem {
    DWORD process = 0;
    HWND source = nullptr;
    int slot = -1;
};

// The item named by the private format, when the data object carries it.
std::optional<DraggedItem> ReadDraggedItem(IDataObject* data);

// A data object for the item at path (a file, a folder ending in "\" or a drive root).
ComPtr<IDataObject> CreateItemData(const std::string& path, const DraggedItem& item);

// Runs the drag loop until the item is dropped or the drag cancelled; returns DoDragDrop's
// result (DRAGDROP_S_DROP, DRAGDROP_S_CANCEL or a failure). plainCursor tells when the pointer
// is over a place that shows its own mark (the list itself): the arrow stands there instead of
// the copy cursor.
HRESULT RunItemDrag(IDataObject* data, const std::function<bool()>& plainCursor, DWORD* effect);

}  // namespace vantry
