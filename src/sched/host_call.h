// sched/host_call.h: calls into script code from the run loop itself, between
// slices, where no fiber is current (file-watch callbacks).
#pragma once

#include "runtime/value.h"

namespace tarvik {

// Calls `callable` (borrowed) with args[0..argc) (borrowed) to its end on a fiber
// of its own, as a boundary: an exception it leaves is reported with `label` and
// dropped. Whatever the call leaves waiting (a sleep, an I/O job) ends with it.
void host_call_boundary(Value callable, Value* args, int argc, const char* label);

// Releases the fiber of a call the VM is leaving from inside (VM.Exit in the
// callback): the shutdown runs before the call returns.
void host_call_shutdown();

}  // namespace tarvik
