// tests/unit/runtime/clone_test.cpp: deep copies of data, shared code values, the
// nesting limit and the types that cannot be cloned.
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

class CloneTest : public test::RuntimeTest {
protected:
    Value nest(int levels) {
        Value v = make_int(1);
        for (int i = 0; i < levels; ++i) {
            Value outer = make_array(1);
            array_append(outer, v, /*borrowed=*/false);
            v = outer;
        }
        return v;
    }
    Value fake(uint32_t type) {
        ObjHeader* obj = heap_alloc();
        obj->type = type;
        obj->aux = 0;
        obj->a = obj->b = 0;
        return make_ref(obj);
    }
};

TEST_F(CloneTest, DataIsCopiedDeeply) {
    Value inner = make_array(0);
    array_append(inner, make_string("item text"), false);
    Value original = make_object();
    Value key = make_string("list");
    uint64_t hash = string_hash(as_obj(key));
    map_set(object_map(as_obj(original)), key, hash, inner, true);

    Value copy = clone_value(original);
    ASSERT_TRUE(is_ref_of(copy, T_OBJECT));
    EXPECT_NE(copy, original);
    EXPECT_TRUE(value_deep_equal(copy, original));
    Value copied_inner = map_get(object_map(as_obj(copy)), hash);
    EXPECT_NE(copied_inner, inner);
    EXPECT_NE(array_items(as_obj(copied_inner))[0], array_items(as_obj(inner))[0]);

    array_append(copied_inner, make_int(5), false);
    EXPECT_EQ(array_count(as_obj(inner)), 1u);
    EXPECT_FALSE(value_deep_equal(copy, original));
    release(copy);
    release(original);
    heap_drain_queue();
    EXPECT_EQ(g_heap.live, 0);
}

TEST_F(CloneTest, ScalarsBoxesAndSharedCode) {
    EXPECT_EQ(clone_value(kAbsent), nil_value());
    EXPECT_EQ(clone_value(make_char('q')), make_char('q'));
    Value f = make_float(2.25), big = make_int(INT64_MAX), text = make_string("not inline"), fn = fake(T_FUNCTION);
    Value f2 = clone_value(f), big2 = clone_value(big), text2 = clone_value(text);
    EXPECT_NE(f2, f);
    EXPECT_EQ(float_of(as_obj(f2)), 2.25);
    EXPECT_NE(big2, big);
    EXPECT_EQ(value_to_int(big2), INT64_MAX);
    EXPECT_NE(text2, text);
    EXPECT_EQ(test::str(text2), "not inline");
    EXPECT_EQ(clone_value(fn), fn);
    EXPECT_EQ(as_obj(fn)->ref_count, 2u);
    for (Value v : {f, big, text, f2, big2, text2, fn, fn}) release(v);
}

TEST_F(CloneTest, ArraysKeepTheirFormAndUnsetSlots) {
    Value flat = make_flat_float_array(0);
    Value flat2 = clone_value(flat);
    EXPECT_TRUE(array_is_flat_float(as_obj(flat2)));
    EXPECT_EQ(array_capacity(as_obj(flat2)), 1u);
    array_append(flat, make_int(3), false);
    array_append(flat, make_int(4), false);
    Value flat3 = clone_value(flat);
    ASSERT_EQ(array_count(as_obj(flat3)), 2u);
    EXPECT_EQ(array_doubles(as_obj(flat3))[1], 4.0);

    Value typed = make_array(4);
    as_obj(typed)->type = T_ARRAY | T_INT;
    array_append(typed, make_int(7), false);
    as_obj(typed)->aux = 3;  // slots 1 and 2 were never written
    Value typed2 = clone_value(typed);
    EXPECT_EQ(as_obj(typed2)->type, T_ARRAY | T_INT);
    ASSERT_EQ(array_count(as_obj(typed2)), 3u);
    EXPECT_EQ(array_items(as_obj(typed2))[0], make_int(7));
    EXPECT_EQ(array_items(as_obj(typed2))[2], kAbsent);
    for (Value v : {flat, flat2, flat3, typed, typed2}) release(v);
}

Value g_class_copy;
Value clone_class_for_test(Value) { return g_class_copy; }

TEST_F(CloneTest, UnsupportedTypesPrintAndGiveNil) {
    Value block = make_block(4, 1), instance = fake(T_INSTANCE), cls = fake(T_CLASS), holder = make_array(0);
    array_append(holder, make_int(1), false);
    array_append(holder, block, true);
    testing::internal::CaptureStdout();
    EXPECT_EQ(clone_value(instance), nil_value());
    EXPECT_EQ(clone_value(cls), nil_value());  // no class row installed
    Value copy = clone_value(holder);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "clone_object: unknown or unsupported type 33554432\n"
              "clone_object: unknown or unsupported type 16777216\n"
              "clone_object: unknown or unsupported type 256\n");
    ASSERT_EQ(array_count(as_obj(copy)), 2u);
    EXPECT_EQ(array_items(as_obj(copy))[1], nil_value());
    EXPECT_EQ(take_error_code(), -1);

    type_ops(T_CLASS).clone = clone_class_for_test;
    g_class_copy = make_int(12);
    EXPECT_EQ(clone_value(cls), g_class_copy);
    type_ops(T_CLASS).clone = nullptr;
    for (Value v : {block, instance, cls, holder, copy}) release(v);
}

TEST_F(CloneTest, NestingLimitIs512Levels) {
    Value deepest_allowed = nest(512);
    Value copy = clone_value(deepest_allowed);
    EXPECT_TRUE(value_deep_equal(copy, deepest_allowed));
    EXPECT_EQ(take_error_code(), -1);

    Value too_deep = nest(513);
    EXPECT_EQ(clone_value(too_deep), nil_value());
    EXPECT_EQ(take_error_code(), ERR_NESTING);

    // The depth is back at zero: the allowed depth is unchanged afterwards.
    Value copy_again = clone_value(deepest_allowed);
    EXPECT_TRUE(is_array(copy_again));
    EXPECT_EQ(take_error_code(), -1);
    Value still_too_deep = clone_value(too_deep);
    EXPECT_EQ(still_too_deep, nil_value());
    EXPECT_EQ(take_error_code(), ERR_NESTING);
    for (Value v : {deepest_allowed, copy, too_deep, copy_again}) release(v);
    heap_drain_queue();
    EXPECT_EQ(g_heap.live, 0);  // a failed clone leaves nothing behind
}

}  // namespace
}  // namespace tarvik
