#pragma once
// A window that acts as a push button but is not the system's "Button" (a caption drawn by the
// program), as assistive tools see it: a push button named by its window text, whose default
// action "Press" posts BM_CLICK to it. The system's own button object would fit on Windows, but
// Wine exports CreateStdAccessibleProxyW only as a stub that ends the process.

#include "platform/accessible_object_win32.h"

namespace vantry {

class PushButtonAccessible final : public AccessibleObject {
  public:
    using AccessibleObject::AccessibleObject;

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;

  private:
    // S_OK for the button itself (it has no children), else why not.
    HRESULT Check(const VARIANT& child) const;
};

}  // namespace vantry
