#include "platform/glass_frame.h"
#include "platform/system_functions_win32.h"

namespace vantry {

void ExtendGlassFrame(NativeWindow window, int16_t top, int16_t bottom, int16_t left,
                      int16_t right) {
    MARGINS margins{};
    margins.cxLeftWidth = left;
    margins.cxRightWidth = right;
    margins.cyTopHeight = top;
    margins.cyBottomHeight = bottom;
    // Fails without composition; the window then stays opaque, which is all we can do.
    sys::DwmExtendFrameIntoClientArea(static_cast<HWND>(window), &margins);
}

}  // namespace vantry
