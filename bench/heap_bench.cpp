// Micro-benchmarks of allocation, release and reference counting.
#include <benchmark/benchmark.h>

#include <vector>

#include "runtime/heap.h"
#include "runtime/value.h"

namespace tarvik {
namespace {

struct HeapScope {
    HeapScope() { heap_init(HeapConfig{}); }
    ~HeapScope() { heap_shutdown(HeapReportOptions{}); }
};

void BM_AllocRelease(benchmark::State& state) {
    HeapScope heap;
    for (auto _ : state) {
        Value v = make_heap_int(int64_t(1) << 61);
        benchmark::DoNotOptimize(v);
        release(v);
    }
}
BENCHMARK(BM_AllocRelease);

// Many live objects at once: the queue overflows and slots go back to the rings.
void BM_AllocReleaseBatch(benchmark::State& state) {
    HeapScope heap;
    std::vector<Value> live(size_t(state.range(0)));
    for (auto _ : state) {
        for (Value& v : live) v = make_float(1.5);
        for (Value v : live) release(v);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AllocReleaseBatch)->Arg(512)->Arg(65536);

void BM_RetainRelease(benchmark::State& state) {
    HeapScope heap;
    Value v = make_heap_int(int64_t(1) << 61);
    for (auto _ : state) {
        retain(v);
        benchmark::ClobberMemory();
        release(v);
    }
    release(v);
}
BENCHMARK(BM_RetainRelease);

void BM_RetainReleaseImmediate(benchmark::State& state) {
    Value v = make_imm_int(42);
    for (auto _ : state) {
        benchmark::DoNotOptimize(v);
        retain(v);
        release(v);
    }
}
BENCHMARK(BM_RetainReleaseImmediate);

}  // namespace
}  // namespace tarvik
