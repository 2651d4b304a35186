#pragma once
// The list window as a drop target: for its own items, and for files dragged from other programs.
// Either is followed over the window (the insertion mark between slots, or a tab label lit). An
// item's drop is kept for the window to carry out once its drag loop has ended; files are handed
// to the window during the drop, while their data lasts. Items of the other list window or of
// another copy of the program are refused: they are in a list already.

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
    // ownItem: one of the window's items, which never lands on the current tab's label; files
    // may go there, to the end of the tab.
    virtual DragPlace PlaceAt(POINT screen, bool ownItem) = 0;
    // Shows the insertion mark or lights the tab; Kind::None shows neither.
    virtual void ShowPlace(const DragPlace& place) = 0;
    // Files dropped at place; whether any were stored.
    virtual bool TakeFiles(IDataObject* data, const DragPlace& place) = 0;
    // Another action runs: a drop now would be ignored.
    virtual bool Busy() = 0;
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
    // What is being dragged over the window.
    enum class Dragged { Nothing, OwnItem, Files };
    // The drop made since the last call, if any.
    std::optional<ListDrop> TakeDrop();

  private:
    ListDropTarget(HWND window, ListDragHost& host) : window_(window), host_(host) {}
    ~ListDropTarget() = default;
    DWORD Follow(POINTL point);
    void Show(const DragPlace& place);

    HWND window_;
    ListDragHost& host_;
    Dragged dragged_ = Dragged::Nothing;
    int slot_ = -1;  // the dragged slot while an item of this window is over it
    DragPlace shown_;
    std::optional<ListDrop> dropped_;
};

using ListDropRegistration = DropRegistration<ListDropTarget>;

}  // namespace vantry
