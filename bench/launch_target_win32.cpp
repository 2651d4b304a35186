// The item that the launch benchmark opens: tells the benchmark it is running, then ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    HANDLE running = OpenEventW(EVENT_MODIFY_STATE, FALSE, L"VantryLaunchBenchTarget");
    if (!running) return 1;
    SetEvent(running);
    CloseHandle(running);
    return 0;
}
