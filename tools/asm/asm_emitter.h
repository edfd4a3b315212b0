// tools/asm/asm_emitter.h: writes one main section (string pool and top-level
// chunk, with every nested value and chunk) as bytes. Sections do not refer to file
// offsets, so each is emitted on its own and placed by the layout afterwards.
#pragma once

#include <string>
#include <vector>

#include "tools/asm/asm_ast.h"

namespace tarvik::tools {

struct SectionBytes {
    Bytes bytes;
    uint32_t chunk_start = 0;  // offset of the top-level chunk within bytes
};

// Emits a section. On error returns false with a line and a message.
bool emit_section(SectionDef& section, SectionBytes& out, int& error_line, std::string& error);

}  // namespace tarvik::tools
