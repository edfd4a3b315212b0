// runtime/map_seed_linux.cpp: the process-wide seed of the property-map index mix,
// from the kernel's random generator, the process id and the clocks.
#include <sys/random.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/property_map.h"

namespace tarvik {

bool map_seed_random(uint64_t* out) {
    uint64_t bytes = 0;
    size_t filled = 0;
    while (filled < sizeof bytes) {
        ssize_t n = getrandom(reinterpret_cast<char*>(&bytes) + filled, sizeof bytes - filled, 0);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        filled += size_t(n);
    }
    *out = bytes;
    return true;
}

uint64_t map_seed() {
    static uint64_t seed = 0;
    if (seed != 0) return seed;

    uint64_t random = 0;
    map_seed_random(&random);  // on failure the constants and addresses alone remain
    uint64_t v = random ^ 0x9E3779B97F4A7C15ull ^ reinterpret_cast<uintptr_t>(&g_nil_object) ^
                 reinterpret_cast<uintptr_t>(&g_empty_string);

    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    uint64_t ticks = uint64_t(now.tv_sec) * 1000000000ull + uint64_t(now.tv_nsec);
    uint64_t seconds = uint64_t(time(nullptr));

    uint64_t x = (uint64_t(getpid()) << 17) ^ (ticks ^ (0xD1B54A32D192ED03ull * seconds) ^ v);
    x = (x ^ (x >> 33)) * 0xFF51AFD7ED558CCDull;
    x = (x ^ (x >> 33)) * 0xC4CEB9FE1A85EC53ull;
    x ^= x >> 33;
    seed = x == 0 ? 1 : x;
    return seed;
}

}  // namespace tarvik
