// driver/vm_lifecycle.cpp: initialisation, the program run and the shutdown, in
// their fixed order, for the subsystems that exist.
#include "driver/vm_lifecycle.h"

#include <cstdio>
#include <cstdlib>

#include "engine/class_model.h"
#include "engine/class_module.h"
#include "engine/collections_module.h"
#include "engine/env.h"
#include "engine/exceptions.h"
#include "engine/fiber.h"
#include "engine/interpreter.h"
#include "engine/validator.h"
#include "package/chunk_reader.h"
#include "package/package_loader.h"
#include "runtime/builtin.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/exit_audit.h"
#include "runtime/function.h"
#include "runtime/heap.h"
#include "runtime/string.h"
#include "runtime/vm_options.h"
#include "sched/clock.h"
#include "sched/io_pool.h"
#include "sched/scheduler.h"
#include "sched/signals.h"
#include "stdlib/stdlib_register.h"
#include "stdlib/stream/tracked_files.h"

namespace tarvik {

namespace {

constexpr uint64_t kMainHash = 0xC6783A229050BEDCull;  // XXH64 of "Main"

Chunk* g_program = nullptr;
Value g_first_fiber = kAbsent;  // runs the top-level code
Value g_main_fiber = kAbsent;   // runs Main
bool g_shutting_down = false;

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

// Base lookups of classes resolve through the global scope.
Value global_lookup(uint64_t hash) {
    EnvEntry* e = g_global_env ? env_find(g_global_env, hash) : nullptr;
    return e ? e->value : kAbsent;
}

// Links every class constant of the program (function bodies included) to its base,
// once the top-level code has bound the names the bases are found by.
void link_classes(const Chunk* chunk, int depth) {
    if (!chunk || depth > 64) return;
    for (uint32_t i = 0; i < chunk->const_count; ++i) {
        Value v = chunk->constants[i];
        if (is_ref_of(v, T_CLASS)) {
            class_base(as_obj(v));
        } else if (is_ref_of(v, T_FUNCTION)) {
            link_classes(function_record(as_obj(v))->chunk, depth + 1);
        }
    }
}

// A function value that runs the program's top-level chunk.
Value program_function(Chunk* program) {
    Value fn = make_function();
    if (!is_ref_of(fn, T_FUNCTION)) return fn;
    chunk_retain(program);
    function_record(as_obj(fn))->chunk = program;
    return fn;
}

}  // namespace

int vm_run_program(Chunk* program) {
    g_program = program;
    Value entry = find_entry(program);
    if (is_absent(entry)) {
        std::printf("No entry-function declared or defined, exiting (0x%llX).\n",
                    static_cast<unsigned long long>(kMainHash));
        return 4;
    }
    double start = clock_now_ms();
    const VmOptions& o = g_options;
    Value top_level = program_function(program);
    g_first_fiber = fiber_create(top_level, o.max_frames, o.stack_slots);
    release(top_level);
    if (is_ref_of(g_first_fiber, T_FIBER)) {
        FiberRecord* f = fiber_record(as_obj(g_first_fiber));
        g_current_fiber = f;
        if (fiber_start(f)) scheduler_run_to_end(g_first_fiber);
        g_current_fiber = nullptr;
    }
    link_classes(program, 0);
    g_main_fiber = fiber_create(entry, o.max_frames, o.stack_slots);
    if (is_ref_of(g_main_fiber, T_FIBER)) scheduler_run(g_main_fiber);
    int status = scheduler_exit_code();
    if (o.timing) {
        std::printf("[Time] Execution took %g ms. Idle time %dms\n", clock_now_ms() - start, int(scheduler_idle_ms()));
    }
    return status;
}

void vm_initialize() {
    const VmOptions& o = g_options;
    exit_audit_begin();
    print_verbose("Initializing VM...\n");
    clock_mark_start();
    value_types_register();
    fiber_types_register();
    class_model_types_register();
    chunk_reader_set_validator(validate_chunk);
    heap_init(HeapConfig{o.fifo_slots, o.max_slabs});
    vm_set_exit_hook(exit_hook);
    g_global_env = env_create(nullptr, 8);
    scheduler_init(o.max_fibers);
    stdlib_register_all();
    class_module_register();
    collections_module_register();
    builtin_registry_init();
    interpreter_init();
    class_model_set_global_lookup(global_lookup);
    exceptions_init();
    signals_start();
    io_pool_start(o.io_threads);  // after signals_start: workers inherit the blocked signals
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
    vm_shutdown(vm_run_program(load_package_memory(bytes, size, &header)));
}

void vm_run_package_file(const char* path) { vm_shutdown(vm_run_program(load_package_file(path))); }

void vm_shutdown(int status) {
    if (g_shutting_down) std::_Exit(status);  // a failure inside the shutdown itself
    int report = vm_release_all();
    std::exit(report == 3 ? 3 : status);
}

int vm_release_all() {
    g_shutting_down = true;
    g_current_fiber = nullptr;
    release(g_first_fiber);
    release(g_main_fiber);
    g_first_fiber = g_main_fiber = kAbsent;
    io_pool_stop();
    print_trace("Total VM idle time (ms): %d\n", int(scheduler_idle_ms()));
    if (g_options.stats) io_pool_print_stats(scheduler_idle_ms());
    scheduler_shutdown();
    signals_stop();
    tracked_close_all();  // after the workers, which may hold some
    if (g_program) {
        chunk_release(g_program);
        g_program = nullptr;
    }
    pending_deps_free();
    env_release(g_global_env);
    g_global_env = nullptr;
    exceptions_shutdown();
    std::fflush(stdout);
    int report = heap_shutdown(HeapReportOptions{g_options.mem_report, g_options.stats});
    collections_forget_classes();
    std::fflush(stdout);
    std::fflush(stderr);
    builtin_registry_free();
    // Leftovers fail the run as leaks do.
    if (exit_audit_end() > 0) report = 3;
    g_shutting_down = false;
    return report;
}

}  // namespace tarvik
