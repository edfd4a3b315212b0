// sched/events.h: the 64 numbered events fibers wait on. An event is handed out by
// Event.Create, signalled with a value by Event.Set, and consumed (freed) once the
// last fiber waiting for it has taken its value.
#pragma once

#include <cstdint>

#include "engine/fiber.h"
#include "runtime/value.h"

namespace tarvik {

constexpr int kEventCount = 64;

// Lowest free id, now allocated and unset; -1 when all 64 are allocated.
int event_create();

// Stores `value` (retained) as the event's value, sets it, and queues every
// waiting fiber whose whole mask is now set. The id must be in 0..63.
void event_signal(int id, Value value);

// Drops the value and the set bit; `free_it` also gives the id back.
void event_clear(int id, bool free_it);

bool event_is_allocated(int id);
uint64_t event_allocated_mask();
uint64_t event_set_mask();

// Registers `f`'s wait_mask in the waiter filter (Event.WaitOne, Event.WaitFor).
void event_note_waiter(uint64_t mask);

// Run-loop delivery to a fiber whose events are all set: the value of the lowest
// id (WaitOne) or an array of the values in id order (WaitFor, F_WAIT_ALL); a new
// reference. Consumes the ids as event_consume does.
Value event_deliver(FiberRecord* f);

// Frees each id of `mask` that no fiber other than `except` still waits for.
void event_consume(uint64_t mask, const FiberRecord* except);

// Releases every stored value (VM shutdown).
void events_shutdown();

}  // namespace tarvik
