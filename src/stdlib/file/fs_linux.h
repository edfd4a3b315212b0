// stdlib/file/fs_linux.h: the operating-system edge of the File, Path and Directory
// modules: the current and temporary directories, unique names, and descriptor
// owners so that no error path leaks a descriptor.
#pragma once

#include <string>
#include <unistd.h>

namespace tarvik {

// Closes its descriptor when it goes out of scope.
struct ScopedFd {
    explicit ScopedFd(int descriptor = -1) : fd(descriptor) {}
    ~ScopedFd() {
        if (fd >= 0) ::close(fd);
    }
    ScopedFd(const ScopedFd&) = delete;
    ScopedFd& operator=(const ScopedFd&) = delete;
    // Closes now and reports whether the close succeeded (write errors may show here).
    bool close_checked() {
        int f = fd;
        fd = -1;
        return f < 0 || ::close(f) == 0;
    }
    int fd;
};

// The current directory; false when it cannot be read (e.g. it was removed).
bool fs_current_dir(std::string* out);
// $TMPDIR when set and not empty, else "/tmp"; trailing "/" removed.
std::string fs_temp_dir();
// Creates "<stem>XXXXXX" exclusively (six random characters), as an empty file or a
// directory, and stores the name; false when it cannot be created. A created file
// is closed unless `fd_out` is given, which then receives the open descriptor.
bool fs_create_unique(const std::string& stem, bool directory, std::string* path_out, int* fd_out = nullptr);

}  // namespace tarvik
