#include "platform/push_button_accessible_win32.h"

#include "platform/text_win32.h"

namespace vantry {

HRESULT PushButtonAccessible::Check(const VARIANT& child) const {
    if (!window_) return RPC_E_DISCONNECTED;
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF ? S_OK : E_INVALIDARG;
}

HRESULT PushButtonAccessible::get_accChildCount(long* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return window_ ? S_OK : RPC_E_DISCONNECTED;
}

HRESULT PushButtonAccessible::get_accChild(VARIANT, IDispatch** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    return window_ ? E_INVALIDARG : RPC_E_DISCONNECTED;
}

HRESULT PushButtonAccessible::get_accName(VARIANT child, BSTR* name) {
    if (!Cleared(name)) return E_POINTER;
    if (HRESULT checked = Check(child); checked != S_OK) return checked;
    return Text(WindowText(window_), name);
}

HRESULT PushButtonAccessible::get_accDescription(VARIANT child, BSTR* description) {
    if (!Cleared(description)) return E_POINTER;
    if (HRESULT checked = Check(child); checked != S_OK) return checked;
    return Text(std::string(), description);
}

HRESULT PushButtonAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    VariantInit(role);
    if (HRESULT checked = Check(child); checked != S_OK) return checked;
    SetChildId(role, ROLE_SYSTEM_PUSHBUTTON);
    return S_OK;
}

HRESULT PushButtonAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (!state) return E_POINTER;
    VariantInit(state);
    if (HRESULT checked = Check(child); checked != S_OK) return checked;
    LONG bits = 0;
    if (!IsWindowVisible(window_)) bits |= STATE_SYSTEM_INVISIBLE;
    if (!IsWindowEnabled(window_)) bits |= STATE_SYSTEM_UNAVAILABLE;
    if (GetWindowLongPtrW(window_, GWL_STYLE) & WS_TABSTOP) bits |= STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == window_) bits |= STATE_SYSTEM_FOCUSED;
    SetChildId(state, bits);
    return S_OK;
}

HRESULT PushButtonAccessible::get_accFocus(VARIANT* child) {
    if (!child) return E_POINTER;
    VariantInit(child);
    if (!window_) return RPC_E_DISCONNECTED;
    if (GetFocus() != window_) return S_FALSE;
    SetChildId(child, CHILDID_SELF);
    return S_OK;
}

HRESULT PushButtonAccessible::get_accSelection(VARIANT* children) {
    if (children) VariantInit(children);
    return window_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}

HRESULT PushButtonAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (!Cleared(action)) return E_POINTER;
    if (HRESULT checked = Check(child); checked != S_OK) return checked;
    return Text("Press", action);
}

HRESULT PushButtonAccessible::accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) {
    if (!Cleared(left, top, width, height)) return E_POINTER;
    if (HRESULT checked = Check(child); checked != S_OK) return checked;
    return PutLocation(ScreenRect(window_), left, top, width, height);
}

HRESULT PushButtonAccessible::accHitTest(long x, long y, VARIANT* child) {
    if (!child) return E_POINTER;
    VariantInit(child);
    if (!window_) return RPC_E_DISCONNECTED;
    RECT rect = ScreenRect(window_);
    if (!PtInRect(&rect, POINT{x, y})) return S_FALSE;
    SetChildId(child, CHILDID_SELF);
    return S_OK;
}

HRESULT PushButtonAccessible::accDoDefaultAction(VARIANT child) {
    if (HRESULT checked = Check(child); checked != S_OK) return checked;
    // Posted: the click runs once the tool's call has returned (it may close the window).
    PostMessageW(window_, BM_CLICK, 0, 0);
    return S_OK;
}

}  // namespace vantry
