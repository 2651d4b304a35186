#include <windows.h>

#include "platform/dpi_win32.h"
#include "store/taskbar_height.h"

namespace vantry {

int16_t TaskbarHeight() {
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    return TaskbarHeightFrom(GetSystemMetrics(SM_CYSCREEN), workArea.bottom, WindowDpi(nullptr));
}

}  // namespace vantry
