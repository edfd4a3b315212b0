// engine/env.cpp: environment tables; buckets grow so chains stay short.
#include "engine/env.h"

#include "runtime/alloc.h"

namespace tarvik {

Env* g_global_env = nullptr;
uint64_t g_env_epoch = 1;

namespace {

inline uint32_t bucket_of(const Env* env, uint64_t hash) { return uint32_t(hash) & (env->bucket_count - 1); }

void env_grow(Env* env) {
    uint32_t count = env->bucket_count * 2;
    auto* buckets = static_cast<EnvEntry**>(checked_calloc(count, sizeof(EnvEntry*)));
    if (!buckets) return;  // chains just get longer
    for (uint32_t i = 0; i < env->bucket_count; ++i) {
        for (EnvEntry* e = env->buckets[i]; e;) {
            EnvEntry* next = e->next;
            uint32_t b = uint32_t(e->hash) & (count - 1);
            e->next = buckets[b];
            buckets[b] = e;
            e = next;
        }
    }
    checked_free(env->buckets);
    env->buckets = buckets;
    env->bucket_count = count;
}

}  // namespace

Env* env_create(Env* parent, uint32_t bucket_count) {
    auto* env = static_cast<Env*>(checked_alloc(sizeof(Env)));
    if (!env) return nullptr;
    env->buckets = static_cast<EnvEntry**>(checked_calloc(bucket_count, sizeof(EnvEntry*)));
    if (!env->buckets) {
        checked_free(env);
        return nullptr;
    }
    env->bucket_count = bucket_count;
    env->ref_count = 1;
    env->parent = parent;
    env_retain(parent);
    return env;
}

void env_retain(Env* env) {
    if (env) env->ref_count += 1;
}

void env_release(Env* env) {
    // Iterative along the parent chain: a long chain of closure scopes must not recurse.
    while (env && --env->ref_count == 0) {
        for (uint32_t i = 0; i < env->bucket_count; ++i) {
            for (EnvEntry* e = env->buckets[i]; e;) {
                EnvEntry* next = e->next;
                release(e->value);
                checked_free(e);
                e = next;
            }
        }
        checked_free(env->buckets);
        release(env->exports);
        Env* parent = env->parent;
        checked_free(env);
        env = parent;
    }
}

EnvEntry* env_find_local(const Env* env, uint64_t hash) {
    for (EnvEntry* e = env->buckets[bucket_of(env, hash)]; e; e = e->next) {
        if (e->hash == hash) return e;
    }
    return nullptr;
}

EnvEntry* env_find(const Env* env, uint64_t hash) {
    for (; env; env = env->parent) {
        if (EnvEntry* e = env_find_local(env, hash)) return e;
    }
    return nullptr;
}

EnvEntry* env_define(Env* env, uint64_t hash, Value value) {
    g_env_epoch += 1;
    if (EnvEntry* e = env_find_local(env, hash)) {
        Value old = e->value;
        e->value = value;
        release(old);
        return e;
    }
    auto* e = static_cast<EnvEntry*>(checked_alloc(sizeof(EnvEntry)));
    if (!e) {
        release(value);
        return nullptr;
    }
    if (env->count >= env->bucket_count * 2) env_grow(env);
    uint32_t b = bucket_of(env, hash);
    e->hash = hash;
    e->value = value;
    e->next = env->buckets[b];
    env->buckets[b] = e;
    env->count += 1;
    return e;
}

}  // namespace tarvik
