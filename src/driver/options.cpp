// driver/options.cpp: the option table, matched row by row for each word, and the
// bare-argument rule that decides where the script's arguments begin.
#include "driver/options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "driver/commands.h"
#include "package/version_requirement.h"
#include "runtime/vm_options.h"

namespace tarvik {

namespace {

bool starts_with(const char* word, const char* prefix, const char** rest) {
    size_t n = std::strlen(prefix);
    if (std::strncmp(word, prefix, n) != 0) return false;
    *rest = word + n;
    return true;
}

// Base-10, consumed entirely, inside [low, high]; otherwise the process ends.
long numeric_option(const char* prefix, const char* text, long low, long high) {
    const char* p = text;
    if (*p == '+' || *p == '-') ++p;
    bool valid = *p >= '0' && *p <= '9';
    long value = 0;
    if (valid) {
        char* end = nullptr;
        errno = 0;
        value = std::strtol(text, &end, 10);
        valid = errno == 0 && *end == '\0' && value >= low && value <= high;
    }
    if (!valid) {
        std::fprintf(stderr, "Invalid value for %s (must be %ld..%ld)\n", prefix, low, high);
        std::exit(1);
    }
    return value;
}

void split_bundle(const char* list, std::vector<std::string>* out) {
    if (!*list) return;
    const char* start = list;
    for (const char* p = list;; ++p) {
        if (*p == ';' || *p == '\0') {
            if (*p == '\0' && p == start && p != list) break;  // a trailing ';' adds nothing
            out->emplace_back(start, size_t(p - start));
            if (*p == '\0') break;
            start = p + 1;
        }
    }
}

void take_script_args(int argc, char** argv, int first) {
    int count = argc - first;
    if (count > kMaxScriptArgs) count = kMaxScriptArgs;
    g_script_args.count = count > 0 ? count : 0;
    g_script_args.words = count > 0 ? argv + first : nullptr;
}

}  // namespace

void print_banner_line(char* out, size_t size) {
    std::snprintf(out, size, "Tarvik VM \xF0\x9F\x94\xA5 v%d.%d.%d.%d (%s, %d-bit)\n", 1, 0, 0, 9, "x86_64", 64);
}

void print_usage() {
    char banner[128];
    print_banner_line(banner, sizeof banner);
    std::fputs(banner, stderr);
    std::fputs("\n", stderr);
    std::fputs("Usage:\n", stderr);
    std::fputs(" Execute compiled code:  tarvik --exec <bytecode.tvk> [--verbose --trace --time --stats --mem --jit "
               "--no-verify] <args>\n",
               stderr);
    std::fputs(" This help / version:    tarvik --help | --version\n", stderr);
    std::fputs("\n", stderr);
}

void parse_command_line(int argc, char** argv, CommandLine* out) {
    VmOptions& o = g_options;
    for (int i = 1; i < argc; ++i) {
        const char* word = argv[i];
        bool has_next = i + 1 < argc;
        const char* rest = nullptr;
        if (!std::strcmp(word, "--version")) {
            std::printf("%d.%d.%d.%d\n", 1, 0, 0, 9);
            std::exit(0);
        } else if (!std::strcmp(word, "--help")) {
            print_usage();
            std::exit(0);
        } else if (!std::strcmp(word, "--no-opt") || !std::strcmp(word, "--small")) {
            // accepted for compatibility; nothing to do
        } else if (!std::strcmp(word, "--strip")) {
            o.keep_debug_info = false;
        } else if (!std::strcmp(word, "--no-verify")) {
            o.verify_plugins = false;
        } else if (!std::strcmp(word, "--verbose")) {
            o.verbose = true;
            o.timing = true;
        } else if (!std::strcmp(word, "--trace")) {
            o.verbose = true;
            o.trace = true;
        } else if (!std::strcmp(word, "--time")) {
            o.timing = true;
        } else if (!std::strcmp(word, "--mem")) {
            o.mem_report = true;
        } else if (!std::strcmp(word, "--stats")) {
            o.timing = true;
            o.stats = true;
        } else if (!std::strcmp(word, "--unsafe")) {
            o.unsafe = true;
        } else if (!std::strcmp(word, "--jit")) {
            o.jit = true;
        } else if (!std::strcmp(word, "--exec") && has_next) {
            out->exec_path = argv[++i];
            // Every word after the package belongs to the script.
            take_script_args(argc, argv, i + 1);
            return;
        } else if (!std::strcmp(word, "--eval") && has_next) {
            out->eval_text = argv[++i];
        } else if (starts_with(word, "--libs=", &rest)) {
            o.library_path = rest;
        } else if (starts_with(word, "--min-version=", &rest)) {
            VersionRequirement req;
            if (!parse_version_requirement(rest, &req)) {
                std::fprintf(stderr, "Invalid --min-version= requirement '%s'\n", rest);
                std::exit(1);
            }
        } else if (starts_with(word, "--bundle=", &rest)) {
            split_bundle(rest, &out->bundle);
        } else if (!std::strcmp(word, "--require-signed")) {
            o.require_signed = true;
        } else if (!std::strcmp(word, "--sig-info") && has_next) {
            std::exit(command_sig_info(argv[i + 1]));
        } else if (!std::strcmp(word, "--import-key") && i + 2 < argc) {
            std::exit(command_import_key(argv[i + 1], argv[i + 2]));
        } else if (!std::strcmp(word, "--sign") || starts_with(word, "--sign=", &rest)) {
            const char* key = rest ? rest : (has_next ? argv[++i] : nullptr);
            if (!key || !sign_key_from_argument(key, out->sign_key)) {
                std::fprintf(stderr, "Invalid --sign key (expected 128 hex chars or a keyfile path)\n");
                std::exit(1);
            }
            out->has_sign_key = true;
        } else if (!std::strcmp(word, "--list-keys")) {
            std::exit(command_list_keys());
        } else if (starts_with(word, "--fifo=", &rest)) {
            long n = numeric_option("--fifo=", rest, 9, 1024);
            o.fifo_slots = uint16_t(option_round_to_power_of_two("FIFO size", uint32_t(n)));
        } else if (starts_with(word, "--stack=", &rest)) {
            o.stack_slots = uint32_t(numeric_option("--stack=", rest, 65, 65535));
        } else if (starts_with(word, "--slabs=", &rest)) {
            o.max_slabs = uint16_t(numeric_option("--slabs=", rest, 1, 65535));
        } else if (starts_with(word, "--frames=", &rest)) {
            o.max_frames = uint16_t(numeric_option("--frames=", rest, 8, 1024));
        } else if (starts_with(word, "--fibers=", &rest)) {
            long n = numeric_option("--fibers=", rest, 3, 1024);
            o.max_fibers = uint16_t(option_round_to_power_of_two("max fibers", uint32_t(n)));
        } else if (starts_with(word, "--io-threads=", &rest)) {
            o.io_threads = uint32_t(numeric_option("--io-threads=", rest, 1, 16));
        } else if (!out->bare_argument && !out->exec_path && !out->eval_text) {
            out->bare_argument = word;  // not a package: --exec is still needed to run
        } else {
            take_script_args(argc, argv, i);
            return;
        }
    }
}

}  // namespace tarvik
