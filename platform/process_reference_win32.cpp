#include "platform/process_reference_win32.h"

// unknwn.h needs the types of windows.h first.
#include <unknwn.h>

#include <atomic>

#include "platform/message_pump_win32.h"

namespace vantry {

// shlwapi.h declares it only for Windows 8 and later builds; shcore exports it from Windows 8,
// which every Windows this program runs on is.
extern "C" __declspec(dllimport) void __stdcall SetProcessReference(IUnknown* reference);

// Free-threaded, as SetProcessReference asks: extensions add and release it on their own threads.
// The program holds one reference of its own; each Release that leaves only that one wakes the
// waiter.
class ProcessReference::Object final : public IUnknown {
  public:
    Object() : released_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
    ~Object() {
        if (released_) CloseHandle(released_);
    }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown)) return E_NOINTERFACE;
        *object = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --references_;
        if (left == 1 && released_) SetEvent(released_);
        if (left == 0) delete this;
        return left;
    }

    bool Held() const { return references_ > 1; }
    HANDLE Released() const { return released_; }

  private:
    std::atomic<ULONG> references_{1};
    HANDLE released_;
};

ProcessReference::ProcessReference() : object_(new Object) {
    SetProcessReference(object_);
}

ProcessReference::~ProcessReference() {
    SetProcessReference(nullptr);
    object_->Release();
}

bool ProcessReference::Held() const {
    return object_->Held();
}

void ProcessReference::WaitUntilReleased() {
    HANDLE released = object_->Released();
    // Without the event (it could not be made), a look every so often.
    PumpWhileEnding([this] { return Held(); }, released, released ? INFINITE : 200);
}

}  // namespace vantry
