#include "store/program_folder_win32.h"

#include <windows.h>

#include "platform/text_win32.h"
#include "store/path_helpers.h"

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

WriteOutcome Failure(DWORD error) {
    return {false, SystemMessage(error)};
}

WriteOutcome WriteWholeFile(const std::wstring& path, const std::string& bytes) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
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
    return FromAnsi(bytes);
}

WriteOutcome Win32ProgramFolder::Replace(const std::string& name, const std::string& content) {
    std::string ansi;
    if (!ToAnsi(content, ansi)) return Failure(ERROR_NO_UNICODE_TRANSLATION);
    std::wstring target = Widen(FullName(name));
    std::wstring temporary = target + L".new";

    // A read-only file is not to be replaced, just as it could not be written in place.
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return Failure(ERROR_ACCESS_DENIED);
    }

    WriteOutcome written = WriteWholeFile(temporary, ansi);
    if (!written.ok) {
        DeleteFileW(temporary.c_str());
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

std::optional<std::string> Win32ProgramFolder::StorableForm(const std::string& text, bool isPath) {
    std::string ansi;
    if (ToAnsi(text, ansi)) return text;
    if (!isPath) return std::nullopt;
    std::string shortForm = ShortPath(text);
    if (shortForm != text && ToAnsi(shortForm, ansi)) return shortForm;
    return std::nullopt;
}

}  // namespace vantry
