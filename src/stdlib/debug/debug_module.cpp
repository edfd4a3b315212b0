// stdlib/debug/debug_module.cpp: the Debug module: the value stack and the object
// pool on standard output, value dumps, assertions, reference counts, the memory
// guard and the script's source position.
#include <cstdio>

#include "engine/fiber.h"
#include "runtime/builtin.h"
#include "runtime/block_registry.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/heap.h"
#include "runtime/string.h"
#include "runtime/value_ops.h"
#include "stdlib/stdlib_register.h"

namespace tarvik {

namespace {

// The failure message of an assertion: the caller's text, or `fallback`.
const char* assertion_text(Value* args, int count, int index, const char* fallback) {
    return count > index && is_string(args[index]) ? string_chars(as_obj(args[index])) : fallback;
}

// Natives borrow args[0..count) and return a new reference (nil after raising).
Value debug_stack(Value*, int) {
    const FiberRecord* f = g_current_fiber;
    if (!f) return nil_value();
    std::printf("Stack of fiber %d: %d values\n", int(f->id), int(f->stack_top));
    for (uint32_t i = 0; i < f->stack_top; ++i) {
        std::printf("  [%u] ", i);
        value_debug_dump_traced(f->stack[i]);
    }
    std::fflush(stdout);
    return nil_value();
}

Value debug_pool(Value*, int) {
    heap_dump_slabs();
    std::fflush(stdout);
    return nil_value();
}

Value debug_value(Value* args, int) {
    value_debug_dump_traced(args[0]);
    std::fflush(stdout);
    return nil_value();
}

Value debug_assert(Value* args, int count) {
    if (value_deep_equal(args[0], args[1])) return make_bool(true);
    raise_error(ERR_ASSERTION_FAILED, assertion_text(args, count, 2, nullptr));
    return make_bool(false);
}

Value debug_assert_true(Value* args, int count) {
    if (value_truthy(args[0])) return make_bool(true);
    raise_error(ERR_ASSERTION_FAILED, assertion_text(args, count, 1, nullptr));
    return make_bool(false);
}

Value debug_stack_ptr(Value*, int) { return make_int(g_current_fiber ? g_current_fiber->stack_top : 0); }

Value debug_refs(Value* args, int) {
    Value v = args[0];
    if (!is_ref(v)) return make_int(-1);
    return make_int(int64_t(as_obj(v)->ref_count) - 1);
}

Value debug_guard_address(Value* args, int) {
    Value v = args[0];
    bool numeric = (value_type(v) & (T_INT | T_FLOAT | T_BOOL | T_CHAR)) != 0;
    memory_guard_arm(numeric ? uint64_t(value_to_int(v)) : 0);
    return nil_value();
}

Value debug_here(Value* args, int count) {
    ScriptLocation where;
    bool known = console_current_location(&where);
    const char* file = known && where.source_name ? where.source_name : "<unknown>";
    int line = known && where.line != 0xFFFFFFFF ? int(where.line) : 0;
    char text[1024];
    if (count > 0 && is_string(args[0])) {
        std::snprintf(text, sizeof text, "%s (%s:%d)", string_chars(as_obj(args[0])), file, line);
    } else {
        std::snprintf(text, sizeof text, "%s:%d", file, line);
    }
    return make_string(text);
}

constexpr Signature kNoneToNil{T_NIL, {}};
constexpr Signature kAnyToNil{T_NIL, {T_ANY}};
constexpr Signature kAssert{T_BOOL, {T_ANY, T_ANY, T_STRING}};
constexpr Signature kAssertTrue{T_BOOL, {T_ANY, T_STRING}};
constexpr Signature kNoneToInt{T_INT, {}};
constexpr Signature kAnyToInt{T_INT, {T_ANY}};
constexpr Signature kHere{T_STRING, {T_STRING}};

}  // namespace

constexpr BuiltinNative kDebugNatives[] = {
    {"Stack", debug_stack, &kNoneToNil},
    {"Pool", debug_pool, &kNoneToNil},
    {"Value", debug_value, &kAnyToNil},
    {"Assert", debug_assert, &kAssert},
    {"AssertTrue", debug_assert_true, &kAssertTrue},
    {"StackPtr", debug_stack_ptr, &kNoneToInt},
    {"Refs", debug_refs, &kAnyToInt},
    {"GuardAddress", debug_guard_address, &kAnyToNil},
    {"Here", debug_here, &kHere},
};

void debug_register_natives() { builtin_register_module("Debug", kDebugNatives); }

}  // namespace tarvik
