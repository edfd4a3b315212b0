// runtime/alloc.h: the checked allocation wrappers every native allocation goes
// through. They refuse sizes of 2^31 bytes or more (code 6), raise code 8 when the
// OS refuses, and add each allocation to the cumulative heap byte count.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvik {

constexpr size_t kAllocLimit = size_t(1) << 31;

#if defined(TARVIK_FUZZ_BUILD)
// Fuzz builds only: once the cumulative byte count passes this ceiling, every
// allocation through the wrappers fails with "out of memory". The harness sets it
// per input, so that a program copying ever longer strings meets an error within
// one instruction instead of between its time checks.
extern uint64_t g_fuzz_alloc_ceiling;
#endif
constexpr size_t kMaxTextLength = 0x10000000;  // 256 MiB

// Zeroed n bytes (1 <= n < 2^31), or null after raising.
void* checked_alloc(size_t n);
// Resizes to n bytes; on failure raises and returns `old` unchanged. The grown part
// is not zeroed.
void* checked_realloc(void* old, size_t n);
// Zeroed count x size bytes, or null after raising (either 0, or a product >= 2^31).
void* checked_calloc(size_t count, size_t size);
// Length of a text, bounded: null raises 6 and counts 0; longer than 256 MiB raises 6
// and counts 256 MiB.
size_t checked_strlen(const char* text);
// Zero-terminated copy of at most checked_strlen(text) bytes, or null after raising.
char* checked_strdup(const char* text);
// Frees memory from the wrappers (null is fine).
void checked_free(void* p);

}  // namespace tarvik
