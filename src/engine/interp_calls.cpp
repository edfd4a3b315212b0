// engine/interp_calls.cpp: the call protocol: frames, the generic call, builtin and
// method calls, and calls from native code back into scripts.
#include <cstdio>

#include "engine/class_model.h"
#include "engine/env.h"
#include "engine/exceptions.h"
#include "engine/interp_ops.h"
#include "engine/interpreter.h"
#include "runtime/builtin.h"
#include "runtime/builtin_catalog.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/function.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/type_ops.h"
#include "runtime/value_ops.h"
#include "runtime/vm_options.h"

namespace tarvik {

uint32_t g_nested_runs = 0;

namespace {

constexpr int kObjectModule = 0;
constexpr int kArrayModule = 2;
constexpr int kStringModule = 9;
constexpr int kCharModule = 35;
constexpr uint32_t kMethodFlagInstance = 0x2;

uint32_t frame_floor(const FiberRecord* f) {
    return f->frame_count > 0 ? f->frames[f->frame_count - 1].stack_base : 0;
}

void release_values(Value* values, int n) {
    for (int i = 0; i < n; ++i) release(values[i]);
}

// Pops argc values into out[0..argc) in push order; missing ones become nil.
void pop_args(FiberRecord* f, Value* out, int argc) {
    for (int i = argc - 1; i >= 0; --i) out[i] = fiber_pop(f);
}

void discard_args(FiberRecord* f, int argc) {
    for (int i = 0; i < argc; ++i) release(fiber_pop(f));
}

int current_line(const FiberRecord* f) {
    if (f->frame_count <= 0) return -1;
    return int(f->frames[f->frame_count - 1].line);
}

// Method flags of a builtin row live in byte 29 of its signature record.
uint32_t builtin_method_flags(const ObjHeader* row) {
    auto* sig = reinterpret_cast<const uint8_t*>(row->b);
    return sig ? sig[29] : 0;
}

const Signature* builtin_signature(const ObjHeader* row) { return reinterpret_cast<const Signature*>(row->b); }

// The member of a fallback module for a receiver type, or null.
const ObjHeader* fallback_member(int module, const char* name, uint32_t first_mask_required, bool exact) {
    int member = builtin_member_index(module, name);
    if (member < 0 || !builtin_member_is_function(module, member)) return nullptr;
    const ObjHeader* row = builtin_row(module, member);
    if (!row) return nullptr;
    if (first_mask_required) {
        const Signature* sig = builtin_signature(row);
        uint32_t mask = sig ? sig->params[0] : 0;
        if (exact ? mask != first_mask_required : !(mask & first_mask_required)) return nullptr;
    }
    return row;
}

// How a builtin called as a method sees its receiver.
enum ReceiverMode {
    RECEIVER_DROPPED,   // not passed
    RECEIVER_EXCLUDED,  // passed as argument 0, outside the counts and checks (method flag 0x2)
    RECEIVER_ARGUMENT,  // the first ordinary argument (module fallbacks: "s".ToUpper())
};

CallOutcome call_builtin_method(FiberRecord* f, const ObjHeader* row, Value receiver, int argc, ReceiverMode mode) {
    // The builtin interface checks the counts and types and prints their lines.
    if (mode == RECEIVER_DROPPED) {
        release(receiver);
        receiver = kAbsent;
    }
    if (mode == RECEIVER_ARGUMENT) {
        // The receiver becomes the first argument: put it under the others on the stack.
        if (!fiber_push(f, nil_value())) {
            release(receiver);
            discard_args(f, argc);
            return CALL_FAILED;
        }
        for (int i = 0; i < argc; ++i) f->stack[f->stack_top - 1 - i] = f->stack[f->stack_top - 2 - i];
        f->stack[f->stack_top - 1 - argc] = receiver;
        call_builtin_from_stack(f, row, kAbsent, argc + 1);
    } else {
        call_builtin_from_stack(f, row, receiver, argc);
    }
    return (f->flags & FIBER_UNHANDLED) ? CALL_FAILED : CALL_DONE;
}

// A member as a method call sees it: no binding (a bound method would hold the
// receiver until its slot is reused). New reference or absent.
// The resolved entry for `hash`, trying the compiler's hinted index first.
const MemberEntry* find_member_hinted(ObjHeader* cls, uint64_t hash, int hint) {
    const ClassRecord* record = class_record(cls);
    if (record && record->resolved && hint >= 0 && uint32_t(hint) < record->resolved_count &&
        record->resolved_members[hint].name_hash == hash) {
        return &record->resolved_members[hint];
    }
    return class_find_member(cls, hash);
}

Value raw_member(Value receiver, uint64_t hash, int hint) {
    ObjHeader* obj = as_obj(receiver);
    Value v = kAbsent;
    switch (obj->type) {
    case T_OBJECT:
    case T_EXCEPTION:
        if (obj->a) v = map_get(object_map(obj), hash);
        break;
    case T_CLASS:
        if (const MemberEntry* e = find_member_hinted(obj, hash, hint)) v = e->value;
        break;
    case T_INSTANCE: {
        const InstanceRecord* record = instance_record(obj);
        if (!record || !record->cls) break;
        const MemberEntry* e = find_member_hinted(record->cls, hash, hint);
        if (!e) break;
        if (e->kind == MEMBER_FIELD) {
            Value* slot = instance_field_slot(obj, hash);
            v = slot ? *slot : kAbsent;
        } else {
            v = e->value;
        }
        break;
    }
    default: break;
    }
    retain(v);
    return v;
}

// Calling an asynchronous function: a new fiber (not queued) gets the call as its
// first frame, and the caller receives the fiber; awaiting it starts it.
CallOutcome start_async_call(FiberRecord* f, Value callee, Value receiver, Value* args, int argc) {
    Value fiber = fiber_create(callee, g_options.max_frames, g_options.stack_slots);
    if (!is_ref_of(fiber, T_FIBER)) {
        release(callee);
        release(receiver);
        release_values(args, argc);
        return CALL_FAILED;
    }
    CallOutcome outcome = push_script_frame(fiber_record(as_obj(fiber)), callee, receiver, args, argc, false);
    if (outcome == CALL_FAILED) {
        release(fiber);
        return CALL_FAILED;
    }
    return fiber_push(f, fiber) ? CALL_DONE : CALL_FAILED;
}

}  // namespace

bool fiber_push(FiberRecord* f, Value v) {
    if (f->stack_top >= f->stack_cap) {
        release(v);
        raise_error(ERR_STACK);
        return false;
    }
    f->stack[f->stack_top++] = v;
    return true;
}

Value fiber_pop(FiberRecord* f) {
    if (f->stack_top <= frame_floor(f)) {
        raise_error(ERR_STACK);
        return nil_value();
    }
    return f->stack[--f->stack_top];
}

CallOutcome push_script_frame(FiberRecord* f, Value callee, Value receiver, Value* args, int argc, bool verbose_arity) {
    const FunctionRecord* fn = function_record(as_obj(callee));
    // A fiber's first frame is pushed with no frame below it; any other call of an
    // asynchronous function starts a fiber instead.
    if ((fn->function_flags & FN_ASYNC) && f->frame_count > 0) return start_async_call(f, callee, receiver, args, argc);
    int total = argc + (is_absent(receiver) ? 0 : 1);
    auto fail = [&](int code) {
        release(callee);
        release(receiver);
        release_values(args, argc);
        raise_error(code);
        return CALL_FAILED;
    };
    if (total < fn->required_count) {
        if (verbose_arity) print_verbose("Function expects at least %d arguments, got %d\n", fn->required_count, total);
        else print_error("Function expects at least %d arguments, got %d\n", fn->required_count, total);
        return fail(ERR_INVALID_ARGUMENTS);
    }
    if (total > fn->param_count) {
        print_verbose("Function expects at most %d arguments, got %d\n", fn->param_count, total);
        return fail(ERR_INVALID_ARGUMENTS);
    }
    if (uint32_t(f->frame_count) >= f->frame_capacity) return fail(ERR_STACK);
    Chunk* chunk = fn->chunk;
    if (!chunk || uint64_t(chunk->max_stack) + f->stack_top > f->stack_cap) return fail(ERR_STACK);

    CallFrame& frame = f->frames[f->frame_count];
    int slot = 0;
    if (!is_absent(receiver)) frame.locals[slot++] = receiver;
    for (int i = 0; i < argc; ++i) frame.locals[slot++] = args[i];
    for (; slot < fn->param_count; ++slot) frame.locals[slot] = nil_value();
    frame.live_locals = fn->param_count;
    if (fn->function_flags & FN_TYPED) {
        uint32_t masks[kMaxParams];
        for (uint32_t i = 0; i < kMaxParams; ++i) masks[i] = fn->param_types[i] & ~kParamOptional;
        if (!check_arguments_masks(fn->required_count, fn->optional_count, masks,
                                   fn->required_count + fn->optional_count, frame.locals, total)) {
            for (int i = 0; i < frame.live_locals; ++i) {
                release(frame.locals[i]);
                frame.locals[i] = kAbsent;
            }
            frame.live_locals = 0;
            release(callee);
            return CALL_FAILED;
        }
    }
    enter_frame(f, frame, callee, chunk, fn->owner_class, fn->env, g_global_env);
    return CALL_PUSHED_FRAME;
}

void pop_frame(FiberRecord* f) {
    CallFrame& frame = f->frames[f->frame_count - 1];
    Value result = f->stack_top > frame.stack_base ? f->stack[--f->stack_top] : nil_value();
    while (f->stack_top > frame.stack_base) release(f->stack[--f->stack_top]);
    for (uint32_t i = 0; i < frame.live_locals; ++i) {
        release(frame.locals[i]);
        frame.locals[i] = kAbsent;
    }
    frame.live_locals = 0;
    release(frame.callee);
    frame.callee = kAbsent;
    f->frame_count -= 1;
    while (f->handler_top >= 0 && f->handlers[f->handler_top].frame_depth > uint32_t(f->frame_count)) {
        release(f->handlers[f->handler_top].pending_value);
        f->handlers[f->handler_top].pending_value = kAbsent;
        f->handler_top -= 1;
    }
    if (f->stack_top >= f->stack_cap) {  // entered with a full stack and returned nothing
        release(result);
        raise_error(ERR_STACK);
        return;
    }
    f->stack[f->stack_top++] = result;
}

void call_builtin_from_stack(FiberRecord* f, const ObjHeader* row, Value receiver, int argc) {
    int count = argc + (is_absent(receiver) ? 0 : 1);
    if (count > kMaxBuiltinArgs) {
        discard_args(f, argc);
        release(receiver);
        raise_error(ERR_INVALID_ARGUMENTS);
        return;
    }
    Value args[kMaxBuiltinArgs];
    int first = 0;
    if (!is_absent(receiver)) args[first++] = receiver;
    pop_args(f, args + first, argc);
    Value result = builtin_invoke(row, args, count, !is_absent(receiver));
    release_values(args, count);
    if (!is_absent(result)) fiber_push(f, result);
}

CallOutcome call_value(FiberRecord* f, int argc) {
    Value callee = fiber_pop(f);
    for (int hops = 0; is_ref_of(callee, T_FUNCTION) && hops < 16; ++hops) {
        Value redirect = function_record(as_obj(callee))->redirect;
        if (is_absent(redirect)) break;
        retain(redirect);
        release(callee);
        callee = redirect;
    }
    uint32_t type = value_type(callee);
    if (type == T_BUILTIN) {
        call_builtin_from_stack(f, as_obj(callee), kAbsent, argc);
        release(callee);
        return (f->flags & FIBER_UNHANDLED) ? CALL_FAILED : CALL_DONE;
    }
    if (type == T_FUNCTION) {
        if (argc > int(kMaxCallArguments)) {
            discard_args(f, argc);
            release(callee);
            raise_error(ERR_INVALID_ARGUMENTS);
            return CALL_FAILED;
        }
        Value args[kMaxCallArguments];
        pop_args(f, args, argc);
        return push_script_frame(f, callee, kAbsent, args, argc, /*verbose_arity=*/false);
    }
    if (type == T_BOUND_METHOD) {
        const Value* pair = reinterpret_cast<const Value*>(as_obj(callee)->b);
        Value receiver = pair ? pair[0] : kAbsent;
        Value method = pair ? pair[1] : kAbsent;
        if (is_absent(method)) {
            discard_args(f, argc);
            release(callee);
            raise_error(ERR_RUNTIME);
            return CALL_FAILED;
        }
        retain(receiver);
        retain(method);
        release(callee);
        if (is_ref_of(method, T_FUNCTION)) {
            if (argc + 1 > int(kMaxCallArguments)) {
                discard_args(f, argc);
                release(receiver);
                release(method);
                raise_error(ERR_INVALID_ARGUMENTS);
                return CALL_FAILED;
            }
            Value args[kMaxCallArguments];
            pop_args(f, args, argc);
            return push_script_frame(f, method, receiver, args, argc, /*verbose_arity=*/false);
        }
        if (is_ref_of(method, T_BUILTIN)) {
            CallOutcome outcome = call_builtin_method(f, as_obj(method), receiver, argc, RECEIVER_EXCLUDED);
            release(method);
            return outcome;
        }
        release(receiver);
        release(method);
        discard_args(f, argc);
        raise_error(ERR_RUNTIME);
        return CALL_FAILED;
    }
    print_verbose("Call to non-callable at line %d\n", current_line(f));
    release(callee);
    discard_args(f, argc);
    fiber_push(f, nil_value());
    return CALL_DONE;
}

CallOutcome call_method(FiberRecord* f, Value receiver, Value name, uint64_t hash, int argc, int hint) {
    uint32_t type = value_type(receiver);
    const char* name_text = is_string(name) ? string_chars(as_obj(name)) : "";
    if (type == T_OBJECT || type == T_EXCEPTION || type == T_CLASS || type == T_INSTANCE) {
        Value member = raw_member(receiver, hash, hint);
        uint32_t member_type = value_type(member);
        if (member_type == T_FUNCTION) {
            bool with_receiver = (function_record(as_obj(member))->function_flags & kMethodFlagInstance) != 0;
            Value args[kMaxCallArguments];
            if (argc + (with_receiver ? 1 : 0) > int(kMaxCallArguments)) {
                release(member);
                release(receiver);
                discard_args(f, argc);
                raise_error(ERR_INVALID_ARGUMENTS);
                return CALL_FAILED;
            }
            pop_args(f, args, argc);
            if (!with_receiver) {
                release(receiver);
                receiver = kAbsent;
            }
            return push_script_frame(f, member, receiver, args, argc, /*verbose_arity=*/false);
        }
        if (member_type == T_BOUND_METHOD) {
            release(receiver);
            // The bound method carries its own receiver; call it like any callee.
            Value args[kMaxCallArguments];
            pop_args(f, args, argc);
            for (int i = 0; i < argc; ++i) f->stack[f->stack_top++] = args[i];
            f->stack[f->stack_top++] = member;
            return call_value(f, argc);
        }
        if (member_type == T_BUILTIN) {
            const ObjHeader* row = as_obj(member);
            bool pass = (builtin_method_flags(row) & kMethodFlagInstance) != 0;
            CallOutcome outcome = call_builtin_method(f, row, receiver, argc, pass ? RECEIVER_EXCLUDED : RECEIVER_DROPPED);
            release(member);
            return outcome;
        }
        if (!is_absent(member)) {
            char mask_text[128];
            describe_type_mask(member_type, mask_text, sizeof mask_text);
            print_error("Attempt to call non-function property '%s' of type %s\n", name_text, mask_text);
            release(member);
            release(receiver);
            discard_args(f, argc);
            fiber_push(f, nil_value());
            return CALL_DONE;
        }
        if (type == T_OBJECT) {
            if (const ObjHeader* row = fallback_member(kObjectModule, name_text, T_OBJECT, false)) {
                return call_builtin_method(f, row, receiver, argc, RECEIVER_ARGUMENT);
            }
        }
    } else {
        const ObjHeader* row = nullptr;
        if (type == T_STRING) row = fallback_member(kStringModule, name_text, 0, false);
        else if (type == T_ARRAY) row = fallback_member(kArrayModule, name_text, T_ARRAY, true);
        else if (type == T_CHAR) row = fallback_member(kCharModule, name_text, 0, false);
        if (row) return call_builtin_method(f, row, receiver, argc, RECEIVER_ARGUMENT);
    }
    release(receiver);
    discard_args(f, argc);
    fiber_push(f, nil_value());
    return CALL_DONE;
}

CallOutcome call_with_receiver(FiberRecord* f, Value callable, Value receiver, int argc) {
    if (is_ref_of(callable, T_FUNCTION)) {
        if (argc + 1 > int(kMaxCallArguments)) {
            discard_args(f, argc);
            release(callable);
            release(receiver);
            raise_error(ERR_INVALID_ARGUMENTS);
            return CALL_FAILED;
        }
        Value args[kMaxCallArguments];
        pop_args(f, args, argc);
        return push_script_frame(f, callable, receiver, args, argc, /*verbose_arity=*/false);
    }
    if (is_ref_of(callable, T_BUILTIN)) {
        CallOutcome outcome = call_builtin_method(f, as_obj(callable), receiver, argc, RECEIVER_EXCLUDED);
        release(callable);
        return outcome;
    }
    release(receiver);
    if (!fiber_push(f, callable)) return CALL_FAILED;
    return call_value(f, argc);
}

namespace {

// Unwinds what a callback left above the native caller's frames, stack and handlers.
void unwind_to(FiberRecord* f, int32_t frames, uint32_t stack, int32_t handlers) {
    while (f->frame_count > frames) {
        uint32_t base = f->frames[f->frame_count - 1].stack_base;
        while (f->stack_top > base) release(f->stack[--f->stack_top]);
        pop_frame(f);  // leaves a nil result, released below
    }
    while (f->stack_top > stack) release(f->stack[--f->stack_top]);
    while (f->handler_top > handlers) {
        release(f->handlers[f->handler_top].pending_value);
        f->handlers[f->handler_top].pending_value = kAbsent;
        f->handler_top -= 1;
    }
}

// Calls a script value from native code. With `swallow`, the call is a boundary: an
// exception it leaves is reported as a warning and discarded (destructors). Without,
// the exception stays pending for the native's caller and the result is absent.
Value invoke_from_native(Value callee, Value* args, int argc, const char* name, bool swallow) {
    FiberRecord* f = g_current_fiber;
    if (!f) {
        raise_error(ERR_INVALID_STATE);
        return nil_value();
    }
    int32_t saved_frames = f->frame_count;
    uint32_t saved_stack = f->stack_top;
    int32_t saved_handlers = f->handler_top;
    for (int i = 0; i < argc; ++i) {
        retain(args[i]);
        if (!fiber_push(f, args[i])) {
            unwind_to(f, saved_frames, saved_stack, saved_handlers);
            return swallow ? nil_value() : kAbsent;
        }
    }
    retain(callee);
    if (!fiber_push(f, callee)) {
        unwind_to(f, saved_frames, saved_stack, saved_handlers);
        return swallow ? nil_value() : kAbsent;
    }
    uint8_t saved_preempt = f->preempt_off;
    f->preempt_off = 1;
    if (swallow) g_nested_runs += 1;
    CallOutcome outcome = call_value(f, argc);
    if (outcome == CALL_PUSHED_FRAME) run_nested(f);
    if (swallow) g_nested_runs -= 1;
    f->preempt_off = saved_preempt;
    if (f->flags & FIBER_UNHANDLED) {
        unwind_to(f, saved_frames, saved_stack, saved_handlers);
        if (!swallow) return kAbsent;
        if (name) print_warning("[boundary] '%s' callback raised (swallowed)\n", name);
        else print_warning("[boundary] callback raised exception (swallowed)\n");
        release(f->exception);
        f->exception = kAbsent;
        if (!exceptions_fatal_pending()) f->flags &= uint8_t(~FIBER_UNHANDLED);
        return nil_value();
    }
    if (f->stack_top <= saved_stack) return nil_value();
    Value result = f->stack[--f->stack_top];
    while (f->stack_top > saved_stack) release(f->stack[--f->stack_top]);
    return is_absent(result) ? nil_value() : result;
}

}  // namespace

Value invoke_callable_native(Value callee, Value* args, int argc, const char* name) {
    return invoke_from_native(callee, args, argc, name, /*swallow=*/false);
}

Value invoke_boundary(Value callee, Value* args, int argc, const char* name) {
    return invoke_from_native(callee, args, argc, name, /*swallow=*/true);
}

namespace {

// Runs the destructors of an instance whose count reached zero, most derived class
// first. The count is held at 1 meanwhile; a destructor that stores the instance
// elsewhere leaves it alive (the heap then keeps the slot).
void run_destructors(ObjHeader* obj) {
    const InstanceRecord* record = instance_record(obj);
    if (!record || !record->cls || !g_current_fiber) return;
    obj->ref_count = 1;
    int visited = 0;
    for (ObjHeader* cls = record->cls; cls && visited < 256; cls = class_base(cls), ++visited) {
        const MemberEntry* entry = class_find_own_member(cls, kDestructorHash);
        if (!entry || !is_ref_of(entry->value, T_FUNCTION)) continue;
        Value self = make_ref(obj);
        Value result = invoke_boundary(entry->value, &self, 1, "Destructor");
        release(result);
        if (g_current_fiber && (g_current_fiber->flags & FIBER_UNHANDLED)) break;
    }
    obj->ref_count = obj->ref_count > 1 ? obj->ref_count - 1 : 0;
}

// The position diagnostics are prefixed with: the top frame of the running fiber.
bool current_script_location(ScriptLocation* out) {
    const FiberRecord* f = g_current_fiber;
    if (!f || f->frame_count <= 0) return false;
    const CallFrame& frame = f->frames[f->frame_count - 1];
    const char* module = frame.chunk ? frame.chunk->module_name : nullptr;
    out->source_name = module && *module ? module : nullptr;
    out->function_name = frame.name;
    out->line = frame.line;
    return true;
}

}  // namespace

void interpreter_init() {
    builtin_set_callback_invoker(invoke_callable_native);
    type_ops_set_destructor(run_destructors);
    function_set_env_release(env_release);
    console_set_location_provider(current_script_location);
}

}  // namespace tarvik
