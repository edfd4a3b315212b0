// tests/unit/tools/tools_test_support.h: helpers for the assembler and disassembler
// tests: assemble a source, read little-endian fields, build hex expectations.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/asm/assembler.h"
#include "tools/common/byte_writer.h"
#include "tools/common/tool_text.h"

namespace tarvik::tools::test {

using Bytes = std::vector<uint8_t>;

// Assembles `source`; on failure the message (with its line) is in `error`.
inline bool assemble(const std::string& source, Bytes& out, std::string* error = nullptr) {
    AsmOptions options;
    AsmError e;
    bool ok = assemble_text(source, options, out, e);
    if (!ok && error) *error = format_asm_error("t.asm", e);
    return ok;
}

// Assembles a source that must be valid; fails the test otherwise.
inline Bytes must_assemble(const std::string& source) {
    Bytes out;
    std::string error;
    EXPECT_TRUE(assemble(source, out, &error)) << error;
    return out;
}

// The error text ("t.asm:LINE: message") of a source that must fail.
inline std::string assemble_error(const std::string& source) {
    Bytes out;
    std::string error;
    EXPECT_FALSE(assemble(source, out, &error)) << "assembled although it should fail";
    return error;
}

inline Bytes hex(const std::string& text) {
    Bytes out;
    std::string digits;
    for (char c : text) {
        if (c != ' ' && c != '\n') digits += c;
    }
    EXPECT_TRUE(parse_hex_text(digits, out)) << text;
    return out;
}

inline uint64_t le(const Bytes& b, size_t at, unsigned width) {
    EXPECT_LE(at + width, b.size());
    if (at + width > b.size()) return 0;
    return load_le(b.data() + at, width);
}

inline Bytes slice(const Bytes& b, size_t at, size_t n) {
    if (at > b.size()) return {};
    n = std::min(n, b.size() - at);
    return Bytes(b.begin() + long(at), b.begin() + long(at + n));
}

// Offset of the top-level chunk of a one-section package without a pool: the
// header, then the u16 pool count.
constexpr size_t kChunkAt = 194;
// Bytes of a chunk header: marker, version, const_count, code_size, flags.
constexpr size_t kChunkHeader = 13;

}  // namespace tarvik::tools::test
