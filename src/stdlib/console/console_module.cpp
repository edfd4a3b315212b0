// stdlib/console/console_module.cpp: the Console module, writing values in their
// display form, reading lines, numbers, characters and keys, colours and cursor
// control. Terminal access goes through console_terminal.h.
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/array.h"
#include "runtime/builtin.h"
#include "runtime/console.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/value_ops.h"
#include "stdlib/console/console_terminal.h"
#include "stdlib/stdlib_register.h"

namespace tarvik {

namespace {

constexpr size_t kMaxLineLength = 0x10000000;  // longer lines are cut to this
constexpr int kNumberLineBytes = 32;            // ReadInt/ReadFloat read at most 31 bytes
constexpr int kPasswordBytes = 1024;            // ReadPassword reads at most 1,023 bytes

// Growable scratch buffer for one input line. Plain malloc: running out of memory
// makes ReadLine answer nil rather than raise.
class LineBuffer {
public:
    LineBuffer() = default;
    ~LineBuffer() { std::free(data_); }
    LineBuffer(const LineBuffer&) = delete;
    LineBuffer& operator=(const LineBuffer&) = delete;

    bool reserve(size_t capacity) {
        if (capacity <= capacity_) return true;
        char* grown = static_cast<char*>(std::realloc(data_, capacity));
        if (!grown) return false;
        data_ = grown;
        capacity_ = capacity;
        return true;
    }
    char* data() { return data_; }
    size_t capacity() const { return capacity_; }

private:
    char* data_ = nullptr;
    size_t capacity_ = 0;
};

// The virtual-terminal flag: set when stdout or stderr is a terminal.
bool virtual_terminal() { return g_console.emoji_output; }

bool is_integer_value(Value v) { return is_imm_int(v) || is_ref_of(v, T_INT); }

// Writes "\033[%dm" when the terminal understands it; code < 0 writes nothing.
void write_sgr(int code) {
    if (!virtual_terminal()) return;
    if (code >= 0) std::printf("\033[%dm", code);
    std::fflush(stdout);
}

void write_sequence(const char* sequence) {
    std::fputs(sequence, stdout);
    std::fflush(stdout);
}

// Natives borrow args[0..count) and return a new reference.
Value console_write(Value* args, int count) {
    for (int i = 0; i < count; ++i) value_render(args[i]);
    std::fflush(stdout);
    return nil_value();
}

Value console_write_line(Value* args, int count) {
    for (int i = 0; i < count; ++i) value_render(args[i]);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    return nil_value();
}

Value console_write_lines(Value* args, int count) {
    for (int i = 0; i < count; ++i) {
        value_render(args[i]);
        std::fputc('\n', stdout);
    }
    std::fflush(stdout);
    return nil_value();
}

// Ok, Warn and Error: a mark, the values separated by one space, a line feed; these
// do not flush.
void write_marked(const char* mark, Value* args, int count) {
    std::fputs(mark, stdout);
    for (int i = 0; i < count; ++i) {
        if (i > 0) std::fputc(' ', stdout);
        value_render(args[i]);
    }
    std::fputc('\n', stdout);
}

Value console_ok(Value* args, int count) {
    write_marked("\u2705 ", args, count);
    return nil_value();
}

Value console_warn(Value* args, int count) {
    write_marked("\u26A0\uFE0F ", args, count);
    return nil_value();
}

Value console_error(Value* args, int count) {
    write_marked("\u274C ", args, count);
    return nil_value();
}

// Stores at most kMaxLineLength bytes; the rest of an over-long line is consumed
// and dropped, so memory stays bounded whatever the input.
Value console_read_line(Value*, int) {
    LineBuffer line;
    if (!line.reserve(128)) return nil_value();
    size_t length = 0;
    bool read_any = false;
    int c;
    while ((c = std::fgetc(stdin)) != EOF) {
        read_any = true;
        if (length < kMaxLineLength) {
            if (line.capacity() - length < 2 &&
                !line.reserve(std::min(line.capacity() * 2, kMaxLineLength + 2))) {
                return nil_value();
            }
            line.data()[length++] = char(c);
        }
        if (c == '\n') break;
    }
    if (!read_any) return nil_value();
    while (length > 0 && (line.data()[length - 1] == '\r' || line.data()[length - 1] == '\n')) --length;
    return make_string_bytes(line.data(), length);
}

Value console_read_char(Value*, int) {
    int c = std::getchar();
    return make_char(c == EOF ? 0xFFFFFFFFu : uint32_t(c));
}

// Up to 31 bytes of one line without its line feed; false at end of input.
bool read_number_text(char (&text)[kNumberLineBytes]) {
    if (!std::fgets(text, kNumberLineBytes, stdin)) return false;
    size_t length = std::strlen(text);
    if (length > 0 && text[length - 1] == '\n') text[length - 1] = '\0';
    return true;
}

// A parse counts when it consumed something, stayed in range and stopped at the
// end of the text or at white space.
bool parse_complete(const char* text, const char* end) {
    return end != text && errno != ERANGE && (*end == '\0' || std::isspace(static_cast<unsigned char>(*end)));
}

Value console_read_float(Value*, int) {
    char text[kNumberLineBytes];
    if (!read_number_text(text)) return nil_value();
    char* end = nullptr;
    errno = 0;
    double d = std::strtod(text, &end);
    return parse_complete(text, end) ? make_float(d) : nil_value();
}

Value console_read_int(Value*, int) {
    char text[kNumberLineBytes];
    if (!read_number_text(text)) return nil_value();
    char* end = nullptr;
    errno = 0;
    long long n = std::strtoll(text, &end, 10);
    return parse_complete(text, end) ? make_int(n) : nil_value();
}

Value console_key_pressed(Value*, int) { return make_bool(terminal_key_waiting()); }

Value console_try_read_char(Value*, int) {
    if (!terminal_key_waiting()) return nil_value();
    int c = terminal_read_key_byte();
    return c < 0 ? nil_value() : make_char(uint32_t(c));
}

Value console_set_color(Value* args, int) {
    if (!virtual_terminal() || !is_integer_value(args[0])) return nil_value();
    int64_t n = value_to_int(args[0]);
    int code = -1;
    if (n >= 1 && n <= 7) code = int(30 + n);
    else if ((n >= 30 && n <= 37) || (n >= 90 && n <= 97)) code = int(n);
    else if (n == 0) code = 0;
    write_sgr(code);
    return nil_value();
}

Value console_set_background(Value* args, int) {
    if (!virtual_terminal() || !is_integer_value(args[0])) return nil_value();
    int64_t n = value_to_int(args[0]);
    int code = -1;
    if (n >= 1 && n <= 7) code = int(40 + n);
    else if (n >= 30 && n <= 37) code = int(n + 10);
    else if ((n >= 40 && n <= 47) || (n >= 100 && n <= 107)) code = int(n);
    else if (n == 0) code = 0;
    write_sgr(code);
    return nil_value();
}

Value console_is_tty(Value*, int) { return make_bool(terminal_is_tty(1)); }

Value console_save_cursor(Value*, int) {
    if (virtual_terminal()) write_sequence("\033[s");
    return nil_value();
}

Value console_restore_cursor(Value*, int) {
    if (virtual_terminal()) write_sequence("\033[u");
    return nil_value();
}

// Rows and columns count from 1; anything below, or not a number, moves to 1.
int cursor_coordinate(Value v) { return int(std::clamp<int64_t>(value_to_int(v), 1, INT_MAX)); }

Value console_set_cursor(Value* args, int) {
    int row = cursor_coordinate(args[0]);
    int column = cursor_coordinate(args[1]);
    // Without a terminal there is no cursor to move.
    if (virtual_terminal()) {
        std::printf("\033[%d;%dH", row, column);
        std::fflush(stdout);
    }
    return nil_value();
}

Value console_get_cursor(Value*, int) {
    int column = 0, row = 0;
    if (!terminal_cursor_position(&column, &row)) return nil_value();
    Value position = make_object();
    object_put(position, "Cols", make_int(column));
    object_put(position, "Rows", make_int(row));
    return position;
}

Value console_size(Value*, int) {
    int columns = 0, rows = 0;
    if (!terminal_window_size(&columns, &rows)) return nil_value();
    Value size = make_array(2);
    array_append(size, make_int(columns), false);
    array_append(size, make_int(rows), false);
    return size;
}

Value console_read_password(Value*, int) {
    char text[kPasswordBytes];
    if (!terminal_read_line_hidden(text, kPasswordBytes)) text[0] = '\0';
    // The Enter key was not echoed, so the line ends here.
    std::fputc('\n', stdout);
    std::fflush(stdout);
    return make_string_bytes(text, std::strcspn(text, "\r\n"));
}

Value console_clear(Value*, int) {
    // Screen, scroll-back, then the cursor to the top-left corner.
    if (terminal_is_tty(1)) write_sequence("\033[2J\033[3J\033[H");
    return nil_value();
}

Value console_clear_line(Value*, int) {
    if (terminal_is_tty(1)) write_sequence("\033[2K\r");
    return nil_value();
}

Value console_set_raw(Value* args, int) {
    Value on = args[0];
    if (is_imm_bool(on)) terminal_set_raw(imm_bool(on));
    else if (is_ref_of(on, T_BOOL)) terminal_set_raw(as_obj(on)->a != 0);
    return nil_value();
}

Value make_key(Value name, uint32_t code, bool special) {
    Value key = make_object();
    object_put(key, "Key", name);
    object_put(key, "Char", make_char(code));
    object_put(key, "IsSpecial", make_bool(special));
    return key;
}

// Nil at end of input, where no key can ever come.
Value console_read_key(Value*, int) {
    KeyPress press = terminal_read_key();
    const char* special = press.special_name ? press.special_name
                                             : (press.unmapped_name[0] ? press.unmapped_name : nullptr);
    if (special) return make_key(make_string(special), 0, true);
    if (press.code < 0) return nil_value();
    switch (press.code) {
    case 8:
    case 127: return make_key(make_string("Backspace"), 8, false);
    case 9: return make_key(make_string("Tab"), 9, false);
    case 10:
    case 13: return make_key(make_string("Enter"), 10, false);
    case 27: return make_key(make_string("Escape"), 27, false);
    default: {
        char byte = char(press.code);
        return make_key(make_string_bytes(&byte, 1), uint32_t(press.code), false);
    }
    }
}

// Bad arguments do nothing here rather than raise, so every type passes the check.
constexpr Signature kValuesToNil{T_NIL, {T_ANY}};
constexpr Signature kNoneToString{T_STRING | T_NIL, {}};
constexpr Signature kNoneToChar{T_CHAR, {}};
constexpr Signature kNoneToCharOrNil{T_CHAR | T_NIL, {}};
constexpr Signature kNoneToFloat{T_FLOAT | T_NIL, {}};
constexpr Signature kNoneToInt{T_INT | T_NIL, {}};
constexpr Signature kNoneToBool{T_BOOL, {}};
constexpr Signature kNoneToNil{T_NIL, {}};
constexpr Signature kNoneToObject{T_OBJECT | T_NIL, {}};
constexpr Signature kNoneToArray{T_ARRAY | T_NIL, {}};
constexpr Signature kNoneToPassword{T_STRING, {}};
constexpr Signature kTwoToNil{T_NIL, {T_ANY, T_ANY}};

}  // namespace

// Catalogue order; the ConsoleColor constants 25..30 need no native code.
constexpr BuiltinNative kConsoleNatives[] = {
    {"Write", console_write, &kValuesToNil},
    {"WriteLine", console_write_line, &kValuesToNil},
    {"WriteLines", console_write_lines, &kValuesToNil},
    {"ReadLine", console_read_line, &kNoneToString},
    {"ReadChar", console_read_char, &kNoneToChar},
    {"ReadFloat", console_read_float, &kNoneToFloat},
    {"ReadInt", console_read_int, &kNoneToInt},
    {"Ok", console_ok, &kValuesToNil},
    {"Warn", console_warn, &kValuesToNil},
    {"Error", console_error, &kValuesToNil},
    {"KeyPressed", console_key_pressed, &kNoneToBool},
    {"TryReadChar", console_try_read_char, &kNoneToCharOrNil},
    {"SetColor", console_set_color, &kValuesToNil},
    {"SetBackground", console_set_background, &kValuesToNil},
    {"IsTTY", console_is_tty, &kNoneToBool},
    {"SaveCursor", console_save_cursor, &kNoneToNil},
    {"RestoreCursor", console_restore_cursor, &kNoneToNil},
    {"SetCursor", console_set_cursor, &kTwoToNil},
    {"GetCursor", console_get_cursor, &kNoneToObject},
    {"Size", console_size, &kNoneToArray},
    {"ReadPassword", console_read_password, &kNoneToPassword},
    {"Clear", console_clear, &kNoneToNil},
    {"ClearLine", console_clear_line, &kNoneToNil},
    {"SetRaw", console_set_raw, &kValuesToNil},
    {"ReadKey", console_read_key, &kNoneToObject},
};

void console_register_natives() { builtin_register_module("Console", kConsoleNatives); }

}  // namespace tarvik
