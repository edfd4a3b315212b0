// runtime/chunk.cpp: creation and release of chunk records.
#include "runtime/chunk.h"

#include "runtime/alloc.h"

namespace tarvik {

Chunk* chunk_create() {
    auto* chunk = static_cast<Chunk*>(checked_alloc(sizeof(Chunk)));
    if (chunk) chunk->ref_count = 1;
    return chunk;
}

void chunk_release(Chunk* chunk) {
    if (!chunk || --chunk->ref_count != 0) return;
    for (uint32_t i = 0; i < chunk->const_count; ++i) release(chunk->constants[i]);
    checked_free(chunk->constants);
    checked_free(chunk->code);
    if (ChunkDebug* debug = chunk->debug) {
        for (uint32_t i = 0; i < debug->local_count; ++i) checked_free(debug->local_names[i]);
        checked_free(debug);
    }
    checked_free(chunk->jit_ir);
    checked_free(chunk->module_name);
    checked_free(chunk);
}

}  // namespace tarvik
