// tests/unit/runtime/value_test.cpp: the value word at the immediate-int boundaries,
// truthiness, the value hash, deep equality, type names and mask descriptions.
#include <cmath>

#include "runtime/array.h"
#include "runtime/block.h"
#include "runtime/errors.h"
#include "runtime/operators.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/test_support.h"
#include "runtime/type_ops.h"
#include "runtime/value_ops.h"

namespace tarvik {
namespace {

class ValueTest : public test::RuntimeTest {
protected:
    Value array_of(std::initializer_list<Value> items) {
        Value a = make_array(0);
        for (Value v : items) array_append(a, v, /*borrowed=*/false);
        return a;
    }
    Value nest(int levels) {
        Value v = make_int(1);
        for (int i = 0; i < levels; ++i) v = array_of({v});
        return v;
    }
    Value object_of(const char* key, Value value) {
        Value object = make_object(), k = make_string(key);
        map_set(object_map(as_obj(object)), k, string_hash(as_obj(k)), value, /*owning=*/true);
        return object;
    }
};

constexpr int64_t kTwo60 = int64_t(1) << 60;

TEST_F(ValueTest, IntsAcrossTheImmediateBoundaryBehaveAlike) {
    for (auto [n, immediate] : {std::pair{kTwo60 - 1, true}, {kTwo60, false}, {-kTwo60, true},
                                {-kTwo60 - 1, false}, {INT64_MIN, false}}) {
        Value v = make_int(n), same = make_int(n);
        EXPECT_EQ(is_imm_int(v), immediate) << n;
        EXPECT_EQ(value_to_int(v), n);
        EXPECT_STREQ(type_name_of(v), "int");
        EXPECT_EQ(value_hash(v), uint64_t(n));
        EXPECT_TRUE(value_deep_equal(v, same));
        release(v);
        release(same);
    }
    Value top = make_int(kTwo60 - 1);
    Value boxed = binary_op(top, make_int(1), OPR_ADD);
    EXPECT_TRUE(is_ref(boxed));
    EXPECT_TRUE(compare_values(boxed, top, CMP_GT));
    EXPECT_EQ(binary_op(boxed, make_int(1), OPR_SUB), top);  // immediate again
    release(boxed);
}

TEST_F(ValueTest, Truthiness) {
    Value falsy[] = {kAbsent, nil_value(), make_int(0), make_char(0), make_bool(false), make_float(0.0),
                     make_float(-0.0), empty_string_value(), make_object(), make_array(4)};
    Value truthy[] = {make_int(-1), make_char('0'), make_bool(true), make_float(NAN), make_string("a"),
                      object_of("k", make_int(0)), array_of({make_int(0)}), make_block(0, 1)};
    for (Value v : falsy) EXPECT_FALSE(value_truthy(v)) << type_name_of(v);
    for (Value v : truthy) EXPECT_TRUE(value_truthy(v)) << type_name_of(v);
    for (Value v : falsy) release(v);
    for (Value v : truthy) release(v);
}

Value g_function_name;
Value function_name(Value) { return g_function_name; }

TEST_F(ValueTest, HashRules) {
    EXPECT_EQ(value_hash(kAbsent), 0u);
    EXPECT_EQ(value_hash(make_char(0x263A)), 0x263Au);
    EXPECT_EQ(value_hash(make_bool(true)), 1u);
    Value zero = make_float(0.0), minus_zero = make_float(-0.0), half = make_float(0.5), array = make_array(0);
    EXPECT_EQ(value_hash(zero), 0u);
    EXPECT_EQ(value_hash(minus_zero), 0u);
    EXPECT_EQ(value_hash(half), 0x3FE0000000000000u);
    EXPECT_EQ(value_hash(array), array.bits);

    // A string changed in place hashes its new bytes.
    Value text = make_string("lower case");
    string_chars(as_obj(text))[0] = 'L';
    string_mark_stale(as_obj(text));
    EXPECT_EQ(value_hash(text), hash_bytes("Lower case", 10));

    // A function hashes as its name, and as 0 without one.
    ObjHeader* fn = heap_alloc();
    fn->type = T_FUNCTION;
    type_ops(T_FUNCTION).name = function_name;
    g_function_name = make_string("main");
    EXPECT_EQ(value_hash(make_ref(fn)), hash_bytes("main", 4));
    release(g_function_name);
    g_function_name = kAbsent;
    EXPECT_EQ(value_hash(make_ref(fn)), 0u);
    type_ops(T_FUNCTION).name = nullptr;
    for (Value v : {zero, minus_zero, half, array, text, make_ref(fn)}) release(v);
}

TEST_F(ValueTest, DeepEquality) {
    Value one_float = make_float(1.0), nan_a = make_float(NAN), nan_b = make_float(NAN);
    EXPECT_FALSE(value_deep_equal(make_int(1), one_float));
    EXPECT_FALSE(value_deep_equal(kAbsent, nil_value()));
    EXPECT_FALSE(value_deep_equal(nan_a, nan_b));

    Value a = array_of({make_int(1), array_of({make_int(2)})});
    Value b = array_of({make_int(1), array_of({make_int(2)})});
    Value c = array_of({make_int(1), array_of({make_int(3)})});
    EXPECT_TRUE(value_deep_equal(a, b));
    EXPECT_FALSE(value_deep_equal(a, c));

    // Flat items count as floats: equal to float items, never to ints.
    Value flat = make_flat_float_array(1);
    array_append(flat, make_int(2), false);
    Value floats = array_of({make_float(2.0)}), ints = array_of({make_int(2)});
    EXPECT_TRUE(value_deep_equal(flat, floats));
    EXPECT_FALSE(value_deep_equal(flat, ints));

    Value left = object_of("x", make_string("long value")), right = object_of("x", make_string("long value"));
    Value other = object_of("y", make_string("long value"));
    EXPECT_TRUE(value_deep_equal(left, right));
    EXPECT_FALSE(value_deep_equal(left, other));

    ObjHeader* f = heap_alloc();
    ObjHeader* g = heap_alloc();
    f->type = g->type = T_FUNCTION;
    EXPECT_FALSE(value_deep_equal(make_ref(f), make_ref(g)));
    EXPECT_EQ(take_error_code(), -1);
    for (Value v : {one_float, nan_a, nan_b, a, b, c, flat, floats, ints, left, right, other, make_ref(f), make_ref(g)})
        release(v);
}

TEST_F(ValueTest, DeepEqualityStopsAtNestingLimit) {
    Value a = nest(kMaxCompareDepth - 1), b = nest(kMaxCompareDepth - 1);
    EXPECT_TRUE(value_deep_equal(a, b));
    EXPECT_EQ(take_error_code(), -1);
    Value c = nest(kMaxCompareDepth), d = nest(kMaxCompareDepth);
    EXPECT_FALSE(value_deep_equal(c, d));
    EXPECT_EQ(take_error_code(), ERR_NESTING);
    EXPECT_EQ(g_compare_depth, 0);
    for (Value v : {a, b, c, d}) release(v);
}

TEST(TypeNames, ForValuesAndMasks) {
    EXPECT_STREQ(type_name_of(make_bool(true)), "bool");
    EXPECT_STREQ(type_name_of(make_char('x')), "char");
    EXPECT_STREQ(type_name_of(kAbsent), "<unknown>");
    EXPECT_STREQ(type_name_of(nil_value()), "nil");
    EXPECT_STREQ(type_name_of_mask(0x48), "array");
    EXPECT_STREQ(type_name_of_mask(T_BUILTIN), "builtin");
    EXPECT_STREQ(type_name_of_mask(T_BOUND_METHOD), "bound-method");
    EXPECT_STREQ(type_name_of_mask(T_FFI_FUNCTION), "FFI-function");
    EXPECT_STREQ(type_name_of_mask(T_INSTANCE), "instance");
    for (uint32_t odd : {0u, 0x200u, 0x8000u, T_STREAM, T_FREED, 0xCu})
        EXPECT_STREQ(type_name_of_mask(odd), "<unknown>") << odd;
}

TEST(TypeMaskDescriptions, FixedOrderArraysAndBounds) {
    char out[128];
    for (auto [mask, text] : {std::pair{0x48u, "[int]"}, {0xCu, "int|float"}, {0u, "none"}, {0x200u, "none"},
                              {T_ANY, "any"}, {T_ARRAY, "array"}, {0x58u, "[int|string]"},
                              {T_CALLABLE, "function|builtin_function|ffi_function"},
                              {T_OBJECT_LIKE, "object|instance|class|module"},
                              {T_STREAM | T_FIBER | T_BLOCK | T_NIL, "nil|block|fiber|stream"},
                              {T_STREAM | T_FIBER | T_ARRAY | T_NIL, "[nil|fiber|stream]"},
                              {T_CHAR | T_STRING | T_EXCEPTION | T_POINTER | T_BOOL, "string|char|bool|pointer|exception"}}) {
        describe_type_mask(mask, out, sizeof out);
        EXPECT_STREQ(out, text) << mask;
    }
    describe_type_mask(0xC, out, 6);
    EXPECT_STREQ(out, "int|f");
    describe_type_mask(0xC, out, 1);
    EXPECT_STREQ(out, "");
}

}  // namespace
}  // namespace tarvik
