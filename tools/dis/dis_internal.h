// tools/dis/dis_internal.h: the pieces of the disassembler. A bounds-checked cursor
// over the input, and the section writer that turns a pool and chunk tree into text,
// falling back to `.rest` and raw bytes wherever the bytes stop making sense.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/dis/disassembler.h"

namespace tarvik::tools {

// Reads little-endian fields from [pos, limit); every read checks the bound and
// leaves the position unchanged on failure.
struct Cursor {
    const uint8_t* data = nullptr;
    size_t pos = 0;
    size_t limit = 0;

    size_t left() const { return limit - pos; }
    bool read(unsigned width, uint64_t& out) {
        if (left() < width) return false;
        out = 0;
        for (unsigned i = 0; i < width; ++i) out |= uint64_t(data[pos + i]) << (8 * i);
        pos += width;
        return true;
    }
};

// Text helpers shared by the writers.
std::string indent_text(int level);
// `.bytes` lines (16 bytes each) for [begin, end).
void write_raw_lines(std::string& out, int level, const uint8_t* data, size_t begin, size_t end);

struct SectionText {
    std::string body;        // lines of the block, without its opener and .end
    size_t end = 0;          // offset just after the last byte the block stands for
    size_t chunk_start = 0;  // where the top-level chunk starts (or would start)
};

// Disassembles the main section at [begin, limit). With rest_to_limit the block
// always covers the whole range (a dependency region); otherwise it ends where the
// chunk ends, unless the bytes cannot be parsed, in which case `.rest` runs to limit.
SectionText disassemble_section(const uint8_t* data, size_t begin, size_t limit, bool rest_to_limit,
                                const DisOptions& options);

// Constant descriptions for code comments, indexed like the chunk's constants.
struct CodeContext {
    const std::vector<std::string>* constants = nullptr;
    bool comments = true;
};

// Writes the code of one chunk as instructions, labels and `.bytes`.
void write_code(std::string& out, int level, const uint8_t* code, uint32_t size, const CodeContext& context);

}  // namespace tarvik::tools
