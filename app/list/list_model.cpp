// One list window's 20 slots and the lines beyond them, loaded from and saved to the current
// tab's list file. Showing them is the window's.

#include "app/list/list_model.h"

#include <algorithm>
#include <iterator>

#include "store/path_helpers.h"

namespace vantry {

int ListModel::OccupiedCount() const {
    int count = 0;
    while (count < kSlotCount && Occupied(count)) ++count;
    return count;
}

int ListModel::FirstFreeSlot() const {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!Occupied(slot)) return slot;
    }
    return -1;
}

void ListModel::Fill(int slot, const std::string& path, const std::string& caption) {
    SetTargetMissing(slot, false);
    paths_[Index(slot)] = path;
    captions_[Index(slot)] = caption;
    view_.ShowCaption(slot, caption);
    view_.ShowIcon(slot, path);
    view_.PumpMessages();
}

void ListModel::LoadListfile() {
    LoadLines();
    // A tab whose file cannot be read is not empty: it only shows nothing for now.
    view_.ShowEmptyHint(!unreadable_ && OccupiedCount() == 0);
    if (onLoaded) onLoaded();
}

void ListModel::LoadLines() {
    auto lines = files_.ReadListLines(List);
    // A file that is there but cannot be read is not an empty tab: no save may replace it.
    unreadable_ = !lines && files_.ListPresent(List);
    if (!lines) return;
    // Loading expects emptied slots; should any be filled, the file's items go after them so
    // that no loaded item is overwritten.
    int next = OccupiedCount();
    if (lines->empty()) {
        if (next < kSlotCount) Fill(next, kDefaultItem, ItemCaption(kDefaultItem));
        // Another program may have written the file meanwhile: show what the save left there, as
        // every other save is followed by a reload.
        if (Save().merged) {
            ResetDWM();
            LoadListfile();
        }
        return;
    }
    for (auto& line : *lines) {
        if (line.empty()) continue;
        if (next < kSlotCount) {
            Fill(next++, line, ItemCaption(line));
        } else {
            overflow_.push_back(std::move(line));
        }
    }
}

SaveOutcome ListModel::SaveListFile() {
    SaveOutcome saved = Save();
    if (saved && onSaved) onSaved();
    return saved;
}

SaveOutcome ListModel::Save() {
    std::vector<std::string> lines;
    bool wasUnreadable = unreadable_;
    if (unreadable_) {
        // What the file holds never reached the slots. Readable now, it is kept ahead of them;
        // still unreadable, it is not replaced. Every save is followed by a reload or the end of
        // the program, so the merged file is read back whole.
        if (auto stored = files_.ReadListLines(List)) {
            std::copy_if(stored->begin(), stored->end(), std::back_inserter(lines),
                         [](const std::string& line) { return !line.empty(); });
        } else if (files_.ListPresent(List)) {
            if (OccupiedCount() == 0) return {true, false};  // nothing new to store
            files_.ReportUnreadableList(List);
            return {};
        }
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (Occupied(slot)) lines.push_back(Path(slot));
    }
    lines.insert(lines.end(), overflow_.begin(), overflow_.end());
    SaveOutcome saved = files_.WriteList(List, lines);
    if (saved) unreadable_ = false;
    // The lines that never reached the slots are in the file now: what shows it reads it again.
    if (saved && wasUnreadable) saved.merged = true;
    view_.PumpMessages();
    return saved;
}

void ListModel::ResetDWM() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        SetTargetMissing(slot, false);
        captions_[Index(slot)].clear();
        paths_[Index(slot)].clear();
        view_.ShowCaption(slot, "");
        view_.ShowIcon(slot, "");
    }
    overflow_.clear();
    view_.PumpMessages();
}

void ListModel::AddItem(int slot, const std::string& path, const std::string& caption) {
    view_.ShowEmptyHint(false);
    Fill(slot, path, caption);
}

void ListModel::MoveItem(int from, int to) {
    int count = OccupiedCount();
    if (from < 0 || from >= count) return;
    Shift(from, std::clamp(to, 0, count - 1));
}

void ListModel::Shift(int from, int to) {
    if (from == to) return;
    RotateSlots(captions_, from, to);
    RotateSlots(paths_, from, to);
    // A missing target stays with its item, and so does the path found for it on another drive.
    RotateSlots(missing_, from, to);
    RotateSlots(standIns_, from, to);
    view_.ShiftSlots(from, to);
    for (int slot = std::min(from, to); slot <= std::max(from, to); ++slot) {
        view_.ShowTargetMissing(slot, TargetMissing(slot));
    }
}

void ListModel::CloseGap(int slot) {
    int last = slot;
    while (last + 1 < kSlotCount && Occupied(last + 1)) ++last;
    Shift(slot, last);
    if (overflow_.empty()) {
        view_.ShowIcon(last, "");
        return;
    }
    std::string next = std::move(overflow_.front());
    overflow_.erase(overflow_.begin());
    Fill(last, next, ItemCaption(next));
}

void ListModel::InsertItems(int gap, const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    view_.ShowEmptyHint(false);
    int at = std::clamp(gap, 0, OccupiedCount());
    for (const auto& path : paths) {
        if (at >= kSlotCount) {
            overflow_.insert(overflow_.begin() + (at++ - kSlotCount), path);
            continue;
        }
        int free = OccupiedCount();
        if (free == kSlotCount) {
            // The last slot's item becomes the first line beyond the 20th; its slot is reused.
            free = kSlotCount - 1;
            overflow_.insert(overflow_.begin(), Path(free));
        }
        Shift(free, at);
        Fill(at++, path, ItemCaption(path));
    }
}

void ListModel::AppendItems(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    view_.ShowEmptyHint(false);
    for (const auto& path : paths) {
        // Lines wait beyond the 20th only while every slot is taken.
        int free = FirstFreeSlot();
        if (free < 0 || !overflow_.empty()) {
            overflow_.push_back(path);
        } else {
            Fill(free, path, ItemCaption(path));
        }
    }
}

void ListModel::FreeSlot(int slot) {
    SetTargetMissing(slot, false);
    captions_[Index(slot)].clear();
    paths_[Index(slot)].clear();
    view_.ShowCaption(slot, "");
}

void ListModel::SetTargetFound(int slot, const TargetFound& found) {
    if (found.state == TargetState::Unknown || !Occupied(slot)) return;
    SetTargetMissing(slot, found.state == TargetState::Missing);
    standIns_[Index(slot)] = found.standIn;
}

void ListModel::SetTargetMissing(int slot, bool missing) {
    standIns_[Index(slot)].clear();
    if (missing_[Index(slot)] == missing || (missing && !Occupied(slot))) return;
    missing_[Index(slot)] = missing;
    view_.ShowTargetMissing(slot, missing);
}

}  // namespace vantry
