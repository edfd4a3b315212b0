// tools/asm/asm_emitter.cpp: the bytes of a main section. Fields left out of the
// source are computed here: counts, sizes, hashes, chunk flags and local counts.
// After a `.rest` the section is finished ("stopped") and nothing more is written.
#include "tools/asm/asm_emitter.h"

#include <algorithm>

#include "runtime/string.h"
#include "tools/asm/asm_code.h"
#include "tools/common/byte_writer.h"

namespace tarvik::tools {

namespace {

constexpr uint32_t kTagPooled = 0xFFFFFF01;

class SectionEmitter {
public:
    SectionEmitter(Bytes& out, int& error_line, std::string& error)
        : out_(out), error_line_(error_line), error_(error) {}

    bool emit(SectionDef& s, uint32_t& chunk_start) {
        pool_ = s.pool.get();
        if (pool_) {
            for (const PoolEntry& e : pool_->entries) {
                pool_texts_.push_back(e.is_raw ? std::nullopt : std::optional<std::string>(e.bytes));
            }
        }
        if (!collect_chunk(s.chunk, s, 0)) return false;
        bool chunk_present = s.chunk.has_items || !s.chunk.rest;
        if (s.pool || chunk_present) {
            if (!emit_pool(s.pool.get())) return false;
        }
        chunk_start = uint32_t(out_.size());
        if (stopped_) {
            if (s.chunk.has_items || s.chunk.rest) return after_rest(s.chunk.line);
            return true;
        }
        if (chunk_present) return emit_chunk(s.chunk);
        put_bytes(out_, s.chunk.rest->bytes.data(), s.chunk.rest->bytes.size());
        return true;
    }

private:
    bool fail(int line, const std::string& message) {
        error_line_ = line;
        error_ = message;
        return false;
    }
    bool after_rest(int line) { return fail(line, "nothing may follow a .rest: it ends the section"); }

    void put_rest(const RestDef& rest) {
        put_bytes(out_, rest.bytes.data(), rest.bytes.size());
        stopped_ = true;
    }

    // ---- `pool "text"` references: appended to the pool in first-use order.

    bool collect_chunk(ChunkDef& chunk, SectionDef& s, int depth) {
        for (ConstDef& c : chunk.consts) {
            if (!collect_value(*c.value, s, depth + 1)) return false;
        }
        return true;
    }

    bool collect_value(Value& v, SectionDef& s, int depth) {
        switch (v.kind) {
        case ValueKind::Pool:
            if (v.by_text) {
                auto it = std::find(pool_texts_.begin(), pool_texts_.end(), std::optional<std::string>(v.text));
                if (it == pool_texts_.end()) {
                    if (!s.pool) {
                        s.pool = std::make_unique<PoolDef>();
                        pool_ = s.pool.get();
                    }
                    PoolEntry e;
                    e.line = v.line;
                    e.bytes = v.text;
                    pool_->entries.push_back(e);
                    pool_texts_.push_back(v.text);
                    it = pool_texts_.end() - 1;
                }
                size_t index = size_t(it - pool_texts_.begin());
                if (index > 0xFFFF) return fail(v.line, "the string pool holds at most 65536 entries");
                v.pool_index = uint16_t(index);
            }
            return true;
        case ValueKind::Array: case ValueKind::Object:
            for (ValuePtr& e : v.elements) {
                if (!collect_value(*e, s, depth + 1)) return false;
            }
            return true;
        case ValueKind::Function:
            if (v.function->name && !collect_value(*v.function->name, s, depth + 1)) return false;
            return collect_chunk(v.function->body, s, depth + 1);
        case ValueKind::Class:
            if (v.klass->name && !collect_value(*v.klass->name, s, depth + 1)) return false;
            for (MemberDef& m : v.klass->members) {
                if (!collect_value(*m.name, s, depth + 1) || !collect_value(*m.value, s, depth + 1)) return false;
            }
            return true;
        default:
            return true;
        }
    }

    // ---- Pool

    bool emit_pool(PoolDef* pool) {
        size_t count = pool ? pool->entries.size() : 0;
        if (count > 0xFFFF && !(pool && pool->count)) return fail(pool->line, "the string pool holds at most 65535 entries");
        put_u16(out_, pool && pool->count ? *pool->count : count);
        if (!pool) return true;
        for (const PoolEntry& e : pool->entries) {
            if (e.is_raw) {
                put_bytes(out_, e.raw.data(), e.raw.size());
                continue;
            }
            put_u8(out_, e.flags);
            put_u64(out_, e.hash ? *e.hash : hash_bytes(e.bytes.data(), e.bytes.size()));
            put_u32(out_, e.length ? *e.length : e.bytes.size());
            put_bytes(out_, e.bytes.data(), e.bytes.size());
        }
        if (pool->rest) put_rest(*pool->rest);
        return true;
    }

    // ---- Chunks

    int find_text_constant(const ChunkDef& chunk, const std::string& text) {
        for (size_t i = 0; i < chunk.consts.size(); ++i) {
            const Value& v = *chunk.consts[i].value;
            if (v.kind == ValueKind::String && v.text == text) return int(i);
            if (v.kind == ValueKind::Pool) {
                const std::optional<std::string>* entry =
                    v.pool_index < pool_texts_.size() ? &pool_texts_[v.pool_index] : nullptr;
                if (entry && *entry && **entry == text) return int(i);
            }
        }
        return -1;
    }

    bool prepare_chunk(ChunkDef& chunk) {
        if (chunk.prepared) return true;
        auto find = [&](const std::string& text) { return find_text_constant(chunk, text); };
        if (!resolve_code_constants(chunk, find, error_line_, error_)) return false;
        if (!encode_code(chunk, error_line_, error_)) return false;
        if (chunk.consts.size() > 0xFFFF && !chunk.const_count) {
            return fail(chunk.line, "a chunk holds at most 65535 constants");
        }
        chunk.prepared = true;
        return true;
    }

    bool emit_chunk(ChunkDef& chunk) {
        if (!prepare_chunk(chunk)) return false;
        put_u8(out_, chunk.marker.value_or(0xA5));
        put_u32(out_, chunk.version.value_or(0x01000009));
        put_u16(out_, chunk.const_count ? *chunk.const_count : chunk.consts.size());
        put_u32(out_, chunk.code_size ? *chunk.code_size : chunk.code_bytes.size());
        put_u16(out_, chunk.chunk_flags ? *chunk.chunk_flags : (chunk.debug ? 1u : 0u) | (chunk.jit ? 2u : 0u));
        for (size_t i = 0; i < chunk.consts.size(); ++i) {
            if (!emit_value(*chunk.consts[i].value)) return false;
            if (stopped_) {
                if (i + 1 < chunk.consts.size()) return after_rest(chunk.consts[i + 1].line);
                for (const CodeItem& item : chunk.code) {
                    if (item.kind != CodeItem::Label) return after_rest(item.line);
                }
                if (chunk.debug) return after_rest(chunk.debug->line);
                if (chunk.jit) return after_rest(chunk.jit->line);
                if (chunk.rest) return after_rest(chunk.rest->line);
                return true;
            }
        }
        put_bytes(out_, chunk.code_bytes.data(), chunk.code_bytes.size());
        if (chunk.debug) {
            DebugDef& d = *chunk.debug;
            if (d.names.size() > 255 && !d.count) return fail(d.line, "a debug section names at most 255 locals");
            put_u8(out_, d.count ? *d.count : d.names.size());
            for (const DebugName& n : d.names) {
                if (n.is_raw) {
                    put_bytes(out_, n.raw.data(), n.raw.size());
                    continue;
                }
                put_u32(out_, n.length ? *n.length : n.bytes.size());
                put_bytes(out_, n.bytes.data(), n.bytes.size());
            }
            if (d.rest) {
                put_rest(*d.rest);
                if (chunk.jit) return after_rest(chunk.jit->line);
                if (chunk.rest) return after_rest(chunk.rest->line);
                return true;
            }
        }
        if (chunk.jit) {
            JitDef& j = *chunk.jit;
            put_u8(out_, j.reserved);
            put_u32(out_, j.length ? *j.length : j.ir.size());
            put_bytes(out_, j.ir.data(), j.ir.size());
            if (j.rest) {
                put_rest(*j.rest);
                if (chunk.rest) return after_rest(chunk.rest->line);
                return true;
            }
        }
        if (chunk.rest) put_rest(*chunk.rest);
        return true;
    }

    static bool chunk_is_empty(const ChunkDef& c) { return !c.has_items && !c.rest; }

    // ---- Values

    bool emit_value(Value& v) {
        if (v.kind == ValueKind::Raw) {
            put_bytes(out_, v.raw.data(), v.raw.size());
            return true;
        }
        if (v.kind == ValueKind::Pool) {
            put_u32(out_, kTagPooled);
            put_u16(out_, v.pool_index);
            return true;
        }
        static const uint32_t kTags[] = {0x1, 0x2, 0x4, 0x8, 0x10, 0x80, 0, 0, 0, 0, 0x40, 0x20, 0x10000, 0x1000000};
        uint32_t tag = (v.kind == ValueKind::Bare || v.kind == ValueKind::Tag) ? v.tag : kTags[size_t(v.kind)];
        put_u32(out_, tag);
        put_u8(out_, v.flags);
        switch (v.kind) {
        case ValueKind::Nil: case ValueKind::Bare: case ValueKind::Tag:
            return true;
        case ValueKind::Char:
            put_u32(out_, v.bits);
            return true;
        case ValueKind::Float: case ValueKind::Int:
            put_u64(out_, v.bits);
            return true;
        case ValueKind::Bool:
            put_u8(out_, v.bits);
            return true;
        case ValueKind::String:
            put_u64(out_, v.hash ? *v.hash : hash_bytes(v.text.data(), v.text.size()));
            put_u32(out_, v.length ? *v.length : v.text.size());
            put_bytes(out_, v.text.data(), v.text.size());
            return true;
        case ValueKind::Array:
            if (v.flat) {
                put_u32(out_, v.count ? *v.count : v.flat_bits.size());
                put_u8(out_, v.flat_byte);
                for (uint64_t bits : v.flat_bits) put_u64(out_, bits);
                if (v.rest) put_rest(*v.rest);
                return true;
            }
            put_u32(out_, v.count ? *v.count : v.elements.size());
            put_u8(out_, v.flat_byte);
            return emit_elements(v);
        case ValueKind::Object:
            if (v.elements.size() % 2 != 0 && !v.rest && !v.count) {
                return fail(v.line, "an object holds key, value pairs: the last key has no value");
            }
            put_u32(out_, v.count ? *v.count : v.elements.size() / 2);
            return emit_elements(v);
        case ValueKind::Function:
            return emit_function(v);
        case ValueKind::Class:
            return emit_class(v);
        default:
            return true;
        }
    }

    bool emit_elements(Value& v) {
        for (size_t i = 0; i < v.elements.size(); ++i) {
            if (!emit_value(*v.elements[i])) return false;
            if (stopped_) {
                if (i + 1 < v.elements.size()) return after_rest(v.elements[i + 1]->line);
                if (v.rest) return after_rest(v.rest->line);
                return true;
            }
        }
        if (v.rest) put_rest(*v.rest);
        return true;
    }

    bool emit_function(Value& v) {
        FunctionDef& f = *v.function;
        if (!f.name) return fail(v.line, "a function needs a name: function \"Name\" or .name VALUE");
        if (!prepare_chunk(f.body)) return false;
        uint8_t params = f.params.value_or(0);
        int needed = std::max<int>(params, f.body.max_slot + 1);
        put_u8(out_, params);
        put_u8(out_, f.locals ? *f.locals : uint8_t(std::min(needed, 255)));
        put_u32(out_, f.function_flags);
        put_u32(out_, f.function_word);
        for (uint32_t t : f.param_types) put_u32(out_, t);
        if (!emit_value(*f.name)) return false;
        if (stopped_) return chunk_is_empty(f.body) ? true : after_rest(f.body.line);
        return emit_chunk(f.body);
    }

    bool emit_class(Value& v) {
        ClassDef& c = *v.klass;
        if (!c.name) return fail(v.line, "a class needs a name: class \"Name\" or .name VALUE");
        put_u32(out_, c.count ? *c.count : c.members.size());
        put_u64(out_, c.base);
        if (!emit_value(*c.name)) return false;
        if (stopped_) {
            if (!c.members.empty()) return after_rest(c.members[0].line);
            if (c.rest) return after_rest(c.rest->line);
            return true;
        }
        for (size_t i = 0; i < c.members.size(); ++i) {
            MemberDef& m = c.members[i];
            put_u8(out_, m.kind);
            if (!emit_value(*m.name)) return false;
            if (stopped_) return after_rest(m.line);
            if (!emit_value(*m.value)) return false;
            if (stopped_) {
                if (i + 1 < c.members.size()) return after_rest(c.members[i + 1].line);
                if (c.rest) return after_rest(c.rest->line);
                return true;
            }
        }
        if (c.rest) put_rest(*c.rest);
        return true;
    }

    Bytes& out_;
    int& error_line_;
    std::string& error_;
    PoolDef* pool_ = nullptr;
    std::vector<std::optional<std::string>> pool_texts_;
    bool stopped_ = false;
};

}  // namespace

bool emit_section(SectionDef& section, SectionBytes& out, int& error_line, std::string& error) {
    out.bytes.clear();
    SectionEmitter emitter(out.bytes, error_line, error);
    return emitter.emit(section, out.chunk_start);
}

}  // namespace tarvik::tools
