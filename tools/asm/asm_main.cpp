// tools/asm/asm_main.cpp: the tvkasm command line: assemble, sign, embed, and make
// or inspect signing keys.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "package/signature.h"
#include "tools/asm/assembler.h"
#include "tools/common/tool_files.h"

using namespace tarvik;
using namespace tarvik::tools;

namespace {

const char kUsage[] =
    "usage: tvkasm [-o OUT] [--sign KEY] [--embed TARVIK_BINARY] SOURCE\n"
    "       tvkasm --keygen SECRET_FILE\n"
    "       tvkasm --public-key KEY\n"
    "SOURCE may be '-' for standard input; '-o -' writes to standard output.\n"
    "KEY is a file holding 128 hex characters (seed and public key), or the characters themselves.\n";

int usage_error(const char* message) {
    if (message) std::fprintf(stderr, "tvkasm: %s\n", message);
    std::fputs(kUsage, stderr);
    return 1;
}

std::string public_key_hex(const uint8_t secret[64]) {
    char hex[65];
    hex_encode(secret + 32, 32, hex);
    return hex;
}

int keygen(const std::string& path) {
    uint8_t public_key[32], secret[64];
    sig_keypair_generate(public_key, secret);
    char hex[129];
    hex_encode(secret, 64, hex);
    std::string text = std::string(hex) + "\n";
    std::memset(hex, 0, sizeof hex);
    std::memset(secret, 0, sizeof secret);
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        std::fprintf(stderr, "tvkasm: cannot create %s: %s\n", path.c_str(), std::strerror(errno));
        return 1;
    }
    bool ok = ::write(fd, text.data(), text.size()) == ssize_t(text.size());
    ok = ::close(fd) == 0 && ok;
    std::fill(text.begin(), text.end(), '\0');
    if (!ok) {
        std::fprintf(stderr, "tvkasm: cannot write %s\n", path.c_str());
        return 1;
    }
    char pub[65];
    hex_encode(public_key, 32, pub);
    std::printf("%s\n", pub);
    return 0;
}

std::string default_output(const std::string& source, bool embed) {
    if (source == "-") return "-";
    size_t slash = source.find_last_of('/');
    size_t dot = source.find_last_of('.');
    std::string stem = (dot != std::string::npos && (slash == std::string::npos || dot > slash)) ? source.substr(0, dot)
                                                                                               : source;
    return embed ? stem : stem + ".tvk";
}

}  // namespace

int main(int argc, char** argv) {
    std::string output, source, sign_key, embed_binary;
    bool have_source = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (arg == "-h" || arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--keygen") {
            const char* path = value();
            if (!path || i + 1 != argc) return usage_error("--keygen takes exactly one file");
            return keygen(path);
        }
        if (arg == "--public-key") {
            const char* key = value();
            if (!key || i + 1 != argc) return usage_error("--public-key takes exactly one key");
            uint8_t secret[64];
            std::string error;
            if (!read_secret_key(key, secret, error)) {
                std::fprintf(stderr, "tvkasm: %s\n", error.c_str());
                return 1;
            }
            std::printf("%s\n", public_key_hex(secret).c_str());
            std::memset(secret, 0, sizeof secret);
            return 0;
        }
        if (arg == "-o" || arg == "--sign" || arg == "--embed") {
            const char* v = value();
            if (!v) return usage_error((arg + " needs a value").c_str());
            (arg == "-o" ? output : arg == "--sign" ? sign_key : embed_binary) = v;
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') return usage_error(("unknown option " + arg).c_str());
        if (have_source) return usage_error("only one SOURCE is allowed");
        source = arg;
        have_source = true;
    }
    if (!have_source) return usage_error(nullptr);
    if (output.empty()) output = default_output(source, !embed_binary.empty());

    std::vector<uint8_t> text_bytes;
    std::string error;
    if (!read_whole_file(source, text_bytes, error)) {
        std::fprintf(stderr, "tvkasm: %s\n", error.c_str());
        return 1;
    }
    AsmOptions options;
    if (!sign_key.empty()) {
        if (!read_secret_key(sign_key, options.secret_key, error)) {
            std::fprintf(stderr, "tvkasm: %s\n", error.c_str());
            return 1;
        }
        options.sign = true;
    }
    std::vector<uint8_t> package;
    AsmError asm_error;
    bool ok = assemble_text(std::string(text_bytes.begin(), text_bytes.end()), options, package, asm_error);
    std::memset(options.secret_key, 0, sizeof options.secret_key);
    if (!ok) {
        std::fprintf(stderr, "%s\n", format_asm_error(source == "-" ? "<stdin>" : source, asm_error).c_str());
        return 1;
    }
    if (!embed_binary.empty()) {
        std::vector<uint8_t> exe;
        if (!read_whole_file(embed_binary, exe, error)) {
            std::fprintf(stderr, "tvkasm: %s\n", error.c_str());
            return 1;
        }
        uint64_t offset = exe.size();
        exe.insert(exe.end(), package.begin(), package.end());
        append_embed_trailer(exe, offset, package.size());
        if (!write_whole_file(output, exe.data(), exe.size(), error, 0755)) {
            std::fprintf(stderr, "tvkasm: %s\n", error.c_str());
            return 1;
        }
        // O_CREAT's mode does not apply to a file that already existed.
        if (output != "-") ::chmod(output.c_str(), 0755);
        return 0;
    }
    if (!write_whole_file(output, package.data(), package.size(), error)) {
        std::fprintf(stderr, "tvkasm: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
