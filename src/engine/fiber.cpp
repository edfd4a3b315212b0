// engine/fiber.cpp: creation and release of fiber records.
#include "engine/fiber.h"

#include <cstdio>

#include "runtime/alloc.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/heap.h"
#include "runtime/type_ops.h"

namespace tarvik {

FiberRecord* g_current_fiber = nullptr;

namespace {

void (*g_schedule)(Value fiber) = nullptr;

uint32_t g_next_fiber_id = 1;
FiberRecord* g_live_first = nullptr;
FiberRecord* g_live_last = nullptr;

void live_link(FiberRecord* f) {
    f->live_prev = g_live_last;
    if (g_live_last) g_live_last->live_next = f;
    else g_live_first = f;
    g_live_last = f;
}

void live_unlink(FiberRecord* f) {
    if (f->live_prev) f->live_prev->live_next = f->live_next;
    else g_live_first = f->live_next;
    if (f->live_next) f->live_next->live_prev = f->live_prev;
    else g_live_last = f->live_prev;
    for (FiberRecord* other = g_live_first; other; other = other->live_next) {
        if (other->awaiting == f) other->awaiting = nullptr;
        if (other->resumer == f) other->resumer = nullptr;
    }
}

void release_frame(CallFrame& frame) {
    for (uint32_t i = 0; i < frame.live_locals; ++i) {
        release(frame.locals[i]);
        frame.locals[i] = kAbsent;
    }
    frame.live_locals = 0;
    release(frame.callee);
    frame.callee = kAbsent;
}

void fiber_release_contents(ObjHeader* obj) {
    FiberRecord* f = fiber_record(obj);
    if (!f) return;
    live_unlink(f);
    if (f->stack_top) {
        print_error("Fiber stck not empty! Found %d items on fiber %d's stack.\n", int(f->stack_top), int(f->id));
    }
    for (uint32_t i = 0; i < f->stack_top; ++i) release(f->stack[i]);
    for (int32_t i = 0; i < f->frame_count; ++i) release_frame(f->frames[i]);
    for (int32_t i = 0; i <= f->handler_top; ++i) release(f->handlers[i].pending_value);
    for (uint32_t i = 0; i < f->msg_count; ++i) release(f->messages[(f->msg_head + i) % 64]);
    release(f->function);
    release(f->exception);
    release(f->result);
    if (g_current_fiber == f) g_current_fiber = nullptr;
    checked_free(f->messages);
    checked_free(f->frames);
    checked_free(f->stack);
    checked_free(f);
    obj->a = 0;
}

void fiber_render(Value v) { std::printf("fiber [%d]", int(fiber_record(as_obj(v))->id)); }

}  // namespace

Value fiber_create(Value function, uint32_t frame_capacity, uint32_t stack_slots) {
    if (!is_ref_of(function, T_FUNCTION)) {
        raise_error(ERR_INVALID_ARGUMENTS);
        return nil_value();
    }
    if (frame_capacity == 0 || stack_slots == 0 || uint64_t(stack_slots) * sizeof(Value) >= (uint64_t(1) << 31)) {
        raise_error(ERR_RUNTIME);
        return nil_value();
    }
    auto* f = static_cast<FiberRecord*>(checked_alloc(sizeof(FiberRecord)));
    if (!f) return nil_value();
    // Zeroed frames keep the invariant the interpreter relies on: locals at or above
    // live_locals are empty.
    f->frames = static_cast<CallFrame*>(checked_calloc(frame_capacity, sizeof(CallFrame)));
    f->stack = static_cast<Value*>(checked_calloc(stack_slots, sizeof(Value)));
    if (!f->frames || !f->stack) {
        checked_free(f->frames);
        checked_free(f->stack);
        checked_free(f);
        return nil_value();
    }
    f->id = g_next_fiber_id++;
    f->frame_capacity = frame_capacity;
    f->stack_cap = stack_slots;
    f->handler_top = -1;
    f->status = STATUS_NEW;
    retain(function);
    f->function = function;
    ObjHeader* obj = heap_alloc();
    obj->type = T_FIBER;
    obj->aux = 0;
    obj->a = reinterpret_cast<uint64_t>(f);
    obj->b = 0;
    f->object = obj;
    live_link(f);
    return make_ref(obj);
}

FiberRecord* fiber_live_first() { return g_live_first; }

void fiber_set_scheduler(void (*schedule)(Value fiber)) { g_schedule = schedule; }

void fiber_schedule(Value fiber) {
    if (g_schedule) g_schedule(fiber);
}

void fiber_types_register() {
    TypeOps& ops = type_ops(T_FIBER);
    ops.release_contents = fiber_release_contents;
    ops.render = fiber_render;
}

}  // namespace tarvik
