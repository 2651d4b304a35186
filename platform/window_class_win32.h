#pragma once
// Registers one of the program's window classes the first time it is asked for: an arrow
// cursor, the given background and icon, and one pointer-sized extra slot for the owner object
// (GWLP_USERDATA is left to the shared subclassing hook).

#include <windows.h>

namespace vantry {

void RegisterWindowClassOnce(const wchar_t* className, WNDPROC procedure, HBRUSH background,
                             HICON icon = nullptr);

}  // namespace vantry
