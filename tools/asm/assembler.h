// tools/asm/assembler.h: assembly source to package bytes (docs/assembly.md). The
// command-line tool and the unit tests both enter here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvik::tools {

struct AsmOptions {
    bool sign = false;              // sign with secret_key after layout (--sign)
    uint8_t secret_key[64] = {};    // seed || public key
};

struct AsmError {
    int line = 0;  // 0 when the error concerns the whole file
    std::string message;
};

// Assembles a whole source. On failure returns false with the first error; the
// output is then unspecified.
bool assemble_text(const std::string& source, const AsmOptions& options, std::vector<uint8_t>& out,
                   AsmError& error);

// "FILE:LINE: message" (or "FILE: message" for line 0).
std::string format_asm_error(const std::string& file, const AsmError& error);

}  // namespace tarvik::tools
