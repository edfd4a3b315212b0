// stdlib/file/fs_linux.cpp: current and temporary directories and unique names.
#include "stdlib/file/fs_linux.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <vector>

namespace tarvik {

bool fs_current_dir(std::string* out) {
    std::vector<char> buffer(PATH_MAX);
    while (!::getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE || buffer.size() >= (size_t(1) << 20)) return false;
        buffer.resize(buffer.size() * 2);
    }
    *out = buffer.data();
    return true;
}

std::string fs_temp_dir() {
    const char* env = std::getenv("TMPDIR");
    std::string dir = env && *env ? env : "/tmp";
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir;
}

bool fs_create_unique(const std::string& stem, bool directory, std::string* path_out, int* fd_out) {
    std::vector<char> name(stem.begin(), stem.end());
    name.insert(name.end(), {'X', 'X', 'X', 'X', 'X', 'X', '\0'});
    if (directory) {
        if (!::mkdtemp(name.data())) return false;
    } else {
        int fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0) return false;
        if (fd_out)
            *fd_out = fd;
        else
            ::close(fd);
    }
    *path_out = name.data();
    return true;
}

}  // namespace tarvik
