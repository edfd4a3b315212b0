// tools/asm/asm_parser.h: turns the token lines of a source into a Program. Each
// parse routine starts at the line that opens its item and leaves the cursor on the
// line after it (after the `.end` of a block). The first error stops the parse.
#pragma once

#include <string>
#include <vector>

#include "tools/asm/asm_ast.h"
#include "tools/asm/asm_lexer.h"

namespace tarvik::tools {

class Parser {
public:
    explicit Parser(const std::vector<SourceLine>& lines) : lines_(lines) {}

    bool parse_program(Program& program);
    int error_line() const { return error_line_; }
    const std::string& error() const { return error_; }

    // Exposed for the code parser (asm_code.cpp).
    bool fail(int line, const std::string& message);
    bool fail(const SourceLine& line, const std::string& message) { return fail(line.number, message); }

private:
    // Top level, header, TOC (asm_parser.cpp).
    bool parse_header(const SourceLine& open, HeaderDef& header);
    bool parse_header_line(const SourceLine& line, HeaderDef& header, bool& have_cursor, uint32_t& cursor);
    bool parse_toc(const SourceLine& open, TocDef& toc, int depth);
    bool parse_dep(const SourceLine& open, DepDef& dep, int depth);
    bool parse_section(const SourceLine& open, SectionDef& section, int depth);
    bool parse_offset_expr(const SourceLine& line, size_t i, OffsetExpr& out);

    // Chunks (asm_parser.cpp).
    bool parse_chunk_line(const SourceLine& line, ChunkDef& chunk, int depth, bool& handled);
    bool parse_function_body(const SourceLine& open, FunctionDef& function, int depth);

    // Values, pool, debug, JIT (asm_parse_values.cpp).
    bool parse_value(const SourceLine& line, size_t i, ValuePtr& out, int depth);
    bool parse_value_list(const SourceLine& open, std::vector<ValuePtr>& out, std::optional<RestDef>& rest,
                          int depth);
    bool parse_flat_list(const SourceLine& open, std::vector<uint64_t>& out, std::optional<RestDef>& rest);
    bool parse_class_body(const SourceLine& open, ClassDef& klass, int depth);
    bool parse_pool(const SourceLine& open, PoolDef& pool);
    bool parse_debug(const SourceLine& open, DebugDef& debug);
    bool parse_jit(const SourceLine& open, JitDef& jit);
    bool parse_rest(const SourceLine& open, RestDef& rest);

public:
    // Shared helpers (asm_parse_values.cpp).
    bool parse_raw_directive(const SourceLine& line, Bytes& out, bool& matched);
    bool number_at(const SourceLine& line, size_t i, unsigned width, uint64_t& out, const char* what);
    bool expect_count(const SourceLine& line, size_t count);
    bool hex_words(const SourceLine& line, size_t first, Bytes& out, const char* what);
    // An opener whose only attribute is count=N of `width` bytes (.pool, .debug, .toc);
    // *out is set when the count is given.
    template <typename T>
    bool parse_count_only(const SourceLine& open, std::optional<T>& out) {
        uint64_t bits = 0;
        if (!count_attribute(open, sizeof(T), bits)) return false;
        if (open.tokens.size() > 1) out = T(bits);
        return true;
    }
    bool count_attribute(const SourceLine& open, unsigned width, uint64_t& bits);

private:
    // Instructions (asm_code.cpp).
    friend bool parse_instruction(Parser& parser, const SourceLine& line, CodeItem& out);

    bool at_end_line(const SourceLine& line) const;
    bool reject_labels(const SourceLine& line);

    const std::vector<SourceLine>& lines_;
    size_t pos_ = 0;
    uint64_t raw_total_ = 0;  // bytes of .zero and .fill so far
    int error_line_ = 0;
    std::string error_;
};

// Parses an instruction line (mnemonic and operands) into a code item.
bool parse_instruction(Parser& parser, const SourceLine& line, CodeItem& out);

// The first word of a line, or "" when it starts with a literal.
const std::string& first_word(const SourceLine& line);

// Lower-case copy.
std::string to_lower(const std::string& s);

constexpr int kMaxBlockDepth = 400;
constexpr uint64_t kMaxRawBytes = 0x80000000ull;

}  // namespace tarvik::tools
