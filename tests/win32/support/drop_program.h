#pragma once
// The program's windows over a real program folder, with fake views: what the drop target
// drives in tests.

#include <string>

#include "app/drop/drop_intake.h"
#include "store/program_folder_win32.h"
#include "tests/native/support/app_fakes.h"

namespace vantry::test {

struct Win32FolderHolder {
    Win32ProgramFolder folder;
};

struct DropProgram : Win32FolderHolder, WindowsOnFakeViews {
    explicit DropProgram(const std::string& programFolder)
        : Win32FolderHolder{Win32ProgramFolder(programFolder)}, WindowsOnFakeViews(folder) {}

    DropIntake intake{drop, dialogs};
};

}  // namespace vantry::test
