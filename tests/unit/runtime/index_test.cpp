// tests/unit/runtime/index_test.cpp: container[key] reads and writes on arrays,
// objects, strings and blocks, and block creation.
#include <cstring>
#include <string>

#include "runtime/array.h"
#include "runtime/block.h"
#include "runtime/block_registry.h"
#include "runtime/errors.h"
#include "runtime/index_access.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/test_support.h"

namespace tarvik {
namespace {

using test::str;

class IndexTest : public test::RuntimeTest {
protected:
    Value array_of(std::initializer_list<int64_t> items) {
        Value v = make_array(0);
        for (int64_t n : items) array_append(v, make_int(n), false);
        return v;
    }
};
class BlockTest : public test::RuntimeTest {};

TEST_F(IndexTest, ArrayReadCountsNegativeIndicesFromTheEnd) {
    Value a = array_of({1, 2, 3});
    EXPECT_EQ(index_read(a, make_int(-1)), make_int(3));
    EXPECT_EQ(index_read(a, make_int(0)), make_int(1));
    EXPECT_EQ(take_error_code(), -1);

    EXPECT_EQ(index_read(a, make_int(-4)), nil_value());
    EXPECT_EQ(take_error_message(), "Index -1 out of bounds (length 3)");
    EXPECT_EQ(index_read(a, make_int(3)), nil_value());
    EXPECT_EQ(take_error_message(), "Index 3 out of bounds (length 3)");
    release(a);
}

TEST_F(IndexTest, ArrayWritePastTheEndFillsWithAbsentValues) {
    Value a = make_array(0);
    index_write(a, make_int(5), make_int(50));
    ObjHeader* o = as_obj(a);
    EXPECT_EQ(array_count(o), 6u);
    EXPECT_EQ(array_capacity(o), 12u);  // index * 2 + 2
    for (uint32_t i = 0; i < 5; ++i) EXPECT_EQ(array_items(o)[i], kAbsent);
    EXPECT_EQ(array_items(o)[5], make_int(50));

    index_write(a, make_int(-6), make_int(7));
    EXPECT_EQ(array_items(o)[0], make_int(7));
    EXPECT_EQ(array_count(o), 6u);
    EXPECT_EQ(take_error_code(), -1);
    release(a);
}

TEST_F(IndexTest, ArrayWriteLimitUsesTenMillionAsTheLength) {
    Value a = array_of({1, 2, 3});
    index_write(a, make_int(10000000), make_int(1));
    EXPECT_EQ(take_error_message(), "Index 10000000 out of bounds (length 10000000)");
    index_write(a, make_int(-4), make_int(1));
    EXPECT_EQ(take_error_message(), "Index -1 out of bounds (length 10000000)");
    EXPECT_EQ(array_count(as_obj(a)), 3u);

    index_write(a, make_int(9999999), make_int(1));
    EXPECT_EQ(take_error_code(), -1);
    EXPECT_EQ(array_count(as_obj(a)), 10000000u);
    EXPECT_EQ(array_capacity(as_obj(a)), 10000000u);
    release(a);
}

TEST_F(IndexTest, ArrayWriteReleasesTheReplacedItemAndCopiesBoxes) {
    Value s = make_string("old item");
    Value a = make_array(0);
    array_append(a, s, true);
    Value f = make_float(0.5);
    index_write(a, make_int(0), f);
    EXPECT_EQ(as_obj(s)->ref_count, 1u);
    Value stored = array_items(as_obj(a))[0];
    EXPECT_NE(stored, f);
    EXPECT_EQ(float_of(as_obj(stored)), 0.5);
    EXPECT_EQ(as_obj(f)->ref_count, 1u);

    index_write(a, make_int(1), s);  // borrowed: the array adds its own reference
    EXPECT_EQ(as_obj(s)->ref_count, 2u);
    release(a);
    release(f);
    heap_drain_queue();
    EXPECT_EQ(as_obj(s)->ref_count, 1u);
    release(s);
}

TEST_F(IndexTest, TypedArraysCheckTheElementType) {
    Value typed = make_array(0);
    as_obj(typed)->type = T_ARRAY | T_INT;
    Value s = make_string("text");
    index_write(typed, make_int(0), s);
    EXPECT_EQ(take_error_code(), ERR_TYPE_MISMATCH);
    EXPECT_EQ(array_count(as_obj(typed)), 0u);
    index_write(typed, make_int(0), make_int(1));
    index_write(typed, make_int(1), make_int(int64_t(1) << 61));
    EXPECT_EQ(take_error_code(), -1);
    EXPECT_EQ(array_count(as_obj(typed)), 2u);

    Value plain = make_array(0);
    index_write(plain, make_int(0), s);
    EXPECT_EQ(take_error_code(), -1);
    EXPECT_EQ(index_read(typed, make_int(0)), make_int(1));
    release(typed);
    release(plain);
    release(s);
}

TEST_F(IndexTest, FlatFloatWriteStoresDoubles) {
    Value a = make_flat_float_array(0);
    index_write(a, make_int(2), make_int(7));
    Value f = make_float(-1.25);
    index_write(a, make_int(0), f);
    ObjHeader* o = as_obj(a);
    EXPECT_EQ(array_count(o), 3u);
    EXPECT_EQ(array_doubles(o)[0], -1.25);
    EXPECT_EQ(array_doubles(o)[1], 0.0);
    EXPECT_EQ(array_doubles(o)[2], 7.0);
    EXPECT_EQ(as_obj(f)->ref_count, 1u);
    release(f);
    release(a);
}

TEST_F(IndexTest, WrongKeysAndTargetsRaiseTheCannotAssignError) {
    Value a = make_array(0);
    Value key = make_string("k");
    index_write(a, key, make_int(1));
    EXPECT_EQ(take_error_message(), "Cannot assign by index into value (got array)");
    index_write(a, kAbsent, make_int(1));
    EXPECT_EQ(take_error_code(), ERR_NULL_PTR);

    Value o = make_object();
    index_write(o, make_int(1), make_int(1));
    EXPECT_EQ(take_error_message(), "Cannot assign by index into value (got object)");
    index_write(make_int(3), make_int(0), make_int(1));
    EXPECT_EQ(take_error_message(), "Cannot assign by index into value (got int)");
    index_write(key, key, make_int(1));
    EXPECT_EQ(take_error_message(), "Cannot assign by index into value (got string)");
    index_write(nil_value(), make_int(0), make_int(1));
    EXPECT_EQ(take_error_code(), ERR_NULL_PTR);
    EXPECT_EQ(array_count(as_obj(a)), 0u);
    EXPECT_EQ(object_map(as_obj(o))->count, 0u);
    for (Value v : {a, key, o}) release(v);
}

TEST_F(IndexTest, FrozenContainersRaiseCode19AndStayUnchanged) {
    Value a = array_of({1});
    Value o = make_object();
    Value s = make_string("frozen");
    Value key = make_string("k");
    for (Value c : {a, o, s}) as_obj(c)->flags |= F_FROZEN;
    index_write(a, make_int(0), make_int(9));
    EXPECT_EQ(take_error_message(), "Invalid assignment of const-object");
    index_write(o, key, make_int(9));
    EXPECT_EQ(take_error_code(), ERR_CONST_ASSIGN);
    index_write(s, make_int(0), make_char('F'));
    EXPECT_EQ(take_error_code(), ERR_CONST_ASSIGN);
    EXPECT_EQ(array_items(as_obj(a))[0], make_int(1));
    EXPECT_EQ(object_map(as_obj(o))->count, 0u);
    EXPECT_EQ(str(s), "frozen");
    for (Value v : {a, o, s, key}) release(v);
}

TEST_F(IndexTest, ObjectsAreKeyedByTheStringHash) {
    Value o = make_object();
    Value key = make_string("name");
    Value same_text = make_string("name");
    Value value = make_string("value");
    index_write(o, key, value);
    EXPECT_EQ(as_obj(key)->ref_count, 2u);
    EXPECT_EQ(as_obj(value)->ref_count, 2u);
    Value got = index_read(o, same_text);
    EXPECT_EQ(got, value);
    release(got);

    Value missing = make_string("missing");
    EXPECT_EQ(index_read(o, missing), nil_value());
    index_write(o, same_text, make_int(3));  // replaces the entry, releasing the old key and value
    EXPECT_EQ(as_obj(key)->ref_count, 1u);
    EXPECT_EQ(as_obj(value)->ref_count, 1u);
    EXPECT_EQ(index_read(o, key), make_int(3));
    EXPECT_EQ(take_error_code(), -1);
    for (Value v : {o, key, same_text, value, missing}) release(v);
}

TEST_F(IndexTest, StringReadGivesTheByteAsACharacter) {
    Value s = make_string("\xC3\xA9");
    EXPECT_EQ(index_read(s, make_int(0)), make_char(0xC3));
    EXPECT_EQ(index_read(s, make_int(-1)), make_char(0xA9));
    Value f = make_float(1.9);
    EXPECT_EQ(index_read(s, f), make_char(0xA9));
    EXPECT_EQ(index_read(s, make_int(2)), nil_value());
    EXPECT_EQ(take_error_message(), "Index 2 out of bounds (length 2)");
    release(f);
    release(s);
}

TEST_F(IndexTest, StringWriteChangesTheByteAndStalesTheHash) {
    Value o = make_object();
    Value key = make_string("Hello");
    index_write(o, key, make_int(1));
    for (const char* text : {"hello", "hello, longer"}) {
        Value s = make_string(text);
        index_write(s, make_int(0), make_char('H'));
        EXPECT_EQ(take_error_code(), -1);
        EXPECT_EQ(str(s)[0], 'H');
        EXPECT_EQ(str(s).substr(1), std::string(text + 1));
        EXPECT_EQ(string_length(as_obj(s)), strlen(text));
        EXPECT_TRUE(as_obj(s)->flags & F_HASH_STALE);
        if (strlen(text) == 5) {
            EXPECT_EQ(index_read(o, s), make_int(1));  // found by the new hash
        }
        EXPECT_EQ(string_hash(as_obj(s)), hash_bytes(str(s).data(), strlen(text)));
        release(s);
    }
    Value s = make_string("abc");
    index_write(s, make_int(-1), make_int(0x144));  // only the low 8 bits are stored
    EXPECT_EQ(str(s), "abD");
    index_write(s, make_int(3), make_char('x'));
    EXPECT_EQ(take_error_message(), "Index 3 out of bounds (length 3)");
    for (Value v : {o, key, s}) release(v);
}

TEST_F(IndexTest, NonIndexableReadPrintsALineAndYieldsNil) {
    testing::internal::CaptureStderr();
    Value got = index_read(make_int(5), make_int(0));
    Value o = make_object();
    Value by_int = index_read(o, make_int(0));
    std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(got, nil_value());
    EXPECT_EQ(by_int, nil_value());
    EXPECT_EQ(take_error_code(), -1);
    EXPECT_NE(printed.find("Attempt to index non-indexable type 'int' for key 'int' at line "), std::string::npos);
    EXPECT_NE(printed.find("Attempt to index non-indexable type 'object' for key 'int' at line "),
              std::string::npos);

    testing::internal::CaptureStderr();
    EXPECT_EQ(index_read(nil_value(), make_int(0)), nil_value());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    release(o);
}

TEST_F(BlockTest, CreationChecksWidthAndSizeAndRegistersTheBytes) {
    EXPECT_EQ(make_block(4, 0), nil_value());
    EXPECT_EQ(make_block(4, 256), nil_value());
    EXPECT_EQ(take_error_code(), -1);
    EXPECT_EQ(make_block(0x80000000u, 1), nil_value());
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
    EXPECT_EQ(make_block(0x40000000u, 2), nil_value());
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);

    uint64_t before = g_block_regions.total_bytes;
    Value b = make_block(10, 4);
    ASSERT_TRUE(is_ref_of(b, T_BLOCK));
    EXPECT_EQ(block_count(as_obj(b)), 10u);
    EXPECT_EQ(block_width(as_obj(b)), 4u);
    EXPECT_EQ(g_block_regions.total_bytes, before + 40);
    EXPECT_TRUE(block_region_contains(block_bytes(as_obj(b)), 40));
    Value empty = make_block(0, 8);
    EXPECT_EQ(g_block_regions.total_bytes, before + 41);  // at least one byte
    release(b);
    release(empty);
}

TEST_F(BlockTest, TheTotalOfAllBlocksStaysBelowTwoToThe36) {
    uint64_t saved = g_block_regions.total_bytes;
    g_block_regions.total_bytes = kMaxBlockTotalBytes - 16;
    EXPECT_EQ(make_block(16, 1), nil_value());
    Value fits = make_block(15, 1);
    EXPECT_TRUE(is_ref_of(fits, T_BLOCK));
    g_block_regions.total_bytes -= kMaxBlockTotalBytes - 16 - saved;
    release(fits);
}

TEST_F(BlockTest, ElementsAreSignExtendedByWidth) {
    struct Case {
        uint32_t width;
        int64_t written;
        int64_t read;
    } cases[] = {
        {1, 0xFF, -1},
        {1, 0x17F, 0x7F},
        {2, 0x8000, -32768},
        {2, 0x12345, 0x2345},
        {4, 0x80000000, -2147483648LL},
        {4, 0x1FFFFFFFF, -1},
        {8, int64_t(0x8000000000000001ULL), int64_t(0x8000000000000001ULL)},
    };
    for (const Case& c : cases) {
        Value b = make_block(3, c.width);
        Value written = make_int(c.written);  // a heap int for the 8-byte case
        index_write(b, make_int(1), written);
        Value read = index_read(b, make_int(-2));
        EXPECT_EQ(value_to_int(read), c.read) << c.width << " " << c.written;
        release(read);
        release(written);
        EXPECT_EQ(index_read(b, make_int(0)), make_int(0));
        EXPECT_EQ(block_read(as_obj(b), 1), c.read);
        EXPECT_EQ(take_error_code(), -1);
        release(b);
    }
}

TEST_F(BlockTest, IndexingChecksBoundsAndWidth) {
    Value b = make_block(2, 1);
    EXPECT_EQ(index_read(b, make_int(2)), nil_value());
    EXPECT_EQ(take_error_message(), "Index 2 out of bounds (length 2)");
    index_write(b, make_int(-3), make_int(1));
    EXPECT_EQ(take_error_message(), "Index -1 out of bounds (length 2)");

    Value odd = make_block(2, 3);
    EXPECT_EQ(index_read(odd, make_int(1)), make_int(0));
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
    index_write(odd, make_int(1), make_int(5));
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
    release(b);
    release(odd);
}

}  // namespace
}  // namespace tarvik
