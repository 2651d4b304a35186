#include <windows.h>
// windows.h must come first.
#include <shellapi.h>

#include "platform/text_win32.h"
#include "store/path_helpers.h"

namespace vantry {

bool FileExists(const std::string& path) {
    // Opening for reading with full sharing still fails for a folder, a missing file and a file
    // another process holds open without sharing, which is exactly when a read would fail.
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

std::string ShortPath(const std::string& path) {
    std::wstring wide = Widen(path);
    // The short form can be the longer one (a name the code page cannot hold becomes a hashed
    // 8.3 name), so the system is asked for its size first. Zero means no such path.
    DWORD needed = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (needed == 0) return path;
    std::wstring buffer(needed, L'\0');
    DWORD length = GetShortPathNameW(wide.c_str(), buffer.data(), needed);
    if (length == 0 || length >= needed) return path;
    buffer.resize(length);
    return Narrow(buffer);
}

LaunchResult LaunchPath(const std::string& path, int showCommand) {
    std::wstring file = Widen(ShortPath(path));
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // The program usually ends right after this call: without NOASYNC the shell may still be
    // finishing the activation (DDE, some shell extensions) on a thread of ours when the process
    // goes. NO_UI first: a path that is not there is told by our own message, not the shell's.
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpFile = file.c_str();
    info.nShow = showCommand;
    if (ShellExecuteExW(&info)) return LaunchResult::Started;
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        return LaunchResult::NotFound;
    }
    // Any other failure (no program for the type, access denied) failed before starting
    // anything: asked again with the shell's own dialogs, which may offer a way ("Open with").
    info.fMask = SEE_MASK_NOASYNC;
    return ShellExecuteExW(&info) ? LaunchResult::Started : LaunchResult::Failed;
}

}  // namespace vantry
