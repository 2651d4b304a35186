#include <windows.h>
// windows.h must come first.
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

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

std::string LongPath(const std::string& path) {
    std::wstring wide = Widen(path);
    // The long form is not always the longer one (a hashed 8.3 name stands for a name in another
    // script). Each call walks the whole path on disk, and this one is on the click's way to the
    // shell: a buffer that fits nearly every path is tried first, and only a longer form that did
    // not fit is asked for again, at the size the system gave. Zero means no such path.
    std::wstring buffer(std::max<std::size_t>(wide.size() + 1, MAX_PATH), L'\0');
    for (int tries = 0; tries < 2; ++tries) {
        const auto size = static_cast<DWORD>(buffer.size());
        DWORD length = GetLongPathNameW(wide.c_str(), buffer.data(), size);
        if (length == 0) return path;
        if (length < size) {
            buffer.resize(length);
            return Narrow(buffer);
        }
        buffer.resize(length);  // the size needed, its closing null counted
    }
    return path;
}

TargetState TargetStateOf(const std::string& path) {
    // No "There is no disk in the drive" box over the check, on whatever thread it runs (the
    // launch checks on the window thread); the thread's mode is put back for what follows.
    DWORD mode = GetThreadErrorMode();
    SetThreadErrorMode(mode | SEM_FAILCRITICALERRORS, nullptr);
    bool there = GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    DWORD error = GetLastError();
    SetThreadErrorMode(mode, nullptr);
    if (there) return TargetState::Present;
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_NOT_READY:  // a card reader or optical drive without its disk
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return TargetState::Missing;
        default:  // access denied, a sharing violation: something is there
            return TargetState::Unknown;
    }
}

namespace {

class Win32LaunchShell : public LaunchShell {
  public:
    std::string LongForm(const std::string& path) override { return LongPath(path); }

    TargetState Check(const std::string& path) override { return TargetStateOf(path); }

    ShellError Call(const ShellCall& call) override {
        std::wstring file = Widen(call.file);
        if (call.kind == ShellCall::Kind::SelectInFolder) return SelectInFolder(file);
        std::wstring folder = Widen(call.folder);
        std::wstring verb = Widen(call.verb);
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof(info);
        // The program usually ends right after this call: without NOASYNC the shell may still
        // be finishing the activation (DDE, some shell extensions) on a thread of ours when the
        // process goes. NO_UI on the first try: a path that is not there is told by our own
        // message, not the shell's.
        info.fMask = SEE_MASK_NOASYNC | (call.quiet ? SEE_MASK_FLAG_NO_UI : 0);
        info.lpVerb = verb.empty() ? nullptr : verb.c_str();
        info.lpFile = file.c_str();
        info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
        info.nShow = call.showCommand;
        if (ShellExecuteExW(&info)) return ShellError::None;
        switch (GetLastError()) {
            case ERROR_FILE_NOT_FOUND:
            case ERROR_PATH_NOT_FOUND:
                return ShellError::NotFound;
            case ERROR_CANCELLED:  // an elevation prompt declined, an "Open with" closed
                return ShellError::Cancelled;
            default:
                return ShellError::Other;
        }
    }

  private:
    // The file manager's window of the item's folder, the item selected; the shell makes no
    // item of a path that is not there.
    static ShellError SelectInFolder(const std::wstring& file) {
        PIDLIST_ABSOLUTE item = ILCreateFromPathW(file.c_str());
        if (!item) return ShellError::NotFound;
        HRESULT result = SHOpenFolderAndSelectItems(item, 0, nullptr, 0);
        ILFree(item);
        return SUCCEEDED(result) ? ShellError::None : ShellError::Other;
    }
};

}  // namespace

LaunchResult LaunchPath(const std::string& path, int showCommand, LaunchMode mode) {
    Win32LaunchShell shell;
    return LaunchThrough(shell, path, showCommand, mode);
}

}  // namespace vantry
