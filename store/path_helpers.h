#pragma once
// Free helpers on item paths: presence, captions, short forms and the shell launch.
// Item paths use "\" as the separator: a file's full path, a folder's full path ending in "\",
// or a drive root such as "C:\".

#include <string>

namespace vantry {

// The caption shown beside an item's icon: the last name without its last extension.
// May be empty (a name that starts with its only dot, or "no file" anywhere in the path).
std::string DisplayName(const std::string& path);

// The last name of a folder path: the text after the last "\" once the last character is gone.
std::string FolderName(const std::string& path);

// The path's last name as it stands ("C:\x\.profile" gives ".profile", "C:\Games\" gives
// "Games").
std::string LastName(const std::string& path);

// The caption an item gets in a list: DisplayName, or, where that is empty, the last name as it
// stands, so that every stored item has a non-empty caption and can be opened and deleted.
// Cut at a sane length so that a junk line cannot make a caption the control cannot draw.
std::string ItemCaption(const std::string& path);

// Whether the file can be opened for reading now (a folder, a missing file or one locked
// without sharing gives false).
bool FileExists(const std::string& path);

// The platform's short (8.3) form of an existing path; the path itself when there is none.
std::string ShortPath(const std::string& path);

enum class LaunchResult {
    Started,
    NotFound,  // the path is not there: nothing was started and nothing was shown
    Failed,    // any other failure; on Windows the shell has shown it to the user
};

// Opens the item with the shell's default action, without waiting for it. showCommand 1 asks
// for a normally shown window.
LaunchResult LaunchPath(const std::string& path, int showCommand);

}  // namespace vantry
