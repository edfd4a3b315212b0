// driver/vm_lifecycle.cpp: initialisation, the program run and the shutdown, in
// their fixed order, for the subsystems that exist.
#include "driver/vm_lifecycle.h"

#include <time.h>

#include <cstdio>
#include <cstdlib>

#include "engine/validator.h"
#include "package/chunk_reader.h"
#include "package/package_loader.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/function.h"
#include "runtime/heap.h"
#include "runtime/string.h"
#include "runtime/vm_options.h"

namespace tarvik {

namespace {

constexpr uint64_t kMainHash = 0xC6783A229050BEDCull;  // XXH64 of "Main"

Chunk* g_program = nullptr;
bool g_shutting_down = false;

double now_ms() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

void exit_hook(int status) { vm_shutdown(status); }

// The first function constant whose name hashes to that of "Main".
Value find_entry(const Chunk* program) {
    for (uint32_t i = 0; i < program->const_count; ++i) {
        Value v = program->constants[i];
        if (!is_ref_of(v, T_FUNCTION)) continue;
        Value name = function_name_value(v);
        if (is_string(name) && string_hash(as_obj(name)) == kMainHash) return v;
    }
    return kAbsent;
}

[[noreturn]] void run_program(Chunk* program) {
    g_program = program;
    Value entry = find_entry(program);
    if (is_absent(entry)) {
        std::printf("No entry-function declared or defined, exiting (0x%llX).\n",
                    static_cast<unsigned long long>(kMainHash));
        vm_shutdown(4);
    }
    double start = now_ms();
    // The interpreter is not part of this build yet: a loaded, validated package
    // with an entry function ends here with status 0.
    print_verbose("Package loaded and validated; program execution is not available in this build\n");
    int status = 0;
    if (g_options.timing) {
        std::printf("[Time] Execution took %g ms. Idle time %dms\n", now_ms() - start, 0);
    }
    vm_shutdown(status);
}

}  // namespace

void vm_initialize() {
    const VmOptions& o = g_options;
    print_verbose("Initializing VM...\n");
    value_types_register();
    chunk_reader_set_validator(validate_chunk);
    heap_init(HeapConfig{o.fifo_slots, o.max_slabs});
    vm_set_exit_hook(exit_hook);
    print_verbose(" Stack:  %d slots\n", int(o.stack_slots));
    print_verbose(" Fifo:   %d slots\n", int(o.fifo_slots));
    print_verbose(" Slabs:  %d blocks (maximum allowed)\n", int(o.max_slabs));
    print_verbose(" Fibers: %d\n", int(o.max_fibers));
    print_verbose(" Timers: %d\n", 64);
    print_verbose(" Events: %d\n", 64);
    print_verbose(" Library-path: %s\n", o.library_path ? o.library_path : "(none)");
    if (o.trace) {
        std::printf(" Size of Object  %zu bytes\n", sizeof(ObjHeader));
        std::printf(" Size of FIFO    %zu bytes\n", size_t(o.fifo_slots) * 8);
        std::printf(" Size of Stack   %zu bytes\n", size_t(o.stack_slots) * 8);
        std::printf(" Size of Fiber   %zu kbytes\n", size_t(1));
        std::printf(" Max slabs size: %zu kbytes ...\n", size_t(o.max_slabs) * 128);
    }
}

void vm_run_package_memory(const uint8_t* bytes, size_t size) {
    PackageHeader header;
    run_program(load_package_memory(bytes, size, &header));
}

void vm_run_package_file(const char* path) { run_program(load_package_file(path)); }

void vm_shutdown(int status) {
    if (g_shutting_down) std::_Exit(status);  // a failure inside the shutdown itself
    g_shutting_down = true;
    print_trace("Total VM idle time (ms): %d\n", 0);
    if (g_program) {
        chunk_release(g_program);
        g_program = nullptr;
    }
    pending_deps_free();
    std::fflush(stdout);
    int report = heap_shutdown(HeapReportOptions{g_options.mem_report, g_options.stats});
    std::fflush(stdout);
    std::fflush(stderr);
    std::exit(report == 3 ? 3 : status);
}

}  // namespace tarvik
