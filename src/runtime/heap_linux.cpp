// runtime/heap_linux.cpp: OS edge of the heap: aligned slab memory, descriptor close
// for streams and the peak resident set.
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include "runtime/heap.h"

namespace tarvik {

namespace {
constexpr size_t kPage = 4096;
constexpr size_t kSlabMapped = (kSlabBytes + kPage - 1) & ~(kPage - 1);
}  // namespace

// Maps one alignment's worth more than needed and trims both ends, so the slab
// starts on a 512 KiB boundary and the pages come back zeroed.
void* slab_memory_acquire() {
    size_t span = kSlabMapped + kSlabAlign;
    void* raw = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return nullptr;
    uintptr_t start = reinterpret_cast<uintptr_t>(raw);
    uintptr_t aligned = (start + kSlabAlign - 1) & ~uintptr_t(kSlabAlign - 1);
    if (aligned > start) munmap(raw, aligned - start);
    uintptr_t end = aligned + kSlabMapped;
    uintptr_t raw_end = start + span;
    if (raw_end > end) munmap(reinterpret_cast<void*>(end), raw_end - end);
    return reinterpret_cast<void*>(aligned);
}

void slab_memory_return(void* base) { munmap(base, kSlabMapped); }

void stream_descriptor_close(int fd, uint8_t) { close(fd); }

uint64_t process_peak_rss_bytes() {
    struct rusage usage {};
    if (getrusage(RUSAGE_SELF, &usage) != 0) return 0;
    return uint64_t(usage.ru_maxrss) * 1024;
}

}  // namespace tarvik
