// package/chunk_reader.cpp: decoding of the string pool, chunks and constants into
// strings, arrays, objects, functions and classes.
#include "package/chunk_reader.h"

#include <algorithm>
#include <bit>

#include "runtime/alloc.h"
#include "runtime/array.h"
#include "runtime/class_record.h"
#include "runtime/console.h"
#include "runtime/function.h"
#include "runtime/heap.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/vm_options.h"

namespace tarvik {

namespace {

constexpr uint32_t kMaxConstItems = 10000000;
constexpr uint8_t kChunkMarker = 0xA5;
constexpr uint32_t kMinVersion = 0x01000008;
constexpr uint32_t kMaxVersion = 0x01000009;

// The pool lives only while one main section is read.
Value* g_pool = nullptr;
uint32_t g_pool_count = 0;

bool (*g_validate)(Chunk* chunk, int depth) = nullptr;
bool (*g_jit_check)(const uint8_t* ir, uint32_t size, uint8_t* info_out) = nullptr;
Env* g_scope = nullptr;

// What a refused load releases before it ends: the values and chunks under
// construction, innermost last. Each read level holds at most three.
struct Held {
    Value value;
    Chunk* chunk;
};
constexpr uint32_t kMaxHeld = 4 * kMaxReadDepth;
Held g_held[kMaxHeld];
uint32_t g_held_count = 0;

uint32_t hold(Value value, Chunk* chunk = nullptr) {
    if (g_held_count == kMaxHeld) load_fail("Nested levels for chunks/value too deep\n");
    g_held[g_held_count] = Held{value, chunk};
    return g_held_count++;
}
// Ownership has moved on: forgets the entries from `mark` up.
void unhold(uint32_t mark) { g_held_count = mark; }

[[noreturn]] void malformed(const char* what, unsigned long long number, unsigned long long limit) {
    load_fail("Malformed bytecode: %s (%llu, limit %llu)\n", what, number, limit);
}

void pool_release() {
    for (uint32_t i = 0; i < g_pool_count; ++i) release(g_pool[i]);
    checked_free(g_pool);
    g_pool = nullptr;
    g_pool_count = 0;
}

void read_pool(ByteReader& r) {
    pool_release();
    uint32_t count = read_u16(r);
    if (count == 0) return;
    g_pool = static_cast<Value*>(checked_calloc(count, sizeof(Value)));
    if (!g_pool) malformed("out of memory for string pool", count, 65535);
    for (uint32_t i = 0; i < count; ++i) {
        read_u8(r);  // flags: the producer's business
        uint64_t hash = read_u64(r);
        uint32_t length = read_u32(r);
        if (length >= kMaxStringLength) malformed("pooled string too long", length, kMaxStringLength);
        reader_need(r, length);
        Value s = make_string_hashed(reinterpret_cast<const char*>(r.data + r.pos), length, hash);
        if (!is_string(s)) malformed("out of memory for pooled string", length, kMaxStringLength);
        r.pos += length;
        g_pool[i] = s;
        g_pool_count = i + 1;
    }
}

// The number the not-a-string messages report for a decoded value.
unsigned long long type_number(Value v) {
    if (is_imm_int(v)) return T_INT;
    if (is_imm_bool(v)) return T_BOOL;
    if (is_imm_char(v)) return T_CHAR;
    if (!is_ref(v)) return 0;
    uint32_t t = as_obj(v)->type;
    return (t & T_ARRAY) ? T_ARRAY : t;
}

Value read_string_constant(ByteReader& r) {
    uint64_t hash = read_u64(r);
    uint32_t length = read_u32(r);
    if (length >= kMaxStringLength) malformed("string constant too long", length, kMaxStringLength);
    if (length == 0) {
        if (hash == kEmptyStringHash) return empty_string_value();
        // An empty string that keeps whatever hash the producer wrote.
        ObjHeader* s = heap_alloc();
        s->flags |= F_INLINE_CHARS;
        s->type = T_STRING;
        s->aux = 0;
        s->a = hash;
        s->b = 0;
        return make_ref(s);
    }
    reader_need(r, length);
    const char* bytes = reinterpret_cast<const char*>(r.data + r.pos);
    r.pos += length;
    // A string constant ends at its first NUL; only the pool keeps embedded NULs.
    size_t text_length = strnlen(bytes, length);
    Value s = make_string_bytes(bytes, text_length);
    if (!is_string(s)) malformed("out of memory for string constant", length, kMaxStringLength);
    return s;
}

Value read_object_constant(ByteReader& r, int depth) {
    uint32_t count = read_u32(r);
    if (count >= kMaxConstItems) malformed("object property count too large", count, kMaxConstItems);
    Value obj = make_object();
    uint32_t mark = hold(obj);
    for (uint32_t i = 0; i < count; ++i) {
        Value key = read_value(r, depth + 1);
        hold(key);
        if (!is_string(key)) malformed("object key is not a string", type_number(key), 16);
        Value value = read_value(r, depth + 1);
        uint64_t hash = string_hash(as_obj(key));
        map_set(object_map(as_obj(obj)), key, hash, container_store_form(value), true);
        unhold(mark + 1);
    }
    unhold(mark);
    return obj;
}

Value read_array_constant(ByteReader& r, int depth) {
    uint32_t count = read_u32(r);
    uint8_t flat = read_u8(r);
    if (count >= kMaxConstItems) malformed("array constant too large", count, kMaxConstItems);
    if (flat) {
        reader_need(r, size_t(count) * 8);
        Value array = make_flat_float_array(count ? count : 1);
        ObjHeader* a = as_obj(array);
        if (!a->b) malformed("out of memory for flat float array", count, kMaxConstItems);
        std::memcpy(array_doubles(a), r.data + r.pos, size_t(count) * 8);
        r.pos += size_t(count) * 8;
        a->aux = count;
        return array;
    }
    // Every encoded value takes at least 5 bytes, so a count the remaining bytes
    // cannot hold must not size the storage up front.
    Value array = make_array(std::min<size_t>(count, (r.size - r.pos) / 5));
    uint32_t mark = hold(array);
    for (uint32_t i = 0; i < count; ++i) array_append(array, read_value(r, depth + 1), /*borrowed=*/false);
    unhold(mark);
    return array;
}

Value read_function_constant(ByteReader& r, int depth) {
    uint8_t param_count = read_u8(r);
    uint8_t local_count = read_u8(r);
    uint32_t flags = read_u32(r) & ~uint32_t(0x60);
    uint32_t word = read_u32(r);
    uint32_t param_types[kMaxParams];
    for (uint32_t& t : param_types) t = read_u32(r);
    if (param_count > kMaxParams) param_count = kMaxParams;
    if (local_count > kMaxLocals) local_count = kMaxLocals;

    uint8_t optional = 0;
    bool typed = false;
    for (uint32_t i = 0; i < param_count; ++i) {
        if (param_types[i] & kParamOptional) optional += 1;
        uint32_t set = param_types[i] & ~kParamOptional;
        if (set != 0 && set != 0xEFFFFFFF) typed = true;
    }
    Value name = read_value(r, depth + 1);
    uint32_t mark = hold(name);
    Chunk* body = read_chunk(r, depth + 1);
    unhold(mark);

    Value fn = make_function();
    FunctionRecord* record = function_record(as_obj(fn));
    record->name = name;
    record->chunk = body;
    record->env = g_scope;
    record->param_count = param_count;
    record->local_count = local_count;
    record->required_count = uint8_t(param_count - optional);
    record->optional_count = optional;
    record->function_flags = typed ? (flags | FN_TYPED) : flags;
    record->function_word = word;
    std::memcpy(record->param_types, param_types, sizeof param_types);
    return fn;
}

Value read_class_constant(ByteReader& r, int depth) {
    uint32_t count = read_u32(r);
    if (count > kMaxConstItems) malformed("class member count too large", count, kMaxConstItems);
    uint64_t base = read_u64(r);
    Value name = read_value(r, depth + 1);
    uint32_t mark = hold(name);
    if (!is_string(name)) malformed("class name is not a string", type_number(name), 16);
    unhold(mark);
    Value cls = make_class(name, base);
    hold(cls);
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t kind = read_u8(r);
        if (kind > MEMBER_STATIC) malformed("invalid class member kind", kind, 2);
        Value member_name = read_value(r, depth + 1);
        hold(member_name);
        if (!is_string(member_name)) malformed("class member name is not a string", type_number(member_name), 16);
        Value value = read_value(r, depth + 1);
        class_add_member(cls, kind, member_name, string_hash(as_obj(member_name)), value);
        unhold(mark + 1);
    }
    unhold(mark);
    return cls;
}

void read_debug_section(ByteReader& r, Chunk* chunk) {
    if (!chunk->debug) {
        chunk->debug = static_cast<ChunkDebug*>(checked_alloc(sizeof(ChunkDebug)));
        if (!chunk->debug) load_fail("Out of memory reading debug info\n");
    }
    uint32_t count = read_u8(r);
    if (count > kMaxLocals) load_fail("Debug local count %u exceeds MAX_LOCALS %u\n", count, kMaxLocals);
    ChunkDebug* debug = chunk->debug;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t length = read_u32(r);
        if (length > kMaxStringLength) {
            load_fail("Debug name length %u exceeds MAX_STRING_SIZE %u\n", length, kMaxStringLength);
        }
        reader_need(r, length);
        char* name = static_cast<char*>(checked_alloc(size_t(length) + 1));
        if (!name) load_fail("Out of memory reading debug info\n");
        read_bytes(r, name, length);
        debug->local_names[i] = name;
        debug->local_name_lengths[i] = length;
        debug->local_count = i + 1;
    }
}

void read_jit_section(ByteReader& r, Chunk* chunk) {
    reader_skip(r, 1);
    uint32_t length = read_u32(r);
    if (length > kMaxChunkCode) load_fail("JIT IR length %u exceeds limit\n", length);
    if (length == 0) return;
    if (!g_options.jit) {
        reader_skip(r, length);
        return;
    }
    reader_need(r, length);
    auto* ir = static_cast<uint8_t*>(checked_alloc(length));
    if (!ir) load_fail("Out of memory reading %u bytes of bytecode\n", length);
    read_bytes(r, ir, length);
    uint8_t info = 0;
    if (g_jit_check && !g_jit_check(ir, length, &info)) {
        print_warning("Ignoring invalid JIT IR (%u bytes) - function will run interpreted\n", length);
        checked_free(ir);
        return;
    }
    chunk->jit_ir = ir;
    chunk->jit_ir_size = length;
    chunk->jit_info = info;
}

}  // namespace

void chunk_reader_set_validator(bool (*validate)(Chunk* chunk, int depth)) { g_validate = validate; }
void chunk_reader_set_jit_checker(bool (*check)(const uint8_t*, uint32_t, uint8_t*)) { g_jit_check = check; }
void chunk_reader_set_scope(Env* scope) { g_scope = scope; }

// Without an installed validator nothing may run, so an unvalidated chunk fails.
bool chunk_reader_validate(Chunk* chunk, int depth) { return g_validate && g_validate(chunk, depth); }

void chunk_reader_abandon() {
    while (g_held_count > 0) {
        Held& h = g_held[--g_held_count];
        if (h.chunk) chunk_release(h.chunk);
        else release(h.value);
    }
    pool_release();
}

Value read_value(ByteReader& r, int depth) {
    if (depth >= kMaxReadDepth) load_fail("Nested levels for chunks/value too deep\n");
    uint32_t tag = read_u32(r);
    if (tag == kPooledStringTag) {
        uint32_t index = read_u16(r);
        if (index >= g_pool_count) malformed("string pool index out of range", index, g_pool_count);
        retain(g_pool[index]);
        return g_pool[index];
    }
    read_u8(r);  // flags: the producer's business
    if (!std::has_single_bit(tag) || tag > (1u << 24)) load_fail("Unknown type %u while reading value\n", tag);
    switch (tag) {
    case T_NIL: return nil_value();
    case T_CHAR: return make_char(read_u32(r));
    case T_FLOAT: return make_float(read_f64(r));
    case T_INT: return make_int(int64_t(read_u64(r)));
    case T_STRING: return read_string_constant(r);
    case T_OBJECT: return read_object_constant(r, depth);
    case T_ARRAY: return read_array_constant(r, depth);
    case T_BOOL: return make_bool(read_u8(r) != 0);
    case T_FUNCTION: return read_function_constant(r, depth);
    case T_CLASS: return read_class_constant(r, depth);
    case T_BLOCK:
    case T_BUILTIN:
    case T_MODULE:
    case T_EXCEPTION:
    case T_BOUND_METHOD:
    case T_POINTER: return nil_value();
    default: load_fail("Unknown type %u while reading value\n", tag);
    }
}

Chunk* read_chunk(ByteReader& r, int depth) {
    if (depth >= kMaxReadDepth) load_fail("Nested levels for chunks/value too deep\n");
    Chunk* chunk = chunk_create();
    if (!chunk) load_fail("Out of memory reading bytecode chunk\n");
    uint32_t mark = hold(kAbsent, chunk);
    if (g_options.keep_debug_info) {
        chunk->debug = static_cast<ChunkDebug*>(checked_alloc(sizeof(ChunkDebug)));
        if (!chunk->debug) load_fail("Out of memory reading debug info\n");
    }
    uint8_t marker = read_u8(r);
    uint32_t version = read_u32(r);
    uint32_t const_count = read_u16(r);
    uint32_t code_size = read_u32(r);
    uint16_t chunk_flags = read_u16(r);
    if (marker != kChunkMarker) load_fail("Read chunk with invalid magic marker!\n");
    if (version < kMinVersion) {
        load_fail("Chunk bytecode version %d.%d.%d.%d is older than the minimum supported %d.%d.%d.%d - recompile the "
                  "source\n",
                  int(version >> 24), int((version >> 16) & 0xFF), int((version >> 8) & 0xFF), int(version & 0xFF), 1,
                  0, 0, 8);
    }
    if (version > kMaxVersion) {
        load_fail("Chunk bytecode version %d.%d.%d.%d is newer than this VM supports\n", int(version >> 24),
                  int((version >> 16) & 0xFF), int((version >> 8) & 0xFF), int(version & 0xFF));
    }
    if (const_count > kMaxChunkConstants) {
        load_fail("Chunk constant count %u exceeds limit %u\n", const_count, kMaxChunkConstants);
    }
    if (code_size == 0 || code_size > kMaxChunkCode) {
        load_fail("Chunk code size %u exceeds limit %u\n", code_size, kMaxChunkCode);
    }
    if (const_count) {
        chunk->constants = static_cast<Value*>(checked_calloc(const_count, sizeof(Value)));
        if (!chunk->constants) load_fail("Out of memory reading %u chunk constants\n", const_count);
        for (uint32_t i = 0; i < const_count; ++i) {
            chunk->constants[i] = read_value(r, depth + 1);
            chunk->const_count = uint16_t(i + 1);
        }
    }
    reader_need(r, code_size);
    chunk->code = static_cast<uint8_t*>(checked_alloc(code_size + kCodePadding));
    if (!chunk->code) load_fail("Out of memory reading %u bytes of bytecode\n", code_size);
    read_bytes(r, chunk->code, code_size);
    chunk->code[code_size] = kCodeGuardByte;
    chunk->code_size = code_size;
    if (chunk_flags & 0x1) read_debug_section(r, chunk);
    if (chunk_flags & 0x2) read_jit_section(r, chunk);
    if (!chunk_reader_validate(chunk, 0)) load_fail("Invalid bytecode chunk\n");
    unhold(mark);
    return chunk;
}

Chunk* read_main_section(ByteReader& r) {
    read_pool(r);
    Chunk* chunk = read_chunk(r, 0);
    pool_release();
    if (!chunk) load_fail("Failed to read chunk\n");
    return chunk;
}

}  // namespace tarvik
