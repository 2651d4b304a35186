#pragma once
// What our Active Accessibility objects share: reference counting (ComObject), IDispatch without
// type information, outputs cleared before any call can fail, the calls none of them supports,
// the window's frame as parent, and the cut-off when their window goes. A tool may hold an object
// longer than its window lives; once disconnected every call fails with RPC_E_DISCONNECTED and
// nothing of the window is read.

#include <windows.h>
// <oleacc.h> needs the types of <windows.h> and <ole2.h> first.
#include <ole2.h>
#include <oleacc.h>

#include <string>

#include "platform/com_object_win32.h"
#include "platform/system_functions_win32.h"

namespace vantry {

class AccessibleObject : public ComObject<IAccessible, kIID_IAccessible> {
  public:
    explicit AccessibleObject(HWND window) : window_(window) {}

    // The window is going: the object no longer reads it, and remote tools are cut off.
    void Disconnect();

    // IUnknown: IAccessible is an IDispatch too.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    // IDispatch: tools call IAccessible directly; there is no type information to give.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;
    // What every object answers the same way.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

  protected:
    ~AccessibleObject() override = default;

    // A tool frees what a call hands back, even from a failed call: outputs are cleared first.
    // False when the output pointer is missing.
    static bool Cleared(BSTR* out);
    static bool Cleared(long* left, long* top, long* width, long* height);
    // An answer of text; S_FALSE with no string where there is none.
    static HRESULT Text(const std::wstring& text, BSTR* out);
    static HRESULT Text(const std::string& utf8, BSTR* out);
    static void SetChildId(VARIANT* out, LONG id);
    // The window's rectangle on screen.
    static RECT ScreenRect(HWND window);
    // accLocation's answer for a rectangle on screen.
    static HRESULT PutLocation(const RECT& rect, long* left, long* top, long* width, long* height);

    HWND window_;  // null once disconnected
};

// The answer to WM_GETOBJECT for an object the window holds; 0 when there is none to give.
LRESULT AnswerGetObject(WPARAM wParam, AccessibleObject* object);

// Whether WM_GETOBJECT's lParam asks for the client area. OBJID_CLIENT arrives as a 32-bit
// value: negative, but not sign-extended on x64.
inline bool AsksForClient(LPARAM lParam) {
    return static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT;
}

}  // namespace vantry
