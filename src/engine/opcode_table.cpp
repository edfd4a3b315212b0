// engine/opcode_table.cpp: lengths, names and stack effects read from the opcode table.
#include "engine/opcode_table.h"

#include <cstdio>
#include <cstring>

namespace tarvik {

uint32_t instruction_length(const uint8_t* code, uint32_t code_size, uint32_t ip) {
    if (ip >= code_size) return 0;
    uint8_t op = code[ip];
    if (op >= kOpcodeCount) return 0;
    if (op == OP_JUMP_TABLE) {
        if (uint64_t(ip) + 9 >= code_size) return 0;
        return 12 + 2 * uint32_t(code[ip + 9]);
    }
    if (op == OP_MAKE_CLOSURE) {
        if (uint64_t(ip) + 3 >= code_size) return 0;
        return 4 + 3 * uint32_t(code[ip + 3]);
    }
    return kOpcodeTable[op].length;
}

void opcode_name(uint8_t op, char out[32]) { std::snprintf(out, 32, "OP_%02X", op); }

int opcode_by_name(const char* name) {
    if (!name) return -1;
    for (uint32_t op = 0; op < kOpcodeCount; ++op) {
        if (std::strcmp(kOpcodeTable[op].name, name) == 0) return int(op);
    }
    return -1;
}

namespace {
// Offset after the opcode of the first operand of `kind`; the table guarantees the
// count operands sit at fixed offsets (none follows a variable list).
uint32_t operand_offset(const OpcodeInfo& info, OperandKind kind) {
    uint32_t offset = 1;
    for (uint32_t i = 0; i < info.operand_count; ++i) {
        if (info.operands[i] == kind) return offset;
        offset += operand_width(info.operands[i]);
    }
    return 0;
}

uint32_t read_u16_at(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }

bool has_jump_operand(const OpcodeInfo& info) {
    for (uint32_t i = 0; i < info.operand_count; ++i) {
        switch (info.operands[i]) {
        case OPND_REL16: case OPND_BACK16: case OPND_ABS16: case OPND_CASES: return true;
        default: break;
        }
    }
    return false;
}
}  // namespace

StackEffect stack_effect(const uint8_t* code, uint32_t ip) {
    const OpcodeInfo& info = kOpcodeTable[code[ip]];
    const uint8_t* at = code + ip;
    int32_t pops = info.pops;
    switch (info.stack_form) {
    case STACK_FIXED:
        break;
    case STACK_ARGC:
        pops += at[operand_offset(info, OPND_ARGC)];
        break;
    case STACK_COUNT:
        if (uint32_t off = operand_offset(info, OPND_COUNT8)) {
            pops = at[off];
        } else {
            pops = int32_t(read_u16_at(at + operand_offset(info, OPND_COUNT16)));
        }
        break;
    case STACK_PAIRS:
        pops = 2 * int32_t(read_u16_at(at + operand_offset(info, OPND_COUNT16)));
        break;
    case STACK_TRY_LEAVE:
        pops = at[operand_offset(info, OPND_LEAVE_KIND)] == 0 ? 1 : 0;
        break;
    }
    uint8_t successors = (info.flags & OPF_TERMINATOR) ? 0 : SUCC_NEXT;
    if (has_jump_operand(info)) successors |= SUCC_JUMP;
    return StackEffect{pops, info.pushes, successors};
}

}  // namespace tarvik
