// runtime/function.cpp: function values and the type rows for the value types whose
// records the runtime defines (functions and classes).
#include "runtime/function.h"

#include "runtime/alloc.h"
#include "runtime/class_record.h"
#include "runtime/heap.h"
#include "runtime/type_ops.h"
#include "runtime/value_ops.h"

#include <cstdio>

namespace tarvik {

namespace {

void (*g_release_env)(Env* env) = nullptr;

void function_release_contents(ObjHeader* obj) {
    FunctionRecord* fn = function_record(obj);
    if (!fn) return;
    release(fn->redirect);
    release(fn->name);
    chunk_release(fn->chunk);
    if (fn->env && g_release_env) g_release_env(fn->env);  // every non-null env is an owned reference
    checked_free(fn->param_classes);
    checked_free(fn);
    obj->a = 0;
}

void function_render(Value v) {
    const FunctionRecord* fn = function_record(as_obj(v));
    if (!fn) {
        std::printf("<fn(0) Flags:0 Hash:0>");
        return;
    }
    std::printf("<fn(%d) Flags:%X Hash:%llX>", int(fn->param_count), fn->function_flags,
                static_cast<unsigned long long>(value_hash(v)));
}

}  // namespace

Value make_function() {
    auto* record = static_cast<FunctionRecord*>(checked_alloc(sizeof(FunctionRecord)));
    if (!record) return nil_value();
    ObjHeader* obj = heap_alloc();
    obj->type = T_FUNCTION;
    obj->aux = 0;
    obj->a = reinterpret_cast<uint64_t>(record);
    obj->b = 0;
    return make_ref(obj);
}

Value function_name_value(Value function) {
    if (!is_ref_of(function, T_FUNCTION)) return kAbsent;
    const FunctionRecord* fn = function_record(as_obj(function));
    return fn ? fn->name : kAbsent;
}

void function_set_env_release(void (*release_env)(Env* env)) { g_release_env = release_env; }

void value_types_register() {
    TypeOps& fn = type_ops(T_FUNCTION);
    fn.release_contents = function_release_contents;
    fn.name = function_name_value;
    fn.render = function_render;
    type_ops(T_CLASS).release_contents = class_release_contents;
}

}  // namespace tarvik
