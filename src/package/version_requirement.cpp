// package/version_requirement.cpp: the requirement grammar and matching.
#include "package/version_requirement.h"

namespace tarvik {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// One to four dot-separated components of 0..255, each starting with a digit.
bool parse_version(const char*& p, uint32_t* packed, uint8_t* parts) {
    uint32_t value = 0;
    int count = 0;
    for (;;) {
        if (!is_digit(*p)) return false;
        uint32_t component = 0;
        while (is_digit(*p)) {
            component = component * 10 + uint32_t(*p - '0');
            if (component > 255) return false;
            ++p;
        }
        value |= component << (24 - 8 * count);
        ++count;
        if (count == 4 || *p != '.') break;
        ++p;
    }
    *packed = value;
    *parts = uint8_t(count);
    return true;
}

}  // namespace

bool parse_version_requirement(const char* text, VersionRequirement* out) {
    if (!text) return false;
    const char* p = text;
    while (is_space(*p)) ++p;
    VersionRequirement req{};
    if (p[0] == '>' && p[1] == '=') {
        p += 2;
        req.op = VREQ_AT_LEAST;
    } else if (p[0] == '<') {
        p += 1;
        req.op = VREQ_BELOW;
    } else if (p[0] == '=') {
        p += 1;
        req.op = VREQ_EQUAL;
    } else {
        req.op = VREQ_PREFIX;
    }
    if (!parse_version(p, &req.a, &req.parts)) return false;
    if (req.op == VREQ_AT_LEAST) {
        const char* q = p;
        while (is_space(*q)) ++q;
        if (q != p && *q == '<') {
            ++q;
            uint8_t upper_parts;
            if (!parse_version(q, &req.b, &upper_parts)) return false;
            req.op = VREQ_RANGE;
        }
    }
    *out = req;
    return true;
}

bool version_matches(const VersionRequirement& req, uint32_t version) {
    switch (req.op) {
    case VREQ_PREFIX:
    case VREQ_EQUAL: {
        static constexpr uint32_t kMasks[5] = {0, 0xFF000000, 0xFFFF0000, 0xFFFFFF00, 0xFFFFFFFF};
        uint32_t mask = kMasks[req.parts <= 4 ? req.parts : 4];
        return (version & mask) == (req.a & mask);
    }
    case VREQ_AT_LEAST: return version >= req.a;
    case VREQ_BELOW: return version < req.a;
    case VREQ_RANGE: return version >= req.a && version < req.b;
    default: return false;
    }
}

}  // namespace tarvik
