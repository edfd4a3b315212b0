// tests/unit/engine/interp_ops_test.cpp: the value-level routines behind the
// interpreter's unary operators, tests, conversions, literals, property access,
// FOREACH and the store rule for locals.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "engine/class_model.h"
#include "engine/fiber.h"
#include "engine/interp_ops.h"
#include "engine/opcode_table.h"
#include "runtime/array.h"
#include "runtime/function.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/test_support.h"

namespace tarvik {
namespace {

using test::str;

uint64_t h(const char* name) { return hash_bytes(name, std::strlen(name)); }

class InterpOpsTest : public test::RuntimeTest {
protected:
    std::vector<Value> owned;  // released at tear-down

    void SetUp() override {
        RuntimeTest::SetUp();
        value_types_register();
        class_model_types_register();
    }
    void TearDown() override {
        for (Value v : owned) release(v);
        RuntimeTest::TearDown();
    }
    Value keep(Value v) {
        owned.push_back(v);
        return v;
    }
    Value s(const char* text) { return keep(make_string(text)); }
    Value array_of(std::initializer_list<int64_t> items) {
        Value v = keep(make_array(0));
        for (int64_t n : items) array_append(v, make_int(n), false);
        return v;
    }
    void put(Value object, const char* key, Value value) {
        retain(value);
        map_set(object_map(as_obj(object)), make_string(key), h(key), value, true);
    }
    std::string text_of(Value v) { return str(keep(v)); }
    Value method(uint32_t flags) {
        Value f = keep(make_function());
        function_record(as_obj(f))->function_flags = flags;
        return f;
    }
};

TEST_F(InterpOpsTest, UnaryOperatorsAndTheirMessages) {
    EXPECT_EQ(op_negate(make_int(5)), make_int(-5));
    Value min = keep(op_negate(make_int(std::numeric_limits<int64_t>::min())));
    EXPECT_EQ(value_to_int(min), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(float_of(as_obj(keep(op_negate(keep(make_float(2.5)))))), -2.5);
    EXPECT_EQ(op_step(make_char('a'), 1), make_int('b'));
    EXPECT_EQ(op_bit_not(make_bool(true)), make_int(-2));
    EXPECT_EQ(take_error_code(), -1);

    EXPECT_EQ(op_negate(s("x")), nil_value());
    EXPECT_EQ(take_error_message(), "Cannot negate non-numeric value (got string)");
    op_step(nil_value(), 1);
    EXPECT_EQ(take_error_message(), "Cannot increment non-numeric value (got nil)");
    op_step(nil_value(), -1);
    EXPECT_EQ(take_error_message(), "Cannot decrement non-numeric value (got nil)");
    op_bit_not(keep(make_float(1.0)));
    EXPECT_EQ(take_error_code(), 3);
}

TEST_F(InterpOpsTest, ApproximateEquality) {
    Value f = keep(make_float(100.9)), inf = keep(make_float(INFINITY)), nan = keep(make_float(NAN));
    EXPECT_TRUE(op_approx_equal(make_int(100), f));  // within 1%
    EXPECT_FALSE(op_approx_equal(make_int(98), f));
    EXPECT_TRUE(op_approx_equal(inf, inf));
    EXPECT_FALSE(op_approx_equal(inf, keep(make_float(-INFINITY))));
    EXPECT_FALSE(op_approx_equal(inf, f));  // the relative bound would admit any number
    EXPECT_FALSE(op_approx_equal(nan, nan));
    EXPECT_TRUE(op_approx_equal(s("Hello World"), s("hELLO wORLD")));
    EXPECT_FALSE(op_approx_equal(s("Hello"), s("Hello!")));
    EXPECT_FALSE(op_approx_equal(s("\xC3\xA9"), s("\xC3\x89")));  // only ASCII folds
}

TEST_F(InterpOpsTest, ContainsLooksAtKeysSubstringsAndItems) {
    Value obj = keep(make_object());
    put(obj, "name", make_int(1));
    EXPECT_TRUE(op_contains(obj, s("name")));
    EXPECT_FALSE(op_contains(obj, s("other")));
    Value text = s("caf\xC3\xA9 au lait");
    EXPECT_TRUE(op_contains(text, s("au l")));
    EXPECT_TRUE(op_contains(text, make_char(0xE9)));  // by its UTF-8 bytes
    EXPECT_FALSE(op_contains(text, make_int('a')));
    EXPECT_TRUE(op_contains(array_of({1, 2, 3}), keep(make_float(2.0))));
    Value flat = keep(make_flat_float_array(2));
    array_append(flat, make_int(2), false);
    EXPECT_TRUE(op_contains(flat, make_int(2)));
    EXPECT_FALSE(op_contains(make_int(1), make_int(1)));
}

TEST_F(InterpOpsTest, LengthReprAndConversions) {
    Value cls = keep(make_class(make_string("C"), 0));
    class_add_member(cls, MEMBER_FIELD, make_string("x"), h("x"), make_int(0));
    class_add_member(cls, MEMBER_METHOD, make_string("m"), h("m"), make_int(0));
    EXPECT_EQ(op_length(keep(class_instantiate(cls))), 1);
    EXPECT_EQ(op_length(cls), 2);
    EXPECT_EQ(op_length(s("four")), 4);
    EXPECT_EQ(op_length(make_int(12345)), 0);

    EXPECT_EQ(text_of(op_repr(s("it's"))), "'it's'");
    EXPECT_EQ(text_of(op_repr(array_of({1, 2, 3}))), "<array[3]>");
    EXPECT_EQ(text_of(op_repr(keep(make_int(kImmIntMax + 1)))), "1152921504606846976");
    EXPECT_EQ(text_of(op_repr(make_bool(false))), "false");
    EXPECT_EQ(text_of(op_repr(keep(make_float(1.5)))), "<unknown type 4>");
    ObjHeader not_a_row{F_STATIC, 0, T_BUILTIN, 0, 0, 0};
    EXPECT_EQ(text_of(op_repr(make_ref(&not_a_row))), "<unknown builtin>");

    EXPECT_EQ(op_to_int(s("  -123abc")), make_int(-123));
    EXPECT_EQ(float_of(as_obj(keep(op_to_float(s("2.5e1"))))), 25.0);
    EXPECT_EQ(op_to_width(make_int(0x1FF), OP_TO_U8), make_int(0xFF));
    EXPECT_EQ(op_to_width(make_int(0x1FF), OP_TO_I8), make_int(-1));
    EXPECT_EQ(op_to_width(make_int(0x180000000), OP_TO_I32), make_int(std::numeric_limits<int32_t>::min()));
    EXPECT_EQ(op_to_width(make_int(-1), OP_TO_U32), make_int(0xFFFFFFFF));
    Value original = s("same");
    Value copy = keep(op_to_string(original));
    EXPECT_NE(copy, original);
    EXPECT_EQ(str(copy), "same");
}

TEST_F(InterpOpsTest, ConcatenationJoinsTextForms) {
    Value parts[] = {s("a"), make_int(1), nil_value(), keep(make_float(2.5)), make_char('!'), keep(make_array(0))};
    EXPECT_EQ(text_of(op_concat(parts, 6)), "a1null2.5![array]");
}

TEST_F(InterpOpsTest, LiteralsCopyTheirContentsAndCheckTheirTypes) {
    Value inner = array_of({1});
    Value boxed = keep(make_float(1.25));
    Value pairs[] = {s("list"), inner, s("n"), make_int(1), s("n"), boxed};
    Value obj = keep(op_build_object(pairs, 3));
    EXPECT_EQ(object_map(as_obj(obj))->count, 2u);  // the later "n" wins
    Value list = map_get(object_map(as_obj(obj)), h("list"));
    array_append(inner, make_int(2), false);
    EXPECT_EQ(array_count(as_obj(list)), 1u);  // no aliasing of the source
    EXPECT_NE(map_get(object_map(as_obj(obj)), h("n")), boxed);
    Value bad[] = {make_int(1), make_int(2)};
    EXPECT_EQ(op_build_object(bad, 1), nil_value());
    EXPECT_EQ(take_error_code(), 3);

    Value numbers[] = {make_int(1), keep(make_float(0.5))};
    Value flat = keep(op_build_array(numbers, 2, 4));
    ASSERT_TRUE(array_is_flat_float(as_obj(flat)));
    EXPECT_EQ(array_doubles(as_obj(flat))[1], 0.5);
    Value mixed[] = {make_int(1), s("x")};
    EXPECT_EQ(array_items(as_obj(keep(op_build_array(mixed, 2, 0))))[1], mixed[1]);
    EXPECT_EQ(op_build_array(mixed, 2, 4), nil_value());
    EXPECT_EQ(take_error_message(), "Type mismatch: value incompatible with typed array element type");
}

class PropertyTest : public InterpOpsTest {
protected:
    Value cls{}, inst{}, instance_method{}, static_method{}, both{};

    void SetUp() override {
        InterpOpsTest::SetUp();
        cls = keep(make_class(make_string("Point"), 0));
        instance_method = method(METHOD_INSTANCE);
        static_method = method(METHOD_STATIC);
        both = method(METHOD_INSTANCE | METHOD_STATIC);
        add("x", MEMBER_FIELD, make_int(1));
        add("area", MEMBER_METHOD, instance_method);
        add("make", MEMBER_METHOD, static_method);
        add("either", MEMBER_METHOD, both);
        inst = keep(class_instantiate(cls));
    }
    void add(const char* name, uint8_t kind, Value value) {
        retain(value);
        class_add_member(cls, kind, make_string(name), h(name), value);
    }
    Value get(Value target, const char* name) { return keep(op_get_property(target, kAbsent, h(name))); }
    Value receiver_of(Value bound) {
        return is_ref_of(bound, T_BOUND_METHOD) ? bound_method_pair(as_obj(bound))->receiver : kAbsent;
    }
};

TEST_F(PropertyTest, ReadsBindInstanceMethodsAndRefuseThemOnClasses) {
    EXPECT_EQ(get(inst, "x"), make_int(1));
    EXPECT_EQ(get(inst, "missing"), nil_value());
    EXPECT_EQ(get(inst, "make"), static_method);
    EXPECT_EQ(receiver_of(get(inst, "area")), inst);
    EXPECT_EQ(take_error_code(), -1);

    EXPECT_EQ(get(cls, "area"), nil_value());
    EXPECT_EQ(take_error_message(), "Attempt to call non-static method on class");
    EXPECT_EQ(get(cls, "make"), static_method);
    EXPECT_EQ(receiver_of(get(cls, "either")), cls);

    Value obj = keep(make_object());
    put(obj, "f", instance_method);
    EXPECT_EQ(receiver_of(get(obj, "f")), obj);
    EXPECT_EQ(get(s("text"), "Length"), nil_value());
    EXPECT_EQ(get(kAbsent, "x"), nil_value());
    EXPECT_EQ(take_error_code(), -1);
}

TEST_F(PropertyTest, WritesFollowTheReceiverKind) {
    op_set_property(inst, kAbsent, h("x"), make_int(5));
    EXPECT_EQ(get(inst, "x"), make_int(5));
    op_set_property(inst, kAbsent, h("area"), make_int(5));
    EXPECT_EQ(take_error_message(), "Instance field not declared - declare it with var/let in the class body");

    Value name = s("extra");
    op_set_property(cls, name, h("extra"), instance_method);
    EXPECT_EQ(class_find_member(as_obj(cls), h("extra"))->kind, MEMBER_METHOD);
    op_set_property(cls, name, h("extra"), make_int(3));
    EXPECT_EQ(class_find_member(as_obj(cls), h("extra"))->kind, MEMBER_STATIC);

    Value obj = keep(make_object()), f = keep(make_float(2.0));
    op_set_property(obj, name, h("extra"), f);
    EXPECT_NE(map_get(object_map(as_obj(obj)), h("extra")), f);  // boxes are copied
    EXPECT_EQ(take_error_code(), -1);
    as_obj(obj)->flags |= F_FROZEN;
    op_set_property(obj, name, h("extra"), make_int(1));
    EXPECT_EQ(take_error_code(), 19);
    op_set_property(make_int(1), name, h("k"), f);
    EXPECT_EQ(take_error_message(), "Cannot set property on non-object (got int)");
}

class ForeachTest : public InterpOpsTest {
protected:
    CallFrame frame{};
    static constexpr uint8_t kValue = 0, kKey = 1, kCollection = 2, kCursor = 3;

    void TearDown() override {
        for (uint32_t i = 0; i < frame.live_locals; ++i) release(frame.locals[i]);
        InterpOpsTest::TearDown();
    }
    void start(Value collection) {
        retain(collection);
        frame_store(&frame, kCollection, collection);
        frame_store(&frame, kCursor, make_int(-1));
    }
    bool step() { return op_foreach_step(&frame, kValue, kKey, kCollection, kCursor); }
};

TEST_F(ForeachTest, ArraysAndStringsStepByPositionThenEndWithNil) {
    Value flat = keep(make_flat_float_array(1));
    array_append(flat, make_float(1.5), false);
    start(flat);
    EXPECT_FALSE(step());
    EXPECT_EQ(float_of(as_obj(frame.locals[kValue])), 1.5);
    EXPECT_EQ(frame.locals[kKey], make_int(0));
    EXPECT_TRUE(step());
    EXPECT_EQ(frame.locals[kValue], nil_value());
    EXPECT_EQ(frame.locals[kKey], nil_value());
    EXPECT_EQ(frame.live_locals, 4);

    start(s("h\xC3\xA9"));
    std::vector<Value> seen;
    while (!step()) seen.push_back(frame.locals[kValue]);
    EXPECT_EQ(seen, (std::vector<Value>{make_char('h'), make_char(0xC3), make_char(0xA9)}));

    start(array_of({7, 8}));
    frame_store(&frame, kCursor, make_int(-50));  // never reads before the start
    EXPECT_FALSE(step());
    EXPECT_EQ(frame.locals[kValue], make_int(7));
}

TEST_F(ForeachTest, ObjectsSkipRemovedEntries) {
    Value obj = keep(make_object());
    put(obj, "a", make_int(1));
    put(obj, "b", make_int(2));
    put(obj, "c", make_int(3));
    map_remove(object_map(as_obj(obj)), h("b"), true);
    start(obj);
    int64_t sum = 0, steps = 0;
    while (!step()) {
        sum += value_to_int(frame.locals[kValue]);
        ++steps;
    }
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(sum, 4);
}

TEST_F(ForeachTest, ValueSlotMayReplaceTheCollection) {
    Value obj = make_object();
    put(obj, "only", keep(make_string("survives")));
    frame_store(&frame, kCollection, obj);  // the frame holds the only reference
    frame_store(&frame, kCursor, make_int(-1));
    EXPECT_FALSE(op_foreach_step(&frame, kCollection, kKey, kCollection, kCursor));
    EXPECT_EQ(str(frame.locals[kCollection]), "survives");
    EXPECT_EQ(str(frame.locals[kKey]), "only");
}

TEST_F(ForeachTest, OtherCollectionsRaiseCode3) {
    start(make_int(5));
    EXPECT_FALSE(step());
    EXPECT_EQ(take_error_message(), "foreach expects an array, string or object (got int)");
}

TEST_F(ForeachTest, FrameStoreCopiesSharedBoxesAndReleasesTheOldValue) {
    Value shared = keep(make_float(2.0));
    retain(shared);
    frame_store(&frame, 5, shared);
    EXPECT_NE(frame.locals[5], shared);
    EXPECT_EQ(as_obj(shared)->ref_count, 1u);
    EXPECT_EQ(frame.live_locals, 6);
    Value old = s("old");
    retain(old);
    frame_store(&frame, 5, old);
    frame_store(&frame, 5, make_int(1));
    EXPECT_EQ(as_obj(old)->ref_count, 1u);
}

}  // namespace
}  // namespace tarvik
