#pragma once
// The handler side of window subclassing: an object that hooks its window sees every raw
// message first and decides whether the window's previous procedure gets it too. The hooking
// itself is platform code (subclass_win32.h); this header stays free of <windows.h> so owners
// can be described by portable code.

#include <cstdint>

namespace vantry {

// Opaque window handle (HWND on Windows).
using NativeWindow = void*;

class FA_Handler {
  public:
    // Non-zero passes the message on to the previous window procedure; zero consumes it and
    // the window procedure returns 0.
    virtual int32_t FA_Handler_WndProc(NativeWindow hwnd, uint32_t uMsg, uintptr_t wParam,
                                       intptr_t lParam) = 0;

  protected:
    ~FA_Handler() = default;
};

}  // namespace vantry
