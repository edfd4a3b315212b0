// engine/class_module.cpp: the Class module, type tests, lineage, names, member
// listings and reflective field access, method lookup and construction by name.
#include "engine/class_module.h"

#include "engine/class_model.h"
#include "engine/env.h"
#include "runtime/array.h"
#include "runtime/builtin.h"
#include "runtime/errors.h"
#include "runtime/function.h"
#include "runtime/string.h"

namespace tarvik {

namespace {

// The Class module's lineage tests visit the class and its first eight ancestors.
constexpr int kLineageClasses = 9;

bool is_class(Value v) { return is_ref_of(v, T_CLASS) && class_record(as_obj(v)); }
bool is_instance(Value v) { return is_ref_of(v, T_INSTANCE) && instance_record(as_obj(v)); }

// The class of a class (itself) or of an instance (may be null); null otherwise.
ObjHeader* class_of(Value v) {
    if (is_class(v)) return as_obj(v);
    if (is_instance(v)) return instance_record(as_obj(v))->cls;
    return nullptr;
}

Value retained_or_nil(Value v) {
    if (is_absent(v)) return nil_value();
    retain(v);
    return v;
}

uint64_t name_hash(Value name) { return string_hash(as_obj(name)); }

// The resolved method entry for a name, or null.
const MemberEntry* method_entry(Value target, Value name) {
    ObjHeader* cls = class_of(target);
    if (!cls || !is_string(name)) return nullptr;
    const MemberEntry* entry = class_find_member(cls, name_hash(name));
    return entry && entry->kind == MEMBER_METHOD ? entry : nullptr;
}

// Which callable a target may reach by name: static methods only through a class,
// instance methods only through an instance (with the receiver bound).
enum class Reach { None, Plain, Bound };

Reach reach_of(Value target, Value callable) {
    uint32_t flags = method_flags_of(callable);
    bool on_instance = is_instance(target);
    if (flags & METHOD_STATIC) return on_instance ? Reach::None : Reach::Plain;
    if (flags & METHOD_INSTANCE) return on_instance ? Reach::Bound : Reach::None;
    return Reach::Plain;
}

// Calls a method with the arguments (borrowed), the receiver first when present.
// A builtin runs here with its argument checks; everything else goes through the
// interpreter. A new reference, nil when nothing came back.
Value call_method(Value callable, Value receiver, Value* args, int count, const char* label) {
    Value result;
    if (is_ref_of(callable, T_BUILTIN)) {
        Value all[kMaxBuiltinArgs + 1];
        int n = 0;
        if (!is_absent(receiver)) all[n++] = receiver;
        if (count + n > kMaxBuiltinArgs) {
            raise_error(ERR_INVALID_ARGUMENTS);
            return nil_value();
        }
        for (int i = 0; i < count; ++i) all[n++] = args[i];
        result = builtin_invoke(as_obj(callable), all, n, !is_absent(receiver));
    } else if (!is_absent(receiver)) {
        Value bound = make_bound_method(receiver, callable);
        result = invoke_callable(bound, args, count, label);
        release(bound);
    } else {
        result = invoke_callable(callable, args, count, label);
    }
    return is_absent(result) ? nil_value() : result;
}

// Names of the members of a table that pass `wanted`, in table order.
template <typename Wanted>
Value member_names(const MemberEntry* table, uint32_t count, Wanted wanted) {
    Value out = make_array(0);
    for (uint32_t i = 0; i < count; ++i) {
        if (wanted(table[i])) array_append(out, is_absent(table[i].name) ? nil_value() : table[i].name, true);
    }
    return out;
}

bool own_method_with(const MemberEntry& e, uint32_t set, uint32_t clear) {
    if (e.kind != MEMBER_METHOD) return false;
    uint32_t flags = method_flags_of(e.value);
    return (flags & set) == set && (flags & clear) == 0;
}

// ---- natives ---------------------------------------------------------------

Value class_instance_of(Value* args, int) {
    if (!is_instance(args[0]) || !is_class(args[1])) return make_bool(false);
    return make_bool(class_derives_from(instance_record(as_obj(args[0]))->cls, as_obj(args[1]), kLineageClasses));
}

Value class_subclass_of(Value* args, int) {
    if (!is_class(args[0]) || !is_class(args[1])) return make_bool(false);
    return make_bool(class_derives_from(as_obj(args[0]), as_obj(args[1]), kLineageClasses));
}

Value class_get_base(Value* args, int) {
    if (is_instance(args[0])) {
        ObjHeader* cls = instance_record(as_obj(args[0]))->cls;
        return cls ? retained_or_nil(make_ref(cls)) : nil_value();
    }
    if (!is_class(args[0])) return nil_value();
    ObjHeader* base = class_base(as_obj(args[0]));
    return base ? retained_or_nil(make_ref(base)) : nil_value();
}

Value class_of_value(Value* args, int) {
    ObjHeader* cls = class_of(args[0]);
    return cls ? retained_or_nil(make_ref(cls)) : nil_value();
}

Value class_get_name(Value* args, int) {
    if (is_class(args[0])) return retained_or_nil(class_record(as_obj(args[0]))->name);
    if (is_instance(args[0])) return retained_or_nil(instance_record(as_obj(args[0]))->class_name);
    return nil_value();
}

Value class_is_instance(Value* args, int) { return make_bool(is_ref_of(args[0], T_INSTANCE)); }
Value class_is_class(Value* args, int) { return make_bool(is_ref_of(args[0], T_CLASS)); }

Value class_fields(Value* args, int) {
    ObjHeader* cls = class_of(args[0]);
    if (!cls) return make_array(0);
    class_resolve(cls);
    const ClassRecord* record = class_record(cls);
    return member_names(record->resolved_members, record->resolved_count,
                        [](const MemberEntry& e) { return e.kind == MEMBER_FIELD; });
}

Value class_instance_methods(Value* args, int) {
    ObjHeader* cls = class_of(args[0]);
    if (!cls) return make_array(0);
    const ClassRecord* record = class_record(cls);
    return member_names(record->own_members, record->own_count,
                        [](const MemberEntry& e) { return own_method_with(e, METHOD_INSTANCE, METHOD_STATIC); });
}

Value class_static_methods(Value* args, int) {
    ObjHeader* cls = class_of(args[0]);
    if (!cls) return make_array(0);
    const ClassRecord* record = class_record(cls);
    return member_names(record->own_members, record->own_count,
                        [](const MemberEntry& e) { return own_method_with(e, METHOD_STATIC, 0); });
}

Value class_all_methods(Value* args, int) {
    ObjHeader* cls = class_of(args[0]);
    if (!cls) return make_array(0);
    class_resolve(cls);
    const ClassRecord* record = class_record(cls);
    return member_names(record->resolved_members, record->resolved_count,
                        [](const MemberEntry& e) { return e.kind == MEMBER_METHOD; });
}

Value class_get_field(Value* args, int) {
    if (!is_instance(args[0]) || !is_string(args[1])) return nil_value();
    const Value* slot = instance_field_slot(as_obj(args[0]), name_hash(args[1]));
    return slot ? retained_or_nil(*slot) : nil_value();
}

Value class_set_field(Value* args, int) {
    if (!is_instance(args[0]) || !is_string(args[1])) return make_bool(false);
    if (as_obj(args[0])->flags & F_FROZEN) return make_bool(false);
    Value value = is_absent(args[2]) ? nil_value() : args[2];
    return make_bool(instance_field_set(as_obj(args[0]), name_hash(args[1]), value));
}

Value class_has_method(Value* args, int) { return make_bool(method_entry(args[0], args[1]) != nullptr); }

Value class_get_method(Value* args, int) {
    const MemberEntry* entry = method_entry(args[0], args[1]);
    if (!entry) return nil_value();
    switch (reach_of(args[0], entry->value)) {
    case Reach::None: return nil_value();
    case Reach::Bound: return make_bound_method(args[0], entry->value);
    case Reach::Plain: break;
    }
    return retained_or_nil(entry->value);
}

Value class_invoke(Value* args, int count) {
    const MemberEntry* entry = method_entry(args[0], args[1]);
    if (!entry) return nil_value();
    Reach reach = reach_of(args[0], entry->value);
    if (reach == Reach::None) return nil_value();
    // The call may change the class and its table: hold the callable meanwhile.
    Value callable = entry->value;
    retain(callable);
    Value result = call_method(callable, reach == Reach::Bound ? args[0] : kAbsent, args + 2, count - 2, nullptr);
    release(callable);
    return result;
}

// A new instance of the class bound globally to the name, or nil.
Value instantiate_by_name(Value name) {
    if (!is_string(name) || !g_global_env) return nil_value();
    const EnvEntry* entry = env_find(g_global_env, name_hash(name));
    if (!entry || !is_class(entry->value)) return nil_value();
    return class_instantiate(entry->value);
}

Value class_instantiate_native(Value* args, int) { return instantiate_by_name(args[0]); }

// A script constructor takes the instance and the arguments within its counts.
bool constructor_accepts(Value constructor, int argument_count) {
    if (!is_ref_of(constructor, T_FUNCTION)) return true;
    const FunctionRecord* fn = function_record(as_obj(constructor));
    int total = argument_count + 1;
    return total >= fn->required_count && total <= fn->param_count;
}

Value class_new(Value* args, int count) {
    Value instance = instantiate_by_name(args[0]);
    if (!is_instance(instance)) return instance;
    ObjHeader* cls = instance_record(as_obj(instance))->cls;
    Value constructor = class_record(cls)->constructor;
    if (is_absent(constructor) || !is_method_value(constructor)) return instance;
    if (!constructor_accepts(constructor, count - 1)) {
        release(instance);
        raise_error(ERR_INVALID_ARGUMENTS);
        return nil_value();
    }
    retain(constructor);
    Value result = call_method(constructor, instance, args + 1, count - 1, "Constructor");
    release(constructor);
    release(result);
    // A constructor that raised leaves a half-built instance: answer nil instead.
    if (error_pending()) {
        release(instance);
        return nil_value();
    }
    return instance;
}

// ---- field access for the Object module -------------------------------------

// The resolved field entry for a slot, or null.
const MemberEntry* field_at(ObjHeader* cls, uint32_t index) {
    const ClassRecord* record = class_record(cls);
    for (uint32_t i = 0; i < record->resolved_count; ++i) {
        const MemberEntry& e = record->resolved_members[i];
        if (e.kind == MEMBER_FIELD && e.field_index == index) return &e;
    }
    return nullptr;
}

int field_count_of(Value v) {
    if (is_instance(v)) {
        const InstanceRecord* record = instance_record(as_obj(v));
        if (record->cls) class_resolve(record->cls);
        return error_pending() ? -1 : record->field_count;
    }
    if (!is_class(v)) return 0;
    class_resolve(as_obj(v));
    return error_pending() ? -1 : class_record(as_obj(v))->field_count;
}

void field_of(Value v, uint32_t index, Value* name, Value* value) {
    *name = kAbsent;
    *value = kAbsent;
    ObjHeader* cls = class_of(v);
    const MemberEntry* entry = cls && class_record(cls)->resolved ? field_at(cls, index) : nullptr;
    if (entry) *name = entry->name;
    if (is_instance(v)) {
        const InstanceRecord* record = instance_record(as_obj(v));
        if (index < record->field_count) *value = record->fields[index];
    } else if (entry) {
        *value = entry->value;
    }
}

constexpr ClassFieldAccess kFieldAccess{field_count_of, field_of};

constexpr uint32_t T_CLASS_LIKE = T_CLASS | T_INSTANCE;

constexpr Signature kValueClassToBool{T_BOOL, {T_ANY, T_CLASS}};
constexpr Signature kClassClassToBool{T_BOOL, {T_CLASS, T_CLASS}};
constexpr Signature kClassLikeToClass{T_CLASS | T_NIL, {T_CLASS_LIKE}};
constexpr Signature kValueToClass{T_CLASS | T_NIL, {T_ANY}};
constexpr Signature kClassLikeToString{T_STRING | T_NIL, {T_CLASS_LIKE}};
constexpr Signature kValueToBool{T_BOOL, {T_ANY}};
constexpr Signature kClassLikeToArray{T_ARRAY, {T_CLASS_LIKE}};
constexpr Signature kInstanceToArray{T_ARRAY, {T_INSTANCE}};
constexpr Signature kGetField{T_ANY, {T_INSTANCE, T_STRING}};
constexpr Signature kSetField{T_BOOL, {T_INSTANCE, T_STRING, T_ANY}};
constexpr Signature kHasMethod{T_BOOL, {T_CLASS_LIKE, T_STRING}};
constexpr Signature kGetMethod{T_ANY, {T_CLASS_LIKE, T_STRING}};
constexpr Signature kInvoke{T_ANY, {T_CLASS_LIKE, T_STRING}};
constexpr Signature kByName{T_INSTANCE | T_NIL, {T_STRING}};

}  // namespace

// Catalogue order.
constexpr BuiltinNative kClassNatives[] = {
    {"InstanceOf", class_instance_of, &kValueClassToBool},
    {"SubclassOf", class_subclass_of, &kClassClassToBool},
    {"GetBase", class_get_base, &kClassLikeToClass},
    {"GetName", class_get_name, &kClassLikeToString},
    {"IsInstance", class_is_instance, &kValueToBool},
    {"IsClass", class_is_class, &kValueToBool},
    {"InstanceMethods", class_instance_methods, &kClassLikeToArray},
    {"StaticMethods", class_static_methods, &kClassLikeToArray},
    {"Invoke", class_invoke, &kInvoke},
    {"Instantiate", class_instantiate_native, &kByName},
    {"Fields", class_fields, &kInstanceToArray},
    {"Name", class_get_name, &kClassLikeToString},
    {"Of", class_of_value, &kValueToClass},
    {"AllMethods", class_all_methods, &kClassLikeToArray},
    {"GetField", class_get_field, &kGetField},
    {"SetField", class_set_field, &kSetField},
    {"HasMethod", class_has_method, &kHasMethod},
    {"GetMethod", class_get_method, &kGetMethod},
    {"New", class_new, &kByName},
};

void class_module_register() {
    builtin_register_module("Class", kClassNatives);
    class_set_field_access(&kFieldAccess);
}

}  // namespace tarvik
