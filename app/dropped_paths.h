#pragma once
// What a drop of files carries and which of its entries become item paths: ReadDroppedPaths
// keeps a shortcut that carries more than its target as itself and resolves the others once,
// gives folders their closing "\" and skips hidden and system items. The file system and shell
// links are reached through DropProbe, so the decisions run without a platform. Every window
// that takes dropped files reads them here and shows the same messages; where the paths go is
// its own.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/user_dialogs.h"

namespace vantry {

inline constexpr const char* kCantGetFilesMessage =
    "Can't get the files of one or more of the dropped items! Please modify your selection.";

// Why an item whose name ends in a dot or a space is neither added nor opened.
std::string TrimmedNameMessage(const std::string& path);

// A platform failure while reading a drop: its number and the system's description of it.
struct DropFailure {
    long code = 0;
    std::string description;
};

// The text of the failure's message box: the number, " - ", the description.
std::string FailureMessage(const DropFailure& failure);

// A probe's answer, or the failure that kept it from answering.
template <typename T>
struct Probed {
    T value{};
    std::optional<DropFailure> failure;
};

// What a shortcut file holds, as far as opening it goes. An absent shortcut holds nothing.
struct ShortcutLink {
    std::string target;         // the file-system item it points to; empty when none
    std::string arguments;      // what it hands its target
    std::string workingFolder;  // its "Start in"
    bool runAsAdministrator = false;
    bool installer = false;  // an installer (Darwin) descriptor: the installer finds the target
    bool shellItem = false;  // it points to an item of the shell's own (a control panel, an app)
};

// Whether a dropped shortcut is stored as itself, so that the shell runs it as the file manager
// would: when it carries anything beyond its target's path. One that is only a path is stored as
// its target.
bool KeepsShortcut(const ShortcutLink& link);

// The shell-link header's LinkFlags, read from the first bytes of a shortcut file as the
// published shell-link format lays them out; nothing when the bytes are no such header.
std::optional<std::uint32_t> ShellLinkFlags(std::string_view header);
inline constexpr std::size_t kShellLinkHeaderSize = 0x4C;
inline constexpr std::uint32_t kLinkHasDarwinId = 0x1000;
inline constexpr std::uint32_t kLinkRunAsUser = 0x2000;

// What the platform can tell about a dropped path.
class DropProbe {
  public:
    enum class Kind { Absent, File, Folder };
    virtual ~DropProbe() = default;
    // What path names; hidden and system items count as absent. A drive root is a folder.
    virtual Probed<Kind> Look(const std::string& path) = 0;
    // What the shortcut file at path holds; its target one level only. Nothing when the
    // shortcut is absent (hidden or system included).
    virtual Probed<ShortcutLink> DescribeShortcut(const std::string& path) = 0;
};

// The file list a drop carries, in the drop's order. An entry that could not be read from the
// drop data is nothing.
struct DroppedFiles {
    bool hasFileList = false;
    std::vector<std::optional<std::string>> entries;
};

struct DropMessage {
    bool errorIcon = false;  // the error icon, else none
    std::string text;
};

struct DropReading {
    std::vector<std::string> paths;     // accepted, in drop order; empty after a failure
    std::vector<DropMessage> messages;  // to show, in order
};

DropReading ReadDroppedPaths(const DroppedFiles& drop, DropProbe& probe);

// The paths a window takes in from a drop: ReadDroppedPaths's, with its messages shown.
std::vector<std::string> TakeDroppedPaths(const DroppedFiles& drop, DropProbe& probe,
                                          UserDialogs& dialogs);

// The path text of a drop: each path followed by CR LF.
std::string PathText(const std::vector<std::string>& paths);

}  // namespace vantry
