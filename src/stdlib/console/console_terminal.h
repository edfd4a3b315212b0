// stdlib/console/console_terminal.h: the terminal edge of the Console module. The
// module speaks in keys, sizes and modes; console_linux.cpp maps them onto termios,
// poll, ioctl(TIOCGWINSZ) and ANSI sequences. All input goes through the stdio
// stream `stdin`, so bytes buffered by one member are seen by the next.
#pragma once

#include <cstdio>

namespace tarvik {

// Whether the descriptor refers to a terminal.
bool terminal_is_tty(int fd);

// Whether a byte can be read from standard input without waiting: one is buffered
// in `stdin`, or descriptor 0 has data (a terminal is asked without line editing).
bool terminal_key_waiting();

// One byte from standard input without echo or line editing (a terminal is switched
// for the read only, then put back); -1 at end of input.
int terminal_read_key_byte();

// A key press as the module reports it: a name for a special key (arrows, Home, F1,
// ...), else the plain byte.
struct KeyPress {
    const char* special_name = nullptr;  // static text; null for a plain byte
    char unmapped_name[8] = {};          // "0x%02X" for an escape sequence with no name
    int code = -1;                       // plain byte 0..255; -1 at end of input
};
// Waits for one key; an escape sequence from the terminal becomes one special key.
KeyPress terminal_read_key();

// Size of the terminal window on standard output; false when it cannot be read.
bool terminal_window_size(int* columns, int* rows);
// Cursor position, zero-based from the window's top-left corner, asked from the
// terminal on standard output; false when it does not answer in time.
bool terminal_cursor_position(int* column, int* row);

// Raw input (no line editing, echo or signal keys). On while off saves the mode and
// switches; off while on restores it; other combinations, and standard input that
// is not a terminal, do nothing. A mode still raw at exit is restored then.
void terminal_set_raw(bool on);

// Reads up to size - 1 bytes of one line with fgets, echo switched off on a terminal
// for the read; false (buffer empty) when nothing could be read.
bool terminal_read_line_hidden(char* buffer, int size);

}  // namespace tarvik
