#pragma once
// The drop intake: what a drop onto the drop window adds to the list window on screen.
// ReadDroppedPaths decides which of the dropped entries become item paths (shortcuts resolved
// once, folders given their closing "\", hidden and system items skipped); DropIntake puts the
// accepted paths into the first free slot of the visible list window and rebuilds it from its
// list file. The file system and shell links are reached through DropProbe, so the decisions
// run without a platform.

#include <optional>
#include <string>
#include <vector>

#include "app/drop/drop_window.h"
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

// The path text of a drop: each path followed by CR LF.
std::string PathText(const std::vector<std::string>& paths);

class DropIntake {
  public:
    enum class Outcome {
        Added,    // the paths went into a list window and its list file
        Nothing,  // nothing accepted, or no visible window had a free slot
        Ignored,  // another action was running; the drop was not taken at all
    };

    DropIntake(DropWindow& window, UserDialogs& dialogs) : window_(window), dialogs_(dialogs) {}

    // Whether a drop arriving now would be ignored.
    bool Busy() const { return window_.Guard().Busy(); }

    // The drop handler. A drop arriving while another action runs (a save or reload pumping
    // messages, a message box) is ignored: the drop data is only valid during the drop, and the
    // half-done action must not see its slots change under it.
    Outcome Drop(const DroppedFiles& drop, DropProbe& probe);

  private:
    // Whether the paths were saved.
    bool Add(ListWindow& window, int slot, const std::vector<std::string>& paths);

    DropWindow& window_;
    UserDialogs& dialogs_;
};

}  // namespace vantry
