// runtime/heap_report.cpp: the heap's shutdown (leak scan, memory, slabs and verbose
// reports, teardown) and the slab dump of Debug.Pool.
#include <cstdio>
#include <cstdlib>

#include "runtime/block_registry.h"
#include "runtime/console.h"
#include "runtime/heap.h"
#include "runtime/type_ops.h"
#include "runtime/value_ops.h"
#include "runtime/vm_options.h"

namespace tarvik {

namespace {

template <typename Visit>
void for_each_slot(Visit visit) {
    int number = 0;
    for (Slab* slab = g_heap.slabs; slab; slab = slab->next, ++number) {
        for (uint32_t i = 0; i < slab->capacity; ++i) visit(number, slab, i, &slab->slots[i]);
    }
}

int scan_leaks() {
    int leaked = 0;
    for_each_slot([&](int, Slab*, uint32_t, ObjHeader* obj) {
        if (!(obj->flags & F_LIVE) || (obj->flags & (F_STATIC | F_FROZEN)) || obj->type == T_BUILTIN) return;
        std::printf("Leak: %p type=%d refs=%d ", static_cast<void*>(obj), int(obj->type), int(obj->ref_count));
        value_debug_dump(make_ref(obj));
        leaked += 1;
    });
    return leaked;
}

void print_memory_report(int leaked) {
    char size[32];
    std::printf("\n=== Memory Report ===\n");
    if (uint64_t rss = process_peak_rss_bytes()) {
        format_size(rss, size);
        std::printf("  Peak RSS (OS):           %s\n", size);
    }
    format_size(uint64_t(g_heap.slab_count) * 131072, size);
    std::printf("  Slab pool footprint:     %s  (%u slabs x %d objects x %zu bytes)\n", size, unsigned(g_heap.slab_count),
                int(kSlabCapacity), sizeof(ObjHeader));
    std::printf("  Peak live objects:       %d\n", int(g_heap.peak_live));
    std::printf("  Total objects created:   %llu\n", static_cast<unsigned long long>(g_heap.total_created));
    format_size(g_heap.heap_bytes, size);
    std::printf("  Heap allocated:          %s  (malloc cumulative)\n", size);
    format_size(g_block_regions.total_bytes, size);
    std::printf("  Block regions at exit:   %u  (%s)\n", g_block_regions.count, size);
    std::printf("  Leaked objects:          %d\n", leaked);
    std::printf("\n");
}

void release_everything() {
    for_each_slot([](int, Slab*, uint32_t, ObjHeader* obj) {
        if (obj->flags & F_LIVE) {
            obj->flags &= ~F_STATIC;
            obj->ref_count = 0;
            if (obj->type == T_INSTANCE && g_run_destructor) g_run_destructor(obj);
            if (obj->flags & F_LIVE) heap_release_slot(obj);
        } else if (obj->flags & F_QUEUED) {
            obj->flags &= ~F_STATIC;
            heap_release_contents(obj);
        }
    });
}

void print_slabs_report() {
    const HeapState& h = g_heap;
    std::printf("\n=== Slabs Report ===\n");
    std::printf("Cache size %d\n", int(h.queue_capacity));
    std::printf("Cache hits %d\n", int(h.cache_hits));
    std::printf("Cache miss %d\n", int(h.cache_misses));
    if (uint64_t lookups = uint64_t(h.cache_hits) + h.cache_misses) {
        std::printf("Cache hit rate %.2f\n", 100.0 * h.cache_hits / double(lookups));
    }
    int number = 0, total_capacity = 0, total_used = 0;
    for (Slab* slab = h.slabs; slab; slab = slab->next, ++number) {
        int used = 0;
        for (uint32_t i = 0; i < slab->capacity; ++i) used += (slab->slots[i].flags & F_LIVE) ? 1 : 0;
        std::printf("Slab %d: capacity=%d, used=%d, free=%d\n", number, int(slab->capacity), used,
                    int(slab->capacity) - used);
        total_capacity += int(slab->capacity);
        total_used += used;
    }
    std::printf("Total slabs %d\n", number);
    std::printf("  Total capacity: %d\n", total_capacity);
    std::printf("  Total used:     %d\n", total_used);
    std::printf("  Total free:     %d\n", total_capacity - total_used);
    std::printf("\n");
}

void print_verbose_report() {
    print_verbose("=== Memory Report (before cleanup) ===\n");
    int number = 0, listed = 0;
    for (Slab* slab = g_heap.slabs; slab; slab = slab->next, ++number) {
        print_verbose("Slab %d: capacity=%d, used=%d, free=%d\n", number, int(slab->capacity), int(slab->used),
                      int(slab->capacity - slab->used));
        for (uint32_t i = 0; i < slab->capacity; ++i) {
            ObjHeader* obj = &slab->slots[i];
            if (!(obj->flags & F_LIVE) || (obj->flags & F_STATIC)) continue;
            print_verbose("  Leak/active object at slab %d index %d: flags=%X type=%d, ref_count=%x, is_static=%d\n",
                          number, int(i), obj->flags, int(obj->type), obj->ref_count, 0);
            value_debug_dump(make_ref(obj));
            listed += 1;
        }
    }
    if (listed) print_verbose("Detected %d leaked or active objects.\n", listed);
}

void release_slabs() {
    heap_drain_queue();
    for (Slab* slab = g_heap.slabs; slab;) {
        Slab* next = slab->next;
        slab_memory_return(slab);
        slab = next;
    }
    std::free(g_heap.queue);
    std::free(g_heap.pending);
    g_heap = HeapState{};
}

}  // namespace

void format_size(uint64_t bytes, char out[32]) {
    if (bytes >= (uint64_t(1) << 30)) std::snprintf(out, 32, "%.2f GB", double(bytes) / double(uint64_t(1) << 30));
    else if (bytes >= (uint64_t(1) << 20)) std::snprintf(out, 32, "%.2f MB", double(bytes) / double(1 << 20));
    else if (bytes >= 1024) std::snprintf(out, 32, "%.2f KB", double(bytes) / 1024.0);
    else std::snprintf(out, 32, "%llu B", static_cast<unsigned long long>(bytes));
}

int heap_shutdown(const HeapReportOptions& options) {
    heap_drain_queue();
    int leaked = 0;
    if (options.mem_report) {
        leaked = scan_leaks();
        print_memory_report(leaked);
    }
    release_everything();
    if (options.stats) print_slabs_report();
    if (g_options.verbose) print_verbose_report();
    release_slabs();
    uint32_t regions = g_block_regions.count;
    print_verbose("Blocks remaining on free: %u of total size %llu\n", regions,
                  static_cast<unsigned long long>(g_block_regions.total_bytes));
    block_registry_reset();
    std::fflush(stdout);
    if (!options.mem_report) return 0;
    if (leaked) print_error("Detected %d leaked objects at shutdown.\n", leaked);
    if (regions) print_error("Detected %u leaked block region(s) at shutdown.\n", regions);
    return (leaked || regions) ? 3 : 0;
}

void heap_dump_slabs() {
    int number = 0;
    for (Slab* slab = g_heap.slabs; slab; slab = slab->next, ++number) {
        std::printf("Slab %d: capacity=%d, used=%d, free=%d\n", number, int(slab->capacity), int(slab->used),
                    int(slab->capacity - slab->used));
    }
    for_each_slot([](int number, Slab*, uint32_t, ObjHeader* obj) {
        if (obj->type == 1 && obj->ref_count == 0) return;
        std::printf("Slab %d: ", number);
        value_debug_dump(make_ref(obj));
    });
}

}  // namespace tarvik
