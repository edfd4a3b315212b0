// runtime/heap.cpp: slab allocation, the free rings, the deferred-free queue,
// reference-count destruction and compaction.
#include "runtime/heap.h"

#include <bit>
#include <cstdio>
#include <cstdlib>

#include "runtime/alloc.h"
#include "runtime/array.h"
#include "runtime/block.h"
#include "runtime/block_registry.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/property_map.h"
#include "runtime/type_ops.h"

namespace tarvik {

HeapState g_heap;

namespace {

// Contents releases nest this deep on the native stack; deeper objects wait on the
// pending stack, so freeing a long chain cannot overflow the stack.
constexpr uint32_t kMaxReleaseDepth = 32;

bool g_draining_pending = false;

Slab* slab_create() {
    void* memory = slab_memory_acquire();
    if (!memory) return nullptr;
    __atomic_fetch_add(&g_heap.heap_bytes, uint64_t(kSlabBytes), __ATOMIC_RELAXED);
    auto* slab = static_cast<Slab*>(memory);
    auto* base = static_cast<uint8_t*>(memory);
    slab->capacity = kSlabCapacity;
    slab->used = 0;
    slab->ring_head = 0;
    slab->ring_count = kSlabCapacity;
    slab->ring = reinterpret_cast<uint16_t*>(base + kSlabRingOffset);
    slab->slots = reinterpret_cast<ObjHeader*>(base + kSlabSlotsOffset);
    for (uint32_t i = 0; i < kSlabCapacity; ++i) slab->ring[i] = uint16_t(i);
    slab->next = g_heap.slabs;
    g_heap.slabs = slab;
    g_heap.slab_count += 1;
    return slab;
}

[[noreturn]] void heap_exhausted(bool slab_limit) {
    static bool exiting = false;
    if (exiting) std::_Exit(8);  // the shutdown itself ran out of slots
    exiting = true;
    if (slab_limit) {
        print_error("Maximum number of slabs reached (%d). Cannot allocate more objects.\n", int(g_heap.max_slabs));
    } else {
        print_error("Failed to allocate slab region (%zu bytes). Out of memory.\n", kSlabBytes);
    }
    vm_exit(8);
}

ObjHeader* take_from_ring(Slab* slab) {
    uint16_t index = slab->ring[slab->ring_head];
    slab->ring_head = (slab->ring_head + 1) & (kSlabCapacity - 1);
    slab->ring_count -= 1;
    ObjHeader* obj = &slab->slots[index];
    obj->flags |= F_QUEUED;
    heap_release_contents(obj);
    obj->flags = F_LIVE;
    obj->ref_count = 1;
    slab->used += 1;
    return obj;
}

void ring_append(ObjHeader* obj) {
    Slab* slab = slab_of(obj);
    obj->flags |= F_FREE;
    uint32_t at = (slab->ring_head + slab->ring_count) & (kSlabCapacity - 1);
    slab->ring[at] = uint16_t(obj - slab->slots);
    slab->ring_count += 1;
}

bool pending_push(ObjHeader* obj) {
    HeapState& h = g_heap;
    if (h.pending_count == h.pending_capacity) {
        uint32_t capacity = h.pending_capacity ? h.pending_capacity * 2 : 256;
        auto* grown = static_cast<ObjHeader**>(std::realloc(h.pending, size_t(capacity) * sizeof(ObjHeader*)));
        if (!grown) return false;  // fall back to releasing on the native stack
        __atomic_fetch_add(&h.heap_bytes, uint64_t(capacity) * sizeof(ObjHeader*), __ATOMIC_RELAXED);
        h.pending = grown;
        h.pending_capacity = capacity;
    }
    obj->flags |= F_QUEUED;  // compaction must not hand the slot out before it is freed
    h.pending[h.pending_count++] = obj;
    return true;
}

void drain_pending() {
    g_draining_pending = true;
    while (g_heap.pending_count) {
        ObjHeader* obj = g_heap.pending[--g_heap.pending_count];
        heap_release_contents(obj);
        ring_append(obj);
    }
    g_draining_pending = false;
}

void release_stream(ObjHeader* obj) {
    auto fd = int32_t(uint32_t(obj->b));
    if (fd >= 0) stream_descriptor_close(fd, uint8_t(obj->b >> 32));
    obj->b = (obj->b & ~uint64_t(0xFFFFFFFF)) | 0xFFFFFFFFu;
}

void release_array(ObjHeader* obj) {
    if (!array_is_flat_float(obj)) {
        Value* items = array_items(obj);
        uint32_t count = array_count(obj);
        for (uint32_t i = 0; i < count; ++i) release(items[i]);
    }
    checked_free(reinterpret_cast<void*>(obj->b));
    obj->b = 0;
    obj->aux = 0;
}

// The oldest entry of the deferred-free queue; the caller has checked it is not empty.
ObjHeader* queue_pop() {
    HeapState& h = g_heap;
    ObjHeader* obj = h.queue[h.queue_head];
    h.queue_head = (h.queue_head + 1) & (h.queue_capacity - 1);
    h.queue_count -= 1;
    return obj;
}

// Drains the deferred-free queue: every entry still queued has its contents released
// and is marked free (the free rings are rebuilt by the caller or discarded).
void drain_queue() {
    HeapState& h = g_heap;
    while (h.queue_count) {
        ObjHeader* obj = queue_pop();
        if (obj->flags & F_QUEUED) {
            heap_release_contents(obj);
            obj->flags = (obj->flags & ~(F_LIVE | F_FREE | F_QUEUED)) | F_FREE;
        }
    }
}

}  // namespace

void heap_init(const HeapConfig& config) {
    g_heap.max_slabs = config.max_slabs;
    if (config.fifo_slots == 0) {
        raise_error(ERR_RUNTIME);
        return;
    }
    // A power of two, so queue positions wrap with a mask.
    uint32_t capacity = std::bit_ceil(uint32_t(config.fifo_slots));
    g_heap.queue = static_cast<ObjHeader**>(checked_calloc(capacity, sizeof(ObjHeader*)));
    g_heap.queue_capacity = g_heap.queue ? capacity : 0;
    g_heap.queue_head = 0;
    g_heap.queue_count = 0;
}

ObjHeader* heap_alloc() {
    HeapState& h = g_heap;
    h.total_created += 1;
    h.live += 1;
    if (h.live > h.peak_live) h.peak_live = h.live;

    if (h.queue_count) {
        ObjHeader* obj = queue_pop();
        h.cache_hits += 1;
        // Number boxes own nothing: the common case skips the contents release.
        if (obj->type == 0 || (obj->type & ~T_NUMERIC) != 0) heap_release_contents(obj);
        slab_of(obj)->used += 1;
        obj->flags = F_LIVE;
        obj->ref_count = 1;
        return obj;
    }

    h.cache_misses += 1;
    Slab* prev = nullptr;
    for (Slab* slab = h.slabs; slab; prev = slab, slab = slab->next) {
        if (slab->ring_count == 0) continue;
        if (prev) {  // keep the slab with space at the front, so the walk stays short
            prev->next = slab->next;
            slab->next = h.slabs;
            h.slabs = slab;
        }
        return take_from_ring(slab);
    }
    if (h.slab_count >= h.max_slabs) heap_exhausted(true);
    Slab* slab = slab_create();
    if (!slab) heap_exhausted(false);
    return take_from_ring(slab);
}

void heap_release_contents(ObjHeader* obj) {
    HeapState& h = g_heap;
    h.release_depth += 1;
    uint32_t type = obj->type;
    if (type & T_ARRAY) {
        release_array(obj);
    } else {
        switch (type) {
        case T_STRING:
            if (!(obj->flags & F_INLINE_CHARS)) checked_free(reinterpret_cast<void*>(obj->b));
            obj->b = 0;
            break;
        case T_OBJECT:
        case T_EXCEPTION:
            if (obj->a) map_free(object_map(obj), true);
            obj->a = 0;
            break;
        case T_BLOCK:
            block_region_remove(block_bytes(obj));
            checked_free(block_bytes(obj));
            obj->a = 0;
            break;
        case T_STREAM:
            if (TypeOps& ops = type_ops(T_STREAM); ops.release_contents) ops.release_contents(obj);
            else release_stream(obj);
            break;
        case 0:
        case T_FREED:
        case T_NIL:
        case T_CHAR:
        case T_FLOAT:
        case T_INT:
        case T_BOOL:
        case T_POINTER:
            break;
        default:
            if ((type & (type - 1)) == 0) {
                if (TypeOps& ops = type_ops(type); ops.release_contents) ops.release_contents(obj);
            }
            break;
        }
    }
    obj->flags = (obj->flags & ~(F_LIVE | F_QUEUED)) | F_FREE;
    obj->ref_count = 0;
    obj->type = T_FREED;
    h.release_depth -= 1;
    if (h.release_depth == 0 && h.pending_count && !g_draining_pending) drain_pending();
}

void heap_release_slot(ObjHeader* obj) {
    HeapState& h = g_heap;
    if (!(obj->flags & F_LIVE)) return;
    obj->flags &= ~F_LIVE;
    h.live -= 1;
    Slab* slab = slab_of(obj);
    if (slab->used) slab->used -= 1;
    if (h.queue && h.queue_count < h.queue_capacity) {
        obj->flags |= F_QUEUED;
        h.queue[(h.queue_head + h.queue_count) & (h.queue_capacity - 1)] = obj;
        h.queue_count += 1;
        return;
    }
    if (h.release_depth >= kMaxReleaseDepth && pending_push(obj)) return;
    // Queued while its contents go: a destructor they run may compact, and compaction
    // must not put the slot on the ring before ring_append does.
    obj->flags |= F_QUEUED;
    heap_release_contents(obj);
    ring_append(obj);
}

void heap_destroy(ObjHeader* obj) {
    if (obj->type == T_INSTANCE && g_run_destructor) {
        g_run_destructor(obj);
        if (obj->ref_count != 0) return;  // the destructor stored the instance somewhere
    }
    heap_release_slot(obj);
}

void heap_drain_queue() { drain_queue(); }

void heap_compact() {
    HeapState& h = g_heap;
    drain_queue();
    if (h.queue_count) {
        print_warning("Compact aborted: %d object(s) still queued for deferred free\n", int(h.queue_count));
        return;
    }
    Slab* prev = nullptr;
    int number = 0;
    for (Slab* slab = h.slabs; slab; ++number) {
        uint32_t used = 0;
        slab->ring_head = 0;
        slab->ring_count = 0;
        for (uint32_t i = 0; i < slab->capacity; ++i) {
            if (slab->slots[i].flags & (F_LIVE | F_QUEUED)) used += 1;
            else slab->ring[slab->ring_count++] = uint16_t(i);
        }
        slab->used = used;
        Slab* next = slab->next;
        if (used) {
            print_verbose(" - Compact kept slab %d (used %d)\n", number, int(used));
            prev = slab;
        } else {
            print_verbose(" - Compact removed an empty slab of %d items\n", int(slab->capacity));
            if (prev) prev->next = next;
            else h.slabs = next;
            h.slab_count -= 1;
            slab_memory_return(slab);
        }
        slab = next;
    }
}

}  // namespace tarvik
