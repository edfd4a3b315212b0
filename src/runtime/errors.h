// runtime/errors.h: the numbered runtime errors and the raise routine. A native
// routine that fails raises a code with a message and returns a neutral value; the
// engine turns the error into an Exception instance on the current fiber.
#pragma once

#include <atomic>
#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

enum ErrorCode : int {
    ERR_NULL_PTR = 0,
    ERR_DIV_BY_ZERO = 1,
    ERR_MOD_BY_ZERO = 2,
    ERR_INVALID_ARGUMENTS = 3,
    ERR_OUT_OF_BOUNDS = 4,
    ERR_IO = 5,
    ERR_RUNTIME = 6,
    ERR_INVALID_STATE = 7,
    ERR_OUT_OF_MEMORY = 8,
    ERR_INVALID_MEMORY_ACCESS = 9,
    ERR_SIZE_LIMIT = 10,
    ERR_GUARD_CHECK = 11,
    ERR_STACK = 12,
    ERR_LOW_LEVEL_IO = 13,
    ERR_UNSAFE_OPERATION = 14,
    ERR_NESTING = 15,
    ERR_ILLEGAL_INSTRUCTION = 16,
    ERR_EXEC_OUT_OF_MEMORY = 17,
    ERR_OUT_OF_FIBERS = 18,
    ERR_CONST_ASSIGN = 19,
    ERR_CHECKSUM = 20,
    ERR_CLASS_NON_STATIC_CALL = 21,
    ERR_TYPE_MISMATCH = 22,
    ERR_ASSERTION_FAILED = 23,
    ERR_FIELD_UNDECLARED = 24,
};
constexpr int kErrorCodeCount = 25;

// Standard message of a code; "Runtime-error" for a code outside the table.
const char* error_message(int code);

// (name, code) pairs in code order; code 13 has no name. The Exception class gets
// one static int member per pair.
struct ErrorName {
    const char* name;
    int code;
};
extern const ErrorName kErrorNames[24];

// Where raised errors go. The engine installs a sink that builds the Exception
// instance, reports an unhandled one and marks the fiber; until then (and with no
// current fiber) a raise is fatal.
struct ErrorSink {
    bool (*has_current_fiber)();
    // Builds the Exception instance and dispatches it: with no handler it reports
    // and ends the process, otherwise the error becomes pending.
    void (*raise_in_fiber)(int code, const char* message);
    // Whether the current fiber has an exception pending.
    bool (*is_pending)();
};
void error_set_sink(const ErrorSink* sink);  // null restores the fatal default

// The thread-local context an I/O worker gives itself: raises on that thread only
// record the first code here.
struct JobErrorContext {
    int code = -1;  // -1: nothing recorded
};
void error_set_job_context(JobErrorContext* context);  // per thread; null on the VM thread
JobErrorContext* error_job_context();

// Raises `code` with `message` (the standard message when null) into the current
// fiber. Returns to the caller, which stops its work and returns a neutral value.
void raise_error(int code, const char* message = nullptr);
// printf-style variant; the text is cut at 1023 bytes.
void raise_errorf(int code, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Raises `code` with "%s (got %s)" filled with `text` and the type name of `value`.
void raise_typed(int code, const char* text, Value value);
// Raises code 4 with "Index %lld out of bounds (length %lld)".
void raise_index(int64_t index, int64_t length);
void raise_div_by_zero();
void raise_mod_by_zero();
void raise_nesting();

// Whether an error is pending on the current fiber (false without a sink).
bool error_pending();

// Ends the process through the VM shutdown with `status`. The driver installs the
// full shutdown; the default tears the heap down and exits.
[[noreturn]] void vm_exit(int status);
void vm_set_exit_hook(void (*hook)(int status));

}  // namespace tarvik
