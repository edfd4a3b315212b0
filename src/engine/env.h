// engine/env.h: environments, the chained hash tables in which globals resolve.
// The global scope is the root; modules and closures make children. Keys are the
// 64-bit name hashes alone.
#pragma once

#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

struct EnvEntry {
    uint64_t hash;
    Value value;      // one reference; absent = bound to nothing
    EnvEntry* next;
};

struct Env {
    EnvEntry** buckets;
    uint32_t bucket_count;  // a power of two
    uint32_t count;
    Env* parent;            // one reference
    uint32_t ref_count;
    Value exports;          // object of alias -> value, made on the first export; absent before
};

// A new environment with one reference (null after raising code 8).
Env* env_create(Env* parent, uint32_t bucket_count);
void env_retain(Env* env);
void env_release(Env* env);

// The entry binding `hash` in this environment only, or null.
EnvEntry* env_find_local(const Env* env, uint64_t hash);
// The first entry binding `hash` along the chain, or null.
EnvEntry* env_find(const Env* env, uint64_t hash);
// Binds `hash` here, taking over `value`; an earlier value is released. Returns the
// entry (null after raising code 8).
EnvEntry* env_define(Env* env, uint64_t hash, Value value);

// The VM's global scope (created at VM start).
extern Env* g_global_env;
// Bumped by every change of a binding in any environment: caches of what the
// bindings say compare against it. Starts at 1, so a zero epoch is never current.
extern uint64_t g_env_epoch;

}  // namespace tarvik
