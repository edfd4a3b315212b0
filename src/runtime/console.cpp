// runtime/console.cpp: the console flags and the four diagnostic printers.
#include "runtime/console.h"

#include <cstdarg>
#include <cstdio>

#include "runtime/vm_options.h"

namespace tarvik {

ConsoleFlags g_console;

namespace {

bool (*g_location_provider)(ScriptLocation* out) = nullptr;

constexpr const char* kErrorColor = "\033[31m";
constexpr const char* kWarningColor = "\033[33m";
constexpr const char* kInfoColor = "\033[96m";
constexpr const char* kResetColor = "\033[0m";

const char* color(const char* sequence) { return g_console.color_output ? sequence : ""; }

void print_location() {
    ScriptLocation loc;
    if (!console_current_location(&loc)) return;
    if (loc.source_name) {
        std::fprintf(stderr, "[%s:%d] ", loc.source_name, int(loc.line));
    } else if (loc.line != 0xFFFFFFFF) {
        std::fprintf(stderr, "[Line %d] ", int(loc.line));
    }
}

// The location is written while the colour is still active.
void print_marked(const char* color_sequence, const char* mark, const char* label, const char* format,
                  va_list args) {
    std::fprintf(stderr, "%s%s%s", color(color_sequence), g_console.emoji_output ? mark : "", label);
    print_location();
    std::fputs(color(kResetColor), stderr);
    std::vfprintf(stderr, format, args);
}

void print_info(const char* format, va_list args) {
    std::fprintf(stderr, "%sInfo: %s", color(kInfoColor), color(kResetColor));
    std::vfprintf(stderr, format, args);
}

}  // namespace

ConsoleFlags console_flags_for(bool stdout_is_terminal, bool stderr_is_terminal, const char* no_color) {
    ConsoleFlags flags;
    if (stdout_is_terminal || stderr_is_terminal) {
        flags.emoji_output = true;
        flags.color_output = stderr_is_terminal && (!no_color || !*no_color);
    }
    return flags;
}

void console_set_location_provider(bool (*provider)(ScriptLocation* out)) { g_location_provider = provider; }

bool console_current_location(ScriptLocation* out) { return g_location_provider && g_location_provider(out); }

void print_error(const char* format, ...) {
    va_list args;
    va_start(args, format);
    print_marked(kErrorColor, "❌ ", "Error: ", format, args);
    va_end(args);
}

void print_warning(const char* format, ...) {
    va_list args;
    va_start(args, format);
    print_marked(kWarningColor, "⚠️ ", "Warning: ", format, args);
    va_end(args);
}

void print_verbose(const char* format, ...) {
    if (!g_options.verbose) return;
    va_list args;
    va_start(args, format);
    print_info(format, args);
    va_end(args);
}

void print_trace(const char* format, ...) {
    if (!g_options.trace) return;
    va_list args;
    va_start(args, format);
    print_info(format, args);
    va_end(args);
}

}  // namespace tarvik
