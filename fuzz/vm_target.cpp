// fuzz/vm_target.cpp: the libFuzzer entry for whole packages. Each input is loaded on
// a freshly initialised VM; the run target (TARVIK_FUZZ_RUN) then runs what the
// validator accepted with a bounded number of interpreter slices. The VM is released
// after every input. For the load target an object still alive then is a leak; a
// program can leak on purpose (a cycle of references), so the run target does not ask.
//
// Ends of the process (load errors, unhandled script errors, the budget) arrive
// through the vm_exit hook, which throws back to this entry instead of exiting.
#include <cstdio>
#include <cstdlib>

#include "driver/vm_lifecycle.h"
#include "engine/fiber.h"
#include "engine/interpreter.h"
#include "package/package_loader.h"
#include "runtime/errors.h"
#include "runtime/vm_options.h"

using namespace tarvik;

namespace {

struct VmExit {
    int status;
    bool inside_native;  // natives between the interpreter and the exit still hold references
};

// 10,000 instructions a slice: some milliseconds of work at most. Past the soft limit
// each slice raises an error (scripts may catch it); past the hard limit the run ends.
constexpr uint32_t kSoftSlices = 24;
constexpr uint32_t kHardSlices = 48;
uint32_t g_slices = 0;

[[noreturn]] void exit_by_throwing(int status) {
    bool inside_native = g_nested_runs > 0 || (g_current_fiber && g_current_fiber->preempt_off);
    throw VmExit{status, inside_native};
}

void slice_budget(FiberRecord*) {
    g_slices += 1;
    if (g_slices > kHardSlices) throw VmExit{-1, true};
    if (g_slices > kSoftSlices) raise_error(ERR_RUNTIME, "Run budget of the fuzz target exhausted");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_options.mem_report = true;  // the leak scan; the report goes to stdout (closed by -close_fd_mask)
    g_options.max_frames = 32;
    g_options.stack_slots = 1024;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vm_initialize();
    vm_set_exit_hook(exit_by_throwing);
    g_slice_hook = slice_budget;
    g_slices = 0;
#ifdef TARVIK_FUZZ_RUN
    bool check_leaks = false;
#else
    bool check_leaks = true;
#endif
    try {
        PackageHeader header;
        Chunk* program = load_package_memory(data, size, &header);
#ifdef TARVIK_FUZZ_RUN
        vm_run_program(program);
#else
        chunk_release(program);
#endif
    } catch (const VmExit& e) {
        check_leaks = check_leaks && !e.inside_native;
    }
    g_slice_hook = nullptr;
    if (vm_release_all() == 3 && check_leaks) {
        std::fprintf(stderr, "fuzz target: objects leaked (rerun the input with tarvik --mem)\n");
        std::abort();
    }
    return 0;
}
