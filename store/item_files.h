#pragma once
// The four files the program keeps beside itself, in their line format:
//   "listtype.txt"      the list style word, one line
//   "VantryTabs.txt"    the five tab names, one a line, an empty line for a free tab
//   "VantryList<N>.txt" the item paths of tab N (N = 0..4), one a line
//   "shfile.txt"        the path of the item launched last
// Every line ends with CR LF, the last included; values are kept exactly as they are.
// A write that fails tells the user (file name and the system's reason), after its save turn has
// ended, and returns false; the file then keeps its previous content. In a folder where no file
// can be made at all (a locked stick, a CD, a read-only share) the first change refused says so
// in plain words, and later ones are refused without a word: the list still shows and opens what
// the folder holds.
// Another program (a second copy, a text editor, a sync client) may change a list file or the tab
// names file while this one runs. Each write of those first compares the file with what this
// program last read or wrote there; when it differs, the write merges both sides' changes
// (store/line_merge.h) rather than undo the other side's. A file found absent, empty or all NUL
// where this program last saw lines was not emptied on purpose (a sync client replacing it, an
// editor that truncates before it writes, a power cut): it counts as unchanged elsewhere, and the
// write puts this program's lines back. A damaged file (store/file_damage.h) removes nothing
// either: reads and writes keep this program's lines and take only what its intact lines add. A
// damaged tab-names file reads as absent. Writers take turns (ProgramFolder::TakeSaveTurn) from
// their read of the file on disk to its replacement.

#include <array>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/user_dialogs.h"
#include "store/line_merge.h"
#include "store/program_folder.h"

namespace vantry {

inline constexpr int kTabCount = 5;
inline constexpr const char* kStyleFile = "listtype.txt";
inline constexpr const char* kTabsFile = "VantryTabs.txt";
inline constexpr const char* kHandOverFile = "shfile.txt";
inline constexpr const char* kDefaultTabName = "Main |";

std::string ListFileName(int tab);

struct SaveOutcome {
    bool saved = false;
    // The file holds something other than what was asked for: a change made elsewhere, merged in
    // or left standing. What shows the file must read it again.
    bool merged = false;
    explicit operator bool() const { return saved; }
};

class ItemFiles {
  public:
    ItemFiles(ProgramFolder& folder, UserDialogs& dialogs) : folder_(folder), dialogs_(dialogs) {}

    // The first line of the style file; nothing when it is absent or holds no line.
    std::optional<std::string> ReadStyleWord();
    bool WriteStyleWord(const std::string& word);

    // Up to five names, line k for tab k; nothing when the file is absent or holds no line.
    std::optional<std::vector<std::string>> ReadTabNames();
    // With startedFrom, the names an editor was filled from (the defaults, where the file could not
    // be read then), a change made elsewhere is merged against those rather than against what
    // this program read or wrote last: a later read may hold names made elsewhere that the editor
    // never showed, and the editor's names would undo them.
    SaveOutcome WriteTabNames(const std::array<std::string, kTabCount>& names,
                              const std::array<std::string, kTabCount>* startedFrom = nullptr);

    // Every line of the tab's list file, empty ones included (an empty vector for a file of
    // zero length); nothing when the file is absent.
    std::optional<std::vector<std::string>> ReadListLines(int tab);
    SaveOutcome WriteList(int tab, const std::vector<std::string>& paths);
    // Adds the paths as the last lines of the tab's list file (beyond the 20th when the tab is
    // full), keeping every line it holds. A file that is there but cannot be read is left alone and
    // the user told. False when nothing was stored.
    bool AppendToList(int tab, const std::vector<std::string>& paths);
    // Whether the tab's list file is there at all. Asked after a read found nothing, it tells a
    // file that cannot be read now (another program holds it open without sharing, or this user
    // may not read it) from an absent one; such a file is not an empty tab.
    bool ListPresent(int tab);
    // Tells the user that items could not be added to the tab because its file cannot be read.
    void ReportUnreadableList(int tab);

    // The record of the item opened last, written where it can be: it gates nothing and a write
    // that fails says nothing.
    void RecordHandOver(const std::string& path);

    // Within the scope, writes are saves the user did not ask for (leaving a tab unchanged): a
    // file that already holds what would be written is left alone without waiting for the save
    // turn, and a write that fails says nothing.
    class QuietScope {
      public:
        explicit QuietScope(bool& quiet) : quiet_(quiet), was_(quiet) { quiet = true; }
        ~QuietScope() { quiet_ = was_; }
        QuietScope(const QuietScope&) = delete;
        QuietScope& operator=(const QuietScope&) = delete;

      private:
        bool& quiet_;
        bool was_;
    };
    [[nodiscard]] QuietScope Quietly() { return QuietScope(quiet_); }
    // Whether the folder takes no change at all (no file can be made in it); the user is told
    // once, as at a refused save. Asked before a change that writes other files than these.
    bool RefusesChanges();

  private:
    // With damaged, whether the file was damaged (store/file_damage.h): its lines are then the
    // version seen before with what the intact lines add.
    std::optional<std::vector<std::string>> ReadLines(const std::string& name,
                                                      bool* damaged = nullptr);
    // Reads the file again, a moment later each time, until two reads agree; unsettled when
    // they never did.
    std::optional<std::string> Settle(const std::string& name, std::optional<std::string> text,
                                      bool& unsettled);
    // The style and tab-names files: one that is there but cannot be read (held by another
    // program, or too large) is taken as absent when read, and is not replaced by what the
    // program shows in its place until it can be read again; the refusal is reported.
    std::optional<std::vector<std::string>> ReadKept(const std::string& name,
                                                     bool* damaged = nullptr);
    bool Replaceable(const std::string& name);
    void ReportUnreadable(const std::string& name, const std::string& what);
    // With a merge rule, a change made elsewhere since the last read or write is merged in.
    SaveOutcome WriteLines(const std::string& name, const std::vector<std::string>& lines,
                           std::optional<MergeRule> merge = std::nullopt);
    // The write itself, within the save turn; what the user is to be told goes into report.
    SaveOutcome WriteInTurn(const std::string& name, const std::vector<std::string>& lines,
                            std::optional<MergeRule> merge, std::string& report);
    bool Replace(const std::string& name, const std::string& content, std::string& report);
    // Whether the file already holds content; then it counts as read or written now.
    bool AlreadyHolds(const std::string& name, const std::string& content);
    void ReportReadOnly();
    static std::string WriteFailure(const std::string& name, const std::string& reason);
    static std::string UnreadableMessage(const std::string& name, const std::string& what);

    ProgramFolder& folder_;
    UserDialogs& dialogs_;
    // Per file, what this program last read or wrote there: its content, or nothing for a file
    // that was absent. A file that was there but could not be read has no entry: there is no
    // known version to merge against, and the list window keeps such a file's lines itself.
    std::map<std::string, std::optional<std::string>> seen_;
    std::set<std::string> unreadable_;
    bool quiet_ = false;
    bool toldReadOnly_ = false;
};

}  // namespace vantry
