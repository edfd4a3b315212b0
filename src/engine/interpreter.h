// engine/interpreter.h: running the current fiber's frames, and the call protocol
// shared by the interpreter, builtins that call back into scripts and the
// scheduler.
#pragma once

#include <cstdint>

#include "engine/fiber.h"
#include "runtime/value.h"

namespace tarvik {

// Runs g_current_fiber from its top frame. nested = 0 from the run loop; otherwise
// the run returns as soon as the frame count drops below the count at entry.
void run_interpreter(uint32_t nested);

// Runs the frame just pushed on `f` until it returns (or an exception escapes it).
void run_nested(FiberRecord* f);

// Outcome of a call made with the callee and arguments on the stack.
enum CallOutcome { CALL_DONE = 0, CALL_PUSHED_FRAME = 1, CALL_FAILED = 2 };

// The generic call: the callee is on top of the stack above argc arguments
// (f->stack_top is current). A script function gets a new frame; anything else runs
// to completion and leaves its result on the stack.
CallOutcome call_value(FiberRecord* f, int argc);

// Pushes a frame for a plain script function; the callee reference moves into the
// frame. The arguments are args[0..argc) (owned, moved into the locals); `receiver`
// (owned, may be absent) becomes L[0] ahead of them.
CallOutcome push_script_frame(FiberRecord* f, Value callee, Value receiver, Value* args, int argc, bool verbose_arity);

// The rest of a new frame once its locals are in place: the callee (owned) and what
// it runs, at its first instruction, over an empty stack; then the frame counts.
inline void enter_frame(FiberRecord* f, CallFrame& frame, Value callee, Chunk* chunk, ObjHeader* owner_class,
                        Env* env, Env* global_env) {
    frame.chunk = chunk;
    frame.ip = 0;
    frame.owner_class = owner_class;
    frame.callee = callee;
    frame.env = env ? env : global_env;
    frame.line = 0xFFFFFFFF;
    frame.name = nullptr;
    frame.stack_base = f->stack_top;
    f->frame_count += 1;
}

// Pops the frame, keeping exactly the result on the stack; discards the frame's
// exception handlers.
void pop_frame(FiberRecord* f);

// Calls a builtin row with a receiver (may be absent) and argc arguments popped from
// the stack; pushes a non-absent result.
void call_builtin_from_stack(FiberRecord* f, const ObjHeader* row, Value receiver, int argc);

// OP_CALL_METHOD and friends: argc arguments on the stack, the receiver given
// (owned). `hint` is the expected index in the receiver's class member table (-1:
// none). Returns the outcome of the call.
CallOutcome call_method(FiberRecord* f, Value receiver, Value name, uint64_t hash, int argc, int hint = -1);

// Calls `callable` (owned) with `receiver` (owned) as this and argc arguments from the
// stack: constructors and other calls that must not allocate a bound method.
CallOutcome call_with_receiver(FiberRecord* f, Value callable, Value receiver, int argc);

// Pushes / pops with the stack limits of the current fiber; raise code 12 on
// overflow (the value is released) or underflow (nil is returned).
bool fiber_push(FiberRecord* f, Value v);
Value fiber_pop(FiberRecord* f);

// Calls a script value from native code (installed as the builtin callback invoker).
// An exception the callee leaves stays pending and the result is absent.
Value invoke_callable_native(Value callee, Value* args, int argc, const char* name);
// The same as a boundary (destructors): an exception is reported as a warning and
// discarded, and the result is nil.
Value invoke_boundary(Value callee, Value* args, int argc, const char* name);

// A run budget for harnesses (null in the VM): called at the start of every slice of
// the interpreter, nested runs included; it may raise into the fiber or end the run
// through vm_exit.
extern void (*g_slice_hook)(FiberRecord* f);

// Depth of nested interpreter runs (native code running script callbacks).
extern uint32_t g_nested_runs;

// Start-up wiring: the builtin callback invoker and the class model's global lookup.
void interpreter_init();

}  // namespace tarvik
