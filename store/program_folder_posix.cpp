#include "store/program_folder_posix.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "store/path_helpers.h"
#include "store/text_encoding.h"

namespace vantry {

namespace {

WriteOutcome Failure(int error) {
    return {false, std::strerror(error)};
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

constexpr auto kTurnWait = std::chrono::seconds(2);
constexpr auto kTurnRetryPause = std::chrono::milliseconds(10);

// The turn is an exclusive lock on the folder itself, which leaves no file behind.
class FolderLock : public SaveTurn {
  public:
    explicit FolderLock(int fd) : folder_(fd) {}

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

}  // namespace

bool PosixProgramFolder::Exists(const std::string& name) {
    return FileExists(FullName(name));
}

bool PosixProgramFolder::Present(const std::string& name) {
    struct stat info {};
    return ::stat(FullName(name).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::optional<std::string> PosixProgramFolder::Read(const std::string& name) {
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
    return DecodeFileText(content, SystemCodePage());
}

WriteOutcome PosixProgramFolder::Replace(const std::string& name, const std::string& content) {
    static std::atomic<unsigned> counter{0};
    std::string target = FullName(name);
    std::string temporary =
        TemporaryName(target, static_cast<unsigned long>(::getpid()), counter++);
    Descriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (file.Get() < 0) return Failure(errno);
    // The data must be on disk before the rename makes it the file's content.
    if (!WriteAll(file.Get(), EncodeFileText(content, SystemCodePage())) ||
        ::fsync(file.Get()) != 0 || !file.Close()) {
        int error = errno;
        ::unlink(temporary.c_str());
        return Failure(error);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        int error = errno;
        ::unlink(temporary.c_str());
        return Failure(error);
    }
    Descriptor folder(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0) ::fsync(folder.Get());
    return {};
}

std::unique_ptr<SaveTurn> PosixProgramFolder::TakeSaveTurn(TurnRefusal& refused) {
    int fd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        refused.reason = std::strerror(errno);
        return nullptr;
    }
    auto turn = std::make_unique<FolderLock>(fd);
    const auto deadline = std::chrono::steady_clock::now() + kTurnWait;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            refused.reason = std::strerror(errno);
            return nullptr;
        }
        std::this_thread::sleep_for(kTurnRetryPause);
    }
    // The lock is taken on a read-only folder too: whether a file can be made there is asked.
    if (::access(folder_.c_str(), W_OK) != 0 && (errno == EROFS || errno == EACCES)) {
        refused.reason = std::strerror(errno);
        refused.readOnly = true;
        return nullptr;
    }
    return turn;
}

}  // namespace vantry
