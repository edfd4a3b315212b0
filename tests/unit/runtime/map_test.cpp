// tests/unit/runtime/map_test.cpp: the property map's growth, tombstones, rebuilds,
// identity by hash and ownership of keys and values.
#include <string>
#include <vector>

#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/test_support.h"

namespace tarvik {
namespace {

class MapTest : public test::RuntimeTest {
protected:
    PropertyMap* map = nullptr;
    void SetUp() override {
        RuntimeTest::SetUp();
        map = map_create();
        ASSERT_NE(map, nullptr);
    }
    void TearDown() override {
        map_free(map, true);
        RuntimeTest::TearDown();
    }
    // Sets key "k<i>" to the int i.
    void set_numbered(int i) {
        std::string name = "k" + std::to_string(i);
        Value key = make_string(name.c_str());
        map_set(map, key, string_hash(as_obj(key)), make_int(i), true);
    }
    static uint64_t numbered_hash(int i) {
        std::string name = "k" + std::to_string(i);
        return hash_bytes(name.data(), name.size());
    }
    int32_t slot_of(uint64_t hash) {
        for (uint32_t i = 0; i < map->capacity; ++i)
            if (map->slots[i].state == SLOT_OCCUPIED && map->slots[i].hash == hash) return int32_t(i);
        return -1;
    }
};

TEST_F(MapTest, ANewMapUsesItsEightInlineSlots) {
    EXPECT_EQ(map->capacity, 8u);
    EXPECT_EQ(map->threshold, 6u);
    EXPECT_EQ(map->slots, map->inline_slots);
    EXPECT_EQ(map_get(map, 12345), kAbsent);
    EXPECT_FALSE(map_remove(map, 12345, true));
    EXPECT_NE(map_seed(), 0u);
    EXPECT_EQ(map_seed(), map_seed());
}

TEST_F(MapTest, EightKeysRebuildOnceAtTheThreshold) {
    for (int i = 0; i < 6; ++i) set_numbered(i);
    EXPECT_EQ(map->capacity, 8u);
    EXPECT_EQ(map->slots, map->inline_slots);
    set_numbered(6);
    EXPECT_EQ(map->capacity, 16u);
    EXPECT_EQ(map->threshold, 12u);
    EXPECT_NE(map->slots, map->inline_slots);
    set_numbered(7);
    EXPECT_EQ(map->capacity, 16u);
    EXPECT_EQ(map->count, 8u);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(map_get(map, numbered_hash(i)), make_int(i)) << i;
}

TEST_F(MapTest, DeletingMostKeysRebuildsAtTheSameSize) {
    for (int i = 0; i < 8; ++i) set_numbered(i);
    ASSERT_EQ(map->capacity, 16u);
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(map_remove(map, numbered_hash(i), true));
    EXPECT_EQ(map->tombstones, 4u);  // 4 is not above capacity / 4 nor above count
    EXPECT_EQ(map->count, 4u);
    ASSERT_TRUE(map_remove(map, numbered_hash(4), true));
    EXPECT_EQ(map->tombstones, 0u);
    EXPECT_EQ(map->count, 3u);
    EXPECT_EQ(map->capacity, 16u);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(map_get(map, numbered_hash(i)), i < 5 ? kAbsent : make_int(i)) << i;
}

TEST_F(MapTest, ARemovedSlotIsReusedByTheNextInsert) {
    for (int i = 0; i < 3; ++i) set_numbered(i);
    int32_t slot = slot_of(numbered_hash(1));
    ASSERT_GE(slot, 0);
    ASSERT_TRUE(map_remove(map, numbered_hash(1), true));
    EXPECT_EQ(map->tombstones, 1u);
    EXPECT_EQ(map->slots[slot].state, SLOT_DELETED);
    EXPECT_EQ(map_get(map, numbered_hash(1)), kAbsent);
    EXPECT_FALSE(map_remove(map, numbered_hash(1), true));

    set_numbered(1);
    EXPECT_EQ(map->tombstones, 0u);
    EXPECT_EQ(map->count, 3u);
    EXPECT_EQ(slot_of(numbered_hash(1)), slot);
}

TEST_F(MapTest, KeysWithTheSameHashAreTheSameEntry) {
    Value first_key = make_string("first");
    Value second_key = make_string("second");
    Value first_value = make_string("first value");
    retain(first_key);
    retain(first_value);
    map_set(map, first_key, 77, first_value, true);
    map_set(map, second_key, 77, make_int(2), true);
    EXPECT_EQ(map->count, 1u);
    EXPECT_EQ(map_get(map, 77), make_int(2));
    // The replaced key and value were released by the map.
    EXPECT_EQ(as_obj(first_key)->ref_count, 1u);
    EXPECT_EQ(as_obj(first_value)->ref_count, 1u);
    Value key;
    uint32_t cursor = 0;
    ASSERT_TRUE(map_next(map, &cursor, &key, nullptr, nullptr));
    EXPECT_EQ(key, second_key);
    release(first_key);
    release(first_value);
}

TEST_F(MapTest, EntriesMayBeSetByHashAlone) {
    map_set(map, kAbsent, 42, make_int(1), true);
    EXPECT_EQ(map_get(map, 42), make_int(1));
    Value key = make_int(99);
    Value value;
    uint64_t hash = 0;
    uint32_t cursor = 0;
    ASSERT_TRUE(map_next(map, &cursor, &key, &value, &hash));
    EXPECT_EQ(key, kAbsent);
    EXPECT_EQ(value, make_int(1));
    EXPECT_EQ(hash, 42u);
    EXPECT_FALSE(map_next(map, &cursor, &key, &value, &hash));
}

TEST_F(MapTest, IterationVisitsEachEntryOnceInSlotOrder) {
    for (int i = 0; i < 40; ++i) set_numbered(i);
    std::vector<bool> seen(40, false);
    uint32_t cursor = 0;
    uint32_t last_cursor = 0;
    Value value;
    uint64_t hash;
    int visited = 0;
    while (map_next(map, &cursor, nullptr, &value, &hash)) {
        EXPECT_GT(cursor, last_cursor);
        last_cursor = cursor;
        int64_t i = imm_int(value);
        ASSERT_FALSE(seen[i]);
        seen[i] = true;
        EXPECT_EQ(hash, numbered_hash(int(i)));
        ++visited;
    }
    EXPECT_EQ(visited, 40);
}

TEST_F(MapTest, ManyInsertsAndRemovalsStayConsistent) {
    constexpr int kKeys = 3000;
    for (int i = 0; i < kKeys; ++i) set_numbered(i);
    EXPECT_EQ(map->count, uint32_t(kKeys));
    EXPECT_EQ(map->capacity, 4096u);
    for (int i = 0; i < kKeys; i += 3) ASSERT_TRUE(map_remove(map, numbered_hash(i), true));
    for (int i = 0; i < kKeys; i += 6) set_numbered(i);
    for (int i = 0; i < kKeys; ++i) {
        bool present = i % 3 != 0 || i % 6 == 0;
        ASSERT_EQ(map_get(map, numbered_hash(i)), present ? make_int(i) : kAbsent) << i;
    }
    EXPECT_LT(map->count + map->tombstones, map->capacity);
}

TEST_F(MapTest, ClearReleasesEverythingAndKeepsTheCapacity) {
    for (int i = 0; i < 10; ++i) set_numbered(i);
    Value held = make_string("held value");
    retain(held);
    map_set(map, kAbsent, 5, held, true);  // an entry set by hash alone
    map_remove(map, numbered_hash(0), true);
    uint32_t capacity = map->capacity;
    map_clear(map, true);
    EXPECT_EQ(map->count, 0u);
    EXPECT_EQ(map->tombstones, 0u);
    EXPECT_EQ(map->capacity, capacity);
    EXPECT_EQ(as_obj(held)->ref_count, 1u);
    for (uint32_t i = 0; i < map->capacity; ++i) EXPECT_EQ(map->slots[i].state, SLOT_EMPTY);
    set_numbered(3);
    EXPECT_EQ(map_get(map, numbered_hash(3)), make_int(3));
    release(held);
}

TEST_F(MapTest, ANonOwningMapLeavesReferencesAlone) {
    PropertyMap* borrowed = map_create();
    Value s = make_string("borrowed");
    map_set(borrowed, s, 1, s, false);
    map_set(borrowed, kAbsent, 1, s, false);  // replace without releasing
    map_remove(borrowed, 1, false);
    map_set(borrowed, s, 2, s, false);
    map_free(borrowed, false);
    EXPECT_EQ(as_obj(s)->ref_count, 1u);
    release(s);
}

TEST_F(MapTest, ObjectsWrapAFreshMap) {
    Value o = make_object();
    ASSERT_TRUE(is_ref_of(o, T_OBJECT));
    PropertyMap* m = object_map(as_obj(o));
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->count, 0u);
    EXPECT_EQ(m->slots, m->inline_slots);
    Value s = make_string("owned by the object");
    retain(s);
    map_set(m, make_string("key"), 9, s, true);
    release(o);
    // Freeing happens when the slot is reused; force it by draining the queue.
    heap_drain_queue();
    EXPECT_EQ(as_obj(s)->ref_count, 1u);
    release(s);
}

}  // namespace
}  // namespace tarvik
