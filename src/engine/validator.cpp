// engine/validator.cpp: validate_chunk. Checks the constant pool's name hashes, then
// decodes every instruction against the opcode table (operands, edges), checks that
// jumps land on instruction starts, and sweeps the code once forward to model the
// stack depth. The first failure prints its one message; working storage is freed
// on every path.
//
// Slots of the block instructions 0x94..0x9B are checked like any other local slot:
// a slot of 128 or more would index past the frame's 128 locals, so it is refused
// here with the local-slot message rather than trusted to the interpreter. Their u8
// element indices need no check; the interpreter bounds them against the block.
#include "engine/validator.h"

#include <algorithm>
#include <cstring>

#include "engine/opcode_table.h"
#include "runtime/alloc.h"
#include "runtime/builtin_catalog.h"
#include "runtime/console.h"
#include "runtime/function.h"
#include "runtime/string.h"

namespace tarvik {

static_assert(kCodeGuardByte >= kOpcodeCount, "the byte after the code must not be an instruction");

namespace {

constexpr int32_t kMaxStackCeiling = 0xFFFF;
constexpr uint32_t kFirstEdgeCapacity = 16;
constexpr uint32_t kConcatMin = 2;
constexpr uint32_t kConcatMax = 16;

// A control-flow edge found by the decode pass, in recording (= ip) order.
struct Edge {
    uint32_t from;
    int32_t target;
    const char* kind;  // null: the jumping opcode's "OP_%02X" name
    int8_t adjust;     // depth change on arrival
    bool sets_depth;   // false for a finally_ip, which gets its depth elsewhere
};

struct HashedConstant {
    uint64_t hash;
    uint16_t index;
};

uint32_t read_u16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
int32_t read_i32(const uint8_t* p) {
    uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    int32_t out;
    std::memcpy(&out, &v, sizeof out);
    return out;
}

// Checks one chunk's code; owns the working storage, which its destructor frees.
class ChunkCheck {
public:
    explicit ChunkCheck(Chunk* chunk)
        : chunk_(chunk), code_(chunk->code), size_(chunk->code_size) {}
    ChunkCheck(const ChunkCheck&) = delete;
    ChunkCheck& operator=(const ChunkCheck&) = delete;
    ~ChunkCheck() {
        checked_free(boundary_);
        checked_free(depth_);
        checked_free(edges_);
    }

    // Steps 6 to 10; on success *max_depth holds the deepest modelled depth.
    bool run(int32_t* max_depth);

private:
    bool check_constant_hashes();
    bool decode();
    bool decode_operands(uint32_t ip, const OpcodeInfo& info, uint32_t* consumed);
    bool decode_try_begin(uint32_t ip, uint32_t* consumed);
    bool check_boundaries();
    bool model_depths(int32_t* max_depth);

    bool check_const(uint32_t ip, uint8_t op, uint32_t index);
    bool check_name(uint32_t ip, uint8_t op, uint32_t index);
    bool check_slot(uint32_t ip, uint8_t op, uint32_t slot);
    bool check_relative_jump(uint32_t ip, const OpcodeInfo& info, int64_t target);
    bool check_absolute(uint32_t ip, uint8_t op, uint32_t target);
    bool check_builtin(uint32_t ip, uint8_t op, uint32_t mod, uint32_t fn);
    bool add_edge(uint32_t from, int32_t target, const char* kind, int8_t adjust, bool sets_depth = true);

    Chunk* chunk_;
    const uint8_t* code_;
    uint32_t size_;
    uint8_t* boundary_ = nullptr;
    int32_t* depth_ = nullptr;
    Edge* edges_ = nullptr;
    uint32_t edge_count_ = 0;
    uint32_t edge_capacity_ = 0;
};

bool ChunkCheck::run(int32_t* max_depth) {
    if (!check_constant_hashes()) return false;
    // Refuses 2^31 bytes or more with code 6 and a failed allocation with code 8.
    boundary_ = static_cast<uint8_t*>(checked_alloc(size_));
    if (!boundary_) return false;
    return decode() && check_boundaries() && model_depths(max_depth);
}

// Names are looked up by hash alone, so two different strings with one hash in a
// pool would alias each other's globals and members.
bool ChunkCheck::check_constant_hashes() {
    uint32_t count = chunk_->const_count;
    if (count < 2) return true;
    uint32_t strings = 0;
    for (uint32_t i = 0; i < count; ++i) strings += is_string(chunk_->constants[i]) ? 1 : 0;
    if (strings < 2) return true;
    auto* pairs = static_cast<HashedConstant*>(checked_calloc(strings, sizeof(HashedConstant)));
    if (!pairs) return false;
    uint32_t n = 0;
    for (uint32_t i = 0; i < count; ++i) {
        Value v = chunk_->constants[i];
        if (is_string(v)) pairs[n++] = HashedConstant{string_hash(as_obj(v)), uint16_t(i)};
    }
    std::sort(pairs, pairs + n, [](const HashedConstant& a, const HashedConstant& b) {
        return a.hash != b.hash ? a.hash < b.hash : a.index < b.index;
    });
    bool ok = true;
    for (uint32_t i = 1; i < n && ok; ++i) {
        if (pairs[i - 1].hash != pairs[i].hash) continue;
        const ObjHeader* a = as_obj(chunk_->constants[pairs[i - 1].index]);
        const ObjHeader* b = as_obj(chunk_->constants[pairs[i].index]);
        uint32_t length = string_length(a);
        if (length == string_length(b) && std::memcmp(string_chars(a), string_chars(b), length) == 0) continue;
        char text_a[64];
        char text_b[64];
        uint32_t cut_a = std::min<uint32_t>(string_length(a), 63);
        uint32_t cut_b = std::min<uint32_t>(string_length(b), 63);
        std::memcpy(text_a, string_chars(a), cut_a);
        std::memcpy(text_b, string_chars(b), cut_b);
        text_a[cut_a] = '\0';
        text_b[cut_b] = '\0';
        print_error("[Validate Chunk] : const pool hash collision: '%s' vs '%s'\n", text_a, text_b);
        ok = false;
    }
    checked_free(pairs);
    return ok;
}

bool ChunkCheck::decode() {
    uint32_t ip = 0;
    while (ip < size_) {
        boundary_[ip] = 1;
        uint8_t op = code_[ip];
        const OpcodeInfo* info = opcode_info(op);
        if (!info || (info->flags & OPF_RESERVED)) {
            print_error("[Validate Chunk] : unknown opcode %u at ip=%u\n", unsigned(op), ip);
            return false;
        }
        uint64_t end = size_;
        const char* truncation = "[Validate Chunk] : bytecode truncation at ip=%u (needed %u bytes)\n";
        if (op == OP_JUMP_TABLE) {
            if (ip + uint64_t(10) > end) {
                print_error(truncation, ip + 1, 9u);
                return false;
            }
            uint32_t cases = code_[ip + 9];
            if (ip + uint64_t(12) + 2 * cases > end) {
                print_error(truncation, ip + 1, 2 * cases + 11);
                return false;
            }
        } else if (op == OP_MAKE_CLOSURE) {
            // The capture triples are checked one by one as they are decoded.
            if (ip + uint64_t(4) > end) {
                print_error(truncation, ip + 1, 3u);
                return false;
            }
        } else if (ip + uint64_t(info->length) > end) {
            print_error(truncation, ip + 1, unsigned(info->length - 1));
            return false;
        }
        uint32_t consumed = 0;
        if (!decode_operands(ip, *info, &consumed)) return false;
        uint32_t length = instruction_length(code_, size_, ip);
        if (consumed != length) {
            print_error("[Validate Chunk] : opcode %u length mismatch (validator consumed %d, "
                        "instruction_length=%d) at ip=%u\n",
                        unsigned(op), int(consumed), int(length), ip);
            return false;
        }
        ip += length;
    }
    return true;
}

// Walks the operands in byte order by kind; `consumed` counts the bytes walked.
bool ChunkCheck::decode_operands(uint32_t ip, const OpcodeInfo& info, uint32_t* consumed) {
    uint8_t op = info.code;
    if (op == OP_TRY_BEGIN) return decode_try_begin(ip, consumed);
    uint32_t pos = ip + 1;
    uint32_t list_count = 0;  // n of OP_JUMP_TABLE's cases or OP_MAKE_CLOSURE's captures
    for (uint32_t i = 0; i < info.operand_count; ++i) {
        OperandKind kind = info.operands[i];
        const uint8_t* p = code_ + pos;
        uint32_t width = operand_width(kind);
        switch (kind) {
        case OPND_K16:
        case OPND_FN16:
            if (!check_const(ip, op, read_u16(p))) return false;
            break;
        case OPND_NAME16:
            // OP_EXPORT's names are only range-checked; the interpreter refuses
            // non-strings there with code 6.
            if (op == OP_EXPORT) {
                if (read_u16(p) >= chunk_->const_count) {
                    print_error("[Validate Chunk] : OP_EXPORT const index out of range at ip=%u\n", ip);
                    return false;
                }
            } else if (!check_name(ip, op, read_u16(p))) {
                return false;
            }
            break;
        case OPND_SLOT:
            if (!check_slot(ip, op, p[0])) return false;
            break;
        case OPND_SLOT_OPT:
            if (p[0] >= kMaxLocals && p[0] != 0xFF) {
                print_error("[Validate Chunk] : FOREACH local slot out of range at ip=%u\n", ip);
                return false;
            }
            break;
        case OPND_ARGC:
            if (p[0] > kMaxCallArguments) {
                char name[32];
                opcode_name(op, name);
                print_error("[Validate Chunk] : call arg count %u exceeds MAX_CALL_ARGUMENTS=%u at ip=%u op=%s\n",
                            unsigned(p[0]), kMaxCallArguments, ip, name);
                return false;
            }
            break;
        case OPND_COUNT8:
            if (p[0] < kConcatMin || p[0] > kConcatMax) {
                print_error("[Validate Chunk] : CONCAT_N operand count %u outside 2..%u at ip=%u\n",
                            unsigned(p[0]), kConcatMax, ip);
                return false;
            }
            break;
        case OPND_REL16:
            if (!check_relative_jump(ip, info, int64_t(pos) + 2 + read_u16(p))) return false;
            break;
        case OPND_BACK16:
            if (!check_relative_jump(ip, info, int64_t(pos) + 2 - read_u16(p))) return false;
            break;
        case OPND_ABS16:
            if (!check_absolute(ip, op, read_u16(p))) return false;
            break;
        case OPND_FN:
            if (!check_builtin(ip, op, p[-1], p[0])) return false;
            break;
        case OPND_CASE_COUNT:
            list_count = p[0];
            if (read_i32(code_ + ip + 5) < read_i32(code_ + ip + 1)) {
                print_error("[Validate Chunk] : OP_JUMP_TABLE max < min at ip=%u\n", ip);
                return false;
            }
            break;
        case OPND_CASES:
            for (uint32_t c = 0; c < list_count; ++c) {
                uint32_t target = read_u16(p + 2 * c);
                if (target >= size_) {
                    print_error("[Validate Chunk] : OP_JUMP_TABLE case addr=%u out of range at ip=%u\n", target, ip);
                    return false;
                }
                if (!add_edge(ip, int32_t(target), "jump-table", -1)) return false;
            }
            width = 2 * list_count;
            break;
        case OPND_CAPTURE_COUNT:
            list_count = p[0];
            break;
        case OPND_CAPTURES:
            for (uint32_t c = 0; c < list_count; ++c) {
                uint32_t at = pos + 3 * c;
                if (at + uint64_t(3) > size_) {
                    print_error("[Validate Chunk] : bytecode truncation at ip=%u (needed %u bytes)\n", at, 3u);
                    return false;
                }
                if (!check_name(ip, op, read_u16(code_ + at)) || !check_slot(ip, op, code_[at + 2])) return false;
            }
            width = 3 * list_count;
            break;
        default:
            // Immediates, sub-operations, hints, spare bytes and element indices carry
            // no reference the interpreter could follow out of range.
            break;
        }
        pos += width;
    }
    *consumed = pos - ip;
    return true;
}

// OP_TRY_BEGIN catch_ip, catch_slot, finally_ip: the slot is checked before the
// two addresses, which share one message.
bool ChunkCheck::decode_try_begin(uint32_t ip, uint32_t* consumed) {
    uint32_t catch_ip = read_u16(code_ + ip + 1);
    uint32_t catch_slot = code_[ip + 3];
    uint32_t finally_ip = read_u16(code_ + ip + 4);
    if (catch_slot >= kMaxLocals) {
        print_error("[Validate Chunk] : OP_TRY_BEGIN catch_slot=%u out of range at ip=%u\n", catch_slot, ip);
        return false;
    }
    if (catch_ip >= size_ || finally_ip >= size_) {
        print_error("[Validate Chunk] : OP_TRY_BEGIN catch_ip=%u/finally_ip=%u out of range at ip=%u\n",
                    catch_ip, finally_ip, ip);
        return false;
    }
    // The handler arrives at catch_ip with the exception pushed.
    if (!add_edge(ip, int32_t(catch_ip), "try-catch", +1)) return false;
    if (!add_edge(ip, int32_t(finally_ip), "try-finally", 0, /*sets_depth=*/false)) return false;
    *consumed = 1 + operand_width(OPND_ABS16) + operand_width(OPND_SLOT) + operand_width(OPND_ABS16);
    return true;
}

bool ChunkCheck::check_const(uint32_t ip, uint8_t op, uint32_t index) {
    if (index < chunk_->const_count) return true;
    char name[32];
    opcode_name(op, name);
    print_error("[Validate Chunk] : const index %u out of range %u at ip=%u op=%s\n", index,
                unsigned(chunk_->const_count), ip, name);
    return false;
}

bool ChunkCheck::check_name(uint32_t ip, uint8_t op, uint32_t index) {
    if (!check_const(ip, op, index)) return false;
    if (is_string(chunk_->constants[index])) return true;
    char name[32];
    opcode_name(op, name);
    print_error("[Validate Chunk] : property key const[%u] is not a string at ip=%u op=%s\n", index, ip, name);
    return false;
}

bool ChunkCheck::check_slot(uint32_t ip, uint8_t op, uint32_t slot) {
    if (slot < kMaxLocals) return true;
    if (op == OP_ITER_BEGIN || op == OP_ITER_NEXT) {
        print_error("[Validate Chunk] : %s local slot out of range at ip=%u\n", kOpcodeTable[op].name, ip);
    } else if (op == ARITH_FMA_LLL) {
        print_error("[Validate Chunk] : ARITH_FMA_LLL slot out of range at ip=%u\n", ip);
    } else {
        char name[32];
        opcode_name(op, name);
        print_error("[Validate Chunk] : local slot %u out of range (MAX_LOCALS=%u) at ip=%u op=%s\n", slot,
                    kMaxLocals, ip, name);
    }
    return false;
}

// rel16/back16: the plain jumps and the fused compare-jumps. A target equal to
// code_size passes here and is refused by the boundary check.
bool ChunkCheck::check_relative_jump(uint32_t ip, const OpcodeInfo& info, int64_t target) {
    uint8_t op = info.code;
    bool compare = op == CMP_JUMP_LL || op == CMP_JUMP_LC || op == CMP_JUMP_LC32;
    if (target < 0 || target > int64_t(size_)) {
        if (compare) {
            print_error("[Validate Chunk] : %s target %d out of range at ip=%u\n", info.name, int(target), ip);
        } else {
            char name[32];
            opcode_name(op, name);
            print_error("[Validate Chunk] : jump target %d out of range at ip=%u op=%s\n", int(target), ip, name);
        }
        return false;
    }
    const char* kind = op == CMP_JUMP_LL   ? "cmp-jump-ll"
                       : op == CMP_JUMP_LC ? "cmp-jump-lc"
                       : op == CMP_JUMP_LC32 ? "cmp-jump-lc32"
                                             : nullptr;
    // A conditional jump arrives with its tested value popped.
    int8_t adjust = (op == OP_JUMP_IF_FALSE || op == OP_JUMP_IF_TRUE) ? -1 : 0;
    return add_edge(ip, int32_t(target), kind, adjust);
}

// abs16 operands other than OP_TRY_BEGIN's and the jump table's cases.
bool ChunkCheck::check_absolute(uint32_t ip, uint8_t op, uint32_t target) {
    const char* kind = nullptr;
    int8_t adjust = 0;
    switch (op) {
    case OP_ITER_BEGIN:
    case OP_ITER_NEXT:
        if (target >= size_) {
            print_error("[Validate Chunk] : %s target=%u out of range at ip=%u\n", kOpcodeTable[op].name, target, ip);
            return false;
        }
        kind = op == OP_ITER_BEGIN ? "iter-begin-exit" : "iter-next-body";
        break;
    case OP_TRY_LEAVE:
        if (target >= size_) {
            print_error("[Validate Chunk] : OP_TRY_LEAVE target=%u out of range at ip=%u\n", target, ip);
            return false;
        }
        kind = "try-leave";
        break;
    case FOREACH:
        if (target >= size_) {
            print_error("[Validate Chunk] : FOREACH end=%u out of range at ip=%u\n", target, ip);
            return false;
        }
        kind = "foreach-end";
        break;
    case OP_JUMP_TABLE:
        if (target >= size_) {
            print_error("[Validate Chunk] : OP_JUMP_TABLE default addr=%u out of range at ip=%u\n", target, ip);
            return false;
        }
        kind = "jump-table-default";
        adjust = -1;  // the selector is popped
        break;
    default:
        return true;  // no other opcode has an abs16 operand
    }
    return add_edge(ip, int32_t(target), kind, adjust);
}

// (mod, fn) names a registry entry; the direct-call forms also need a function.
bool ChunkCheck::check_builtin(uint32_t ip, uint8_t op, uint32_t mod, uint32_t fn) {
    if (mod >= uint32_t(builtin_module_count()) || fn >= uint32_t(builtin_member_count(int(mod)))) {
        print_error("[Validate Chunk] : invalid builtin ref mod=%u fn=%u at ip=%u\n", mod, fn, ip);
        return false;
    }
    if (op != OP_GET_BUILTIN && !builtin_member_is_function(int(mod), int(fn))) {
        print_error("[Validate Chunk] : builtin ref mod=%u fn=%u is not a function at ip=%u\n", mod, fn, ip);
        return false;
    }
    return true;
}

// The list starts at 16 records and doubles; a copy, so a failed grow keeps the old list.
bool ChunkCheck::add_edge(uint32_t from, int32_t target, const char* kind, int8_t adjust, bool sets_depth) {
    if (edge_count_ == edge_capacity_) {
        uint32_t capacity = edge_capacity_ ? 2 * edge_capacity_ : kFirstEdgeCapacity;
        auto* grown = static_cast<Edge*>(checked_calloc(capacity, sizeof(Edge)));
        if (!grown) return false;
        if (edge_count_) std::memcpy(grown, edges_, edge_count_ * sizeof(Edge));
        checked_free(edges_);
        edges_ = grown;
        edge_capacity_ = capacity;
    }
    edges_[edge_count_++] = Edge{from, target, kind, adjust, sets_depth};
    return true;
}

bool ChunkCheck::check_boundaries() {
    for (uint32_t i = 0; i < edge_count_; ++i) {
        const Edge& edge = edges_[i];
        if (edge.target < 0 || uint32_t(edge.target) >= size_) {
            print_error("[Validate Chunk] : jump target %d out of range from ip=%d\n", int(edge.target),
                        int(edge.from));
            return false;
        }
        if (!boundary_[edge.target]) {
            char name[32];
            const char* kind = edge.kind;
            if (!kind) {
                opcode_name(code_[edge.from], name);
                kind = name;
            }
            print_error("[Validate Chunk] : jump target %d is not an instruction boundary (from ip=%d kind=%s)\n",
                        int(edge.target), int(edge.from), kind);
            return false;
        }
    }
    return true;
}

// One forward sweep: the first edge to reach an instruction fixes its depth, a
// fall-through raises it to the larger value, and unreached code is skipped.
// An instruction may not pop more than the modelled depth; terminators included,
// since a return or throw on an empty stack would take a value from below the frame.
bool ChunkCheck::model_depths(int32_t* max_depth) {
    depth_ = static_cast<int32_t*>(checked_calloc(size_, sizeof(int32_t)));
    if (!depth_) return false;
    std::fill(depth_, depth_ + size_, -1);
    depth_[0] = 0;
    int32_t deepest = 0;
    uint32_t next_edge = 0;
    for (uint32_t ip = 0; ip < size_;) {
        uint8_t op = code_[ip];
        uint32_t length = instruction_length(code_, size_, ip);
        while (next_edge < edge_count_ && edges_[next_edge].from < ip) ++next_edge;
        int32_t d = depth_[ip];
        if (d < 0) {
            ip += length;
            continue;
        }
        const OpcodeInfo& info = kOpcodeTable[op];
        if (info.flags & OPF_RESERVED) {
            print_error("[Validate Chunk] : opcode %u not modeled in stack-depth pass at ip=%u\n", unsigned(op), ip);
            return false;
        }
        deepest = std::max(deepest, d);
        for (; next_edge < edge_count_ && edges_[next_edge].from == ip; ++next_edge) {
            const Edge& edge = edges_[next_edge];
            if (edge.sets_depth && depth_[edge.target] < 0) depth_[edge.target] = d + edge.adjust;
        }
        StackEffect effect = stack_effect(code_, ip);
        bool terminator = (info.flags & OPF_TERMINATOR) != 0;
        if (!terminator && uint64_t(ip) + length >= size_) {
            print_error("[Validate Chunk] : code falls off end at ip=%u\n", ip);
            return false;
        }
        if (effect.pops > d) {
            print_error("[Validate Chunk] : stack underflow at ip=%u (op pops past empty stack)\n", ip);
            return false;
        }
        if (!terminator) {
            int32_t after = d - effect.pops + effect.pushes;
            depth_[ip + length] = std::max(depth_[ip + length], after);
        }
        ip += length;
    }
    *max_depth = deepest;
    return true;
}

}  // namespace

bool validate_chunk(Chunk* chunk, int depth) {
    if (depth > kMaxFunctionNesting) {
        print_error("[Validate Chunk] : function nesting exceeds %d\n", kMaxFunctionNesting);
        return false;
    }
    if (!chunk) {
        print_error("[Validate Chunk] : chunk is empty\n");
        return false;
    }
    if (chunk->validated) return true;
    if (!chunk->code || chunk->code_size == 0) {
        print_error("[Validate Chunk] : chunk has no code\n");
        return false;
    }
    if (chunk->const_count > 0 && !chunk->constants) {
        print_error("[Validate Chunk] : chunk has const_count=%u but constants is empty\n",
                    unsigned(chunk->const_count));
        return false;
    }
    int32_t max_depth = 0;
    {
        ChunkCheck check(chunk);
        if (!check.run(&max_depth)) return false;
    }  // working storage is gone before the nested chunks are checked
    chunk->max_stack = uint16_t(std::min(max_depth, kMaxStackCeiling));
    chunk->validated = 1;
    // Setting validated first also ends the walk at a function constant that refers
    // back to a chunk already on the way.
    for (uint32_t i = 0; i < chunk->const_count; ++i) {
        Value v = chunk->constants[i];
        if (!is_ref_of(v, T_FUNCTION)) continue;
        const FunctionRecord* record = function_record(as_obj(v));
        if (record && record->chunk && !validate_chunk(record->chunk, depth + 1)) return false;
    }
    return true;
}

}  // namespace tarvik
