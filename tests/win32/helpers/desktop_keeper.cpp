// Keeps Wine's desktop up for a whole test run. Wine ends its desktop process a moment after the
// last program with a window ends, and starts it again for the next; a program that starts while
// the desktop is going away or coming back can find no desktop to draw on, and then no window of
// it ever shows. On Windows the desktop never goes away, so the tests run against one that
// stays: this program holds a hidden window until the wineserver ends it (env.sh).
//
// It prints "ready" once the desktop it joined has outlived the moment Wine takes to close one
// that nobody used: joined while going away, it ends with 1 instead, and env.sh starts it again.
// Tests started before that would start a desktop of their own, and it would hold their output
// open for as long as this program keeps it up.
#include <windows.h>

#include <cstdio>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (!CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                         nullptr)) {
        return 1;
    }
    DWORD desktopProcess = 0;
    GetWindowThreadProcessId(GetDesktopWindow(), &desktopProcess);
    HANDLE desktop = OpenProcess(SYNCHRONIZE, FALSE, desktopProcess);
    if (!desktop) return 1;
    const bool stayed = WaitForSingleObject(desktop, 3000) == WAIT_TIMEOUT;
    CloseHandle(desktop);
    if (!stayed) return 1;
    std::puts("ready");
    std::fflush(stdout);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
