// A drop onto the drop window: its accepted paths go into the visible list window's first free
// slot and its list file. Which entries are accepted, and what is said of the rest, is
// dropped_paths.cpp's.

#include "app/drop/drop_intake.h"

#include "store/path_helpers.h"

namespace vantry {

DropIntake::Outcome DropIntake::Drop(const DroppedFiles& drop, DropProbe& probe) {
    auto scope = window_.Guard().TryEnter();
    if (!scope) return Outcome::Ignored;

    std::vector<std::string> paths = TakeDroppedPaths(drop, probe, dialogs_);
    if (paths.empty()) return Outcome::Nothing;

    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (ListWindow* window : {&window_.Large(), &window_.Small()}) {
            if (window->View().Visible() && !window->Model().Occupied(slot)) {
                bool saved = Add(*window, slot, paths);
                window_.App().PumpMessages();
                // A failed save has told the user; the source is not told the items were copied.
                return saved ? Outcome::Added : Outcome::Nothing;
            }
        }
    }
    return Outcome::Nothing;
}

bool DropIntake::Add(ListWindow& window, int slot, const std::vector<std::string>& paths) {
    ListModel& model = window.Model();
    // The slot holds the whole path text until the reload splits it into items. Its caption
    // only lasts until then, but an empty one would mark the slot free and the save would leave
    // the drop out, so it is the first path's item caption, which is never empty.
    model.AddItem(slot, PathText(paths), ItemCaption(paths.front()));
    bool saved = model.SaveListFile().saved;
    window_.App().PumpMessages();
    model.ResetDWM();
    window_.App().PumpMessages();
    model.LoadListfile();
    return saved;
}

}  // namespace vantry
