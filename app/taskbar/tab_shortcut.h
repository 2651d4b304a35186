#pragma once
// What a tab's taskbar shortcut is made of: the shortcut's and the icon's file names, the ID the
// taskbar groups the tab's windows by, and its command line. Tabs count from 1 here, as on the
// command line.

#include <string>

namespace vantry {

// "Vantry <N> - <tab name>.lnk", the characters file names cannot hold left out of the name and
// spaces at either end trimmed ("Main |" gives "Vantry 1 - Main.lnk").
std::string ShortcutFileName(int k, const std::string& tabName);

// "VantryTab<N>.ico": also the mark that tab k has a shortcut, as its name never changes.
std::string TabIconFileName(int k);

// The AppUserModelID of tab k of the program in the folder of that key (FolderKey): at most 128
// characters, no spaces, dotted, one per folder and tab.
std::string TabAppId(const std::string& folderKey, int k);

// A command-line argument quoted so that the system's splitting gives it back whole, closing
// backslashes included (a folder's "C:\dir\" would otherwise escape its closing quote).
std::string QuotedArgument(const std::string& argument);

// `/tab N`, and `/open N "path"`.
std::string TabArguments(int k);
std::string OpenArguments(int k, const std::string& path);

}  // namespace vantry
