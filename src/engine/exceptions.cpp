// engine/exceptions.cpp: the Exception class, stack traces, the raise sink and the
// try/catch/finally handler records.
#include "engine/exceptions.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "engine/class_model.h"
#include "engine/env.h"
#include "engine/interpreter.h"
#include "runtime/alloc.h"
#include "runtime/array.h"
#include "runtime/builtin.h"
#include "runtime/errors.h"
#include "runtime/function.h"
#include "runtime/operators.h"
#include "runtime/string.h"
#include "runtime/string_builder.h"
#include "runtime/value_ops.h"
#include "runtime/vm_options.h"

namespace tarvik {

namespace {

ObjHeader* g_exception_class = nullptr;
uint64_t g_code_hash, g_error_hash, g_trace_hash;
bool g_building_exception = false;

uint64_t text_hash(const char* text) { return hash_bytes(text, std::strlen(text)); }

Value field_of(Value instance, uint64_t hash) {
    if (!is_ref_of(instance, T_INSTANCE)) return kAbsent;
    Value* slot = instance_field_slot(as_obj(instance), hash);
    return slot ? *slot : kAbsent;
}

void set_field(Value instance, uint64_t hash, Value value) {
    if (is_ref_of(instance, T_INSTANCE)) instance_field_set(as_obj(instance), hash, value);
    release(value);
}

// ---- the Exception class's native methods (receiver first) -------------------------

Value exception_constructor(Value* args, int argc) {
    Value self = args[0];
    if (argc >= 2 && !is_absent(args[1])) {
        retain(args[1]);
        set_field(self, g_code_hash, args[1]);
    }
    if (argc >= 3) {
        retain(args[2]);
        set_field(self, g_error_hash, args[2]);
    }
    set_field(self, g_trace_hash, make_stack_trace(g_current_fiber));
    // A result keeps the stack shape of a script constructor, whose return value
    // OP_NEW discards.
    return nil_value();
}

Value exception_to_string(Value* args, int) {
    Value self = args[0];
    Value class_name = kAbsent;
    if (is_ref_of(self, T_INSTANCE)) class_name = instance_record(as_obj(self))->class_name;
    char code_text[48];
    std::snprintf(code_text, sizeof code_text, " (code %lld): ",
                  static_cast<long long>(value_to_int(field_of(self, g_code_hash))));
    char buffer[64];
    size_t error_length;
    const char* error = value_text(field_of(self, g_error_hash), buffer, sizeof buffer, &error_length);
    // Appended piece by piece: neither the class name nor the message has a length limit.
    StringBuilder sb;
    if (!sb_init(&sb, 0)) return nil_value();
    if (is_string(class_name)) {
        sb_append_bytes(&sb, string_chars(as_obj(class_name)), string_length(as_obj(class_name)));
    } else {
        sb_append_text(&sb, "Exception");
    }
    sb_append_text(&sb, code_text);
    sb_append_bytes(&sb, error, error_length);
    return sb_to_string(&sb);
}

Value exception_name(Value* args, int) {
    Value self = args[0];
    if (!is_ref_of(self, T_INSTANCE)) return nil_value();
    Value name = instance_record(as_obj(self))->class_name;
    retain(name);
    return is_absent(name) ? nil_value() : name;
}

Value exception_trace_string(Value* args, int) {
    Value trace = field_of(args[0], g_trace_hash);
    StringBuilder sb;
    if (!sb_init(&sb, 0)) return nil_value();
    if (is_array(trace) && !array_is_flat_float(as_obj(trace))) {
        ObjHeader* a = as_obj(trace);
        bool first = true;
        for (uint32_t i = 0; i < array_count(a); ++i) {
            Value entry = array_items(a)[i];
            if (!is_string(entry)) continue;
            if (!first) sb_append_byte(&sb, '\n');
            sb_append_bytes(&sb, string_chars(as_obj(entry)), string_length(as_obj(entry)));
            first = false;
        }
    }
    return sb_to_string(&sb);
}

// Native method rows: static builtin objects outside the registry.
Signature g_method_signatures[4];
ObjHeader g_method_rows[4];

Value make_method_row(int index, NativeFn fn, int required, int optional) {
    Signature& sig = g_method_signatures[index];
    sig = Signature{T_ANY, {0, 0, 0, 0, 0, 0}, 0};
    reinterpret_cast<uint8_t*>(&sig)[29] = METHOD_INSTANCE;
    ObjHeader& row = g_method_rows[index];
    row = ObjHeader{F_STATIC, 0, T_BUILTIN, uint32_t(required | (optional << 8)),
                    reinterpret_cast<uint64_t>(fn), reinterpret_cast<uint64_t>(&sig)};
    return make_ref(&row);
}

// The built-in class and everything it holds are static: never counted or reported.
Value make_static_string(const char* text) {
    Value s = make_string(text);
    if (is_ref(s)) as_obj(s)->flags |= F_STATIC;
    return s;
}

void add_member(Value cls, uint8_t kind, const char* name, Value value) {
    Value name_value = make_static_string(name);
    class_add_member(cls, kind, name_value, text_hash(name), value);
}

// ---- the raise sink --------------------------------------------------------------

bool sink_has_fiber() { return g_current_fiber != nullptr; }

bool sink_pending() { return g_current_fiber && (g_current_fiber->flags & FIBER_UNHANDLED); }

void print_trace_lines(Value trace) {
    // A script may have replaced the field with anything, a float array included.
    ObjHeader* a = is_array(trace) && !array_is_flat_float(as_obj(trace)) ? as_obj(trace) : nullptr;
    uint32_t count = a ? array_count(a) : 0;
    std::printf("Stack trace (depth: %d):\n", int(count));
    for (uint32_t i = 0; i < count; ++i) {
        Value entry = array_items(a)[i];
        std::printf("  %s\n", is_string(entry) ? string_chars(as_obj(entry)) : "");
    }
}

void release_frame_contents(CallFrame& frame) {
    for (uint32_t i = 0; i < frame.live_locals; ++i) {
        release(frame.locals[i]);
        frame.locals[i] = kAbsent;
    }
    frame.live_locals = 0;
    release(frame.callee);
    frame.callee = kAbsent;
}

// Nothing of the fiber outlives the report: the heap teardown that follows would
// otherwise see its values as left over.
void unwind_fiber(FiberRecord* f) {
    while (f->stack_top > 0) release(f->stack[--f->stack_top]);
    while (f->frame_count > 0) {
        release_frame_contents(f->frames[f->frame_count - 1]);
        f->frame_count -= 1;
    }
    while (f->handler_top >= 0) {
        release(f->handlers[f->handler_top].pending_value);
        f->handlers[f->handler_top--].pending_value = kAbsent;
    }
}

// An unhandled error already reported: the process ends with this code as soon as
// control is back in the run loop (report_unhandled).
bool g_fatal_pending = false;
int g_fatal_code = 0;

void sink_raise(int code, const char* message) {
    FiberRecord* f = g_current_fiber;
    if (g_building_exception) return;  // an allocation failed while building one: keep the first
    if (g_fatal_pending) {
        // The first unhandled error is the one that ends the run, but whatever raised
        // now must still stop: carrying on would run code past the fatal error.
        f->flags |= FIBER_UNHANDLED;
        return;
    }
    g_building_exception = true;
    Value instance = make_exception(code, message);
    g_building_exception = false;
    if (f->handler_top < 0 && g_nested_runs == 0) {
        const CallFrame* top = f->frame_count > 0 ? &f->frames[f->frame_count - 1] : nullptr;
        std::printf("Unhandled exception! IP=%d Line: %d Code: %d, Message: '%s'\n", top ? int(top->ip) : 0,
                    top ? int(top->line) : -1, code, message);
        release(f->exception);
        f->exception = instance;
        print_trace_lines(field_of(instance, g_trace_hash));
        if (g_options.trace) {
            for (uint32_t i = f->stack_top; i-- > 0;) {
                std::printf(" %p  [%d] Value=", reinterpret_cast<void*>(f->stack[i].bits), int(i));
                value_render(f->stack[i]);
                std::printf("\n");
            }
        }
        // Ending here would strand what the natives and the instruction still hold:
        // they finish first, then the run loop ends the process.
        g_fatal_pending = true;
        g_fatal_code = code;
        f->flags |= FIBER_UNHANDLED;
        return;
    }
    release(f->exception);
    f->exception = instance;
    f->flags |= FIBER_UNHANDLED;
}

const ErrorSink kFiberSink{sink_has_fiber, sink_raise, sink_pending};

// The registered name of a frame without a recorded one: a global callable that
// runs this chunk.
const char* global_function_name(const Chunk* chunk) {
    const Env* env = g_global_env;
    if (!env) return nullptr;
    for (uint32_t b = 0; b < env->bucket_count; ++b) {
        for (const EnvEntry* e = env->buckets[b]; e; e = e->next) {
            if (!is_ref_of(e->value, T_FUNCTION)) continue;
            const FunctionRecord* fn = function_record(as_obj(e->value));
            if (fn->chunk == chunk && is_string(fn->name)) return string_chars(as_obj(fn->name));
        }
    }
    return nullptr;
}

// The scan of the globals is kept on the chunk until a binding changes: every
// constructed exception names each frame of its stack.
const char* frame_function_name(const CallFrame& frame) {
    if (frame.name) return frame.name;
    Chunk* chunk = frame.chunk;
    if (!chunk) return global_function_name(chunk);
    if (chunk->trace_name_epoch != g_env_epoch) {
        chunk->trace_name = global_function_name(chunk);
        chunk->trace_name_epoch = g_env_epoch;
    }
    return chunk->trace_name;
}

void clear_catch_slot(FiberRecord* f, const TryHandler& h) {
    if (h.frame_depth != uint32_t(f->frame_count)) return;
    CallFrame& frame = f->frames[f->frame_count - 1];
    if (h.catch_slot < frame.live_locals && !is_nil_or_absent(frame.locals[h.catch_slot])) {
        release(frame.locals[h.catch_slot]);
        frame.locals[h.catch_slot] = nil_value();
    }
}

}  // namespace

ObjHeader* exception_class() { return g_exception_class; }

void exceptions_init() {
    g_code_hash = text_hash("Code");
    g_error_hash = text_hash("Error");
    g_trace_hash = text_hash("StackTrace");
    Value cls = make_class(make_static_string("Exception"), 0);
    add_member(cls, MEMBER_METHOD, "Constructor", make_method_row(0, exception_constructor, 0, 2));
    add_member(cls, MEMBER_METHOD, "ToString", make_method_row(1, exception_to_string, 0, 0));
    add_member(cls, MEMBER_METHOD, "Name", make_method_row(2, exception_name, 0, 0));
    add_member(cls, MEMBER_METHOD, "StackTraceString", make_method_row(3, exception_trace_string, 0, 0));
    add_member(cls, MEMBER_FIELD, "Code", make_imm_int(0));
    add_member(cls, MEMBER_FIELD, "Error", nil_value());
    add_member(cls, MEMBER_FIELD, "StackTrace", nil_value());
    for (const ErrorName& entry : kErrorNames) add_member(cls, MEMBER_STATIC, entry.name, make_imm_int(entry.code));
    g_exception_class = as_obj(cls);
    class_resolve(g_exception_class);
    g_exception_class->flags |= F_STATIC;  // built in: never counted or freed while the VM runs
    if (g_global_env) env_define(g_global_env, text_hash("Exception"), cls);
    error_set_sink(&kFiberSink);
}

void exceptions_shutdown() {
    error_set_sink(nullptr);
    g_exception_class = nullptr;
    g_fatal_pending = false;
}

Value make_exception(int code, const char* message) {
    if (!g_exception_class) return nil_value();
    Value instance = class_instantiate(make_ref(g_exception_class));
    if (!is_ref_of(instance, T_INSTANCE)) return instance;
    set_field(instance, g_code_hash, make_int(code));
    set_field(instance, g_error_hash, make_string(message ? message : ""));
    set_field(instance, g_trace_hash, make_stack_trace(g_current_fiber));
    return instance;
}

namespace {

// "at NAME [ip=N, line=M]", cut at 511 bytes; built by hand because every
// constructed exception makes one per frame. Returns the length.
size_t trace_line(char (&out)[512], const char* name, int ip, int line) {
    constexpr size_t kLimit = sizeof out - 1;
    size_t n = std::min(std::strlen(name), kLimit - 3);
    std::memcpy(out, "at ", 3);
    std::memcpy(out + 3, name, n);
    n += 3;
    // The rest is at most 35 bytes; it is built apart and cut to what fits.
    char tail[48];
    size_t t = 0;
    std::memcpy(tail, " [ip=", 5);
    t = size_t(std::to_chars(tail + 5, tail + 16, ip).ptr - tail);
    std::memcpy(tail + t, ", line=", 7);
    t += 7;
    t = size_t(std::to_chars(tail + t, tail + t + 11, line).ptr - tail);
    tail[t++] = ']';
    size_t k = std::min(t, kLimit - n);
    std::memcpy(out + n, tail, k);
    n += k;
    out[n] = '\0';
    return n;
}

}  // namespace

Value make_stack_trace(FiberRecord* f) {
    Value trace = make_array(f ? f->frame_count : 0);
    if (!f) return trace;
    for (int32_t i = 0; i < f->frame_count; ++i) {
        const CallFrame& frame = f->frames[i];
        const char* name = frame_function_name(frame);
        char line[512];
        size_t length = trace_line(line, name ? name : "<anon>", int(frame.ip), int(frame.line));
        array_append(trace, make_string_unhashed(line, length), /*borrowed=*/false);
    }
    return trace;
}

bool dispatch_exception(FiberRecord* f, int32_t entry_frames) {
    for (;;) {
        if (f->handler_top < 0) return false;
        TryHandler& h = f->handlers[f->handler_top];
        if (int32_t(h.frame_depth) < entry_frames) return false;
        if (h.state == HANDLER_FINALLY) {
            release(h.pending_value);
            h.pending_value = kAbsent;
            clear_catch_slot(f, h);
            f->handler_top -= 1;
            continue;
        }
        while (f->stack_top > h.stack_height) release(f->stack[--f->stack_top]);
        while (f->frame_count > int32_t(h.frame_depth)) {
            release_frame_contents(f->frames[f->frame_count - 1]);
            f->frame_count -= 1;
        }
        CallFrame& frame = f->frames[f->frame_count - 1];
        for (int i = int(frame.live_locals) - 1; i >= int(h.saved_live_locals); --i) {
            release(frame.locals[i]);
            frame.locals[i] = nil_value();
        }
        if (h.state == HANDLER_CATCH) {
            h.state = HANDLER_FINALLY;
            h.pending = PENDING_RETHROW;
            h.levels = 0;
            h.pending_value = f->exception;
            f->exception = kAbsent;
            f->flags &= uint8_t(~FIBER_UNHANDLED);
            frame.ip = h.finally_ip;
            return true;
        }
        h.state = HANDLER_CATCH;
        Value caught = is_absent(f->exception) ? nil_value() : f->exception;
        f->exception = kAbsent;
        f->flags &= uint8_t(~FIBER_UNHANDLED);
        frame.ip = h.catch_ip;
        if (!fiber_push(f, caught)) return f->flags & FIBER_UNHANDLED ? dispatch_exception(f, entry_frames) : true;
        return true;
    }
}

bool exceptions_fatal_pending() { return g_fatal_pending; }

void report_unhandled(FiberRecord* f) {
    if (g_fatal_pending) {
        g_fatal_pending = false;
        if (f) unwind_fiber(f);
        vm_exit(g_fatal_code);
    }
    Value e = f ? f->exception : kAbsent;
    if (is_ref(e)) {
        Value code = field_of(e, g_code_hash);
        Value error = field_of(e, g_error_hash);
        // Only a missing field counts as no code; any other value reads as an integer.
        bool has_code = !is_absent(code);
        std::printf("Unhandled exception (code %lld): %s\n", static_cast<long long>(has_code ? value_to_int(code) : -1),
                    is_string(error) ? string_chars(as_obj(error)) : "<no message>");
        print_trace_lines(field_of(e, g_trace_hash));
        int status = has_code ? int(value_to_int(code)) : 6;
        unwind_fiber(f);
        vm_exit(status);
    }
    std::printf("Unhandled exception in fiber %u\n", f ? f->id : 0u);
    if (f) unwind_fiber(f);
    vm_exit(6);
}

bool try_begin(FiberRecord* f, uint32_t catch_ip, uint8_t catch_slot, uint32_t finally_ip) {
    if (f->handler_top + 1 >= kMaxHandlers) {
        raise_error(ERR_RUNTIME);
        return false;
    }
    TryHandler& h = f->handlers[++f->handler_top];
    h.catch_ip = catch_ip;
    h.finally_ip = finally_ip;
    h.frame_depth = uint32_t(f->frame_count);
    h.stack_height = f->stack_top;
    h.catch_slot = catch_slot;
    h.saved_live_locals = f->frames[f->frame_count - 1].live_locals;
    h.state = HANDLER_TRY;
    h.pending = PENDING_NONE;
    h.levels = 0;
    h.target = 0;
    h.pending_value = kAbsent;
    return true;
}

void throw_value(FiberRecord* f, Value v) {
    if (!g_exception_class || !instance_of(v, g_exception_class)) {
        release(v);
        raise_error(ERR_TYPE_MISMATCH, "throw requires an Exception (or subclass) instance");
        return;
    }
    release(f->exception);
    f->exception = v;
    f->flags |= FIBER_UNHANDLED;
}

FinallyOutcome end_finally(FiberRecord* f) {
    if (!own_handler(f)) return {FINALLY_CONTINUE, 0, kAbsent};
    TryHandler h = f->handlers[f->handler_top];
    clear_catch_slot(f, h);
    f->handlers[f->handler_top].pending_value = kAbsent;
    f->handler_top -= 1;
    switch (h.pending) {
    case PENDING_NONE: return {FINALLY_CONTINUE, 0, kAbsent};
    case PENDING_RETHROW:
        release(f->exception);
        f->exception = h.pending_value;
        f->flags |= FIBER_UNHANDLED;
        return {FINALLY_DISPATCH, 0, kAbsent};
    default: break;
    }
    if (h.levels > 0 && f->handler_top >= 0 && f->handlers[f->handler_top].frame_depth == uint32_t(f->frame_count)) {
        TryHandler& outer = f->handlers[f->handler_top];
        release(outer.pending_value);
        outer.pending = h.pending;
        outer.pending_value = h.pending_value;
        outer.target = h.target;
        outer.levels = uint8_t(h.levels - 1);
        outer.state = HANDLER_FINALLY;
        return {FINALLY_JUMP, outer.finally_ip, kAbsent};
    }
    if (h.pending == PENDING_RETURN) {
        return {FINALLY_RETURN, 0, is_absent(h.pending_value) ? nil_value() : h.pending_value};
    }
    release(h.pending_value);
    return {FINALLY_JUMP, h.target, kAbsent};
}

FinallyOutcome try_leave(FiberRecord* f, uint8_t kind, uint8_t levels, uint32_t target, Value value) {
    if (!own_handler(f)) {
        release(value);
        return {FINALLY_CONTINUE, 0, kAbsent};
    }
    TryHandler& h = f->handlers[f->handler_top];
    if (h.state == HANDLER_FINALLY) {
        release(value);
        raise_error(ERR_RUNTIME, "control may not leave a finally body");
        return {FINALLY_DISPATCH, 0, kAbsent};
    }
    release(h.pending_value);
    h.pending = kind == 0 ? PENDING_RETURN : kind == 1 ? PENDING_JUMP : PENDING_JUMP_OTHER;
    h.pending_value = kind == 0 ? value : kAbsent;
    if (kind != 0) release(value);
    h.target = target;
    h.levels = levels > 0 ? uint8_t(levels - 1) : 0;
    return {FINALLY_JUMP, h.finally_ip, kAbsent};
}

}  // namespace tarvik
