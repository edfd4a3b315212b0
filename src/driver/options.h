// driver/options.h: the command line. Options fill g_options and the driver's own
// record; information commands and option errors end the process where they are met.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvik {

struct CommandLine {
    const char* exec_path = nullptr;   // --exec FILE ("-" is standard input)
    const char* eval_text = nullptr;   // --eval TEXT, kept but unused
    const char* bare_argument = nullptr;
    std::vector<std::string> bundle;   // --bundle= pieces, kept but unused
    uint8_t sign_key[64] = {};         // --sign, kept for the run
    bool has_sign_key = false;
};

// Parses argv[1..argc). Script arguments go to g_script_args.
void parse_command_line(int argc, char** argv, CommandLine* out);

// The usage text, to standard error.
void print_usage();
// The first usage line.
void print_banner_line(char* out, size_t size);

}  // namespace tarvik
