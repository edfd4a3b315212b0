// Slab allocation, the deferred-free queue, destruction, compaction and the reports.
#include <gtest/gtest.h>

#include <set>

#include "runtime/array.h"
#include "runtime/block_registry.h"
#include "runtime/errors.h"
#include "runtime/heap.h"
#include "runtime/string.h"
#include "runtime/type_ops.h"
#include "runtime/vm_options.h"
#include "runtime/test_support.h"

namespace tarvik {
namespace {

using test::RuntimeTest;

Value new_int_box(int64_t n) { return make_heap_int(n); }

class HeapSmallQueue : public ::testing::Test {
protected:
    void SetUp() override { test::runtime_setup(HeapConfig{16, 1024}); }
    void TearDown() override { test::runtime_teardown(); }
};

TEST_F(RuntimeTest, SlabIsFoundByMaskingAndAligned) {
    Value v = new_int_box(int64_t(1) << 61);
    ObjHeader* obj = as_obj(v);
    Slab* slab = slab_of(obj);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(slab) % kSlabAlign, 0u);
    EXPECT_EQ(slab, g_heap.slabs);
    EXPECT_EQ(slab->capacity, kSlabCapacity);
    EXPECT_EQ(reinterpret_cast<uint8_t*>(slab->ring), reinterpret_cast<uint8_t*>(slab) + kSlabRingOffset);
    EXPECT_EQ(reinterpret_cast<uint8_t*>(slab->slots), reinterpret_cast<uint8_t*>(slab) + kSlabSlotsOffset);
    EXPECT_EQ(obj->flags, F_LIVE);
    EXPECT_EQ(obj->ref_count, 1u);
    EXPECT_EQ(slab->used, 1u);
    release(v);
}

TEST_F(RuntimeTest, RetainReleaseCountAndStaticObjectsAreNeverTouched) {
    Value v = new_int_box(int64_t(1) << 62);
    retain(v);
    EXPECT_EQ(as_obj(v)->ref_count, 2u);
    release(v);
    EXPECT_EQ(as_obj(v)->ref_count, 1u);
    EXPECT_EQ(heap_live_count(), 1);
    release(v);
    EXPECT_EQ(heap_live_count(), 0);

    ObjHeader nil_before = g_nil_object;
    ObjHeader empty_before = g_empty_string;
    for (int i = 0; i < 3; ++i) {
        retain(nil_value());
        release(nil_value());
        release(empty_string_value());
    }
    EXPECT_EQ(std::memcmp(&nil_before, &g_nil_object, sizeof nil_before), 0);
    EXPECT_EQ(std::memcmp(&empty_before, &g_empty_string, sizeof empty_before), 0);
    // Immediates and the absent value are ignored.
    release(make_imm_int(5));
    release(kAbsent);
    retain(make_bool(true));
}

TEST_F(RuntimeTest, ReleasedSlotWaitsInQueueWithItsContentsUntilReused) {
    Value text = make_string("a string long enough to own a buffer");
    Value array = make_array(4);
    array_append(array, text, /*borrowed=*/true);
    EXPECT_EQ(as_obj(text)->ref_count, 2u);

    ObjHeader* slot = as_obj(array);
    release(array);
    EXPECT_TRUE(slot->flags & F_QUEUED);
    EXPECT_FALSE(slot->flags & F_LIVE);
    EXPECT_EQ(g_heap.queue_count, 1u);
    EXPECT_EQ(as_obj(text)->ref_count, 2u) << "contents are released only on reuse";

    uint32_t hits = g_heap.cache_hits;
    Value next = new_int_box(int64_t(1) << 61);
    EXPECT_EQ(as_obj(next), slot) << "the oldest queued slot is reused first";
    EXPECT_EQ(g_heap.cache_hits, hits + 1);
    EXPECT_EQ(as_obj(text)->ref_count, 1u);
    release(next);
    release(text);
}

TEST_F(RuntimeTest, SecondReleaseOfTheSameSlotIsHarmless) {
    Value v = new_int_box(int64_t(1) << 61);
    ObjHeader* obj = as_obj(v);
    release(v);
    int32_t live = heap_live_count();
    uint32_t queued = g_heap.queue_count;
    heap_release_slot(obj);
    EXPECT_EQ(heap_live_count(), live);
    EXPECT_EQ(g_heap.queue_count, queued);
}

TEST_F(HeapSmallQueue, FullQueueFreesToTheSlabRing) {
    std::vector<Value> boxes;
    for (int i = 0; i < 20; ++i) boxes.push_back(new_int_box((int64_t(1) << 61) + i));
    Slab* slab = g_heap.slabs;
    uint32_t ring_before = slab->ring_count;
    for (Value v : boxes) release(v);
    EXPECT_EQ(g_heap.queue_count, 16u);
    EXPECT_EQ(slab->ring_count, ring_before + 4);
    EXPECT_EQ(slab->used, 0u);
    EXPECT_EQ(heap_live_count(), 0);
    // Slots freed to the ring have their contents released and read as freed.
    ObjHeader* last = as_obj(boxes.back());
    EXPECT_EQ(last->type, T_FREED);
    EXPECT_TRUE(last->flags & F_FREE);
}

TEST_F(HeapSmallQueue, FreeingAVeryLongChainDoesNotExhaustTheStack) {
    // Each array holds the next; freeing the head cascades through all of them.
    constexpr int kLength = 300000;
    Value head = make_array(1);
    Value current = head;
    for (int i = 1; i < kLength; ++i) {
        Value next = make_array(1);
        array_append(current, next, /*borrowed=*/false);
        current = next;
    }
    EXPECT_EQ(heap_live_count(), kLength);
    // With the queue full every freed link is released at once, link after link.
    Value fillers[16];
    for (Value& v : fillers) v = new_int_box(int64_t(1) << 61);
    for (Value v : fillers) release(v);
    ASSERT_EQ(g_heap.queue_count, 16u);
    release(head);
    EXPECT_EQ(heap_live_count(), 0);
    EXPECT_EQ(g_heap.pending_count, 0u);
}

TEST_F(HeapSmallQueue, CompactionByADestructorLeavesEachFreeSlotOnTheRingOnce) {
    // With the queue full, a freed array releases its contents at once; the
    // instance among them runs a destructor that compacts the heap meanwhile.
    type_ops_set_destructor([](ObjHeader*) { heap_compact(); });
    Value holder = make_array(1);
    ObjHeader* instance = heap_alloc();
    instance->type = T_INSTANCE;
    array_append(holder, make_ref(instance), /*borrowed=*/false);
    Value fillers[16];
    for (Value& v : fillers) v = new_int_box(int64_t(1) << 61);
    for (Value v : fillers) release(v);
    ASSERT_EQ(g_heap.queue_count, 16u);
    release(holder);
    type_ops_set_destructor(nullptr);

    Slab* slab = g_heap.slabs;
    std::set<uint16_t> on_ring;
    for (uint32_t k = 0; k < slab->ring_count; ++k)
        on_ring.insert(slab->ring[(slab->ring_head + k) & (kSlabCapacity - 1)]);
    EXPECT_EQ(on_ring.size(), slab->ring_count);
    for (uint16_t i : on_ring) EXPECT_FALSE(slab->slots[i].flags & (F_LIVE | F_QUEUED)) << i;
}

TEST_F(RuntimeTest, CompactionRemovesEmptySlabsAndKeepsUsedOnes) {
    std::vector<Value> boxes;
    for (uint32_t i = 0; i < kSlabCapacity + 10; ++i) boxes.push_back(new_int_box((int64_t(1) << 61) + i));
    EXPECT_EQ(g_heap.slab_count, 2);
    Value keep = boxes.front();
    for (size_t i = 1; i < boxes.size(); ++i) release(boxes[i]);
    heap_compact();
    EXPECT_EQ(g_heap.queue_count, 0u);
    EXPECT_EQ(g_heap.slab_count, 1);
    EXPECT_EQ(g_heap.slabs, slab_of(as_obj(keep)));
    EXPECT_EQ(g_heap.slabs->used, 1u);
    EXPECT_EQ(g_heap.slabs->ring_count, kSlabCapacity - 1);

    release(keep);
    heap_compact();
    EXPECT_EQ(g_heap.slab_count, 0);
    EXPECT_EQ(g_heap.slabs, nullptr);
    Value fresh = new_int_box(int64_t(1) << 61);
    EXPECT_EQ(g_heap.slab_count, 1);
    release(fresh);
}

TEST_F(RuntimeTest, CountersTrackLivePeakAndCreated) {
    uint64_t created = g_heap.total_created;
    Value a = new_int_box(int64_t(1) << 61);
    Value b = new_int_box(int64_t(1) << 61);
    release(a);
    Value c = new_int_box(int64_t(1) << 61);
    EXPECT_EQ(heap_live_count(), 2);
    EXPECT_EQ(heap_peak_count(), 2);
    EXPECT_EQ(g_heap.total_created, created + 3);
    release(b);
    release(c);
}

int g_destructor_runs = 0;
Value g_resurrected = kAbsent;

TEST_F(RuntimeTest, InstanceDestructorRunsAndMayKeepTheInstance) {
    g_destructor_runs = 0;
    type_ops_set_destructor([](ObjHeader* obj) {
        g_destructor_runs += 1;
        if (g_destructor_runs == 2) {  // the second one stores itself away
            retain(make_ref(obj));
            g_resurrected = make_ref(obj);
        }
    });
    ObjHeader* first = heap_alloc();
    first->type = T_INSTANCE;
    release(make_ref(first));
    EXPECT_EQ(g_destructor_runs, 1);
    EXPECT_FALSE(first->flags & F_LIVE);

    ObjHeader* second = heap_alloc();
    second->type = T_INSTANCE;
    release(make_ref(second));
    EXPECT_EQ(g_destructor_runs, 2);
    EXPECT_TRUE(second->flags & F_LIVE) << "a stored instance must not be freed";
    type_ops_set_destructor(nullptr);
    release(g_resurrected);
    EXPECT_FALSE(second->flags & F_LIVE);
}

TEST(HeapSizes, FormatSizeUsesBinaryUnitsAtEachBoundary) {
    char out[32];
    format_size(1023, out);
    EXPECT_STREQ(out, "1023 B");
    format_size(1024, out);
    EXPECT_STREQ(out, "1.00 KB");
    format_size((1 << 20) - 1, out);
    EXPECT_STREQ(out, "1024.00 KB");
    format_size(uint64_t(3) << 20, out);
    EXPECT_STREQ(out, "3.00 MB");
    format_size(uint64_t(5) << 30, out);
    EXPECT_STREQ(out, "5.00 GB");
}

TEST(HeapFifo, SettingIsRoundedUpToAPowerOfTwoWithANote) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(option_round_to_power_of_two("FIFO size", 9), 16u);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning: Note: FIFO size 9 rounded up to 16 (must be a power of two)\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(option_round_to_power_of_two("FIFO size", 1024), 1024u);
    EXPECT_EQ(option_round_to_power_of_two("max fibers", 3), 4u);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning: Note: max fibers 3 rounded up to 4 (must be a power of two)\n");
}

TEST(HeapReports, StatsReportCountsHitsMissesAndSlabs) {
    test::runtime_setup();
    Value a = make_heap_int(int64_t(1) << 61);
    release(a);
    Value b = make_heap_int(int64_t(1) << 61);  // reuses the queued slot
    testing::internal::CaptureStdout();
    EXPECT_EQ(heap_shutdown(HeapReportOptions{false, true}), 0);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("\n=== Slabs Report ===\nCache size 1024\nCache hits 1\nCache miss 1\nCache hit rate 50.00\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("Slab 0: capacity=4096, used=0, free=4096\nTotal slabs 1\n"), std::string::npos) << out;
    (void)b;  // freed by the shutdown's release pass
    test::runtime_teardown();
}

TEST(HeapReports, MemReportOfALeakFreeRunReturnsZero) {
    test::runtime_setup();
    Value a = make_heap_int(int64_t(1) << 61);
    release(a);
    testing::internal::CaptureStdout();
    EXPECT_EQ(heap_shutdown(HeapReportOptions{true, false}), 0);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("=== Memory Report ===\n"), std::string::npos);
    EXPECT_NE(out.find("  Slab pool footprint:     128.00 KB  (1 slabs x 4096 objects x 32 bytes)\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("  Total objects created:   1\n"), std::string::npos);
    EXPECT_NE(out.find("  Leaked objects:          0\n"), std::string::npos);
    test::runtime_teardown();
}

using HeapDeathTest = ::testing::Test;

TEST(HeapDeathTest, ArrayContainingItselfIsReportedAsLeakWithStatus3) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            test::runtime_setup();
            g_options.mem_report = true;
            Value self = make_array(1);
            array_append(self, self, /*borrowed=*/true);
            release(self);
            vm_exit(0);
        },
        ::testing::ExitedWithCode(3), "Error: Detected 1 leaked objects at shutdown.");
}

TEST(HeapDeathTest, SlabLimitEndsTheProcessWithStatus8) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            test::runtime_setup(HeapConfig{1024, 1});
            for (uint32_t i = 0; i <= kSlabCapacity; ++i) make_heap_int(int64_t(1) << 61);
        },
        ::testing::ExitedWithCode(8),
        "Error: Maximum number of slabs reached \\(1\\)\\. Cannot allocate more objects\\.");
}

TEST_F(RuntimeTest, BlockRegistryKeepsRegionsSortedAndChecksRanges) {
    alignas(16) static uint8_t bytes[3][64];
    block_region_register(bytes[2], 64);
    block_region_register(bytes[0], 64);
    block_region_register(bytes[1], 32);
    ASSERT_EQ(g_block_regions.count, 3u);
    EXPECT_LT(g_block_regions.regions[0].base, g_block_regions.regions[1].base);
    EXPECT_LT(g_block_regions.regions[1].base, g_block_regions.regions[2].base);
    EXPECT_EQ(g_block_regions.total_bytes, 160u);

    EXPECT_TRUE(block_region_contains(bytes[0], 64));
    EXPECT_FALSE(block_region_contains(bytes[0], 65)) << "a range may not run past its region";
    EXPECT_TRUE(block_region_contains(bytes[1] + 31, 1));
    EXPECT_FALSE(block_region_contains(bytes[1] + 32, 1));
    EXPECT_FALSE(block_region_contains(bytes[0], 0));
    EXPECT_FALSE(block_region_contains(nullptr, 1));
    EXPECT_FALSE(block_region_contains(reinterpret_cast<void*>(~uintptr_t(0) - 2), 8)) << "wrapping range";

    EXPECT_EQ(memory_guard_check(bytes[2] + 8, 8), 1);
    EXPECT_EQ(memory_guard_check(bytes[1] + 30, 4), 0);
    EXPECT_EQ(take_error_code(), ERR_INVALID_MEMORY_ACCESS);
    EXPECT_EQ(memory_guard_check(nullptr, 4), 0);
    EXPECT_EQ(take_error_code(), ERR_NULL_PTR);

    block_region_remove(bytes[1]);
    EXPECT_EQ(g_block_regions.count, 2u);
    EXPECT_EQ(g_block_regions.total_bytes, 128u);
    EXPECT_FALSE(block_region_contains(bytes[1], 1));
    block_region_remove(bytes[1]);  // unknown base: nothing happens
    EXPECT_EQ(g_block_regions.count, 2u);
    block_registry_reset();
}

TEST_F(RuntimeTest, ArmedGuardAddressIsReportedOnceAndDisarmed) {
    alignas(16) static uint8_t bytes[16];
    block_region_register(bytes, 16);
    memory_guard_arm(reinterpret_cast<uint64_t>(bytes + 4));
    testing::internal::CaptureStdout();
    EXPECT_EQ(memory_guard_check(bytes + 4, 1), 1);
    EXPECT_EQ(memory_guard_check(bytes + 4, 1), 1);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("[Mem-guard] R/W-operation on memory address"), std::string::npos);
    EXPECT_EQ(out.find("[Mem-guard]"), out.rfind("[Mem-guard]")) << "reported once";
    EXPECT_EQ(g_heap.guard_address, ~uint64_t(0));
    block_registry_reset();
}

}  // namespace
}  // namespace tarvik
