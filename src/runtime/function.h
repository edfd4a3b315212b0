// runtime/function.h: the function record behind a function value, built by the
// package reader from a function constant and run by the interpreter.
//
//   function value: type T_FUNCTION, payload a = FunctionRecord*
#pragma once

#include <cstdint>

#include "runtime/chunk.h"
#include "runtime/value.h"

namespace tarvik {

struct Env;  // an environment of the engine; opaque here

constexpr uint32_t kMaxParams = 16;
constexpr uint32_t kParamOptional = 0x10000000;  // bit 28 of a parameter type set

// Function flag bits.
constexpr uint32_t FN_ASYNC = 0x1;        // calling starts a fiber
constexpr uint32_t FN_GENERIC = 0x2;      // any bit of 0x3 sends calls to the generic path
constexpr uint32_t FN_JIT_TRIED = 0x10;   // compilation was attempted
constexpr uint32_t FN_CLOSURE = 0x40;     // a closure copy with its own environment
constexpr uint32_t FN_JIT_WANTED = 0x80;  // compilation requested
constexpr uint32_t FN_TYPED = 0x100;      // arguments are checked on entry

struct FunctionRecord {
    Value redirect;        // word 0: when set, calls go to this value instead
    Value name;            // word 1: the function's name (its value hash and text)
    Env* env;              // module scope or a closure's own environment (owned); null = global
    Chunk* chunk;          // one reference
    uint8_t param_count;   // at most 16
    uint8_t required_count;
    uint8_t optional_count;
    uint8_t local_count;   // at most 128
    uint32_t function_flags;
    uint32_t function_word;
    uint32_t param_types[kMaxParams];
    void* jit_entry;             // machine code, or null
    ObjHeader* owner_class;      // the class this method belongs to (not counted)
    uint64_t* param_classes;     // optional class identities for the JIT guard
};

inline FunctionRecord* function_record(const ObjHeader* obj) { return reinterpret_cast<FunctionRecord*>(obj->a); }

// A new function value owning a zeroed record (nil after raising code 8).
Value make_function();

// The name value of a function (borrowed; absent when it has none).
Value function_name_value(Value function);

// Fills the function, class and instance rows of type_ops(): contents release,
// names for the value hash and text. Called once at VM start (and by tests).
void value_types_register();

// Releases a function's environment reference (the engine installs env_release).
void function_set_env_release(void (*release_env)(Env* env));

}  // namespace tarvik
