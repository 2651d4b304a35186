#pragma once
// The drop window's OLE drop target: a drop's file list, read by dropped_paths_win32, is handed
// to the portable DropIntake. Not here: drag-over feedback of our own (the drop window reacts to
// the drop only), drops of other formats.

#include <windows.h>
// ole2.h needs the types of windows.h first.
#include <ole2.h>

#include "app/drop/drop_intake.h"
#include "app/drop_registration_win32.h"
#include "platform/com_object_win32.h"

namespace vantry {

class DropTarget final : public ComObject<IDropTarget, IID_IDropTarget> {
  public:
    // A new target holding one reference, which the caller owns.
    static ComPtr<DropTarget> Create(DropIntake& intake);

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point,
                                   DWORD* effect) override;

  private:
    explicit DropTarget(DropIntake& intake) : intake_(intake) {}
    ~DropTarget() = default;
    DWORD Effect() const;

    DropIntake& intake_;
    bool listItem_ = false;  // the drag over the window is an item of a list window
};

}  // namespace vantry
