// The Linux twin: no short names; the desktop's opener stands in for the shell's open action.
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

void LaunchPath(const std::string& path, int /*showCommand*/) {
    char opener[] = "xdg-open";
    std::string copy = path;
    char* argv[] = {opener, copy.data(), nullptr};
    pid_t pid = 0;
    posix_spawnp(&pid, opener, nullptr, nullptr, argv, environ);
}

}  // namespace vantry
