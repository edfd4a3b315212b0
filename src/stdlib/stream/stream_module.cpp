// stdlib/stream/stream_module.cpp: the Stream module's opening, closing, byte and
// text transfer and positioning members. Every member answers its failure value
// (false, nil or an empty result) for a closed stream without touching a
// descriptor; wrong mode and format words raise error 3.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "runtime/array.h"
#include "runtime/block.h"
#include "runtime/builtin.h"
#include "runtime/errors.h"
#include "runtime/string.h"
#include "sched/io_ops.h"
#include "stdlib/file/file_values.h"
#include "stdlib/file/fs_linux.h"
#include "stdlib/stdlib_register.h"
#include "stdlib/stream/stream_io.h"
#include "stdlib/stream/stream_serial.h"

namespace tarvik {

namespace {

constexpr int64_t kMaxTextBytes = 0x10000000;     // ReadString, WriteString, ReadLine
constexpr int64_t kMaxReadAllBytes = 0x7FFFFFFF;  // ReadAll
constexpr int64_t kMaxCopyBuffer = 16 << 20;      // Copy's buffer, whatever the script asks
constexpr size_t kPiece = 65536;

Value fail_bool() { return make_bool(false); }

// An optional integer argument, or `fallback` when absent or nil.
int64_t int_arg(Value* args, int argc, int i, int64_t fallback) {
    return i < argc && is_integral(args[i]) ? value_to_int(args[i]) : fallback;
}

// Output through the standard streams goes past stdio's buffers: flush them first
// so the script's lines keep their order.
bool write_stream(ObjHeader* s, const void* data, size_t size, size_t* written = nullptr) {
    if (stream_kind(s) == STREAM_STANDARD) {
        std::fflush(stdout);
        std::fflush(stderr);
    }
    return stream_write_all(stream_fd(s), stream_kind(s), data, size, written);
}

ssize_t read_some(ObjHeader* s, void* buffer, size_t size) {
    return stream_read_some(stream_fd(s), stream_kind(s), buffer, size);
}

Value stream_open(Value* args, int) {
    std::string_view mode;
    int flags = -1;
    if (file_text_arg(args[1], &mode)) {
        if (mode == "r") flags = O_RDONLY;
        if (mode == "rw") flags = O_RDWR | O_CREAT;
        if (mode == "w") flags = O_WRONLY | O_CREAT | O_TRUNC;
        if (mode == "a") flags = O_WRONLY | O_CREAT | O_APPEND;
    }
    if (flags < 0) {
        raise_error(ERR_INVALID_ARGUMENTS);
        return nil_value();
    }
    std::string path;
    if (!file_path_arg(args[0], &path)) return nil_value();
    ScopedFd file(::open(path.c_str(), flags | O_CLOEXEC, 0644));
    struct stat st;
    // Linux opens a directory for reading; its reads would only fail.
    if (file.fd < 0 || ::fstat(file.fd, &st) != 0 || S_ISDIR(st.st_mode)) return nil_value();
    Value stream = make_stream(file.fd, STREAM_FILE, uint8_t(flags & 0xFF));
    file.fd = -1;
    return stream;
}

Value stream_open_serial(Value* args, int argc) {
    std::string_view format = "8N1";
    if (argc > 2 && !is_nil(args[2]) && !file_text_arg(args[2], &format)) format = {};
    if (format.size() != 3) {
        raise_error(ERR_INVALID_ARGUMENTS, "Serial format must be exactly 3 characters, e.g. \"8N1\"");
        return nil_value();
    }
    if ((format[0] != '7' && format[0] != '8') || !std::strchr("NEO", format[1]) || format[1] == '\0' ||
        (format[2] != '1' && format[2] != '2')) {
        raise_error(ERR_INVALID_ARGUMENTS, "Serial format must be [7|8][N|E|O][1|2], e.g. \"8N1\"");
        return nil_value();
    }
    std::string port;
    if (!file_path_arg(args[0], &port) || !is_integral(args[1])) return nil_value();
    int fd = serial_open(serial_device_path(port), value_to_int(args[1]), format.data());
    return fd < 0 ? nil_value() : make_stream(fd, STREAM_SERIAL, 0);
}

Value stream_close(Value* args, int) {
    ObjHeader* s = stream_argument(args[0]);
    if (!s) return fail_bool();
    int fd = stream_fd(s);
    if (fd >= 0) {
        if (stream_kind(s) == STREAM_FILE) ::fsync(fd);
        if (stream_kind(s) == STREAM_SOCKET) io_ops_close_socket(fd);
        ::close(fd);
        stream_set_fd(s, -1);
    }
    return make_bool(true);
}

Value stream_flush(Value* args, int) {
    ObjHeader* s = open_stream_argument(args[0]);
    if (!s) return make_bool(stream_argument(args[0]) != nullptr);
    if (stream_kind(s) != STREAM_FILE) return make_bool(true);
    return make_bool(::fsync(stream_fd(s)) == 0 || errno == EINVAL);  // a device that cannot sync
}

Value stream_is_open(Value* args, int) { return make_bool(open_stream_argument(args[0]) != nullptr); }

Value stream_read_byte(Value* args, int) {
    ObjHeader* s = open_stream_argument(args[0]);
    unsigned char byte;
    if (!s || read_some(s, &byte, 1) != 1) return nil_value();
    return make_int(byte);
}

Value stream_peek(Value* args, int) {
    ObjHeader* s = open_stream_argument(args[0]);
    if (!s) return nil_value();
    unsigned char byte;
    if (stream_kind(s) == STREAM_SOCKET) {
        if (stream_read_some(stream_fd(s), STREAM_SOCKET, &byte, 1, /*peek=*/true) != 1) return nil_value();
        return make_int(byte);
    }
    if (stream_kind(s) != STREAM_FILE || read_some(s, &byte, 1) != 1) return nil_value();
    ::lseek(stream_fd(s), -1, SEEK_CUR);
    return make_int(byte);
}

Value stream_write_byte(Value* args, int) {
    ObjHeader* s = open_stream_argument(args[0]);
    if (!s || !is_integral(args[1])) return fail_bool();
    unsigned char byte = uint8_t(value_to_int(args[1]));
    return make_bool(write_stream(s, &byte, 1));
}

// Up to `count` bytes: one read for sockets, pipes and devices (what has arrived),
// files until the count or their end. Grows in pieces, so a large count costs
// memory only for what actually comes.
// The buffer of ReadString and ReadBytes, kept between calls (up to 1 MiB): a fresh
// buffer of 64 KiB or more comes from mmap and costs a page fault per 4 KiB on
// every call.
std::string& read_buffer() {
    static std::string kept;
    if (kept.capacity() > (size_t(1) << 20)) std::string().swap(kept);
    kept.clear();
    return kept;
}

bool read_up_to(ObjHeader* s, int64_t count, std::string* out) {
    while (int64_t(out->size()) < count) {
        size_t step = size_t(std::min<int64_t>(count - int64_t(out->size()), kPiece));
        size_t at = out->size();
        out->resize(at + step);
        ssize_t n = read_some(s, out->data() + at, step);
        out->resize(at + size_t(std::max<ssize_t>(n, 0)));
        if (n < 0) return at > 0;
        if (size_t(n) < step || stream_kind(s) != STREAM_FILE) break;
    }
    return true;
}

Value stream_read_string(Value* args, int) {
    ObjHeader* s = open_stream_argument(args[0]);
    int64_t count = int_arg(args, 2, 1, 0);
    std::string& text = read_buffer();
    if (!s || count <= 0 || count > kMaxTextBytes || !read_up_to(s, count, &text)) return empty_string_value();
    return make_string_bytes(text.data(), text.size());
}

Value stream_read_bytes(Value* args, int) {
    ObjHeader* s = open_stream_argument(args[0]);
    int64_t count = int_arg(args, 2, 1, 0);
    if (!s) return nil_value();
    std::string& data = read_buffer();
    if (count > 0 && (count > kMaxTextBytes || !read_up_to(s, count, &data))) return nil_value();
    return file_bytes_block(data.data(), data.size());
}

Value stream_write_string(Value* args, int) {
    ObjHeader* s = open_stream_argument(args[0]);
    if (!s || !is_string(args[1]) || string_length(as_obj(args[1])) > kMaxTextBytes) return fail_bool();
    return make_bool(write_stream(s, string_chars(as_obj(args[1])), string_length(as_obj(args[1]))));
}

Value stream_write_all_member(Value* args, int) {
    ObjHeader* s = open_stream_argument(args[0]);
    const void* data;
    size_t size;
    if (!s || !file_data_arg(args[1], &data, &size)) return fail_bool();
    return make_bool(write_stream(s, data, size));
}

Value stream_write_bytes(Value* args, int) {
    ObjHeader* s = open_stream_argument(args[0]);
    const void* data;
    size_t size;
    if (!s || !file_data_arg(args[1], &data, &size)) return make_int(0);
    int64_t count = std::clamp<int64_t>(int_arg(args, 3, 2, 0), 0, int64_t(size));
    size_t written = 0;
    write_stream(s, data, size_t(count), &written);
    return make_int(int64_t(written));
}

Value stream_read_line(Value* args, int) {
    ObjHeader* s = open_stream_argument(args[0]);
    if (!s) return nil_value();
    std::string line;
    line.reserve(256);
    for (;;) {
        char c;
        ssize_t n = read_some(s, &c, 1);
        if (n < 0) return nil_value();
        if (n == 0) {
            if (line.empty()) return nil_value();
            break;
        }
        if (c == '\n') break;
        line.push_back(c);
        if (int64_t(line.size()) >= kMaxTextBytes) return nil_value();
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return make_string_bytes(line.data(), line.size());
}

// ReadAll: sockets until the peer closes, files until their end, pipes, standard
// input and serial ports until their end or until the time-out passes without data.
Value stream_read_all(Value* args, int argc) {
    ObjHeader* s = open_stream_argument(args[0]);
    if (!s) return nil_value();
    int64_t max = argc == 2 ? std::clamp<int64_t>(int_arg(args, argc, 1, kMaxReadAllBytes), 0, kMaxReadAllBytes)
                            : kMaxReadAllBytes;
    int timeout_ms = argc == 3 ? int(int16_t(int_arg(args, argc, 2, 3))) * 1000 : 3000;
    if (timeout_ms < 0) timeout_ms = 0;
    int fd = stream_fd(s);
    uint8_t kind = stream_kind(s);
    if (kind == STREAM_SOCKET) {
        struct timeval tv{timeout_ms / 1000, (timeout_ms % 1000) * 1000};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    }
    std::vector<uint8_t> data;
    while (int64_t(data.size()) < max) {
        size_t step = size_t(std::min<int64_t>(8192, max - int64_t(data.size())));
        if (kind != STREAM_SOCKET && kind != STREAM_FILE && !stream_wait_readable(fd, timeout_ms > 0 ? timeout_ms : -1)) {
            if (errno != EAGAIN) return nil_value();
            break;
        }
        size_t at = data.size();
        data.resize(at + step);
        ssize_t n = stream_read_some(fd, kind, data.data() + at, step);
        data.resize(at + size_t(std::max<ssize_t>(n, 0)));
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != ETIMEDOUT) return nil_value();
        if (n <= 0 || (kind == STREAM_FILE && size_t(n) < step)) break;
    }
    return file_bytes_block(data.data(), data.size());
}

Value stream_copy(Value* args, int argc) {
    ObjHeader* source = open_stream_argument(args[0]);
    ObjHeader* destination = open_stream_argument(args[1]);
    if (!source || !destination) return fail_bool();
    int64_t size = int_arg(args, argc, 2, 0);
    std::vector<char> buffer(size_t(size <= 0 ? int64_t(kPiece) : std::min(size, kMaxCopyBuffer)));
    for (;;) {
        ssize_t n = read_some(source, buffer.data(), buffer.size());
        if (n < 0) return fail_bool();
        if (n == 0) return make_bool(true);
        if (!write_stream(destination, buffer.data(), size_t(n))) return fail_bool();
    }
}

Value stream_send_file(Value* args, int argc) {
    ObjHeader* s = open_stream_argument(args[0]);
    std::string path;
    if (!s || !file_path_arg(args[1], &path)) return nil_value();
    ScopedFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    int64_t offset = int_arg(args, argc, 2, 0);
    struct stat st;
    if (file.fd < 0 || offset < 0 || ::fstat(file.fd, &st) != 0 || S_ISDIR(st.st_mode)) return nil_value();
    int64_t length = std::max<int64_t>(int_arg(args, argc, 3, int64_t(st.st_size) - offset), 0);
    if (::lseek(file.fd, off_t(offset), SEEK_SET) < 0) return nil_value();
    int64_t sent = 0;
    char buffer[kPiece];
    while (sent < length) {
        ssize_t n = stream_read_some(file.fd, STREAM_FILE, buffer, size_t(std::min<int64_t>(length - sent, kPiece)));
        if (n < 0) return nil_value();
        if (n == 0) break;
        if (!write_stream(s, buffer, size_t(n))) return nil_value();
        sent += n;
    }
    return make_int(sent);
}

Value stream_seek(Value* args, int argc) {
    ObjHeader* s = open_stream_argument(args[0]);
    int64_t origin = int_arg(args, argc, 2, 0);
    if (!s || !is_integral(args[1]) || origin < 0 || origin > 2) return fail_bool();
    static const int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    return make_bool(::lseek(stream_fd(s), off_t(value_to_int(args[1])), kWhence[origin]) >= 0);
}

Value stream_tell(Value* args, int) {
    ObjHeader* s = open_stream_argument(args[0]);
    off_t at = s ? ::lseek(stream_fd(s), 0, SEEK_CUR) : -1;
    return at < 0 ? nil_value() : make_int(int64_t(at));
}

Value stream_size(Value* args, int) {
    ObjHeader* s = open_stream_argument(args[0]);
    struct stat st;
    if (!s || ::fstat(stream_fd(s), &st) != 0) return nil_value();
    return make_int(int64_t(st.st_size));
}

Value stream_truncate(Value* args, int) {
    ObjHeader* s = open_stream_argument(args[0]);
    int64_t size = int_arg(args, 2, 1, -1);
    if (!s || size < 0) return fail_bool();
    return make_bool(::ftruncate(stream_fd(s), off_t(size)) == 0);
}

Value stream_pipe(Value*, int) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return nil_value();
    ::fcntl(ends[0], F_SETPIPE_SZ, int(kPiece));
    Value pair = make_array(2);
    array_append(pair, make_stream(ends[0], STREAM_PIPE, 0), /*borrowed=*/false);
    array_append(pair, make_stream(ends[1], STREAM_PIPE, 1), /*borrowed=*/false);
    return pair;
}

// A stream on a duplicate of a standard descriptor; closing it leaves the original.
template <int Fd>
Value stream_standard(Value*, int) {
    int fd = ::fcntl(Fd, F_DUPFD_CLOEXEC, 0);
    return fd < 0 ? nil_value() : make_stream(fd, STREAM_STANDARD, Fd == 0 ? 0 : 1);
}

constexpr uint32_t T_DATA = T_STRING | T_BLOCK;
constexpr uint32_t T_INT_OR_NIL = T_INT | T_NIL;
constexpr Signature kOpen{T_STREAM | T_NIL, {T_STRING, T_STRING}};
constexpr Signature kOpenSerial{T_STREAM | T_NIL, {T_STRING, T_INT, T_STRING}};
constexpr Signature kToBool{T_BOOL, {T_STREAM}};
constexpr Signature kToInt{T_INT_OR_NIL, {T_STREAM}};
constexpr Signature kIntToBool{T_BOOL, {T_STREAM, T_INT}};
constexpr Signature kCountToString{T_STRING, {T_STREAM, T_INT}};
constexpr Signature kCountToBlock{T_BLOCK | T_NIL, {T_STREAM, T_INT}};
constexpr Signature kStringToBool{T_BOOL, {T_STREAM, T_STRING}};
constexpr Signature kDataToBool{T_BOOL, {T_STREAM, T_DATA}};
constexpr Signature kWriteBytes{T_INT, {T_STREAM, T_BLOCK, T_INT}};
constexpr Signature kReadLine{T_STRING | T_NIL, {T_STREAM}};
constexpr Signature kReadAll{T_BLOCK | T_NIL, {T_STREAM, T_INT, T_INT}};
constexpr Signature kCopy{T_BOOL, {T_STREAM, T_STREAM, T_INT}};
constexpr Signature kSendFile{T_INT_OR_NIL, {T_STREAM, T_STRING, T_INT, T_INT}};
constexpr Signature kSeek{T_BOOL, {T_STREAM, T_INT, T_INT}};
constexpr Signature kPipe{T_ARRAY | T_NIL, {}};
constexpr Signature kStandard{T_STREAM | T_NIL, {}};

}  // namespace

constexpr BuiltinNative kStreamNatives[] = {
    {"Open", stream_open, &kOpen},
    {"Close", stream_close, &kToBool},
    {"ReadByte", stream_read_byte, &kToInt},
    {"WriteByte", stream_write_byte, &kIntToBool},
    {"ReadString", stream_read_string, &kCountToString},
    {"WriteString", stream_write_string, &kStringToBool},
    {"Seek", stream_seek, &kSeek},
    {"Tell", stream_tell, &kToInt},
    {"Flush", stream_flush, &kToBool},
    {"OpenSerial", stream_open_serial, &kOpenSerial},
    {"IsOpen", stream_is_open, &kToBool},
    {"Copy", stream_copy, &kCopy},
    {"ReadAll", stream_read_all, &kReadAll},
    {"WriteAll", stream_write_all_member, &kDataToBool},
    {"ReadLine", stream_read_line, &kReadLine},
    {"WriteBytes", stream_write_bytes, &kWriteBytes},
    {"ReadBytes", stream_read_bytes, &kCountToBlock},
    {"Pipe", stream_pipe, &kPipe},
    {"SendFile", stream_send_file, &kSendFile},
    {"Peek", stream_peek, &kToInt},
    {"Size", stream_size, &kToInt},
    {"Truncate", stream_truncate, &kIntToBool},
    {"Stdin", stream_standard<0>, &kStandard},
    {"Stdout", stream_standard<1>, &kStandard},
    {"Stderr", stream_standard<2>, &kStandard},
};

void stream_register_natives() {
    builtin_register_module("Stream", kStreamNatives);
    stream_register_binary_natives();
}

}  // namespace tarvik
