#pragma once
// A tab's grid icon file, from its items' shell icons.

#include <string>
#include <vector>

namespace vantry {

// Writes the .ico of the first four paths' icons in a 2x2 grid at every grid size, replacing the
// file whole, and tells the shell it changed so that a pinned button shows the new one. The icons
// are looked up off the window thread (a slow path can block the shell for long), the window's
// messages flowing meanwhile. Whether the file was written.
bool WriteTabIcon(const std::string& icoPath, const std::vector<std::string>& paths);

}  // namespace vantry
