// The program the launch tests open: writes the command line it was started with and the folder
// it was started in, one a line (UTF-8, CR LF), to "launched.txt" beside itself, then ends. The
// file appears whole (written aside, then renamed), so a reader never sees half of it.

#include <windows.h>

#include <string>

#include "platform/text_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t self[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self, length);
    folder.resize(folder.rfind(L'\\') + 1);
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    std::string text =
        vantry::Narrow(GetCommandLineW()) + "\r\n" + vantry::Narrow(current) + "\r\n";
    std::wstring aside = folder + L"launched.tmp";
    HANDLE file = CreateFileW(aside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok) return 1;
    return MoveFileExW(aside.c_str(), (folder + L"launched.txt").c_str(), MOVEFILE_REPLACE_EXISTING)
               ? 0
               : 1;
}
