// One list window's logic for both styles: loading and saving tabs, the tab strip, item clicks,
// deletes and moves, the bottom bar. The window on screen is list_window_win32.cpp.

#include "app/list/list_window.h"

#include <algorithm>

namespace vantry {

namespace {

// Where the item of slot stands once the item of from has moved to to.
int SlotAfterMove(int slot, int from, int to) {
    if (slot == from) return to;
    if (from < to && slot > from && slot <= to) return slot - 1;
    if (to < from && slot >= to && slot < from) return slot + 1;
    return slot;
}

}  // namespace

void ListWindow::Load() {
    model_.List = 0;
    LoadTabs();
    app_.PumpMessages();
    model_.LoadListfile();
    app_.PumpMessages();
}

void ListWindow::LoadTabs() {
    if (auto names = files_.ReadTabNames()) {
        std::copy_n(names->begin(), std::min(names->size(), tabNames_.size()), tabNames_.begin());
    }
    ShowTabs();
}

void ListWindow::ShowTabs() {
    for (int k = 0; k < kTabCount; ++k) view_.ShowTabCaption(k, TabName(k));
    app_.PumpMessages();
    UpdateTabs();
}

void ListWindow::UpdateTabs() {
    view_.ShowCurrentTab(model_.List);
    int left = 0;
    view_.MoveTab(0, left);
    for (int k = 1; k < kTabCount; ++k) {
        left += view_.TabWidthTwips(k - 1);
        view_.MoveTab(k, left);
    }
    app_.PumpMessages();
}

void ListWindow::TabClick(int k) {
    auto scope = guard_.TryEnter();
    if (!scope || TabName(k).empty()) return;
    LeaveTab();
    model_.ResetDWM();
    EnterTab(k);
}

void ListWindow::LeaveTab() {
    // Every change was saved as it was made: this save only puts back a file found emptied. It
    // never holds the switch up nor speaks, also where the folder cannot be written.
    auto quiet = files_.Quietly();
    model_.SaveListFile();
}

void ListWindow::EnterTab(int k) {
    model_.List = static_cast<int16_t>(k);
    view_.ShowCurrentTab(k);
    model_.LoadListfile();
    keyboard_.ForgetFocus();
}

void ListWindow::ItemClick(int slot, LaunchMode mode) {
    auto scope = guard_.TryEnter();
    if (!scope) return;
    OpenItem(slot, mode);
}

void ListWindow::OpenItem(int slot, LaunchMode mode, bool checkFirst) {
    if (!model_.Occupied(slot)) return;
    const std::string path = model_.Path(slot);
    // A line an editor or an older version stored: refused as at the drop.
    if (HasTrimmedName(path)) {
        ReportTrimmedName(slot);
        return;
    }
    // A target still gone is not handed over: the user is told and the list stays. Nor is one
    // whose check did not answer: the shell would wait on it here, with the window frozen. An
    // item whose icon look-up is overdue is checked first for that reason. While the check lets
    // messages through, the action being run keeps every other from the slots.
    if (checkFirst || model_.TargetMissing(slot) || view_.LookUpOverdue(slot)) {
        TargetFound found = app_.CheckTarget(path);
        if (!found.answered) {
            dialogs_.ShowError("\"" + path +
                               "\" is not answering (a drive or a network server that does not "
                               "respond). The item stays in the list; try again later.");
            return;
        }
        model_.SetTargetFound(slot, found);
        if (found.state == TargetState::Missing) {
            ReportNotFound(path);
            return;
        }
    }
    // The clicked item is the one opened, whatever the hand-over file holds or whether it can be
    // written (a read-only folder; another PC sharing the folder writing its own).
    const std::string target = model_.PathInUse(slot);
    LaunchResult launched = app_.Launch(target, kShowNormal, mode);
    app_.PumpMessages();
    if (launched == LaunchResult::NotFound) {
        // Gone since its check, or not checked yet: now it is known.
        if (model_.Path(slot) == path) model_.SetTargetMissing(slot, true);
        ReportNotFound(target);
        return;
    }
    // A declined elevation prompt: the user has answered, and the list stays.
    if (launched == LaunchResult::Cancelled) return;
    files_.RecordHandOver(target);
    CloseAction();
}

void ListWindow::ReportTrimmedName(int slot) {
    dialogs_.ShowError(TrimmedNameMessage(model_.Path(slot)));
}

void ListWindow::OpenStoredItem(int k, const std::string& path) {
    auto scope = guard_.TryEnter();
    if (!scope) return;
    for (int slot = 0; k == model_.List && slot < kSlotCount; ++slot) {
        if (!model_.Occupied(slot) || model_.Path(slot) != path) continue;
        OpenItem(slot, LaunchMode::Open, true);
        return;
    }
    dialogs_.ShowError("\"" + path + "\" is no longer in tab " + std::to_string(k + 1) +
                       ". Nothing was opened.");
}

void ListWindow::ReportNotFound(const std::string& path) {
    dialogs_.ShowError("\"" + path +
                       "\" was not found. The item stays in the list; a right click on it offers "
                       "to delete it.");
}

void ListWindow::ItemMouseDown(int slot, int button) {
    if (button != kRightButton) return;
    auto scope = guard_.TryEnter();
    if (!scope) return;
    DelLink(slot);
}

void ListWindow::DelLink(int slot) {
    // Where nothing can be kept, the user is not asked to confirm what cannot be done.
    if (!model_.Occupied(slot) || files_.RefusesChanges()) return;
    if (!dialogs_.AskYesNo("Delete the item '" + model_.Caption(slot) + "'?")) return;
    TakeOut(slot);
}

void ListWindow::TakeOut(int slot) {
    std::string path = model_.Path(slot);
    std::string caption = model_.Caption(slot);
    bool missing = model_.TargetMissing(slot);
    model_.FreeSlot(slot);
    SaveOutcome saved = model_.SaveListFile();
    if (!saved) {
        // Nothing was stored: the item stays where it was.
        model_.AddItem(slot, path, caption);
        model_.SetTargetMissing(slot, missing);
        return;
    }
    model_.CloseGap(slot);
    // The keyboard's item stays with its item; in place of the one that left, the next item.
    if (int focus = keyboard_.Focus(); focus >= 0) {
        keyboard_.SetFocus(focus > slot ? focus - 1 : focus);
    }
    // An emptied tab gets its default item from the reload, as a load of an empty file does.
    if (saved.merged || model_.OccupiedCount() == 0) Reload();
}

void ListWindow::Reload() {
    app_.PumpMessages();
    model_.ResetDWM();
    app_.PumpMessages();
    model_.LoadListfile();
    app_.PumpMessages();
    keyboard_.Refocus();
}

void ListWindow::MoveItem(int from, int to) {
    auto scope = guard_.TryEnter();
    if (!scope || !model_.Occupied(from)) return;
    to = std::clamp(to, 0, model_.OccupiedCount() - 1);
    if (to == from) return;
    model_.MoveItem(from, to);
    SaveOutcome saved = model_.SaveListFile();
    if (!saved) {
        // Nothing was stored: the items go back to where the file has them.
        model_.MoveItem(to, from);
        return;
    }
    if (int focus = keyboard_.Focus(); focus >= 0) {
        keyboard_.SetFocus(SlotAfterMove(focus, from, to));
    }
    if (saved.merged) Reload();
}

void ListWindow::MoveItemToTab(int slot, int k) {
    auto scope = guard_.TryEnter();
    if (!scope || !model_.Occupied(slot) || k == model_.List || TabName(k).empty()) return;
    // Stored in the other tab first: whichever save fails, the item is kept somewhere.
    if (!files_.AppendToList(k, {model_.Path(slot)})) return;
    TakeOut(slot);
}

bool ListWindow::DropFiles(const DroppedFiles& drop, DropProbe& probe, int tab, int gap) {
    auto scope = guard_.TryEnter();
    if (!scope || (tab != model_.List && TabName(tab).empty())) return false;
    std::vector<std::string> paths = TakeDroppedPaths(drop, probe, dialogs_);
    if (paths.empty()) return false;
    if (tab != model_.List) return files_.AppendToList(tab, paths);
    int focus = keyboard_.Focus();
    if (gap == kEndOfTab) {
        model_.AppendItems(paths);
    } else {
        gap = std::clamp(gap, 0, model_.OccupiedCount());
        model_.InsertItems(gap, paths);
    }
    SaveOutcome saved = model_.SaveListFile();
    if (saved && gap != kEndOfTab && focus >= gap) {
        keyboard_.SetFocus(std::min(focus + static_cast<int>(paths.size()), kSlotCount - 1));
    }
    // A failed save has told the user; the tab shows again what its file holds.
    if (!saved || saved.merged) Reload();
    return saved.saved;
}

void ListWindow::CloseClick() {
    auto scope = guard_.TryEnter();
    if (!scope) return;
    CloseAction();
}

void ListWindow::CloseAction() {
    if (useList_ == styleWord_) LeaveTab();
    app_.PumpMessages();
    app_.CloseAllWindows();
}

}  // namespace vantry
