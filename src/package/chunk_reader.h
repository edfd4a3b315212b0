// package/chunk_reader.h: the string pool, chunk and value encoding of a main
// section. Every chunk is validated as soon as it is read; any failure prints its
// error line and ends the process with status 4.
#pragma once

#include <cstdint>

#include "package/byte_reader.h"
#include "runtime/chunk.h"
#include "runtime/value.h"

namespace tarvik {

struct Env;

constexpr int kMaxReadDepth = 64;
constexpr uint32_t kPooledStringTag = 0xFFFFFF01;

// Reads the string pool, then the top-level chunk at depth 0, then drops the pool.
Chunk* read_main_section(ByteReader& r);
// One chunk and, recursively, the function bodies among its constants.
Chunk* read_chunk(ByteReader& r, int depth);
// One encoded value (a new reference; static objects are not counted).
Value read_value(ByteReader& r, int depth);

// Hooks the engine fills at start-up: the chunk validator, the JIT IR checker and
// the scope that new function constants take as their module scope.
// Releases what a refused read has built so far, and the pool (load_fail calls it).
void chunk_reader_abandon();

void chunk_reader_set_validator(bool (*validate)(Chunk* chunk, int depth));
bool chunk_reader_validate(Chunk* chunk, int depth);
void chunk_reader_set_jit_checker(bool (*check)(const uint8_t* ir, uint32_t size, uint8_t* info_out));
void chunk_reader_set_scope(Env* scope);

}  // namespace tarvik
