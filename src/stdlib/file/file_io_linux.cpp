// stdlib/file/file_io_linux.cpp: whole-file reads, writes, copies and time changes.
#include "stdlib/file/file_io_linux.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sodium.h>
#include <vector>

#include "stdlib/file/fs_linux.h"
#include "stdlib/stream/tracked_files.h"

namespace tarvik {

namespace {

int write_all(int fd, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        p += n;
        size -= size_t(n);
    }
    return 0;
}

// errno of a failed call, never 0 (a failure must not read as success).
int last_error() { return errno ? errno : EIO; }

}  // namespace

int file_read_whole(const std::string& path, std::string* out) {
    TrackedFile file(tracked_open(path.c_str(), "rb"));
    if (!file.file) return last_error();
    int fd = ::fileno(file.file);
    struct stat st;
    if (::fstat(fd, &st) != 0) return last_error();
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (S_ISREG(st.st_mode) && size_t(st.st_size) > kMaxWholeFileBytes) return EFBIG;
    out->clear();
    // Regular files are read to their size; pipes and devices until their end.
    out->reserve(S_ISREG(st.st_mode) ? size_t(st.st_size) : 0);
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return last_error();
        }
        if (n == 0) return 0;
        if (out->size() + size_t(n) > kMaxWholeFileBytes) return EFBIG;
        out->append(buffer, size_t(n));
    }
}

int file_write_whole(const std::string& path, const void* data, size_t size, bool append) {
    TrackedFile file(tracked_open(path.c_str(), append ? "ab" : "wb"));
    if (!file.file) return last_error();
    // Written past stdio's buffer, which stays empty.
    if (int error = write_all(::fileno(file.file), data, size)) return error;
    return file.close_checked() ? 0 : last_error();
}

int file_write_atomic(const std::string& path, const void* data, size_t size) {
    size_t separator = path.find_last_of("/\\");
    std::string directory = separator == std::string::npos ? "" : path.substr(0, separator + 1);
    if (directory.size() > 4077) return ENAMETOOLONG;
    std::string temporary;
    int fd = -1;
    if (!fs_create_unique(directory + ".tarviktmp_", false, &temporary, &fd)) return last_error();
    ScopedFd file(fd);
    // The temporary is created 0600; the result gets the target's bits, or the
    // bits a new file would get.
    struct stat target;
    mode_t mode;
    if (::stat(path.c_str(), &target) == 0) {
        mode = target.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    int error = write_all(file.fd, data, size);
    if (!error && ::fchmod(file.fd, mode) != 0) error = last_error();
    if (!error && ::fsync(file.fd) != 0) error = last_error();
    if (!file.close_checked() && !error) error = last_error();
    if (!error && ::rename(temporary.c_str(), path.c_str()) != 0) error = last_error();
    if (error) {
        ::unlink(temporary.c_str());
        return error;
    }
    // The rename itself becomes durable with the directory's entry.
    ScopedFd dir(::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.fd >= 0) ::fsync(dir.fd);
    return 0;
}

int file_copy(const std::string& source, const std::string& destination) {
    ScopedFd in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.fd < 0) return last_error();
    struct stat st, existing;
    if (::fstat(in.fd, &st) != 0) return last_error();
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (::stat(destination.c_str(), &existing) == 0 && existing.st_dev == st.st_dev && existing.st_ino == st.st_ino)
        return EINVAL;
    ScopedFd out(::open(destination.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, st.st_mode & 07777));
    if (out.fd < 0) return last_error();
    int error = 0;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(in.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) error = last_error();
        if (n <= 0) break;
        if ((error = write_all(out.fd, buffer, size_t(n))) != 0) break;
    }
    if (!out.close_checked() && !error) error = last_error();
    // A half-written copy is worse than none.
    if (error) ::unlink(destination.c_str());
    return error;
}

int file_move(const std::string& source, const std::string& destination) {
    if (::rename(source.c_str(), destination.c_str()) == 0) return 0;
    if (errno != EXDEV) return last_error();
    if (int error = file_copy(source, destination)) return error;
    return ::unlink(source.c_str()) == 0 ? 0 : last_error();
}

int file_touch(const std::string& path) {
    TrackedFile file(tracked_open(path.c_str(), "ab"));
    if (!file.file) return last_error();
    if (::futimens(::fileno(file.file), nullptr) != 0) return last_error();
    return file.close_checked() ? 0 : last_error();
}

int file_set_modified(const std::string& path, int64_t seconds) {
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = time_t(seconds);
    times[1].tv_nsec = 0;
    return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0 ? 0 : last_error();
}

int file_sha256(const std::string& path, uint8_t digest[32]) {
    ScopedFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.fd < 0) return last_error();
    struct stat st;
    if (::fstat(file.fd, &st) != 0) return last_error();
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (sodium_init() < 0) return ENOMEM;  // idempotent and thread-safe; workers call this too
    crypto_hash_sha256_state state;
    crypto_hash_sha256_init(&state);
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(file.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return last_error();
        if (n == 0) break;
        crypto_hash_sha256_update(&state, reinterpret_cast<const unsigned char*>(buffer), size_t(n));
    }
    crypto_hash_sha256_final(&state, digest);
    return 0;
}

int file_read_link(const std::string& path, std::string* out) {
    std::vector<char> buffer(PATH_MAX);
    for (;;) {
        ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (n < 0) return last_error();
        if (size_t(n) < buffer.size()) {
            out->assign(buffer.data(), size_t(n));
            return 0;
        }
        if (buffer.size() >= (size_t(1) << 20)) return ENAMETOOLONG;
        buffer.resize(buffer.size() * 2);
    }
}

int64_t file_birth_time(const std::string& path, const struct stat& fallback) {
    struct statx sx;
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &sx) == 0 && (sx.stx_mask & STATX_BTIME))
        return sx.stx_btime.tv_sec;
    return fallback.st_ctim.tv_sec;
}

}  // namespace tarvik
