// runtime/console.h: the console flags and the four diagnostic printers. Every
// diagnostic goes to standard error; printers never add a newline of their own.
#pragma once

#include <cstdint>

namespace tarvik {

struct ConsoleFlags {
    bool color_output = false;  // ANSI colour sequences
    bool emoji_output = false;  // the "❌ " and "⚠️ " marks
};
extern ConsoleFlags g_console;

// Decides the flags from the terminal state of fds 1 and 2 and NO_COLOR. Runs once,
// before anything is printed.
void console_setup();
// The decision itself, separated from the OS queries so it can be tested.
ConsoleFlags console_flags_for(bool stdout_is_terminal, bool stderr_is_terminal,
                               const char* no_color);

// Where the running script is, for the "[file:line] " / "[Line n] " prefix. The
// engine installs a provider; false means there is no current fiber or frame.
struct ScriptLocation {
    const char* source_name = nullptr;  // null when the function has no source name
    const char* function_name = nullptr;
    uint32_t line = 0xFFFFFFFF;         // 0xFFFFFFFF: unknown
};
void console_set_location_provider(bool (*provider)(ScriptLocation* out));
bool console_current_location(ScriptLocation* out);

// "Error: " / "Warning: " with colour, mark and location; always printed.
void print_error(const char* format, ...) __attribute__((format(printf, 1, 2)));
void print_warning(const char* format, ...) __attribute__((format(printf, 1, 2)));
// "Info: " with colour; only with --verbose (print_verbose) or --trace (print_trace).
void print_verbose(const char* format, ...) __attribute__((format(printf, 1, 2)));
void print_trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tarvik
