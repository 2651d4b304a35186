// Rewrites a list file for ever, alternating two contents, through the program's own list
// writer (which first compares the file with what it last wrote, then replaces it); the crash
// test kills it at random moments. It signals the named event once the first rewrite is done, so
// a kill always lands inside the loop rather than in the process's start-up.
// Usage: list_rewriter <folder> <event name>
// With "--add <tag> <count>" instead of the event name it adds count lines "<tag> <i>" to the list
// one save at a time, as a copy of the program does with each drop, and ends (0 when every save
// was reported saved); two of them run at once in the two-writers test.

#include <windows.h>

#include "platform/text_win32.h"
#include "store/item_files.h"
#include "store/program_folder_win32.h"
#include "store/text_lines.h"
#include "tests/win32/helpers/rewriter_contents.h"

namespace {

// A failed write ends the rewriter (the test tells that from a kill) instead of showing a box.
class NoDialogs : public vantry::UserDialogs {
  public:
    void ShowError(const std::string&) override {}
    void ShowPlain(const std::string&) override {}
    bool AskYesNo(const std::string&) override { return false; }
};

int AddLines(vantry::ItemFiles& files, const std::string& tag, int count) {
    for (int i = 0; i < count; ++i) {
        if (!files.AppendToList(0, {tag + " " + std::to_string(i)})) return 1;
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    vantry::Win32ProgramFolder folder(vantry::Narrow(argv[1]));
    NoDialogs dialogs;
    vantry::ItemFiles files(folder, dialogs);
    if (std::wstring(argv[2]) == L"--add") {
        return argc < 5 ? 2 : AddLines(files, vantry::Narrow(argv[3]), _wtoi(argv[4]));
    }
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
    const std::vector<std::string> contents[2] = {
        vantry::SplitLines(vantry::test::RewriterContent(0)),
        vantry::SplitLines(vantry::test::RewriterContent(1))};
    for (unsigned i = 0;; ++i) {
        vantry::SaveOutcome saved = files.WriteList(0, contents[i % 2]);
        // Nobody else writes the file: a merge would mean the writer misread its own file.
        if (!saved || saved.merged) return 1;
        if (i == 0 && ready) SetEvent(ready);
    }
}
