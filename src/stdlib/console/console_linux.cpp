// stdlib/console/console_linux.cpp: the Console module's terminal edge on Linux:
// termios modes, poll on descriptor 0, ioctl(TIOCGWINSZ), the cursor-position query,
// and the terminal's escape sequences mapped onto the key names scripts see.
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "stdlib/console/console_terminal.h"

namespace tarvik {

namespace {

// How long the rest of an escape sequence may take to arrive after ESC; a lone ESC
// key sends nothing more.
constexpr int kEscapeWaitMs = 50;
// How long the terminal may take to answer the cursor-position query.
constexpr int kCursorReplyWaitMs = 200;
// Bytes of an escape sequence read before giving up on finding its final byte.
constexpr int kMaxSequenceBytes = 16;

bool g_raw_active = false;
termios g_mode_before_raw{};
bool g_exit_hook_installed = false;

// A script that ends in raw mode would leave the user's shell without echo.
void restore_mode_at_exit() {
    if (g_raw_active) tcsetattr(0, TCSANOW, &g_mode_before_raw);
}

// Input mode for reading keys: no line editing, no echo, one byte at a time. Put
// back when the guard ends; nothing happens when stdin is not a terminal.
class ScopedKeyMode {
public:
    ScopedKeyMode() {
        if (!isatty(0) || tcgetattr(0, &saved_) != 0) return;
        termios mode = saved_;
        mode.c_lflag &= ~tcflag_t(ICANON | ECHO);
        mode.c_cc[VMIN] = 1;
        mode.c_cc[VTIME] = 0;
        changed_ = tcsetattr(0, TCSANOW, &mode) == 0;
    }
    ~ScopedKeyMode() {
        if (changed_) tcsetattr(0, TCSANOW, &saved_);
    }
    ScopedKeyMode(const ScopedKeyMode&) = delete;
    ScopedKeyMode& operator=(const ScopedKeyMode&) = delete;

private:
    termios saved_{};
    bool changed_ = false;
};

// Bytes already read from descriptor 0 into the stdio buffer of `stdin`.
bool stdin_has_buffered_bytes() {
#ifdef __GLIBC__
    return stdin->_IO_read_ptr < stdin->_IO_read_end;
#else
    return false;
#endif
}

// Whether descriptor 0 has a byte within timeout_ms. End of input does not count:
// a closed pipe polls readable with nothing in it.
bool descriptor_has_byte(int timeout_ms) {
    pollfd entry{0, POLLIN, 0};
    if (poll(&entry, 1, timeout_ms) <= 0 || !(entry.revents & POLLIN)) return false;
    int available = 0;
    if (ioctl(0, FIONREAD, &available) != 0) return true;  // no count for this kind of file
    return available > 0;
}

bool byte_follows(int timeout_ms) { return stdin_has_buffered_bytes() || descriptor_has_byte(timeout_ms); }

// Name of an escape sequence's final byte for the letter forms (ESC [ A, ESC O P,
// ESC [ 1 ; 5 A); null when unknown.
const char* letter_key_name(int final_byte) {
    switch (final_byte) {
    case 'A': return "Up";
    case 'B': return "Down";
    case 'C': return "Right";
    case 'D': return "Left";
    case 'H': return "Home";
    case 'F': return "End";
    case 'P': return "F1";
    case 'Q': return "F2";
    case 'R': return "F3";
    case 'S': return "F4";
    default: return nullptr;
    }
}

// Name of the numbered form ESC [ n ~; null when unknown.
const char* tilde_key_name(int number) {
    switch (number) {
    case 1: case 7: return "Home";
    case 2: return "Insert";
    case 3: return "Delete";
    case 4: case 8: return "End";
    case 5: return "PageUp";
    case 6: return "PageDown";
    case 11: return "F1";
    case 12: return "F2";
    case 13: return "F3";
    case 14: return "F4";
    case 15: return "F5";
    case 17: return "F6";
    case 18: return "F7";
    case 19: return "F8";
    case 20: return "F9";
    case 21: return "F10";
    case 23: return "F11";
    case 24: return "F12";
    default: return nullptr;
    }
}

void set_unmapped(KeyPress& key, int final_byte) {
    std::snprintf(key.unmapped_name, sizeof key.unmapped_name, "0x%02X", final_byte & 0xFF);
}

// Reads the rest of a sequence after ESC and the introducer ('[' or 'O').
void read_sequence(KeyPress& key, int introducer) {
    int number = 0;
    bool number_done = false;
    int c = -1;
    for (int i = 0; i < kMaxSequenceBytes && byte_follows(kEscapeWaitMs); ++i) {
        c = std::getc(stdin);
        if (c == EOF) break;
        // The Linux console sends F1..F5 as ESC [ [ A..E.
        if (introducer == '[' && i == 0 && c == '[') {
            int f = byte_follows(kEscapeWaitMs) ? std::getc(stdin) : EOF;
            static const char* const kConsoleF[] = {"F1", "F2", "F3", "F4", "F5"};
            if (f >= 'A' && f <= 'E') key.special_name = kConsoleF[f - 'A'];
            else set_unmapped(key, f);
            return;
        }
        if (c >= '0' && c <= '9') {
            if (!number_done && number < 1000) number = number * 10 + (c - '0');
            continue;
        }
        if (c == ';') {
            number_done = true;  // modifiers after the first parameter do not change the key
            continue;
        }
        if (c >= 0x40 && c <= 0x7E) {
            key.special_name = c == '~' ? tilde_key_name(number) : letter_key_name(c);
            if (!key.special_name) set_unmapped(key, c);
            return;
        }
    }
    set_unmapped(key, c);
}

}  // namespace

bool terminal_is_tty(int fd) { return isatty(fd) == 1; }

bool terminal_key_waiting() {
    if (stdin_has_buffered_bytes()) return true;
    // A terminal holds typed keys back until Enter unless line editing is off.
    ScopedKeyMode mode;
    return descriptor_has_byte(0);
}

int terminal_read_key_byte() {
    ScopedKeyMode mode;
    int c = std::getc(stdin);
    return c == EOF ? -1 : c;
}

KeyPress terminal_read_key() {
    ScopedKeyMode mode;
    KeyPress key;
    int c = std::getc(stdin);
    if (c == EOF) return key;
    key.code = c;
    if (c != 27 || !byte_follows(kEscapeWaitMs)) return key;
    int introducer = std::getc(stdin);
    if (introducer == '[' || introducer == 'O') {
        read_sequence(key, introducer);
    } else if (introducer != EOF) {
        // ESC then an ordinary key (Alt+key): the Escape now, the key on the next read.
        std::ungetc(introducer, stdin);
    }
    return key;
}

bool terminal_window_size(int* columns, int* rows) {
    winsize size{};
    if (ioctl(1, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0) return false;
    *columns = size.ws_col;
    *rows = size.ws_row;
    return true;
}

bool terminal_cursor_position(int* column, int* row) {
    if (!isatty(0) || !isatty(1)) return false;
    ScopedKeyMode mode;  // keeps the answer from being echoed
    std::fflush(stdout);
    static const char kQuery[] = "\033[6n";
    if (write(1, kQuery, sizeof kQuery - 1) != ssize_t(sizeof kQuery - 1)) return false;
    // The answer is ESC [ row ; column R, read straight from the descriptor.
    char reply[32];
    size_t length = 0;
    while (length + 1 < sizeof reply) {
        pollfd entry{0, POLLIN, 0};
        if (poll(&entry, 1, kCursorReplyWaitMs) <= 0) return false;
        char c;
        if (read(0, &c, 1) != 1) return false;
        reply[length++] = c;
        if (c == 'R') break;
    }
    reply[length] = '\0';
    const char* start = std::strstr(reply, "\033[");
    int r = 0, col = 0;
    if (!start || std::sscanf(start, "\033[%d;%dR", &r, &col) != 2 || r < 1 || col < 1) return false;
    *row = r - 1;
    *column = col - 1;
    return true;
}

void terminal_set_raw(bool on) {
    if (on && !g_raw_active) {
        if (!isatty(0) || tcgetattr(0, &g_mode_before_raw) != 0) return;
        termios mode = g_mode_before_raw;
        // Line input, echo and signal keys off: Ctrl+C arrives as the byte 3.
        mode.c_lflag &= ~tcflag_t(ICANON | ECHO | ISIG);
        mode.c_cc[VMIN] = 1;
        mode.c_cc[VTIME] = 0;
        if (tcsetattr(0, TCSANOW, &mode) != 0) return;
        g_raw_active = true;
        if (!g_exit_hook_installed) g_exit_hook_installed = std::atexit(restore_mode_at_exit) == 0;
    } else if (!on && g_raw_active) {
        tcsetattr(0, TCSANOW, &g_mode_before_raw);
        g_raw_active = false;
    }
}

bool terminal_read_line_hidden(char* buffer, int size) {
    termios saved{};
    bool changed = false;
    if (isatty(0) && tcgetattr(0, &saved) == 0) {
        termios mode = saved;
        mode.c_lflag &= ~tcflag_t(ECHO);
        changed = tcsetattr(0, TCSANOW, &mode) == 0;
    }
    bool read_ok = std::fgets(buffer, size, stdin) != nullptr;
    if (changed) tcsetattr(0, TCSANOW, &saved);
    if (!read_ok) buffer[0] = '\0';
    return read_ok;
}

}  // namespace tarvik
