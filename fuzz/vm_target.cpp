// fuzz/vm_target.cpp: the libFuzzer entry of every target. Each input is loaded on a
// freshly initialised VM: a whole package (load and run targets) or the code of Main
// in a fixed package around it (code target, code_package.h). The run and code
// targets then run what the validator accepted with a bounded number of interpreter
// slices. The VM is released after every input. For the load target an object still
// alive then is a leak; a program can leak on purpose (a cycle of references), so the
// others do not ask.
//
// Ends of the process (load errors, unhandled script errors, the budget) arrive
// through the vm_exit hook, which throws back to this entry instead of exiting.
// Members that reach outside the process (files, directories, the terminal, real
// signals: a raised SIGTERM ends the process after the control thread's grace
// period, SIGKILL at once) are replaced by a native that raises an error, so a
// mutated program can neither touch the machine nor end the fuzzer unseen.
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "driver/vm_lifecycle.h"
#include "engine/fiber.h"
#include "engine/interpreter.h"
#include "package/package_loader.h"
#include "runtime/alloc.h"
#include "runtime/builtin.h"
#include "runtime/builtin_catalog.h"
#include "runtime/errors.h"
#include "runtime/heap.h"
#include "runtime/vm_options.h"
#include "sched/scheduler.h"
#include "code_package.h"

using namespace tarvik;

namespace {

struct VmExit {
    int status;
    bool inside_native;  // natives between the interpreter and the exit still hold references
};

// Slices of 200 instructions. Past the soft limit each slice raises an error
// (scripts may catch it); past the hard limit, or once the run has allocated 256 MiB
// or taken two seconds (single instructions copy long strings), the run ends.
constexpr uint32_t kQuantum = 200;
constexpr uint32_t kSoftSlices = 160;
constexpr uint32_t kHardSlices = 320;
constexpr uint64_t kByteBudget = uint64_t(256) << 20;
constexpr double kSecondsBudget = 2.0;
// Allocations past 512 MiB fail as "out of memory" at once: one instruction may
// copy a 256 MiB string, and a slice of them would pass any time-out.
constexpr uint64_t kAllocCeiling = uint64_t(512) << 20;
uint32_t g_slices = 0;
uint64_t g_bytes_at_start = 0;
double g_start_seconds = 0;

double now_seconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

[[noreturn]] void exit_by_throwing(int status) {
    bool inside_native = g_nested_runs > 0 || (g_current_fiber && g_current_fiber->preempt_off);
    throw VmExit{status, inside_native};
}

bool budget_spent() {
    return g_heap.heap_bytes - g_bytes_at_start > kByteBudget || now_seconds() - g_start_seconds > kSecondsBudget;
}

// A program may sleep for as long as it likes; here its waits come in short steps
// and end with the run's time budget.
uint32_t idle_budget(uint32_t ms) {
    if (budget_spent()) throw VmExit{-1, true};
    return ms < 10 ? ms : 10;
}

void slice_budget(FiberRecord* f) {
    f->quantum = kQuantum;
    g_slices += 1;
    bool spent = budget_spent();
    if (g_slices > kHardSlices || spent) throw VmExit{-1, true};
    if (g_slices > kSoftSlices) raise_error(ERR_RUNTIME, "Run budget of the fuzz target exhausted");
}

Value outside_the_sandbox(Value*, int) {
    raise_error(ERR_RUNTIME, "Not available in the fuzz target");
    return nil_value();
}

void stub_member(const char* module, const char* member) {
    builtin_register_native(module, member, outside_the_sandbox, nullptr);
}

void stub_module(const char* module) {
    int m = builtin_module_index(module);  // every catalogue module has an index
    for (int i = 0; i < builtin_member_count(m); ++i) {
        if (builtin_member_is_function(m, i)) stub_member(module, builtin_member_name(m, i));
    }
}

void sandbox_natives() {
    for (const char* module : {"File", "Directory", "Stream", "FileWatch", "Net", "Os", "HttpUtil", "Tls", "Ffi", "Archive", "Gfx"}) {
        if (builtin_module_index(module) >= 0) stub_module(module);
    }
    for (const char* member : {"RaiseSignal", "Import"}) stub_member("VM", member);
    for (const char* member : {"ReadLine", "ReadChar", "ReadFloat", "ReadInt", "ReadKey", "ReadPassword", "SetRaw"}) {
        stub_member("Console", member);
    }
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
    sandbox_natives();
    vm_set_exit_hook(exit_by_throwing);
    g_slice_hook = slice_budget;
    g_idle_hook = idle_budget;
    g_slices = 0;
    g_bytes_at_start = g_heap.heap_bytes;
    g_fuzz_alloc_ceiling = g_bytes_at_start + kAllocCeiling;
    g_start_seconds = now_seconds();
#if defined(TARVIK_FUZZ_CODE)
    std::vector<uint8_t> package = code_package(data, size);
    data = package.data();
    size = package.size();
#endif
    bool running = TARVIK_FUZZ_RUNS;
    bool check_leaks = !running;
    try {
        PackageHeader header;
        Chunk* program = load_package_memory(data, size, &header);
        if (running) vm_run_program(program);
        else chunk_release(program);
    } catch (const VmExit& e) {
        check_leaks = check_leaks && !e.inside_native;
    }
    g_slice_hook = nullptr;
    g_idle_hook = nullptr;
    g_fuzz_alloc_ceiling = UINT64_MAX;
    if (vm_release_all() == 3 && check_leaks) {
        std::fprintf(stderr, "fuzz target: objects leaked (rerun the input with tarvik --mem)\n");
        std::abort();
    }
    return 0;
}
