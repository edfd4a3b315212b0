// driver/vm_lifecycle.h: VM initialisation, the program run and the one shutdown
// routine every end of the process goes through after initialisation.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/chunk.h"

namespace tarvik {

void vm_initialize();
// Loads, looks up Main, runs and ends the process through the shutdown.
[[noreturn]] void vm_run_package_memory(const uint8_t* bytes, size_t size);
[[noreturn]] void vm_run_package_file(const char* path);
// Runs a loaded program: the top-level code, then Main. Returns the exit status;
// the caller shuts down.
int vm_run_program(Chunk* program);
// Releases everything in the fixed order and exits with `status`.
[[noreturn]] void vm_shutdown(int status);
// The release part of the shutdown, without the exit: 3 when --mem found leaks, else
// 0. Afterwards vm_initialize may start the VM again (the fuzz targets do).
int vm_release_all();

}  // namespace tarvik
