// runtime/property_map.cpp: the open-addressing property map behind objects and
// exceptions: seeded slot index, linear probing, tombstones and rebuilds.
#include "runtime/property_map.h"

#include "runtime/alloc.h"
#include "runtime/array.h"
#include "runtime/errors.h"
#include "runtime/heap.h"
#include "runtime/string.h"

namespace tarvik {

namespace {

constexpr uint32_t kMaxDoubledCapacity = 16777216;  // doubling stops here
constexpr uint32_t kRebuildCapacityLimit = 0x4000000;
constexpr uint32_t kMinRebuildCapacity = 16;

// Copy of map_seed(), taken when the first map is created; every map operation needs
// it, so it sits in a plain global rather than behind a call.
uint64_t g_index_seed = 0;

inline uint32_t slot_index(uint64_t hash, uint32_t mask) {
    uint64_t x = g_index_seed ^ hash;
    x = (x ^ (x >> 33)) * 0xFF51AFD7ED558CCDull;
    x ^= x >> 33;
    return uint32_t(x) & mask;
}

inline uint32_t threshold_of(uint32_t capacity) { return uint32_t(uint64_t(capacity) * 3 / 4); }

// Re-inserts every entry into fresh zeroed slots of max(16, requested). False when
// the request is too large or the allocation failed (the old table stays).
bool map_rebuild(PropertyMap* map, uint32_t requested) {
    uint32_t capacity = requested < kMinRebuildCapacity ? kMinRebuildCapacity : requested;
    if (capacity >= kRebuildCapacityLimit) return false;
    auto* slots = static_cast<MapSlot*>(checked_calloc(capacity, sizeof(MapSlot)));
    if (!slots) return false;
    uint32_t mask = capacity - 1;
    uint32_t count = 0;
    MapSlot* old = map->slots;
    for (uint32_t i = 0; i < map->capacity; ++i) {
        if (old[i].state != SLOT_OCCUPIED) continue;
        uint32_t j = slot_index(old[i].hash, mask);
        while (slots[j].state != SLOT_EMPTY) j = (j + 1) & mask;
        slots[j] = old[i];
        ++count;
    }
    if (old != map->inline_slots) checked_free(old);
    map->slots = slots;
    map->capacity = capacity;
    map->threshold = threshold_of(capacity);
    map->count = count;
    map->tombstones = 0;
    return true;
}

bool map_needs_cleanup(const PropertyMap* map) {
    return map->tombstones > map->count || map->tombstones > map->capacity / 4;
}

}  // namespace

PropertyMap* map_create() {
    if (g_index_seed == 0) g_index_seed = map_seed();
    auto* map = static_cast<PropertyMap*>(checked_alloc(sizeof(PropertyMap)));
    if (!map) return nullptr;
    map->capacity = kMapInlineSlots;
    map->threshold = threshold_of(kMapInlineSlots);
    map->slots = map->inline_slots;
    return map;
}

void map_set(PropertyMap* map, Value key, uint64_t hash, Value value, bool owning) {
    // A failed growth may still replace an entry, but must not fill the table: at
    // least one empty slot is what ends every probe.
    bool has_room = true;
    if (map->count + map->tombstones + 1 > map->threshold) {
        uint32_t doubled = map->capacity * 2;
        has_room = map_rebuild(map, doubled > kMaxDoubledCapacity ? map->capacity : doubled);
    } else if (map_needs_cleanup(map)) {
        map_rebuild(map, map->capacity);  // on failure the old table still has room
    }

    MapSlot* slots = map->slots;
    uint32_t mask = map->capacity - 1;
    uint32_t i = slot_index(hash, mask);
    MapSlot* first_deleted = nullptr;
    for (;;) {
        MapSlot* s = &slots[i];
        if (s->state == SLOT_OCCUPIED) {
            if (s->hash == hash) {
                Value old_key = s->key;
                Value old_value = s->value;
                s->key = key;
                s->value = value;
                // Released after the store: a destructor run by the release may look here.
                if (owning) {
                    release(old_value);
                    release(old_key);
                }
                return;
            }
        } else if (s->state == SLOT_EMPTY) {
            break;
        } else if (!first_deleted) {
            first_deleted = s;
        }
        i = (i + 1) & mask;
    }

    if (map->count >= kMaxMapEntries || !has_room) {
        if (has_room) raise_error(ERR_SIZE_LIMIT);
        // The map took the references over; dropping the entry must not leak them.
        if (owning) {
            release(value);
            release(key);
        }
        return;
    }
    MapSlot* target = &slots[i];
    if (first_deleted) {
        target = first_deleted;
        --map->tombstones;
    }
    target->key = key;
    target->value = value;
    target->hash = hash;
    target->state = SLOT_OCCUPIED;
    ++map->count;
}

bool map_reserve(PropertyMap* map, uint32_t entries) {
    if (entries > kMaxMapEntries) return false;
    if (entries <= map->threshold) return true;
    uint32_t capacity = map->capacity;
    while (threshold_of(capacity) < entries) capacity *= 2;
    return map_rebuild(map, capacity);
}

Value map_get(const PropertyMap* map, uint64_t hash) {
    const MapSlot* slots = map->slots;
    uint32_t mask = map->capacity - 1;
    uint32_t i = slot_index(hash, mask);
    for (;;) {
        const MapSlot& s = slots[i];
        if (s.hash == hash && s.state == SLOT_OCCUPIED) return s.value;
        if (s.state == SLOT_EMPTY) return kAbsent;
        i = (i + 1) & mask;
    }
}

Value* map_value_slot(PropertyMap* map, uint64_t hash) {
    MapSlot* slots = map->slots;
    uint32_t mask = map->capacity - 1;
    uint32_t i = slot_index(hash, mask);
    for (;;) {
        MapSlot& s = slots[i];
        if (s.hash == hash && s.state == SLOT_OCCUPIED) return &s.value;
        if (s.state == SLOT_EMPTY) return nullptr;
        i = (i + 1) & mask;
    }
}

bool map_remove(PropertyMap* map, uint64_t hash, bool owning) {
    MapSlot* slots = map->slots;
    uint32_t mask = map->capacity - 1;
    uint32_t i = slot_index(hash, mask);
    for (;;) {
        MapSlot* s = &slots[i];
        if (s->state == SLOT_EMPTY) return false;
        if (s->state == SLOT_OCCUPIED && s->hash == hash) break;
        i = (i + 1) & mask;
    }
    MapSlot* s = &slots[i];
    Value old_key = s->key;
    Value old_value = s->value;
    *s = MapSlot{};
    s->state = SLOT_DELETED;
    --map->count;
    ++map->tombstones;
    if (map_needs_cleanup(map)) map_rebuild(map, map->capacity);
    if (owning) {
        release(old_value);
        release(old_key);
    }
    return true;
}

void map_clear(PropertyMap* map, bool owning) {
    // Slots are emptied one by one before their references go, and the table is
    // re-read each step, so a destructor that touches this map sees a sound table.
    for (uint32_t i = 0; i < map->capacity; ++i) {
        MapSlot* s = &map->slots[i];
        if (s->state == SLOT_OCCUPIED) {
            Value old_key = s->key;
            Value old_value = s->value;
            *s = MapSlot{};
            --map->count;
            if (owning) {
                release(old_value);
                release(old_key);
            }
        } else if (s->state == SLOT_DELETED) {
            *s = MapSlot{};
            --map->tombstones;
        }
    }
}

void map_free(PropertyMap* map, bool owning) {
    if (!map) return;
    if (owning) {
        for (uint32_t i = 0; i < map->capacity; ++i) {
            MapSlot& s = map->slots[i];
            if (s.state != SLOT_OCCUPIED) continue;
            release(s.value);
            release(s.key);
        }
    }
    if (map->slots != map->inline_slots) checked_free(map->slots);
    checked_free(map);
}

bool map_next(const PropertyMap* map, uint32_t* cursor, Value* key, Value* value, uint64_t* hash) {
    for (uint32_t i = *cursor; i < map->capacity; ++i) {
        const MapSlot& s = map->slots[i];
        if (s.state != SLOT_OCCUPIED) continue;
        if (key) *key = s.key;
        if (value) *value = s.value;
        if (hash) *hash = s.hash;
        *cursor = i + 1;
        return true;
    }
    *cursor = map->capacity;
    return false;
}

Value make_object() {
    PropertyMap* map = map_create();
    if (!map) return nil_value();
    ObjHeader* o = heap_alloc();
    o->type = T_OBJECT;
    o->aux = 0;
    o->a = reinterpret_cast<uint64_t>(map);
    o->b = 0;
    return make_ref(o);
}

void object_put(Value object, const char* key, Value value) {
    if (!is_ref_of(object, T_OBJECT) || !object_map(as_obj(object))) {
        release(value);
        return;
    }
    Value name = make_string(key);
    map_set(object_map(as_obj(object)), name, string_hash(as_obj(name)), container_store_form(value), true);
}

}  // namespace tarvik
