// Vantry's entry point: the program's folder is the executable's own.
#include <windows.h>
// windows.h must come first.
#include <commctrl.h>
#include <ole2.h>

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
    int result = 0;
    bool lookUpRunning = false;
    {
        vantry::Win32ProgramFolder folder(vantry::ExecutableFolder());
        vantry::Win32Dialogs dialogs;
        vantry::Program program(folder, dialogs);
        program.Start();
        result = program.Run();
        lookUpRunning = program.Icons().InFlight() > 0;
    }
    OleUninitialize();
    // Everything is saved and every window closed. An icon look-up still in the shell may hold a
    // lock that the libraries' detach code at ExitProcess would wait for; ending without that
    // code leaves nothing of ours undone.
    if (lookUpRunning) TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}
