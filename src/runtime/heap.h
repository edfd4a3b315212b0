// runtime/heap.h: the slab object heap. 32-byte slots in 4096-slot slabs, a free
// ring per slab, the deferred-free queue, counters, compaction and the reports
// printed at shutdown. VM thread only: nothing here takes a lock.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

constexpr uint32_t kSlabCapacity = 4096;
constexpr size_t kSlabAlign = 0x80000;      // 512 KiB: an object's slab is its address masked
constexpr size_t kSlabBytes = 139304;       // header 40 + ring 4096*2 + slots 4096*32
constexpr size_t kSlabRingOffset = 40;
constexpr size_t kSlabSlotsOffset = 8232;

// Slab layout, at a 512 KiB-aligned address:
//
//   0   capacity  u32      16  next slab      24  &ring   32  &slots
//   4   used      u32      40  ring: 4096 x u16 (circular queue of free slot indices)
//   8   ring head u32    8232  slots: 4096 x 32-byte ObjHeader
//  12   ring count u32
struct Slab {
    uint32_t capacity;
    uint32_t used;
    uint32_t ring_head;
    uint32_t ring_count;
    Slab* next;
    uint16_t* ring;
    ObjHeader* slots;
};
static_assert(sizeof(Slab) == 40);

inline Slab* slab_of(const ObjHeader* obj) {
    return reinterpret_cast<Slab*>(reinterpret_cast<uintptr_t>(obj) & ~uintptr_t(kSlabAlign - 1));
}

// Settings the heap reads; the driver copies them from the command line.
struct HeapConfig {
    uint16_t fifo_slots = 1024;  // deferred-free queue capacity, a power of two
    uint16_t max_slabs = 1024;
};

// Process-wide heap state, kept in one record so that tests can set it up and
// tear it down between cases.
struct HeapState {
    Slab* slabs = nullptr;
    uint16_t slab_count = 0;
    uint16_t max_slabs = 1024;
    ObjHeader** queue = nullptr;  // deferred-free FIFO of released slots
    uint32_t queue_capacity = 0;
    uint32_t queue_head = 0;
    uint32_t queue_count = 0;
    int32_t live = 0;
    int32_t peak_live = 0;
    uint64_t total_created = 0;
    uint32_t cache_hits = 0;
    uint32_t cache_misses = 0;
    uint64_t heap_bytes = 0;          // cumulative bytes from the checked wrappers
    uint64_t guard_address = ~uint64_t(0);  // all ones: the memory guard is disarmed
    // Objects whose contents release was postponed to keep native recursion shallow
    // (long chains of objects freed while the queue is full).
    ObjHeader** pending = nullptr;
    uint32_t pending_count = 0;
    uint32_t pending_capacity = 0;
    uint32_t release_depth = 0;
};
extern HeapState g_heap;

// Creates the deferred-free queue with the configured capacity. A zero capacity
// raises code 6. Slabs are created lazily by the first allocation.
void heap_init(const HeapConfig& config);

// A fresh slot: flags = live, ref_count = 1; the caller sets type, aux and payload.
// Never fails: when no slab can be had the process ends with status 8.
ObjHeader* heap_alloc();

// Frees what an object's payload owns and marks the slot freed (T_FREED, flags free).
void heap_release_contents(ObjHeader* obj);

// Returns a slot to the queue or its slab's free ring. A second call is harmless.
void heap_release_slot(ObjHeader* obj);

// VM.CompactMemory: drains the queue, rebuilds the free rings and returns empty
// slabs to the OS.
void heap_compact();

struct HeapReportOptions {
    bool mem_report = false;  // --mem: leak scan and memory report
    bool stats = false;       // --stats: slabs report
};
// The shutdown report and teardown; afterwards the heap is empty and uninitialised.
// Returns 3 when --mem found leaked objects or block regions, else 0.
int heap_shutdown(const HeapReportOptions& options);

// Debug.Pool: per-slab counters, then a dump line for every slot in use.
void heap_dump_slabs();

// Formats a byte count as "%.2f GB" / "MB" / "KB" or "%llu B" into out[32].
void format_size(uint64_t bytes, char out[32]);

// Empties the deferred-free queue, releasing the contents of every entry.
void heap_drain_queue();

// OS edge (heap_linux.cpp): a zeroed, kSlabAlign-aligned block of kSlabBytes, or null.
void* slab_memory_acquire();
void slab_memory_return(void* base);
// Closes a stream's descriptor when no stream layer has claimed the type.
void stream_descriptor_close(int fd, uint8_t kind);
// Peak resident set in bytes, or 0 when unknown.
uint64_t process_peak_rss_bytes();

// Script-visible counters.
inline int32_t heap_live_count() { return g_heap.live; }
inline int32_t heap_peak_count() { return g_heap.peak_live; }

}  // namespace tarvik
