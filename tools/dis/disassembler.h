// tools/dis/disassembler.h: any bytes to assembly source that assembles back to the
// same bytes (docs/assembly.md, section 8). Never fails: what cannot be parsed is
// written as raw bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvik::tools {

struct DisOptions {
    bool comments = true;  // offsets and decoded constants as `;` comments
};

std::string disassemble(const uint8_t* data, size_t size, const DisOptions& options);

}  // namespace tarvik::tools
