// Vantry's entry point: the program's folder is the executable's own.
#include <windows.h>
// windows.h must come first.
#include <commctrl.h>
#include <ole2.h>

#include "app/guarded_run.h"
#include "app/program_win32.h"
#include "platform/dpi_win32.h"
#include "platform/user_dialogs_win32.h"
#include "store/program_folder_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    vantry::EnableDpiAwareness();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // Drag and drop and the shell's link objects need OLE on this thread.
    OleInitialize(nullptr);
    vantry::Win32Dialogs dialogs;
    int result = vantry::RunReportingFailure(dialogs, [&dialogs] {
        vantry::Win32ProgramFolder folder(vantry::ExecutableFolder());
        vantry::Program program(folder, dialogs);
        program.Start();
        return program.Run();
    });
    OleUninitialize();
    return result;
}
