// stdlib/stream/stream_binary.cpp: fixed-width integers and floats in either byte
// order, and variable-length integers (unsigned LEB128, at most 10 bytes).
#include <cstring>

#include "runtime/builtin.h"
#include "runtime/value_ops.h"
#include "stdlib/stream/stream_io.h"

namespace tarvik {

namespace {

constexpr int kMaxVarintBytes = 10;

// Reads exactly `Width` bytes as an unsigned number in the chosen order; false when
// the stream ends early, fails or is closed.
template <int Width>
bool read_number(Value* args, int argc, uint64_t* out) {
    ObjHeader* s = open_stream_argument(args[0]);
    uint8_t bytes[Width];
    if (!s || stream_read_full(stream_fd(s), stream_kind(s), bytes, Width) != Width) return false;
    bool big = argc > 1 && value_truthy(args[1]);
    uint64_t value = 0;
    for (int i = 0; i < Width; ++i) value |= uint64_t(bytes[big ? Width - 1 - i : i]) << (8 * i);
    *out = value;
    return true;
}

template <int Width>
bool write_number(Value* args, int argc, uint64_t value) {
    ObjHeader* s = open_stream_argument(args[0]);
    if (!s) return false;
    bool big = argc > 2 && value_truthy(args[2]);
    uint8_t bytes[Width];
    for (int i = 0; i < Width; ++i) bytes[big ? Width - 1 - i : i] = uint8_t(value >> (8 * i));
    return stream_write_all(stream_fd(s), stream_kind(s), bytes, Width);
}

template <int Width, bool Signed>
Value read_int(Value* args, int argc) {
    uint64_t value;
    if (!read_number<Width>(args, argc, &value)) return nil_value();
    if (Signed && Width < 8 && (value >> (8 * Width - 1)) & 1) value |= ~uint64_t(0) << (8 * Width);
    return make_int(int64_t(value));
}

template <int Width>
Value write_int(Value* args, int argc) {
    if (!is_integral(args[1])) return make_bool(false);
    return make_bool(write_number<Width>(args, argc, uint64_t(value_to_int(args[1]))));
}

Value read_f32(Value* args, int argc) {
    uint64_t bits;
    if (!read_number<4>(args, argc, &bits)) return nil_value();
    uint32_t narrow = uint32_t(bits);
    float f;
    std::memcpy(&f, &narrow, sizeof f);
    return make_float(double(f));
}

Value read_f64(Value* args, int argc) {
    uint64_t bits;
    if (!read_number<8>(args, argc, &bits)) return nil_value();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return make_float(d);
}

Value write_f32(Value* args, int argc) {
    if (!is_numeric(args[1])) return make_bool(false);
    float f = float(value_to_double(args[1]));
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return make_bool(write_number<4>(args, argc, bits));
}

Value write_f64(Value* args, int argc) {
    if (!is_numeric(args[1])) return make_bool(false);
    double d = value_to_double(args[1]);
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return make_bool(write_number<8>(args, argc, bits));
}

// The tenth byte may carry only bit 63: a continuation bit there, or higher bits
// that would not fit, mean a damaged or foreign encoding and answer nil.
Value read_varint(Value* args, int) {
    ObjHeader* s = open_stream_argument(args[0]);
    if (!s) return nil_value();
    uint64_t value = 0;
    for (int i = 0; i < kMaxVarintBytes; ++i) {
        uint8_t byte;
        if (stream_read_some(stream_fd(s), stream_kind(s), &byte, 1) != 1) return nil_value();
        if (i == kMaxVarintBytes - 1 && byte > 1) return nil_value();
        value |= uint64_t(byte & 0x7F) << (7 * i);
        if (!(byte & 0x80)) return make_int(int64_t(value));
    }
    return nil_value();
}

Value write_varint(Value* args, int) {
    ObjHeader* s = open_stream_argument(args[0]);
    if (!s || !is_integral(args[1])) return make_bool(false);
    uint64_t value = uint64_t(value_to_int(args[1]));
    uint8_t bytes[kMaxVarintBytes];
    int count = 0;
    do {
        uint8_t byte = value & 0x7F;
        value >>= 7;
        bytes[count++] = value ? byte | 0x80 : byte;
    } while (value);
    return make_bool(stream_write_all(stream_fd(s), stream_kind(s), bytes, size_t(count)));
}

constexpr Signature kReadInt{T_INT | T_NIL, {T_STREAM, T_ANY}};
constexpr Signature kReadFloat{T_FLOAT | T_NIL, {T_STREAM, T_ANY}};
constexpr Signature kWriteInt{T_BOOL, {T_STREAM, T_INT, T_ANY}};
constexpr Signature kWriteFloat{T_BOOL, {T_STREAM, T_NUMBER, T_ANY}};

constexpr BuiltinNative kBinaryNatives[] = {
    {"ReadU8", read_int<1, false>, &kReadInt},
    {"ReadU16", read_int<2, false>, &kReadInt},
    {"ReadU32", read_int<4, false>, &kReadInt},
    {"ReadU64", read_int<8, false>, &kReadInt},
    {"WriteU8", write_int<1>, &kWriteInt},
    {"WriteU16", write_int<2>, &kWriteInt},
    {"WriteU32", write_int<4>, &kWriteInt},
    {"WriteU64", write_int<8>, &kWriteInt},
    {"ReadI8", read_int<1, true>, &kReadInt},
    {"ReadI16", read_int<2, true>, &kReadInt},
    {"ReadI32", read_int<4, true>, &kReadInt},
    {"ReadI64", read_int<8, true>, &kReadInt},
    {"ReadF32", read_f32, &kReadFloat},
    {"ReadF64", read_f64, &kReadFloat},
    {"WriteF32", write_f32, &kWriteFloat},
    {"WriteF64", write_f64, &kWriteFloat},
    {"ReadVarint", read_varint, &kReadInt},
    {"WriteVarint", write_varint, &kWriteInt},
};

}  // namespace

void stream_register_binary_natives() { builtin_register_module("Stream", kBinaryNatives); }

}  // namespace tarvik
