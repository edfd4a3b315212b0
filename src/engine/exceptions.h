// engine/exceptions.h: the built-in Exception class, stack traces, the raise sink
// that turns runtime errors into Exception instances on the current fiber, and the
// handler records behind try/catch/finally.
#pragma once

#include <cstdint>

#include "engine/fiber.h"
#include "runtime/value.h"

namespace tarvik {

// Builds the Exception class (a static object), binds it in the global scope and
// installs the raise sink. Called once at VM start after the global scope exists.
void exceptions_init();
void exceptions_shutdown();
ObjHeader* exception_class();

// A new Exception instance with Code, Error and StackTrace filled in.
Value make_exception(int code, const char* message);
// One string per frame of the fiber, outermost first.
Value make_stack_trace(FiberRecord* f);

// Unwinds to the innermost handler of the fiber. True when execution continues in
// a frame (registers must be reloaded); false when the interpreter must leave (no
// handler, or the handler lies beyond a nested run's entry).
bool dispatch_exception(FiberRecord* f, int32_t entry_frames);

// An unhandled error was reported and the run is ending: no boundary may swallow
// the fiber's unhandled state any more.
bool exceptions_fatal_pending();

// Reports an exception that escaped every handler and ends the process.
[[noreturn]] void report_unhandled(FiberRecord* f);

// Whether the innermost handler was installed by the running frame. Handler
// instructions act only on such a handler: another frame's holds addresses in other code.
inline bool own_handler(const FiberRecord* f) {
    return f->handler_top >= 0 && f->handlers[f->handler_top].frame_depth == uint32_t(f->frame_count);
}

// OP_TRY_BEGIN: false after raising code 6 (25th handler).
bool try_begin(FiberRecord* f, uint32_t catch_ip, uint8_t catch_slot, uint32_t finally_ip);
// OP_THROW: takes over the value; always leaves an exception in flight.
void throw_value(FiberRecord* f, Value v);

// What OP_END_FINALLY and OP_TRY_LEAVE ask the interpreter to do next.
enum FinallyAction { FINALLY_CONTINUE, FINALLY_JUMP, FINALLY_RETURN, FINALLY_DISPATCH };
struct FinallyOutcome {
    FinallyAction action;
    uint32_t target;  // FINALLY_JUMP
    Value value;      // FINALLY_RETURN: the value to return (owned)
};
FinallyOutcome end_finally(FiberRecord* f);
// OP_TRY_LEAVE with the return value (kind 0) already popped into `value`.
FinallyOutcome try_leave(FiberRecord* f, uint8_t kind, uint8_t levels, uint32_t target, Value value);

}  // namespace tarvik
