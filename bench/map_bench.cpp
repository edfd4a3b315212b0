// bench/map_bench.cpp: property-map set and get with prehashed string keys, for the
// small, medium and large objects that scripts build.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "runtime/heap.h"
#include "runtime/property_map.h"
#include "runtime/string.h"

namespace tarvik {
namespace {

void ensure_runtime() {
    static bool ready = false;
    if (!ready) {
        heap_init(HeapConfig{});
        ready = true;
    }
}

struct Keys {
    std::vector<Value> strings;
    std::vector<uint64_t> hashes;
};

Keys make_keys(int n) {
    Keys keys;
    for (int i = 0; i < n; ++i) {
        std::string name = "property_" + std::to_string(i);
        Value s = make_string(name.c_str());
        keys.strings.push_back(s);
        keys.hashes.push_back(string_hash(as_obj(s)));
    }
    return keys;
}

// A map holding every key, the value of key i being i.
PropertyMap* make_filled_map(const Keys& keys) {
    PropertyMap* map = map_create();
    for (size_t i = 0; i < keys.strings.size(); ++i) {
        retain(keys.strings[i]);
        map_set(map, keys.strings[i], keys.hashes[i], make_int(int64_t(i)), true);
    }
    return map;
}

void release_keys(Keys& keys) {
    for (Value s : keys.strings) release(s);
}

// Builds a fresh map of n keys per iteration: insertion including the rebuilds.
void BM_MapSet(benchmark::State& state) {
    ensure_runtime();
    int n = int(state.range(0));
    Keys keys = make_keys(n);
    for (auto _ : state) {
        PropertyMap* map = map_create();
        for (int i = 0; i < n; ++i) {
            retain(keys.strings[i]);
            map_set(map, keys.strings[i], keys.hashes[i], make_int(i), true);
        }
        benchmark::DoNotOptimize(map->count);
        map_free(map, true);
    }
    state.SetItemsProcessed(state.iterations() * n);
    release_keys(keys);
}

// Overwrites existing entries: the path of field updates.
void BM_MapSetExisting(benchmark::State& state) {
    ensure_runtime();
    int n = int(state.range(0));
    Keys keys = make_keys(n);
    PropertyMap* map = make_filled_map(keys);
    for (auto _ : state) {
        for (int i = 0; i < n; ++i) {
            retain(keys.strings[i]);
            map_set(map, keys.strings[i], keys.hashes[i], make_int(i + 1), true);
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
    map_free(map, true);
    release_keys(keys);
}

void BM_MapGet(benchmark::State& state) {
    ensure_runtime();
    int n = int(state.range(0));
    Keys keys = make_keys(n);
    PropertyMap* map = make_filled_map(keys);
    for (auto _ : state) {
        for (int i = 0; i < n; ++i) benchmark::DoNotOptimize(map_get(map, keys.hashes[i]));
    }
    state.SetItemsProcessed(state.iterations() * n);
    map_free(map, true);
    release_keys(keys);
}

void BM_MapGetMissing(benchmark::State& state) {
    ensure_runtime();
    int n = int(state.range(0));
    Keys keys = make_keys(n);
    PropertyMap* map = make_filled_map(keys);
    std::vector<uint64_t> absent;
    for (int i = 0; i < n; ++i) absent.push_back(keys.hashes[i] ^ 0x5555555555555555ull);
    for (auto _ : state) {
        for (int i = 0; i < n; ++i) benchmark::DoNotOptimize(map_get(map, absent[i]));
    }
    state.SetItemsProcessed(state.iterations() * n);
    map_free(map, true);
    release_keys(keys);
}

BENCHMARK(BM_MapSet)->Arg(8)->Arg(64)->Arg(1024);
BENCHMARK(BM_MapSetExisting)->Arg(8)->Arg(64)->Arg(1024);
BENCHMARK(BM_MapGet)->Arg(8)->Arg(64)->Arg(1024);
BENCHMARK(BM_MapGetMissing)->Arg(8)->Arg(64)->Arg(1024);

}  // namespace
}  // namespace tarvik
