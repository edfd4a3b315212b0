// tools/asm/asm_code.h: laying out and encoding the code of one chunk: label
// offsets, jump distances, constant operands and the highest local slot used.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "tools/asm/asm_ast.h"

namespace tarvik::tools {

// Encodes chunk.code into chunk.code_bytes and sets chunk.max_slot. Symbol and text
// operands must already have been turned into numbers (resolve_code_constants).
bool encode_code(ChunkDef& chunk, int& error_line, std::string& error);

// Turns `$sym` and "text" operands into constant indexes. `find_text` returns the
// index of a constant with that text or -1; unmatched texts are appended to the
// constants as string values.
bool resolve_code_constants(ChunkDef& chunk, const std::function<int(const std::string&)>& find_text,
                            int& error_line, std::string& error);

}  // namespace tarvik::tools
