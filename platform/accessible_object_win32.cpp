#include "platform/accessible_object_win32.h"

#include "platform/system_functions_win32.h"
#include "platform/text_win32.h"

namespace vantry {

void AccessibleObject::Disconnect() {
    window_ = nullptr;
    // Drops the references that marshalled copies hold; their tools' next calls fail.
    CoDisconnectObject(static_cast<IAccessible*>(this), 0);
}

HRESULT AccessibleObject::QueryInterface(REFIID iid, void** object) {
    if (object && IsEqualIID(iid, IID_IDispatch)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    return ComObject::QueryInterface(iid, object);
}

HRESULT AccessibleObject::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}
HRESULT AccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}
HRESULT AccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}
HRESULT AccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                 UINT*) {
    return E_NOTIMPL;
}

HRESULT AccessibleObject::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!window_) return RPC_E_DISCONNECTED;
    // The window's frame, which the system describes.
    return sys::AccessibleObjectFromWindow(window_, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                           reinterpret_cast<void**>(parent));
}

HRESULT AccessibleObject::get_accValue(VARIANT, BSTR* value) {
    if (value) *value = nullptr;
    return window_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}

HRESULT AccessibleObject::get_accHelp(VARIANT, BSTR* help) {
    if (help) *help = nullptr;
    return window_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}

HRESULT AccessibleObject::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return window_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}

HRESULT AccessibleObject::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) {
    if (shortcut) *shortcut = nullptr;
    return window_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}

HRESULT AccessibleObject::accSelect(long, VARIANT) {
    return window_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}

HRESULT AccessibleObject::accNavigate(long, VARIANT, VARIANT* end) {
    if (end) VariantInit(end);
    return window_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}

HRESULT AccessibleObject::put_accName(VARIANT, BSTR) {
    return window_ ? E_NOTIMPL : RPC_E_DISCONNECTED;
}

HRESULT AccessibleObject::put_accValue(VARIANT, BSTR) {
    return window_ ? E_NOTIMPL : RPC_E_DISCONNECTED;
}

bool AccessibleObject::Cleared(BSTR* out) {
    if (!out) return false;
    *out = nullptr;
    return true;
}

bool AccessibleObject::Cleared(long* left, long* top, long* width, long* height) {
    if (!left || !top || !width || !height) return false;
    *left = *top = *width = *height = 0;
    return true;
}

HRESULT AccessibleObject::Text(const std::wstring& text, BSTR* out) {
    if (!Cleared(out)) return E_POINTER;
    if (text.empty()) return S_FALSE;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT AccessibleObject::Text(const std::string& utf8, BSTR* out) {
    return Text(Widen(utf8), out);
}

void AccessibleObject::SetChildId(VARIANT* out, LONG id) {
    out->vt = VT_I4;
    out->lVal = id;
}

RECT AccessibleObject::ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

HRESULT AccessibleObject::PutLocation(const RECT& rect, long* left, long* top, long* width,
                                      long* height) {
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
}

LRESULT AnswerGetObject(WPARAM wParam, AccessibleObject* object) {
    LRESULT answer = sys::LresultFromObject(kIID_IAccessible, wParam, object);
    // A failure is a negative error code: the system's own object answers instead.
    return answer > 0 ? answer : 0;
}

}  // namespace vantry
