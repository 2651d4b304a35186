#pragma once
// The drop window's OLE drop target. Implemented: CF_HDROP file lists read in order, shell
// links resolved one level through the ShellLink object, hidden and system items treated as
// absent, the drop handed to the portable DropIntake. Not here: drag-over feedback of our own
// (the drop window reacts to the drop only), drops of other formats.

#include <windows.h>
// ole2.h and shlobj.h need the types of windows.h first.
#include <ole2.h>
#include <wrl/client.h>

#include <utility>

#include "app/drop/drop_intake.h"
#include "platform/com_object_win32.h"

namespace vantry {

template <typename T>
using ComPtr = Microsoft::WRL::ComPtr<T>;

// OLE on the calling thread for the owner's lifetime; drag and drop and shell links need it.
class OleSession {
  public:
    OleSession() : initialized_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (initialized_) OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    bool Initialized() const { return initialized_; }

  private:
    bool initialized_;
};

// File attributes and shell links, as the intake asks for them.
class Win32DropProbe : public DropProbe {
  public:
    Probed<Kind> Look(const std::string& path) override;
    Probed<std::string> ResolveShortcut(const std::string& path) override;
};

// The file list the data object carries as CF_HDROP; hasFileList is false without one.
DroppedFiles ReadDropData(IDataObject* data);

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

// A window's drop target, registered for the owner's lifetime: RegisterDragDrop on
// construction, RevokeDragDrop on destruction. OLE must be initialised on the thread.
template <class T>
class DropRegistration {
  public:
    DropRegistration(HWND window, ComPtr<T> target)
        : window_(window),
          target_(std::move(target)),
          result_(RegisterDragDrop(window, target_.Get())) {}
    ~DropRegistration() {
        if (Registered()) RevokeDragDrop(window_);
    }
    DropRegistration(const DropRegistration&) = delete;
    DropRegistration& operator=(const DropRegistration&) = delete;

    // The HRESULT of RegisterDragDrop.
    HRESULT Result() const { return result_; }
    bool Registered() const { return SUCCEEDED(result_); }
    T* Target() const { return target_.Get(); }

  private:
    HWND window_;
    ComPtr<T> target_;
    HRESULT result_;
};

}  // namespace vantry
