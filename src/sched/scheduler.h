// sched/scheduler.h: the ready queue and the run loop that gives each runnable fiber
// its time slice on the interpreter, delivers control events, timers and events, and
// sleeps while nothing can run, until no work is left.
#pragma once

#include <cstdint>

#include "engine/fiber.h"
#include "runtime/value.h"

namespace tarvik {

// Creates the ready queue (capacity: a power of two) and wires the engine's hooks.
void scheduler_init(uint32_t capacity);
void scheduler_shutdown();

// Queues a fiber (the rules of the ready queue: full → code 18, or a warning when
// no fiber is current; already queued, or waiting for I/O without a result → nothing).
void scheduler_queue(Value fiber);
uint32_t scheduler_ready_count();

// Runs `callable` with args[0..argc) (borrowed) in a new detached fiber that is
// queued at once; parameters beyond the arguments are nil, arguments beyond the
// parameters are dropped. A bound method runs its function with the receiver; a
// builtin runs on the spot, outside any fiber.
void scheduler_spawn_detached(Value callable, const Value* args, int argc);

// The spawn-callback operation of pool-job completions: runs `function` with
// `first` and `second` (both owned: they move into the fiber, or are released).
void scheduler_spawn_callback(Value function, Value first, Value second);

// The fiber with this id (a new reference): the current one, or one in existence
// that is not Finished; nil otherwise.
Value scheduler_find_fiber(uint32_t id);

// How the run loop reaches the I/O poller; until one is installed there is no I/O.
struct SchedulerIo {
    uint32_t (*pending)();               // jobs and socket operations not yet delivered
    void (*poll)(int timeout_ms);        // delivers what is ready; -1 waits (a bounded step)
    uint32_t (*cancel)(FiberRecord* f);  // ends the fiber's operations with nil; how many
    uint32_t (*discard)(FiberRecord* f); // drops them, delivering nothing; how many
};
void scheduler_set_io(const SchedulerIo* io);
// Fiber.CancelIo: the fiber's operations end with nil (outcome 7); the count (0
// without an I/O hook).
uint32_t scheduler_cancel_io(FiberRecord* f);
// Fiber.Cancel: the fiber's operations are dropped and their hold on it released;
// the count.
uint32_t scheduler_discard_io(FiberRecord* f);
// Adds time spent waiting for I/O to the idle time.
void scheduler_add_idle_ms(uint32_t ms);

// Called before each idle wait with its length; returns the length to wait. Unset
// in the VM; a fuzz harness sets it to bound a program's sleeps by its own budget.
extern uint32_t (*g_idle_hook)(uint32_t ms);

// How the run loop reaches the file watches (installed with the first watch). An
// open watch does not keep the VM alive: the loop still ends when no fiber, timer,
// event or I/O job is left.
struct SchedulerWatch {
    uint32_t (*active)();               // watches open; none skips the poll
    void (*poll)();                     // delivers pending notifications, never blocks
    int (*wait_fds)(int* fds, int cap); // descriptors whose input ends an idle sleep
    void (*shutdown)();                 // closes every watch (scheduler_shutdown)
};
void scheduler_set_watch(const SchedulerWatch* watch);

// Runs fibers, timers and events until nothing is left. The main fiber's result
// sets the exit code.
void scheduler_run(Value main_fiber);
int32_t scheduler_exit_code();
uint32_t scheduler_idle_ms();

// Runs a fiber's current frames to completion outside the run loop (the program's
// top-level code). Reports an unhandled exception and ends the process.
void scheduler_run_to_end(Value fiber);

// Gives a fresh fiber its first frame for its function, arguments filled with nil.
bool fiber_start(FiberRecord* f);

}  // namespace tarvik
