// driver/package_source_linux.cpp: the executable's own tail and standard input.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "driver/package_source.h"
#include "driver/vm_lifecycle.h"

namespace tarvik {

namespace {
constexpr size_t kTrailerSize = 24;
constexpr size_t kMinPackage = 192;
constexpr size_t kStdinStart = 64 * 1024;
constexpr size_t kStdinLimit = 0x2800000;  // 40 MiB
}  // namespace

bool find_embedded_package(std::vector<uint8_t>* out) {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n < 1 || n > 4095) return false;
    path[n] = '\0';
    FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    bool found = false;
    do {
        if (std::fseek(file, 0, SEEK_END) != 0) break;
        long end = std::ftell(file);
        if (end < long(kMinPackage + kTrailerSize)) break;
        uint8_t trailer[kTrailerSize];
        if (std::fseek(file, end - long(kTrailerSize), SEEK_SET) != 0) break;
        if (std::fread(trailer, 1, kTrailerSize, file) != kTrailerSize) break;
        if (std::memcmp(trailer, "TVKEMBD1", 8) != 0) break;
        uint64_t offset, size;
        std::memcpy(&offset, trailer + 8, 8);
        std::memcpy(&size, trailer + 16, 8);
        uint64_t limit = uint64_t(end) - kTrailerSize;
        if (size < kMinPackage || offset > limit || size > limit - offset) break;
        if (std::fseek(file, long(offset), SEEK_SET) != 0) break;
        out->resize(size);
        found = std::fread(out->data(), 1, size, file) == size;
    } while (false);
    std::fclose(file);
    if (!found) out->clear();
    return found;
}

std::vector<uint8_t> read_package_from_stdin() {
    std::vector<uint8_t> buffer(kStdinStart);
    size_t length = 0;
    for (;;) {
        if (length == buffer.size()) {
            if (buffer.size() >= kStdinLimit) {
                std::fprintf(stderr, "Error: stdin input exceeds %zu bytes\n", kStdinLimit);
                vm_shutdown(4);
            }
            buffer.resize(buffer.size() * 2 > kStdinLimit ? kStdinLimit : buffer.size() * 2);
        }
        ssize_t n = read(0, buffer.data() + length, buffer.size() - length);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        length += size_t(n);
    }
    if (length < kMinPackage) {
        std::fprintf(stderr, "Error: stdin bytecode too small to be valid\n");
        vm_shutdown(4);
    }
    buffer.resize(length);
    return buffer;
}

}  // namespace tarvik
