// stdlib/fiber/fiber_module.cpp: the Fiber module (creation, resumption, status,
// cancellation, quantum, messages) and the Scheduler module. Members that park the
// caller set its status and F_SWITCH and return no value; the run loop later
// pushes the caller's `result` as the call's value.
#include "engine/fiber.h"
#include "runtime/alloc.h"
#include "runtime/builtin.h"
#include "runtime/errors.h"
#include "runtime/vm_options.h"
#include "sched/clock.h"
#include "sched/scheduler.h"
#include "stdlib/stdlib_register.h"

namespace tarvik {

namespace {

constexpr uint16_t kMessageSlots = 64;
constexpr int64_t kMaxQuantum = 100000;

// The fiber of an argument; null (after raising code 3) for anything else.
FiberRecord* fiber_argument(Value v) {
    if (is_ref_of(v, T_FIBER) && fiber_record(as_obj(v))) return fiber_record(as_obj(v));
    raise_error(ERR_INVALID_ARGUMENTS);
    return nullptr;
}

Value new_fiber(Value function) { return fiber_create(function, g_options.max_frames, g_options.stack_slots); }

// Parks the current fiber until its next turn with nil as the call's result.
void park_suspended(FiberRecord* caller) {
    caller->awaiting = nullptr;
    release(caller->result);
    caller->result = nil_value();
    caller->status = STATUS_SUSPENDED;
    caller->flags |= FIBER_SWITCH;
}

// Natives borrow args[0..count) and return a new reference (nil after raising).
Value fiber_new(Value* args, int) { return new_fiber(args[0]); }

Value fiber_run(Value* args, int) {
    Value fiber = new_fiber(args[0]);
    if (!is_ref_of(fiber, T_FIBER)) return nil_value();
    FiberRecord* f = fiber_record(as_obj(fiber));
    f->flags |= FIBER_DETACHED;
    scheduler_queue(fiber);
    int64_t id = f->id;
    release(fiber);
    // The caller gives up its turn; the id is the call's value, so nothing waits
    // in its result slot.
    if (FiberRecord* caller = g_current_fiber; caller && !(caller->flags & FIBER_UNHANDLED)) {
        caller->awaiting = nullptr;
        caller->status = STATUS_SUSPENDED;
        caller->flags |= FIBER_SWITCH;
    }
    return make_int(id);
}

Value fiber_resume(Value* args, int count) {
    FiberRecord* caller = g_current_fiber;
    if (is_nil_or_absent(args[0]) || !caller) return nil_value();
    FiberRecord* target = fiber_argument(args[0]);
    if (!target || target->status == STATUS_FINISHED) return nil_value();
    bool detached = count > 1 && is_imm_bool(args[1]) && imm_bool(args[1]);
    if (!detached && target == caller) {
        raise_error(ERR_INVALID_ARGUMENTS, "A fiber cannot resume itself and wait for itself");
        return nil_value();
    }
    if (detached) {
        target->flags = uint8_t((target->flags | FIBER_DETACHED) & ~FIBER_AWAITED);
    } else {
        target->resumer = caller;
        target->flags &= uint8_t(~(FIBER_DETACHED | FIBER_AWAITED));
    }
    scheduler_queue(args[0]);
    if (caller->flags & FIBER_UNHANDLED) return nil_value();  // the queue was full
    if (detached) {
        park_suspended(caller);
    } else {
        caller->awaiting = target;
        caller->status = STATUS_WAIT_FIBER;
        release(caller->result);
        caller->result = kAbsent;
        caller->flags |= FIBER_SWITCH;
    }
    return kAbsent;
}

Value fiber_status(Value* args, int) {
    FiberRecord* f = fiber_argument(args[0]);
    return f ? make_int(f->status) : nil_value();
}

Value fiber_is_done(Value* args, int) {
    FiberRecord* f = fiber_argument(args[0]);
    return make_bool(f && f->status == STATUS_FINISHED);
}

Value fiber_sleep(Value* args, int) {
    FiberRecord* f = g_current_fiber;
    if (!f) return nil_value();
    double ms = double(value_to_int(args[0]));
    f->wake_ms = clock_now_ms() + (ms > 0 ? ms : 0);
    release(f->result);
    f->result = nil_value();
    f->status = STATUS_SUSPENDED;
    f->flags |= FIBER_SWITCH;
    return kAbsent;
}

Value fiber_cancel(Value* args, int) {
    FiberRecord* f = fiber_argument(args[0]);
    if (!f || f->status == STATUS_FINISHED) return make_bool(false);
    f->status = STATUS_FINISHED;
    // A finished fiber waits for nothing: a stale wake time would hold up the idle
    // run loop and a stale mask would keep events from being consumed.
    f->wake_ms = 0;
    f->wait_mask = 0;
    // Its socket operations are dropped with the hold they had on it, also those
    // started without waiting for them; jobs already with a worker find it
    // finished and only let go of theirs.
    scheduler_discard_io(f);
    if (f == g_current_fiber) f->flags |= FIBER_SWITCH;
    return make_bool(true);
}

Value fiber_cancel_io(Value* args, int) {
    FiberRecord* f = fiber_argument(args[0]);
    return make_bool(f && f->status == STATUS_WAIT_IO && scheduler_cancel_io(f) > 0);
}

Value fiber_id(Value*, int) { return g_current_fiber ? make_int(g_current_fiber->id) : nil_value(); }

Value fiber_from_id(Value* args, int) {
    int64_t id = value_to_int(args[0]);
    if (id <= 0 || id > int64_t(UINT32_MAX)) return nil_value();
    return scheduler_find_fiber(uint32_t(id));
}

Value fiber_set_quantum(Value* args, int) {
    FiberRecord* f = fiber_argument(args[0]);
    if (!f) return make_bool(false);
    int64_t q = value_to_int(args[1]);
    f->quantum = uint32_t(q < 0 ? 0 : q > kMaxQuantum ? kMaxQuantum : q);
    return make_bool(true);
}

Value fiber_send_message(Value* args, int) {
    FiberRecord* f = fiber_argument(args[0]);
    if (!f || f->status == STATUS_FINISHED || f->msg_count >= kMessageSlots) return make_bool(false);
    if (!f->messages) {
        f->messages = static_cast<Value*>(checked_calloc(kMessageSlots, sizeof(Value)));
        if (!f->messages) {
            raise_error(ERR_OUT_OF_MEMORY);
            return make_bool(false);
        }
    }
    retain(args[1]);
    f->messages[(f->msg_head + f->msg_count) % kMessageSlots] = args[1];
    f->msg_count += 1;
    if (f->wait_mask) return make_bool(true);  // an event wait is not interrupted
    if (f->status == STATUS_NEW || f->status == STATUS_SUSPENDED || f->status == STATUS_YIELD) {
        f->wake_ms = 0;
        f->status = STATUS_SUSPENDED;
        scheduler_queue(args[0]);
    }
    return make_bool(true);
}

Value fiber_has_message(Value* args, int) {
    FiberRecord* f = fiber_argument(args[0]);
    return make_bool(f && f->status != STATUS_FINISHED && f->msg_count > 0);
}

Value fiber_get_message(Value* args, int) {
    FiberRecord* f = fiber_argument(args[0]);
    if (!f || f->status == STATUS_FINISHED || f->msg_count == 0) return nil_value();
    Value v = f->messages[f->msg_head];
    f->messages[f->msg_head] = kAbsent;
    f->msg_head = uint16_t((f->msg_head + 1) % kMessageSlots);
    f->msg_count -= 1;
    return v;
}

Value fiber_message_count(Value* args, int) {
    FiberRecord* f = fiber_argument(args[0]);
    return make_int(f && f->status != STATUS_FINISHED ? f->msg_count : 0);
}

Value scheduler_has_ready_fibers(Value*, int) { return make_bool(scheduler_ready_count() >= 1); }

Value scheduler_schedule(Value* args, int) {
    if (fiber_argument(args[0])) scheduler_queue(args[0]);
    return nil_value();
}

constexpr Signature kFunctionToFiber{T_FIBER, {T_FUNCTION}};
constexpr Signature kFunctionToInt{T_INT, {T_FUNCTION}};
constexpr Signature kResume{T_ANY, {T_FIBER, T_ANY}};
constexpr Signature kFiberToInt{T_INT, {T_FIBER}};
constexpr Signature kFiberToBool{T_BOOL, {T_FIBER}};
constexpr Signature kFiberToAny{T_ANY, {T_FIBER}};
constexpr Signature kNumberToNil{T_NIL, {T_NUMBER}};
constexpr Signature kNoneToInt{T_INT, {}};
constexpr Signature kNumberToFiber{T_FIBER, {T_NUMBER}};
constexpr Signature kFiberNumberToBool{T_BOOL, {T_FIBER, T_NUMBER}};
constexpr Signature kFiberAnyToBool{T_BOOL, {T_FIBER, T_ANY}};
constexpr Signature kNoneToBool{T_BOOL, {}};
constexpr Signature kFiberToNil{T_NIL, {T_FIBER}};

}  // namespace

// Catalogue order; the Status.* constants need no native code.
constexpr BuiltinNative kFiberNatives[] = {
    {"New", fiber_new, &kFunctionToFiber},
    {"Run", fiber_run, &kFunctionToInt},
    {"Resume", fiber_resume, &kResume},
    {"Status", fiber_status, &kFiberToInt},
    {"IsDone", fiber_is_done, &kFiberToBool},
    {"Sleep", fiber_sleep, &kNumberToNil},
    {"Cancel", fiber_cancel, &kFiberToBool},
    {"CancelIo", fiber_cancel_io, &kFiberToBool},
    {"Id", fiber_id, &kNoneToInt},
    {"FromId", fiber_from_id, &kNumberToFiber},
    {"SetQuantum", fiber_set_quantum, &kFiberNumberToBool},
    {"SendMessage", fiber_send_message, &kFiberAnyToBool},
    {"HasMessage", fiber_has_message, &kFiberToBool},
    {"GetMessage", fiber_get_message, &kFiberToAny},
    {"MessageCount", fiber_message_count, &kFiberToInt},
};

constexpr BuiltinNative kSchedulerNatives[] = {
    {"HasReadyFibers", scheduler_has_ready_fibers, &kNoneToBool},
    {"Schedule", scheduler_schedule, &kFiberToNil},
};

void fiber_register_natives() {
    builtin_register_module("Fiber", kFiberNatives);
    builtin_register_module("Scheduler", kSchedulerNatives);
}

}  // namespace tarvik
