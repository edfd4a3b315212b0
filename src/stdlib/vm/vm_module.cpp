// stdlib/vm/vm_module.cpp: the VM module: exit, memory counters and compaction,
// signal handlers and signal names, function patching and the start time. The
// introspection members live in vm_info.cpp; Import belongs to module loading.
#include <signal.h>
#include <strings.h>

#include <cstdio>

#include "runtime/block_registry.h"
#include "runtime/builtin.h"
#include "runtime/errors.h"
#include "runtime/function.h"
#include "runtime/heap.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/vm_options.h"
#include "sched/clock.h"
#include "sched/signals.h"
#include "stdlib/stdlib_register.h"
#include "stdlib/vm/vm_info.h"

namespace tarvik {

namespace {

constexpr uint32_t kMethodFlags = 0x6;  // instance (0x2) and static (0x4) method bits

// Natives borrow args[0..count) and return a new reference (nil after raising).
Value vm_unavailable(Value*, int) {
    raise_error(ERR_RUNTIME);
    return nil_value();
}

Value vm_exit_member(Value* args, int count) { vm_exit(count > 0 ? int(value_to_int(args[0])) : 0); }

Value vm_compact_memory(Value*, int) {
    heap_compact();
    return nil_value();
}

Value vm_peak_allocations(Value*, int) { return make_int(heap_peak_count()); }
Value vm_current_allocations(Value*, int) { return make_int(heap_live_count()); }

Value vm_memory_stats(Value*, int) {
    Value stats = make_object();
    object_put(stats, "Current", make_int(heap_live_count()));
    object_put(stats, "Peak", make_int(heap_peak_count()));
    object_put(stats, "HeapBytes", make_int(int64_t(g_heap.heap_bytes)));
    object_put(stats, "BlockRegions", make_int(g_block_regions.count));
    object_put(stats, "BlockBytes", make_int(int64_t(g_block_regions.total_bytes)));
    object_put(stats, "SlabCacheFree", make_int(g_heap.queue_capacity));
    return stats;
}

Value vm_on_signal(Value* args, int) {
    if (!is_imm_int(args[0]) && !is_ref_of(args[0], T_INT)) return make_bool(false);
    return make_bool(signal_set_handler(value_to_int(args[0]), args[1]));
}

Value vm_signal_number(Value* args, int) {
    if (!is_string(args[0])) return nil_value();
    const char* name = string_chars(as_obj(args[0]));
    char prefixed[16];
    if (strncasecmp(name, "SIG", 3) != 0) {
        std::snprintf(prefixed, sizeof prefixed, "SIG%s", name);
        name = prefixed;
    }
    if (!strcasecmp(name, "SIGINT")) return make_int(kSignalInt);
    if (!strcasecmp(name, "SIGTERM")) return make_int(kSignalTerm);
    return nil_value();
}

Value vm_signal_name(Value* args, int) {
    int64_t n = value_to_int(args[0]);
    if (n == kSignalInt) return make_string("SIGINT");
    if (n == kSignalTerm) return make_string("SIGTERM");
    return nil_value();
}

Value vm_raise_signal(Value* args, int) {
    int64_t n = value_to_int(args[0]);
    if (n < 1 || n > 31) return make_bool(false);
    return make_bool(raise(int(n)) == 0);
}

// Parameters a replacement declares: a script function's count, a builtin's
// required plus optional count.
int declared_params(Value v) {
    if (is_ref_of(v, T_FUNCTION)) return function_record(as_obj(v))->param_count;
    if (is_ref_of(v, T_BUILTIN)) return int(as_obj(v)->aux & 0xFF) + int((as_obj(v)->aux >> 8) & 0xFF);
    return -1;
}

Value vm_patch_function(Value* args, int) {
    if (!g_options.unsafe) {
        raise_error(ERR_UNSAFE_OPERATION, "Unsafe memory access is not enabled. Use -u to allow.");
        return nil_value();
    }
    Value target = args[0];
    Value replacement = args[1];
    if (!is_ref_of(target, T_FUNCTION)) {
        raise_error(ERR_INVALID_ARGUMENTS);
        return nil_value();
    }
    FunctionRecord* fn = function_record(as_obj(target));
    if (!is_nil(replacement)) {
        bool same_shape = declared_params(replacement) == fn->param_count;
        if (is_ref_of(replacement, T_FUNCTION)) {
            uint32_t mask = FN_ASYNC | kMethodFlags;
            same_shape = same_shape && ((function_record(as_obj(replacement))->function_flags ^ fn->function_flags) & mask) == 0;
        } else if (!is_ref_of(replacement, T_BUILTIN) && !is_ref_of(replacement, T_FFI_FUNCTION)) {
            same_shape = false;
        }
        // A function redirected to itself would hold a reference to itself forever.
        if (!same_shape || replacement == target) {
            raise_error(ERR_INVALID_ARGUMENTS);
            return nil_value();
        }
    }
    Value old = fn->redirect;
    fn->redirect = kAbsent;
    if (!is_nil(replacement)) {
        retain(replacement);
        fn->redirect = replacement;
    }
    release(old);
    return make_bool(true);
}

Value vm_get_start_time_ms(Value*, int) {
    return make_int(int64_t(clock_wall_ms() - (clock_now_ms() - clock_start_ms())));
}

constexpr Signature kCompile{T_ANY, {T_STRING}};
constexpr Signature kExit{T_NIL, {T_NUMBER}};
constexpr Signature kNoneToNil{T_NIL, {}};
constexpr Signature kNoneToInt{T_INT, {}};
constexpr Signature kOnSignal{T_BOOL, {T_ANY, T_ANY}};  // anything unfit answers false
constexpr Signature kPatch{T_BOOL, {T_FUNCTION, T_FUNCTION | T_BUILTIN | T_FFI_FUNCTION}};
constexpr Signature kCallableToObject{T_OBJECT, {T_CALLABLE | T_BOUND_METHOD}};
constexpr Signature kStringToObject{T_OBJECT | T_NIL, {T_STRING}};
constexpr Signature kNoneToObject{T_OBJECT, {}};
constexpr Signature kStringToInt{T_INT | T_NIL, {T_STRING}};
constexpr Signature kIntToString{T_STRING | T_NIL, {T_INT}};
constexpr Signature kIntToBool{T_BOOL, {T_INT}};

}  // namespace

// Catalogue order; Import is registered by module loading.
constexpr BuiltinNative kVmNatives[] = {
    {"Compile", vm_unavailable, &kCompile},
    {"Eval", vm_unavailable, &kCompile},
    {"Exit", vm_exit_member, &kExit},
    {"CompactMemory", vm_compact_memory, &kNoneToNil},
    {"PeakAllocations", vm_peak_allocations, &kNoneToInt},
    {"CurrentAllocations", vm_current_allocations, &kNoneToInt},
    {"OnSignal", vm_on_signal, &kOnSignal},
    {"PatchFunction", vm_patch_function, &kPatch},
    {"GetStartTimeMs", vm_get_start_time_ms, &kNoneToInt},
    {"GetFunctionInfo", vm_get_function_info, &kCallableToObject},
    {"GetModuleInfo", vm_get_module_info, &kStringToObject},
    {"MemoryStats", vm_memory_stats, &kNoneToObject},
    {"SignalNumber", vm_signal_number, &kStringToInt},
    {"SignalName", vm_signal_name, &kIntToString},
    {"RaiseSignal", vm_raise_signal, &kIntToBool},
};

void vm_register_natives() { builtin_register_module("VM", kVmNatives); }

}  // namespace tarvik
