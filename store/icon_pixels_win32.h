#pragma once
// An icon as the plain pixels the icon cache keeps (store/icon_cache.h), and back.

#include <windows.h>

#include <string>

#include "store/file_icons_win32.h"

namespace vantry {

// The icon's side x side pixels, as CachedIcon holds them; empty when the icon is not exactly that
// size or its bitmaps cannot be read. An icon without alpha takes its transparency from its mask.
std::string IconPixels(HICON icon, int side);

// An icon of those pixels; empty when they are not side x side.
UniqueIcon IconFromPixels(const std::string& pixels, int side);

}  // namespace vantry
