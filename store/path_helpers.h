#pragma once
// Free helpers on item paths: presence, captions, short forms, the drive an item is found on
// and the shell launch. Item paths use "\" as the separator: a file's full path, a folder's full
// path ending in "\", or a drive root such as "C:\".

#include <functional>
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

// Whether the path names a shortcut file (".lnk" in any letter case).
bool IsShortcutPath(const std::string& path);

// Whether a name in the path ends in a dot or a space. Win32 leaves those out when it opens a
// path, so "report.txt." would open "report.txt" beside it: such a path is never opened.
bool HasTrimmedName(const std::string& path);

// Whether the file can be opened for reading now (a folder, a missing file or one locked
// without sharing gives false).
bool FileExists(const std::string& path);

// The platform's long form of an existing path, no 8.3 name left in it; the path itself when
// there is none.
std::string LongPath(const std::string& path);

// What a check of an item's path found. Unknown (no answer in time, or an error that says
// nothing about the path) is never taken for missing.
enum class TargetState { Unknown, Present, Missing };

// The file system's word on the path: Missing only for the errors that say it is not there (no
// such file, folder, drive or share; no disk in the drive). May block on a slow path.
TargetState TargetStateOf(const std::string& path);

// Items follow the program from PC to PC on a stick: run from a drive letter other than the
// system's (never from Documents on the system drive), the program takes an item stored on
// another letter from its own drive when only there the item is found.
class ProgramDrive {
  public:
    ProgramDrive() = default;  // no drive of its own: nothing follows it
    // programFolder: the folder the program runs from; systemFolder: the system's own.
    ProgramDrive(const std::string& programFolder, const std::string& systemFolder);
    // The same path on the program's drive, when the path is on another letter; else empty.
    std::string Counterpart(const std::string& path) const;

  private:
    char letter_ = 0;  // upper case; 0 while the rule is off
};

// Where an item is found: its path's state and, when the program's drive holds it instead, the
// path that stands in for the stored one (otherwise empty). The stored path never changes.
struct TargetFound {
    TargetState state = TargetState::Unknown;
    std::string standIn;
    // False when the check did not answer in time (a server that stopped answering): anything
    // handed that path now would wait as long.
    bool answered = true;
};

TargetFound FindTarget(const std::string& path, const ProgramDrive& drive,
                       const std::function<TargetState(const std::string&)>& check);

enum class LaunchMode {
    Open,                // the shell's default action, as a double click in the file manager
    RunAsAdministrator,  // the shell's "runas" verb
    ShowInFolder,        // the folder that holds the item, the item selected in it
};

enum class LaunchResult {
    Started,
    NotFound,   // the path is not there: nothing was started and nothing was shown
    Failed,     // any other failure; on Windows the shell has shown it to the user
    Cancelled,  // the user declined (an elevation prompt): nothing to tell
};

// The folder a file item starts in, as the file manager starts it: its own. A folder, a drive
// root and a shortcut file (which carries its own "Start in") get none: empty.
std::string WorkingFolderFor(const std::string& path);

// One request to the shell, as a launch decides it.
struct ShellCall {
    enum class Kind { Execute, SelectInFolder };
    Kind kind = Kind::Execute;
    std::string file;
    std::string folder;  // the working folder; empty for none
    std::string verb;    // empty: the default action of the item's type
    int showCommand = 1;
    bool quiet = true;  // a failure comes back without the shell's own dialogs
};

enum class ShellError { None, NotFound, Cancelled, Other };

// What a launch asks of the platform, so that its decisions can be tried with any answer.
class LaunchShell {
  public:
    virtual ~LaunchShell() = default;
    // The path in its long form (no 8.3 names); the path itself when it has none.
    virtual std::string LongForm(const std::string& path) = 0;
    virtual TargetState Check(const std::string& path) = 0;
    virtual ShellError Call(const ShellCall& call) = 0;
};

// Opens the item as the file manager would, in the given mode: its long path, its working
// folder; NotFound only when the path is really not there, whatever the shell said.
LaunchResult LaunchThrough(LaunchShell& shell, const std::string& path, int showCommand,
                           LaunchMode mode);

// The same through the platform's shell, without waiting for what it starts. showCommand 1 asks
// for a normally shown window.
LaunchResult LaunchPath(const std::string& path, int showCommand,
                        LaunchMode mode = LaunchMode::Open);

}  // namespace vantry
