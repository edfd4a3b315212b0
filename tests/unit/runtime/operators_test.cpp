// tests/unit/runtime/operators_test.cpp: integer and float arithmetic, the operator
// errors, concatenation and the text of a value, comparison and in-place append.
#include <cmath>
#include <cstring>
#include <string>

#include "runtime/array.h"
#include "runtime/block.h"
#include "runtime/errors.h"
#include "runtime/operators.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/test_support.h"
#include "runtime/value_ops.h"

namespace tarvik {
namespace {

class OperatorTest : public test::RuntimeTest {
protected:
    // Result of an operator on two ints, as an int; boxed results are released.
    int64_t int_op(int64_t a, int64_t b, int code) {
        Value x = make_int(a), y = make_int(b), r = binary_op(x, y, code);
        EXPECT_EQ(value_type(r), T_INT) << a << binary_op_name(code) << b;
        int64_t n = value_to_int(r);
        for (Value v : {x, y, r}) release(v);
        return n;
    }
    // Text of `a + b`; releases all three.
    std::string concat(Value a, Value b) {
        Value r = binary_op(a, b, OPR_ADD);
        std::string text = test::str(r);
        for (Value v : {a, b, r}) release(v);
        return text;
    }
    Value array_of(std::initializer_list<Value> items) {
        Value a = make_array(0);
        for (Value v : items) array_append(a, v, /*borrowed=*/false);
        return a;
    }
};

TEST_F(OperatorTest, IntegerArithmeticEdges) {
    EXPECT_EQ(int_op(7, -2, OPR_DIV), -3);
    EXPECT_EQ(int_op(7, -2, OPR_MOD), 1);
    EXPECT_EQ(int_op(-7, 2, OPR_MOD), -1);
    EXPECT_EQ(int_op(INT64_MIN, -1, OPR_DIV), INT64_MIN);
    EXPECT_EQ(int_op(INT64_MIN, -1, OPR_MOD), 0);
    EXPECT_EQ(int_op(INT64_MAX, 2, OPR_MUL), -2);
    EXPECT_EQ(int_op(2, 63, OPR_POW), INT64_MAX);
    EXPECT_EQ(int_op(-2, 63, OPR_POW), INT64_MIN);
    EXPECT_EQ(int_op(2, -1, OPR_POW), 0);
    EXPECT_EQ(int_op(0, -1, OPR_POW), INT64_MAX);
    EXPECT_EQ(int_op(1, 64, OPR_SHL), 1);
    EXPECT_EQ(int_op(1, -1, OPR_SHL), INT64_MIN);
    EXPECT_EQ(int_op(-1, 100, OPR_SHR), -1);
    EXPECT_EQ(int_op(1, 62, OPR_SHL), int64_t(1) << 62);  // leaves the immediate range
    EXPECT_EQ(take_error_code(), -1);
}

TEST_F(OperatorTest, MixedOperandsAndDivisionByZero) {
    Value two = make_float(2.0), half = binary_op(two, make_int(-1), OPR_POW);
    Value sum = binary_op(make_int(1), half, OPR_ADD);
    ASSERT_TRUE(is_float(half) && is_float(sum));
    EXPECT_EQ(float_of(as_obj(half)), 0.5);
    EXPECT_EQ(float_of(as_obj(sum)), 1.5);
    EXPECT_EQ(binary_op(make_char('a'), make_int(1), OPR_ADD), make_int(98));
    EXPECT_EQ(binary_op(make_bool(true), make_bool(true), OPR_ADD), make_int(2));
    EXPECT_EQ(concat(make_char('a'), make_char('b')), "ab");
    EXPECT_EQ(concat(make_char(0xE9), make_char(0xD800)), "\xC3\xA9");  // a surrogate adds nothing

    Value zero = make_float(0.0), minus_zero = make_float(-0.0);
    EXPECT_EQ(binary_op(make_int(1), make_int(0), OPR_DIV), nil_value());
    EXPECT_EQ(take_error_message(), "Division by zero");
    EXPECT_EQ(binary_op(make_int(1), make_int(0), OPR_MOD), nil_value());
    EXPECT_EQ(take_error_message(), "Modulo by zero");
    EXPECT_EQ(binary_op(two, zero, OPR_DIV), nil_value());
    EXPECT_EQ(take_error_code(), ERR_DIV_BY_ZERO);
    EXPECT_EQ(binary_op(two, minus_zero, OPR_MOD), nil_value());
    EXPECT_EQ(take_error_code(), ERR_MOD_BY_ZERO);
    for (Value v : {two, half, sum, zero, minus_zero}) release(v);
}

TEST_F(OperatorTest, TypeErrorsNameBothOperands) {
    Value f = make_float(1.0), s = make_string("s");
    EXPECT_EQ(binary_op(f, make_int(1), OPR_AND), nil_value());
    EXPECT_EQ(take_error_message(), "Operator '&' requires integer operands (got float and int)");
    EXPECT_EQ(binary_op(s, make_char('c'), OPR_SUB), nil_value());
    EXPECT_EQ(take_error_message(), "Operator '-' is not supported between string and char");
    EXPECT_EQ(binary_op(make_int(1), make_int(2), 11), nil_value());
    EXPECT_EQ(take_error_message(), "Operator '?' is not supported between int and int");
    release(f);
    release(s);
}

TEST_F(OperatorTest, ConcatenationUsesTheTextOfEachSide) {
    EXPECT_EQ(concat(make_string("x"), nil_value()), "xnull");
    EXPECT_EQ(concat(make_string("x"), make_float(1.0)), "x1");
    EXPECT_EQ(concat(make_string("x"), make_array(0)), "x[array]");
    EXPECT_EQ(concat(make_int(-12), make_object()), "-12[object]");
    EXPECT_EQ(concat(kAbsent, make_char(0x20AC)), "null\xE2\x82\xAC");
    Value left = make_string("a longer left"), right = make_string(" side"), joined = binary_op(left, right, OPR_ADD);
    EXPECT_EQ(test::str(joined), "a longer left side");
    EXPECT_EQ(value_hash(joined), hash_bytes("a longer left side", 18));
    for (Value v : {left, right, joined}) release(v);
}

TEST_F(OperatorTest, AddMergesObjectsAndAppendsToArrays) {
    Value a = make_object(), b = make_object(), kx = make_string("x"), ky = make_string("y");
    uint64_t hx = string_hash(as_obj(kx)), hy = string_hash(as_obj(ky));
    retain(kx);
    map_set(object_map(as_obj(a)), kx, hx, make_int(1), true);
    map_set(object_map(as_obj(b)), kx, hx, make_int(2), true);
    map_set(object_map(as_obj(b)), ky, hy, make_int(3), true);
    Value merged = binary_op(a, b, OPR_ADD);
    EXPECT_EQ(map_get(object_map(as_obj(merged)), hx), make_int(2));  // b wins
    EXPECT_EQ(map_get(object_map(as_obj(merged)), hy), make_int(3));
    EXPECT_EQ(map_get(object_map(as_obj(a)), hx), make_int(1));

    Value list = array_of({make_int(1)}), more = array_of({make_int(2), make_int(3)});
    Value joined = binary_op(list, more, OPR_ADD), with_key = binary_op(list, ky, OPR_ADD);
    EXPECT_EQ(array_count(as_obj(list)), 1u);
    ASSERT_EQ(array_count(as_obj(joined)), 3u);
    EXPECT_EQ(array_items(as_obj(joined))[2], make_int(3));
    ASSERT_EQ(array_count(as_obj(with_key)), 2u);
    EXPECT_EQ(array_items(as_obj(with_key))[1], ky);
    for (Value v : {a, b, merged, list, more, joined, with_key}) release(v);
}

class TextOfValue : public test::RuntimeTest {};

TEST_F(TextOfValue, FloatFormsAndBounds) {
    char buffer[24];
    size_t length = 0;
    for (auto [d, text] : {std::pair{0.1, "0.1"}, {1e20, "1e+20"}, {-0.0, "0"}, {3.0, "3"}, {-3.0, "-3"},
                           {9e18, "9000000000000000000"}, {1e19, "1e+19"}, {NAN, "nan"}}) {
        Value f = make_float(d);
        EXPECT_STREQ(value_text(f, buffer, sizeof buffer, &length), text) << d;
        EXPECT_EQ(length, std::strlen(text));
        release(f);
    }
    EXPECT_STREQ(value_text(make_char(0xDFFF), buffer, sizeof buffer, &length), "?");
    EXPECT_STREQ(value_text(make_bool(true), buffer, 3, &length), "tr");  // cut to the buffer
    EXPECT_EQ(length, 2u);
}

class CompareTest : public OperatorTest {};

TEST_F(CompareTest, NumbersStringsAndMixedTypes) {
    Value one_float = make_float(1.0), nan = make_float(NAN);
    Value a = make_string("a"), ab = make_string("ab"), b = make_string("b"), high = make_string("\xC3");
    EXPECT_TRUE(compare_values(make_int(1), one_float, CMP_EQ));
    EXPECT_TRUE(compare_values(a, ab, CMP_LT));
    EXPECT_TRUE(compare_values(b, ab, CMP_GT));
    EXPECT_TRUE(compare_values(high, b, CMP_GT));  // bytes compare unsigned
    EXPECT_TRUE(compare_values(a, make_int(1), CMP_NE));
    EXPECT_FALSE(compare_values(a, make_int(1), CMP_LT));
    for (int code : {CMP_EQ, CMP_LT, CMP_GT, CMP_LE, CMP_GE}) EXPECT_FALSE(compare_values(nan, one_float, code));
    EXPECT_TRUE(compare_values(nan, one_float, CMP_NE));
    EXPECT_TRUE(compare_values(make_int(INT64_MAX), make_int(INT64_MAX - 1), CMP_GT));  // not via doubles
    for (Value v : {one_float, nan, a, ab, b, high}) release(v);
}

TEST_F(CompareTest, ArraysObjectsAndBlocks) {
    Value a12 = array_of({make_int(1), make_int(2)}), a13 = array_of({make_int(1), make_int(3)});
    Value a1 = array_of({make_int(1)}), a10 = array_of({make_int(1), make_int(0)});
    Value again = array_of({make_int(1), make_int(2)});
    EXPECT_TRUE(compare_values(a12, a13, CMP_LT));
    EXPECT_TRUE(compare_values(a13, a12, CMP_GT));
    EXPECT_TRUE(compare_values(a1, a10, CMP_LT));
    EXPECT_TRUE(compare_values(a12, again, CMP_EQ));
    EXPECT_TRUE(compare_values(a12, again, CMP_LE));
    EXPECT_FALSE(compare_values(a12, again, CMP_LT));

    Value o1 = make_object(), o2 = make_object();
    EXPECT_FALSE(compare_values(o1, o2, CMP_EQ));
    EXPECT_TRUE(compare_values(o1, o2, CMP_NE));

    Value b1 = make_block(2, 1), b2 = make_block(2, 1), wide = make_block(1, 2);
    EXPECT_TRUE(compare_values(b1, b2, CMP_EQ));
    EXPECT_FALSE(compare_values(b1, wide, CMP_EQ));  // same bytes, other width
    block_write(as_obj(b2), 1, 7);
    EXPECT_TRUE(compare_values(b1, b2, CMP_LT));
    for (Value v : {a12, a13, a1, a10, again, o1, o2, b1, b2, wide}) release(v);
}

TEST_F(CompareTest, DeepArrayOrderingIsOnePassAndStopsAtNestingLimit) {
    // Equal nested arrays below the limit: trying "less" both ways at every level
    // would take 2^200 steps, so this only finishes when each level is visited once.
    Value p = make_int(1), q = make_int(1);
    for (int i = 0; i < 200; ++i) {
        p = array_of({p});
        q = array_of({q});
    }
    EXPECT_FALSE(compare_values(p, q, CMP_LT));
    EXPECT_FALSE(compare_values(p, q, CMP_GT));
    EXPECT_TRUE(compare_values(p, q, CMP_LE));
    EXPECT_TRUE(compare_values(p, q, CMP_GE));
    EXPECT_EQ(take_error_code(), -1);

    Value x = make_int(1), y = make_int(2);
    for (int i = 0; i < 1100; ++i) {
        x = array_of({x});
        y = array_of({y});
    }
    EXPECT_FALSE(compare_values(x, y, CMP_LT));
    EXPECT_EQ(take_error_code(), ERR_NESTING);
    EXPECT_EQ(g_compare_depth, 0);
    for (Value v : {p, q, x, y}) release(v);
}

TEST_F(OperatorTest, AppendInPlaceGrowsAStringHeldAlone) {
    Value s = make_string("12345678");
    ASSERT_TRUE(string_append_in_place(s, "9", 1));
    ASSERT_TRUE(string_append_int_in_place(s, -42));
    EXPECT_EQ(test::str(s), "123456789-42");
    EXPECT_EQ(value_hash(s), hash_bytes("123456789-42", 12));
    // Appending a string to itself reads from the buffer being grown.
    const ObjHeader* obj = as_obj(s);
    ASSERT_TRUE(string_append_in_place(s, string_chars(obj), string_length(obj)));
    std::string expected = "123456789-42123456789-42";
    for (int i = 0; i < 3000; ++i) {
        ASSERT_TRUE(string_append_int_in_place(s, i % 10));
        expected += char('0' + i % 10);
    }
    EXPECT_EQ(test::str(s), expected);
    EXPECT_EQ(string_chars(obj)[expected.size()], '\0');

    Value shared = make_string("shared string"), frozen = make_string("frozen string"), inline_text = make_string("short");
    retain(shared);
    as_obj(frozen)->flags |= F_FROZEN;
    for (Value v : {shared, frozen, inline_text, empty_string_value(), make_int(1)})
        EXPECT_FALSE(string_append_in_place(v, "x", 1));
    EXPECT_EQ(test::str(shared), "shared string");
    for (Value v : {s, shared, shared, frozen, inline_text}) release(v);
}

}  // namespace
}  // namespace tarvik
