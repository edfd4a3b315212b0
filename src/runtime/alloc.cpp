// runtime/alloc.cpp: the checked allocation wrappers and the cumulative byte count.
#include "runtime/alloc.h"

#include <cstdlib>
#include <cstring>

#include "runtime/errors.h"
#include "runtime/heap.h"

namespace tarvik {

// Worker threads allocate through these wrappers too, so the count is atomic.
// Small blocks: malloc and clear. The allocator's per-thread cache serves malloc but
// not calloc, and strings, arrays and instance records are mostly small. Large
// blocks come fresh from the kernel, already zero.
static void* zeroed_block(size_t n) {
    constexpr size_t kSmallBlock = 1024;
    if (n > kSmallBlock) return std::calloc(1, n);
    void* p = std::malloc(n);
    if (!p) return nullptr;
    asm volatile("" : : "r"(p) : "memory");  // keeps the compiler from fusing the pair back into calloc
    std::memset(p, 0, n);
    return p;
}

#if defined(TARVIK_FUZZ_BUILD)
uint64_t g_fuzz_alloc_ceiling = UINT64_MAX;
static bool over_ceiling() { return g_heap.heap_bytes > g_fuzz_alloc_ceiling; }
#else
static constexpr bool over_ceiling() { return false; }
#endif

static void count_bytes(size_t n) { __atomic_fetch_add(&g_heap.heap_bytes, uint64_t(n), __ATOMIC_RELAXED); }

void* checked_alloc(size_t n) {
    if (n < 1 || n >= kAllocLimit) {
        raise_error(ERR_RUNTIME);
        return nullptr;
    }
    void* p = over_ceiling() ? nullptr : zeroed_block(n);
    if (!p) {
        raise_error(ERR_OUT_OF_MEMORY);
        return nullptr;
    }
    count_bytes(n);
    return p;
}

void* checked_realloc(void* old, size_t n) {
    if (n < 1 || n >= kAllocLimit) {
        raise_error(ERR_RUNTIME);
        return old;
    }
    void* p = over_ceiling() ? nullptr : std::realloc(old, n);
    if (!p) {
        raise_error(ERR_OUT_OF_MEMORY);
        return old;
    }
    count_bytes(n);
    return p;
}

void* checked_calloc(size_t count, size_t size) {
    if (count == 0 || size == 0 || count > (kAllocLimit - 1) / size) {
        raise_error(ERR_RUNTIME);
        return nullptr;
    }
    void* p = over_ceiling() ? nullptr : zeroed_block(count * size);
    if (!p) {
        raise_error(ERR_OUT_OF_MEMORY);
        return nullptr;
    }
    count_bytes(count * size);
    return p;
}

size_t checked_strlen(const char* text) {
    if (!text) {
        raise_error(ERR_RUNTIME);
        return 0;
    }
    size_t n = strnlen(text, kMaxTextLength + 1);
    if (n > kMaxTextLength) {
        raise_error(ERR_RUNTIME);
        return kMaxTextLength;
    }
    return n;
}

char* checked_strdup(const char* text) {
    if (!text) {
        raise_error(ERR_RUNTIME);
        return nullptr;
    }
    size_t n = checked_strlen(text);
    char* copy = static_cast<char*>(checked_alloc(n + 1));
    if (!copy) return nullptr;
    std::memcpy(copy, text, n);
    copy[n] = '\0';
    return copy;
}

void checked_free(void* p) { std::free(p); }

}  // namespace tarvik
