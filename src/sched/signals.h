// sched/signals.h: script signal handlers and the control events that reach them.
// A dedicated thread turns the process signals SIGINT, SIGQUIT, SIGHUP and SIGTERM
// into control events 1, 2, 3 and 5 (bits of an atomic pending mask); the run loop
// delivers them on the VM thread, each to a new detached fiber running the handler
// stored for that number. An event without a handler ends the VM with its number
// as the exit status.
#pragma once

#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

constexpr int kSignalSlots = 32;

// Signal numbers scripts name: "SIGINT" and "SIGTERM".
constexpr int kSignalInt = 2;
constexpr int kSignalTerm = 15;

// Stores `handler` (retained) for signal 2 or 15; false for any other number or a
// value that is not callable (function, builtin, bound method, FFI function).
bool signal_set_handler(int64_t signal, Value handler);
// The handler stored for `signal` (borrowed), or absent.
Value signal_handler(int signal);

// Blocks the four signals in the calling thread (VM start, before any other thread
// exists, so every later thread inherits the mask) and starts the control thread.
void signals_start();
// Stops and joins the control thread and releases the handlers (VM shutdown); a
// later signals_start starts a new one.
void signals_stop();

// Takes the pending control events (bit k: event k), leaving none pending.
uint32_t signals_take_pending();

// Sleeps up to `ms` milliseconds; a control event, or input on one of the `count`
// descriptors (file watches), cuts the sleep short.
void signals_idle_wait(uint32_t ms, const int* fds = nullptr, int count = 0);

// Run-loop step: delivers the pending control events in ascending order.
void signals_deliver();

// Test support: sets the pending bit of control event k as the control thread does.
void signals_post(int k);

}  // namespace tarvik
