#include "store/program_folder_posix.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <thread>

#include "store/path_helpers.h"

namespace vantry {

namespace {

FileCall Failure(int error, FileCall::Status status = FileCall::Status::kFailed) {
    return {status, std::strerror(error)};
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    bool Close() {
        if (fd_ < 0) return true;
        bool ok = ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

  private:
    int fd_;
};

// Linux file names and text are UTF-8: the "ANSI" code page takes every text as it is.
const AnsiCodePage& SystemCodePage() {
    static const AnsiCodePage codePage{[](const std::string& text, std::string& bytes) {
                                           bytes = text;
                                           return true;
                                       },
                                       [](const std::string& bytes) { return bytes; }};
    return codePage;
}

// The turn is an exclusive lock on the folder itself, which leaves no file behind, nor any sign of
// how the last turn ended: every turn sweeps.
class FolderLock : public FileTurn {
  public:
    explicit FolderLock(int fd) : folder_(fd) {}
    bool Abandoned() const override { return true; }
    void LeaveAbandoned() override {}

  private:
    Descriptor folder_;
};

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

class PosixNewFile : public NewFile {
  public:
    explicit PosixNewFile(int fd) : file_(fd) {}
    FileCall Write(const std::string& bytes) override {
        return WriteAll(file_.Get(), bytes) ? FileCall{} : Failure(errno);
    }
    FileCall FlushAndClose() override {
        if (::fsync(file_.Get()) != 0 || !file_.Close()) return Failure(errno);
        return {};
    }

  private:
    Descriptor file_;
};

}  // namespace

PosixProgramFolder::PosixProgramFolder(std::string folder)
    : ProtocolFolder(SystemCodePage()), folder_(std::move(folder)) {}

bool PosixProgramFolder::Readable(const std::string& name) {
    return FileExists(FullName(name));
}

bool PosixProgramFolder::IsFile(const std::string& name) {
    struct stat info {};
    return ::stat(FullName(name).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::optional<std::string> PosixProgramFolder::ReadBytes(const std::string& name) {
    Descriptor file(::open(FullName(name).c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 ||
        static_cast<std::uint64_t>(info.st_size) > kMaxFileBytes) {
        return std::nullopt;
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(file.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        content.append(buffer, static_cast<std::size_t>(n));
    }
    return content;
}

// A file's mode does not keep rename from replacing it, as a read-only attribute does on Windows.
FileCall PosixProgramFolder::CanReplace(const std::string&) {
    return {};
}

FileCall PosixProgramFolder::CreateNew(const std::string& name, std::unique_ptr<NewFile>& file) {
    int fd = ::open(FullName(name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        return Failure(errno,
                       errno == EEXIST ? FileCall::Status::kExists : FileCall::Status::kFailed);
    }
    file = std::make_unique<PosixNewFile>(fd);
    return {};
}

FileCall PosixProgramFolder::RenameReplacing(const std::string& from, const std::string& to) {
    if (::rename(FullName(from).c_str(), FullName(to).c_str()) != 0) return Failure(errno);
    Descriptor folder(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0) ::fsync(folder.Get());
    return {};
}

bool PosixProgramFolder::Delete(const std::string& name) {
    return ::unlink(FullName(name).c_str()) == 0 || errno == ENOENT;
}

std::vector<std::string> PosixProgramFolder::NamesStartingWith(const std::string& prefix) {
    std::vector<std::string> names;
    DIR* folder = ::opendir(folder_.c_str());
    if (!folder) return names;
    while (const dirent* entry = ::readdir(folder)) {
        std::string name = entry->d_name;
        if (name.starts_with(prefix)) names.push_back(std::move(name));
    }
    ::closedir(folder);
    return names;
}

FileCall PosixProgramFolder::TryTakeTurn(std::unique_ptr<FileTurn>& turn) {
    int fd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Failure(errno);
    auto lock = std::make_unique<FolderLock>(fd);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return Failure(errno, errno == EWOULDBLOCK || errno == EINTR ? FileCall::Status::kBusy
                                                                     : FileCall::Status::kFailed);
    }
    // The lock is taken on a read-only folder too: whether a file can be made there is asked.
    if (::access(folder_.c_str(), W_OK) != 0 && (errno == EROFS || errno == EACCES)) {
        return Failure(errno, FileCall::Status::kReadOnly);
    }
    turn = std::move(lock);
    return {};
}

std::uint64_t PosixProgramFolder::NowMs() {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

void PosixProgramFolder::Pause(unsigned ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::uint64_t PosixProgramFolder::RandomBits() {
    thread_local std::mt19937_64 bits{(static_cast<std::uint64_t>(std::random_device{}()) << 32) ^
                                      std::random_device{}() ^
                                      static_cast<std::uint64_t>(::getpid())};
    return bits();
}

}  // namespace vantry
