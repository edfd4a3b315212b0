// runtime/block_registry.h: the sorted registry of native byte regions owned by
// blocks, and the memory guard that raw memory access checks against it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvik {

struct BlockRegion {
    uintptr_t base;
    uint64_t size;
};

struct BlockRegistry {
    BlockRegion* regions = nullptr;
    uint32_t count = 0;
    uint32_t capacity = 0;
    uint64_t total_bytes = 0;
};
extern BlockRegistry g_block_regions;

// Registers [base, base + size); a null base is ignored. Growth failure ends the
// process with status 8.
void block_region_register(const void* base, uint64_t size);
// Unregisters the first region with exactly this base (nothing when unknown).
void block_region_remove(const void* base);
// True when [address, address + length) lies inside one registered region.
bool block_region_contains(const void* address, int64_t length);
// Frees the registry (shutdown).
void block_registry_reset();

// Memory guard: 1 when the range may be accessed; otherwise raises code 0 (null
// address) or 9 and returns 0. Reports and disarms an armed guard address first.
int memory_guard_check(const void* address, int64_t length);
// Debug.GuardAddress.
void memory_guard_arm(uint64_t address);

}  // namespace tarvik
