#include "store/program_folder_win32.h"

#include <windows.h>

#include <atomic>

#include "platform/text_win32.h"
#include "store/path_helpers.h"
#include "store/text_encoding.h"

namespace vantry {

namespace {

// An indexer or a virus scanner may hold a file for a moment; such a write is tried again for
// about half a second before it counts as failed.
constexpr int kLockedRetries = 10;
constexpr DWORD kLockedRetryPauseMs = 50;

// Replacing a file that another process holds open without delete sharing fails with
// ERROR_ACCESS_DENIED rather than a sharing violation; read-only files are ruled out before.
bool IsTransientLock(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        if (!Valid()) return true;
        bool ok = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return ok;
    }

  private:
    HANDLE handle_;
};

// Writers wait this long for the save turn: a save holds it for a few milliseconds, a flush to a
// slow stick or share for some more.
constexpr ULONGLONG kTurnWaitMs = 2000;
constexpr DWORD kTurnRetryPauseMs = 10;
constexpr const char* kTurnFile = "Vantry.lock";
// Tried when another writer (on another PC, with the same process id) has a temporary name taken.
constexpr unsigned kTemporaryTries = 100;

const AnsiCodePage& SystemCodePage() {
    static const AnsiCodePage codePage{ToAnsi, FromAnsi};
    return codePage;
}

WriteOutcome Failure(DWORD error) {
    return {false, SystemMessage(error)};
}

// The turn is a file opened without sharing: the system lets one writer have it, on a network
// share too, and deletes it when the handle closes, also when the process is killed.
class FileSaveTurn : public SaveTurn {
  public:
    explicit FileSaveTurn(HANDLE file) : file_(file) {}

  private:
    FileHandle file_;
};

// Access is denied both to a file whose deletion is pending (a turn that just ended) and where no
// file may be made at all (a folder the user may not write to): only the first is worth a wait.
bool DeletePending(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    return GetLastError() == ERROR_ACCESS_DENIED;
}

// A new file under a name no other writer uses, open for writing; its name in temporary.
HANDLE CreateTemporary(const std::wstring& target, std::wstring& temporary) {
    static std::atomic<unsigned> counter{0};
    const std::string name = Narrow(target);
    for (unsigned tries = 0; tries < kTemporaryTries; ++tries) {
        temporary = Widen(TemporaryName(name, GetCurrentProcessId(), counter++));
        HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

// Writes bytes to a new temporary file for target; its name in temporary.
WriteOutcome WriteTemporary(const std::wstring& target, const std::string& bytes,
                            std::wstring& temporary) {
    FileHandle file(CreateTemporary(target, temporary));
    if (!file.Valid()) return Failure(GetLastError());
    DWORD written = 0;
    if (!bytes.empty() && (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                      &written, nullptr) ||
                           written != bytes.size())) {
        return Failure(GetLastError());
    }
    // The data must be on disk before the rename makes it the file's content.
    if (!FlushFileBuffers(file.Get()) || !file.Close()) return Failure(GetLastError());
    return {};
}

}  // namespace

std::string ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::size_t slash = path.find_last_of(L"\\/");
    return Narrow(slash == std::wstring::npos ? L"." : path.substr(0, slash));
}

std::wstring FolderIdentity(const std::wstring& folder) {
    // A bare drive ("R:") names the current folder on that drive, not its root.
    const std::wstring path = folder.size() == 2 && folder[1] == L':' ? folder + L"\\" : folder;
    FileHandle handle(CreateFileW(path.c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle.Valid()) return {};
    constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    std::wstring identity(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(handle.Get(), identity.data(),
                                             static_cast<DWORD>(identity.size()), kFlags);
    if (length >= identity.size()) {
        // Too small: the length given counts the closing null as well.
        identity.resize(length);
        length = GetFinalPathNameByHandleW(handle.Get(), identity.data(), length, kFlags);
        if (length >= identity.size()) return {};
    }
    identity.resize(length);
    return identity;
}

bool Win32ProgramFolder::Exists(const std::string& name) {
    return FileExists(FullName(name));
}

bool Win32ProgramFolder::Present(const std::string& name) {
    DWORD attributes = GetFileAttributesW(Widen(FullName(name)).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> Win32ProgramFolder::Read(const std::string& name) {
    FileHandle file(CreateFileW(Widen(FullName(name)).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) ||
        static_cast<std::uint64_t>(size.QuadPart) > kMaxFileBytes) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return std::nullopt;
    }
    bytes.resize(read);
    return DecodeFileText(bytes, SystemCodePage());
}

WriteOutcome Win32ProgramFolder::Replace(const std::string& name, const std::string& content) {
    std::wstring target = Widen(FullName(name));

    // A read-only file is not to be replaced, just as it could not be written in place.
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return Failure(ERROR_ACCESS_DENIED);
    }

    RemoveLeftovers(name);
    std::wstring temporary;
    WriteOutcome written =
        WriteTemporary(target, EncodeFileText(content, SystemCodePage()), temporary);
    if (!written.ok) {
        if (!temporary.empty()) DeleteFileW(temporary.c_str());
        return written;
    }
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(temporary.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return {};
        }
        DWORD error = GetLastError();
        if (!IsTransientLock(error) || attempt >= kLockedRetries) {
            DeleteFileW(temporary.c_str());
            return Failure(error);
        }
        Sleep(kLockedRetryPauseMs);
    }
}

std::unique_ptr<SaveTurn> Win32ProgramFolder::TakeSaveTurn(TurnRefusal& refused) {
    const std::wstring path = Widen(FullName(kTurnFile));
    const ULONGLONG deadline = GetTickCount64() + kTurnWaitMs;
    for (;;) {
        HANDLE file = CreateFileW(
            path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE) return std::make_unique<FileSaveTurn>(file);
        DWORD error = GetLastError();
        // Held by another writer, or still being deleted after its turn ended.
        bool taken = error == ERROR_SHARING_VIOLATION ||
                     (error == ERROR_ACCESS_DENIED && DeletePending(path));
        if (!taken || GetTickCount64() >= deadline) {
            refused.reason = SystemMessage(error);
            // No new file can be made here: a locked stick or a CD says so, a read-only share or
            // folder (and Wine, for a read-only mount) denies access.
            refused.readOnly =
                error == ERROR_WRITE_PROTECT || (error == ERROR_ACCESS_DENIED && !taken);
            return nullptr;
        }
        Sleep(kTurnRetryPauseMs);
    }
}

void Win32ProgramFolder::RemoveLeftovers(const std::string& name) {
    if (!swept_.insert(name).second) return;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Widen(FullName(name + ".*.new")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string file = Narrow(found.cFileName);
        if (IsTemporaryFor(name, file)) DeleteFileW(Widen(FullName(file)).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace vantry
