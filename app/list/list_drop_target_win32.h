#pragma once
// The list window as a drop target for its own items: a drag started on one of its slots is
// followed over the window (the insertion mark between slots, or a tab label lit), and its drop
// is kept for the window to carry out once the drag loop has ended. Drags of anything else, and
// items of another window or another copy of the program, are refused here.

#include <windows.h>
// ole2.h needs the types of windows.h first.
#include <ole2.h>

#include <optional>

#include "app/drop_registration_win32.h"
#include "platform/com_object_win32.h"

namespace vantry {

// Where a dragged item would land.
struct DragPlace {
    enum class Kind { None, Gap, Tab };
    Kind kind = Kind::None;
    int index = 0;  // Gap: the slot the mark stands above (0..n); Tab: the tab
    bool operator==(const DragPlace&) const = default;
};

// What the window tells and shows of a drag over it.
class ListDragHost {
  public:
    virtual ~ListDragHost() = default;
    virtual DragPlace PlaceAt(POINT screen) = 0;
    // Shows the insertion mark or lights the tab; Kind::None shows neither.
    virtual void ShowPlace(const DragPlace& place) = 0;
};

struct ListDrop {
    int slot = -1;
    DragPlace place;
};

class ListDropTarget final : public ComObject<IDropTarget, IID_IDropTarget> {
  public:
    // A new target holding one reference, which the caller owns.
    static ComPtr<ListDropTarget> Create(HWND window, ListDragHost& host);

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point,
                                   DWORD* effect) override;

    // An item of this window is over a place it would land on.
    bool Hovering() const { return slot_ >= 0 && shown_.kind != DragPlace::Kind::None; }
    // The drop made since the last call, if any.
    std::optional<ListDrop> TakeDrop();

  private:
    ListDropTarget(HWND window, ListDragHost& host) : window_(window), host_(host) {}
    ~ListDropTarget() = default;
    DWORD Follow(POINTL point);
    void Show(const DragPlace& place);

    HWND window_;
    ListDragHost& host_;
    int slot_ = -1;  // the dragged slot while an item of this window is over it
    DragPlace shown_;
    std::optional<ListDrop> dropped_;
};

using ListDropRegistration = DropRegistration<ListDropTarget>;

}  // namespace vantry
