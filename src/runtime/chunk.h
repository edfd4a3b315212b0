// runtime/chunk.h: the in-memory record of one compiled function body, shared by
// the package reader that builds it, the validator that proves it and the
// interpreter that runs it. A chunk is reference counted: function values and
// frames that run it hold references.
#pragma once

#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

constexpr uint32_t kMaxLocals = 128;
constexpr uint32_t kMaxCallArguments = 16;
constexpr uint32_t kMaxChunkConstants = 16384;
constexpr uint32_t kMaxChunkCode = 0xA00000;
// Bytes after the code (the guard byte below, then zeros): the interpreter may look at
// the opcode after an instruction without checking for the end.
constexpr uint32_t kCodePadding = 8;

// Names of the local slots, in slot order (debug section).
struct ChunkDebug {
    char* local_names[kMaxLocals];  // owned, zero-terminated (may hold NULs inside)
    uint32_t local_name_lengths[kMaxLocals];
    uint32_t local_count;
};

// The byte the reader puts after the code. No opcode has it: a path the validator did
// not follow (a finally body entered only by the exception dispatcher) that runs off
// the end meets an illegal instruction rather than whatever memory follows.
constexpr uint8_t kCodeGuardByte = 0xFF;

struct Chunk {
    uint8_t* code;          // owned; code_size bytes, then kCodeGuardByte and zero bytes (kCodePadding in all)
    uint32_t code_size;
    Value* constants;       // owned array; each element holds one reference
    uint16_t const_count;
    uint16_t max_stack;     // set by the validator
    uint8_t validated;      // set once by the validator, never cleared
    uint8_t jit_info;       // byte returned by the JIT IR checker
    uint32_t ref_count;
    char* module_name;      // owned; null for the main program
    ChunkDebug* debug;      // owned; null when debug info is not kept
    const char* trace_name;     // the name stack traces give this chunk's frames (borrowed),
    uint64_t trace_name_epoch;  // valid while the engine's binding epoch has this value
    uint8_t* jit_ir;        // owned; null when absent or dropped
    uint32_t jit_ir_size;
};

// A new empty chunk with one reference (null after raising code 8).
Chunk* chunk_create();
inline void chunk_retain(Chunk* chunk) {
    if (chunk) chunk->ref_count += 1;
}
// Drops one reference; the last frees the code, constants (releasing each), debug
// record and JIT IR.
void chunk_release(Chunk* chunk);

}  // namespace tarvik
