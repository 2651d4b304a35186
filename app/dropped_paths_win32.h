#pragma once
// Dropped files as Win32 gives them: the CF_HDROP file list of a data object, read in order, and
// the probe that answers ReadDroppedPaths from the file system (hidden and system items are
// absent) and from shell links (read through the ShellLink object, and their header's flags
// from the file itself).

#include <windows.h>
// ole2.h needs the types of windows.h first.
#include <ole2.h>

#include <string>

#include "app/dropped_paths.h"

namespace vantry {

// File attributes and shell links, as the intake asks for them.
class Win32DropProbe : public DropProbe {
  public:
    Probed<Kind> Look(const std::string& path) override;
    Probed<ShortcutLink> DescribeShortcut(const std::string& path) override;
};

// The file list the data object carries as CF_HDROP; hasFileList is false without one.
DroppedFiles ReadDropData(IDataObject* data);

}  // namespace vantry
