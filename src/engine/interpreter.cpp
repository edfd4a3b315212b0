// engine/interpreter.cpp: the interpreter's single hot function.
//
// Rules this file keeps:
//  1. Registers (ip, code, constants, locals, stack pointer, budget) live in locals;
//     SYNC() writes ip and the stack pointer back before anything that can raise,
//     re-enter or touch the stack, and RELOAD() reads the frame back afterwards.
//  2. Every push checks the stack's end and every pop the frame's floor, so code the
//     validator's depth model does not reach still cannot leave the stack.
//  3. Locals at or above a frame's live_locals are always empty; every store raises
//     live_locals, and returns and unwinding clear what they release.
//  4. Preemption happens only at taken jumps, frame-pushing calls and returns.
//  5. Immediate ints take inline paths; everything else calls the runtime routines,
//     whose results must match the inline ones.
#include "engine/interpreter.h"

#include <cmath>
#include <cstdio>

#include "engine/env.h"
#include "engine/exceptions.h"
#include "engine/interp_ops.h"
#include "engine/opcode_table.h"
#include "engine/class_model.h"
#include "runtime/array.h"
#include "runtime/block.h"
#include "runtime/block_registry.h"
#include "runtime/builtin.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/function.h"
#include "runtime/index_access.h"
#include "runtime/operators.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/value_ops.h"
#include "runtime/vm_options.h"

namespace tarvik {

namespace {

inline uint8_t op_u8(const uint8_t* p) { return *p; }
inline uint16_t op_u16(const uint8_t* p) {
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}
inline int16_t op_i16(const uint8_t* p) { return int16_t(op_u16(p)); }
inline uint32_t op_u32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
inline int32_t op_i32(const uint8_t* p) { return int32_t(op_u32(p)); }

#define LIKELY(x) __builtin_expect(!!(x), 1)
#define UNLIKELY(x) __builtin_expect(!!(x), 0)

// Integer result of an inline operation, immediate when it fits.
__attribute__((always_inline)) inline Value int_result(int64_t n) {
    return LIKELY(fits_imm_int(n)) ? make_imm_int(n) : make_heap_int(n);
}

// The slow path of every binary operator: the runtime routine, operands released.
Value binary_slow(Value a, Value b, int aop) {
    Value r = binary_op(a, b, aop);
    release(a);
    release(b);
    return r;
}

// Inline arithmetic on two immediate ints for the common operators; false when the
// runtime routine must decide (division, powers, shifts, errors).
__attribute__((always_inline)) inline bool int_fast(int aop, int64_t a, int64_t b, Value* out) {
    int64_t r;
    switch (aop) {
    case 0: *out = int_result(a + b); return true;
    case 1: *out = int_result(a - b); return true;
    case 2:
        if (__builtin_mul_overflow(a, b, &r)) r = int64_t(uint64_t(a) * uint64_t(b));
        *out = int_result(r);
        return true;
    case 3:
        if (b == 0) return false;  // the runtime raises division by zero
        *out = int_result(a / b);  // immediates never hold INT64_MIN, so no overflow
        return true;
    case 4:
        if (b == 0) return false;
        *out = make_imm_int(a % b);
        return true;
    case 6: *out = make_imm_int(a & b); return true;
    case 7: *out = make_imm_int(a | b); return true;
    case 8: *out = make_imm_int(a ^ b); return true;
    case 9: *out = int_result(int64_t(uint64_t(a) << (b & 63))); return true;
    case 10: *out = make_imm_int(a >> (b & 63)); return true;
    default: return false;
    }
}

// Function flag of methods that receive the instance as local 0.
constexpr uint32_t kMethodTakesReceiver = 0x2;

// The number in a float or an immediate int; false for anything else.
__attribute__((always_inline)) inline bool float_or_imm(Value v, double* d) {
    if (is_imm_int(v)) {
        *d = double(imm_int(v));
        return true;
    }
    if (!is_ref_of(v, T_FLOAT)) return false;
    std::memcpy(d, &as_obj(v)->a, sizeof *d);
    return true;
}

// A float box that only the value stack holds can take a result in place: nobody
// else can see it change.
__attribute__((always_inline)) inline bool reusable_float(Value v) {
    return is_ref_of(v, T_FLOAT) && as_obj(v)->ref_count == 1 && !(as_obj(v)->flags & F_STATIC);
}

// Where the instruction after a float operation stores its result: a float box that
// only this local or this object entry holds, which can take the result in place.
// Null when the next instruction is something else; *skip is that store's length.
__attribute__((always_inline)) inline Value* float_store_target(const uint8_t* next, Value* L, const Value* K,
                                                                int* skip) {
    Value* target;
    switch (*next) {
    case OP_SET_LOCAL_0:
    case OP_SET_LOCAL_1:
    case OP_SET_LOCAL_2:
    case OP_SET_LOCAL_3:
        target = &L[*next - OP_SET_LOCAL_0];
        *skip = 1;
        break;
    case OP_SET_LOCAL:
        target = &L[next[1]];
        *skip = 2;
        break;
    case OP_SET_PROPERTY_L: {
        Value object = L[next[1]];
        if (!is_ref_of(object, T_OBJECT) || (as_obj(object)->flags & F_FROZEN) || !object_map(as_obj(object))) {
            return nullptr;
        }
        Value name = K[op_u16(next + 2)];
        if (!is_string(name)) return nullptr;
        target = map_value_slot(object_map(as_obj(object)), string_hash(as_obj(name)));
        if (!target) return nullptr;
        *skip = 4;
        break;
    }
    default: return nullptr;
    }
    return reusable_float(*target) ? target : nullptr;
}

// Add, subtract, multiply and divide (by nonzero) where one side is a float and the
// other a float or an immediate int, as the operator routine computes them. Consumes
// both operands. The result goes, in order of preference, into the float box the next
// instruction would overwrite (*out absent, *skip its length), into an operand only
// the stack holds, or into a new box: the common float expression allocates nothing.
// False, with nothing consumed: the routine decides.
__attribute__((always_inline)) inline bool float_fast(int aop, Value a, Value b, Value* out, const uint8_t* next,
                                                      Value* L, const Value* K, int* skip) {
    double x, y;
    if ((is_imm_int(a) && is_imm_int(b)) || !float_or_imm(a, &x) || !float_or_imm(b, &y)) return false;
    double r;
    switch (aop) {
    case 0: r = x + y; break;
    case 1: r = x - y; break;
    case 2: r = x * y; break;
    case 3:
        if (y == 0.0) return false;  // the routine raises
        r = x / y;
        break;
    default: return false;
    }
    if (Value* target = float_store_target(next, L, K, skip)) {
        std::memcpy(&as_obj(*target)->a, &r, sizeof r);
        release(a);
        release(b);
        *out = kAbsent;
    } else if (reusable_float(a)) {
        std::memcpy(&as_obj(a)->a, &r, sizeof r);
        release(b);
        *out = a;
    } else if (reusable_float(b)) {
        std::memcpy(&as_obj(b)->a, &r, sizeof r);
        release(a);
        *out = b;
    } else {
        release(a);
        release(b);
        *out = make_float(r);
    }
    return true;
}

// a aop b for any operands (borrowed), as a new value.
inline Value arith(Value a, Value b, int aop) {
    if (LIKELY(is_imm_int(a) && is_imm_int(b))) {
        Value r;
        if (int_fast(aop, imm_int(a), imm_int(b), &r)) return r;
    }
    return binary_op(a, b, aop);
}

// a cop b for any operands (borrowed).
__attribute__((always_inline)) inline bool compare(Value a, Value b, int cop) {
    if (LIKELY(is_imm_int(a) && is_imm_int(b))) {
        int64_t x = int64_t(a.bits), y = int64_t(b.bits);  // same tag: the words order like the ints
        if (__builtin_constant_p(cop)) {
            switch (cop) {
            case 0: return x == y;
            case 1: return x != y;
            case 2: return x < y;
            case 3: return x > y;
            case 4: return x <= y;
            case 5: return x >= y;
            default: return false;
            }
        }
        // A cop read from the code, without a branch on it: bit (2·less + equal) of each
        // mask is the answer, in cop order eq ne lt gt le ge; any other cop answers false.
        static constexpr uint8_t kAnswers[6] = {0b010, 0b101, 0b100, 0b001, 0b110, 0b011};
        if (unsigned(cop) > 5) return false;
        return (kAnswers[cop] >> (2 * (x < y) + (x == y))) & 1;
    }
    return compare_values(a, b, cop);
}

// The fast-path test of a script call: a function with no redirect and no flag of
// 0x3 runs without the generic call.
__attribute__((always_inline)) inline bool is_plain_script_function(Value callee) {
    if (!is_ref(callee) || as_obj(callee)->type != T_FUNCTION) return false;
    const FunctionRecord* fn = function_record(as_obj(callee));
    return is_absent(fn->redirect) && !(fn->function_flags & (FN_ASYNC | FN_GENERIC));
}

// The common call: a script function without typed parameters, given exactly its
// parameter count, with frame and stack room to spare. Takes over the callee and the
// arguments (receiver first) as push_script_frame does; the caller has already taken
// them off the stack. False, with nothing changed: take the general path.
__attribute__((always_inline)) inline bool push_frame_fast(FiberRecord* f, Value callee, Value receiver,
                                                           const Value* args, int argc) {
    const FunctionRecord* fn = function_record(as_obj(callee));
    const Chunk* chunk = fn->chunk;
    int total = argc + (is_absent(receiver) ? 0 : 1);
    if (UNLIKELY(total != fn->param_count || (fn->function_flags & FN_TYPED) || !chunk ||
                 uint32_t(f->frame_count) >= f->frame_capacity ||
                 uint64_t(chunk->max_stack) + f->stack_top > f->stack_cap)) {
        return false;
    }
    CallFrame& frame = f->frames[f->frame_count];
    Value* locals = frame.locals;
    if (!is_absent(receiver)) *locals++ = receiver;
    for (int i = 0; i < argc; ++i) locals[i] = args[i];
    frame.live_locals = uint8_t(total);
    enter_frame(f, frame, callee, fn->chunk, fn->owner_class, fn->env, g_global_env);
    return true;
}

// The script method a call on an instance reaches without the generic path: a script
// function taking the receiver (flag 0x2, which otherwise marks generic calls), not
// asynchronous, found through the hint or the resolved table.
// Borrowed; absent otherwise.
__attribute__((always_inline)) inline Value instance_method_fast(Value receiver, uint64_t hash, int hint) {
    if (!is_ref_of(receiver, T_INSTANCE)) return kAbsent;
    const InstanceRecord* record = instance_record(as_obj(receiver));
    if (!record || !record->cls) return kAbsent;
    const ClassRecord* cls = class_record(record->cls);
    if (!cls || !cls->resolved) return kAbsent;
    const MemberEntry* e = nullptr;
    if (hint >= 0 && uint32_t(hint) < cls->resolved_count && cls->resolved_members[hint].name_hash == hash) {
        e = &cls->resolved_members[hint];
    } else {
        for (uint32_t i = 0; i < cls->resolved_count; ++i) {
            if (cls->resolved_members[i].name_hash == hash) {
                e = &cls->resolved_members[i];
                break;
            }
        }
    }
    if (!e || e->kind == MEMBER_FIELD || !is_ref_of(e->value, T_FUNCTION)) return kAbsent;
    const FunctionRecord* fn = function_record(as_obj(e->value));
    if (!is_absent(fn->redirect) || (fn->function_flags & (FN_ASYNC | kMethodTakesReceiver)) != kMethodTakesReceiver) {
        return kAbsent;
    }
    return e->value;
}

// target.name for an object entry or an instance field that is not callable (a
// callable may come back bound): the value, retained, or nil when there is none.
// False: the general property read decides.
__attribute__((always_inline)) inline bool object_read_fast(Value target, uint64_t hash, Value* out) {
    if (!is_ref(target)) return false;
    Value v;
    if (as_obj(target)->type == T_OBJECT) {
        const PropertyMap* map = object_map(as_obj(target));
        if (!map) return false;
        v = map_get(map, hash);
    } else if (as_obj(target)->type == T_INSTANCE) {
        const Value* slot = instance_field_slot_fast(as_obj(target), hash);
        if (!slot) return false;
        v = *slot;
    } else {
        return false;
    }
    if (is_absent(v)) {
        *out = nil_value();
        return true;
    }
    if (is_ref_of(v, T_FUNCTION) || is_ref_of(v, T_BUILTIN)) return false;
    retain(v);
    *out = v;
    return true;
}

// target.name = v for an unfrozen object that has the entry already: the value is
// replaced in place (v taken over, in its container form); the old value goes to
// *old for the caller to release. False, with nothing taken: the general path.
__attribute__((always_inline)) inline bool object_replace_fast(Value target, uint64_t hash, Value v, Value* old) {
    if (!is_ref_of(target, T_OBJECT) || (as_obj(target)->flags & F_FROZEN)) return false;
    PropertyMap* map = object_map(as_obj(target));
    if (!map) return false;
    Value* slot = map_value_slot(map, hash);
    if (!slot) return false;
    if (container_store_copies(v)) return false;  // the general path makes the copy
    *old = *slot;
    *slot = v;
    return true;
}

// container[key] for a plain array (not typed, not flat: a flat array's slots hold
// raw doubles) and an index inside it: the element, retained. False: the runtime
// routine decides.
__attribute__((always_inline)) inline bool array_read_fast(Value container, Value key, Value* out) {
    if (!is_ref(container) || !is_imm_int(key)) return false;
    const ObjHeader* a = as_obj(container);
    if (a->type != T_ARRAY || array_is_flat_float(a)) return false;
    int64_t i = imm_int(key);
    if (i < 0 || i >= int64_t(array_count(a))) return false;
    *out = array_items(a)[i];
    retain(*out);
    return true;
}

// container[key] = v for the common case: an immediate v stored into a plain array
// (not frozen, not typed, not flat) at an index inside it or just past its end with
// room to spare. The replaced element goes to *old for the caller to release; false,
// with nothing changed: the runtime routine decides.
__attribute__((always_inline)) inline bool array_store_fast(Value container, Value key, Value v, Value* old) {
    if (!is_ref(container) || is_ref(v) || !is_imm_int(key)) return false;
    ObjHeader* a = as_obj(container);
    if (a->type != T_ARRAY || array_is_flat_float(a) || (a->flags & F_FROZEN)) return false;
    int64_t i = imm_int(key);
    uint32_t count = array_count(a);
    if (i < 0 || i > int64_t(count) || (i == int64_t(count) && count >= array_capacity(a))) return false;
    Value* items = array_items(a);
    *old = i < int64_t(count) ? items[i] : kAbsent;
    items[i] = v;
    if (i == int64_t(count)) a->aux = count + 1;
    return true;
}

inline bool truthy(Value v) {
    if (is_imm_bool(v)) return imm_bool(v);
    if (is_imm_int(v)) return imm_int(v) != 0;
    return value_truthy(v);
}

// Store rule: heap numbers are copied, the old value released, live_locals raised.
inline void store_local(CallFrame* frame, uint8_t slot, Value v) {
    if (is_ref(v) && (as_obj(v)->type & T_NUMERIC) && !(as_obj(v)->flags & F_STATIC)) v = container_store_form(v);
    Value old = frame->locals[slot];
    frame->locals[slot] = v;
    release(old);
    if (slot >= frame->live_locals) frame->live_locals = uint8_t(slot + 1);
}

inline uint64_t name_hash(Value name) { return is_string(name) ? string_hash(as_obj(name)) : 0; }
const char* name_text(Value name) { return is_string(name) ? string_chars(as_obj(name)) : ""; }

void define_global(Env* env, Value name, Value value) {
    uint64_t hash = name_hash(name);
    EnvEntry* here = env_find_local(env, hash);
    if (here && !is_absent(here->value)) {
        print_warning("Global '%s' already defined. Rebound.\n", name_text(name));
    } else if (env->parent) {
        EnvEntry* outer = env_find(env->parent, hash);
        if (outer && !is_nil_or_absent(outer->value)) {
            print_warning("Global '%s' shadows an outer definition.\n", name_text(name));
        }
    }
    env_define(env, hash, container_store_form(value));
}

void set_global(Env* env, Value name, Value value) {
    if (is_ref(value) && (as_obj(value)->flags & F_FROZEN)) {
        release(value);
        raise_error(ERR_CONST_ASSIGN);
        return;
    }
    uint64_t hash = name_hash(name);
    EnvEntry* e = env_find(env, hash);
    if (!e) {
        release(value);
        print_warning("Attempt to set undefined variable with hash %llX\n", static_cast<unsigned long long>(hash));
        return;
    }
    Value old = e->value;
    e->value = container_store_form(value);
    g_env_epoch += 1;
    release(old);
}

Value get_global(Env* env, Value name) {
    EnvEntry* e = env_find(env, name_hash(name));
    if (!e || is_absent(e->value)) return nil_value();
    retain(e->value);
    return e->value;
}

// OP_MAKE_FUNCTION: the shared constant takes the current environment.
Value make_function_value(Value fn, Env* env) {
    if (!is_ref_of(fn, T_FUNCTION)) {
        raise_error(ERR_RUNTIME);
        return nil_value();
    }
    FunctionRecord* record = function_record(as_obj(fn));
    Env* wanted = env == g_global_env ? nullptr : env;
    if (record->env != wanted) {
        env_retain(wanted);
        Env* old = record->env;
        record->env = wanted;
        env_release(old);
    }
    retain(fn);
    return fn;
}

// OP_MAKE_CLOSURE: a copy of the function with its own environment of captures.
Value make_closure(Value fn, Env* env, const uint8_t* captures, int n, const Value* constants, CallFrame* frame) {
    if (!is_ref_of(fn, T_FUNCTION)) {
        raise_error(ERR_RUNTIME);
        return nil_value();
    }
    Value copy = make_function();
    if (!is_ref_of(copy, T_FUNCTION)) return copy;
    FunctionRecord* dst = function_record(as_obj(copy));
    const FunctionRecord* src = function_record(as_obj(fn));
    *dst = *src;
    dst->param_classes = nullptr;
    dst->jit_entry = nullptr;
    retain(dst->redirect);
    retain(dst->name);
    chunk_retain(dst->chunk);
    Env* own = env_create(env, 8);
    dst->env = own;
    dst->function_flags |= FN_CLOSURE;
    if (!own) return copy;
    for (int i = 0; i < n; ++i) {
        Value name = constants[op_u16(captures + 3 * i)];
        uint8_t slot = captures[3 * i + 2];
        Value v = frame->locals[slot];
        retain(v);
        env_define(own, name_hash(name), is_absent(v) ? nil_value() : v);
    }
    return copy;
}

void export_value(Env* env, Value alias, Value source) {
    if (!is_string(alias) || !is_string(source)) {
        raise_error(ERR_RUNTIME);
        return;
    }
    EnvEntry* e = env_find_local(env, name_hash(source));
    if (!e || is_absent(e->value)) {
        raise_error(ERR_RUNTIME);
        return;
    }
    if (is_absent(env->exports)) env->exports = make_object();
    ObjHeader* alias_obj = as_obj(alias);
    Value key = make_string_hashed(string_chars(alias_obj), string_length(alias_obj), string_hash(alias_obj));
    retain(e->value);
    index_write(env->exports, key, e->value);
    release(key);
    release(e->value);
}

// Block element access for the block instructions: code 6 for a non-block, code 4
// past the count, and the memory guard on the element's address.
bool block_element(Value block, int64_t index, ObjHeader** out) {
    if (!is_ref_of(block, T_BLOCK)) {
        raise_error(ERR_RUNTIME);
        return false;
    }
    ObjHeader* b = as_obj(block);
    if (index < 0 || index >= int64_t(block_count(b))) {
        raise_index(index, block_count(b));
        return false;
    }
    uint32_t width = block_width(b);
    if (!memory_guard_check(block_bytes(b) + uint64_t(index) * width, width)) return false;
    *out = b;
    return true;
}

Value block_get(Value block, int64_t index) {
    ObjHeader* b;
    if (!block_element(block, index, &b)) return nil_value();
    return make_int(block_read(b, uint32_t(index)));
}

void block_set(Value block, int64_t index, Value v) {
    ObjHeader* b;
    if (block_element(block, index, &b)) block_write(b, uint32_t(index), value_to_int(v));
}

// Arithmetic on an array element addressed by locals (OP_ARITH_INDEX_*).
void arith_index(Value array, Value index, int aop, Value operand) {
    if (!is_array(array) || !is_integral(index) || is_imm_char(index) || is_imm_bool(index)) {
        raise_typed(ERR_INVALID_ARGUMENTS, "Indexed arithmetic requires an array and integer index",
                    is_array(array) ? index : array);
        return;
    }
    Value current = index_read(array, index);
    if (error_pending()) {
        release(current);
        return;
    }
    Value result = binary_op(current, operand, aop);
    release(current);
    if (!error_pending()) index_write(array, index, result);
    release(result);
}

Value load_index(Value array, Value index, bool needs_int_index) {
    if (!is_array(array)) {
        raise_typed(ERR_INVALID_ARGUMENTS,
                    needs_int_index ? "Indexed read requires an array and integer index" : "Cannot index non-array value",
                    array);
        return nil_value();
    }
    if (needs_int_index && !(is_imm_int(index) || is_ref_of(index, T_INT))) {
        raise_typed(ERR_INVALID_ARGUMENTS, "Indexed read requires an array and integer index", index);
        return nil_value();
    }
    return index_read(array, index);
}

// The selector of OP_JUMP_TABLE as an int; false for other types (default case).
bool selector_value(Value v, int64_t* out) {
    if (is_imm_int(v) || is_ref_of(v, T_INT) || is_imm_char(v) || is_ref_of(v, T_CHAR)) {
        *out = value_to_int(v);
        return true;
    }
    return false;
}

void trace_text(const char* format, Value v) {
    if (!g_options.trace) return;
    char buffer[64];
    size_t length;
    const char* text = value_text(v, buffer, sizeof buffer, &length);
    std::printf(format, text);
}

// The resolved constructor of a class (a new reference), or absent.
Value class_constructor(ObjHeader* cls) {
    class_resolve(cls);
    Value ctor = class_record(cls)->constructor;
    retain(ctor);
    return ctor;
}

// A member of the base of `owner` (new reference), or absent: super calls and the
// base constructor.
Value class_base_method(ObjHeader* owner, uint64_t hash) {
    ObjHeader* base = class_base(owner);
    if (!base) return kAbsent;
    const MemberEntry* entry = class_find_member(base, hash);
    if (!entry || entry->kind != MEMBER_METHOD) return kAbsent;
    retain(entry->value);
    return entry->value;
}

// A tail call replaces the running frame, so the try statements installed in it are
// gone too; their catch and finally targets belong to the old code.
void drop_frame_handlers(FiberRecord* f) {
    while (f->handler_top >= 0 && f->handlers[f->handler_top].frame_depth >= uint32_t(f->frame_count)) {
        TryHandler& h = f->handlers[f->handler_top];
        Value pending = h.pending_value;
        h.pending_value = kAbsent;
        f->handler_top -= 1;
        release(pending);
    }
}

void finish_fiber(FiberRecord* f) {
    f->flags |= FIBER_SWITCH;
    f->status = STATUS_FINISHED;
    release(f->function);
    f->function = kAbsent;
    if (FiberRecord* resumer = f->resumer) {
        Value result = f->stack_top > 0 ? f->stack[--f->stack_top] : nil_value();
        release(resumer->result);
        resumer->result = result;
    }
}

}  // namespace

void (*g_slice_hook)(FiberRecord* f) = nullptr;

void run_nested(FiberRecord* f) {
    // The frame just pushed runs to its return; a switch request inside it cannot
    // suspend the native or instruction that waits for the result.
    int32_t depth = f->frame_count - 1;
    while (f->frame_count > depth && !(f->flags & FIBER_UNHANDLED)) {
        f->flags &= uint8_t(~FIBER_SWITCH);
        run_interpreter(1);
    }
}

void run_interpreter(uint32_t nested) {
    FiberRecord* const f = g_current_fiber;
    if (!f || f->frame_count <= 0) return;

    static void* dispatch[256];
    static bool dispatch_ready = false;
    if (UNLIKELY(!dispatch_ready)) {
        for (void*& entry : dispatch) entry = &&L_INVALID;
#define OPCODE(code, NAME, ...) dispatch[code] = &&L_##NAME;
#include "engine/opcodes.def"
#undef OPCODE
        dispatch_ready = true;
    }

    if (UNLIKELY(g_slice_hook != nullptr)) g_slice_hook(f);  // may set the quantum or raise
    const int32_t entry_frames = f->frame_count;
    const int32_t quantum = int32_t(f->quantum ? f->quantum : kDefaultQuantum);
    // With a slice hook nested runs return at the quantum too, so that the hook sees them.
    int32_t budget = ((nested || f->preempt_off) && !g_slice_hook) ? INT32_MAX : quantum;

    CallFrame* frame;
    const uint8_t* code;
    const uint8_t* ip;
    Value* K;
    Value* L;
    Value* sp;
    Value* floor;
    Value* const stack_end = f->stack + f->stack_cap;

#define RELOAD()                                  \
    do {                                          \
        frame = &f->frames[f->frame_count - 1];   \
        code = frame->chunk->code;                \
        ip = code + frame->ip;                    \
        K = frame->chunk->constants;              \
        L = frame->locals;                        \
        floor = f->stack + frame->stack_base;     \
        sp = f->stack + f->stack_top;             \
    } while (0)
#define SYNC()                                    \
    do {                                          \
        frame->ip = uint32_t(ip - code);          \
        f->stack_top = uint32_t(sp - f->stack);   \
    } while (0)
#define RESYNC() (sp = f->stack + f->stack_top)
#define NEXT() goto* dispatch[*ip]
#define CASE(NAME) L_##NAME:
#define CHECK_RAISED()                                   \
    do {                                                 \
        if (UNLIKELY(f->flags & FIBER_UNHANDLED)) goto exception; \
    } while (0)
#define NEED(n)                                          \
    do {                                                 \
        if (UNLIKELY(sp - floor < (n))) goto underflow;  \
    } while (0)
#define ROOM(n)                                          \
    do {                                                 \
        if (UNLIKELY(stack_end - sp < (n))) goto overflow; \
    } while (0)
#define PUSH(v)                                          \
    do {                                                 \
        Value pushed_ = (v);                             \
        if (UNLIKELY(sp >= stack_end)) {                 \
            release(pushed_);                            \
            goto overflow;                               \
        }                                                \
        *sp++ = pushed_;                                 \
    } while (0)
// A preemption point: an exception or a switch request leaves first; then the budget.
#define PREEMPT()                                                          \
    do {                                                                   \
        if (UNLIKELY(f->flags & (FIBER_UNHANDLED | FIBER_SWITCH))) {       \
            SYNC();                                                        \
            if (f->flags & FIBER_UNHANDLED) goto exception;                \
            return;                                                        \
        }                                                                  \
        if (UNLIKELY(--budget <= 0)) {                                     \
            SYNC();                                                        \
            return;                                                        \
        }                                                                  \
    } while (0)
#define JUMP_TO(target)      \
    do {                     \
        ip = code + (target); \
        PREEMPT();           \
        NEXT();              \
    } while (0)
// After a call: a pushed frame runs next (a preemption point); otherwise the result
// is on the stack and execution goes on, unless the call raised.
#define FINISH_CALL(outcome)                  \
    do {                                      \
        if ((outcome) == CALL_PUSHED_FRAME) { \
            RELOAD();                         \
            PREEMPT();                        \
            NEXT();                           \
        }                                     \
        RESYNC();                             \
        CHECK_RAISED();                       \
        NEXT();                               \
    } while (0)
// After push_frame_fast: the new frame starts at its first instruction with an empty
// stack, so only what differs from the caller is loaded.
#define ENTER_PUSHED_FRAME()                    \
    do {                                        \
        frame = &f->frames[f->frame_count - 1]; \
        code = frame->chunk->code;              \
        ip = code;                              \
        K = frame->chunk->constants;            \
        L = frame->locals;                      \
        sp = f->stack + f->stack_top;           \
        floor = sp;                             \
        PREEMPT();                              \
        NEXT();                                 \
    } while (0)
// Calls out of the interpreter: state written back, stack pointer read back.
#define CALL_OUT(expr) \
    do {               \
        SYNC();        \
        expr;          \
        RESYNC();      \
    } while (0)

    RELOAD();
    if (UNLIKELY(g_slice_hook != nullptr) && (f->flags & FIBER_UNHANDLED)) goto exception;
    if (UNLIKELY(uint64_t(frame->chunk->max_stack) + f->stack_top > f->stack_cap)) {
        SYNC();
        raise_error(ERR_STACK);
        if (f->flags & FIBER_UNHANDLED) goto exception;
        return;
    }
    NEXT();

    // ---- constants, stack, locals -------------------------------------------
    CASE(OP_NOP) { ip += 1; NEXT(); }
    CASE(OP_LOAD_CONST) {
        Value c = K[op_u16(ip + 1)];
        if (is_ref_of(c, T_STRING)) {
            ObjHeader* s = as_obj(c);
            CALL_OUT(c = make_string_hashed(string_chars(s), string_length(s), string_hash(s)));
        } else {
            retain(c);
        }
        PUSH(c);
        ip += 3;
        NEXT();
    }
    CASE(OP_PUSH_NIL) { PUSH(nil_value()); ip += 1; NEXT(); }
    CASE(OP_PUSH_TRUE) { PUSH(make_bool(true)); ip += 1; NEXT(); }
    CASE(OP_PUSH_FALSE) { PUSH(make_bool(false)); ip += 1; NEXT(); }
    CASE(OP_PUSH_ONE) { PUSH(make_imm_int(1)); ip += 1; NEXT(); }
    CASE(OP_PUSH_MINUS_ONE) { PUSH(make_imm_int(-1)); ip += 1; NEXT(); }
    CASE(OP_PUSH_I8) { PUSH(make_imm_int(int8_t(op_u8(ip + 1)))); ip += 2; NEXT(); }
    CASE(OP_PUSH_I16) { PUSH(make_imm_int(op_i16(ip + 1))); ip += 3; NEXT(); }
    CASE(OP_PUSH_I32) { PUSH(make_imm_int(op_i32(ip + 1))); ip += 5; NEXT(); }
    CASE(OP_PUSH_F32) {
        float x;
        std::memcpy(&x, ip + 1, 4);
        Value v;
        CALL_OUT(v = make_float(double(x)));
        PUSH(v);
        ip += 5;
        NEXT();
    }
    CASE(OP_PUSH_CHAR) { PUSH(make_char(op_u32(ip + 1))); ip += 5; NEXT(); }
    CASE(OP_POP) {
        NEED(1);
        Value v = *--sp;
        CALL_OUT(release(v));
        ip += 1;
        NEXT();
    }
    CASE(OP_DUP) {
        NEED(1);
        Value v = sp[-1];
        retain(v);
        PUSH(v);
        ip += 1;
        NEXT();
    }
    CASE(OP_GET_LOCAL) {
        Value v = L[op_u8(ip + 1)];
        retain(v);
        PUSH(v);
        ip += 2;
        NEXT();
    }
    CASE(OP_GET_LOCAL_0) { Value v = L[0]; retain(v); PUSH(v); ip += 1; NEXT(); }
    CASE(OP_GET_LOCAL_1) { Value v = L[1]; retain(v); PUSH(v); ip += 1; NEXT(); }
    CASE(OP_GET_LOCAL_2) { Value v = L[2]; retain(v); PUSH(v); ip += 1; NEXT(); }
    CASE(OP_GET_LOCAL_3) { Value v = L[3]; retain(v); PUSH(v); ip += 1; NEXT(); }
    CASE(OP_SET_LOCAL) {
        NEED(1);
        Value v = *--sp;
        CALL_OUT(store_local(frame, op_u8(ip + 1), v));
        ip += 2;
        NEXT();
    }
    CASE(OP_SET_LOCAL_0) { NEED(1); Value v = *--sp; CALL_OUT(store_local(frame, 0, v)); ip += 1; NEXT(); }
    CASE(OP_SET_LOCAL_1) { NEED(1); Value v = *--sp; CALL_OUT(store_local(frame, 1, v)); ip += 1; NEXT(); }
    CASE(OP_SET_LOCAL_2) { NEED(1); Value v = *--sp; CALL_OUT(store_local(frame, 2, v)); ip += 1; NEXT(); }
    CASE(OP_SET_LOCAL_3) { NEED(1); Value v = *--sp; CALL_OUT(store_local(frame, 3, v)); ip += 1; NEXT(); }
    CASE(OP_INC_LOCAL)
    CASE(OP_DEC_LOCAL) {
        uint8_t slot = op_u8(ip + 1);
        int delta = *ip == OP_INC_LOCAL ? 1 : -1;
        Value v = L[slot];
        if (LIKELY(is_imm_int(v) && fits_imm_int(imm_int(v) + delta))) {
            L[slot] = make_imm_int(imm_int(v) + delta);
        } else {
            Value r;
            CALL_OUT(r = op_step(v, delta); store_local(frame, slot, r));
            CHECK_RAISED();
        }
        ip += 2;
        NEXT();
    }

    // ---- arithmetic, comparison, tests -----------------------------------------
    CASE(OP_NEG)
    CASE(OP_BIT_NOT) {
        NEED(1);
        Value v = sp[-1];
        Value r;
        if (is_imm_int(v) && *ip == OP_NEG && imm_int(v) != kImmIntMin) {
            r = make_imm_int(-imm_int(v));
        } else if (is_imm_int(v) && *ip == OP_BIT_NOT) {
            r = make_imm_int(~imm_int(v));
        } else {
            CALL_OUT(r = (*ip == OP_NEG ? op_negate(v) : op_bit_not(v)); release(v));
            sp[-1] = r;
            ip += 1;
            CHECK_RAISED();
            NEXT();
        }
        sp[-1] = r;
        ip += 1;
        NEXT();
    }
    CASE(OP_NOT) {
        NEED(1);
        Value v = sp[-1];
        bool t;
        CALL_OUT(t = truthy(v); release(v));
        sp[-1] = make_bool(!t);
        ip += 1;
        NEXT();
    }
    // One handler per operator, so the immediate-int path folds to one operation.
#define BINARY_HANDLER(NAME, AOP)                                                           \
    CASE(NAME) {                                                                            \
        NEED(2);                                                                            \
        Value a = sp[-2], b = sp[-1];                                                       \
        Value r;                                                                            \
        if (LIKELY(is_imm_int(a) && is_imm_int(b)) && int_fast(AOP, imm_int(a), imm_int(b), &r)) { \
            sp -= 1;                                                                        \
            sp[-1] = r;                                                                     \
            ip += 1;                                                                        \
            NEXT();                                                                         \
        }                                                                                   \
        int skip = 0;                                                                       \
        if (AOP <= 3 && float_fast(AOP, a, b, &r, ip + 1, L, K, &skip)) {                   \
            if (is_absent(r)) { /* stored by the next instruction's rule */                 \
                sp -= 2;                                                                    \
                ip += 1 + skip;                                                             \
                NEXT();                                                                     \
            }                                                                               \
            sp -= 1;                                                                        \
            sp[-1] = r;                                                                     \
            ip += 1;                                                                        \
            NEXT();                                                                         \
        }                                                                                   \
        sp -= 2;                                                                            \
        CALL_OUT(r = binary_slow(a, b, AOP));                                               \
        *sp++ = r;                                                                          \
        ip += 1;                                                                            \
        CHECK_RAISED();                                                                     \
        NEXT();                                                                             \
    }
    BINARY_HANDLER(OP_ADD, 0)
    BINARY_HANDLER(OP_SUB, 1)
    BINARY_HANDLER(OP_MUL, 2)
    BINARY_HANDLER(OP_DIV, 3)
    BINARY_HANDLER(OP_MOD, 4)
    BINARY_HANDLER(OP_POW, 5)
    BINARY_HANDLER(OP_BIT_AND, 6)
    BINARY_HANDLER(OP_BIT_OR, 7)
    BINARY_HANDLER(OP_BIT_XOR, 8)
    BINARY_HANDLER(OP_SHL, 9)
    BINARY_HANDLER(OP_SHR, 10)
#undef BINARY_HANDLER
    CASE(OP_IS_NIL) { NEED(1); Value v = sp[-1]; bool n = is_nil_or_absent(v); CALL_OUT(release(v)); sp[-1] = make_bool(n); ip += 1; NEXT(); }
    CASE(OP_IS_NOT_NIL) { NEED(1); Value v = sp[-1]; bool n = is_nil_or_absent(v); CALL_OUT(release(v)); sp[-1] = make_bool(!n); ip += 1; NEXT(); }
#define COMPARE_HANDLER(NAME, COP)                                  \
    CASE(NAME) {                                                    \
        NEED(2);                                                    \
        Value a = sp[-2], b = sp[-1];                               \
        bool r;                                                     \
        if (LIKELY(is_imm_int(a) && is_imm_int(b))) {               \
            r = compare(a, b, COP);                                 \
            /* A conditional jump next consumes the answer at once. */ \
            if (ip[1] == OP_JUMP_IF_FALSE || ip[1] == OP_JUMP_IF_TRUE) { \
                sp -= 2;                                            \
                if (r == (ip[1] == OP_JUMP_IF_TRUE)) JUMP_TO(uint32_t(ip - code) + 4 + op_u16(ip + 2)); \
                ip += 4;                                            \
                NEXT();                                             \
            }                                                       \
            sp -= 1;                                                \
            sp[-1] = make_bool(r);                                  \
            ip += 1;                                                \
            NEXT();                                                 \
        }                                                           \
        sp -= 2;                                                    \
        CALL_OUT(r = compare_values(a, b, COP); release(a); release(b)); \
        *sp++ = make_bool(r);                                       \
        ip += 1;                                                    \
        CHECK_RAISED();                                             \
        NEXT();                                                     \
    }
    COMPARE_HANDLER(OP_EQ, 0)
    COMPARE_HANDLER(OP_NE, 1)
    COMPARE_HANDLER(OP_LT, 2)
    COMPARE_HANDLER(OP_LE, 4)
    COMPARE_HANDLER(OP_GT, 3)
    COMPARE_HANDLER(OP_GE, 5)
#undef COMPARE_HANDLER
    CASE(OP_APPROX_EQ) {
        NEED(2);
        Value a = sp[-2], b = sp[-1];
        sp -= 2;
        bool r;
        CALL_OUT(r = op_approx_equal(a, b); release(a); release(b));
        *sp++ = make_bool(r);
        ip += 1;
        NEXT();
    }
    CASE(OP_INSTANCEOF) {
        NEED(2);
        Value a = sp[-2], b = sp[-1];
        sp -= 2;
        bool r;
        CALL_OUT(r = is_ref_of(b, T_CLASS) && instance_of(a, as_obj(b)); release(a); release(b));
        *sp++ = make_bool(r);
        ip += 1;
        NEXT();
    }
    CASE(OP_COALESCE) {
        NEED(2);
        Value a = sp[-2], b = sp[-1];
        sp -= 2;
        Value keep = is_nil_or_absent(a) ? b : a;
        Value drop = is_nil_or_absent(a) ? a : b;
        CALL_OUT(release(drop));
        *sp++ = keep;
        ip += 1;
        NEXT();
    }
    CASE(OP_CONTAINS) {
        NEED(2);
        Value container = sp[-2], probe = sp[-1];
        sp -= 2;
        bool r;
        CALL_OUT(r = op_contains(container, probe); release(container); release(probe));
        *sp++ = make_bool(r);
        ip += 1;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_CONCAT) {
        NEED(2);
        sp -= 2;
        Value r;
        CALL_OUT(r = op_concat(sp, 2); release(sp[0]); release(sp[1]));
        *sp++ = r;
        ip += 1;
        CHECK_RAISED();
        NEXT();
    }
    CASE(CONCAT_N) {
        int n = op_u8(ip + 1);
        NEED(n);
        sp -= n;
        Value r;
        CALL_OUT(r = op_concat(sp, n); for (int i = 0; i < n; ++i) release(sp[i]));
        *sp++ = r;
        ip += 2;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_TYPEOF) {
        NEED(1);
        Value v = sp[-1];
        uint32_t t = is_absent(v) ? T_NIL : value_type(v);
        CALL_OUT(release(v));
        sp[-1] = make_imm_int(t);
        ip += 1;
        NEXT();
    }
    CASE(OP_IS_ARRAY) { NEED(1); Value v = sp[-1]; bool r = is_array(v); CALL_OUT(release(v)); sp[-1] = make_bool(r); ip += 1; NEXT(); }
    CASE(OP_IS_OBJECT) { NEED(1); Value v = sp[-1]; bool r = is_ref_of(v, T_OBJECT); CALL_OUT(release(v)); sp[-1] = make_bool(r); ip += 1; NEXT(); }
    CASE(OP_LEN) {
        NEED(1);
        Value v = sp[-1];
        int64_t n;
        CALL_OUT(n = op_length(v); release(v));
        sp[-1] = make_imm_int(n);
        ip += 1;
        NEXT();
    }
    CASE(OP_REPR)
    CASE(OP_TO_INT)
    CASE(OP_TO_FLOAT)
    CASE(OP_TO_STRING)
    CASE(OP_TO_I8)
    CASE(OP_TO_U8)
    CASE(OP_TO_I16)
    CASE(OP_TO_U16)
    CASE(OP_TO_I32)
    CASE(OP_TO_U32) {
        NEED(1);
        Value v = sp[-1];
        uint8_t op = *ip;
        Value r;
        CALL_OUT(r = op == OP_REPR       ? op_repr(v)
                     : op == OP_TO_INT    ? op_to_int(v)
                     : op == OP_TO_FLOAT  ? op_to_float(v)
                     : op == OP_TO_STRING ? op_to_string(v)
                                          : op_to_width(v, op);
                 release(v));
        sp[-1] = r;
        ip += 1;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_MAKE_CONST) {
        NEED(1);
        Value v = sp[-1];
        if (is_ref(v) && !(as_obj(v)->flags & F_STATIC)) as_obj(v)->flags |= F_FROZEN;
        ip += 1;
        NEXT();
    }
    CASE(OP_GUARD) {
        NEED(1);
        if (is_nil_or_absent(sp[-1])) {
            Value v = *--sp;
            ip += 1;
            CALL_OUT(release(v); raise_error(ERR_GUARD_CHECK));
            CHECK_RAISED();
            NEXT();
        }
        ip += 1;
        NEXT();
    }

    // ---- fused local arithmetic --------------------------------------------------
    CASE(OP_ARITH_LOCAL_IMM) {
        uint8_t slot = op_u8(ip + 1);
        int aop = op_u8(ip + 2);
        Value a = L[slot];
        int64_t imm = int8_t(op_u8(ip + 3));
        Value r;
        if (LIKELY(is_imm_int(a)) && aop <= 10 && int_fast(aop, imm_int(a), imm, &r)) {
            L[slot] = r;  // an immediate replaced by a number: nothing to release
            if (slot >= frame->live_locals) frame->live_locals = uint8_t(slot + 1);
        } else {
            CALL_OUT(r = binary_op(a, make_imm_int(imm), aop); store_local(frame, slot, r));
            ip += 4;
            CHECK_RAISED();
            NEXT();
        }
        ip += 4;
        NEXT();
    }
    CASE(OP_ARITH_LOCAL_LOCAL) {
        uint8_t slot = op_u8(ip + 1);
        int aop = op_u8(ip + 2);
        Value a = L[slot], b = L[op_u8(ip + 3)];
        Value r;
        if (LIKELY(is_imm_int(a) && is_imm_int(b)) && int_fast(aop, imm_int(a), imm_int(b), &r)) {
            L[slot] = r;
            if (slot >= frame->live_locals) frame->live_locals = uint8_t(slot + 1);
            ip += 4;
            NEXT();
        }
        CALL_OUT(r = binary_op(a, b, aop); store_local(frame, slot, r));
        ip += 4;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_ARITH_LOCAL_POP) {
        NEED(1);
        uint8_t slot = op_u8(ip + 1);
        int aop = op_u8(ip + 2);
        Value b = *--sp;
        Value a = L[slot];
        Value r;
        if (LIKELY(is_imm_int(a) && is_imm_int(b)) && int_fast(aop, imm_int(a), imm_int(b), &r)) {
            L[slot] = r;
            if (slot >= frame->live_locals) frame->live_locals = uint8_t(slot + 1);
            ip += 3;
            NEXT();
        }
        // s += text on a string only this local holds grows it in place: no one can
        // tell the difference, and building a string piece by piece stays linear.
        if (aop == OPR_ADD && is_string(b) && string_can_append_in_place(a)) {
            const ObjHeader* piece = as_obj(b);
            if (string_append_in_place(a, string_chars(piece), string_length(piece))) {
                release(b);
                ip += 3;
                NEXT();
            }
        }
        CALL_OUT(r = binary_op(a, b, aop); release(b); store_local(frame, slot, r));
        ip += 3;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_ARITH_TOP_IMM) {
        NEED(1);
        int aop = op_u8(ip + 1);
        Value a = sp[-1];
        Value r;
        if (LIKELY(is_imm_int(a)) && int_fast(aop, imm_int(a), int8_t(op_u8(ip + 2)), &r)) {
            sp[-1] = r;
            ip += 3;
            NEXT();
        }
        CALL_OUT(r = arith(a, make_imm_int(int8_t(op_u8(ip + 2))), aop); release(a));
        sp[-1] = r;
        ip += 3;
        CHECK_RAISED();
        NEXT();
    }
    CASE(ARITH_FMA_LLL) {
        uint8_t d = op_u8(ip + 1);
        Value a = L[op_u8(ip + 2)], b = L[op_u8(ip + 3)], c = L[op_u8(ip + 4)];
        Value product, r;
        CALL_OUT(product = arith(a, b, 2); r = arith(product, c, 0); release(product); store_local(frame, d, r));
        ip += 5;
        CHECK_RAISED();
        NEXT();
    }

    // ---- jumps ----------------------------------------------------------------------
#define CONDITIONAL_JUMP(NAME, WHEN)                               \
    CASE(NAME) {                                                   \
        NEED(1);                                                   \
        Value v = *--sp;                                           \
        bool t;                                                    \
        if (LIKELY(is_imm_bool(v))) {                              \
            t = imm_bool(v);                                       \
        } else {                                                   \
            CALL_OUT(t = truthy(v); release(v));                   \
        }                                                          \
        if (t == (WHEN)) JUMP_TO(uint32_t(ip - code) + 3 + op_u16(ip + 1)); \
        ip += 3;                                                   \
        NEXT();                                                    \
    }
    CONDITIONAL_JUMP(OP_JUMP_IF_FALSE, false)
    CONDITIONAL_JUMP(OP_JUMP_IF_TRUE, true)
#undef CONDITIONAL_JUMP
    CASE(OP_JUMP) { JUMP_TO(uint32_t(ip - code) + 3 + op_u16(ip + 1)); }
    CASE(OP_LOOP) { JUMP_TO(uint32_t(ip - code) + 3 - op_u16(ip + 1)); }
    CASE(OP_JUMP_TABLE) {
        NEED(1);
        Value v = *--sp;
        int32_t lo = op_i32(ip + 1), hi = op_i32(ip + 5);
        uint32_t n = op_u8(ip + 9);
        int64_t s;
        bool known = selector_value(v, &s);
        CALL_OUT(release(v));
        uint32_t target = op_u16(ip + 10 + 2 * n);
        if (known && s >= lo && s <= hi && uint64_t(s - lo) < n) target = op_u16(ip + 10 + 2 * uint32_t(s - lo));
        JUMP_TO(target);  // any target may lie behind: every taken jump is a preemption point
    }
    CASE(CMP_JUMP_LL) {
        Value a = L[op_u8(ip + 1)], b = L[op_u8(ip + 2)];
        int cop = op_u8(ip + 3);
        bool r = false;
        if (LIKELY(is_imm_int(a) && is_imm_int(b))) {
            r = compare(a, b, cop);
        } else if (cop <= 5) {
            CALL_OUT(r = compare(a, b, cop));
            CHECK_RAISED();
        }
        ip = r ? ip + 6 : ip + 6 + op_u16(ip + 4);
        NEXT();
    }
    CASE(CMP_JUMP_LC) {
        Value a = L[op_u8(ip + 1)];
        int cop = op_u8(ip + 2);
        bool r = false;
        Value c = make_imm_int(int8_t(op_u8(ip + 3)));
        if (LIKELY(is_imm_int(a))) {
            r = compare(a, c, cop);
        } else if (cop <= 5) {
            CALL_OUT(r = compare(a, c, cop));
            CHECK_RAISED();
        }
        ip = r ? ip + 6 : ip + 6 + op_u16(ip + 4);
        NEXT();
    }
    CASE(CMP_JUMP_LC32) {
        Value a = L[op_u8(ip + 1)];
        int cop = op_u8(ip + 2);
        bool r = false;
        Value c = make_imm_int(op_i32(ip + 3));
        if (LIKELY(is_imm_int(a))) {
            r = compare(a, c, cop);
        } else if (cop <= 5) {
            CALL_OUT(r = compare(a, c, cop));
            CHECK_RAISED();
        }
        ip = r ? ip + 9 : ip + 9 + op_u16(ip + 7);
        NEXT();
    }

    // ---- globals, closures, modules -------------------------------------------------
    CASE(OP_DEFINE_GLOBAL) {
        NEED(1);
        Value v = *--sp;
        CALL_OUT(define_global(frame->env, K[op_u16(ip + 1)], v));
        ip += 3;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_GET_GLOBAL) {
        Value v = get_global(frame->env, K[op_u16(ip + 1)]);
        PUSH(v);
        ip += 3;
        NEXT();
    }
    CASE(OP_SET_GLOBAL) {
        NEED(1);
        Value v = *--sp;
        CALL_OUT(set_global(frame->env, K[op_u16(ip + 1)], v));
        ip += 3;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_MAKE_FUNCTION) {
        Value fn;
        CALL_OUT(fn = make_function_value(K[op_u16(ip + 1)], frame->env));
        PUSH(fn);
        ip += 3;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_MAKE_CLOSURE) {
        uint32_t n = op_u8(ip + 3);
        Value fn;
        CALL_OUT(fn = make_closure(K[op_u16(ip + 1)], frame->env, ip + 4, int(n), K, frame));
        PUSH(fn);
        ip += 4 + 3 * n;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_EXPORT) {
        CALL_OUT(export_value(frame->env, K[op_u16(ip + 1)], K[op_u16(ip + 3)]));
        ip += 9;
        CHECK_RAISED();
        NEXT();
    }

    // ---- properties and indexing ----------------------------------------------------
    CASE(OP_GET_PROPERTY) {
        NEED(1);
        Value target = sp[-1];
        Value name = K[op_u16(ip + 1)];
        Value r;
        if (LIKELY(object_read_fast(target, name_hash(name), &r))) {
            sp[-1] = r;
            ip += 3;
            CALL_OUT(release(target));
            NEXT();
        }
        CALL_OUT(r = op_get_property(target, name, name_hash(name)); release(target));
        sp[-1] = r;
        ip += 3;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_SET_PROPERTY) {
        NEED(2);
        Value target = sp[-2], v = sp[-1];
        sp -= 2;
        Value name = K[op_u16(ip + 1)];
        CALL_OUT(op_set_property(target, name, name_hash(name), v); release(v); release(target));
        ip += 3;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_GET_PROPERTY_L) {
        Value name = K[op_u16(ip + 2)];
        Value r;
        if (LIKELY(object_read_fast(L[op_u8(ip + 1)], name_hash(name), &r))) {
            PUSH(r);
            ip += 4;
            NEXT();
        }
        CALL_OUT(r = op_get_property(L[op_u8(ip + 1)], name, name_hash(name)));
        PUSH(r);
        ip += 4;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_SET_PROPERTY_L) {
        NEED(1);
        Value v = *--sp;
        Value name = K[op_u16(ip + 2)];
        Value old;
        if (LIKELY(object_replace_fast(L[op_u8(ip + 1)], name_hash(name), v, &old))) {
            ip += 4;
            if (is_ref(old)) CALL_OUT(release(old));
            NEXT();
        }
        CALL_OUT(op_set_property(L[op_u8(ip + 1)], name, name_hash(name), v); release(v));
        ip += 4;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_SET_PROPERTY_LL) {
        Value name = K[op_u16(ip + 2)];
        CALL_OUT(op_set_property(L[op_u8(ip + 1)], name, name_hash(name), L[op_u8(ip + 4)]));
        ip += 5;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_GET_THIS_FIELD) {
        Value name = K[op_u16(ip + 1)];
        Value self = L[0];
        if (LIKELY(is_ref(self) && as_obj(self)->type == T_INSTANCE)) {
            if (Value* slot = instance_field_slot_fast(as_obj(self), name_hash(name))) {
                Value v = is_absent(*slot) ? nil_value() : *slot;
                retain(v);
                PUSH(v);
                ip += 3;
                NEXT();
            }
        }
        Value r;
        CALL_OUT(r = op_get_property(self, name, name_hash(name)));
        PUSH(r);
        ip += 3;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_SET_THIS_FIELD) {
        NEED(1);
        Value v = *--sp;
        Value name = K[op_u16(ip + 1)];
        Value self = L[0];
        if (LIKELY(is_ref(self) && as_obj(self)->type == T_INSTANCE && !(as_obj(self)->flags & F_FROZEN))) {
            if (Value* slot = instance_field_slot_fast(as_obj(self), name_hash(name))) {
                Value old = *slot;
                *slot = container_store_form(v);
                CALL_OUT(release(old));
                ip += 3;
                NEXT();
            }
        }
        CALL_OUT(op_set_property(self, name, name_hash(name), v); release(v));
        ip += 3;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_ARITH_THIS_FIELD_L)
    CASE(OP_ARITH_THIS_FIELD_IMM) {
        Value name = K[op_u16(ip + 1)];
        int aop = op_u8(ip + 3);
        Value operand = *ip == OP_ARITH_THIS_FIELD_L ? L[op_u8(ip + 4)] : make_imm_int(int8_t(op_u8(ip + 4)));
        uint64_t hash = name_hash(name);
        Value self = L[0];
        if (LIKELY(is_ref(self) && as_obj(self)->type == T_INSTANCE && !(as_obj(self)->flags & F_FROZEN))) {
            if (Value* slot = instance_field_slot_fast(as_obj(self), hash)) {
                Value current = *slot;
                Value r;
                if (LIKELY(is_imm_int(current) && is_imm_int(operand)) && int_fast(aop, imm_int(current), imm_int(operand), &r)) {
                    *slot = r;  // an immediate replaced: nothing to release
                    ip += 5;
                    NEXT();
                }
                CALL_OUT({
                    r = binary_op(is_absent(current) ? nil_value() : current, operand, aop);
                    if (!error_pending()) {
                        // The slot is looked up again: the operator may have run script code.
                        if (Value* again = instance_field_slot_fast(as_obj(self), hash)) {
                            Value old = *again;
                            *again = container_store_form(r);
                            release(old);
                        } else {
                            release(r);
                        }
                    } else {
                        release(r);
                    }
                });
                ip += 5;
                CHECK_RAISED();
                NEXT();
            }
        }
        CALL_OUT({
            Value current = op_get_property(self, name, hash);
            if (!error_pending()) {
                Value r = binary_op(current, operand, aop);
                if (!error_pending()) op_set_property(self, name, hash, r);
                release(r);
            }
            release(current);
        });
        ip += 5;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_GET_INDEX) {
        NEED(2);
        Value container = sp[-2], key = sp[-1];
        sp -= 2;
        Value r;
        if (LIKELY(array_read_fast(container, key, &r))) {  // an immediate key needs no release
            *sp++ = r;
            ip += 1;
            CALL_OUT(release(container));
            NEXT();
        }
        CALL_OUT(r = index_read(container, key); release(key); release(container));
        *sp++ = r;
        ip += 1;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_SET_INDEX) {
        NEED(3);
        Value container = sp[-3], key = sp[-2], v = sp[-1];
        sp -= 3;
        CALL_OUT(index_write(container, key, v); release(v); release(key); release(container));
        ip += 1;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_GET_INDEX_LI) {
        Value r;
        if (LIKELY(array_read_fast(L[op_u8(ip + 1)], make_imm_int(op_u8(ip + 2)), &r))) {
            PUSH(r);
            ip += 3;
            NEXT();
        }
        CALL_OUT(r = index_read(L[op_u8(ip + 1)], make_imm_int(op_u8(ip + 2))));
        PUSH(r);
        ip += 3;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_GET_INDEX_LL) {
        Value container = L[op_u8(ip + 1)], key = L[op_u8(ip + 2)];
        Value r;
        if (LIKELY(array_read_fast(container, key, &r))) {
            PUSH(r);
            ip += 3;
            NEXT();
        }
        CALL_OUT(r = index_read(container, key));
        PUSH(r);
        ip += 3;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_GET_INDEX_L_TOP) {
        NEED(1);
        Value key = sp[-1];
        Value r;
        if (LIKELY(array_read_fast(L[op_u8(ip + 1)], key, &r))) {
            sp[-1] = r;
            ip += 2;
            NEXT();
        }
        CALL_OUT(r = index_read(L[op_u8(ip + 1)], key); release(key));
        sp[-1] = r;
        ip += 2;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_GET_INDEX_TOP_L) {
        NEED(1);
        Value container = sp[-1];
        Value r;
        CALL_OUT(r = index_read(container, L[op_u8(ip + 1)]); release(container));
        sp[-1] = r;
        ip += 2;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_SET_INDEX_LI) {
        NEED(1);
        Value v = *--sp;
        Value old;
        if (LIKELY(array_store_fast(L[op_u8(ip + 1)], make_imm_int(op_u8(ip + 2)), v, &old))) {
            ip += 3;
            if (is_ref(old)) CALL_OUT(release(old));
            NEXT();
        }
        CALL_OUT(index_write(L[op_u8(ip + 1)], make_imm_int(op_u8(ip + 2)), v); release(v));
        ip += 3;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_SET_INDEX_LL) {
        NEED(1);
        Value v = *--sp;
        Value old;
        if (LIKELY(array_store_fast(L[op_u8(ip + 1)], L[op_u8(ip + 2)], v, &old))) {
            ip += 3;
            if (is_ref(old)) CALL_OUT(release(old));
            NEXT();
        }
        CALL_OUT(index_write(L[op_u8(ip + 1)], L[op_u8(ip + 2)], v); release(v));
        ip += 3;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_SET_INDEX_LIL) {
        CALL_OUT(index_write(L[op_u8(ip + 1)], make_imm_int(op_u8(ip + 2)), L[op_u8(ip + 3)]));
        ip += 4;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_SET_INDEX_LLL) {
        Value old;
        if (LIKELY(array_store_fast(L[op_u8(ip + 1)], L[op_u8(ip + 2)], L[op_u8(ip + 3)], &old))) {
            ip += 4;
            if (is_ref(old)) CALL_OUT(release(old));
            NEXT();
        }
        CALL_OUT(index_write(L[op_u8(ip + 1)], L[op_u8(ip + 2)], L[op_u8(ip + 3)]));
        ip += 4;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_SET_INDEX_L) {
        NEED(2);
        Value key = sp[-2], v = sp[-1];
        sp -= 2;
        Value old;
        if (LIKELY(array_store_fast(L[op_u8(ip + 1)], key, v, &old))) {  // key and value immediate
            ip += 2;
            if (is_ref(old)) CALL_OUT(release(old));
            NEXT();
        }
        CALL_OUT(index_write(L[op_u8(ip + 1)], key, v); release(v); release(key));
        ip += 2;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_ARITH_INDEX_LLI) {
        CALL_OUT(arith_index(L[op_u8(ip + 1)], L[op_u8(ip + 2)], op_u8(ip + 3), make_imm_int(int8_t(op_u8(ip + 4)))));
        ip += 5;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_ARITH_INDEX_LLL) {
        CALL_OUT(arith_index(L[op_u8(ip + 1)], L[op_u8(ip + 2)], op_u8(ip + 3), L[op_u8(ip + 4)]));
        ip += 5;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_LOAD_INDEX_LLI) {
        Value r;
        CALL_OUT(r = load_index(L[op_u8(ip + 2)], make_imm_int(op_u8(ip + 3)), false);
                 store_local(frame, op_u8(ip + 1), r));
        ip += 4;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_LOAD_INDEX_LLL) {
        Value r;
        if (LIKELY(array_read_fast(L[op_u8(ip + 2)], L[op_u8(ip + 3)], &r))) {
            uint8_t slot = op_u8(ip + 1);
            ip += 4;
            if (!is_ref(r) && !is_ref(L[slot])) {
                L[slot] = r;
                if (slot >= frame->live_locals) frame->live_locals = uint8_t(slot + 1);
            } else {
                CALL_OUT(store_local(frame, slot, r));
            }
            NEXT();
        }
        CALL_OUT(r = load_index(L[op_u8(ip + 2)], L[op_u8(ip + 3)], true); store_local(frame, op_u8(ip + 1), r));
        ip += 4;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_GET_INDEX_LK) {
        Value r;
        CALL_OUT(r = index_read(L[op_u8(ip + 3)], K[op_u16(ip + 1)]));
        PUSH(r);
        ip += 4;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_GET_INDEX_LU) {
        Value r;
        CALL_OUT(r = index_read(L[op_u8(ip + 3)], make_imm_int(op_u16(ip + 1))));
        PUSH(r);
        ip += 4;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_BUILD_OBJECT) {
        int n = op_u16(ip + 1);
        NEED(2 * n);
        sp -= 2 * n;
        Value r;
        CALL_OUT(r = op_build_object(sp, n); for (int i = 0; i < 2 * n; ++i) release(sp[i]));
        PUSH(r);  // n may be 0: nothing popped made room (loops are not modelled)
        ip += 3;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_BUILD_ARRAY) {
        int n = op_u16(ip + 1);
        NEED(n);
        sp -= n;
        Value r;
        CALL_OUT(r = op_build_array(sp, n, op_u16(ip + 3)); for (int i = 0; i < n; ++i) release(sp[i]));
        PUSH(r);  // n may be 0: nothing popped made room (loops are not modelled)
        ip += 5;
        CHECK_RAISED();
        NEXT();
    }

    // ---- calls and returns ----------------------------------------------------------
    CASE(OP_CALL)
    CASE(OP_CALL_FAST) {
        int argc = op_u8(ip + 1);
        bool checks_callee = *ip == OP_CALL;
        NEED(argc + 1);
        Value callee = sp[-1];
        ip += 2;
        SYNC();
        CallOutcome outcome;
        if (LIKELY(is_plain_script_function(callee))) {
            sp -= argc + 1;
            f->stack_top = uint32_t(sp - f->stack);
            if (push_frame_fast(f, callee, kAbsent, sp, argc)) ENTER_PUSHED_FRAME();
            outcome = push_script_frame(f, callee, kAbsent, sp, argc, /*verbose_arity=*/true);
        } else if (UNLIKELY(checks_callee && is_absent(callee))) {
            // No callee at all (an array hole, a missing result): code 22, unlike a
            // non-callable value, which only yields nil.
            sp -= argc + 1;
            for (int i = 0; i < argc; ++i) release(sp[i]);
            f->stack_top = uint32_t(sp - f->stack);
            raise_error(ERR_TYPE_MISMATCH);
            goto exception;
        } else {
            outcome = call_value(f, argc);
        }
        FINISH_CALL(outcome);
    }
    CASE(OP_CALL_SELF) {
        int argc = op_u8(ip + 1);
        NEED(argc);
        ip += 2;
        Value callee = frame->callee;
        retain(callee);
        SYNC();
        sp -= argc;
        f->stack_top = uint32_t(sp - f->stack);
        if (LIKELY(is_ref_of(callee, T_FUNCTION)) && push_frame_fast(f, callee, kAbsent, sp, argc)) ENTER_PUSHED_FRAME();
        CallOutcome outcome = !is_ref_of(callee, T_FUNCTION)
                                  ? CALL_FAILED
                                  : push_script_frame(f, callee, kAbsent, sp, argc, /*verbose_arity=*/true);
        FINISH_CALL(outcome);
    }
    CASE(OP_TAIL_CALL_SELF) {
        int argc = op_u8(ip + 1);
        NEED(argc);
        Value args[kMaxCallArguments];
        sp -= argc;
        for (int i = 0; i < argc; ++i) args[i] = sp[i];
        SYNC();
        drop_frame_handlers(f);
        while (sp > floor) release(*--sp);
        for (int i = 0; i < frame->live_locals; ++i) {
            Value old = L[i];
            L[i] = i < argc ? args[i] : kAbsent;
            release(old);
        }
        for (int i = frame->live_locals; i < argc; ++i) L[i] = args[i];
        frame->live_locals = uint8_t(argc);
        f->stack_top = uint32_t(sp - f->stack);
        ip = code;
        PREEMPT();
        NEXT();
    }
    CASE(OP_TAIL_CALL) {
        int argc = op_u8(ip + 1);
        NEED(argc + 1);
        Value callee = sp[-1];
        ip += 2;
        if (is_ref(callee) && as_obj(callee)->type == T_FUNCTION) {
            const FunctionRecord* fn = function_record(as_obj(callee));
            if (is_absent(fn->redirect) && !(fn->function_flags & (FN_ASYNC | FN_GENERIC)) &&
                argc >= fn->required_count && argc <= fn->param_count && fn->chunk) {
                // Reuse the frame: arguments into the locals, everything else released.
                Value args[kMaxCallArguments];
                sp -= argc + 1;
                for (int i = 0; i < argc; ++i) args[i] = sp[i];
                SYNC();
                drop_frame_handlers(f);
                while (sp > floor) release(*--sp);
                for (int i = 0; i < frame->live_locals; ++i) {
                    release(L[i]);
                    L[i] = kAbsent;
                }
                for (int i = 0; i < argc; ++i) L[i] = args[i];
                for (int i = argc; i < fn->param_count; ++i) L[i] = nil_value();
                frame->live_locals = fn->param_count;
                Value old_callee = frame->callee;
                frame->callee = callee;
                frame->chunk = fn->chunk;
                frame->env = fn->env ? fn->env : g_global_env;
                frame->owner_class = fn->owner_class;
                frame->name = nullptr;  // the new function records its own name and line
                frame->line = 0xFFFFFFFF;
                frame->ip = 0;
                f->stack_top = uint32_t(sp - f->stack);
                release(old_callee);
                RELOAD();
                PREEMPT();
                NEXT();
            }
        }
        // Any other callee runs to completion; its result is returned from here.
        SYNC();
        // Not a native boundary: an error with no handler anywhere still ends the run at once.
        CallOutcome outcome = call_value(f, argc);
        if (outcome == CALL_PUSHED_FRAME) run_nested(f);
        RELOAD();
        CHECK_RAISED();
        goto do_return;
    }
    CASE(OP_CALL_METHOD)
    CASE(OP_CALL_METHOD_HINT) {
        Value name = K[op_u16(ip + 1)];
        int argc = op_u8(ip + 3);
        NEED(argc + 1);
        Value receiver = sp[-argc - 1];
        int hint = *ip == OP_CALL_METHOD_HINT ? int(op_u16(ip + 4)) : -1;
        ip += *ip == OP_CALL_METHOD ? 4 : 6;
        Value method = instance_method_fast(receiver, name_hash(name), hint);
        if (!is_absent(method)) {
            // Receiver and arguments lie in call order already: they become the locals.
            SYNC();
            f->stack_top -= uint32_t(argc + 1);
            if (push_frame_fast(f, method, receiver, sp - argc, argc)) {
                retain(method);
                ENTER_PUSHED_FRAME();
            }
            f->stack_top += uint32_t(argc + 1);
        }
        for (int i = -argc - 1; i < -1; ++i) sp[i] = sp[i + 1];
        sp -= 1;
        SYNC();
        CallOutcome outcome = call_method(f, receiver, name, name_hash(name), argc, hint);
        FINISH_CALL(outcome);
    }
    CASE(OP_CALL_THIS_METHOD) {
        Value name = K[op_u16(ip + 1)];
        int argc = op_u8(ip + 3);
        NEED(argc);
        Value receiver = L[0];
        ip += 4;
        Value method = instance_method_fast(receiver, name_hash(name), -1);
        if (!is_absent(method)) {
            SYNC();
            f->stack_top -= uint32_t(argc);
            if (push_frame_fast(f, method, receiver, sp - argc, argc)) {
                retain(receiver);
                retain(method);
                ENTER_PUSHED_FRAME();
            }
            f->stack_top += uint32_t(argc);
        }
        retain(receiver);
        SYNC();
        CallOutcome outcome = call_method(f, receiver, name, name_hash(name), argc);
        FINISH_CALL(outcome);
    }
    CASE(OP_SUPER_CALL) {
        Value name = K[op_u16(ip + 1)];
        int argc = op_u8(ip + 3);
        NEED(argc);
        ip += 4;
        SYNC();
        Value method = kAbsent;
        if (frame->owner_class) method = class_base_method(frame->owner_class, name_hash(name));
        if (is_absent(method)) {
            for (int i = 0; i < argc; ++i) release(f->stack[--f->stack_top]);
            raise_typed(ERR_RUNTIME, "super: method not found on base class", L[0]);
            RESYNC();
            goto exception;
        }
        Value receiver = L[0];
        retain(receiver);
        Value args[kMaxCallArguments];
        for (int i = argc - 1; i >= 0; --i) args[i] = f->stack[--f->stack_top];
        CallOutcome outcome;
        if (is_ref_of(method, T_FUNCTION)) {
            outcome = push_script_frame(f, method, receiver, args, argc, /*verbose_arity=*/false);
        } else {
            for (int i = 0; i < argc; ++i) f->stack[f->stack_top++] = args[i];
            Value bound = make_bound_method(receiver, method);
            release(receiver);
            release(method);
            f->stack[f->stack_top++] = bound;
            outcome = call_value(f, argc);
        }
        FINISH_CALL(outcome);
    }
    CASE(OP_CALL_GLOBAL) {
        int argc = op_u8(ip + 3);
        NEED(argc);
        Value callee = get_global(frame->env, K[op_u16(ip + 1)]);
        ip += 4;
        SYNC();
        CallOutcome outcome;
        if (LIKELY(is_plain_script_function(callee))) {
            sp -= argc;
            f->stack_top = uint32_t(sp - f->stack);
            if (push_frame_fast(f, callee, kAbsent, sp, argc)) ENTER_PUSHED_FRAME();
            outcome = push_script_frame(f, callee, kAbsent, sp, argc, /*verbose_arity=*/true);
        } else {
            PUSH(callee);
            SYNC();
            outcome = call_value(f, argc);
        }
        FINISH_CALL(outcome);
    }
    CASE(OP_CALL_QUALIFIED) {
        Value receiver = get_global(frame->env, K[op_u16(ip + 1)]);
        Value name = K[op_u16(ip + 3)];
        int argc = op_u8(ip + 5);
        ip += 6;
        if (UNLIKELY(sp - floor < argc)) {
            release(receiver);
            goto underflow;
        }
        SYNC();
        CallOutcome outcome = call_method(f, receiver, name, name_hash(name), argc);
        FINISH_CALL(outcome);
    }
    CASE(OP_NEW) {
        int argc = op_u8(ip + 1);
        NEED(argc + 1);
        Value cls = *--sp;
        ip += 2;
        SYNC();
        if (!is_ref_of(cls, T_CLASS)) {
            // Anything but a class is called like a function (builtin classes included).
            f->stack[f->stack_top++] = cls;
            CallOutcome outcome = call_value(f, argc);
            FINISH_CALL(outcome);
        }
        Value instance = class_instantiate(cls);
        Value ctor = class_constructor(as_obj(cls));
        release(cls);
        uint32_t base = f->stack_top - uint32_t(argc);  // where the constructor's result would go
        if (!is_absent(ctor) && !(f->flags & FIBER_UNHANDLED)) {
            retain(instance);
            CallOutcome outcome = call_with_receiver(f, ctor, instance, argc);
            ctor = kAbsent;  // the call took it over
            if (outcome == CALL_PUSHED_FRAME) run_nested(f);
            RELOAD();
            if (f->flags & FIBER_UNHANDLED) {
                release(instance);
                goto exception;
            }
            // The constructor's result, if it left one, is not used.
            while (f->stack_top > base) release(f->stack[--f->stack_top]);
            RESYNC();
        } else {
            for (int i = 0; i < argc; ++i) release(f->stack[--f->stack_top]);
            RESYNC();
        }
        release(ctor);
        if (UNLIKELY(f->flags & FIBER_UNHANDLED)) {
            // The handler search only sees synced stack slots: a pushed instance would leak.
            release(instance);
            goto exception;
        }
        PUSH(instance);
        NEXT();
    }
    CASE(OP_GET_SUPER_CTOR) {
        Value self = L[0];
        Value ctor = kAbsent;
        if (!is_nil_or_absent(self) && frame->owner_class) {
            ctor = class_base_method(frame->owner_class, 0x9A9C0E93AC390B36ull);
        }
        ip += 1;
        if (is_absent(ctor)) {
            SYNC();
            raise_error(ERR_NULL_PTR);
            goto exception;
        }
        retain(self);
        Value bound;
        CALL_OUT(bound = make_bound_method(self, ctor); release(self); release(ctor));
        PUSH(bound);
        NEXT();
    }
    CASE(OP_BIND_THIS) {
        NEED(1);
        Value callable = sp[-1];
        Value self = L[0];
        retain(self);
        Value bound;
        CALL_OUT(bound = make_bound_method(self, callable); release(self); release(callable));
        sp[-1] = bound;
        ip += 1;
        NEXT();
    }
    CASE(OP_GET_BUILTIN) {
        ObjHeader* row = builtin_row(op_u8(ip + 1), op_u8(ip + 2));
        PUSH(row ? make_ref(row) : nil_value());
        ip += 3;
        NEXT();
    }
    CASE(OP_CALL_BUILTIN_0)
    CASE(OP_CALL_BUILTIN_1)
    CASE(OP_CALL_BUILTIN_2)
    CASE(OP_CALL_BUILTIN_3)
    CASE(OP_CALL_BUILTIN_4)
    CASE(OP_CALL_BUILTIN_5) {
        int argc = *ip - OP_CALL_BUILTIN_0;
        NEED(argc);
        const ObjHeader* row = builtin_row(op_u8(ip + 1), op_u8(ip + 2));
        ip += 3;
        SYNC();
        call_builtin_from_stack(f, row, kAbsent, argc);
        RESYNC();
        CHECK_RAISED();
        if (UNLIKELY(f->flags & FIBER_SWITCH)) {
            SYNC();
            return;
        }
        NEXT();
    }
    CASE(OP_RETURN_NIL) {
        PUSH(nil_value());
        goto do_return;
    }
    CASE(OP_RETURN_LOCAL) {
        uint8_t slot = op_u8(ip + 1);
        Value v = L[slot];
        L[slot] = kAbsent;
        PUSH(is_absent(v) ? nil_value() : v);
        goto do_return;
    }
    CASE(OP_RETURN) {
    do_return:
        // The common return inline: a caller frame in this run, no handler of this
        // frame left; pop_frame does the rest.
        if (LIKELY(f->frame_count > 1 && (!nested || f->frame_count > entry_frames) && floor < stack_end &&
                   (f->handler_top < 0 || f->handlers[f->handler_top].frame_depth < uint32_t(f->frame_count)))) {
            Value result = sp > floor ? *--sp : nil_value();
            SYNC();
            while (sp > floor) {  // the count first: a destructor run here may push
                Value v = *--sp;
                f->stack_top = uint32_t(sp - f->stack);
                release(v);
            }
            for (uint32_t i = 0; i < frame->live_locals; ++i) {
                release(L[i]);
                L[i] = kAbsent;
            }
            frame->live_locals = 0;
            release(frame->callee);
            frame->callee = kAbsent;
            f->frame_count -= 1;
            // The caller's frame lies just below; its stack ends where ours began.
            frame -= 1;
            code = frame->chunk->code;
            ip = code + frame->ip;
            K = frame->chunk->constants;
            L = frame->locals;
            sp = floor;
            floor = f->stack + frame->stack_base;
            *sp++ = result;  // below stack_end: checked on entry
            f->stack_top += 1;
            PREEMPT();
            NEXT();
        }
        SYNC();
        pop_frame(f);
        if (f->frame_count == 0) {
            finish_fiber(f);
            return;
        }
        if (nested && f->frame_count < entry_frames) return;
        RELOAD();
        PREEMPT();
        NEXT();
    }
    CASE(OP_RETURN_TO_HOST) {
        SYNC();
        pop_frame(f);
        if (f->frame_count == 0) finish_fiber(f);
        return;
    }

    // ---- fibers ---------------------------------------------------------------------
    CASE(OP_YIELD) {
        NEED(1);
        Value v = *--sp;
        ip += 1;
        SYNC();
        if (!(f->flags & FIBER_AWAITED) && f->resumer) {
            release(f->resumer->result);
            f->resumer->result = v;
        } else {
            release(v);
        }
        f->status = STATUS_YIELD;
        f->flags |= FIBER_SWITCH;
        return;
    }
    CASE(OP_AWAIT) {
        NEED(1);
        Value v = *--sp;
        ip += 1;
        SYNC();
        if (is_nil_or_absent(v)) {
            f->flags |= FIBER_SWITCH;
            return;
        }
        if (!is_ref_of(v, T_FIBER)) {
            release(v);
            raise_error(ERR_INVALID_ARGUMENTS);
            goto exception;
        }
        FiberRecord* target = fiber_record(as_obj(v));
        if (target->status == STATUS_FINISHED) {
            Value r = is_absent(target->result) ? nil_value() : target->result;
            target->result = kAbsent;
            release(v);
            RESYNC();
            PUSH(r);
            NEXT();
        }
        if (UNLIKELY(target == f)) {  // waiting for itself would never end
            release(v);
            raise_error(ERR_INVALID_ARGUMENTS);
            goto exception;
        }
        f->awaiting = target;
        f->status = STATUS_WAIT_FIBER;
        release(f->result);
        f->result = kAbsent;
        target->resumer = f;
        target->flags |= FIBER_AWAITED;
        fiber_schedule(v);
        release(v);
        f->flags |= FIBER_SWITCH;
        return;
    }

    // ---- exceptions -------------------------------------------------------------------
    CASE(OP_TRY_BEGIN) {
        SYNC();
        try_begin(f, op_u16(ip + 1), op_u8(ip + 3), op_u16(ip + 4));
        ip += 6;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_TRY_END) {
        if (own_handler(f)) JUMP_TO(f->handlers[f->handler_top].finally_ip);
        ip += 1;
        NEXT();
    }
    CASE(OP_CATCH_STORE) {
        NEED(1);
        Value v = *--sp;
        uint8_t slot = f->handler_top >= 0 ? f->handlers[f->handler_top].catch_slot : 0;
        CALL_OUT(store_local(frame, slot, v));
        ip += 1;
        NEXT();
    }
    CASE(OP_GOTO_FINALLY) {
        if (own_handler(f)) JUMP_TO(f->handlers[f->handler_top].finally_ip);
        ip += 1;
        NEXT();
    }
    CASE(OP_FINALLY_BEGIN) {
        if (own_handler(f)) f->handlers[f->handler_top].state = HANDLER_FINALLY;
        ip += 1;
        NEXT();
    }
    CASE(OP_END_FINALLY)
    CASE(OP_TRY_LEAVE) {
        FinallyOutcome outcome;
        if (*ip == OP_END_FINALLY) {
            ip += 1;
            SYNC();
            outcome = end_finally(f);
        } else {
            uint8_t kind = op_u8(ip + 1), levels = op_u8(ip + 2);
            uint32_t target = op_u16(ip + 3);
            Value v = kAbsent;
            if (!own_handler(f)) {
                // Nothing to pass through: the leave happens at once. Going on after the
                // instruction would run code the validator never followed (it ends a
                // path there), which may run off the end of the chunk.
                if (kind != 0) JUMP_TO(target);
                ip += 5;
                if (sp == floor) PUSH(nil_value());
                goto do_return;
            }
            if (kind == 0) {
                if (sp > floor) {
                    v = *--sp;
                } else {
                    v = nil_value();
                }
            }
            ip += 5;
            SYNC();
            outcome = try_leave(f, kind, levels, target, v);
        }
        RELOAD();
        switch (outcome.action) {
        case FINALLY_CONTINUE: NEXT();
        case FINALLY_JUMP: JUMP_TO(outcome.target);
        case FINALLY_RETURN: PUSH(outcome.value); goto do_return;
        case FINALLY_DISPATCH: goto exception;
        }
        NEXT();
    }
    CASE(OP_THROW) {
        NEED(1);
        Value v = *--sp;
        ip += 1;
        SYNC();
        throw_value(f, v);
        goto exception;
    }

    // ---- iteration --------------------------------------------------------------------
    CASE(OP_ITER_BEGIN) {
        Value i = L[op_u8(ip + 1)], end = L[op_u8(ip + 2)];
        if (UNLIKELY(!(is_imm_int(i) || is_ref_of(i, T_INT)) || !(is_imm_int(end) || is_ref_of(end, T_INT)))) {
            SYNC();
            raise_typed(ERR_INVALID_ARGUMENTS, "iter range bound out of range",
                        (is_imm_int(i) || is_ref_of(i, T_INT)) ? end : i);
            goto exception;
        }
        if (value_to_int(i) > value_to_int(end)) JUMP_TO(op_u16(ip + 3));
        ip += 5;
        NEXT();
    }
    CASE(OP_ITER_NEXT) {
        uint8_t slot = op_u8(ip + 1);
        Value i = L[slot], end = L[op_u8(ip + 2)];
        if (LIKELY(is_imm_int(i) && is_imm_int(end))) {
            if (imm_int(i) < imm_int(end)) {
                L[slot] = make_imm_int(imm_int(i) + 1);
                JUMP_TO(op_u16(ip + 3));
            }
        } else if (value_to_int(i) < value_to_int(end)) {
            Value next;
            CALL_OUT(next = make_int(value_to_int(i) + 1); store_local(frame, slot, next));
            JUMP_TO(op_u16(ip + 3));
        }
        ip += 5;
        NEXT();
    }
    CASE(FOREACH) {
        bool done;
        CALL_OUT(done = op_foreach_step(frame, op_u8(ip + 1), op_u8(ip + 2), op_u8(ip + 3), op_u8(ip + 4)));
        CHECK_RAISED();
        if (done) JUMP_TO(op_u16(ip + 5));
        ip += 7;
        NEXT();
    }

    // ---- debug information ----------------------------------------------------------
    CASE(OP_LINE) {
        frame->line = op_u16(ip + 1);
        ip += 3;
        NEXT();
    }
    CASE(OP_FUNC_NAME) {
        Value name = K[op_u16(ip + 1)];
        if (is_string(name)) frame->name = string_chars(as_obj(name));
        trace_text("[Debug] Entering function: %s\n", name);
        ip += 3;
        NEXT();
    }
    CASE(OP_FILE_NAME) {
        trace_text("[Debug] Current file: %s\n", K[op_u16(ip + 1)]);
        ip += 3;
        NEXT();
    }
    CASE(OP_BREAKPOINT) {
        std::printf("[Breakpoint:%d] %s (%s:%d)\n", int(op_u16(ip + 1)), frame->name ? frame->name : "<anon>",
                    "<unknown>", int(frame->line));
        ip += 3;
        NEXT();
    }

    // ---- block element access -------------------------------------------------------
    CASE(OP_BLOCK_GET_LI) {
        Value r;
        CALL_OUT(r = block_get(L[op_u8(ip + 1)], op_u8(ip + 2)));
        PUSH(r);
        ip += 3;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_BLOCK_GET_LL) {
        Value r;
        CALL_OUT(r = block_get(L[op_u8(ip + 1)], value_to_int(L[op_u8(ip + 2)])));
        PUSH(r);
        ip += 3;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_BLOCK_SET_LI) {
        NEED(1);
        Value v = *--sp;
        CALL_OUT(block_set(L[op_u8(ip + 1)], op_u8(ip + 2), v); release(v));
        ip += 3;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_BLOCK_SET_LL) {
        NEED(1);
        Value v = *--sp;
        CALL_OUT(block_set(L[op_u8(ip + 1)], value_to_int(L[op_u8(ip + 2)]), v); release(v));
        ip += 3;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_BLOCK_SET_LIL) {
        CALL_OUT(block_set(L[op_u8(ip + 1)], op_u8(ip + 2), L[op_u8(ip + 3)]));
        ip += 4;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_BLOCK_SET_LLL) {
        CALL_OUT(block_set(L[op_u8(ip + 1)], value_to_int(L[op_u8(ip + 2)]), L[op_u8(ip + 3)]));
        ip += 4;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_BLOCK_LOAD_LLI) {
        Value r;
        CALL_OUT(r = block_get(L[op_u8(ip + 2)], op_u8(ip + 3)); store_local(frame, op_u8(ip + 1), r));
        ip += 4;
        CHECK_RAISED();
        NEXT();
    }
    CASE(OP_BLOCK_LOAD_LLL) {
        Value r;
        CALL_OUT(r = block_get(L[op_u8(ip + 2)], value_to_int(L[op_u8(ip + 3)]));
                 store_local(frame, op_u8(ip + 1), r));
        ip += 4;
        CHECK_RAISED();
        NEXT();
    }

    // ---- never reached in validated code ---------------------------------------------
    CASE(OP_RESERVED_A2)
    CASE(OP_RESERVED_A3)
    CASE(OP_RESERVED_A4)
    CASE(OP_RESERVED_A5)
    CASE(OP_RESERVED_A6)
    CASE(OP_RESERVED_A7)
L_INVALID:
    SYNC();
    raise_error(ERR_ILLEGAL_INSTRUCTION);
    goto exception;

overflow:
    SYNC();
    raise_error(ERR_STACK);
    goto exception;

underflow:
    SYNC();
    raise_error(ERR_STACK);
    goto exception;

exception:
    // The raise sink has ended the process when nothing could catch; otherwise
    // unwind to the handler, or leave for the run loop or the native caller.
    if (!(f->flags & FIBER_UNHANDLED)) {
        RESYNC();
        NEXT();
    }
    if (!dispatch_exception(f, nested ? entry_frames : 0)) return;
    RELOAD();
    PREEMPT();  // a handler may lie behind: a loop of raises must not starve the run loop
    NEXT();

#undef RELOAD
#undef SYNC
#undef RESYNC
#undef NEXT
#undef CASE
#undef CHECK_RAISED
#undef NEED
#undef ROOM
#undef PUSH
#undef PREEMPT
#undef JUMP_TO
#undef CALL_OUT
#undef FINISH_CALL
}

}  // namespace tarvik
