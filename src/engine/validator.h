// engine/validator.h: the chunk validator. It proves, before any code of a chunk
// runs, that every instruction is known and complete, that constant indices, local
// slots, argument counts, builtin references and jump targets are in range, and that
// the value stack never underflows on the paths it models; it also computes the
// chunk's max_stack. The interpreter relies on this and does not re-check operands.
#pragma once

#include <cstdint>

#include "runtime/chunk.h"

namespace tarvik {

// Deepest accepted function nesting (the depth argument).
constexpr int kMaxFunctionNesting = 256;

// Validates `chunk` (borrowed) and, recursively with depth + 1, the chunks of its
// function constants. True on success, with max_stack and validated set; a chunk
// already validated returns true at once. False after printing one
// "[Validate Chunk] : ..." error line, or after raising code 6 or 8 when working
// storage cannot be allocated.
bool validate_chunk(Chunk* chunk, int depth);

}  // namespace tarvik
