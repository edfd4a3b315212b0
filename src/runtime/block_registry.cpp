// runtime/block_registry.cpp: the sorted block-region registry and the memory guard.
#include "runtime/block_registry.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/heap.h"

namespace tarvik {

BlockRegistry g_block_regions;

namespace {

constexpr uint32_t kFirstRegistryCapacity = 64;

// Index of the first region whose base is greater than `base`.
uint32_t upper_bound(uintptr_t base) {
    uint32_t lo = 0, hi = g_block_regions.count;
    while (lo < hi) {
        uint32_t mid = lo + (hi - lo) / 2;
        if (g_block_regions.regions[mid].base <= base) lo = mid + 1;
        else hi = mid;
    }
    return lo;
}

bool region_holds(const BlockRegion& r, uintptr_t address, uint64_t length) {
    return address >= r.base && address - r.base <= r.size && length <= r.size - (address - r.base);
}

}  // namespace

void block_region_register(const void* base, uint64_t size) {
    if (!base) return;
    BlockRegistry& reg = g_block_regions;
    if (reg.count == reg.capacity) {
        uint32_t capacity = reg.capacity ? reg.capacity * 2 : kFirstRegistryCapacity;
        // Plain realloc: a registry failure is fatal and must not raise into a fiber.
        auto* grown = static_cast<BlockRegion*>(
            capacity > reg.capacity ? std::realloc(reg.regions, size_t(capacity) * sizeof(BlockRegion)) : nullptr);
        if (!grown) {
            // The error printer supplies the "Error: " prefix.
            print_error("cannot grow the block-region registry (%u entries).\n", capacity);
            vm_exit(8);
        }
        __atomic_fetch_add(&g_heap.heap_bytes, uint64_t(capacity) * sizeof(BlockRegion), __ATOMIC_RELAXED);
        reg.regions = grown;
        reg.capacity = capacity;
    }
    uintptr_t key = reinterpret_cast<uintptr_t>(base);
    uint32_t at = upper_bound(key);
    std::memmove(&reg.regions[at + 1], &reg.regions[at], (reg.count - at) * sizeof(BlockRegion));
    reg.regions[at] = BlockRegion{key, size};
    reg.count += 1;
    reg.total_bytes += size;
}

void block_region_remove(const void* base) {
    BlockRegistry& reg = g_block_regions;
    uintptr_t key = reinterpret_cast<uintptr_t>(base);
    uint32_t at = upper_bound(key);
    // Back over equal bases to the first one.
    while (at > 0 && reg.regions[at - 1].base == key) --at;
    if (at >= reg.count || reg.regions[at].base != key) return;
    reg.total_bytes -= reg.regions[at].size;
    std::memmove(&reg.regions[at], &reg.regions[at + 1], (reg.count - at - 1) * sizeof(BlockRegion));
    reg.count -= 1;
}

bool block_region_contains(const void* address, int64_t length) {
    uintptr_t addr = reinterpret_cast<uintptr_t>(address);
    if (length < 1 || addr == 0 || addr + uint64_t(length) < addr) return false;
    const BlockRegistry& reg = g_block_regions;
    uint32_t at = upper_bound(addr);
    if (at > 0 && region_holds(reg.regions[at - 1], addr, uint64_t(length))) return true;
    // Regions may overlap in principle; fall back to a full scan.
    for (uint32_t i = 0; i < reg.count; ++i) {
        if (region_holds(reg.regions[i], addr, uint64_t(length))) return true;
    }
    return false;
}

void block_registry_reset() {
    std::free(g_block_regions.regions);
    g_block_regions = BlockRegistry{};
}

void memory_guard_arm(uint64_t address) { g_heap.guard_address = address; }

int memory_guard_check(const void* address, int64_t length) {
    uintptr_t addr = reinterpret_cast<uintptr_t>(address);
    if (addr == g_heap.guard_address) {
        ScriptLocation loc;
        bool located = console_current_location(&loc);
        std::printf("[Mem-guard] R/W-operation on memory address %p in function %s, line %d\n", address,
                    located && loc.function_name ? loc.function_name : "<anon>", located ? int(loc.line) : -1);
        if (isatty(0)) {
            std::printf("Press Enter to continue...");
            std::fflush(stdout);
            std::getchar();
        }
        g_heap.guard_address = ~uint64_t(0);
    }
    if (addr == 0) {
        raise_error(ERR_NULL_PTR);
        return 0;
    }
    if (!block_region_contains(address, length)) {
        raise_error(ERR_INVALID_MEMORY_ACCESS);
        return 0;
    }
    return 1;
}

}  // namespace tarvik
