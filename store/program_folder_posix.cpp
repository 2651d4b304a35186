#include "store/program_folder_posix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "store/path_helpers.h"

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
    return content;
}

WriteOutcome PosixProgramFolder::Replace(const std::string& name, const std::string& content) {
    std::string target = FullName(name);
    std::string temporary = target + ".new";
    Descriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (file.Get() < 0) return Failure(errno);
    // The data must be on disk before the rename makes it the file's content.
    if (!WriteAll(file.Get(), content) || ::fsync(file.Get()) != 0 || !file.Close()) {
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

}  // namespace vantry
