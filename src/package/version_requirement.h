// package/version_requirement.h: version requirements such as "1.2", "=1.2.3",
// ">=1.0", "<2" and ">=1.0 <2.0", matched against packed versions
// (major<<24 | minor<<16 | patch<<8 | build).
#pragma once

#include <cstdint>

namespace tarvik {

enum VersionOp : uint8_t { VREQ_PREFIX = 0, VREQ_EQUAL = 1, VREQ_AT_LEAST = 2, VREQ_BELOW = 3, VREQ_RANGE = 4 };

struct VersionRequirement {
    uint8_t op;
    uint32_t a;
    uint32_t b;
    uint8_t parts;  // components written in a, 1..4
};

// False for an invalid text; characters after the last component are not examined.
bool parse_version_requirement(const char* text, VersionRequirement* out);
bool version_matches(const VersionRequirement& req, uint32_t version);

}  // namespace tarvik
