// tools/asm/asm_ast.h: the parsed form of an assembly source. The parser fills it
// with everything written; the emitter computes whatever was left out (counts,
// sizes, offsets, hashes) while it lays out the bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/opcode_table.h"

namespace tarvik::tools {

using Bytes = std::vector<uint8_t>;

// `.rest`: bytes that end a structure; nothing more of the section follows them.
struct RestDef {
    int line = 0;
    Bytes bytes;
};

// A number, or a top-level label with an optional displacement (file offsets).
struct OffsetExpr {
    int line = 0;
    std::string label;      // empty: just the number
    uint64_t number = 0;    // the offset itself when there is no label
    int64_t displacement = 0;
};

struct ChunkDef;
struct FunctionDef;
struct ClassDef;

enum class ValueKind : uint8_t {
    Nil, Char, Float, Int, String, Bool, Bare, Pool, Tag, Raw, Array, Object, Function, Class,
};

struct Value {
    int line = 0;
    ValueKind kind = ValueKind::Nil;
    uint8_t flags = 0;               // the byte after the tag
    uint32_t tag = 0;                // Bare and Tag
    uint64_t bits = 0;               // Char code, Float bits, Int bits, Bool byte
    std::string text;                // String bytes; Pool text when by_text
    std::optional<uint64_t> hash;    // String
    std::optional<uint32_t> length;  // String
    bool by_text = false;            // Pool: `pool "text"` rather than `pool N`
    uint16_t pool_index = 0;         // Pool (resolved from text by the emitter)
    Bytes raw;                       // Raw
    // Array and Object.
    std::optional<uint32_t> count;
    bool flat = false;
    uint8_t flat_byte = 0;
    std::vector<std::unique_ptr<Value>> elements;  // Object: key, value, key, value...
    std::vector<uint64_t> flat_bits;
    std::optional<RestDef> rest;
    std::unique_ptr<FunctionDef> function;
    std::unique_ptr<ClassDef> klass;
};
using ValuePtr = std::unique_ptr<Value>;

struct MemberDef {
    int line = 0;
    uint8_t kind = 0;
    ValuePtr name;
    ValuePtr value;
};

struct ClassDef {
    std::optional<uint32_t> count;
    uint64_t base = 0;
    ValuePtr name;
    std::vector<MemberDef> members;
    std::optional<RestDef> rest;
};

// One field of an instruction operand in byte order.
struct OperandField {
    enum Form : uint8_t { Number, Label, Symbol, Text };
    OperandKind kind = OPND_OPAQUE8;
    Form form = Number;
    uint64_t number = 0;  // Number: the encoded bits, already range-checked
    std::string name;     // Label or Symbol name, Text bytes
    int line = 0;
};

struct CodeItem {
    enum Kind : uint8_t { Instruction, Label, Raw } kind = Instruction;
    int line = 0;
    uint8_t opcode = 0;
    std::vector<OperandField> fields;  // Instruction; count fields included
    std::string label;                 // Label
    Bytes raw;                         // Raw
};

struct ConstDef {
    int line = 0;
    std::string symbol;  // "$name" without the '$'; empty when none
    ValuePtr value;
};

struct DebugName {
    int line = 0;
    std::string bytes;
    std::optional<uint32_t> length;
    bool is_raw = false;
    Bytes raw;
};

struct DebugDef {
    int line = 0;
    std::optional<uint8_t> count;
    std::vector<DebugName> names;
    std::optional<RestDef> rest;
};

struct JitDef {
    int line = 0;
    uint8_t reserved = 0;
    std::optional<uint32_t> length;
    Bytes ir;
    std::optional<RestDef> rest;
};

struct ChunkDef {
    int line = 0;
    bool has_items = false;  // any chunk line besides `.rest` (a section may have none)
    std::optional<uint8_t> marker;
    std::optional<uint32_t> version;
    std::optional<uint16_t> const_count;
    std::optional<uint32_t> code_size;
    std::optional<uint16_t> chunk_flags;
    std::vector<ConstDef> consts;
    std::vector<CodeItem> code;
    std::unique_ptr<DebugDef> debug;
    std::unique_ptr<JitDef> jit;
    std::optional<RestDef> rest;
    // Filled by the emitter before the chunk is written.
    bool prepared = false;
    Bytes code_bytes;
    int max_slot = -1;
};

struct FunctionDef {
    std::optional<uint8_t> params;
    std::optional<uint8_t> locals;
    uint32_t function_flags = 0;
    uint32_t function_word = 0;
    uint32_t param_types[16] = {};
    ValuePtr name;
    ChunkDef body;
};

struct PoolEntry {
    int line = 0;
    bool is_raw = false;
    std::string bytes;
    uint8_t flags = 0;
    std::optional<uint64_t> hash;
    std::optional<uint32_t> length;
    Bytes raw;
};

struct PoolDef {
    int line = 0;
    std::optional<uint16_t> count;
    std::vector<PoolEntry> entries;
    std::optional<RestDef> rest;
};

// A main section: `.main`, a top-level `.region` or a dependency's `.body`.
struct SectionDef {
    int line = 0;
    std::string name;
    std::unique_ptr<PoolDef> pool;
    ChunkDef chunk;
};

struct HeaderDef {
    int line = 0;
    std::optional<Bytes> magic;
    std::optional<uint32_t> package_version;
    std::optional<uint32_t> format_version;
    std::optional<Bytes> producer;
    std::optional<uint32_t> flags;
    std::optional<uint64_t> producer_word;
    std::optional<OffsetExpr> regions[6];
    std::optional<Bytes> reserved80;
    std::optional<uint8_t> sig_alg;
    std::optional<Bytes> reserved83;
    std::optional<Bytes> signer_key;
    std::optional<Bytes> signature;
    std::optional<Bytes> reserved180;
    std::optional<Bytes> sign_key;  // 64-byte secret key: sign after layout
    struct Overwrite {
        int line;
        uint32_t offset;
        Bytes bytes;
    };
    std::vector<Overwrite> overwrites;
};

struct DepDef {
    int line = 0;
    Bytes name;
    std::optional<uint32_t> version;
    std::optional<OffsetExpr> offset;
    std::optional<OffsetExpr> length;
    std::optional<Bytes> fingerprint;
    std::optional<uint8_t> signed_flag;
    std::optional<Bytes> signer;
    std::optional<Bytes> reserved;
    std::string region;                 // `.region NAME`
    std::unique_ptr<SectionDef> body;   // `.body` ... `.end`
};

struct TocDef {
    int line = 0;
    std::optional<uint16_t> count;
    std::vector<DepDef> deps;
    std::optional<RestDef> rest;
};

struct TopItem {
    enum Kind : uint8_t { Header, Toc, Region, Main, Label, Raw, Patch } kind = Raw;
    int line = 0;
    std::unique_ptr<HeaderDef> header;
    std::unique_ptr<TocDef> toc;
    std::unique_ptr<SectionDef> section;  // Region and Main
    std::string label;
    Bytes raw;
    OffsetExpr patch_offset;  // Patch: bytes in raw
};

struct Program {
    std::vector<TopItem> items;
};

}  // namespace tarvik::tools
