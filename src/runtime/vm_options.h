// runtime/vm_options.h: the process-wide settings record. The driver fills it once
// from the command line before VM initialisation; everything else only reads it.
#pragma once

#include <cstdint>

namespace tarvik {

struct VmOptions {
    uint32_t stack_slots = 4096;
    uint16_t fifo_slots = 1024;
    uint16_t max_slabs = 1024;
    uint16_t max_frames = 64;
    uint16_t max_fibers = 256;
    uint32_t io_threads = 0;  // 0: the pool picks its own count
    bool keep_debug_info = true;
    bool verify_plugins = true;
    bool verbose = false;
    bool trace = false;
    bool timing = false;
    bool mem_report = false;
    bool stats = false;
    bool unsafe = false;
    bool jit = false;
    bool require_signed = false;
    const char* library_path = nullptr;
};

extern VmOptions g_options;

// The script's arguments: at most 128 words of the process's argument vector.
constexpr int kMaxScriptArgs = 128;
struct ScriptArgs {
    int count = 0;
    char** words = nullptr;  // not owned: points into the process's argv
};
extern ScriptArgs g_script_args;

// The VM's version, 1.0.0.9, packed as major<<24 | minor<<16 | patch<<8 | build.
constexpr uint32_t kVmVersion = 0x01000009;

// Raises a power-of-two setting to the next power of two, printing the note
// "Note: <label> <value> rounded up to <new> (must be a power of two)" as a warning.
uint32_t option_round_to_power_of_two(const char* label, uint32_t value);

}  // namespace tarvik
