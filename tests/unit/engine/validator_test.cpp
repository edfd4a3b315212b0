// tests/unit/engine/validator_test.cpp: every rejection of validate_chunk with its
// exact message, the stack-depth model and max_stack, and the nested-function walk.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/opcode_table.h"
#include "engine/validator.h"
#include "runtime/alloc.h"
#include "runtime/builtin_catalog.h"
#include "runtime/console.h"
#include "runtime/function.h"
#include "runtime/string.h"
#include "runtime/test_support.h"

namespace tarvik {
namespace {

// Code bytes and constants of one chunk under construction.
struct ChunkBuilder {
    std::vector<uint8_t> code;
    std::vector<Value> constants;

    ChunkBuilder& op(uint8_t byte) { code.push_back(byte); return *this; }
    ChunkBuilder& u8(uint8_t byte) { code.push_back(byte); return *this; }
    ChunkBuilder& u16(uint16_t v) { code.push_back(uint8_t(v)); code.push_back(uint8_t(v >> 8)); return *this; }
    ChunkBuilder& i32(int32_t v) {
        for (int i = 0; i < 4; ++i) code.push_back(uint8_t(uint32_t(v) >> (8 * i)));
        return *this;
    }
    ChunkBuilder& bytes(std::initializer_list<uint8_t> list) {
        code.insert(code.end(), list);
        return *this;
    }
    uint16_t constant(Value v) { constants.push_back(v); return uint16_t(constants.size() - 1); }
    uint16_t string(const char* text) { return constant(make_string(text)); }
};

class ValidatorTest : public test::RuntimeTest {
protected:
    void SetUp() override {
        test::RuntimeTest::SetUp();
        value_types_register();
        g_console = ConsoleFlags{};
    }
    void TearDown() override {
        for (Chunk* chunk : chunks_) chunk_release(chunk);
        test::RuntimeTest::TearDown();
    }

    // A chunk owning copies of the builder's code and its constant references,
    // released at the end of the test.
    Chunk* make(ChunkBuilder& b) {
        Chunk* chunk = chunk_create();
        chunk->code_size = uint32_t(b.code.size());
        if (!b.code.empty()) {
            chunk->code = static_cast<uint8_t*>(checked_alloc(b.code.size()));
            std::memcpy(chunk->code, b.code.data(), b.code.size());
        }
        chunk->const_count = uint16_t(b.constants.size());
        if (!b.constants.empty()) {
            chunk->constants = static_cast<Value*>(checked_calloc(b.constants.size(), sizeof(Value)));
            std::memcpy(chunk->constants, b.constants.data(), b.constants.size() * sizeof(Value));
        }
        b.constants.clear();
        chunks_.push_back(chunk);
        return chunk;
    }

    // A function value whose record holds one reference to `chunk`.
    Value function_of(Chunk* chunk) {
        Value fn = make_function();
        chunk_retain(chunk);
        function_record(as_obj(fn))->chunk = chunk;
        return fn;
    }

    // The one line printed by a failed validation.
    std::string rejection(Chunk* chunk, int depth = 0) {
        testing::internal::CaptureStderr();
        bool ok = validate_chunk(chunk, depth);
        std::string text = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(ok);
        if (chunk) {
            EXPECT_EQ(chunk->validated, 0);
        }
        return text;
    }
    std::string rejection(ChunkBuilder& b) { return rejection(make(b)); }

    // Validates silently and returns max_stack, or -1 after a failure.
    int accepted_max_stack(ChunkBuilder& b) {
        Chunk* chunk = make(b);
        testing::internal::CaptureStderr();
        bool ok = validate_chunk(chunk, 0);
        std::string text = testing::internal::GetCapturedStderr();
        EXPECT_EQ(text, "");
        if (!ok) return -1;
        EXPECT_EQ(chunk->validated, 1);
        return chunk->max_stack;
    }

    std::vector<Chunk*> chunks_;
};

std::string err(const std::string& body) { return "Error: [Validate Chunk] : " + body + "\n"; }

// ---- entry checks ------------------------------------------------------------

TEST_F(ValidatorTest, NestingBeyond256FailsBeforeTheChunkIsLookedAt) {
    EXPECT_EQ(rejection(nullptr, 257), err("function nesting exceeds 256"));
    ChunkBuilder b;
    b.op(OP_RETURN_NIL);
    EXPECT_TRUE(validate_chunk(make(b), 256));
}

TEST_F(ValidatorTest, MissingChunkCodeOrConstantsAreRefused) {
    EXPECT_EQ(rejection(nullptr, 0), err("chunk is empty"));

    ChunkBuilder empty;
    EXPECT_EQ(rejection(empty), err("chunk has no code"));

    ChunkBuilder no_pool;
    no_pool.op(OP_RETURN_NIL);
    Chunk* chunk = make(no_pool);
    chunk->const_count = 3;  // the pool pointer stays null
    EXPECT_EQ(rejection(chunk), err("chunk has const_count=3 but constants is empty"));
    chunk->const_count = 0;
}

TEST_F(ValidatorTest, SecondValidationReturnsTrueWithoutLooking) {
    ChunkBuilder b;
    b.op(OP_PUSH_ONE).op(OP_RETURN);
    Chunk* chunk = make(b);
    ASSERT_TRUE(validate_chunk(chunk, 0));
    chunk->code[0] = 0xFF;  // would be refused if it were decoded again
    chunk->max_stack = 77;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(validate_chunk(chunk, 0));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(chunk->max_stack, 77);
}

TEST_F(ValidatorTest, HugeCodeLengthRaisesRuntimeErrorInsteadOfAllocating) {
    ChunkBuilder b;
    b.op(OP_RETURN_NIL);
    Chunk* chunk = make(b);
    chunk->code_size = 0x80000000u;
    EXPECT_EQ(rejection(chunk), "");
    EXPECT_EQ(take_error_code(), 6);
    chunk->code_size = 1;
}

// ---- constant pool -------------------------------------------------------------

TEST_F(ValidatorTest, DuplicateStringConstantsPassDifferentOnesWithOneHashFail) {
    ChunkBuilder same;
    same.string("ab");
    same.constant(make_int(5));
    same.string("ab");
    same.op(OP_RETURN_NIL);
    EXPECT_EQ(accepted_max_stack(same), 0);

    ChunkBuilder clash;
    clash.constant(make_string_hashed("left", 4, 42));
    clash.constant(make_string_hashed("right", 5, 42));
    clash.op(OP_RETURN_NIL);
    EXPECT_EQ(rejection(clash), err("const pool hash collision: 'left' vs 'right'"));
}

TEST_F(ValidatorTest, CollisionMessageCutsEachTextTo63Characters) {
    std::string long_a(100, 'a');
    std::string long_b(80, 'b');
    ChunkBuilder clash;
    clash.constant(make_string_hashed(long_a.data(), long_a.size(), 7));
    clash.constant(make_string("unrelated"));
    clash.constant(make_string_hashed(long_b.data(), long_b.size(), 7));
    clash.op(OP_RETURN_NIL);
    EXPECT_EQ(rejection(clash), err("const pool hash collision: '" + std::string(63, 'a') + "' vs '" +
                                    std::string(63, 'b') + "'"));
}

// ---- decode pass -----------------------------------------------------------------

TEST_F(ValidatorTest, UnknownAndReservedOpcodesAreRefused) {
    ChunkBuilder high;
    high.op(OP_NOP).op(0xAD);
    EXPECT_EQ(rejection(high), err("unknown opcode 173 at ip=1"));
    for (uint8_t op = 0xA2; op <= 0xA7; ++op) {
        ChunkBuilder reserved;
        reserved.op(op).bytes({0, 0, 0, 0}).op(OP_RETURN_NIL);
        EXPECT_EQ(rejection(reserved), err("unknown opcode " + std::to_string(op) + " at ip=0"));
    }
}

TEST_F(ValidatorTest, TruncatedInstructionsReportTheMissingOperandBytes) {
    ChunkBuilder konst;
    konst.op(OP_NOP).op(OP_LOAD_CONST).u8(0);
    EXPECT_EQ(rejection(konst), err("bytecode truncation at ip=2 (needed 2 bytes)"));

    ChunkBuilder table_head;
    table_head.op(OP_JUMP_TABLE).i32(0).i32(1);
    EXPECT_EQ(rejection(table_head), err("bytecode truncation at ip=1 (needed 9 bytes)"));

    ChunkBuilder table_body;
    table_body.op(OP_JUMP_TABLE).i32(0).i32(1).u8(2).u16(0).u16(0);
    EXPECT_EQ(rejection(table_body), err("bytecode truncation at ip=1 (needed 15 bytes)"));

    ChunkBuilder closure_head;
    closure_head.op(OP_MAKE_CLOSURE).u16(0);
    EXPECT_EQ(rejection(closure_head), err("bytecode truncation at ip=1 (needed 3 bytes)"));

    ChunkBuilder closure_triple;
    uint16_t fn = closure_triple.constant(make_int(0));
    uint16_t name = closure_triple.string("x");
    closure_triple.op(OP_MAKE_CLOSURE).u16(fn).u8(2).u16(name).u8(0).u16(name);
    EXPECT_EQ(rejection(closure_triple), err("bytecode truncation at ip=7 (needed 3 bytes)"));
}

TEST_F(ValidatorTest, ConstantIndexAtThePoolSizeIsRefused) {
    ChunkBuilder b;
    for (int i = 0; i < 5; ++i) b.constant(make_int(i));
    b.op(OP_LOAD_CONST).u16(5).op(OP_RETURN);
    EXPECT_EQ(rejection(b), err("const index 5 out of range 5 at ip=0 op=OP_01"));
}

TEST_F(ValidatorTest, NameOperandsMustBeStrings) {
    ChunkBuilder b;
    uint16_t number = b.constant(make_int(3));
    b.op(OP_GET_GLOBAL).u16(number).op(OP_RETURN);
    EXPECT_EQ(rejection(b), err("property key const[0] is not a string at ip=0 op=OP_2F"));

    ChunkBuilder capture;
    uint16_t fn = capture.constant(make_int(0));
    uint16_t bad = capture.constant(make_int(1));
    capture.op(OP_MAKE_CLOSURE).u16(fn).u8(1).u16(bad).u8(0).op(OP_RETURN);
    EXPECT_EQ(rejection(capture), err("property key const[1] is not a string at ip=0 op=OP_65"));
}

TEST_F(ValidatorTest, ArgumentCountsAbove16AreRefused) {
    ChunkBuilder ok;
    for (int i = 0; i < 17; ++i) ok.op(OP_PUSH_NIL);
    ok.op(OP_CALL).u8(16).op(OP_RETURN);
    EXPECT_EQ(accepted_max_stack(ok), 17);

    ChunkBuilder b;
    b.op(OP_CALL_SELF).u8(17).op(OP_RETURN);
    EXPECT_EQ(rejection(b), err("call arg count 17 exceeds MAX_CALL_ARGUMENTS=16 at ip=0 op=OP_5D"));
}

TEST_F(ValidatorTest, LocalSlotsStopAt127) {
    ChunkBuilder ok;
    ok.op(OP_GET_LOCAL).u8(127).op(OP_RETURN);
    EXPECT_EQ(accepted_max_stack(ok), 1);

    ChunkBuilder b;
    b.op(OP_NOP).op(OP_GET_LOCAL).u8(128).op(OP_RETURN);
    EXPECT_EQ(rejection(b), err("local slot 128 out of range (MAX_LOCALS=128) at ip=1 op=OP_31"));

    ChunkBuilder third;  // every slot operand is checked, not just the first
    third.op(OP_SET_INDEX_LLL).bytes({0, 1, 200}).op(OP_RETURN_NIL);
    EXPECT_EQ(rejection(third), err("local slot 200 out of range (MAX_LOCALS=128) at ip=0 op=OP_4C"));

    ChunkBuilder capture;
    uint16_t fn = capture.constant(make_int(0));
    uint16_t name = capture.string("x");
    capture.op(OP_MAKE_CLOSURE).u16(fn).u8(1).u16(name).u8(255).op(OP_RETURN);
    EXPECT_EQ(rejection(capture), err("local slot 255 out of range (MAX_LOCALS=128) at ip=0 op=OP_65"));
}

// Block access indexes the frame's locals with these slots, so a slot of 128 or more
// is refused like any other; the u8 element indices are left to the run-time bounds check.
TEST_F(ValidatorTest, BlockInstructionSlotsAreRangeCheckedIndicesAreNot) {
    struct Case {
        uint8_t op;
        std::vector<uint8_t> operands;  // with one slot set to 128
        int pops;
    };
    const Case cases[] = {
        {OP_BLOCK_GET_LI, {128, 0}, 0},       {OP_BLOCK_GET_LL, {0, 128}, 0},
        {OP_BLOCK_SET_LI, {128, 0}, 1},       {OP_BLOCK_SET_LL, {128, 0}, 1},
        {OP_BLOCK_SET_LIL, {0, 0, 128}, 0},   {OP_BLOCK_SET_LLL, {0, 128, 0}, 0},
        {OP_BLOCK_LOAD_LLI, {128, 0, 0}, 0},  {OP_BLOCK_LOAD_LLL, {0, 0, 128}, 0},
    };
    for (const Case& c : cases) {
        char name[32];
        opcode_name(c.op, name);
        ChunkBuilder bad;
        for (int i = 0; i < c.pops; ++i) bad.op(OP_PUSH_ONE);
        bad.op(c.op);
        for (uint8_t byte : c.operands) bad.u8(byte);
        bad.op(OP_RETURN_NIL);
        EXPECT_EQ(rejection(bad), err("local slot 128 out of range (MAX_LOCALS=128) at ip=" +
                                      std::to_string(c.pops) + " op=" + name));
    }
    ChunkBuilder index;
    index.op(OP_BLOCK_GET_LI).bytes({127, 255}).op(OP_BLOCK_LOAD_LLI).bytes({1, 2, 255})
        .op(OP_GET_INDEX_LI).bytes({3, 255}).op(OP_RETURN);
    EXPECT_EQ(accepted_max_stack(index), 2);
}

TEST_F(ValidatorTest, PlainJumpsOutsideTheCodeAreRefused) {
    ChunkBuilder forward;
    forward.op(OP_JUMP).u16(2).op(OP_RETURN_NIL);  // target 5, code_length 4
    EXPECT_EQ(rejection(forward), err("jump target 5 out of range at ip=0 op=OP_28"));

    ChunkBuilder backward;
    backward.op(OP_NOP).op(OP_LOOP).u16(5).op(OP_RETURN_NIL);  // 4 - 5
    EXPECT_EQ(rejection(backward), err("jump target -1 out of range at ip=1 op=OP_29"));

    ChunkBuilder to_end;  // passes the decode check, then fails as no instruction start
    to_end.op(OP_PUSH_TRUE).op(OP_JUMP_IF_TRUE).u16(1).op(OP_RETURN_NIL);
    EXPECT_EQ(rejection(to_end), err("jump target 5 out of range from ip=1"));
}

TEST_F(ValidatorTest, CompareJumpsCheckSlotsThenTheirTarget) {
    ChunkBuilder ll;
    ll.op(CMP_JUMP_LL).bytes({0, 1, 0}).u16(2).op(OP_RETURN_NIL);  // 6 + 2 > 7
    EXPECT_EQ(rejection(ll), err("CMP_JUMP_LL target 8 out of range at ip=0"));

    ChunkBuilder lc;
    lc.op(CMP_JUMP_LC).bytes({0, 0, 5}).u16(9).op(OP_RETURN_NIL);
    EXPECT_EQ(rejection(lc), err("CMP_JUMP_LC target 15 out of range at ip=0"));

    ChunkBuilder lc32;
    lc32.op(CMP_JUMP_LC32).bytes({0, 0}).i32(100000).u16(2).op(OP_RETURN_NIL);  // 9 + 2 > 10
    EXPECT_EQ(rejection(lc32), err("CMP_JUMP_LC32 target 11 out of range at ip=0"));

    ChunkBuilder slot;
    slot.op(CMP_JUMP_LL).bytes({0, 130, 0}).u16(9000).op(OP_RETURN_NIL);
    EXPECT_EQ(rejection(slot), err("local slot 130 out of range (MAX_LOCALS=128) at ip=0 op=OP_2C"));
}

TEST_F(ValidatorTest, ConcatCountMustBeTwoToSixteen) {
    for (uint8_t count : {0, 1, 17, 255}) {
        ChunkBuilder b;
        b.op(OP_PUSH_NIL).op(OP_PUSH_NIL).op(CONCAT_N).u8(count).op(OP_RETURN);
        EXPECT_EQ(rejection(b), err("CONCAT_N operand count " + std::to_string(count) + " outside 2..16 at ip=2"));
    }
    ChunkBuilder sixteen;
    for (int i = 0; i < 16; ++i) sixteen.op(OP_PUSH_NIL);
    sixteen.op(CONCAT_N).u8(16).op(OP_RETURN);
    EXPECT_EQ(accepted_max_stack(sixteen), 16);
}

TEST_F(ValidatorTest, CountingLoopOperandsHaveTheirOwnMessages) {
    ChunkBuilder slot;
    slot.op(OP_ITER_BEGIN).bytes({0, 128}).u16(5).op(OP_RETURN_NIL);
    EXPECT_EQ(rejection(slot), err("OP_ITER_BEGIN local slot out of range at ip=0"));

    ChunkBuilder next_slot;
    next_slot.op(OP_ITER_NEXT).bytes({200, 0}).u16(0).op(OP_RETURN_NIL);
    EXPECT_EQ(rejection(next_slot), err("OP_ITER_NEXT local slot out of range at ip=0"));

    ChunkBuilder target;  // an absolute target equal to the code length fails here
    target.op(OP_ITER_BEGIN).bytes({0, 1}).u16(6).op(OP_RETURN_NIL);
    EXPECT_EQ(rejection(target), err("OP_ITER_BEGIN target=6 out of range at ip=0"));

    ChunkBuilder body;
    body.op(OP_ITER_NEXT).bytes({0, 1}).u16(300).op(OP_RETURN_NIL);
    EXPECT_EQ(rejection(body), err("OP_ITER_NEXT target=300 out of range at ip=0"));
}

TEST_F(ValidatorTest, TryInstructionsCheckSlotAndAddresses) {
    ChunkBuilder slot;  // the slot is reported even though catch_ip is also bad
    slot.op(OP_TRY_BEGIN).u16(500).u8(128).u16(0).op(OP_RETURN_NIL);
    EXPECT_EQ(rejection(slot), err("OP_TRY_BEGIN catch_slot=128 out of range at ip=0"));

    ChunkBuilder address;
    address.op(OP_TRY_BEGIN).u16(6).u8(0).u16(7).op(OP_RETURN_NIL);
    EXPECT_EQ(rejection(address), err("OP_TRY_BEGIN catch_ip=6/finally_ip=7 out of range at ip=0"));

    ChunkBuilder leave;  // kind and levels are not checked
    leave.op(OP_TRY_LEAVE).bytes({9, 200}).u16(5);
    EXPECT_EQ(rejection(leave), err("OP_TRY_LEAVE target=5 out of range at ip=0"));
}

TEST_F(ValidatorTest, ExportOnlyRangeChecksItsNames) {
    ChunkBuilder b;
    uint16_t name = b.string("f");
    b.op(OP_EXPORT).u16(name).u16(1).bytes({1, 2, 3, 4}).op(OP_RETURN_NIL);
    EXPECT_EQ(rejection(b), err("OP_EXPORT const index out of range at ip=0"));

    ChunkBuilder number;  // string-ness is left to run time
    uint16_t k = number.constant(make_int(4));
    number.op(OP_EXPORT).u16(k).u16(k).bytes({0xFF, 0xFF, 0xFF, 0xFF}).op(OP_RETURN_NIL);
    EXPECT_EQ(accepted_max_stack(number), 0);
}

TEST_F(ValidatorTest, BuiltinReferencesMustNameAnEntryAndCallsAFunction) {
    ASSERT_EQ(builtin_module_count(), 38);
    int const_mod = -1, const_fn = -1, fn_mod = -1, fn_fn = -1;
    for (int m = 0; m < builtin_module_count(); ++m) {
        for (int f = 0; f < builtin_member_count(m); ++f) {
            bool is_fn = builtin_member_is_function(m, f);
            if (!is_fn && const_mod < 0) const_mod = m, const_fn = f;
            if (is_fn && fn_mod < 0) fn_mod = m, fn_fn = f;
        }
    }
    ASSERT_GE(const_mod, 0);
    ASSERT_GE(fn_mod, 0);

    ChunkBuilder module;
    module.op(OP_GET_BUILTIN).bytes({38, 0}).op(OP_RETURN);
    EXPECT_EQ(rejection(module), err("invalid builtin ref mod=38 fn=0 at ip=0"));

    int past = builtin_member_count(5);
    ChunkBuilder member;
    member.op(OP_CALL_BUILTIN_0).bytes({5, uint8_t(past)}).op(OP_RETURN);
    EXPECT_EQ(rejection(member), err("invalid builtin ref mod=5 fn=" + std::to_string(past) + " at ip=0"));

    ChunkBuilder call_constant;
    call_constant.op(OP_PUSH_NIL).op(OP_CALL_BUILTIN_1).bytes({uint8_t(const_mod), uint8_t(const_fn)}).op(OP_RETURN);
    EXPECT_EQ(rejection(call_constant), err("builtin ref mod=" + std::to_string(const_mod) + " fn=" +
                                            std::to_string(const_fn) + " is not a function at ip=1"));

    ChunkBuilder ok;  // a constant member may be fetched, a function called
    ok.op(OP_GET_BUILTIN).bytes({uint8_t(const_mod), uint8_t(const_fn)})
        .op(OP_CALL_BUILTIN_1).bytes({uint8_t(fn_mod), uint8_t(fn_fn)}).op(OP_RETURN);
    EXPECT_EQ(accepted_max_stack(ok), 1);
}

TEST_F(ValidatorTest, JumpTableChecksBoundsCasesAndDefault) {
    ChunkBuilder order;
    order.op(OP_PUSH_ONE).op(OP_JUMP_TABLE).i32(5).i32(4).u8(0).u16(0);
    EXPECT_EQ(rejection(order), err("OP_JUMP_TABLE max < min at ip=1"));

    ChunkBuilder negative;  // signed comparison: -1 < 0
    negative.op(OP_PUSH_ONE).op(OP_JUMP_TABLE).i32(0).i32(-1).u8(0).u16(0);
    EXPECT_EQ(rejection(negative), err("OP_JUMP_TABLE max < min at ip=1"));

    ChunkBuilder cases;  // the case count need not match max - min + 1
    cases.op(OP_PUSH_ONE).op(OP_JUMP_TABLE).i32(0).i32(9).u8(2).u16(17).u16(18).u16(17);
    cases.op(OP_RETURN_NIL);  // at 17, code_length 18
    EXPECT_EQ(rejection(cases), err("OP_JUMP_TABLE case addr=18 out of range at ip=1"));

    ChunkBuilder fallback;
    fallback.op(OP_PUSH_ONE).op(OP_JUMP_TABLE).i32(0).i32(0).u8(1).u16(15).u16(17);
    fallback.op(OP_RETURN_NIL).op(OP_RETURN_NIL);  // at 15 and 16
    EXPECT_EQ(rejection(fallback), err("OP_JUMP_TABLE default addr=17 out of range at ip=1"));
}

TEST_F(ValidatorTest, ForeachAllowsNoSlotMarkerButNot128To254) {
    ChunkBuilder none;
    none.op(FOREACH).bytes({0, 0xFF, 1, 2}).u16(0).op(OP_RETURN_NIL);
    EXPECT_EQ(accepted_max_stack(none), 0);

    for (uint8_t bad : {0x80, 0xFE}) {
        ChunkBuilder b;
        b.op(FOREACH).bytes({0, 1, 2, bad}).u16(0).op(OP_RETURN_NIL);
        EXPECT_EQ(rejection(b), err("FOREACH local slot out of range at ip=0"));
    }
    ChunkBuilder end;
    end.op(FOREACH).bytes({0, 1, 2, 3}).u16(8).op(OP_RETURN_NIL);
    EXPECT_EQ(rejection(end), err("FOREACH end=8 out of range at ip=0"));
}

TEST_F(ValidatorTest, FusedMultiplyAddChecksAllFourSlots) {
    ChunkBuilder b;
    b.op(ARITH_FMA_LLL).bytes({0, 1, 2, 128}).op(OP_RETURN_NIL);
    EXPECT_EQ(rejection(b), err("ARITH_FMA_LLL slot out of range at ip=0"));
}

// ---- jump boundaries ---------------------------------------------------------------

TEST_F(ValidatorTest, JumpsIntoAnInstructionNameTheirKind) {
    ChunkBuilder plain;  // target 4 is inside OP_LOAD_CONST at 3
    plain.constant(make_int(1));
    plain.op(OP_JUMP).u16(1).op(OP_LOAD_CONST).u16(0).op(OP_RETURN);
    EXPECT_EQ(rejection(plain), err("jump target 4 is not an instruction boundary (from ip=0 kind=OP_28)"));

    ChunkBuilder catcher;
    catcher.op(OP_TRY_BEGIN).u16(8).u8(0).u16(6).op(OP_FINALLY_BEGIN).op(OP_PUSH_I8).u8(0).op(OP_RETURN);
    EXPECT_EQ(rejection(catcher), err("jump target 8 is not an instruction boundary (from ip=0 kind=try-catch)"));

    ChunkBuilder loop;
    loop.op(FOREACH).bytes({0, 1, 2, 3}).u16(1).op(OP_RETURN_NIL);
    EXPECT_EQ(rejection(loop), err("jump target 1 is not an instruction boundary (from ip=0 kind=foreach-end)"));
}

// ---- stack-depth model ------------------------------------------------------------

TEST_F(ValidatorTest, FallingOffTheEndAndUnderflowAreRefused) {
    ChunkBuilder adds;
    adds.op(OP_PUSH_ONE).op(OP_PUSH_ONE).op(OP_ADD);
    EXPECT_EQ(rejection(adds), err("code falls off end at ip=2"));

    ChunkBuilder pop;
    pop.op(OP_POP).op(OP_RETURN_NIL);
    EXPECT_EQ(rejection(pop), err("stack underflow at ip=0 (op pops past empty stack)"));

    ChunkBuilder call;  // callee missing: two values for OP_CALL 2
    call.op(OP_PUSH_ONE).op(OP_PUSH_ONE).op(OP_CALL).u8(2).op(OP_RETURN);
    EXPECT_EQ(rejection(call), err("stack underflow at ip=2 (op pops past empty stack)"));
}

// An instruction may not pop below the frame even when its net effect is small.
TEST_F(ValidatorTest, PopsAreCheckedAgainstTheDepthNotJustTheNetEffect) {
    ChunkBuilder add;
    add.op(OP_PUSH_ONE).op(OP_ADD).op(OP_RETURN);
    EXPECT_EQ(rejection(add), err("stack underflow at ip=1 (op pops past empty stack)"));

    ChunkBuilder ret;
    ret.op(OP_RETURN);
    EXPECT_EQ(rejection(ret), err("stack underflow at ip=0 (op pops past empty stack)"));

    ChunkBuilder thrown;
    thrown.op(OP_NOP).op(OP_THROW);
    EXPECT_EQ(rejection(thrown), err("stack underflow at ip=1 (op pops past empty stack)"));

    ChunkBuilder leave;  // a pending return needs its value
    leave.op(OP_TRY_LEAVE).bytes({0, 1}).u16(0);
    EXPECT_EQ(rejection(leave), err("stack underflow at ip=0 (op pops past empty stack)"));

    ChunkBuilder guard;
    guard.op(OP_GUARD).op(OP_RETURN_NIL);
    EXPECT_EQ(rejection(guard), err("stack underflow at ip=0 (op pops past empty stack)"));
}

TEST_F(ValidatorTest, MaxStackIsTheDeepestInstructionStart) {
    ChunkBuilder only;
    only.op(OP_RETURN_NIL);
    EXPECT_EQ(accepted_max_stack(only), 0);

    ChunkBuilder sums;  // depths 0 1 2 3 2 1
    sums.op(OP_PUSH_ONE).op(OP_PUSH_ONE).op(OP_PUSH_ONE).op(OP_ADD).op(OP_ADD).op(OP_RETURN);
    EXPECT_EQ(accepted_max_stack(sums), 3);

    ChunkBuilder call;  // 3 arguments and the callee, then the result
    call.op(OP_PUSH_ONE).op(OP_PUSH_ONE).op(OP_PUSH_ONE).op(OP_GET_LOCAL_0).op(OP_CALL).u8(3);
    call.op(OP_DUP).op(OP_POP).op(OP_RETURN);
    EXPECT_EQ(accepted_max_stack(call), 4);

    ChunkBuilder object;  // two pairs in, one object out
    object.op(OP_PUSH_NIL).op(OP_PUSH_NIL).op(OP_PUSH_NIL).op(OP_PUSH_NIL).op(OP_BUILD_OBJECT).u16(2);
    object.op(OP_PUSH_NIL).op(OP_RETURN);
    EXPECT_EQ(accepted_max_stack(object), 4);

    ChunkBuilder deep;  // stored depth is capped at 65535
    for (int i = 0; i < 70000; ++i) deep.op(OP_PUSH_NIL);
    deep.op(OP_RETURN);
    EXPECT_EQ(accepted_max_stack(deep), 65535);
}

TEST_F(ValidatorTest, UnreachedCodeAfterAJumpIsNotModelled) {
    ChunkBuilder b;
    b.op(OP_JUMP).u16(5);                                               // 0 -> 8
    b.op(OP_POP).op(OP_POP).op(OP_ADD).op(OP_THROW).op(OP_SET_INDEX);  // 3..7
    b.op(OP_RETURN_NIL);                                                // 8
    EXPECT_EQ(accepted_max_stack(b), 0);
}

TEST_F(ValidatorTest, EdgeTargetsGetTheDepthOfTheirArrival) {
    ChunkBuilder conditional;  // the tested value is gone at the target
    conditional.op(OP_PUSH_TRUE).op(OP_JUMP_IF_FALSE).u16(1).op(OP_RETURN_NIL).op(OP_POP).op(OP_RETURN_NIL);
    EXPECT_EQ(rejection(conditional), err("stack underflow at ip=5 (op pops past empty stack)"));

    ChunkBuilder handler;  // the catch body starts with the exception pushed
    handler.op(OP_TRY_BEGIN).u16(10).u8(0).u16(12);  // 0
    handler.op(OP_TRY_END).op(OP_JUMP).u16(2);        // 6, 7 -> 12
    handler.op(OP_CATCH_STORE);                        // 10
    handler.op(OP_GOTO_FINALLY);                       // 11
    handler.op(OP_FINALLY_BEGIN).op(OP_END_FINALLY).op(OP_RETURN_NIL);  // 12..14
    EXPECT_EQ(accepted_max_stack(handler), 1);

    ChunkBuilder table;  // the selector is popped before any target
    table.op(OP_PUSH_ONE).op(OP_JUMP_TABLE).i32(0).i32(0).u8(1).u16(15).u16(16);
    table.op(OP_RETURN_NIL).op(OP_RETURN_NIL);
    EXPECT_EQ(accepted_max_stack(table), 1);

    ChunkBuilder empty_table;  // n = 0: default only, 12 bytes
    empty_table.op(OP_PUSH_ONE).op(OP_JUMP_TABLE).i32(3).i32(7).u8(0).u16(13).op(OP_RETURN_NIL);
    EXPECT_EQ(accepted_max_stack(empty_table), 1);
}

TEST_F(ValidatorTest, ClosureWithoutCapturesIsFourBytes) {
    ChunkBuilder inner;
    inner.op(OP_RETURN_NIL);
    Chunk* body = make(inner);
    ChunkBuilder b;
    uint16_t fn = b.constant(function_of(body));
    b.op(OP_MAKE_CLOSURE).u16(fn).u8(0).op(OP_RETURN);
    EXPECT_EQ(accepted_max_stack(b), 1);
    EXPECT_EQ(body->validated, 1);
}

// ---- nested functions ------------------------------------------------------------

TEST_F(ValidatorTest, FunctionConstantsAreValidatedOneLevelDeeper) {
    ChunkBuilder bad_inner;
    bad_inner.op(OP_POP).op(OP_RETURN_NIL);
    Chunk* inner = make(bad_inner);
    ChunkBuilder outer;
    outer.constant(function_of(inner));
    outer.op(OP_RETURN_NIL);
    Chunk* chunk = make(outer);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(validate_chunk(chunk, 0));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), err("stack underflow at ip=0 (op pops past empty stack)"));
    EXPECT_EQ(inner->validated, 0);

    ChunkBuilder good_inner;
    good_inner.op(OP_RETURN_NIL);
    Chunk* leaf = make(good_inner);
    ChunkBuilder at_limit;
    at_limit.constant(function_of(leaf));
    at_limit.op(OP_RETURN_NIL);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(validate_chunk(make(at_limit), 256));  // the leaf would be at 257
    EXPECT_EQ(testing::internal::GetCapturedStderr(), err("function nesting exceeds 256"));
    EXPECT_EQ(leaf->validated, 0);
}

TEST_F(ValidatorTest, AFunctionConstantReferringToItsOwnChunkEndsTheWalk) {
    ChunkBuilder b;
    b.constant(make_function());
    b.op(OP_MAKE_FUNCTION).u16(0).op(OP_RETURN);
    Chunk* chunk = make(b);
    FunctionRecord* record = function_record(as_obj(chunk->constants[0]));
    record->chunk = chunk;  // not counted: the cycle is cut below
    EXPECT_TRUE(validate_chunk(chunk, 0));
    EXPECT_EQ(chunk->max_stack, 1);
    record->chunk = nullptr;
}

// ---- arbitrary input ---------------------------------------------------------------

// Random code must never read outside the code (run under the sanitizer build) and
// must end in exactly one printed line when refused, none when accepted.
TEST_F(ValidatorTest, RandomCodeGivesOneLineOrAValidatedChunk) {
    uint64_t state = 0x9E3779B97F4A7C15ull;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    int accepted = 0;
    for (int round = 0; round < 2000; ++round) {
        ChunkBuilder b;
        b.string("name");
        b.constant(make_int(1));
        // Mostly whole instructions with small operands, so that a share pass, then
        // now and then one byte overwritten with anything.
        size_t instructions = 1 + next() % 12;
        for (size_t i = 0; i < instructions; ++i) {
            uint8_t op = uint8_t(next() % kOpcodeCount);
            b.op(op);
            uint32_t operand_bytes = kOpcodeTable[op].length ? kOpcodeTable[op].length - 1u : 0u;
            if (op == OP_JUMP_TABLE) operand_bytes = 11 + 2 * 1;
            if (op == OP_MAKE_CLOSURE) operand_bytes = 3 + 3 * 1;
            for (uint32_t k = 0; k < operand_bytes; ++k) {
                uint64_t r = next();
                b.u8(r % 8 == 0 ? uint8_t(r >> 8) : uint8_t(r % 2));
            }
        }
        b.op(OP_RETURN_NIL);
        if (next() % 4 == 0) b.code[next() % b.code.size()] = uint8_t(next());
        Chunk* chunk = make(b);
        testing::internal::CaptureStderr();
        bool ok = validate_chunk(chunk, 0);
        std::string text = testing::internal::GetCapturedStderr();
        if (ok) {
            ++accepted;
            EXPECT_EQ(text, "");
            EXPECT_EQ(chunk->validated, 1);
        } else {
            EXPECT_EQ(text.rfind("Error: [Validate Chunk] : ", 0), 0u) << text;
            EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
        }
        chunk_release(chunk);
        chunks_.pop_back();
    }
    EXPECT_GT(accepted, 0);
}

}  // namespace
}  // namespace tarvik
