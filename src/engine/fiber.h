// engine/fiber.h: the fiber record with its call frames, value stack and exception
// handlers. The interpreter runs the top frame of the current fiber; the scheduler
// (sched/) decides which fiber is current.
//
//   fiber value: type T_FIBER, payload a = FiberRecord*
#pragma once

#include <cstdint>

#include "runtime/chunk.h"
#include "runtime/value.h"

namespace tarvik {

struct Env;

// One activation of a script function. Locals live inside the frame so that calls
// allocate nothing.
struct CallFrame {
    Chunk* chunk;
    uint32_t ip;              // saved position while the frame is not executing
    uint8_t live_locals;      // leading slots that may hold references
    Value locals[kMaxLocals];
    ObjHeader* owner_class;   // class whose method runs here (not counted)
    Value callee;             // the function value being run (owned)
    Env* env;                 // where this frame's globals resolve (borrowed from callee)
    uint32_t line;            // set by OP_LINE; 0xFFFFFFFF until then
    const char* name;         // recorded by OP_FUNC_NAME (borrowed from a chunk constant)
    uint32_t stack_base;      // value-stack count at entry: pops never go below it
};

constexpr int kMaxHandlers = 24;

enum HandlerState : uint8_t { HANDLER_TRY = 0, HANDLER_CATCH = 1, HANDLER_FINALLY = 2 };
enum HandlerPending : uint8_t {
    PENDING_NONE = 0,
    PENDING_RETHROW = 1,
    PENDING_RETURN = 2,
    PENDING_JUMP = 3,
    PENDING_JUMP_OTHER = 4,
};

struct TryHandler {
    uint32_t catch_ip;
    uint32_t finally_ip;
    uint32_t frame_depth;   // frame count when installed
    uint32_t stack_height;  // value-stack count when installed
    uint8_t catch_slot;
    uint8_t saved_live_locals;
    uint8_t state;
    uint8_t pending;
    uint8_t levels;
    uint32_t target;
    Value pending_value;    // exception to rethrow or value to return (owned)
};

// Fiber flags.
constexpr uint8_t FIBER_UNHANDLED = 0x01;  // an exception is in flight
constexpr uint8_t FIBER_SWITCH = 0x02;     // return to the run loop at the next check
constexpr uint8_t FIBER_DETACHED = 0x04;
constexpr uint8_t FIBER_QUEUED = 0x08;
constexpr uint8_t FIBER_AWAITED = 0x10;
constexpr uint8_t FIBER_WAIT_ALL = 0x20;

enum FiberStatus : uint32_t {
    STATUS_NEW = 0,
    STATUS_RUNNING = 1,
    STATUS_SUSPENDED = 2,
    STATUS_FINISHED = 3,
    STATUS_WAIT_IO = 4,
    STATUS_YIELD = 5,
    STATUS_WAIT_FIBER = 6,
};

constexpr uint32_t kDefaultQuantum = 10000;

struct FiberRecord {
    uint32_t id;
    uint32_t quantum;            // 0: the default budget
    CallFrame* frames;
    int32_t frame_count;
    uint32_t frame_capacity;
    Value* messages;             // 64-slot ring, allocated on first use
    uint16_t msg_head;
    uint16_t msg_count;
    Value function;              // retained
    TryHandler handlers[kMaxHandlers];
    int32_t handler_top;         // -1 when empty
    Value exception;             // in flight (owned)
    uint8_t flags;
    uint8_t preempt_off;         // native code is running a script callback
    uint32_t status;
    double wake_ms;
    uint64_t wait_mask;
    FiberRecord* awaiting;
    FiberRecord* resumer;
    Value result;                // absent = empty
    uint8_t io_outcome;
    Value* stack;
    uint32_t stack_cap;
    uint32_t stack_top;
    ObjHeader* object;           // the fiber value's header (not counted)
    FiberRecord* live_prev;      // every fiber in existence, oldest first (not counted)
    FiberRecord* live_next;
};

inline FiberRecord* fiber_record(const ObjHeader* obj) { return reinterpret_cast<FiberRecord*>(obj->a); }

// A new fiber value (one reference) for a function value, status New, not queued;
// raises code 3 for a non-function, 6 for zero limits, 8 when memory runs out and
// answers nil.
Value fiber_create(Value function, uint32_t frame_capacity, uint32_t stack_slots);

// The oldest fiber in existence; follow `live_next`. A record leaves the list when
// its value is freed, and every `awaiting` or `resumer` pointer to it is cleared
// then, so those pointers never dangle.
FiberRecord* fiber_live_first();

// Registers the release and rendering of fiber values (VM start).
void fiber_types_register();

// The fiber the interpreter runs (null between slices and at top level).
extern FiberRecord* g_current_fiber;

// Queues a fiber on the scheduler's ready queue (the scheduler installs it).
void fiber_set_scheduler(void (*schedule)(Value fiber));
void fiber_schedule(Value fiber);

}  // namespace tarvik
