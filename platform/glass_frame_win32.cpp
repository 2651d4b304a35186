#include <windows.h>
// <dwmapi.h> needs the types of <windows.h> first.
#include <dwmapi.h>

#include "platform/glass_frame.h"

namespace vantry {

void ExtendGlassFrame(NativeWindow window, int16_t top, int16_t bottom, int16_t left,
                      int16_t right) {
    MARGINS margins{};
    margins.cxLeftWidth = left;
    margins.cxRightWidth = right;
    margins.cyTopHeight = top;
    margins.cyBottomHeight = bottom;
    // Fails without composition; the window then stays opaque, which is all we can do.
    DwmExtendFrameIntoClientArea(static_cast<HWND>(window), &margins);
}

}  // namespace vantry
