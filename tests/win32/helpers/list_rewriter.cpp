// Rewrites a list file for ever, alternating two contents, through the program's own writer; the
// crash test kills it at random moments. It signals the named event once the first rewrite is
// done, so a kill always lands inside the loop rather than in the process's start-up.
// Usage: list_rewriter <folder> <event name>

#include <windows.h>

#include "platform/text_win32.h"
#include "store/program_folder_win32.h"
#include "tests/win32/helpers/rewriter_contents.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    vantry::Win32ProgramFolder folder(vantry::Narrow(argv[1]));
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
    const std::string contents[2] = {vantry::test::RewriterContent(0),
                                     vantry::test::RewriterContent(1)};
    for (unsigned i = 0;; ++i) {
        if (!folder.Replace(vantry::test::kRewrittenFile, contents[i % 2]).ok) return 1;
        if (i == 0 && ready) SetEvent(ready);
    }
}
