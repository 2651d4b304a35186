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

std::string ShortPath(const std::string& path) {
    return path;
}

LaunchResult LaunchPath(const std::string& path, int /*showCommand*/) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
        return LaunchResult::NotFound;
    }
    char opener[] = "xdg-open";
    std::string copy = path;
    char* argv[] = {opener, copy.data(), nullptr};
    pid_t pid = 0;
    bool spawned = posix_spawnp(&pid, opener, nullptr, nullptr, argv, environ) == 0;
    return spawned ? LaunchResult::Started : LaunchResult::Failed;
}

}  // namespace vantry
