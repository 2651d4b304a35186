#pragma once
// The program's windows over a real program folder, with fake views: what the drop target
// drives in tests and in the drop benchmark.

#include <string>

#include "app/drop_intake.h"
#include "store/program_folder_win32.h"
#include "tests/native/support/app_fakes.h"

namespace vantry::test {

struct DropProgram {
    explicit DropProgram(const std::string& programFolder)
        : folder(programFolder), files(folder, dialogs) {}

    Win32ProgramFolder folder;
    RecordingDialogs dialogs;
    ItemFiles files;
    Log log;
    FakeListWindowView largeView{"large", log};
    FakeListWindowView smallView{"small", log};
    FakeDropView dropView{log};
    FakeApp app{log};
    ActionGuard guard;
    std::string useList = kSmallStyle;
    ListWindow large{kLargeStyle, useList, files, dialogs, largeView, app, guard};
    ListWindow small{kSmallStyle, useList, files, dialogs, smallView, app, guard};
    DropWindow drop{useList, files, large, small, dropView, app, guard};
    DropIntake intake{drop, dialogs};
};

}  // namespace vantry::test
