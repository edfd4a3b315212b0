// tests/unit/engine/class_model_test.cpp: base linking, member resolution,
// instances, bound methods, instance-of and the class and instance type rows.
#include <cstring>
#include <map>
#include <string>

#include "engine/class_model.h"
#include "runtime/array.h"
#include "runtime/function.h"
#include "runtime/heap.h"
#include "runtime/operators.h"
#include "runtime/string.h"
#include "runtime/test_support.h"
#include "runtime/value_ops.h"

namespace tarvik {
namespace {

std::map<uint64_t, Value> g_globals;

Value lookup_global(uint64_t hash) {
    auto it = g_globals.find(hash);
    return it == g_globals.end() ? kAbsent : it->second;
}

uint64_t h(const char* name) { return hash_bytes(name, std::strlen(name)); }

class ClassModelTest : public test::RuntimeTest {
protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        value_types_register();
        class_model_types_register();
        class_model_set_global_lookup(lookup_global);
    }
    void TearDown() override {
        for (auto& [hash, v] : g_globals) release(v);
        g_globals.clear();
        class_model_set_global_lookup(nullptr);
        RuntimeTest::TearDown();
    }
    // A class bound as a global (which holds the reference) so that subclasses find it.
    Value define_class(const char* name, const char* base = nullptr) {
        Value cls = make_class(make_string(name), base ? h(base) : 0);
        g_globals[h(name)] = cls;
        return cls;
    }
    void add(Value cls, uint8_t kind, const char* name, Value value) {
        ASSERT_TRUE(class_add_member(cls, kind, make_string(name), h(name), value));
    }
    Value method(uint32_t flags = METHOD_INSTANCE) {
        Value f = make_function();
        function_record(as_obj(f))->function_flags = flags;
        return f;
    }
    const MemberEntry* member(Value cls, const char* name) { return class_find_member(as_obj(cls), h(name)); }
    uint32_t flags(Value fn) { return function_record(as_obj(fn))->function_flags; }
};

TEST_F(ClassModelTest, SubclassFieldsFollowBaseFieldsAndRedeclaredFieldsKeepTheirSlot) {
    Value base = define_class("Base");
    add(base, MEMBER_FIELD, "a", make_int(1));
    add(base, MEMBER_FIELD, "b", make_int(2));
    Value derived = define_class("Derived", "Base");
    add(derived, MEMBER_FIELD, "b", make_int(20));
    add(derived, MEMBER_FIELD, "c", make_int(3));

    ASSERT_NE(member(derived, "b"), nullptr);
    EXPECT_EQ(member(derived, "b")->field_index, 1);
    EXPECT_EQ(member(derived, "b")->value, make_int(20));
    EXPECT_EQ(member(derived, "c")->field_index, 2);
    EXPECT_EQ(class_record(as_obj(derived))->field_count, 3);
    EXPECT_EQ(member(base, "b")->value, make_int(2));
    EXPECT_EQ(member(base, "c"), nullptr);
    EXPECT_EQ(take_error_code(), -1);
}

TEST_F(ClassModelTest, OverrideWithAnotherKindRaisesCode6AndKeepsTheInheritedEntry) {
    Value base = define_class("Base");
    Value fn = method();
    add(base, MEMBER_METHOD, "m", fn);
    Value derived = define_class("Derived", "Base");
    add(derived, MEMBER_FIELD, "m", make_int(0));

    testing::internal::CaptureStderr();
    class_resolve(as_obj(derived));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Class member override changes kind (field/method/const mismatch).\n"), std::string::npos);
    EXPECT_EQ(take_error_code(), 6);
    EXPECT_EQ(member(derived, "m")->value, fn);
    EXPECT_EQ(class_record(as_obj(derived))->field_count, 0);
}

TEST_F(ClassModelTest, ConstructorIsInheritedUnlessRedefined) {
    EXPECT_EQ(kConstructorHash, h("Constructor"));
    EXPECT_EQ(kDestructorHash, h("Destructor"));
    Value base = define_class("Base");
    Value base_ctor = method();
    add(base, MEMBER_METHOD, "Constructor", base_ctor);
    Value plain = define_class("Plain", "Base");
    Value own = define_class("Own", "Base");
    Value own_ctor = method();
    add(own, MEMBER_METHOD, "Constructor", own_ctor);

    class_resolve(as_obj(plain));
    class_resolve(as_obj(own));
    EXPECT_EQ(class_record(as_obj(plain))->constructor, base_ctor);
    EXPECT_EQ(class_record(as_obj(own))->constructor, own_ctor);
}

TEST_F(ClassModelTest, LinkingMarksOverriddenScriptMethodsInEveryAncestor) {
    Value a = define_class("A");
    Value fa = method(), fa_other = method();
    add(a, MEMBER_METHOD, "m", fa);
    add(a, MEMBER_METHOD, "other", fa_other);
    Value b = define_class("B", "A");
    Value fb = method();
    add(b, MEMBER_METHOD, "m", fb);
    Value c = define_class("C", "B");
    Value fc = method();
    add(c, MEMBER_METHOD, "m", fc);

    EXPECT_EQ(class_base(as_obj(c)), as_obj(b));
    EXPECT_TRUE(flags(fa) & METHOD_OVERRIDDEN);
    EXPECT_TRUE(flags(fb) & METHOD_OVERRIDDEN);
    EXPECT_FALSE(flags(fc) & METHOD_OVERRIDDEN);
    EXPECT_FALSE(flags(fa_other) & METHOD_OVERRIDDEN);
}

TEST_F(ClassModelTest, BaseThatWouldCloseACycleIsRefused) {
    Value a = define_class("A", "B");
    Value b = define_class("B", "A");
    EXPECT_EQ(class_base(as_obj(a)), as_obj(b));
    EXPECT_EQ(class_base(as_obj(b)), nullptr);
    EXPECT_EQ(take_error_code(), 6);
    class_resolve(as_obj(b));  // terminates
    EXPECT_EQ(class_record(as_obj(b))->resolved, 1);

    Value self = define_class("Self", "Self");
    EXPECT_EQ(class_base(as_obj(self)), nullptr);
}

TEST_F(ClassModelTest, InstancesGetTheirOwnCopiesOfFieldDefaults) {
    Value cls = define_class("Point");
    Value items = make_array(0);
    add(cls, MEMBER_FIELD, "items", items);
    add(cls, MEMBER_METHOD, "m", method());
    add(cls, MEMBER_FIELD, "n", make_int(5));

    Value p = class_instantiate(cls), q = class_instantiate(cls);
    const InstanceRecord* rp = instance_record(as_obj(p));
    ASSERT_EQ(rp->field_count, 2);
    EXPECT_EQ(rp->fields, reinterpret_cast<const Value*>(rp + 1));
    EXPECT_NE(rp->fields[0], items);
    EXPECT_NE(rp->fields[0], instance_record(as_obj(q))->fields[0]);
    EXPECT_EQ(rp->fields[1], make_int(5));
    release(p);
    release(q);
}

TEST_F(ClassModelTest, FieldWritesNeedAFieldWithinTheInstance) {
    Value cls = define_class("Box");
    add(cls, MEMBER_FIELD, "v", nil_value());
    add(cls, MEMBER_METHOD, "m", method());
    Value old = class_instantiate(cls);
    EXPECT_FALSE(instance_field_set(as_obj(old), h("m"), make_int(1)));
    EXPECT_FALSE(instance_field_set(as_obj(old), h("missing"), make_int(1)));

    Value f = make_float(1.5);
    EXPECT_TRUE(instance_field_set(as_obj(old), h("v"), f));
    EXPECT_NE(*instance_field_slot(as_obj(old), h("v")), f);  // boxes are copied, never shared

    // A field added later lies beyond older instances' slots.
    Value name = make_string("w");
    ASSERT_TRUE(class_set_member(cls, h("w"), MEMBER_FIELD, make_int(2), name));
    EXPECT_EQ(class_record(as_obj(cls))->resolved, 0);
    EXPECT_FALSE(instance_field_set(as_obj(old), h("w"), make_int(3)));
    Value fresh = class_instantiate(cls);
    EXPECT_EQ(*instance_field_slot(as_obj(fresh), h("w")), make_int(2));
    for (Value v : {f, name, old, fresh}) release(v);
    EXPECT_EQ(take_error_code(), -1);
}

TEST_F(ClassModelTest, InstanceOfVisitsTheClassAndSevenAncestors) {
    Value chain[10];  // K9 derives from K8 ... from K0
    for (int i = 0; i < 10; ++i) {
        std::string name = "K" + std::to_string(i), base = "K" + std::to_string(i - 1);
        chain[i] = define_class(name.c_str(), i ? base.c_str() : nullptr);
    }
    Value inst = class_instantiate(chain[9]);
    EXPECT_TRUE(instance_of(inst, as_obj(chain[2])));   // 7 levels up
    EXPECT_FALSE(instance_of(inst, as_obj(chain[1])));  // 8 levels up
    EXPECT_TRUE(class_derives_from(as_obj(chain[9]), as_obj(chain[1]), 9));
    EXPECT_FALSE(class_derives_from(as_obj(chain[9]), as_obj(chain[0]), 9));
    EXPECT_FALSE(instance_of(chain[9], as_obj(chain[9])));
    release(inst);
}

TEST_F(ClassModelTest, ReleasingLeavesNothingBehind) {
    heap_drain_queue();
    int32_t before = heap_live_count();
    Value base = make_class(make_string("LocalBase"), 0);
    add(base, MEMBER_FIELD, "label", make_string("default label"));
    add(base, MEMBER_METHOD, "Constructor", method());
    g_globals[h("LocalBase")] = base;
    Value derived = make_class(make_string("LocalDerived"), h("LocalBase"));
    add(derived, MEMBER_FIELD, "items", make_array(4));
    Value inst = class_instantiate(derived);
    Value callable = method();
    Value bound = make_bound_method(inst, callable);
    EXPECT_EQ(as_obj(inst)->ref_count, 2u);
    g_globals.erase(h("LocalBase"));
    for (Value v : {base, derived, inst, callable, bound}) release(v);
    heap_drain_queue();
    EXPECT_EQ(heap_live_count(), before);
}

TEST_F(ClassModelTest, BuiltinMethodFlagsSitInSignatureByte29) {
    uint8_t signature[32] = {};
    signature[29] = METHOD_INSTANCE;
    ObjHeader row{F_STATIC, 0, T_BUILTIN, 0, 0, reinterpret_cast<uint64_t>(signature)};
    EXPECT_EQ(method_flags_of(make_ref(&row)), METHOD_INSTANCE);
    row.b = 0;
    EXPECT_EQ(method_flags_of(make_ref(&row)), 0u);
}

TEST_F(ClassModelTest, RenderingAndEquality) {
    Value base = define_class("Base");
    add(base, MEMBER_STATIC, "one", make_int(1));
    Value derived = define_class("Derived", "Base");
    add(derived, MEMBER_FIELD, "x", make_int(3));
    add(derived, MEMBER_FIELD, "y", make_string("why"));
    ASSERT_EQ(class_base(as_obj(derived)), as_obj(base));
    Value p = class_instantiate(derived), q = class_instantiate(derived);

    char proto[64];
    std::snprintf(proto, sizeof proto, ". Proto (%llX)=", static_cast<unsigned long long>(h("Base")));
    testing::internal::CaptureStdout();
    value_render(derived);
    value_render(p);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Class: Derived, {3, why}" + std::string(proto) + "Class: Base, {1}Instance: Derived, {3, why}");

    EXPECT_TRUE(value_deep_equal(p, q));
    ASSERT_TRUE(instance_field_set(as_obj(q), h("x"), make_int(2)));
    EXPECT_FALSE(value_deep_equal(p, q));
    release(p);
    release(q);
}

TEST_F(ClassModelTest, CloningAClassKeepsMethodOwnersOnTheOriginal) {
    Value cls = define_class("Shape");
    Value fn = method();
    add(cls, MEMBER_METHOD, "area", fn);
    add(cls, MEMBER_FIELD, "sides", make_array(0));

    Value copy = clone_value(cls);
    ASSERT_TRUE(is_ref_of(copy, T_CLASS));
    const ClassRecord* record = class_record(as_obj(copy));
    EXPECT_EQ(record->own_members[0].value, fn);  // code is shared
    EXPECT_NE(record->own_members[1].value, class_record(as_obj(cls))->own_members[1].value);
    EXPECT_EQ(function_record(as_obj(fn))->owner_class, as_obj(cls));
    EXPECT_EQ(test::str(record->name), "Shape");
    release(copy);
}

}  // namespace
}  // namespace tarvik
