// runtime/property_map.h: the open-addressing hash table behind objects and
// exceptions. Entries are identified by their 64-bit key hash alone.
#pragma once

#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

constexpr uint32_t kMaxMapEntries = 10000000;
constexpr uint32_t kMapInlineSlots = 8;

enum MapSlotState : uint8_t { SLOT_EMPTY = 0, SLOT_OCCUPIED = 1, SLOT_DELETED = 2 };

struct MapSlot {
    Value key;  // normally the string key; absent when set by hash alone
    Value value;
    uint64_t hash;
    uint8_t state;
    uint8_t pad[7];
};
static_assert(sizeof(MapSlot) == 32);

struct PropertyMap {
    uint32_t capacity;  // power of two
    uint32_t count;
    uint32_t tombstones;
    uint32_t threshold;  // capacity * 0.75
    MapSlot* slots;      // points at inline_slots until the first rebuild
    MapSlot inline_slots[kMapInlineSlots];
};

// Object payload a holds the map pointer (objects and exceptions).
inline PropertyMap* object_map(const ObjHeader* obj) { return reinterpret_cast<PropertyMap*>(obj->a); }

// The process-wide seed of the slot index mix; made on first use.
uint64_t map_seed();
// OS edge: 8 random bytes, false when the generator fails.
bool map_seed_random(uint64_t* out);

// New empty map (null after raising 8).
PropertyMap* map_create();
// Sets key/value for `hash`, taking over the caller's references. With owning, a
// replaced entry's old key and value are released. Raises 10 past 10,000,000.
void map_set(PropertyMap* map, Value key, uint64_t hash, Value value, bool owning);
// Grows an empty or small map so that `entries` members fit without a rebuild
// (capacity for load factor 0.75). False when the request is too large.
bool map_reserve(PropertyMap* map, uint32_t entries);
// The value for `hash` (borrowed), or the absent value.
Value map_get(const PropertyMap* map, uint64_t hash);
// The value of the entry for `hash`, for replacing in place (the caller releases the
// old value), or null when there is none.
Value* map_value_slot(PropertyMap* map, uint64_t hash);
// Removes the entry for `hash`; returns whether one was there.
bool map_remove(PropertyMap* map, uint64_t hash, bool owning);
void map_clear(PropertyMap* map, bool owning);
// Releases every key and value (when owning) and frees the map.
void map_free(PropertyMap* map, bool owning);

// Cursor over occupied slots in slot order: start at 0; each call fills the entry
// and advances; false at the end.
bool map_next(const PropertyMap* map, uint32_t* cursor, Value* key, Value* value, uint64_t* hash);

// New empty object (type T_OBJECT) / exception payload holder.
Value make_object();

// Adds key -> value to an object made by make_object, taking over `value` (stored
// in its container form). Does nothing when the object has no map.
void object_put(Value object, const char* key, Value value);

}  // namespace tarvik
