// tools/common/tool_files_linux.cpp: file access for the command-line tools.
#include "tools/common/tool_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "package/signature.h"
#include "tools/common/byte_writer.h"

namespace tarvik::tools {

namespace {
bool read_fd(int fd, std::vector<uint8_t>& out) {
    uint8_t buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        out.insert(out.end(), buf, buf + n);
    }
}
}  // namespace

bool read_whole_file(const std::string& path, std::vector<uint8_t>& out, std::string& error) {
    out.clear();
    if (path == "-") {
        if (!read_fd(0, out)) {
            error = "cannot read standard input: " + std::string(std::strerror(errno));
            return false;
        }
        return true;
    }
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    bool ok = read_fd(fd, out);
    int saved = errno;
    ::close(fd);
    if (!ok) error = "cannot read " + path + ": " + std::strerror(saved);
    return ok;
}

bool write_whole_file(const std::string& path, const uint8_t* data, size_t size, std::string& error,
                      unsigned mode) {
    int fd = path == "-" ? 1 : ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) {
        error = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = "cannot write " + path + ": " + std::strerror(errno);
            if (fd != 1) ::close(fd);
            return false;
        }
        done += size_t(n);
    }
    if (fd != 1 && ::close(fd) != 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool read_secret_key(const std::string& key, uint8_t secret_out[64], std::string& error) {
    std::string text = key;
    int fd = ::open(key.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        // The VM reads at most 255 bytes of a key file; so do we.
        char buf[256];
        ssize_t n = ::read(fd, buf, 255);
        ::close(fd);
        text.assign(buf, n > 0 ? size_t(n) : 0);
        std::memset(buf, 0, sizeof buf);
        while (!text.empty() && std::strchr(" \t\r\n", text.back())) text.pop_back();
    }
    if (text.size() != 128 || !hex_decode(text.c_str(), text.size(), secret_out, 64)) {
        error = "secret key must be 128 hexadecimal characters (seed and public key): " + key;
        return false;
    }
    return true;
}

void append_embed_trailer(std::vector<uint8_t>& out, uint64_t package_offset, uint64_t package_size) {
    put_bytes(out, "TVKEMBD1", 8);
    put_u64(out, package_offset);
    put_u64(out, package_size);
}

}  // namespace tarvik::tools
