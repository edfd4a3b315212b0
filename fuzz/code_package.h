// fuzz/code_package.h: the package the code target wraps around its input. The first
// byte gives Main's local count, the rest is Main's code. Main's constants hold one of
// each value form, a plain and an async function, a class with a field and a method,
// and the names the top-level code binds them to (globals "C" and "F"), so that most
// operand values the validator accepts mean something at run time.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/value.h"

namespace code_package_detail {

using Bytes = std::vector<uint8_t>;

template <typename T>
void put(Bytes& b, T v) {
    uint8_t raw[sizeof(T)];
    std::memcpy(raw, &v, sizeof v);
    b.insert(b.end(), raw, raw + sizeof raw);
}
void tag(Bytes& b, uint32_t type) {
    put(b, type);
    put<uint8_t>(b, 0);
}
void text(Bytes& b, const std::string& s) {
    tag(b, tarvik::T_STRING);
    put<uint64_t>(b, 0);
    put(b, uint32_t(s.size()));
    b.insert(b.end(), s.begin(), s.end());
}
void integer(Bytes& b, int64_t n) {
    tag(b, tarvik::T_INT);
    put(b, n);
}
// A chunk: its constants (already encoded, `count` of them), then its code.
void chunk(Bytes& b, uint16_t count, const Bytes& constants, const uint8_t* code, size_t code_size) {
    put<uint8_t>(b, 0xA5);
    put<uint32_t>(b, 0x01000009);
    put(b, count);
    put(b, uint32_t(code_size));
    put<uint16_t>(b, 0);
    b.insert(b.end(), constants.begin(), constants.end());
    b.insert(b.end(), code, code + code_size);
}
void function(Bytes& b, const std::string& name, uint8_t params, uint8_t locals, uint32_t flags, const Bytes& code,
              uint16_t count = 0, const Bytes& constants = {}) {
    tag(b, tarvik::T_FUNCTION);
    put(b, params);
    put(b, locals);
    put(b, flags);
    put<uint32_t>(b, 0);
    for (int i = 0; i < 16; ++i) put<uint32_t>(b, 0);
    text(b, name);
    chunk(b, count, constants, code.data(), code.size());
}

constexpr uint8_t kGetLocal0 = 0x33, kPushOne = 0x05, kReturn = 0x60, kReturnNil = 0x62, kLoadConst = 0x01,
                  kDefineGlobal = 0x2E;

}  // namespace code_package_detail

inline std::vector<uint8_t> code_package(const uint8_t* data, size_t size) {
    using namespace code_package_detail;
    uint8_t locals = size ? data[0] % 129 : 0;
    const uint8_t* code = size ? data + 1 : data;
    size_t code_size = size ? size - 1 : 0;

    Bytes k;  // Main's constants
    integer(k, 7);
    integer(k, int64_t(1) << 60);
    tag(k, tarvik::T_FLOAT), put(k, 2.5);
    text(k, "text");
    text(k, "f");
    tag(k, tarvik::T_NIL);
    tag(k, tarvik::T_BOOL), put<uint8_t>(k, 1);
    tag(k, tarvik::T_CHAR), put<uint32_t>(k, 'A');
    tag(k, tarvik::T_ARRAY), put<uint32_t>(k, 2), put<uint8_t>(k, 0), integer(k, 1), text(k, "a");
    tag(k, tarvik::T_ARRAY), put<uint32_t>(k, 2), put<uint8_t>(k, 1), put(k, 1.0), put(k, 2.0);
    tag(k, tarvik::T_OBJECT), put<uint32_t>(k, 1), text(k, "f"), integer(k, 1);
    function(k, "F", 1, 2, 0, {kGetLocal0, kReturn});
    function(k, "A", 0, 0, 1, {kPushOne, kReturn});
    text(k, "C");
    text(k, "F");
    text(k, "M");
    const uint16_t main_constants = 16;

    Bytes top;  // the top-level chunk's constants: Main, class C, function F, names
    function(top, "Main", 0, locals, 0, Bytes(code, code + code_size), main_constants, k);
    tag(top, tarvik::T_CLASS), put<uint32_t>(top, 2), put<uint64_t>(top, 0), text(top, "C");
    put<uint8_t>(top, 0), text(top, "f"), integer(top, 0);
    put<uint8_t>(top, 1), text(top, "M"), function(top, "M", 1, 1, 2, {kPushOne, kReturn});
    text(top, "C");
    function(top, "F", 1, 2, 0, {kGetLocal0, kReturn});
    text(top, "F");
    const Bytes top_code = {kLoadConst, 1, 0, kDefineGlobal, 2, 0, kLoadConst, 3, 0, kDefineGlobal, 4, 0, kReturnNil};

    Bytes b(192, 0);
    std::memcpy(b.data(), "TRV2", 4);
    uint32_t format = 0x01000009;
    std::memcpy(b.data() + 8, &format, 4);
    put<uint16_t>(b, 0);  // empty string pool
    chunk(b, 5, top, top_code.data(), top_code.size());
    uint32_t regions[6] = {192};
    for (int i = 1; i < 6; ++i) regions[i] = uint32_t(b.size());
    std::memcpy(b.data() + 56, regions, sizeof regions);
    return b;
}
