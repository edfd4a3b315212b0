// The Object module: inspection, frozen refusals, building from arrays and the nil
// tests. Callback members need the interpreter and are covered by golden cases.
#include <string>
#include <vector>

#include "runtime/array.h"
#include "runtime/errors.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "stdlib/module_test_support.h"

namespace tarvik {
namespace {

class ObjectModuleTest : public test::ModuleTest {
protected:
    Value s(const char* text) { return keep(make_string(text)); }
    // An object of string keys to ints.
    Value object(std::initializer_list<std::pair<const char*, int>> members) {
        Value o = keep(make_object());
        for (auto [key, value] : members) {
            Value k = make_string(key);
            map_set(object_map(as_obj(o)), k, string_hash(as_obj(k)), make_int(value), true);
        }
        return o;
    }
    Value array(std::initializer_list<Value> items) {
        Value a = keep(make_array(0));
        for (Value v : items) array_append(a, v, /*borrowed=*/true);
        return a;
    }
    Value get(Value o, const char* key) {
        Value k = make_string(key);
        Value v = map_get(object_map(as_obj(o)), string_hash(as_obj(k)));
        release(k);
        return v;
    }
    uint32_t count(Value o) { return object_map(as_obj(o))->count; }
    Value result(const char* member, std::initializer_list<Value> args) { return keep(call("Object", member, args)); }
};

TEST_F(ObjectModuleTest, EveryMemberHasNativeCode) {
    int m = builtin_module_index("Object");
    for (int i = 0; i < builtin_member_count(m); ++i) EXPECT_TRUE(builtin_is_implemented(m, i)) << builtin_member_name(m, i);
}

TEST_F(ObjectModuleTest, InspectionOfObjectsAndOfNonObjects) {
    Value empty = keep(make_object());
    Value keys = result("Keys", {empty});
    ASSERT_TRUE(is_array(keys));
    EXPECT_EQ(array_count(as_obj(keys)), 0u);
    EXPECT_EQ(call("Object", "Count", {empty}), make_int(0));
    EXPECT_EQ(call("Object", "Keys", {nil_value()}), nil_value());

    Value o = object({{"a", 1}, {"b", 2}});
    Value entries = result("Entries", {o});
    ASSERT_EQ(array_count(as_obj(entries)), 2u);
    Value keys2 = result("Keys", {o});
    Value values = result("Values", {o});
    for (uint32_t i = 0; i < 2; ++i) {
        // Keys, values and entries follow the same (table) order.
        const Value* pair = array_items(as_obj(array_items(as_obj(entries))[i]));
        EXPECT_EQ(test::str(pair[0]), test::str(array_items(as_obj(keys2))[i]));
        EXPECT_EQ(pair[1], array_items(as_obj(values))[i]);
        EXPECT_EQ(get(o, test::str(pair[0]).c_str()), pair[1]);
    }
    EXPECT_EQ(call("Object", "Count", {o}), make_int(2));
    EXPECT_EQ(call("Object", "HasKey", {o, s("a")}), make_bool(true));
    EXPECT_EQ(call("Object", "HasKey", {o, s("z")}), make_bool(false));
    EXPECT_EQ(call("Object", "TryGet", {o, s("b"), make_int(9)}), make_int(2));
    EXPECT_EQ(call("Object", "TryGet", {o, s("z"), make_int(9)}), make_int(9));
    EXPECT_EQ(call("Object", "TryGet", {nil_value(), s("b"), make_int(9)}), make_int(9));
    EXPECT_TRUE(test::raised_errors().empty());
}

TEST_F(ObjectModuleTest, CloneIsIndependent) {
    Value o = object({{"a", 1}});
    Value copy = result("Clone", {o});
    ASSERT_TRUE(is_ref_of(copy, T_OBJECT));
    EXPECT_NE(copy, o);
    EXPECT_EQ(call("Object", "Delete", {copy, s("a")}), make_bool(true));
    EXPECT_EQ(get(o, "a"), make_int(1));
}

TEST_F(ObjectModuleTest, DeleteClearAndMergeChangeInPlace) {
    Value o = object({{"a", 1}, {"b", 2}});
    EXPECT_EQ(call("Object", "Delete", {o, s("a")}), make_bool(true));
    EXPECT_EQ(call("Object", "Delete", {o, s("a")}), make_bool(false)) << "already gone";
    EXPECT_EQ(call("Object", "Delete", {nil_value(), s("a")}), make_bool(false));

    Value source = object({{"b", 20}, {"c", 30}});
    EXPECT_EQ(call("Object", "Merge", {o, source}), make_bool(true));
    EXPECT_EQ(count(o), 2u);
    EXPECT_EQ(get(o, "b"), make_int(20));
    EXPECT_EQ(get(o, "c"), make_int(30));
    EXPECT_EQ(count(source), 2u) << "the source is untouched";
    EXPECT_EQ(call("Object", "Merge", {o, o}), make_bool(true)) << "merging into itself keeps every value alive";
    EXPECT_EQ(get(o, "c"), make_int(30));
    EXPECT_EQ(call("Object", "Merge", {o, nil_value()}), make_bool(false));

    EXPECT_EQ(call("Object", "Clear", {o}), make_bool(true));
    EXPECT_EQ(count(o), 0u);
    EXPECT_EQ(call("Object", "Clear", {nil_value()}), nil_value());
    EXPECT_TRUE(test::raised_errors().empty());
}

TEST_F(ObjectModuleTest, FrozenObjectsRefuseChangesWithCode19) {
    Value o = object({{"a", 1}});
    EXPECT_EQ(call("Object", "IsFrozen", {o}), make_bool(false));
    EXPECT_EQ(call("Object", "Freeze", {o}), make_bool(true));
    EXPECT_EQ(call("Object", "IsFrozen", {o}), make_bool(true));
    EXPECT_EQ(call("Object", "Freeze", {s("text")}), kAbsent) << "declared object: the argument check refuses";
    take_error_code();

    EXPECT_EQ(call("Object", "Delete", {o, s("a")}), make_bool(false));
    EXPECT_EQ(take_error_message(), "Invalid assignment of const-object");
    EXPECT_EQ(get(o, "a"), make_int(1));
    EXPECT_EQ(call("Object", "Clear", {o}), make_bool(false));
    EXPECT_EQ(take_error_code(), ERR_CONST_ASSIGN);
    EXPECT_EQ(call("Object", "Merge", {o, object({{"b", 2}})}), make_bool(false));
    EXPECT_EQ(take_error_code(), ERR_CONST_ASSIGN);
    EXPECT_EQ(count(o), 1u);
    // The source of a merge may be frozen.
    Value target = keep(make_object());
    EXPECT_EQ(call("Object", "Merge", {target, o}), make_bool(true));
    EXPECT_EQ(get(target, "a"), make_int(1));
}

TEST_F(ObjectModuleTest, PickTakesPresentKeysAndRefusesNonStrings) {
    Value o = object({{"a", 1}, {"b", 2}});
    Value picked = result("Pick", {o, array({s("a"), s("x")})});
    ASSERT_TRUE(is_ref_of(picked, T_OBJECT));
    EXPECT_EQ(count(picked), 1u);
    EXPECT_EQ(get(picked, "a"), make_int(1));
    EXPECT_EQ(call("Object", "Pick", {o, array({s("a"), make_int(5)})}), nil_value());

    Value flat = keep(make_flat_float_array(0));
    Value from_empty = result("Pick", {o, flat});
    ASSERT_TRUE(is_ref_of(from_empty, T_OBJECT));
    EXPECT_EQ(count(from_empty), 0u);
    array_append(flat, keep(make_float(1.0)), true);
    EXPECT_EQ(call("Object", "Pick", {o, flat}), nil_value());

    // Sized in advance: twelve keys fit without a rebuild.
    std::vector<Value> many;
    for (int i = 0; i < 12; ++i) many.push_back(s(("k" + std::to_string(i)).c_str()));
    Value keys = keep(make_array(0));
    for (Value k : many) array_append(keys, k, true);
    Value none = result("Pick", {o, keys});
    EXPECT_EQ(object_map(as_obj(none))->capacity, 16u);
}

TEST_F(ObjectModuleTest, FromKeysSharesOneValue) {
    Value shared = keep(make_array(0));
    Value built = result("FromKeys", {array({s("a"), s("b")}), shared});
    ASSERT_TRUE(is_ref_of(built, T_OBJECT));
    EXPECT_EQ(get(built, "a"), shared);
    EXPECT_EQ(get(built, "b"), shared);
    EXPECT_EQ(as_obj(shared)->ref_count, 3u) << "one per key and ours";
    EXPECT_EQ(call("Object", "FromKeys", {array({s("a"), nil_value()}), shared}), nil_value());
}

TEST_F(ObjectModuleTest, FromEntriesNeedsPairsWithStringKeys) {
    Value built = result("FromEntries", {array({array({s("a"), make_int(1), make_int(99)}),
                                                array({s("b"), make_int(2)}), array({s("a"), make_int(3)})})});
    ASSERT_TRUE(is_ref_of(built, T_OBJECT));
    EXPECT_EQ(count(built), 2u);
    EXPECT_EQ(get(built, "a"), make_int(3)) << "later entries replace earlier ones";
    EXPECT_EQ(call("Object", "FromEntries", {array({array({s("a")})})}), nil_value());
    EXPECT_EQ(call("Object", "FromEntries", {array({array({make_int(1), make_int(2)})})}), nil_value());
    Value flat_pair = keep(make_flat_float_array(2));
    array_append(flat_pair, keep(make_float(1.0)), true);
    array_append(flat_pair, keep(make_float(2.0)), true);
    EXPECT_EQ(call("Object", "FromEntries", {array({flat_pair})}), nil_value());
    EXPECT_TRUE(test::raised_errors().empty());
}

TEST_F(ObjectModuleTest, InvertKeysByTextOfValues) {
    Value inverted = result("Invert", {object({{"a", 1}, {"b", 1}})});
    ASSERT_TRUE(is_ref_of(inverted, T_OBJECT));
    EXPECT_EQ(count(inverted), 1u);
    Value key = get(inverted, "1");
    ASSERT_TRUE(is_string(key));
    EXPECT_TRUE(test::str(key) == "a" || test::str(key) == "b");
    Value strings = keep(make_object());
    Value k = make_string("x");
    map_set(object_map(as_obj(strings)), k, string_hash(as_obj(k)), make_string("why"), true);
    Value back = result("Invert", {strings});
    EXPECT_EQ(test::str(get(back, "why")), "x");
}

TEST_F(ObjectModuleTest, NilTestsCountAbsentAsNil) {
    EXPECT_EQ(call("Object", "IsNil", {nil_value()}), make_bool(true));
    EXPECT_EQ(call("Object", "IsNil", {make_int(0)}), make_bool(false));
    EXPECT_EQ(call("Object", "NotNil", {make_bool(false)}), make_bool(true));
    Value absent = kAbsent;
    auto native = reinterpret_cast<NativeFn>(member_row("Object", "IsNil")->a);
    EXPECT_EQ(native(&absent, 1), make_bool(true));
}

TEST_F(ObjectModuleTest, FunctionalMembersOnEmptyObjectsNeedNoCallback) {
    Value empty = keep(make_object());
    Value f = make_ref(member_row("Type", "Name"));
    EXPECT_EQ(call("Object", "All", {empty, f}), make_bool(true));
    EXPECT_EQ(call("Object", "Any", {empty, f}), make_bool(false));
    Value initial = s("start");
    EXPECT_EQ(call("Object", "Reduce", {empty, f, initial}), initial);
    release(initial);  // the reference Reduce answered
    EXPECT_EQ(count(result("Select", {empty, f})), 0u);
}

TEST_F(ObjectModuleTest, MapKeysCallsAOneArgumentBuiltinDirectly) {
    Value o = object({{"a", 1}, {"b", 2}});
    Value mapped = result("MapKeys", {o, make_ref(member_row("Type", "Name"))});
    ASSERT_TRUE(is_ref_of(mapped, T_OBJECT));
    EXPECT_EQ(count(mapped), 1u) << "both keys map to the text \"string\"";
    EXPECT_FALSE(is_absent(get(mapped, "string")));
    EXPECT_TRUE(test::raised_errors().empty());
}

TEST_F(ObjectModuleTest, ACallbackThatRaisesStopsTheMemberWithNil) {
    Value o = object({{"a", 1}});
    // Without an interpreter the callback invoker raises: the member gives up.
    Value script_like = keep(make_object());
    EXPECT_EQ(call("Object", "Select", {o, script_like}), kAbsent) << "an object is not callable";
    take_error_code();
    Value f = make_ref(member_row("Type", "Is"));  // needs two arguments: goes through the invoker
    EXPECT_EQ(call("Object", "Any", {o, f}), nil_value());
    EXPECT_FALSE(test::raised_errors().empty());
}

}  // namespace
}  // namespace tarvik
