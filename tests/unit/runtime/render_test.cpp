// tests/unit/runtime/render_test.cpp: the debug rendering of each type, its nesting
// limit and reference-count prefix, and the "DBG-VAL" dump lines.
#include <cstdio>
#include <string>

#include "runtime/array.h"
#include "runtime/block.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/test_support.h"
#include "runtime/value_ops.h"
#include "runtime/vm_options.h"

namespace tarvik {
namespace {

class RenderTest : public test::RuntimeTest {
protected:
    void TearDown() override {
        g_options.trace = false;
        test::RuntimeTest::TearDown();
    }
    std::string rendered(Value v) {
        testing::internal::CaptureStdout();
        value_render(v);
        return testing::internal::GetCapturedStdout();
    }
    std::string dumped(Value v, bool traced = false) {
        testing::internal::CaptureStdout();
        traced ? value_debug_dump_traced(v) : value_debug_dump(v);
        return testing::internal::GetCapturedStdout();
    }
    static std::string word(Value v) {
        char text[32];
        std::snprintf(text, sizeof text, "%p", reinterpret_cast<void*>(v.bits));
        return text;
    }
    // Renders a new value and releases it.
    std::string rendered_new(Value v) {
        std::string text = rendered(v);
        release(v);
        return text;
    }
    Value fake(uint32_t type, uint64_t b) {
        ObjHeader* obj = heap_alloc();
        obj->type = type;
        obj->aux = 0;
        obj->a = 0;
        obj->b = b;
        return make_ref(obj);
    }
};

TEST_F(RenderTest, ScalarsAndStrings) {
    EXPECT_EQ(rendered(nil_value()), "nil");
    EXPECT_EQ(rendered(make_int(-17)), "-17");
    EXPECT_EQ(rendered_new(make_int(INT64_MIN)), "-9223372036854775808");
    EXPECT_EQ(rendered(make_bool(false)), "false");
    EXPECT_EQ(rendered_new(make_float(0.1)), "0.1");
    EXPECT_EQ(rendered_new(make_float(1.0 / 3)), "0.333333333333333");
    EXPECT_EQ(rendered(make_char(0xE9)), "\xC3\xA9");
    EXPECT_EQ(rendered(make_char(0xD800)), "?");
    EXPECT_EQ(rendered(make_char(0x110000)), "?");
    EXPECT_EQ(rendered_new(make_string(R"(a\nb\tc\rd\\e\"f\qg\)")), "a\nb\tc\rd\\e\"f\\qg\\");
}

TEST_F(RenderTest, ContainersAndTheNestingLimit) {
    Value list = make_array(0);
    array_append(list, make_int(1), false);
    array_append(list, make_string("two"), false);
    array_append(list, make_array(0), false);
    Value object = make_object();
    Value key = make_string("k");
    map_set(object_map(as_obj(object)), key, string_hash(as_obj(key)), list, true);
    EXPECT_EQ(rendered(object), "{k: [1, two, []]}");
    release(object);

    Value flat = make_flat_float_array(2);
    array_append(flat, make_int(2), false);
    Value half = make_float(0.5);
    array_append(flat, half, true);
    EXPECT_EQ(rendered(flat), "[2, 0.5]");
    release(flat);
    release(half);

    auto nest = [](int levels) {
        Value v = make_int(1);
        for (int i = 0; i < levels; ++i) {
            Value outer = make_array(1);
            array_append(outer, v, false);
            v = outer;
        }
        return v;
    };
    EXPECT_EQ(rendered_new(nest(63)), std::string(63, '[') + "1" + std::string(63, ']'));
    EXPECT_EQ(rendered_new(nest(64)), std::string(64, '[') + "..." + std::string(64, ']'));
}

TEST_F(RenderTest, BlocksPrintElementsByWidth) {
    Value bytes = make_block(2, 1), words = make_block(1, 2), longs = make_block(1, 4), quads = make_block(1, 8);
    block_write(as_obj(bytes), 0, 0x0A);
    block_write(as_obj(bytes), 1, -1);
    block_write(as_obj(words), 0, 0x102);
    block_write(as_obj(longs), 0, 0xBEEF);
    block_write(as_obj(quads), 0, -2);
    EXPECT_EQ(rendered(bytes), "[0x0A, 0xFF]");
    EXPECT_EQ(rendered(words), "[0x0102]");
    EXPECT_EQ(rendered(longs), "[0x0000BEEF]");
    EXPECT_EQ(rendered(quads), "[0xFFFFFFFFFFFFFFFE]");
    for (Value v : {bytes, words, longs, quads}) release(v);
}

TEST_F(RenderTest, TypesWithoutARuntimeLayoutAndTracePrefix) {
    EXPECT_EQ(rendered_new(fake(T_STREAM, 0xFFFFFFFFu)), "<stream FD: -1>");
    EXPECT_EQ(rendered_new(fake(T_BOUND_METHOD, 0)), "<bound method>");
    EXPECT_EQ(rendered_new(fake(T_FUNCTION, 0)), "<function>");
    Value odd = fake(0x3, 0);
    EXPECT_EQ(rendered(odd), "[Unknown 3]");
    as_obj(odd)->type = T_INT;
    release(odd);

    Value list = make_array(0), text = make_string("shared");
    array_append(list, text, true);
    array_append(list, make_int(5), false);
    g_options.trace = true;
    EXPECT_EQ(rendered(list), "R:1 [R:2 shared, R:1 5]");
    g_options.trace = false;
    release(text);
    release(list);
}

TEST_F(RenderTest, DebugDumpLines) {
    EXPECT_EQ(dumped(kAbsent), "Value is NULL\n");
    Value yes = make_bool(true), letter = make_char('A'), five = make_int(5);
    EXPECT_EQ(dumped(yes), "DBG-VAL: [" + word(yes) + "] type bool. Value: true\n");
    EXPECT_EQ(dumped(letter), "DBG-VAL: [" + word(letter) + "] type char. Value: 65\n");
    EXPECT_EQ(dumped(five), "DBG-VAL: [" + word(five) + "] type int <boxed>. Value:5\n");
    EXPECT_EQ(dumped(nil_value()), "DBG-VAL: [" + word(nil_value()) + "] type nil. Refs 0 Static 2. Alloc: 0 Value:nil\n");

    Value text = make_string("hey");
    EXPECT_EQ(dumped(text), "DBG-VAL: [" + word(text) + "] type string. Refs 1 Static 0. Alloc: 1 Value:hey\n");
    EXPECT_EQ(dumped(text, /*traced=*/true),
              "DBG-VAL: [" + word(text) + "] type string. Refs 1 Static 0. Alloc: 1 Value:R:1 hey\n");
    EXPECT_FALSE(g_options.trace);
    release(text);
}

}  // namespace
}  // namespace tarvik
