#pragma once
// OLE drag and drop for the program's windows: OLE on the calling thread, and a window's drop
// target registered for the owner's lifetime. The drop window and the list windows both register
// through it; what each target takes is its own.

#include <windows.h>
// ole2.h needs the types of windows.h first.
#include <ole2.h>
#include <wrl/client.h>

#include <utility>

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
