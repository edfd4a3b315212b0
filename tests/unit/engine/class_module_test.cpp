// tests/unit/engine/class_module_test.cpp: the Class module's lineage tests, names,
// member listings, field access, method reach and construction by name, and the
// field access it installs for the Object module.
#include <cstring>
#include <string>
#include <vector>

#include "engine/class_model.h"
#include "engine/class_module.h"
#include "engine/env.h"
#include "runtime/array.h"
#include "runtime/builtin.h"
#include "runtime/builtin_catalog.h"
#include "runtime/errors.h"
#include "runtime/function.h"
#include "runtime/heap.h"
#include "runtime/string.h"
#include "runtime/test_support.h"

namespace tarvik {
namespace {

uint64_t h(const char* name) { return hash_bytes(name, std::strlen(name)); }

Value lookup_global(uint64_t hash) {
    EnvEntry* e = g_global_env ? env_find(g_global_env, hash) : nullptr;
    return e ? e->value : kAbsent;
}

class ClassModuleTest : public test::RuntimeTest {
protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        value_types_register();
        class_model_types_register();
        class_model_set_global_lookup(lookup_global);
        g_global_env = env_create(nullptr, 8);
        class_module_register();
        builtin_registry_init();
    }
    void TearDown() override {
        for (Value v : owned) release(v);
        env_release(g_global_env);
        g_global_env = nullptr;
        class_model_set_global_lookup(nullptr);
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
    // A class bound as a global (the environment holds its reference).
    Value define_class(const char* name, const char* base = nullptr) {
        Value cls = make_class(make_string(name), base ? h(base) : 0);
        env_define(g_global_env, h(name), cls);
        return cls;
    }
    void add(Value cls, uint8_t kind, const char* name, Value value) {
        ASSERT_TRUE(class_add_member(cls, kind, make_string(name), h(name), value));
    }
    Value script_method(uint32_t flags) {
        Value f = make_function();
        function_record(as_obj(f))->function_flags = flags;
        return f;
    }
    ObjHeader* row(const char* module, const char* member) {
        int m = builtin_module_index(module);
        return builtin_row(m, builtin_member_index(m, member));
    }
    Value call(const char* member, std::initializer_list<Value> args) {
        std::vector<Value> values(args);
        return builtin_invoke(row("Class", member), values.data(), int(values.size()), false);
    }
    Value kept_call(const char* member, std::initializer_list<Value> args) { return keep(call(member, args)); }
    std::vector<std::string> names(Value array) {
        std::vector<std::string> out;
        for (uint32_t i = 0; i < array_count(as_obj(array)); ++i) out.push_back(test::str(array_items(as_obj(array))[i]));
        return out;
    }
    // Animal (name, legs; Speak, Kind static) <- Dog (tricks; Speak).
    void build_zoo() {
        animal = define_class("Animal");
        add(animal, MEMBER_FIELD, "name", make_string("nobody"));
        add(animal, MEMBER_FIELD, "legs", make_int(4));
        add(animal, MEMBER_METHOD, "Speak", script_method(METHOD_INSTANCE));
        add(animal, MEMBER_METHOD, "Kind", script_method(METHOD_STATIC));
        add(animal, MEMBER_STATIC, "Planet", make_string("Earth"));
        dog = define_class("Dog", "Animal");
        add(dog, MEMBER_FIELD, "tricks", make_array(0));
        add(dog, MEMBER_METHOD, "Speak", script_method(METHOD_INSTANCE));
    }
    Value animal = kAbsent, dog = kAbsent;
    std::vector<Value> owned;
};

TEST_F(ClassModuleTest, EveryMemberHasNativeCode) {
    int m = builtin_module_index("Class");
    for (int i = 0; i < builtin_member_count(m); ++i) EXPECT_TRUE(builtin_is_implemented(m, i)) << builtin_member_name(m, i);
}

TEST_F(ClassModuleTest, LineageReachesTheClassAndEightAncestors) {
    std::vector<Value> chain;
    for (int i = 0; i < 10; ++i) {
        std::string name = "C" + std::to_string(i), base = "C" + std::to_string(i - 1);
        chain.push_back(define_class(name.c_str(), i ? base.c_str() : nullptr));
    }
    Value leaf = keep(class_instantiate(chain[9]));
    EXPECT_EQ(call("InstanceOf", {leaf, chain[9]}), make_bool(true));
    EXPECT_EQ(call("InstanceOf", {leaf, chain[1]}), make_bool(true)) << "eight levels up";
    EXPECT_EQ(call("InstanceOf", {leaf, chain[0]}), make_bool(false)) << "nine levels up";
    EXPECT_EQ(call("InstanceOf", {make_int(1), chain[0]}), make_bool(false));
    EXPECT_EQ(call("SubclassOf", {chain[9], chain[1]}), make_bool(true));
    EXPECT_EQ(call("SubclassOf", {chain[9], chain[0]}), make_bool(false));
    EXPECT_EQ(call("SubclassOf", {chain[1], chain[9]}), make_bool(false));
    EXPECT_EQ(call("SubclassOf", {leaf, chain[9]}), kAbsent) << "both must be classes";
    EXPECT_EQ(take_error_code(), ERR_INVALID_ARGUMENTS);
}

TEST_F(ClassModuleTest, NamesBasesAndTypeTests) {
    build_zoo();
    Value rex = keep(class_instantiate(dog));
    EXPECT_EQ(test::str(kept_call("GetName", {rex})), "Dog");
    EXPECT_EQ(test::str(kept_call("Name", {animal})), "Animal");
    EXPECT_EQ(kept_call("GetBase", {dog}), animal);
    EXPECT_EQ(kept_call("GetBase", {animal}), nil_value());
    EXPECT_EQ(kept_call("GetBase", {rex}), dog) << "an instance's class";
    EXPECT_EQ(kept_call("Of", {rex}), dog);
    EXPECT_EQ(kept_call("Of", {dog}), dog);
    EXPECT_EQ(kept_call("Of", {make_int(3)}), nil_value());
    EXPECT_EQ(call("IsInstance", {rex}), make_bool(true));
    EXPECT_EQ(call("IsInstance", {dog}), make_bool(false));
    EXPECT_EQ(call("IsClass", {dog}), make_bool(true));
}

TEST_F(ClassModuleTest, MemberListings) {
    build_zoo();
    Value rex = keep(class_instantiate(dog));
    EXPECT_EQ(names(kept_call("Fields", {rex})), (std::vector<std::string>{"name", "legs", "tricks"}));
    EXPECT_EQ(names(kept_call("InstanceMethods", {animal})), (std::vector<std::string>{"Speak"}));
    EXPECT_EQ(names(kept_call("InstanceMethods", {rex})), (std::vector<std::string>{"Speak"})) << "own members only";
    EXPECT_EQ(names(kept_call("StaticMethods", {animal})), (std::vector<std::string>{"Kind"}));
    EXPECT_TRUE(names(kept_call("StaticMethods", {dog})).empty());
    EXPECT_EQ(names(kept_call("AllMethods", {dog})), (std::vector<std::string>{"Speak", "Kind"}));
}

TEST_F(ClassModuleTest, FieldAccessThroughNames) {
    build_zoo();
    Value rex = keep(class_instantiate(dog));
    EXPECT_EQ(test::str(kept_call("GetField", {rex, s("name")})), "nobody");
    EXPECT_EQ(call("GetField", {rex, s("Speak")}), nil_value()) << "a method is not a field";
    EXPECT_EQ(call("SetField", {rex, s("legs"), make_int(3)}), make_bool(true));
    EXPECT_EQ(call("GetField", {rex, s("legs")}), make_int(3));
    EXPECT_EQ(call("SetField", {rex, s("wings"), make_int(2)}), make_bool(false));
    EXPECT_EQ(call("SetField", {rex, s("Planet"), make_int(2)}), make_bool(false));
    as_obj(rex)->flags |= F_FROZEN;
    EXPECT_EQ(call("SetField", {rex, s("legs"), make_int(5)}), make_bool(false));
    EXPECT_EQ(call("GetField", {rex, s("legs")}), make_int(3));
    EXPECT_TRUE(test::raised_errors().empty());
}

TEST_F(ClassModuleTest, MethodReachFollowsTheStaticAndInstanceFlags) {
    build_zoo();
    Value rex = keep(class_instantiate(dog));
    EXPECT_EQ(call("HasMethod", {dog, s("Kind")}), make_bool(true));
    EXPECT_EQ(call("HasMethod", {dog, s("legs")}), make_bool(false));
    EXPECT_EQ(kept_call("GetMethod", {rex, s("Kind")}), nil_value()) << "static through an instance";
    EXPECT_EQ(kept_call("GetMethod", {dog, s("Speak")}), nil_value()) << "instance method through a class";
    const MemberEntry* kind = class_find_member(as_obj(animal), h("Kind"));
    EXPECT_EQ(kept_call("GetMethod", {dog, s("Kind")}), kind->value);
    Value bound = kept_call("GetMethod", {rex, s("Speak")});
    ASSERT_TRUE(is_ref_of(bound, T_BOUND_METHOD));
    EXPECT_EQ(bound_method_pair(as_obj(bound))->receiver, rex);
    EXPECT_EQ(bound_method_pair(as_obj(bound))->callable, class_find_member(as_obj(dog), h("Speak"))->value);
    EXPECT_EQ(call("Invoke", {rex, s("Kind")}), nil_value());
    EXPECT_EQ(call("Invoke", {dog, s("Missing")}), nil_value());
    EXPECT_TRUE(test::raised_errors().empty());
}

TEST_F(ClassModuleTest, InvokeRunsBuiltinMethodsWithTheRightArguments) {
    Value tools = define_class("Tools");
    // A flagless builtin method gets the arguments after the name, no receiver.
    add(tools, MEMBER_METHOD, "Probe", make_ref(row("Class", "IsInstance")));
    Value inst = keep(class_instantiate(tools));
    EXPECT_EQ(call("Invoke", {tools, s("Probe"), inst}), make_bool(true));
    EXPECT_EQ(call("Invoke", {inst, s("Probe"), tools}), make_bool(false));
    EXPECT_EQ(call("Invoke", {tools, s("Probe")}), nil_value()) << "its own count check still applies";
    EXPECT_EQ(take_error_code(), ERR_INVALID_ARGUMENTS);
}

TEST_F(ClassModuleTest, InstantiateAndNewFindClassesAmongGlobals) {
    build_zoo();
    Value made = kept_call("Instantiate", {s("Dog")});
    ASSERT_TRUE(is_ref_of(made, T_INSTANCE));
    EXPECT_EQ(instance_record(as_obj(made))->cls, as_obj(dog));
    EXPECT_EQ(call("Instantiate", {s("Unicorn")}), nil_value());
    env_define(g_global_env, h("NotAClass"), make_int(1));
    EXPECT_EQ(call("Instantiate", {s("NotAClass")}), nil_value());
    Value plain = kept_call("New", {s("Animal")});
    EXPECT_TRUE(is_ref_of(plain, T_INSTANCE)) << "no constructor: the bare instance";
    EXPECT_TRUE(test::raised_errors().empty());
}

TEST_F(ClassModuleTest, NewChecksScriptConstructorCountsBeforeCalling) {
    Value point = define_class("Point");
    Value ctor = script_method(METHOD_INSTANCE);
    function_record(as_obj(ctor))->param_count = 3;
    function_record(as_obj(ctor))->required_count = 2;
    add(point, MEMBER_METHOD, "Constructor", ctor);
    Value name = s("Point");
    heap_drain_queue();
    int32_t before = heap_live_count();
    EXPECT_EQ(call("New", {name}), nil_value()) << "the instance alone is too few";
    EXPECT_EQ(take_error_code(), ERR_INVALID_ARGUMENTS);
    EXPECT_EQ(call("New", {name, make_int(1), make_int(2), make_int(3)}), nil_value());
    EXPECT_EQ(take_error_code(), ERR_INVALID_ARGUMENTS);
    heap_drain_queue();
    EXPECT_EQ(heap_live_count(), before) << "the refused instance is released";
}

// A builtin constructor that records its arguments.
std::vector<Value> g_seen;
Value record_arguments(Value* args, int count) {
    g_seen.assign(args, args + count);
    return nil_value();
}

TEST_F(ClassModuleTest, NewPassesTheInstanceToABuiltinConstructor) {
    static constexpr Signature kTakesInt{T_NIL, {T_INT}};
    // Static storage: the class still refers to the row when the fixture tears down.
    static uint8_t flagged[sizeof(Signature)];
    std::memcpy(flagged, &kTakesInt, sizeof flagged);
    flagged[29] = METHOD_INSTANCE;
    static ObjHeader ctor;
    ctor = ObjHeader{F_STATIC, 0, T_BUILTIN, /*required=*/1, reinterpret_cast<uint64_t>(&record_arguments),
                     reinterpret_cast<uint64_t>(flagged)};
    Value box = define_class("Box");
    add(box, MEMBER_METHOD, "Constructor", make_ref(&ctor));
    Value made = kept_call("New", {s("Box"), make_int(7)});
    ASSERT_TRUE(is_ref_of(made, T_INSTANCE));
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(g_seen[0], made);
    EXPECT_EQ(g_seen[1], make_int(7)) << "checked against the parameters after the receiver";
    EXPECT_EQ(call("New", {s("Box"), s("seven")}), nil_value()) << "the argument check applies to the extra arguments";
    EXPECT_EQ(take_error_code(), ERR_INVALID_ARGUMENTS);
    g_seen.clear();
}

TEST_F(ClassModuleTest, FieldAccessForTheObjectModuleFollowsSlots) {
    build_zoo();
    const ClassFieldAccess* access = class_field_access();
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(access->count(dog), 3) << "resolves an unresolved class";
    Value rex = keep(class_instantiate(dog));
    ASSERT_TRUE(instance_field_set(as_obj(rex), h("legs"), make_int(3)));
    Value name, value;
    access->field(rex, 1, &name, &value);
    EXPECT_EQ(test::str(name), "legs");
    EXPECT_EQ(value, make_int(3));
    access->field(dog, 1, &name, &value);
    EXPECT_EQ(value, make_int(4)) << "a class gives the default";
    access->field(dog, 2, &name, &value);
    EXPECT_EQ(test::str(name), "tricks");
    EXPECT_EQ(access->count(make_int(1)), 0);
}

}  // namespace
}  // namespace tarvik
