// runtime/errors.cpp: the error-code table and the raise routine. The runtime owns
// the paths that need no fiber (a worker thread's capture, the fatal report); the
// engine's sink owns the Exception instance and the handler dispatch.
#include "runtime/errors.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "runtime/heap.h"
#include "runtime/value_ops.h"
#include "runtime/vm_options.h"

namespace tarvik {

namespace {

const char* const kErrorMessages[kErrorCodeCount] = {
    "Null-pointer access",
    "Division by zero",
    "Modulo by zero",
    "Invalid argument(s) - type or length mismatch",
    "Index out of bounds",
    "I/O-error",
    "Runtime-error",
    "Invalid state",
    "Out of memory",
    "Forbidden/Invalid memory-access",
    "Array/Object: maximum items exceeded",
    "Guard-check",
    "Stack full or empty",
    "Low-level I/O-error (descriptor error)",
    "Unsafe memory access is not enabled. Use -u to allow.",
    "Nesting-level too deep",
    "Illegal instruction execution",
    "Out-of-chunk memory execution",
    "VM has run out of fibers",
    "Invalid assignment of const-object",
    "Checksum mismatch",
    "Attempt to call non-static method on class",
    "Type mismatch: value incompatible with typed array element type",
    "Assertion failed",
    "Instance field not declared - declare it with var/let in the class body",
};

const ErrorSink* g_sink = nullptr;
thread_local JobErrorContext* t_job_context = nullptr;
void (*g_exit_hook)(int status) = nullptr;

}  // namespace

const ErrorName kErrorNames[24] = {
    {"NullPtr", 0},         {"DivByZero", 1},          {"ModByZero", 2},
    {"InvalidArguments", 3}, {"OutOfBounds", 4},       {"IOError", 5},
    {"RuntimeError", 6},    {"InvalidState", 7},       {"OutOfMemory", 8},
    {"InvalidMemoryAccess", 9}, {"SizeLimit", 10},     {"GuardCheck", 11},
    {"StackError", 12},     {"UnsafeOperation", 14},   {"NestingError", 15},
    {"IllegalInstruction", 16}, {"ExecOutOfMemory", 17}, {"OutOfFibers", 18},
    {"ConstAssign", 19},    {"ChecksumError", 20},     {"ClassNonStaticCall", 21},
    {"TypeMismatch", 22},   {"AssertionFailed", 23},   {"FieldUndeclared", 24},
};

const char* error_message(int code) {
    return (code >= 0 && code < kErrorCodeCount) ? kErrorMessages[code] : kErrorMessages[ERR_RUNTIME];
}

void error_set_sink(const ErrorSink* sink) { g_sink = sink; }
void error_set_job_context(JobErrorContext* context) { t_job_context = context; }
JobErrorContext* error_job_context() { return t_job_context; }

void vm_set_exit_hook(void (*hook)(int status)) { g_exit_hook = hook; }

void vm_exit(int status) {
    if (g_exit_hook) g_exit_hook(status);  // the driver's full shutdown; does not return
    std::fflush(stdout);
    int report = heap_shutdown(HeapReportOptions{g_options.mem_report, g_options.stats});
    std::fflush(stdout);
    std::exit(report == 3 ? 3 : status);  // leaks found with --mem override the status
}

void raise_error(int code, const char* message) {
    if (!message) message = error_message(code);
    if (JobErrorContext* job = t_job_context) {
        // A worker never touches fibers: keep the first code for the job's completion.
        if (job->code < 0) job->code = code;
        return;
    }
    if (!g_sink || !g_sink->has_current_fiber()) {
        std::printf("Fatal: No current fiber to raise exception on!\n");
        std::printf(" - Exception (code %d): %s\n", code, message);
        vm_exit(code);
    }
    g_sink->raise_in_fiber(code, message);
}

void raise_errorf(int code, const char* format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    raise_error(code, text);
}

void raise_typed(int code, const char* text, Value value) {
    raise_errorf(code, "%s (got %s)", text, type_name_of(value));
}

void raise_index(int64_t index, int64_t length) {
    raise_errorf(ERR_OUT_OF_BOUNDS, "Index %lld out of bounds (length %lld)", static_cast<long long>(index),
                 static_cast<long long>(length));
}

void raise_div_by_zero() { raise_error(ERR_DIV_BY_ZERO); }
void raise_mod_by_zero() { raise_error(ERR_MOD_BY_ZERO); }
void raise_nesting() { raise_error(ERR_NESTING); }

bool error_pending() {
    if (t_job_context) return t_job_context->code >= 0;
    return g_sink && g_sink->is_pending();
}

}  // namespace tarvik
