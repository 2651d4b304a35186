#pragma once
// Hooks a window into one shared window procedure that hands every message to the window's
// owner first. The previous procedure lives in the window property "FA_ExWndProcPtr", the owner
// in the user-data slot (GWLP_USERDATA); both are pointer-sized on x64.

#include <windows.h>

#include "platform/subclass.h"

namespace vantry {

extern const wchar_t kPrevProcProperty[];  // L"FA_ExWndProcPtr"

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

// Records the window's current procedure, installs SubclassProc and stores the owner. Hooking a
// window twice would record SubclassProc as its own predecessor; owners guard against that.
void InstallSubclass(HWND window, FA_Handler* owner);

// Restores the recorded procedure and removes the property. A window without the property (never
// hooked, or unhooked already) is left alone. The user-data slot is not cleared.
void RemoveSubclass(HWND window);

}  // namespace vantry
