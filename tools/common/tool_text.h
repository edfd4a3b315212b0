// tools/common/tool_text.h: the textual forms shared by the assembler and the
// disassembler: numbers, versions, quoted strings, hex blobs and type sets. Each
// parser returns false on text it does not accept and never throws.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvik::tools {

// An integer as written: decimal, 0x hex or 0b binary, optionally negative.
struct ParsedInt {
    uint64_t magnitude = 0;
    bool negative = false;
};
bool parse_int_text(const std::string& text, ParsedInt& out);

// Fits a parsed integer into `width` bytes (1, 2, 4 or 8): accepts both the signed
// range and the unsigned range of that width and returns the two's-complement bits.
bool int_fits(const ParsedInt& value, unsigned width, uint64_t& bits_out);

// A float: decimal or exponent form, inf, -inf or nan. False on anything else.
bool parse_float_text(const std::string& text, double& out);

// Narrows to a float; false for a finite value outside the float range.
bool double_to_float(double d, float& out);

// "%.17g" when it reads back to the same bits, else empty (the caller then writes
// the bits). Infinities print as inf / -inf.
std::string format_double_exact(uint64_t bits);
std::string format_float_exact(uint32_t bits);

// A packed version "1.0.0.9" (each part 0..255) or a plain u32 number.
bool parse_version_text(const std::string& text, uint32_t& out);
std::string format_version(uint32_t packed);

// Hex blob: digits of either case, whole bytes; appends to out.
bool parse_hex_text(const std::string& text, std::vector<uint8_t>& out);
std::string format_hex(const uint8_t* bytes, size_t n);

// A double-quoted literal of the bytes, with \n \r \t \0 \\ \" and \xHH escapes;
// every byte outside printable ASCII is escaped, so the text is plain ASCII.
std::string quote_bytes(const uint8_t* bytes, size_t n);
inline std::string quote_bytes(const std::string& s) {
    return quote_bytes(reinterpret_cast<const uint8_t*>(s.data()), s.size());
}

// Type-set text: names joined by '|' ("int|float|optional"), "any" or a number.
bool parse_type_set(const std::string& text, uint32_t& out);
// Names when every set bit has one, else "0x%X".
std::string format_type_set(uint32_t set);

// Lower-case hex of a number with 0x prefix.
std::string format_hex_number(uint64_t v);

}  // namespace tarvik::tools
