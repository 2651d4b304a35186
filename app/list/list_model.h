#pragma once
// The item slots of one list window: 20 slots, each a caption, an icon and a path, filled from
// and written to the current tab's list file. A slot is occupied exactly when its caption is not
// empty; after every load the occupied slots are 0..n-1 and the path list holds their n paths.
// Lines beyond the 20th (a drop of several items into a tab with fewer free slots) are kept
// after the slots' paths by every save, and move into slots as slots free up.

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/list_constants.h"
#include "store/item_files.h"
#include "store/path_helpers.h"

namespace vantry {

inline constexpr const char* kDefaultItem = "C:\\";

// What a list window shows of its slots.
class ListView {
  public:
    virtual ~ListView() = default;
    // Sets the slot's caption, makes it visible and redraws it.
    virtual void ShowCaption(int slot, const std::string& caption) = 0;
    // Draws the shell icon of path in the slot's icon box; an empty path clears it.
    virtual void ShowIcon(int slot, const std::string& path) = 0;
    // Lets the pending window messages be processed (paint and input keep flowing).
    virtual void PumpMessages() = 0;
    // Shows or hides the line that tells how to fill an empty tab (no item, never stored).
    virtual void ShowEmptyHint(bool shown) = 0;
    // Dims the slot's caption and icon while its target is known to be missing.
    virtual void ShowTargetMissing(int slot, bool missing) = 0;
    // What slot from shows (caption and icon) moves to slot to, the slots between shift by one
    // towards from: items keep their icons, looked up once, when they change places.
    virtual void ShiftSlots(int from, int to) = 0;
};

// The element at from goes to to; those between shift by one towards from.
template <typename Slots>
void RotateSlots(Slots& slots, int from, int to) {
    auto first = slots.begin();
    if (from < to) {
        std::rotate(first + from, first + from + 1, first + to + 1);
    } else if (to < from) {
        std::rotate(first + to, first + from, first + from + 1);
    }
}

inline constexpr const char* kEmptyTabHint = "Click Drop Target, then drop files on Drop Here";

class ListModel {
  public:
    ListModel(ItemFiles& files, ListView& view) : files_(files), view_(view) {}

    // Fills the free slots from the current tab's list file. An absent file changes nothing; a
    // file of zero length gives the default item "C:\", saved at once.
    // An empty tab whose file can be filled shows the hint.
    void LoadListfile();
    // Writes the occupied slots' paths, in slot order, then the lines beyond the 20th, merged with
    // any change made to the file elsewhere since it was loaded. When the outcome says merged the
    // file holds more than the slots show, and the caller reloads (or ends the program). Not
    // saved when the write failed (the user has been told).
    SaveOutcome SaveListFile();
    // Empties all slots, the path list and the lines beyond the 20th.
    void ResetDWM();

    // Appends path as a new entry of the path list and shows it in slot (the first free one).
    void AddItem(int slot, const std::string& path, const std::string& caption);
    // Frees the slot and drops its path without moving the others.
    void FreeSlot(int slot);
    // Moves the item of an occupied slot to slot to (clamped to the occupied ones); the items
    // between shift by one towards the slot it left, so the occupied slots stay 0..n-1.
    void MoveItem(int from, int to);
    // After FreeSlot: the items after the freed slot move up one slot each, and the first line
    // beyond the 20th, if any, takes the last.
    void CloseGap(int slot);
    // Puts paths in at gap (0..n, clamped), in order: the items from the gap on move down, and
    // what passes the 20th slot is kept beyond it, ahead of the lines already there.
    void InsertItems(int gap, const std::vector<std::string>& paths);
    // Puts paths after every line of the tab: into the free slots while no line waits beyond the
    // 20th, then after those lines.
    void AppendItems(const std::vector<std::string>& paths);
    // What a check of the slot's path found: true when it is not there. Only shown, never
    // stored: the item stays, and its flag goes with the next emptying or filling of the slot.
    // Any stand-in (below) goes with it.
    void SetTargetMissing(int slot, bool missing);
    // What a check found of the slot's item: missing or not, and the path on the program's drive
    // that stands in for the stored one (empty for none). Unknown changes nothing. The stand-in
    // is only used, never stored, and goes as the missing flag does.
    void SetTargetFound(int slot, const TargetFound& found);

    bool Occupied(int slot) const { return !captions_[Index(slot)].empty(); }
    const std::string& Caption(int slot) const { return captions_[Index(slot)]; }
    const std::string& Path(int slot) const { return paths_[Index(slot)]; }
    // The path the item is shown, opened and handed over from: its stand-in, if it has one.
    const std::string& PathInUse(int slot) const {
        const std::string& standIn = standIns_[Index(slot)];
        return standIn.empty() ? Path(slot) : standIn;
    }
    // False until a check has found the target gone (unknown is not missing).
    bool TargetMissing(int slot) const { return missing_[Index(slot)]; }
    int FirstFreeSlot() const;  // -1 when all are in use
    int OccupiedCount() const;
    const std::vector<std::string>& Overflow() const { return overflow_; }

    int16_t List = 0;  // the current tab, 0..4
    // Told after each load of the tab and each save that stored it (the taskbar's jump list
    // follows the tab).
    std::function<void()> onLoaded;
    std::function<void()> onSaved;

  private:
    void LoadLines();
    static std::size_t Index(int slot) { return static_cast<std::size_t>(slot); }
    SaveOutcome Save();
    void Fill(int slot, const std::string& path, const std::string& caption);
    // Rotates the slots as RotateSlots does, and has the view follow.
    void Shift(int from, int to);

    ItemFiles& files_;
    ListView& view_;
    std::array<std::string, kSlotCount> captions_;
    std::array<std::string, kSlotCount> paths_;  // entry i belongs to slot i
    std::array<bool, kSlotCount> missing_{};
    std::array<std::string, kSlotCount> standIns_;
    std::vector<std::string> overflow_;
    bool unreadable_ = false;  // the tab's file was there but could not be read at its load
};

}  // namespace vantry
