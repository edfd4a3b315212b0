// runtime/builtin.h: the builtin module interface. The 38 modules of the catalogue
// become tables of static member rows: a function member is a value of type
// builtin, a constant member an int, float or string value, so the interpreter
// pushes either without allocating. Native code is registered by the stdlib room
// at start-up; a member without native code raises RuntimeError when called.
#pragma once

#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

// Natives borrow args[0..argc) (a receiver, when present, is args[0]) and return a
// new reference, or kAbsent for "no value" (not pushed), nil after raising.
using NativeFn = Value (*)(Value* args, int argc);

// Signature record (32 bytes): return mask, six parameter masks (0 = unchecked,
// 0xFFFFFFFF = any), four zero bytes; byte 29 carries method flags.
struct Signature {
    uint32_t returns;
    uint32_t params[6];
    uint32_t reserved = 0;
};
static_assert(sizeof(Signature) == 32);

constexpr int kMaxBuiltinArgs = 16;

// Builds every module's rows from the catalogue and the registered natives. Called
// once at VM start, after every stdlib_register_* call.
void builtin_registry_init();
// Frees the rows (shutdown); rows are static and never counted.
void builtin_registry_free();

// Attaches native code and a signature to a catalogue member; false when the module
// or member name is unknown. Must run before builtin_registry_init.
bool builtin_register_native(const char* module, const char* member, NativeFn fn, const Signature* signature);

// One entry of a module's native table: the member's name as scripts spell it, its
// code and its signature (static data).
struct BuiltinNative {
    const char* member;
    NativeFn fn;
    const Signature* signature;
};
// Registers a module's native table; returns how many entries named no function
// member of that module (0 when every entry was attached).
int builtin_register_module(const char* module, const BuiltinNative* natives, int count);
template <int N>
int builtin_register_module(const char* module, const BuiltinNative (&natives)[N]) {
    return builtin_register_module(module, natives, N);
}

// Module descriptor (32 bytes): name, the rows, the member names parallel to the
// rows, the member count and four zero bytes. A member's number is its row's index.
struct BuiltinModule {
    const char* name;
    ObjHeader* rows;
    const char* const* names;
    uint32_t member_count;
    uint32_t reserved;
};
static_assert(sizeof(BuiltinModule) == 32);

// The descriptor of a module number, or null when out of range or before init.
const BuiltinModule* builtin_registry_module(int module);
// The row of (module, member) as a static object, or null when out of range.
ObjHeader* builtin_row(int module, int member);
// Where a row sits in the registry; false for anything that is not a registry row.
bool builtin_row_position(const ObjHeader* row, int* module, int* member);
// Whether a function member has native code attached (false for constants).
bool builtin_is_implemented(int module, int member);
// "%s.%s" for a registry row, "<unknown builtin>" otherwise (static 256-byte buffer).
const char* builtin_qualified_name(Value builtin);

// Calls a builtin row: count (including a receiver) must be at most 16 (else code 3);
// the arguments after a receiver are checked against the row; then the native runs.
// Arguments stay owned by the caller. Returns a new reference or kAbsent.
Value builtin_invoke(const ObjHeader* row, Value* args, int count, bool has_receiver);

// Argument checks for builtins and script functions (messages and code 3). True
// when accepted.
bool check_builtin_arguments(const ObjHeader* row, Value* args, int count);
bool check_arguments_masks(int required, int optional, const uint32_t* masks, int mask_count, Value* args,
                           int count);
// Text of a signature mask for the argument messages ("int", "number", "[int]",
// "int | string", "any", "unknown"); rotates over four static 256-byte buffers, so
// up to four results stay valid at once.
const char* signature_type_description(uint32_t mask);

// Calls a script value from native code (the engine installs this): a new reference;
// when the callee leaves an exception pending, the result is absent and the caller
// stops and returns at once, so the exception reaches the script.
using NativeCallback = Value (*)(Value callee, Value* args, int argc, const char* name);
void builtin_set_callback_invoker(NativeCallback invoker);
Value invoke_callable(Value callee, Value* args, int argc, const char* name);

}  // namespace tarvik
