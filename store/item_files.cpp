#include "store/item_files.h"

#include "store/file_damage.h"
#include "store/text_lines.h"

namespace vantry {

namespace {

// A file that changed since it was last seen is read again this long after: a write under way
// changes it meanwhile. A file that never holds still for as long is damaged.
constexpr unsigned kSettleMs = 50;
constexpr int kSettleTries = 10;

}  // namespace

std::string ListFileName(int tab) {
    return "VantryList" + std::to_string(tab) + ".txt";
}

std::optional<std::string> ItemFiles::Settle(const std::string& name,
                                             std::optional<std::string> text, bool& unsettled) {
    unsettled = false;
    for (int tries = 0; text; ++tries) {
        if (tries == kSettleTries) {
            unsettled = true;
            break;
        }
        folder_.Pause(kSettleMs);
        std::optional<std::string> again = folder_.Read(name);
        if (again == text) break;
        text = std::move(again);
    }
    return text;
}

std::optional<std::vector<std::string>> ItemFiles::ReadLines(const std::string& name,
                                                             bool* damaged) {
    std::optional<std::string> content;
    if (folder_.Exists(name)) content = folder_.Read(name);
    auto seen = seen_.find(name);
    std::optional<std::string> before = seen == seen_.end() ? std::nullopt : seen->second;
    bool unsettled = false;
    if (content && (LooksUnfinished(*content) || (seen != seen_.end() && content != before))) {
        content = Settle(name, std::move(content), unsettled);
    }
    const bool isDamaged = content && IsDamaged(*content, before, unsettled);
    if (damaged) *damaged = isDamaged;
    if (isDamaged) {
        // Damage removes nothing: the lines last seen stay, with what the intact lines add, and
        // the version seen before the damage stays the one to merge against.
        auto lines = WithAdditions(SplitLines(before.value_or("")),
                                   IntactLines(*content, before, unsettled));
        if (seen == seen_.end() || !HoldsLines(before)) seen_[name] = JoinLines(lines);
        return lines;
    }
    if (content) {
        seen_[name] = content;
    } else if (folder_.Present(name)) {
        seen_.erase(name);
    } else {
        seen_[name] = std::nullopt;
    }
    if (!content) return std::nullopt;
    return SplitLines(*content);
}

SaveOutcome ItemFiles::WriteLines(const std::string& name, const std::vector<std::string>& lines,
                                  std::optional<MergeRule> merge) {
    // Nothing to write needs no turn: leaving an unchanged tab neither waits for another writer
    // nor fails in a folder that cannot be written.
    if (quiet_ && AlreadyHolds(name, JoinLines(lines))) return {true, false};
    std::string report;
    SaveOutcome outcome;
    bool readOnly = false;
    {
        TurnRefusal refused;
        std::unique_ptr<SaveTurn> turn = folder_.TakeSaveTurn(refused);
        if (!turn) {
            readOnly = refused.readOnly;
            if (!readOnly) report = WriteFailure(name, refused.reason);
        } else {
            outcome = WriteInTurn(name, lines, merge, report);
        }
    }
    // Every other writer on the folder waits for the turn: no message box while it is held.
    if (readOnly) ReportReadOnly();
    if (!report.empty() && !quiet_) dialogs_.ShowError(report);
    return outcome;
}

SaveOutcome ItemFiles::WriteInTurn(const std::string& name, const std::vector<std::string>& lines,
                                   std::optional<MergeRule> merge, std::string& report) {
    std::string content = JoinLines(lines);
    auto seen = merge ? seen_.find(name) : seen_.end();
    if (seen == seen_.end()) return {Replace(name, content, report), false};

    // Content, not size and time: a sync client may restore the other side's time, and two
    // saves within the file system's time resolution can leave one size and time.
    std::optional<std::string> onDisk = folder_.Read(name);
    if (!onDisk && folder_.Present(name)) {
        report = UnreadableMessage(name, "changes made to it elsewhere");
        return {};
    }
    // A list file is saved at every launch, tab click and close, mostly unchanged: a file that
    // already holds these bytes is not replaced (a flushed write and rename saved).
    if (*merge == MergeRule::kItems && onDisk == content) {
        seen->second = std::move(content);
        return {true, false};
    }
    bool unsettled = false;
    if (onDisk != seen->second) onDisk = Settle(name, std::move(onDisk), unsettled);
    bool emptiedByAccident = !HoldsLines(onDisk) && HoldsLines(seen->second);
    if (onDisk == seen->second || emptiedByAccident) {
        return {Replace(name, content, report), false};
    }
    const std::vector<std::string> base = SplitLines(seen->second.value_or(""));
    if (onDisk && IsDamaged(*onDisk, seen->second, unsettled)) {
        // Damage removes nothing: the tab names stand as this program has them, and the items
        // are this program's with what the intact lines add.
        if (*merge == MergeRule::kTabNames) return {Replace(name, content, report), false};
        auto theirs = WithAdditions(base, IntactLines(*onDisk, seen->second, unsettled));
        std::string repaired = JoinLines(MergeLines(*merge, base, lines, theirs).value_or(theirs));
        bool more = repaired != content;
        return {Replace(name, repaired, report), more};
    }

    auto merged = MergeLines(*merge, base, lines, SplitLines(onDisk.value_or("")));
    if (!merged) {
        seen->second = std::move(onDisk);
        return {true, true};
    }
    return {Replace(name, JoinLines(*merged), report), true};
}

bool ItemFiles::Replace(const std::string& name, const std::string& content, std::string& report) {
    WriteOutcome outcome = folder_.Replace(name, content);
    if (!outcome.ok) {
        report = WriteFailure(name, outcome.reason);
        return false;
    }
    seen_[name] = content;
    return true;
}

bool ItemFiles::AlreadyHolds(const std::string& name, const std::string& content) {
    if (folder_.Read(name) != content) return false;
    seen_[name] = content;
    return true;
}

void ItemFiles::ReportReadOnly() {
    // Said once: every later change would only repeat it.
    if (quiet_ || toldReadOnly_) return;
    toldReadOnly_ = true;
    dialogs_.ShowPlain(
        "Vantry's folder is read-only, so this change cannot be kept.\n\nThe list shows what "
        "the folder holds, and its items still open. To change them, copy Vantry to a folder "
        "you can write to.");
}

bool ItemFiles::RefusesChanges() {
    TurnRefusal refused;
    if (folder_.TakeSaveTurn(refused) || !refused.readOnly) return false;
    ReportReadOnly();
    return true;
}

std::string ItemFiles::WriteFailure(const std::string& name, const std::string& reason) {
    return "Vantry could not save \"" + name + "\".\n\n" + reason +
           "\n\nThe file was left as it was.";
}
std::optional<std::vector<std::string>> ItemFiles::ReadKept(const std::string& name,
                                                            bool* damaged) {
    auto lines = ReadLines(name, damaged);
    if (lines || !folder_.Present(name)) {
        unreadable_.erase(name);
    } else {
        unreadable_.insert(name);
    }
    return lines;
}

bool ItemFiles::Replaceable(const std::string& name) {
    if (!unreadable_.count(name) || ReadKept(name)) return true;
    ReportUnreadable(name, "what it holds");
    return false;
}

std::optional<std::string> ItemFiles::ReadStyleWord() {
    auto lines = ReadKept(kStyleFile);
    if (!lines || lines->empty()) return std::nullopt;
    return lines->front();
}

bool ItemFiles::WriteStyleWord(const std::string& word) {
    if (!Replaceable(kStyleFile)) return false;
    // Opening "Config" runs the switch to the style in use: no change, nothing to refuse.
    if (AlreadyHolds(kStyleFile, JoinLines({word}))) return true;
    return WriteLines(kStyleFile, {word}).saved;
}

std::optional<std::vector<std::string>> ItemFiles::ReadTabNames() {
    bool damaged = false;
    auto lines = ReadKept(kTabsFile, &damaged);
    // A damaged file counts as absent: the defaults stand, and every tab can be reached.
    if (!lines || lines->empty() || damaged) return std::nullopt;
    // There is no sixth tab: lines after the fifth are ignored.
    if (lines->size() > kTabCount) lines->resize(kTabCount);
    return lines;
}

SaveOutcome ItemFiles::WriteTabNames(const std::array<std::string, kTabCount>& names,
                                     const std::array<std::string, kTabCount>* startedFrom) {
    if (!Replaceable(kTabsFile)) return {};
    if (startedFrom) {
        seen_[kTabsFile] =
            JoinLines(std::vector<std::string>(startedFrom->begin(), startedFrom->end()));
    }
    return WriteLines(kTabsFile, std::vector<std::string>(names.begin(), names.end()),
                      MergeRule::kTabNames);
}

std::optional<std::vector<std::string>> ItemFiles::ReadListLines(int tab) {
    return ReadLines(ListFileName(tab));
}

SaveOutcome ItemFiles::WriteList(int tab, const std::vector<std::string>& paths) {
    return WriteLines(ListFileName(tab), paths, MergeRule::kItems);
}

bool ItemFiles::AppendToList(int tab, const std::vector<std::string>& paths) {
    auto lines = ReadListLines(tab);
    if (!lines && ListPresent(tab)) {
        ReportUnreadableList(tab);
        return false;
    }
    if (!lines) lines.emplace();
    lines->insert(lines->end(), paths.begin(), paths.end());
    return WriteList(tab, *lines).saved;
}

bool ItemFiles::ListPresent(int tab) {
    return folder_.Present(ListFileName(tab));
}

void ItemFiles::ReportUnreadableList(int tab) {
    ReportUnreadable(ListFileName(tab), "its items");
}

void ItemFiles::ReportUnreadable(const std::string& name, const std::string& what) {
    if (quiet_) return;
    dialogs_.ShowError(UnreadableMessage(name, what));
}

std::string ItemFiles::UnreadableMessage(const std::string& name, const std::string& what) {
    return "Vantry could not save \"" + name + "\": the file is there but cannot be read, so " +
           what +
           " would be lost.\n\nThe file was left as it was. Close the program that holds it and "
           "try again.";
}

void ItemFiles::RecordHandOver(const std::string& path) {
    QuietScope quiet(quiet_);
    WriteLines(kHandOverFile, {path});
}

}  // namespace vantry
