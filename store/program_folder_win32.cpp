#include "store/program_folder_win32.h"

#include <windows.h>

#include <random>

#include "platform/text_win32.h"
#include "store/path_helpers.h"
#include "store/text_encoding.h"

namespace vantry {

namespace {

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

FileCall Failure(DWORD error, FileCall::Status status = FileCall::Status::kFailed) {
    return {status, SystemMessage(error)};
}

// The turn is a file opened without sharing: the system lets one writer have it, on a network
// share too. Its end deletes it; a writer killed in its turn leaves it, and whoever opens it next
// finds it there.
class FileSaveTurn : public FileTurn {
  public:
    FileSaveTurn(HANDLE file, bool abandoned) : file_(file), abandoned_(abandoned) {}
    ~FileSaveTurn() override {
        if (leaveAbandoned_) return;
        // Deleted when the handle closes, below.
        FILE_DISPOSITION_INFO gone{TRUE};
        SetFileInformationByHandle(file_.Get(), FileDispositionInfo, &gone, sizeof(gone));
    }
    bool Abandoned() const override { return abandoned_; }
    void LeaveAbandoned() override { leaveAbandoned_ = true; }

  private:
    FileHandle file_;
    bool abandoned_;
    bool leaveAbandoned_ = false;
};

// Access is denied both to a file whose deletion is pending (a turn that just ended) and where no
// file may be made at all (a folder the user may not write to): only the first is worth a wait.
bool DeletePending(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    return GetLastError() == ERROR_ACCESS_DENIED;
}

class Win32NewFile : public NewFile {
  public:
    explicit Win32NewFile(HANDLE handle) : file_(handle) {}
    FileCall Write(const std::string& bytes) override {
        DWORD written = 0;
        if (!WriteFile(file_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr) ||
            written != bytes.size()) {
            return Failure(GetLastError());
        }
        return {};
    }
    FileCall FlushAndClose() override {
        if (!FlushFileBuffers(file_.Get()) || !file_.Close()) return Failure(GetLastError());
        return {};
    }

  private:
    FileHandle file_;
};

}  // namespace

Win32ProgramFolder::Win32ProgramFolder(std::string folder)
    : ProtocolFolder(AnsiCodePage{ToAnsi, FromAnsi}), folder_(std::move(folder)) {}

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

bool Win32ProgramFolder::Readable(const std::string& name) {
    return FileExists(FullName(name));
}

bool Win32ProgramFolder::IsFile(const std::string& name) {
    DWORD attributes = GetFileAttributesW(Widen(FullName(name)).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

FileCall Win32ProgramFolder::CanReplace(const std::string& name) {
    DWORD attributes = GetFileAttributesW(Widen(FullName(name)).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return Failure(ERROR_ACCESS_DENIED);
    }
    return {};
}

std::optional<std::string> Win32ProgramFolder::ReadBytes(const std::string& name) {
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
    return bytes;
}

FileCall Win32ProgramFolder::CreateNew(const std::string& name, std::unique_ptr<NewFile>& file) {
    HANDLE handle = CreateFileW(Widen(FullName(name)).c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return Failure(error, error == ERROR_FILE_EXISTS ? FileCall::Status::kExists
                                                         : FileCall::Status::kFailed);
    }
    file = std::make_unique<Win32NewFile>(handle);
    return {};
}

FileCall Win32ProgramFolder::RenameReplacing(const std::string& from, const std::string& to) {
    if (MoveFileExW(Widen(FullName(from)).c_str(), Widen(FullName(to)).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return {};
    }
    DWORD error = GetLastError();
    return Failure(error,
                   IsTransientLock(error) ? FileCall::Status::kBusy : FileCall::Status::kFailed);
}

bool Win32ProgramFolder::Delete(const std::string& name) {
    return DeleteFileW(Widen(FullName(name)).c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

std::vector<std::string> Win32ProgramFolder::NamesStartingWith(const std::string& prefix) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Widen(FullName(prefix + "*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.push_back(Narrow(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

FileCall Win32ProgramFolder::TryTakeTurn(std::unique_ptr<FileTurn>& turn) {
    const std::wstring path = Widen(FullName(kTurnFile));
    // Access is denied where no file may be made, and also to a turn's file still being deleted:
    // deleted between the two calls, that file looks like the first case, so a denial with no
    // file is tried again before it counts as a folder that cannot be written.
    constexpr int kDeniedTries = 3;
    DWORD error = ERROR_ACCESS_DENIED;
    for (int tries = 0; tries < kDeniedTries && error == ERROR_ACCESS_DENIED; ++tries) {
        // Not hidden: under Wine that attribute is written to the disk apart, at every save.
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            turn = std::make_unique<FileSaveTurn>(file, GetLastError() == ERROR_ALREADY_EXISTS);
            return {};
        }
        error = GetLastError();
        // Held by another writer, or still being deleted after its turn ended.
        if (error == ERROR_ACCESS_DENIED && DeletePending(path)) {
            return Failure(error, FileCall::Status::kBusy);
        }
    }
    if (error == ERROR_SHARING_VIOLATION) return Failure(error, FileCall::Status::kBusy);
    // No new file can be made here: a locked stick or a CD says so, a read-only share or folder
    // (and Wine, for a read-only mount) denies access.
    bool readOnly = error == ERROR_WRITE_PROTECT || error == ERROR_ACCESS_DENIED;
    return Failure(error, readOnly ? FileCall::Status::kReadOnly : FileCall::Status::kFailed);
}

std::uint64_t Win32ProgramFolder::NowMs() {
    return GetTickCount64();
}

void Win32ProgramFolder::Pause(unsigned ms) {
    ::Sleep(ms);
}

std::uint64_t Win32ProgramFolder::RandomBits() {
    thread_local std::mt19937_64 bits{(static_cast<std::uint64_t>(std::random_device{}()) << 32) ^
                                      std::random_device{}() ^ GetTickCount64() ^
                                      (static_cast<std::uint64_t>(GetCurrentProcessId()) << 20)};
    return bits();
}

}  // namespace vantry
