// stdlib/vm/vm_info.cpp: descriptions of callables and builtin modules.
//
// Signature text: "fn <name>(<type>, <type>?, ...) - <return type>", at most 512
// characters; "?" marks an optional parameter and "any" an unchecked one.
#include "stdlib/vm/vm_info.h"

#include <cstdio>
#include <cstring>

#include "runtime/array.h"
#include "runtime/builtin.h"
#include "runtime/builtin_catalog.h"
#include "runtime/class_record.h"
#include "runtime/function.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/value_ops.h"

namespace tarvik {

namespace {

constexpr size_t kSignatureChars = 512;
constexpr uint32_t kMethodInstance = 0x2;
constexpr uint32_t kMethodStatic = 0x4;
constexpr int kCheckedParams = 6;

// What a description needs of a callable, whatever its kind.
struct Shape {
    const char* kind = "unknown";
    Value name = kAbsent;           // borrowed
    int required = 0;
    int optional = 0;
    uint32_t returns = T_ANY;
    uint32_t params[kMaxParams] = {};
    uint32_t method_flags = 0;
    bool is_async = false;
    Value owner = kAbsent;          // borrowed
};

const char* type_text(uint32_t mask) { return mask == 0 ? "any" : signature_type_description(mask); }

// Parameters listed in a signature: a variadic member shows its required ones.
int listed_params(const Shape& s) {
    int n = s.required + (s.optional == kVariadic ? 0 : s.optional);
    return n < int(kMaxParams) ? n : int(kMaxParams);
}

Value signature_text(const Shape& s, const char* name) {
    char text[kSignatureChars + 1];
    size_t used = 0;
    auto add = [&](const char* piece) {
        size_t n = std::strlen(piece);
        if (n > kSignatureChars - used) n = kSignatureChars - used;
        std::memcpy(text + used, piece, n);
        used += n;
    };
    add("fn ");
    add(name);
    add("(");
    for (int i = 0; i < listed_params(s); ++i) {
        if (i) add(", ");
        add(type_text(s.params[i]));
        if (i >= s.required) add("?");
    }
    add(") - ");
    add(type_text(s.returns));
    text[used] = '\0';
    return make_string(text);
}

Shape shape_of_function(Value fn_value) {
    Shape s;
    const FunctionRecord* fn = function_record(as_obj(fn_value));
    s.kind = "function";
    s.name = fn->name;
    s.required = fn->required_count;
    s.optional = fn->param_count - fn->required_count;
    for (uint32_t i = 0; i < kMaxParams; ++i) s.params[i] = fn->param_types[i] & ~kParamOptional;
    s.method_flags = fn->function_flags & (kMethodInstance | kMethodStatic);
    s.is_async = (fn->function_flags & FN_ASYNC) != 0;
    if (fn->owner_class) s.owner = make_ref(fn->owner_class);
    return s;
}

Shape shape_of_builtin(const ObjHeader* row) {
    Shape s;
    s.kind = "builtin";
    s.required = int(row->aux & 0xFF);
    s.optional = int((row->aux >> 8) & 0xFF);
    if (const auto* sig = reinterpret_cast<const Signature*>(row->b)) {
        s.returns = sig->returns;
        for (int i = 0; i < kCheckedParams; ++i) s.params[i] = sig->params[i];
        s.method_flags = reinterpret_cast<const uint8_t*>(sig)[29];
    }
    return s;
}

Value type_names(const Shape& s) {
    Value list = make_array(listed_params(s));
    for (int i = 0; i < listed_params(s); ++i) array_append(list, make_string(type_text(s.params[i])), false);
    return list;
}

Value optional_flags(const Shape& s) {
    Value list = make_array(listed_params(s));
    for (int i = 0; i < listed_params(s); ++i) array_append(list, make_bool(i >= s.required), false);
    return list;
}

Value retained_or_nil(Value v) {
    if (is_absent(v)) return nil_value();
    retain(v);
    return v;
}

}  // namespace

Value vm_get_function_info(Value* args, int) {
    Value callee = args[0];
    if (is_ref_of(callee, T_BOUND_METHOD)) {
        const Value* pair = reinterpret_cast<const Value*>(as_obj(callee)->b);
        callee = pair ? pair[1] : kAbsent;
    }
    Shape s;
    char name[256] = "";
    if (is_ref_of(callee, T_FUNCTION)) {
        s = shape_of_function(callee);
        if (is_string(s.name)) std::snprintf(name, sizeof name, "%s", string_chars(as_obj(s.name)));
    } else if (is_ref_of(callee, T_BUILTIN)) {
        s = shape_of_builtin(as_obj(callee));
        std::snprintf(name, sizeof name, "%s", builtin_qualified_name(callee));
    } else if (is_ref_of(callee, T_FFI_FUNCTION)) {
        s.kind = "ffi";
    }
    Value info = make_object();
    object_put(info, "Kind", make_string(s.kind));
    object_put(info, "Name", name[0] ? make_string(name) : nil_value());
    object_put(info, "Arity", make_int(s.required + (s.optional == kVariadic ? 0 : s.optional)));
    object_put(info, "Optional", make_int(s.optional));
    object_put(info, "ReturnType", make_string(type_text(s.returns)));
    object_put(info, "Returns", make_int(int64_t(s.returns)));
    object_put(info, "ArgTypes", type_names(s));
    object_put(info, "ArgOptional", optional_flags(s));
    object_put(info, "IsStatic", make_bool(s.method_flags & kMethodStatic));
    object_put(info, "IsAsync", make_bool(s.is_async));
    object_put(info, "IsMethod", make_bool(s.method_flags & kMethodInstance));
    object_put(info, "Owner", retained_or_nil(s.owner));
    object_put(info, "Signature", signature_text(s, name));
    return info;
}

Value vm_get_module_info(Value* args, int) {
    if (!is_string(args[0])) return nil_value();
    const char* wanted = string_chars(as_obj(args[0]));
    for (int m = 0; m < builtin_module_count(); ++m) {
        const BuiltinModule* module = builtin_registry_module(m);
        if (!module || std::strcmp(module->name, wanted) != 0) continue;
        Value members = make_array(0);
        Value constants = make_array(0);
        for (uint32_t i = 0; i < module->member_count; ++i) {
            ObjHeader* row = &module->rows[i];
            Value entry = make_object();
            object_put(entry, "Name", make_string(module->names[i]));
            if (row->type == T_BUILTIN) {
                char qualified[256];
                std::snprintf(qualified, sizeof qualified, "%s.%s", module->name, module->names[i]);
                object_put(entry, "Signature", signature_text(shape_of_builtin(row), qualified));
                array_append(members, entry, false);
            } else {
                object_put(entry, "Type", make_string(type_name_of_mask(row->type)));
                object_put(entry, "Value", make_ref(row));  // static: never counted
                array_append(constants, entry, false);
            }
        }
        Value info = make_object();
        object_put(info, "Module", make_string(module->name));
        object_put(info, "Members", members);
        object_put(info, "Constants", constants);
        return info;
    }
    return nil_value();
}

}  // namespace tarvik
