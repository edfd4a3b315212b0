// tests/unit/engine/opcode_table_test.cpp: instruction lengths, opcode names, flags
// and stack effects of the opcode table.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/opcode_table.h"

namespace tarvik {
namespace {

struct LengthRange {
    uint8_t first;
    uint8_t last;
    uint32_t length;
};

// The format's length table, written out independently of opcodes.def.
const LengthRange kFormatLengths[] = {
    {0x00, 0x00, 1}, {0x02, 0x06, 1}, {0x0C, 0x25, 1}, {0x2A, 0x2A, 1}, {0x33, 0x3A, 1},
    {0x43, 0x44, 1}, {0x5A, 0x5A, 1}, {0x60, 0x62, 1}, {0x66, 0x67, 1}, {0x6A, 0x6A, 1},
    {0x73, 0x77, 1}, {0x79, 0x79, 1}, {0x7D, 0x8B, 1}, {0x8E, 0x8F, 1}, {0x9C, 0x9C, 1},
    {0x07, 0x07, 2}, {0x31, 0x32, 2}, {0x3B, 0x3C, 2}, {0x47, 0x48, 2}, {0x4D, 0x4D, 2},
    {0x5B, 0x5F, 2}, {0x63, 0x63, 2}, {0x8D, 0x8D, 2}, {0xAC, 0xAC, 2},
    {0x01, 0x01, 3}, {0x08, 0x08, 3}, {0x26, 0x29, 3}, {0x2E, 0x30, 3}, {0x3F, 0x42, 3},
    {0x45, 0x46, 3}, {0x49, 0x4A, 3}, {0x52, 0x53, 3}, {0x58, 0x58, 3}, {0x64, 0x64, 3},
    {0x6B, 0x71, 3}, {0x90, 0x97, 3}, {0xA2, 0xA4, 3},
    {0x3D, 0x3E, 4}, {0x4B, 0x4C, 4}, {0x50, 0x50, 4}, {0x56, 0x57, 4}, {0x68, 0x69, 4},
    {0x98, 0x9B, 4}, {0xA1, 0xA1, 4}, {0xA7, 0xAB, 4},
    {0x09, 0x0B, 5}, {0x4E, 0x4F, 5}, {0x51, 0x51, 5}, {0x54, 0x55, 5}, {0x59, 0x59, 5},
    {0x78, 0x78, 5}, {0x7B, 0x7C, 5}, {0x9D, 0x9D, 5}, {0xA5, 0xA6, 5},
    {0x2C, 0x2D, 6}, {0x72, 0x72, 6}, {0x9E, 0x9E, 6}, {0xA0, 0xA0, 6},
    {0x7A, 0x7A, 7},
    {0x8C, 0x8C, 9}, {0x9F, 0x9F, 9},
};

uint32_t length_of(std::vector<uint8_t> code, uint32_t ip = 0) {
    return instruction_length(code.data(), uint32_t(code.size()), ip);
}

TEST(OpcodeLength, EveryFixedOpcodeMatchesTheFormatTable) {
    std::vector<int> expected(kOpcodeCount, -1);
    for (const LengthRange& range : kFormatLengths) {
        for (uint32_t op = range.first; op <= range.last; ++op) {
            ASSERT_EQ(expected[op], -1) << "opcode listed twice: " << op;
            expected[op] = int(range.length);
        }
    }
    for (uint32_t op = 0; op < kOpcodeCount; ++op) {
        if (op == OP_JUMP_TABLE || op == OP_MAKE_CLOSURE) continue;
        ASSERT_NE(expected[op], -1) << "opcode missing from the format table: " << op;
        std::vector<uint8_t> code(16, 0);
        code[0] = uint8_t(op);
        EXPECT_EQ(length_of(code), uint32_t(expected[op])) << kOpcodeTable[op].name;
        EXPECT_EQ(kOpcodeTable[op].length, uint32_t(expected[op])) << kOpcodeTable[op].name;
    }
}

TEST(OpcodeLength, BytesAboveTheLastOpcodeAndPositionsPastTheEndGiveZero) {
    for (uint32_t op = 0xAD; op <= 0xFF; ++op) {
        EXPECT_EQ(length_of({uint8_t(op), 0, 0, 0}), 0u) << op;
        EXPECT_EQ(opcode_info(uint8_t(op)), nullptr);
    }
    EXPECT_EQ(length_of({OP_NOP}, 1), 0u);
}

TEST(OpcodeLength, JumpTableIsTwelvePlusTwoPerCase) {
    std::vector<uint8_t> table(12, 0);
    table[0] = OP_JUMP_TABLE;
    EXPECT_EQ(length_of(table), 12u);  // n = 0: only the default
    table[9] = 3;
    EXPECT_EQ(length_of(table), 18u);  // reported even though the code is shorter
    table[9] = 255;
    EXPECT_EQ(length_of(table), 522u);

    std::vector<uint8_t> shifted = {OP_NOP, OP_JUMP_TABLE, 0, 0, 0, 0, 0, 0, 0, 0, 2};
    EXPECT_EQ(length_of(shifted, 1), 16u);  // count read at ip + 9
    shifted.pop_back();
    EXPECT_EQ(length_of(shifted, 1), 0u);   // count byte at the end
}

TEST(OpcodeLength, MakeClosureIsFourPlusThreePerCapture) {
    EXPECT_EQ(length_of({OP_MAKE_CLOSURE, 0, 0, 0}), 4u);
    EXPECT_EQ(length_of({OP_MAKE_CLOSURE, 0, 0, 2}), 10u);
    EXPECT_EQ(length_of({OP_MAKE_CLOSURE, 0, 0}), 0u);
    EXPECT_EQ(length_of({OP_NOP, OP_NOP, OP_MAKE_CLOSURE, 0, 0, 1}, 2), 7u);
}

TEST(OpcodeName, FormatsTwoUpperCaseHexDigits) {
    char name[32];
    opcode_name(0x2B, name);
    EXPECT_STREQ(name, "OP_2B");
    opcode_name(0x07, name);
    EXPECT_STREQ(name, "OP_07");
    opcode_name(0xAC, name);
    EXPECT_STREQ(name, "OP_AC");
    opcode_name(0xFF, name);
    EXPECT_STREQ(name, "OP_FF");
}

TEST(OpcodeTable, FormatNamesAreUniqueAndFoundByName) {
    std::set<std::string> seen;
    for (uint32_t op = 0; op < kOpcodeCount; ++op) {
        const char* name = kOpcodeTable[op].name;
        EXPECT_TRUE(seen.insert(name).second) << name;
        EXPECT_EQ(opcode_by_name(name), int(op)) << name;
    }
    EXPECT_STREQ(kOpcodeTable[0x2C].name, "CMP_JUMP_LL");
    EXPECT_STREQ(kOpcodeTable[0x7A].name, "FOREACH");
    EXPECT_STREQ(kOpcodeTable[0x9D].name, "ARITH_FMA_LLL");
    EXPECT_STREQ(kOpcodeTable[0xAC].name, "CONCAT_N");
    EXPECT_STREQ(kOpcodeTable[0x71].name, "OP_CALL_BUILTIN_5");
    EXPECT_EQ(opcode_by_name("OP_NOPE"), -1);
    EXPECT_EQ(opcode_by_name(nullptr), -1);
}

TEST(OpcodeTable, TerminatorsAndReservedOpcodesAreExactlyTheFormatsLists) {
    const std::set<uint32_t> terminators = {0x28, 0x29, 0x2B, 0x5E, 0x5F, 0x60,
                                            0x61, 0x62, 0x63, 0x78, 0x79};
    for (uint32_t op = 0; op < kOpcodeCount; ++op) {
        const OpcodeInfo& info = kOpcodeTable[op];
        EXPECT_EQ((info.flags & OPF_TERMINATOR) != 0, terminators.count(op) == 1) << info.name;
        EXPECT_EQ((info.flags & OPF_RESERVED) != 0, op >= 0xA2 && op <= 0xA7) << info.name;
    }
}

StackEffect effect_of(std::vector<uint8_t> code) {
    code.resize(16, 0);
    return stack_effect(code.data(), 0);
}

TEST(StackEffect, OperandCountsDrivePops) {
    EXPECT_EQ(effect_of({OP_CALL, 3}).pops, 4);  // callee + 3
    EXPECT_EQ(effect_of({OP_CALL_FAST, 0}).pops, 1);
    EXPECT_EQ(effect_of({OP_CALL_SELF, 3}).pops, 3);
    EXPECT_EQ(effect_of({OP_NEW, 2}).pops, 3);
    EXPECT_EQ(effect_of({OP_CALL_METHOD, 0, 0, 5}).pops, 6);
    EXPECT_EQ(effect_of({OP_CALL_METHOD_HINT, 0, 0, 5, 9, 9}).pops, 6);
    EXPECT_EQ(effect_of({OP_CALL_THIS_METHOD, 0, 0, 5}).pops, 5);
    EXPECT_EQ(effect_of({OP_CALL_QUALIFIED, 0, 0, 0, 0, 7}).pops, 7);
    EXPECT_EQ(effect_of({OP_TAIL_CALL, 2}).pops, 3);
    EXPECT_EQ(effect_of({CONCAT_N, 5}).pops, 5);
    EXPECT_EQ(effect_of({OP_BUILD_ARRAY, 4, 1, 4, 0}).pops, 260);
    EXPECT_EQ(effect_of({OP_BUILD_OBJECT, 3, 0}).pops, 6);
    for (uint8_t k = 0; k <= 5; ++k) {
        StackEffect effect = effect_of({uint8_t(OP_CALL_BUILTIN_0 + k), 0, 0});
        EXPECT_EQ(effect.pops, k);
        EXPECT_EQ(effect.pushes, 1);
    }
    EXPECT_EQ(effect_of({OP_TRY_LEAVE, 0, 1, 0, 0}).pops, 1);  // return: value popped
    EXPECT_EQ(effect_of({OP_TRY_LEAVE, 1, 1, 0, 0}).pops, 0);
    EXPECT_EQ(effect_of({OP_TRY_LEAVE, 7, 1, 0, 0}).pops, 0);
}

TEST(StackEffect, FixedFormsFollowTheFormat) {
    for (uint8_t op : {OP_ADD, OP_SHR, OP_EQ, OP_GE, OP_APPROX_EQ, OP_INSTANCEOF, OP_COALESCE,
                       OP_CONTAINS, OP_CONCAT, OP_GET_INDEX}) {
        StackEffect effect = effect_of({op});
        EXPECT_EQ(effect.pops - effect.pushes, 1) << kOpcodeTable[op].name;
    }
    EXPECT_EQ(effect_of({OP_SET_INDEX}).pops, 3);
    EXPECT_EQ(effect_of({OP_DUP}).pushes, 2);
    EXPECT_EQ(effect_of({OP_SET_PROPERTY, 0, 0}).pops, 2);
    StackEffect yield = effect_of({OP_YIELD});
    EXPECT_EQ(yield.pushes - yield.pops, 0);  // the resumed value replaces the yielded one
}

TEST(StackEffect, SuccessorsSeparateFallThroughFromJumps) {
    EXPECT_EQ(effect_of({OP_ADD}).successors, SUCC_NEXT);
    EXPECT_EQ(effect_of({OP_JUMP_IF_FALSE, 0, 0}).successors, SUCC_NEXT | SUCC_JUMP);
    EXPECT_EQ(effect_of({CMP_JUMP_LC32}).successors, SUCC_NEXT | SUCC_JUMP);
    EXPECT_EQ(effect_of({FOREACH}).successors, SUCC_NEXT | SUCC_JUMP);
    EXPECT_EQ(effect_of({OP_JUMP, 0, 0}).successors, SUCC_JUMP);
    EXPECT_EQ(effect_of({OP_LOOP, 0, 0}).successors, SUCC_JUMP);
    EXPECT_EQ(effect_of({OP_JUMP_TABLE}).successors, SUCC_JUMP);
    EXPECT_EQ(effect_of({OP_TRY_LEAVE}).successors, SUCC_JUMP);
    EXPECT_EQ(effect_of({OP_RETURN}).successors, 0);
    EXPECT_EQ(effect_of({OP_THROW}).successors, 0);
}

}  // namespace
}  // namespace tarvik
