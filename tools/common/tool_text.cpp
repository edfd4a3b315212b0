// tools/common/tool_text.cpp: numbers, versions, literals and type sets as text.
#include "tools/common/tool_text.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/common/byte_writer.h"

namespace tarvik::tools {

bool parse_int_text(const std::string& text, ParsedInt& out) {
    size_t i = 0;
    out = ParsedInt{};
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        out.negative = text[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'b' || text[i + 1] == 'B')) {
        base = 2;
        i += 2;
    }
    if (i >= text.size()) return false;
    uint64_t v = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        unsigned d;
        if (c >= '0' && c <= '9') d = unsigned(c - '0');
        else if (c >= 'a' && c <= 'f') d = unsigned(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F') d = unsigned(c - 'A' + 10);
        else if (c == '_') continue;  // digit grouping
        else return false;
        if (d >= base) return false;
        if (v > (UINT64_MAX - d) / base) return false;
        v = v * base + d;
    }
    out.magnitude = v;
    if (out.negative && v == 0) out.negative = false;
    return true;
}

bool int_fits(const ParsedInt& value, unsigned width, uint64_t& bits_out) {
    if (width >= 8) {
        if (value.negative) {
            if (value.magnitude > (uint64_t(1) << 63)) return false;
            bits_out = uint64_t(0) - value.magnitude;
        } else {
            bits_out = value.magnitude;
        }
        return true;
    }
    uint64_t unsigned_max = (uint64_t(1) << (8 * width)) - 1;
    uint64_t negative_max = uint64_t(1) << (8 * width - 1);
    if (value.negative) {
        if (value.magnitude > negative_max) return false;
        bits_out = (uint64_t(0) - value.magnitude) & unsigned_max;
    } else {
        if (value.magnitude > unsigned_max) return false;
        bits_out = value.magnitude;
    }
    return true;
}

bool parse_float_text(const std::string& text, double& out) {
    if (text == "inf" || text == "+inf") { out = HUGE_VAL; return true; }
    if (text == "-inf") { out = -HUGE_VAL; return true; }
    if (text == "nan") { out = std::nan(""); return true; }
    if (text.empty()) return false;
    // strtod also takes hex floats and "infinity"; only plain decimal forms are ours.
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '-' || c == '+')) return false;
    }
    errno = 0;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && end != text.c_str();
}

bool double_to_float(double d, float& out) {
    if (std::isfinite(d) && std::fabs(d) > double(FLT_MAX)) return false;
    out = static_cast<float>(d);
    return true;
}

std::string format_double_exact(uint64_t bits) {
    double d = bits_double(bits);
    if (std::isnan(d)) return "";
    if (std::isinf(d)) return d > 0 ? "inf" : "-inf";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", d);
    double back = 0;
    if (!parse_float_text(buf, back) || double_bits(back) != bits) return "";
    return buf;
}

std::string format_float_exact(uint32_t bits) {
    float f = bits_float(bits);
    if (std::isnan(f)) return "";
    if (std::isinf(f)) return f > 0 ? "inf" : "-inf";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.9g", double(f));
    double back = 0;
    if (!parse_float_text(buf, back) || float_bits(float(back)) != bits) return "";
    return buf;
}

bool parse_version_text(const std::string& text, uint32_t& out) {
    if (text.find('.') == std::string::npos) {
        ParsedInt v;
        uint64_t bits = 0;
        if (!parse_int_text(text, v) || v.negative || !int_fits(v, 4, bits)) return false;
        out = uint32_t(bits);
        return true;
    }
    uint32_t parts[4];
    size_t start = 0;
    for (int p = 0; p < 4; ++p) {
        size_t dot = text.find('.', start);
        if ((p < 3) != (dot != std::string::npos)) return false;
        std::string piece = text.substr(start, p < 3 ? dot - start : std::string::npos);
        if (piece.empty() || piece.size() > 3) return false;
        for (char c : piece) if (c < '0' || c > '9') return false;
        parts[p] = uint32_t(std::atoi(piece.c_str()));
        if (parts[p] > 255) return false;
        start = dot + 1;
    }
    out = parts[0] << 24 | parts[1] << 16 | parts[2] << 8 | parts[3];
    return true;
}

std::string format_version(uint32_t v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%u.%u.%u.%u", v >> 24, (v >> 16) & 255, (v >> 8) & 255, v & 255);
    return buf;
}

bool parse_hex_text(const std::string& text, std::vector<uint8_t>& out) {
    if (text.size() % 2 != 0 || text.empty()) return false;
    for (size_t i = 0; i < text.size(); i += 2) {
        int hi = 0, lo = 0;
        for (int k = 0; k < 2; ++k) {
            char c = text[i + size_t(k)];
            int d;
            if (c >= '0' && c <= '9') d = c - '0';
            else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
            else return false;
            (k == 0 ? hi : lo) = d;
        }
        out.push_back(uint8_t(hi << 4 | lo));
    }
    return true;
}

std::string format_hex(const uint8_t* bytes, size_t n) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    s.reserve(n * 2);
    for (size_t i = 0; i < n; ++i) {
        s += digits[bytes[i] >> 4];
        s += digits[bytes[i] & 15];
    }
    return s;
}

std::string quote_bytes(const uint8_t* bytes, size_t n) {
    static const char digits[] = "0123456789abcdef";
    std::string s = "\"";
    for (size_t i = 0; i < n; ++i) {
        uint8_t c = bytes[i];
        switch (c) {
        case '\n': s += "\\n"; break;
        case '\r': s += "\\r"; break;
        case '\t': s += "\\t"; break;
        case '\0': s += "\\0"; break;
        case '\\': s += "\\\\"; break;
        case '"': s += "\\\""; break;
        default:
            if (c >= 0x20 && c < 0x7F) {
                s += char(c);
            } else {
                s += "\\x";
                s += digits[c >> 4];
                s += digits[c & 15];
            }
        }
    }
    s += '"';
    return s;
}

namespace {
struct TypeName {
    const char* name;
    uint32_t bit;
};
// The value tags of the format; "optional" is the parameter flag.
constexpr TypeName kTypeNames[] = {
    {"nil", 0x1}, {"char", 0x2}, {"float", 0x4}, {"int", 0x8}, {"string", 0x10},
    {"object", 0x20}, {"array", 0x40}, {"bool", 0x80}, {"block", 0x100},
    {"function", 0x10000}, {"builtin", 0x20000}, {"module", 0x40000},
    {"exception", 0x80000}, {"bound_method", 0x100000}, {"pointer", 0x200000},
    {"fiber", 0x400000}, {"ffi", 0x800000}, {"class", 0x1000000},
    {"instance", 0x2000000}, {"stream", 0x4000000}, {"optional", 0x10000000},
};

bool equal_ignoring_case(const std::string& a, const char* b) {
    size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        if (c != b[i]) return false;
    }
    return true;
}
}  // namespace

bool parse_type_set(const std::string& text, uint32_t& out) {
    ParsedInt number;
    uint64_t bits = 0;
    if (parse_int_text(text, number)) {
        if (!int_fits(number, 4, bits)) return false;
        out = uint32_t(bits);
        return true;
    }
    uint32_t set = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t bar = text.find('|', start);
        std::string name = text.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
        bool found = equal_ignoring_case(name, "any");
        for (const TypeName& t : kTypeNames) {
            if (equal_ignoring_case(name, t.name)) {
                set |= t.bit;
                found = true;
            }
        }
        if (!found) return false;
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    out = set;
    return true;
}

std::string format_type_set(uint32_t set) {
    if (set == 0) return "any";
    std::string s;
    uint32_t left = set;
    for (const TypeName& t : kTypeNames) {
        if (set & t.bit) {
            if (!s.empty()) s += '|';
            s += t.name;
            left &= ~t.bit;
        }
    }
    if (left != 0) return format_hex_number(set);
    return s;
}

std::string format_hex_number(uint64_t v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%llx", static_cast<unsigned long long>(v));
    return buf;
}

}  // namespace tarvik::tools
