// sched/scheduler.h: the ready queue and the run loop that gives each runnable fiber
// its time slice on the interpreter until no work is left.
#pragma once

#include <cstdint>

#include "engine/fiber.h"
#include "runtime/value.h"

namespace tarvik {

// Creates the ready queue (capacity: a power of two) and wires the engine's hooks.
void scheduler_init(uint32_t capacity);
void scheduler_shutdown();

// Queues a fiber (the rules of the ready queue: full → code 18, or a warning when
// no fiber is current; already queued → nothing).
void scheduler_queue(Value fiber);

// Runs fibers until the queue is empty. The main fiber's result sets the exit code.
void scheduler_run(Value main_fiber);
int32_t scheduler_exit_code();
uint32_t scheduler_idle_ms();

// Runs a fiber's current frames to completion outside the run loop (the program's
// top-level code). Reports an unhandled exception and ends the process.
void scheduler_run_to_end(Value fiber);

// Gives a fresh fiber its first frame for its function, arguments filled with nil.
bool fiber_start(FiberRecord* f);

}  // namespace tarvik
