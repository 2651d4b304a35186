// Vantry's entry point: the program's folder is the executable's own.
#include <windows.h>
// windows.h must come first.
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/program/guarded_run.h"
#include "app/program/program_win32.h"
#include "app/program/single_instance_win32.h"
#include "app/taskbar/taskbar_shell_win32.h"
#include "platform/clipboard_win32.h"
#include "platform/dpi_win32.h"
#include "platform/process_reference_win32.h"
#include "platform/system_functions_win32.h"
#include "platform/text_win32.h"
#include "platform/user_dialogs_win32.h"
#include "store/program_folder_win32.h"

namespace {

// The arguments after the program's name, as the system splits a command line.
std::vector<std::string> Arguments() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; words && i < count; ++i) args.push_back(vantry::Narrow(words[i]));
    if (words) LocalFree(words);
    return args;
}

// The running program's own path, which its shortcuts and jump lists start.
std::string ProgramPath() {
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? vantry::Narrow(path) : std::string();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before anything can load a DLL by name: a look-alike beside the program is never searched.
    vantry::RestrictDllSearchToSystem32();
    vantry::EnableDpiAwareness();
    vantry::Win32Dialogs dialogs;
    const std::vector<std::string> args = Arguments();
    const vantry::ParsedCommandLine command = vantry::ParseCommandLine(args);
    // Told once, then the start goes on as without a command line.
    if (command.bad) dialogs.ShowError(vantry::CommandLineUsage(args));
    // A second start from this folder hands over to the running copy before any file is read.
    vantry::SingleInstance instance(vantry::Widen(vantry::ExecutableFolder()), command.request);
    if (!instance.ShouldRun()) return 0;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // Drag and drop and the shell's link objects need OLE on this thread.
    OleInitialize(nullptr);
    bool lookUpRunning = false;
    // Held by a shell menu's command that goes on after its call returned.
    vantry::ProcessReference processReference;
    int result = vantry::RunReportingFailure(dialogs, [&] {
        vantry::Win32ProgramFolder folder(vantry::ExecutableFolder());
        vantry::Program program(folder, dialogs);
        program.UseIconCache(folder);
        vantry::ShellJumpLists jumpLists(ProgramPath());
        program.UseTaskbar(vantry::ExecutableFolder(), ProgramPath(), jumpLists);
        instance.OnLaterStart(
            [&program] { return program.BringToFront(); },
            [&program](const vantry::StartRequest& request) { program.CarryOut(request); });
        program.onAllSaved = [&instance, &processReference](bool otherWindowsOpen) {
            // The folder is free for a new start at once, whatever still runs here.
            instance.Leave();
            // What the shell menu's Copy or Cut put on the clipboard is served by an object in
            // this process: rendered onto the clipboard now, or it would end with the process.
            vantry::RenderClipboardBeforeEnd();
            // Every file is written and the shell has had the item: nothing is left that the
            // windows' teardown or the libraries' detach code would do for the user. Unless a
            // shell command's window (a Properties sheet) runs here: then the windows close as
            // usual and the process ends with the last of those (Program::Run), or a shell
            // menu's command still runs: the process ends once it has let go.
            if (!otherWindowsOpen && !processReference.Held()) {
                TerminateProcess(GetCurrentProcess(), 0);
            }
        };
        program.Start(command.request);
        int code = program.Run();
        processReference.WaitUntilReleased();
        instance.OnLaterStart(nullptr, nullptr);
        lookUpRunning = program.Icons().ThreadsBusy();
        return code;
    });
    OleUninitialize();
    // Everything is saved and every window closed. An icon look-up still in the shell, or a check
    // still blocked on a server that stopped answering, may hold a lock that the libraries' detach
    // code at ExitProcess would wait for; ending without that code leaves nothing of ours undone.
    if (lookUpRunning) TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}
