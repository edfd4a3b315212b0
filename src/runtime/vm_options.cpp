// runtime/vm_options.cpp: storage of the settings record and its shared rules.
#include "runtime/vm_options.h"

#include <bit>

#include "runtime/console.h"

namespace tarvik {

VmOptions g_options;
ScriptArgs g_script_args;

uint32_t option_round_to_power_of_two(const char* label, uint32_t value) {
    if (value == 0 || std::has_single_bit(value)) return value;
    uint32_t rounded = std::bit_ceil(value);
    print_warning("Note: %s %u rounded up to %u (must be a power of two)\n", label, value, rounded);
    return rounded;
}

}  // namespace tarvik
