// tests/unit/engine/collections_test.cpp: the Collections constructors and the
// native methods of the container classes, called as the interpreter calls them
// (receiver first), including replaced internal fields and edited node chains.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/class_model.h"
#include "engine/collections_module.h"
#include "runtime/array.h"
#include "runtime/builtin.h"
#include "runtime/builtin_catalog.h"
#include "runtime/errors.h"
#include "runtime/function.h"
#include "runtime/heap.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/test_support.h"

namespace tarvik {
namespace {

uint64_t h(const char* name) { return hash_bytes(name, std::strlen(name)); }

class CollectionsTest : public test::RuntimeTest {
protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        value_types_register();
        class_model_types_register();
        collections_module_register();
        builtin_registry_init();
    }
    void TearDown() override {
        for (Value v : owned) release(v);
        collections_release_classes();
        heap_drain_queue();
        EXPECT_EQ(heap_live_count(), 0) << "a native leaked or a test kept a value";
        builtin_registry_free();
        RuntimeTest::TearDown();
    }
    Value keep(Value v) {
        owned.push_back(v);
        return v;
    }
    Value s(const char* text) { return keep(make_string(text)); }
    Value make(const char* ctor, std::initializer_list<Value> args = {}) {
        int m = builtin_module_index("Collections");
        std::vector<Value> values(args);
        return keep(builtin_invoke(builtin_row(m, builtin_member_index(m, ctor)), values.data(), int(values.size()),
                                   false));
    }
    // Calls a method as a method call does: receiver first. A kept new reference.
    Value call(Value self, const char* method, std::initializer_list<Value> args = {}) {
        const MemberEntry* entry = class_find_member(instance_record(as_obj(self))->cls, h(method));
        EXPECT_NE(entry, nullptr) << method;
        if (!entry) return nil_value();
        std::vector<Value> values{self};
        values.insert(values.end(), args);
        Value result = builtin_invoke(as_obj(entry->value), values.data(), int(values.size()), true);
        return keep(is_absent(result) ? nil_value() : result);
    }
    int64_t int_of(Value v) { return value_to_int(v); }
    bool bool_of(Value v) { return is_imm_bool(v) && imm_bool(v); }
    std::vector<int64_t> ints(Value array) {
        std::vector<int64_t> out;
        if (!is_array(array)) return out;
        for (uint32_t i = 0; i < array_count(as_obj(array)); ++i) {
            Value v = array_get(as_obj(array), i);
            out.push_back(value_to_int(v));
            release(v);
        }
        return out;
    }
    void replace_field(Value self, const char* name, Value value) {
        ASSERT_TRUE(instance_field_set(as_obj(self), h(name), value));
        release(value);
    }
    std::vector<Value> owned;
};

TEST_F(CollectionsTest, ConstructorsShareOneStaticClassPerKind) {
    Value a = make("Stack"), b = make("Stack"), q = make("Queue");
    ASSERT_TRUE(is_ref_of(a, T_INSTANCE));
    ObjHeader* cls = instance_record(as_obj(a))->cls;
    EXPECT_EQ(cls, instance_record(as_obj(b))->cls);
    EXPECT_NE(cls, instance_record(as_obj(q))->cls);
    EXPECT_TRUE(cls->flags & F_STATIC);
    EXPECT_EQ(test::str(instance_record(as_obj(q))->class_name), "Queue");
    EXPECT_EQ(collections_class("OrderedMap"), collections_class("OrderedMap"));
    EXPECT_EQ(collections_class("Vector"), nullptr);
    // Fresh storage per instance: a push on one stack leaves the other empty.
    call(a, "Push", {make_imm_int(1)});
    EXPECT_EQ(int_of(call(b, "Size")), 0);
}

TEST_F(CollectionsTest, StackIsLastInFirstOut) {
    Value st = make("Stack");
    EXPECT_TRUE(is_nil(call(st, "Pop")));
    EXPECT_TRUE(is_nil(call(st, "Peek")));
    EXPECT_TRUE(bool_of(call(st, "IsEmpty")));
    EXPECT_EQ(call(st, "Push", {make_imm_int(1)}), st);
    call(st, "Push", {make_imm_int(2)});
    call(st, "Push", {keep(make_float(2.5))});  // a box: the stack keeps its own copy
    EXPECT_EQ(int_of(call(st, "Size")), 3);
    EXPECT_EQ(ints(call(st, "ToArray")), (std::vector<int64_t>{1, 2, 2}));
    EXPECT_DOUBLE_EQ(value_to_double(call(st, "Pop")), 2.5);
    EXPECT_EQ(int_of(call(st, "Peek")), 2);
    EXPECT_EQ(int_of(call(st, "Pop")), 2);
    EXPECT_FALSE(bool_of(call(st, "IsEmpty")));
    call(st, "Clear");
    EXPECT_EQ(int_of(call(st, "Size")), 0);
    EXPECT_TRUE(is_nil(call(st, "Pop")));
}

TEST_F(CollectionsTest, QueueIsFirstInFirstOutAndToArrayIsACopy) {
    Value q = make("Queue");
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(call(q, "Enqueue", {make_imm_int(i)}), q);
    Value copy = call(q, "ToArray");
    EXPECT_EQ(int_of(call(q, "Dequeue")), 1);
    EXPECT_EQ(int_of(call(q, "Peek")), 2);
    EXPECT_EQ(ints(copy), (std::vector<int64_t>{1, 2, 3, 4}));
    EXPECT_EQ(ints(call(q, "ToArray")), (std::vector<int64_t>{2, 3, 4}));
    EXPECT_EQ(int_of(call(q, "Dequeue")), 2);
    EXPECT_EQ(int_of(call(q, "Dequeue")), 3);
    EXPECT_EQ(int_of(call(q, "Dequeue")), 4);
    EXPECT_TRUE(is_nil(call(q, "Dequeue")));
    EXPECT_TRUE(bool_of(call(q, "IsEmpty")));
}

TEST_F(CollectionsTest, PriorityQueuesOrderByPriority) {
    Value min = make("PriorityQueue"), max = make("MaxPriorityQueue");
    const int prios[] = {5, 1, 4, 2, 3, 9, 0};
    for (int p : prios) {
        EXPECT_EQ(call(min, "Enqueue", {make_imm_int(p * 10), make_imm_int(p)}), min);
        call(max, "Enqueue", {make_imm_int(p * 10), keep(make_float(p + 0.5))});
    }
    EXPECT_EQ(int_of(call(min, "Size")), 7);
    EXPECT_EQ(ints(call(min, "ToArray")), (std::vector<int64_t>{0, 10, 20, 30, 40, 50, 90}));
    EXPECT_EQ(ints(call(max, "ToArray")), (std::vector<int64_t>{90, 50, 40, 30, 20, 10, 0}));
    EXPECT_EQ(int_of(call(min, "Peek")), 0);
    std::vector<int64_t> out;
    while (!bool_of(call(min, "IsEmpty"))) out.push_back(int_of(call(min, "Dequeue")));
    EXPECT_EQ(out, (std::vector<int64_t>{0, 10, 20, 30, 40, 50, 90}));
    EXPECT_TRUE(is_nil(call(min, "Dequeue")));
    EXPECT_EQ(int_of(call(max, "Dequeue")), 90);
    EXPECT_EQ(int_of(call(max, "Peek")), 50);
    call(max, "Clear");
    EXPECT_EQ(int_of(call(max, "Size")), 0);
}

TEST_F(CollectionsTest, PriorityMustBeANumber) {
    Value pq = make("PriorityQueue");
    call(pq, "Enqueue", {make_imm_int(1), s("high")});
    EXPECT_EQ(take_error_code(), ERR_INVALID_ARGUMENTS);
    EXPECT_EQ(int_of(call(pq, "Size")), 0);
}

TEST_F(CollectionsTest, PriorityQueueWithUnevenArraysRaisesInsteadOfReadingPastTheEnd) {
    Value pq = make("PriorityQueue");
    call(pq, "Enqueue", {make_imm_int(1), make_imm_int(1)});
    call(pq, "Enqueue", {make_imm_int(2), make_imm_int(2)});
    replace_field(pq, "_priorities", make_flat_float_array(0));
    EXPECT_TRUE(is_nil(call(pq, "Dequeue")));
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
    replace_field(pq, "_min", make_imm_int(1));
    call(pq, "Size");
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
}

TEST_F(CollectionsTest, HashMapKeysAreAnyValue) {
    Value m = make("HashMap");
    Value key_array = keep(make_array(0));
    EXPECT_EQ(call(m, "Set", {s("a"), make_imm_int(1)}), m);
    call(m, "Set", {make_imm_int(7), s("seven")});
    call(m, "Set", {key_array, make_imm_int(3)});
    call(m, "Set", {s("a"), make_imm_int(2)});  // replaces
    EXPECT_EQ(int_of(call(m, "Size")), 3);
    EXPECT_EQ(int_of(call(m, "Get", {s("a")})), 2);
    EXPECT_EQ(test::str(call(m, "Get", {make_imm_int(7)})), "seven");
    EXPECT_EQ(int_of(call(m, "Get", {key_array})), 3);
    EXPECT_TRUE(is_nil(call(m, "Get", {s("zz")})));
    EXPECT_EQ(int_of(call(m, "Get", {s("zz"), make_imm_int(-1)})), -1);
    EXPECT_TRUE(bool_of(call(m, "Has", {make_imm_int(7)})));
    EXPECT_TRUE(bool_of(call(m, "Delete", {make_imm_int(7)})));
    EXPECT_FALSE(bool_of(call(m, "Delete", {make_imm_int(7)})));
    EXPECT_FALSE(bool_of(call(m, "Has", {make_imm_int(7)})));
    EXPECT_EQ(array_count(as_obj(call(m, "Keys"))), 2u);
    std::vector<int64_t> values = ints(call(m, "Values"));
    std::sort(values.begin(), values.end());
    EXPECT_EQ(values, (std::vector<int64_t>{2, 3}));
    call(m, "Clear");
    EXPECT_EQ(int_of(call(m, "Size")), 0);
    // A frozen tail node: the new node is dropped, not leaked (TearDown counts).
    for (const char* kind : {"LinkedList", "OrderedMap"}) {
        Value c = make(kind);
        if (std::strcmp(kind, "LinkedList") == 0) {
            call(c, "PushBack", {make_imm_int(1)});
        } else {
            call(c, "Set", {s("a"), make_imm_int(1)});
        }
        as_obj(*instance_field_slot(as_obj(c), h("_tail")))->flags |= F_FROZEN;
        if (std::strcmp(kind, "LinkedList") == 0) {
            call(c, "PushBack", {make_imm_int(2)});
        } else {
            call(c, "Set", {s("b"), make_imm_int(2)});
            EXPECT_FALSE(bool_of(call(c, "Has", {s("b")})));
        }
        EXPECT_EQ(take_error_code(), ERR_CONST_ASSIGN) << kind;
        EXPECT_EQ(array_count(as_obj(call(c, "ToArray"))), 1u) << kind;
    }
}

TEST_F(CollectionsTest, HashMapStartsFromAnObject) {
    Value o = keep(make_object());
    map_set(object_map(as_obj(o)), make_string("x"), h("x"), make_imm_int(5), true);
    Value m = make("HashMap", {o});
    EXPECT_EQ(int_of(call(m, "Get", {s("x")})), 5);
    call(m, "Set", {s("y"), make_imm_int(6)});
    EXPECT_EQ(object_map(as_obj(o))->count, 1u);  // a copy, not the object itself
}

TEST_F(CollectionsTest, SetAddAndAlgebra) {
    Value a = make("Set"), b = make("Set");
    EXPECT_TRUE(bool_of(call(a, "Add", {make_imm_int(1)})));
    EXPECT_FALSE(bool_of(call(a, "Add", {make_imm_int(1)})));
    call(a, "Add", {make_imm_int(2)});
    call(a, "Add", {make_imm_int(3)});
    for (int i : {3, 4}) call(b, "Add", {make_imm_int(i)});
    auto sorted = [&](Value set) {
        std::vector<int64_t> v = ints(call(set, "ToArray"));
        std::sort(v.begin(), v.end());
        return v;
    };
    Value u = call(a, "Union", {b});
    EXPECT_EQ(test::str(instance_record(as_obj(u))->class_name), "Set");
    EXPECT_EQ(sorted(u), (std::vector<int64_t>{1, 2, 3, 4}));
    EXPECT_EQ(sorted(call(a, "Intersect", {b})), (std::vector<int64_t>{3}));
    EXPECT_EQ(sorted(call(a, "Difference", {b})), (std::vector<int64_t>{1, 2}));
    EXPECT_EQ(sorted(a), (std::vector<int64_t>{1, 2, 3}));  // operands unchanged
    EXPECT_TRUE(bool_of(call(a, "Remove", {make_imm_int(2)})));
    EXPECT_FALSE(bool_of(call(a, "Has", {make_imm_int(2)})));
    EXPECT_EQ(int_of(call(a, "Size")), 2);
    call(a, "Clear");
    EXPECT_TRUE(bool_of(call(a, "IsEmpty")));
}

TEST_F(CollectionsTest, SetOperationsRefuseOtherValues) {
    Value a = make("Set"), m = make("HashMap");
    for (Value other : {m, keep(make_array(0)), make_imm_int(1)}) {
        EXPECT_TRUE(is_nil(call(a, "Union", {other})));
        EXPECT_EQ(take_error_message(), "Set operation expects another Set");
    }
    call(a, "Difference", {m});
    EXPECT_EQ(take_error_code(), ERR_INVALID_ARGUMENTS);
}

TEST_F(CollectionsTest, SetStartsFromAnArrayWithoutDuplicates) {
    Value arr = keep(make_array(0));
    for (int i : {1, 2, 2, 3, 1}) array_append(arr, make_imm_int(i), false);
    EXPECT_EQ(int_of(call(make("Set", {arr}), "Size")), 3);
}

TEST_F(CollectionsTest, LinkedListBothEnds) {
    Value l = make("LinkedList");
    EXPECT_TRUE(is_nil(call(l, "PopFront")));
    EXPECT_TRUE(is_nil(call(l, "PopBack")));
    EXPECT_TRUE(is_nil(call(l, "PeekFront")));
    EXPECT_EQ(call(l, "PushBack", {make_imm_int(2)}), l);
    call(l, "PushBack", {make_imm_int(3)});
    call(l, "PushFront", {make_imm_int(1)});
    call(l, "PushBack", {make_imm_int(4)});
    EXPECT_EQ(ints(call(l, "ToArray")), (std::vector<int64_t>{1, 2, 3, 4}));
    EXPECT_EQ(int_of(call(l, "Size")), 4);
    EXPECT_EQ(int_of(call(l, "PeekFront")), 1);
    EXPECT_EQ(int_of(call(l, "PeekBack")), 4);
    EXPECT_EQ(int_of(call(l, "PopBack")), 4);
    EXPECT_EQ(int_of(call(l, "PopFront")), 1);
    EXPECT_EQ(int_of(call(l, "PopBack")), 3);
    EXPECT_EQ(int_of(call(l, "PeekBack")), 2);
    EXPECT_EQ(int_of(call(l, "PopBack")), 2);
    EXPECT_TRUE(bool_of(call(l, "IsEmpty")));
    EXPECT_EQ(int_of(call(l, "Size")), 0);
    call(l, "PushFront", {make_imm_int(9)});  // onto an emptied list: head and tail both set
    EXPECT_EQ(int_of(call(l, "PeekBack")), 9);
    call(l, "Clear");
    EXPECT_TRUE(is_nil(call(l, "PeekFront")));
}

TEST_F(CollectionsTest, LongListsAreReleasedWithoutDeepRecursion) {
    Value l = make("LinkedList");
    int32_t baseline = heap_live_count();  // the list and its static class
    for (int i = 0; i < 200000; ++i) call(l, "PushBack", {make_imm_int(i)});
    EXPECT_EQ(heap_live_count(), baseline + 200000);  // one object per node
    for (Value v : owned) release(v);
    owned.clear();
    heap_drain_queue();
    EXPECT_EQ(heap_live_count(), baseline - 1);
}

TEST_F(CollectionsTest, EditedNodeChainsRaiseInsteadOfLoopingOrCrashing) {
    Value l = make("LinkedList");
    for (int i : {1, 2, 3}) call(l, "PushBack", {make_imm_int(i)});
    Value* head = instance_field_slot(as_obj(l), h("_head"));
    ASSERT_NE(head, nullptr);
    // A cycle: the last node points back to the first.
    Value* tail = instance_field_slot(as_obj(l), h("_tail"));
    retain(*head);
    map_set(object_map(as_obj(*tail)), kAbsent, h("_next"), *head, true);
    call(l, "ToArray");
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
    // Break the cycle again so the list can be released, then corrupt a link.
    map_set(object_map(as_obj(*tail)), kAbsent, h("_next"), nil_value(), true);
    Value second = map_get(object_map(as_obj(*head)), h("_next"));
    map_set(object_map(as_obj(second)), kAbsent, h("_next"), make_imm_int(5), true);
    call(l, "PopBack");
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
}

TEST_F(CollectionsTest, OrderedMapKeepsInsertionOrder) {
    Value m = make("OrderedMap");
    EXPECT_TRUE(is_nil(call(m, "First")));
    for (const char* k : {"c", "a", "b", "d"}) EXPECT_EQ(call(m, "Set", {s(k), make_imm_int(k[0])}), m);
    call(m, "Set", {s("a"), make_imm_int(1)});  // an update keeps the position
    auto keys = [&] {
        std::string out;
        Value arr = call(m, "Keys");
        for (uint32_t i = 0; i < array_count(as_obj(arr)); ++i) out += test::str(array_items(as_obj(arr))[i]);
        return out;
    };
    EXPECT_EQ(keys(), "cabd");
    EXPECT_EQ(ints(call(m, "Values")), (std::vector<int64_t>{'c', 1, 'b', 'd'}));
    EXPECT_EQ(int_of(call(m, "Get", {s("a")})), 1);
    EXPECT_EQ(int_of(call(m, "Get", {s("q"), make_imm_int(0)})), 0);
    EXPECT_TRUE(bool_of(call(m, "Has", {s("b")})));
    EXPECT_TRUE(bool_of(call(m, "Delete", {s("a")})));   // middle
    EXPECT_TRUE(bool_of(call(m, "Delete", {s("d")})));   // tail
    EXPECT_TRUE(bool_of(call(m, "Delete", {s("c")})));   // head
    EXPECT_FALSE(bool_of(call(m, "Delete", {s("c")})));
    EXPECT_EQ(keys(), "b");
    call(m, "Set", {s("e"), make_imm_int(5)});  // appends after the old tail
    EXPECT_EQ(keys(), "be");
    Value first = call(m, "First"), last = call(m, "Last");
    EXPECT_EQ(test::str(array_items(as_obj(first))[0]), "b");
    EXPECT_EQ(int_of(array_items(as_obj(last))[1]), 5);
    Value entries = call(m, "Entries");
    EXPECT_EQ(array_count(as_obj(entries)), 2u);
    EXPECT_EQ(array_count(as_obj(call(m, "ToArray"))), 2u);
    EXPECT_EQ(int_of(call(m, "Size")), 2);
    call(m, "Clear");
    EXPECT_TRUE(bool_of(call(m, "IsEmpty")));
    EXPECT_EQ(keys(), "");
}

TEST_F(CollectionsTest, ReplacedInternalFieldRaisesRuntimeError) {
    struct Case {
        const char* ctor;
        const char* field;
        const char* method;
        bool takes_key;
    };
    const Case cases[] = {
        {"Stack", "_array", "Push", true},         {"Queue", "_array", "Dequeue", false},
        {"HashMap", "_map", "Get", true},          {"Set", "_map", "Add", true},
        {"PriorityQueue", "_values", "Peek", false}, {"LinkedList", "_head", "PopFront", false},
        {"LinkedList", "_size", "Size", false},    {"OrderedMap", "_map", "Has", true},
        {"OrderedMap", "_tail", "Keys", false},
    };
    for (const Case& c : cases) {
        Value self = make(c.ctor);
        replace_field(self, c.field, make_string("oops"));
        if (c.takes_key) {
            call(self, c.method, {make_imm_int(1)});
        } else {
            call(self, c.method);
        }
        std::string message = take_error_message();
        EXPECT_NE(message.find(c.field), std::string::npos) << c.ctor << "." << c.method << ": " << message;
        EXPECT_NE(message.find("(got string)"), std::string::npos) << message;
    }
    Value st = make("Stack");
    replace_field(st, "_array", make_imm_int(3));
    call(st, "Size");
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
}

TEST_F(CollectionsTest, FrozenStorageRefusesChanges) {
    Value m = make("HashMap");
    Value* map = instance_field_slot(as_obj(m), h("_map"));
    as_obj(*map)->flags |= F_FROZEN;
    call(m, "Set", {s("k"), make_imm_int(1)});
    EXPECT_EQ(take_error_code(), ERR_CONST_ASSIGN);
    EXPECT_EQ(int_of(call(m, "Size")), 0);
    // A frozen tail node: the new node is dropped, not leaked (TearDown counts).
    for (const char* kind : {"LinkedList", "OrderedMap"}) {
        Value c = make(kind);
        if (std::strcmp(kind, "LinkedList") == 0) {
            call(c, "PushBack", {make_imm_int(1)});
        } else {
            call(c, "Set", {s("a"), make_imm_int(1)});
        }
        as_obj(*instance_field_slot(as_obj(c), h("_tail")))->flags |= F_FROZEN;
        if (std::strcmp(kind, "LinkedList") == 0) {
            call(c, "PushBack", {make_imm_int(2)});
        } else {
            call(c, "Set", {s("b"), make_imm_int(2)});
            EXPECT_FALSE(bool_of(call(c, "Has", {s("b")})));
        }
        EXPECT_EQ(take_error_code(), ERR_CONST_ASSIGN) << kind;
        EXPECT_EQ(array_count(as_obj(call(c, "ToArray"))), 1u) << kind;
    }
}

}  // namespace
}  // namespace tarvik
