// tests/unit/runtime/array_test.cpp: array creation, append growth and limits, the
// stored form of numeric boxes, flat float arrays, and array loops that allocate.
#include <vector>

#include "runtime/array.h"
#include "runtime/errors.h"
#include "runtime/operators.h"
#include "runtime/string.h"
#include "runtime/test_support.h"
#include "runtime/type_ops.h"

namespace tarvik {
namespace {

class ArrayTest : public test::RuntimeTest {
protected:
    // Queues an array holding an instance behind `ahead` freed boxes: allocation
    // number ahead + 1 from now reuses the array's slot and so runs the destructor.
    void run_destructor_at_allocation(int ahead) {
        heap_compact();  // empties the queue
        Value holder = make_array(1);
        ObjHeader* instance = heap_alloc();
        instance->type = T_INSTANCE;
        array_append(holder, make_ref(instance), /*borrowed=*/false);
        std::vector<Value> boxes;
        for (int i = 0; i < ahead; ++i) boxes.push_back(make_heap_int(int64_t(1) << 61));
        for (Value v : boxes) release(v);
        release(holder);
    }
};

Value g_destructor_target = kAbsent;  // the array a test destructor changes

TEST_F(ArrayTest, CreationCapacityAndItsLimits) {
    Value none = make_array(0);
    EXPECT_EQ(array_capacity(as_obj(none)), 0u);
    EXPECT_EQ(array_items(as_obj(none)), nullptr);

    Value some = make_array(5);
    EXPECT_EQ(array_capacity(as_obj(some)), 5u);
    EXPECT_EQ(array_items(as_obj(some))[4], kAbsent);
    EXPECT_EQ(take_error_code(), -1);

    for (int64_t bad : {int64_t(-1), kMaxArrayCapacityRequest}) {
        Value v = make_array(bad);
        EXPECT_EQ(take_error_code(), ERR_RUNTIME) << bad;
        ASSERT_TRUE(is_array(v));
        EXPECT_EQ(array_capacity(as_obj(v)), 0u);
        EXPECT_EQ(array_count(as_obj(v)), 0u);
        release(v);
    }
    release(none);
    release(some);
}

TEST_F(ArrayTest, AppendGrowsToEightThenDoubles) {
    Value v = make_array(0);
    ObjHeader* a = as_obj(v);
    uint32_t seen[] = {8, 8, 8, 8, 8, 8, 8, 8, 16, 16, 16, 16, 16, 16, 16, 16, 32};
    for (int i = 0; i < 17; ++i) {
        array_append(v, make_int(i), false);
        EXPECT_EQ(array_capacity(a), seen[i]) << i;
    }
    EXPECT_EQ(array_count(a), 17u);
    for (uint32_t i = 0; i < 17; ++i) EXPECT_EQ(array_items(a)[i], make_int(i));

    Value small = make_array(3);
    for (int i = 0; i < 4; ++i) array_append(small, make_int(i), false);
    EXPECT_EQ(array_capacity(as_obj(small)), 8u);  // below 8 jumps to 8, not 6
    release(v);
    release(small);
}

TEST_F(ArrayTest, AppendOwnershipFollowsTheBorrowedFlag) {
    Value s = make_string("a shared string");
    Value v = make_array(0);
    array_append(v, s, true);
    EXPECT_EQ(as_obj(s)->ref_count, 2u);
    retain(s);
    array_append(v, s, false);  // hands over the extra reference
    EXPECT_EQ(as_obj(s)->ref_count, 3u);
    EXPECT_EQ(array_items(as_obj(v))[1], s);

    Value not_array = make_string("target");
    retain(s);
    array_append(not_array, s, false);  // nothing stored, the handed-over reference dropped
    EXPECT_EQ(as_obj(s)->ref_count, 3u);

    release(v);
    heap_drain_queue();  // a released array's items go when its slot is recycled
    EXPECT_EQ(as_obj(s)->ref_count, 1u);
    release(s);
    release(not_array);
}

TEST_F(ArrayTest, NumericBoxesAreNeverShared) {
    Value f = make_float(2.5);
    Value big = make_int(int64_t(1) << 62);
    ASSERT_TRUE(is_ref(big));
    Value v = make_array(0);
    array_append(v, f, true);
    array_append(v, big, true);
    Value* items = array_items(as_obj(v));
    EXPECT_NE(items[0], f);
    EXPECT_EQ(float_of(as_obj(items[0])), 2.5);
    EXPECT_NE(items[1], big);
    EXPECT_EQ(int64_t(as_obj(items[1])->a), int64_t(1) << 62);
    EXPECT_EQ(as_obj(f)->ref_count, 1u);
    EXPECT_EQ(as_obj(big)->ref_count, 1u);

    // A second owner handing its reference over still gets a copy.
    retain(f);
    Value copy = container_store_form(f);
    EXPECT_NE(copy, f);
    EXPECT_EQ(as_obj(f)->ref_count, 1u);
    release(copy);
    release(v);
    release(f);
    release(big);
}

TEST_F(ArrayTest, AppendPastTenMillionItemsRaisesCode10) {
    Value v = make_array(0);
    ObjHeader* a = as_obj(v);
    ASSERT_TRUE(array_ensure_capacity(a, 20000000));
    EXPECT_EQ(array_capacity(a), kMaxArrayItems);
    a->aux = kMaxArrayItems;  // the slots are absent values, so teardown has nothing to release
    Value s = make_string("one too many");
    retain(s);
    array_append(v, s, false);
    EXPECT_EQ(take_error_code(), ERR_SIZE_LIMIT);
    EXPECT_EQ(array_count(a), kMaxArrayItems);
    EXPECT_EQ(as_obj(s)->ref_count, 1u);
    release(s);
    release(v);
}

TEST_F(ArrayTest, EnsureCapacityZeroFillsAndNeverShrinks) {
    Value v = make_array(0);
    ObjHeader* a = as_obj(v);
    array_append(v, make_int(1), false);
    ASSERT_TRUE(array_ensure_capacity(a, 100));
    EXPECT_EQ(array_capacity(a), 100u);
    EXPECT_EQ(array_items(a)[0], make_int(1));
    for (uint32_t i = 1; i < 100; ++i) ASSERT_EQ(array_items(a)[i], kAbsent);
    ASSERT_TRUE(array_ensure_capacity(a, 4));
    EXPECT_EQ(array_capacity(a), 100u);
    release(v);
}

TEST_F(ArrayTest, FlatFloatArraysHoldRawDoubles) {
    Value v = make_flat_float_array(0);
    ObjHeader* a = as_obj(v);
    EXPECT_TRUE(array_is_flat_float(a));
    Value f = make_float(1.5);
    array_append(v, f, true);
    array_append(v, make_int(3), false);
    array_append(v, make_int(int64_t(1) << 61), false);  // heap int, handed over
    EXPECT_EQ(array_count(a), 3u);
    EXPECT_EQ(array_doubles(a)[0], 1.5);
    EXPECT_EQ(array_doubles(a)[1], 3.0);
    EXPECT_EQ(array_doubles(a)[2], double(int64_t(1) << 61));
    EXPECT_EQ(as_obj(f)->ref_count, 1u);

    Value item = array_get(a, 1);
    ASSERT_TRUE(is_float(item));
    EXPECT_EQ(float_of(as_obj(item)), 3.0);
    release(item);

    Value s = make_string("no");
    for (Value bad : {s, kAbsent, make_bool(true), make_char('1')}) {
        array_append(v, bad, true);
        EXPECT_EQ(take_error_code(), ERR_TYPE_MISMATCH);
    }
    EXPECT_EQ(array_count(a), 3u);
    EXPECT_EQ(as_obj(s)->ref_count, 1u);
    release(s);
    release(f);
    release(v);
}

TEST_F(ArrayTest, DestructorsRunByAnAllocationCannotOverrunAnArray) {
    // Appending a shared box copies it; the copy's allocation runs a destructor that
    // takes the array's last free slot first.
    Value target = make_array(8);
    for (int i = 0; i < 7; ++i) array_append(target, make_int(i), false);
    Value box = make_float(1.5);
    g_destructor_target = target;
    type_ops_set_destructor([](ObjHeader*) { array_append(g_destructor_target, make_int(99), false); });
    run_destructor_at_allocation(0);
    array_append(target, box, /*borrowed=*/true);
    ObjHeader* a = as_obj(target);
    ASSERT_EQ(array_count(a), 9u);
    EXPECT_GE(array_capacity(a), array_count(a));
    EXPECT_EQ(array_items(a)[7], make_int(99));
    EXPECT_TRUE(is_float(array_items(a)[8]) && array_items(a)[8] != box);

    // Cloning and concatenating allocate per item; a destructor that pops the source
    // meanwhile ends the copy at the new count instead of reading past it.
    Value source = make_array(0), empty = make_array(0);
    for (double d : {1.0, 2.0, 3.0}) array_append(source, make_float(d), false);
    g_destructor_target = source;
    type_ops_set_destructor([](ObjHeader*) {
        ObjHeader* s = as_obj(g_destructor_target);
        Value last = array_items(s)[--s->aux];
        array_items(s)[s->aux] = kAbsent;
        release(last);
    });
    run_destructor_at_allocation(1);  // the clone's own slot comes first
    Value copy = clone_value(source);
    EXPECT_EQ(array_count(as_obj(copy)), 2u);
    run_destructor_at_allocation(1);
    Value joined = binary_op(empty, source, OPR_ADD);
    EXPECT_EQ(array_count(as_obj(joined)), 1u);
    type_ops_set_destructor(nullptr);
    for (Value v : {target, box, source, empty, copy, joined}) release(v);
}

}  // namespace
}  // namespace tarvik
