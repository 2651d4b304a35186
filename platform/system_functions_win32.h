#pragma once
// Functions of system DLLs that Windows does not always take from its own folder (dwmapi,
// uxtheme, oleacc), and functions that older systems lack, are looked up at run time, here and
// nowhere else. They are loaded from System32 only, so a look-alike DLL beside a portable copy of
// the program is never loaded. The program imports at load time only the DLLs listed under the
// KnownDLLs registry key, plus common controls, which its manifest redirects.

#include <windows.h>
// <dwmapi.h>, <oleacc.h> and <uxtheme.h> need the types of <windows.h> first; they are included for
// their types only: calling their functions directly would import their DLLs again.
#include <dwmapi.h>
#include <ole2.h>
#include <oleacc.h>
#include <uxtheme.h>

namespace vantry {

// Limits every later LoadLibrary of the process, the system's and our own, to System32. The
// program's first act; a no-op on a system without SetDefaultDllDirectories.
void RestrictDllSearchToSystem32();

// The address of a function of a DLL in System32, or null where the system has no such DLL or
// function. The DLL stays loaded for the life of the process.
void* SystemFunction(const wchar_t* dll, const char* name);

template <typename Fn>
Fn SystemFunctionAs(const wchar_t* dll, const char* name) {
    return reinterpret_cast<Fn>(SystemFunction(dll, name));
}

// The DWM and visual-style functions the program uses. Without them (the DLL failed to load)
// they fail as the system does when composition or visual styles are off.
namespace sys {

HRESULT DwmExtendFrameIntoClientArea(HWND window, const MARGINS* margins);
HRESULT DwmSetWindowAttribute(HWND window, DWORD attribute, LPCVOID value, DWORD size);
HTHEME OpenThemeData(HWND window, LPCWSTR classList);
HRESULT CloseThemeData(HTHEME theme);
HRESULT DrawThemeTextEx(HTHEME theme, HDC context, int partId, int stateId, LPCWSTR text,
                        int length, DWORD flags, LPRECT rect, const DTTOPTS* options);

// The accessibility functions of oleacc. Without them WM_GETOBJECT is left to the system and the
// calls fail with E_NOTIMPL.
LRESULT LresultFromObject(REFIID iid, WPARAM wParam, IUnknown* object);
HRESULT AccessibleObjectFromWindow(HWND window, DWORD objectId, REFIID iid, void** object);

}  // namespace sys

// IAccessible's interface id, our own: a statically linked IID_IAccessible of the mingw-w64
// libraries may resolve to an import from oleacc.dll.
inline constexpr IID kIID_IAccessible = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

}  // namespace vantry
