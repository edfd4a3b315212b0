// engine/opcode_table.h: the opcode enum and the table of every instruction's
// layout and stack effect, both expanded from engine/opcodes.def. The validator,
// the interpreter's dispatch table, the assembler and the disassembler read this
// one table; the header needs nothing but <cstdint>, so tools can include it alone.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace tarvik {

// Operand kinds, one per operand field in byte order after the opcode.
//
//   kind                width  meaning
//   OPND_K16            2      constant index, below const_count
//   OPND_NAME16         2      constant index of a string (name hash is the key)
//   OPND_FN16           2      constant index of a function
//   OPND_SLOT           1      local slot 0..127
//   OPND_SLOT_OPT       1      local slot, or 0xFF for none (FOREACH)
//   OPND_ARGC           1      argument count 0..16
//   OPND_COUNT8         1      value count (CONCAT_N: 2..16)
//   OPND_COUNT16        2      value or pair count (OP_BUILD_ARRAY, OP_BUILD_OBJECT)
//   OPND_AOP, OPND_COP  1      arithmetic / comparison sub-operation
//   OPND_I8/I16/I32     1/2/4  signed immediate
//   OPND_U8             1      unsigned immediate element index
//   OPND_U16            2      unsigned immediate (array kind, method hint)
//   OPND_U16IMM         2      unsigned immediate (line, breakpoint id, index)
//   OPND_U32IMM         4      unsigned immediate (code point)
//   OPND_F32            4      IEEE single
//   OPND_REL16          2      forward distance from the next instruction
//   OPND_BACK16         2      backward distance from the next instruction
//   OPND_ABS16          2      absolute code offset
//   OPND_MOD, OPND_FN   1      builtin module index, member index
//   OPND_CASE_COUNT     1      OP_JUMP_TABLE: n, the number of case addresses
//   OPND_CASES          2n     OP_JUMP_TABLE: n x abs16
//   OPND_CAPTURE_COUNT  1      OP_MAKE_CLOSURE: n, the number of captures
//   OPND_CAPTURES       3n     OP_MAKE_CLOSURE: n x (name16, slot)
//   OPND_SPARE4         4      OP_EXPORT: unused bytes
//   OPND_LEAVE_KIND     1      OP_TRY_LEAVE: 0 return, 1 break, other continue
//   OPND_LEAVE_LEVELS   1      OP_TRY_LEAVE: finally bodies to pass through
//   OPND_OPAQUE8/16     1/2    reserved opcodes: bytes without meaning
enum OperandKind : uint8_t {
    OPND_K16, OPND_NAME16, OPND_FN16, OPND_SLOT, OPND_SLOT_OPT, OPND_ARGC, OPND_COUNT8,
    OPND_COUNT16, OPND_AOP, OPND_COP, OPND_I8, OPND_I16, OPND_I32, OPND_U8, OPND_U16,
    OPND_U16IMM, OPND_U32IMM, OPND_F32, OPND_REL16, OPND_BACK16, OPND_ABS16, OPND_MOD,
    OPND_FN, OPND_CASE_COUNT, OPND_CASES, OPND_CAPTURE_COUNT, OPND_CAPTURES, OPND_SPARE4,
    OPND_LEAVE_KIND, OPND_LEAVE_LEVELS, OPND_OPAQUE8, OPND_OPAQUE16,
};

// Width in bytes of one operand; 0 for the variable lists OPND_CASES and
// OPND_CAPTURES, whose size follows from the count operand before them.
constexpr uint32_t operand_width(OperandKind kind) {
    switch (kind) {
    case OPND_K16: case OPND_NAME16: case OPND_FN16: case OPND_COUNT16: case OPND_I16:
    case OPND_U16: case OPND_U16IMM: case OPND_REL16: case OPND_BACK16: case OPND_ABS16:
    case OPND_OPAQUE16:
        return 2;
    case OPND_I32: case OPND_U32IMM: case OPND_F32: case OPND_SPARE4:
        return 4;
    case OPND_CASES: case OPND_CAPTURES:
        return 0;
    default:
        return 1;
    }
}

// The kind's name as a listing shows it ("k16", "slot?", "rel16", ...).
constexpr const char* operand_kind_name(OperandKind kind) {
    constexpr const char* names[] = {
        "k16", "name16", "fn16", "slot", "slot?", "argc", "count8", "count16", "aop", "cop",
        "i8", "i16", "i32", "u8", "u16", "u16imm", "u32imm", "f32", "rel16", "back16",
        "abs16", "mod", "fn", "n", "cases", "n", "captures", "spare4", "kind", "levels",
        "opaque8", "opaque16",
    };
    return names[kind];
}

// How an instruction's pops are counted (pushes are always the table's number).
enum StackForm : uint8_t {
    STACK_FIXED,      // pops -> pushes
    STACK_ARGC,       // argc + pops -> pushes; pops 1 counts the callee or receiver
    STACK_COUNT,      // n -> pushes; n from the OPND_COUNT8 or OPND_COUNT16 operand
    STACK_PAIRS,      // 2n -> pushes; n from the OPND_COUNT16 operand
    STACK_TRY_LEAVE,  // kind 0 pops the return value, other kinds pop nothing
};

// Opcode flags.
constexpr uint8_t OPF_TERMINATOR = 0x1;  // never falls through to the next instruction
constexpr uint8_t OPF_RESERVED = 0x2;    // 0xA2..0xA7: refused by the validator

constexpr uint32_t kOpcodeCount = 0xAD;  // opcodes 0x00..0xAC; any larger byte is unknown
constexpr uint32_t kMaxOperands = 5;     // FOREACH and OP_JUMP_TABLE have five fields

// One row of the table.
struct OpcodeInfo {
    uint8_t code;
    const char* name;      // the format's name: "OP_LOAD_CONST", "FOREACH", "CONCAT_N"
    uint8_t length;        // total bytes; 0 for OP_JUMP_TABLE and OP_MAKE_CLOSURE
    StackForm stack_form;
    uint8_t pops;          // meaning depends on stack_form
    uint8_t pushes;
    uint8_t flags;         // OPF_*
    uint8_t operand_count;
    OperandKind operands[kMaxOperands];  // in byte order; [operand_count..) unused
};

// The opcode enum: OP_NOP = 0x00 .. CONCAT_N = 0xAC.
#define OPCODE(code, name, ...) name = code,
enum Opcode : uint8_t {
#include "engine/opcodes.def"
};
#undef OPCODE

namespace opcode_detail {
constexpr OpcodeInfo make_info(uint8_t code, const char* name, uint8_t length, StackForm form,
                               uint8_t pops, uint8_t pushes, uint8_t flags,
                               std::initializer_list<OperandKind> operands) {
    OpcodeInfo info{code, name, length, form, pops, pushes, flags, 0, {}};
    for (OperandKind kind : operands) info.operands[info.operand_count++] = kind;
    return info;
}
}  // namespace opcode_detail

// Indexed by opcode byte, for 0x00..0xAC.
#define OPCODE(code, name, length, form, pops, pushes, flags, ...) \
    opcode_detail::make_info(code, #name, length, form, pops, pushes, flags, {__VA_ARGS__}),
inline constexpr OpcodeInfo kOpcodeTable[kOpcodeCount] = {
#include "engine/opcodes.def"
};
#undef OPCODE

// The row of an opcode byte, or null for a byte above 0xAC.
constexpr const OpcodeInfo* opcode_info(uint8_t op) {
    return op < kOpcodeCount ? &kOpcodeTable[op] : nullptr;
}

namespace opcode_detail {
// Rows sit at their own opcode, and a fixed length is the opcode byte plus its
// operand widths, so decoding by kinds and instruction_length always agree.
constexpr bool table_is_consistent() {
    for (uint32_t op = 0; op < kOpcodeCount; ++op) {
        const OpcodeInfo& info = kOpcodeTable[op];
        if (info.code != op || info.operand_count > kMaxOperands) return false;
        uint32_t width = 1;
        for (uint32_t i = 0; i < info.operand_count; ++i) width += operand_width(info.operands[i]);
        if (info.length != 0 && info.length != width) return false;
    }
    return true;
}
static_assert(table_is_consistent(), "opcodes.def rows are out of order or mis-sized");
static_assert(kOpcodeTable[OP_JUMP_TABLE].length == 0 && kOpcodeTable[OP_MAKE_CLOSURE].length == 0);
}  // namespace opcode_detail

// Length of the instruction at ip: the table's length, 12 + 2n for OP_JUMP_TABLE
// (n at ip + 9) and 4 + 3n for OP_MAKE_CLOSURE (n at ip + 3). 0 for ip at or past
// the end, an opcode above 0xAC, or a variable form whose count byte lies at or
// beyond the end. The length may run past code_size; callers check truncation.
uint32_t instruction_length(const uint8_t* code, uint32_t code_size, uint32_t ip);

// Formats op as "OP_%02X" into out; the only form messages use.
void opcode_name(uint8_t op, char out[32]);

// The opcode whose table name is `name` ("OP_ADD", "FOREACH"), or -1.
int opcode_by_name(const char* name);

// Control-flow successors of an instruction.
constexpr uint8_t SUCC_NEXT = 0x1;  // may continue with the next instruction
constexpr uint8_t SUCC_JUMP = 0x2;  // may continue at a jump target operand

struct StackEffect {
    int32_t pops;
    int32_t pushes;
    uint8_t successors;  // SUCC_*
};

// Stack effect of the complete instruction at ip (opcode at most 0xAC), with the
// operand counts read from the code.
StackEffect stack_effect(const uint8_t* code, uint32_t ip);

}  // namespace tarvik
