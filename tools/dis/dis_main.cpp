// tools/dis/dis_main.cpp: the tvkdis command line.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/common/tool_files.h"
#include "tools/dis/disassembler.h"

using namespace tarvik::tools;

int main(int argc, char** argv) {
    static const char kUsage[] = "usage: tvkdis [-o OUT] [--no-comments] PACKAGE\n";
    std::string input, output = "-";
    bool have_input = false;
    DisOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--no-comments") {
            options.comments = false;
        } else if (arg == "-o") {
            if (i + 1 >= argc) {
                std::fputs(kUsage, stderr);
                return 1;
            }
            output = argv[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "tvkdis: unknown option %s\n%s", arg.c_str(), kUsage);
            return 1;
        } else if (have_input) {
            std::fprintf(stderr, "tvkdis: only one PACKAGE is allowed\n%s", kUsage);
            return 1;
        } else {
            input = arg;
            have_input = true;
        }
    }
    if (!have_input) {
        std::fputs(kUsage, stderr);
        return 1;
    }
    std::vector<uint8_t> bytes;
    std::string error;
    if (!read_whole_file(input, bytes, error)) {
        std::fprintf(stderr, "tvkdis: %s\n", error.c_str());
        return 1;
    }
    std::string text = disassemble(bytes.data(), bytes.size(), options);
    if (!write_whole_file(output, reinterpret_cast<const uint8_t*>(text.data()), text.size(), error)) {
        std::fprintf(stderr, "tvkdis: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
