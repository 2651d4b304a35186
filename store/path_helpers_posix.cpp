// The Linux twin: no short names; the desktop's opener stands in for the shell's open action.
#include <errno.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include "store/path_helpers.h"

extern char** environ;

namespace vantry {

bool FileExists(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    struct stat info {};
    bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    close(fd);
    return regular;
}

std::string LongPath(const std::string& path) {
    return path;
}

TargetState TargetStateOf(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) return TargetState::Present;
    return errno == ENOENT || errno == ENOTDIR ? TargetState::Missing : TargetState::Unknown;
}

namespace {

// The desktop's opener for every call: it knows no verbs, no working folder and no selection,
// so a folder to show an item in is opened as it is.
class PosixLaunchShell : public LaunchShell {
  public:
    std::string LongForm(const std::string& path) override { return path; }
    TargetState Check(const std::string& path) override { return TargetStateOf(path); }
    ShellError Call(const ShellCall& call) override {
        std::string target = call.file;
        if (call.kind == ShellCall::Kind::SelectInFolder) {
            target = target.substr(0, target.rfind('/') + 1);
        }
        if (TargetStateOf(target) == TargetState::Missing) return ShellError::NotFound;
        char opener[] = "xdg-open";
        char* argv[] = {opener, target.data(), nullptr};
        pid_t pid = 0;
        return posix_spawnp(&pid, opener, nullptr, nullptr, argv, environ) == 0 ? ShellError::None
                                                                                : ShellError::Other;
    }
};

}  // namespace

LaunchResult LaunchPath(const std::string& path, int showCommand, LaunchMode mode) {
    PosixLaunchShell shell;
    return LaunchThrough(shell, path, showCommand, mode);
}

}  // namespace vantry
