// Keeps Wine's desktop up for a whole test run. Wine ends its desktop process a moment after the
// last program with a window ends, and starts it again for the next; a program that starts while
// the desktop is going away or coming back can find no desktop to draw on, and then no window of
// it ever shows. On Windows the desktop never goes away, so the tests run against one that
// stays: this program holds a hidden window until the wineserver ends it (env.sh).
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (!CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                         nullptr)) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
