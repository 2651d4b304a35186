#include "platform/system_functions_win32.h"

namespace vantry {

void RestrictDllSearchToSystem32() {
    // Windows 8 and later, and Windows 7 with KB2533623; looked up so that the program still
    // starts without it.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    auto setDirectories = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel32, "SetDefaultDllDirectories")));
    if (setDirectories) setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

void* SystemFunction(const wchar_t* dll, const char* name) {
    // An already loaded DLL (user32) comes back with one more reference, which is never given
    // back: nothing here is unloaded before the process ends.
    HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<void*>(GetProcAddress(module, name)) : nullptr;
}

namespace sys {

HRESULT DwmExtendFrameIntoClientArea(HWND window, const MARGINS* margins) {
    static const auto extend = SystemFunctionAs<decltype(&::DwmExtendFrameIntoClientArea)>(
        L"dwmapi.dll", "DwmExtendFrameIntoClientArea");
    return extend ? extend(window, margins) : E_NOTIMPL;
}

HRESULT DwmSetWindowAttribute(HWND window, DWORD attribute, LPCVOID value, DWORD size) {
    static const auto set = SystemFunctionAs<decltype(&::DwmSetWindowAttribute)>(
        L"dwmapi.dll", "DwmSetWindowAttribute");
    return set ? set(window, attribute, value, size) : E_NOTIMPL;
}

HTHEME OpenThemeData(HWND window, LPCWSTR classList) {
    static const auto open =
        SystemFunctionAs<decltype(&::OpenThemeData)>(L"uxtheme.dll", "OpenThemeData");
    return open ? open(window, classList) : nullptr;
}

HRESULT CloseThemeData(HTHEME theme) {
    static const auto close =
        SystemFunctionAs<decltype(&::CloseThemeData)>(L"uxtheme.dll", "CloseThemeData");
    return close ? close(theme) : E_NOTIMPL;
}

HRESULT DrawThemeTextEx(HTHEME theme, HDC context, int partId, int stateId, LPCWSTR text,
                        int length, DWORD flags, LPRECT rect, const DTTOPTS* options) {
    static const auto draw =
        SystemFunctionAs<decltype(&::DrawThemeTextEx)>(L"uxtheme.dll", "DrawThemeTextEx");
    return draw ? draw(theme, context, partId, stateId, text, length, flags, rect, options)
                : E_NOTIMPL;
}

LRESULT LresultFromObject(REFIID iid, WPARAM wParam, IUnknown* object) {
    static const auto make =
        SystemFunctionAs<decltype(&::LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
    return make ? make(iid, wParam, object) : E_NOTIMPL;
}

HRESULT AccessibleObjectFromWindow(HWND window, DWORD objectId, REFIID iid, void** object) {
    static const auto find = SystemFunctionAs<decltype(&::AccessibleObjectFromWindow)>(
        L"oleacc.dll", "AccessibleObjectFromWindow");
    return find ? find(window, objectId, iid, object) : E_NOTIMPL;
}

}  // namespace sys

}  // namespace vantry
