#pragma once
// Extends the compositor's glass frame into a window's client area. Margins are pixels in the
// order top, bottom, left, right; -1 on all four sides makes the whole client area glass.
// Without composition (Wine, composition off) the window simply keeps its own background.

#include <cstdint>

#include "platform/subclass.h"

namespace vantry {

void ExtendGlassFrame(NativeWindow window, int16_t top, int16_t bottom, int16_t left,
                      int16_t right);

}  // namespace vantry
