#include "store/taskbar_height.h"

#include <algorithm>

#include "platform/rounding.h"
#include "platform/units.h"

namespace vantry {

int16_t TaskbarHeightFrom(int screenHeightPixels, int workAreaBottomPixels, int dpi) {
    double twipsPerPixel = static_cast<double>(kTwipsPerInch) / dpi;
    double screenTwips = screenHeightPixels * twipsPerPixel;
    double height = (screenTwips / twipsPerPixel - workAreaBottomPixels) * twipsPerPixel;
    return static_cast<int16_t>(std::clamp(RoundHalfEven(height), -32768.0, 32767.0));
}

}  // namespace vantry
