// driver/commands.cpp: the commands that answer and exit before the VM starts.
#include "driver/commands.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

#include "package/byte_reader.h"
#include "package/package_loader.h"
#include "package/signature.h"
#include "package/trusted_keys.h"

namespace tarvik {

namespace {

constexpr size_t kLineBuffer = 256;

bool read_whole_file(const char* path, std::vector<uint8_t>* out) {
    FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) out->insert(out->end(), buffer, buffer + n);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

const char* skip_blanks(const char* p) {
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

}  // namespace

int command_sig_info(const char* path) {
    std::vector<uint8_t> bytes;
    if (!read_whole_file(path, &bytes) || bytes.size() <= 191) {
        std::printf("error\n");
        return 1;
    }
    ByteReader r = byte_reader(bytes.data(), bytes.size());
    PackageHeader header;
    if (!read_package_header(r, &header) || std::memcmp(header.magic, "TRV2", 4) != 0) {
        std::printf("error\n");
        return 1;
    }
    char key[65] = {};
    char label[64] = {};
    SigStatus status = evaluate_signature(bytes.data(), bytes.size(), key, label);
    if (status == SigStatus::Unsigned) {
        std::printf("unsigned\n");
    } else {
        std::printf("signed|%s|%s|%s\n", sig_status_word(status), key, label);
    }
    return 0;
}

int command_list_keys() {
    std::printf("Built-in keys:\n");
    std::printf("  %s  %s  (built-in)\n", kBuiltinKeyHex, kBuiltinKeyLabel);
    char path[1024];
    if (!resolve_trusted_keys_path(path)) {
        std::fprintf(stderr, "Could not resolve trusted_keys path (no HOME?)\n");
        return 0;
    }
    FILE* file = std::fopen(path, "rb");
    if (!file) {
        std::printf("\nNo trusted-key file (looked in %s)\n", path);
        return 0;
    }
    std::printf("\nTrusted keys in %s:\n", path);
    char line[kLineBuffer];
    while (std::fgets(line, sizeof line, file)) {
        const char* p = skip_blanks(line);
        if (std::strlen(p) >= 65 && p[64] == ' ') std::printf("  %.64s  %s\n", p, p + 65);
    }
    std::fclose(file);
    return 0;
}

int command_import_key(const char* name, const char* hex) {
    if (std::strlen(hex) != 64) {
        std::fprintf(stderr, "Key must be 64 hex chars (Ed25519 public key)\n");
        return 1;
    }
    char key[65];
    for (int i = 0; i < 64; ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(hex[i]))) {
            std::fprintf(stderr, "Key must be hexadecimal\n");
            return 1;
        }
        key[i] = char(std::tolower(static_cast<unsigned char>(hex[i])));
    }
    key[64] = '\0';
    char path[1024];
    if (!resolve_trusted_keys_path(path)) {
        std::fprintf(stderr, "Could not resolve trusted_keys path (no HOME?)\n");
        return 1;
    }
    // One single-level directory creation; a failure shows up when appending.
    char dir[1024];
    std::snprintf(dir, sizeof dir, "%.1023s", path);
    char* slash = std::strrchr(dir, '/');
    char* backslash = std::strrchr(dir, '\\');
    char* cut = slash > backslash ? slash : backslash;
    if (cut) {
        *cut = '\0';
        mkdir(dir, 0700);
    }
    if (FILE* existing = std::fopen(path, "rb")) {
        char line[kLineBuffer];
        while (std::fgets(line, sizeof line, existing)) {
            const char* p = skip_blanks(line);
            if (std::strlen(p) >= 64 && strncasecmp(p, key, 64) == 0) {
                std::fclose(existing);
                std::printf("Key already trusted in %s\n", path);
                return 0;
            }
        }
        std::fclose(existing);
    }
    FILE* file = std::fopen(path, "ab");
    if (!file) {
        std::fprintf(stderr, "Cannot write %s\n", path);
        return 1;
    }
    std::fprintf(file, "%s  %s\n", key, name);
    bool written = std::fclose(file) == 0;
    if (!written) {
        std::fprintf(stderr, "Cannot write %s\n", path);
        return 1;
    }
    std::printf("Trusted key for '%s' added to %s\n", name, path);
    return 0;
}

bool sign_key_from_argument(const char* argument, uint8_t key_out[64]) {
    char text[256] = {};
    size_t length = 0;
    FILE* file = std::fopen(argument, "rb");
    struct stat st {};
    if (file && fstat(fileno(file), &st) == 0 && S_ISREG(st.st_mode)) {
        length = std::fread(text, 1, 255, file);
        while (length > 0 && std::strchr(" \t\r\n", text[length - 1])) --length;
        text[length] = '\0';
    } else {
        length = std::strlen(argument);
        if (length <= 128) std::memcpy(text, argument, length);
    }
    if (file) std::fclose(file);
    bool valid = length == 128 && hex_decode(text, 128, key_out, 64);
    std::memset(text, 0, sizeof text);  // the secret key does not linger on the stack
    if (!valid) std::memset(key_out, 0, 64);
    return valid;
}

}  // namespace tarvik
