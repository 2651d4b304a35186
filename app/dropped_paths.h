#pragma once
// What a drop of files carries and which of its entries become item paths: ReadDroppedPaths
// resolves shortcuts once, gives folders their closing "\" and skips hidden and system items.
// The file system and shell links are reached through DropProbe, so the decisions run without a
// platform. Every window that takes dropped files reads them here and shows the same messages;
// where the paths go is its own.

#include <optional>
#include <string>
#include <vector>

#include "platform/user_dialogs.h"

namespace vantry {

inline constexpr const char* kCantGetFilesMessage =
    "Can't get the files of one or more of the dropped items! Please modify your selection.";

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

// What the platform can tell about a dropped path.
class DropProbe {
  public:
    enum class Kind { Absent, File, Folder };
    virtual ~DropProbe() = default;
    // What path names; hidden and system items count as absent. A drive root is a folder.
    virtual Probed<Kind> Look(const std::string& path) = 0;
    // The file-system path the shortcut file at path points to, one level only; empty when the
    // shortcut is absent (hidden or system included) or points to no file-system item.
    virtual Probed<std::string> ResolveShortcut(const std::string& path) = 0;
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
