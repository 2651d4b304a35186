#pragma once
// What every COM object of ours with a single interface does alike: QueryInterface for that
// interface and IUnknown, and a reference count whose last Release frees the object. It is made
// on the heap holding the one reference its creator owns.

#include <windows.h>
// unknwn.h needs the types of windows.h first.
#include <unknwn.h>

namespace vantry {

template <class Interface, const IID& kInterfaceId>
class ComObject : public Interface {
  public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kInterfaceId)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    LONG References() const { return references_; }

  protected:
    ComObject() = default;
    virtual ~ComObject() = default;

  private:
    LONG references_ = 1;
};

}  // namespace vantry
