#pragma once
// The drop intake: what a drop onto the drop window adds to the list window on screen. DropIntake
// puts the paths that ReadDroppedPaths accepted into the first free slot of the visible list
// window and rebuilds it from its list file.

#include <string>
#include <vector>

#include "app/drop/drop_window.h"
#include "app/dropped_paths.h"
#include "platform/user_dialogs.h"

namespace vantry {

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
