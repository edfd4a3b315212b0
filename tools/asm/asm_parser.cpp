// tools/asm/asm_parser.cpp: the top level of a source (header, TOC, sections) and
// the lines of a chunk body.
#include "tools/asm/asm_parser.h"

#include <cstring>

#include "tools/common/tool_text.h"

namespace tarvik::tools {

namespace {
const std::string kEmpty;

bool is_identifier(const std::string& s) {
    if (s.empty() || !((s[0] >= 'a' && s[0] <= 'z') || (s[0] >= 'A' && s[0] <= 'Z') || s[0] == '_')) return false;
    for (char c : s) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '.')) {
            return false;
        }
    }
    return true;
}
}  // namespace

const std::string& first_word(const SourceLine& line) {
    if (line.tokens.empty() || line.tokens[0].kind != TokenKind::Word) return kEmpty;
    return line.tokens[0].text;
}

std::string to_lower(const std::string& s) {
    std::string out = s;
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return out;
}

bool Parser::fail(int line, const std::string& message) {
    if (error_.empty()) {
        error_line_ = line;
        error_ = message;
    }
    return false;
}

bool Parser::at_end_line(const SourceLine& line) const { return first_word(line) == ".end"; }

bool Parser::reject_labels(const SourceLine& line) {
    if (!line.labels.empty()) return fail(line, "label '" + line.labels[0] + "' is only allowed in code");
    return true;
}

bool Parser::parse_program(Program& program) {
    while (pos_ < lines_.size()) {
        const SourceLine& line = lines_[pos_];
        for (const std::string& label : line.labels) {
            if (!is_identifier(label)) return fail(line, "invalid label name '" + label + "'");
            TopItem item;
            item.kind = TopItem::Label;
            item.line = line.number;
            item.label = label;
            program.items.push_back(std::move(item));
        }
        if (line.tokens.empty()) {
            ++pos_;
            continue;
        }
        const std::string& word = first_word(line);
        TopItem item;
        item.line = line.number;
        if (word == ".header") {
            if (!expect_count(line, 1)) return false;
            item.kind = TopItem::Header;
            item.header = std::make_unique<HeaderDef>();
            if (!parse_header(line, *item.header)) return false;
        } else if (word == ".toc") {
            item.kind = TopItem::Toc;
            item.toc = std::make_unique<TocDef>();
            if (!parse_toc(line, *item.toc, 1)) return false;
        } else if (word == ".main" || word == ".region") {
            item.kind = word == ".main" ? TopItem::Main : TopItem::Region;
            item.section = std::make_unique<SectionDef>();
            if (item.kind == TopItem::Region) {
                if (line.tokens.size() != 2 || line.tokens[1].kind != TokenKind::Word ||
                    !is_identifier(line.tokens[1].text)) {
                    return fail(line, ".region needs a name");
                }
                item.section->name = line.tokens[1].text;
            } else if (!expect_count(line, 1)) {
                return false;
            }
            if (!parse_section(line, *item.section, 1)) return false;
        } else if (word == ".patch") {
            item.kind = TopItem::Patch;
            if (line.tokens.size() < 3) return fail(line, ".patch needs an offset and bytes");
            if (!parse_offset_expr(line, 1, item.patch_offset)) return false;
            if (!hex_words(line, 2, item.raw, ".patch")) return false;
            ++pos_;
        } else if (word == ".end") {
            return fail(line, ".end without an open block");
        } else {
            bool matched = false;
            item.kind = TopItem::Raw;
            if (!parse_raw_directive(line, item.raw, matched)) return false;
            if (!matched) {
                if (word.empty()) return fail(line, "unexpected literal at top level");
                return fail(line, "unexpected '" + word + "' at top level (expected .header, .toc, .region, .main, "
                                  ".patch, a label or raw bytes)");
            }
            ++pos_;
        }
        program.items.push_back(std::move(item));
    }
    return true;
}

bool Parser::parse_offset_expr(const SourceLine& line, size_t i, OffsetExpr& out) {
    out.line = line.number;
    if (i >= line.tokens.size() || line.tokens[i].kind != TokenKind::Word) {
        return fail(line, "expected an offset (a number or a label)");
    }
    const std::string& text = line.tokens[i].text;
    ParsedInt value;
    if (parse_int_text(text, value)) {
        if (value.negative) return fail(line, "offset must not be negative");
        out.number = value.magnitude;
        return true;
    }
    size_t split = text.find_first_of("+-");
    out.label = text.substr(0, split);
    if (!is_identifier(out.label)) return fail(line, "invalid offset '" + text + "'");
    if (split != std::string::npos) {
        if (!parse_int_text(text.substr(split + 1), value) || value.negative ||
            value.magnitude > 0x7FFFFFFFull) {
            return fail(line, "invalid displacement in '" + text + "'");
        }
        out.displacement = text[split] == '-' ? -int64_t(value.magnitude) : int64_t(value.magnitude);
    }
    return true;
}

// ---- Header ---------------------------------------------------------------------

bool Parser::parse_header(const SourceLine& open, HeaderDef& header) {
    header.line = open.number;
    ++pos_;
    bool have_cursor = false;
    uint32_t cursor = 0;
    for (;;) {
        if (pos_ >= lines_.size()) return fail(open, "missing .end for .header");
        const SourceLine& line = lines_[pos_];
        if (!reject_labels(line)) return false;
        if (at_end_line(line)) {
            if (!expect_count(line, 1)) return false;
            ++pos_;
            return true;
        }
        if (!parse_header_line(line, header, have_cursor, cursor)) return false;
        ++pos_;
    }
}

bool Parser::parse_header_line(const SourceLine& line, HeaderDef& h, bool& have_cursor, uint32_t& cursor) {
    const std::string& word = first_word(line);
    auto blob = [&](std::optional<Bytes>& field, size_t size, const char* what) {
        Bytes bytes;
        if (!hex_words(line, 1, bytes, what)) return false;
        if (bytes.size() != size) {
            return fail(line, std::string(what) + " needs " + std::to_string(size) + " bytes, got " +
                                  std::to_string(bytes.size()));
        }
        field = std::move(bytes);
        return true;
    };
    auto text = [&](std::optional<Bytes>& field, size_t max, const char* what) {
        if (line.tokens.size() != 2 || line.tokens[1].kind != TokenKind::String) {
            return fail(line, std::string(what) + " needs one string");
        }
        const std::string& s = line.tokens[1].text;
        if (s.size() > max) return fail(line, std::string(what) + " is longer than " + std::to_string(max) + " bytes");
        field = Bytes(s.begin(), s.end());
        return true;
    };
    auto version = [&](std::optional<uint32_t>& field) {
        uint32_t v = 0;
        if (!expect_count(line, 2)) return false;
        if (line.tokens[1].kind != TokenKind::Word || !parse_version_text(line.tokens[1].text, v)) {
            return fail(line, "invalid version (expected like 1.0.0.9)");
        }
        field = v;
        return true;
    };
    uint64_t n = 0;
    if (word == ".magic") {
        if (!text(h.magic, 4, ".magic")) return false;
        if (h.magic->size() != 4) return fail(line, ".magic needs exactly 4 bytes");
        return true;
    }
    if (word == ".package_version") return version(h.package_version);
    if (word == ".format_version") return version(h.format_version);
    if (word == ".producer") return text(h.producer, 32, ".producer");
    if (word == ".flags") {
        if (!expect_count(line, 2) || !number_at(line, 1, 4, n, ".flags")) return false;
        h.flags = uint32_t(n);
        return true;
    }
    if (word == ".producer_word") {
        if (!expect_count(line, 2) || !number_at(line, 1, 8, n, ".producer_word")) return false;
        h.producer_word = n;
        return true;
    }
    if (word.size() == 3 && word[0] == '.' && word[1] == 'r' && word[2] >= '0' && word[2] <= '5') {
        OffsetExpr expr;
        if (!expect_count(line, 2) || !parse_offset_expr(line, 1, expr)) return false;
        h.regions[word[2] - '0'] = expr;
        return true;
    }
    if (word == ".reserved80") return blob(h.reserved80, 2, ".reserved80");
    if (word == ".reserved83") return blob(h.reserved83, 1, ".reserved83");
    if (word == ".reserved180") return blob(h.reserved180, 12, ".reserved180");
    if (word == ".signer_key") return blob(h.signer_key, 32, ".signer_key");
    if (word == ".signature") return blob(h.signature, 64, ".signature");
    if (word == ".sign_key") return blob(h.sign_key, 64, ".sign_key");
    if (word == ".sig_alg") {
        if (!expect_count(line, 2) || !number_at(line, 1, 1, n, ".sig_alg")) return false;
        h.sig_alg = uint8_t(n);
        return true;
    }
    if (word == ".at") {
        if (!expect_count(line, 2) || !number_at(line, 1, 4, n, ".at")) return false;
        if (n >= 192) return fail(line, ".at must lie inside the 192-byte header");
        have_cursor = true;
        cursor = uint32_t(n);
        return true;
    }
    Bytes bytes;
    bool matched = false;
    if (!parse_raw_directive(line, bytes, matched)) return false;
    if (!matched) return fail(line, "unknown header field '" + (word.empty() ? std::string("literal") : word) + "'");
    if (!have_cursor) return fail(line, "raw bytes in .header need a preceding .at OFFSET");
    if (uint64_t(cursor) + bytes.size() > 192) return fail(line, "raw bytes run past the end of the header");
    h.overwrites.push_back({line.number, cursor, std::move(bytes)});
    cursor += uint32_t(h.overwrites.back().bytes.size());
    return true;
}

// ---- TOC ------------------------------------------------------------------------

bool Parser::parse_toc(const SourceLine& open, TocDef& toc, int depth) {
    toc.line = open.number;
    if (!parse_count_only(open, toc.count)) return false;
    ++pos_;
    for (;;) {
        if (pos_ >= lines_.size()) return fail(open, "missing .end for .toc");
        const SourceLine& line = lines_[pos_];
        if (!reject_labels(line)) return false;
        const std::string& word = first_word(line);
        if (word == ".end") {
            if (!expect_count(line, 1)) return false;
            ++pos_;
            return true;
        }
        if (word == ".dep") {
            if (toc.rest) return fail(line, "nothing but raw bytes may follow .rest");
            toc.deps.emplace_back();
            if (!parse_dep(line, toc.deps.back(), depth + 1)) return false;
        } else if (word == ".rest") {
            toc.rest.emplace();
            if (!parse_rest(line, *toc.rest)) return false;
        } else {
            return fail(line, "expected .dep, .rest or .end in .toc");
        }
    }
}

bool Parser::parse_dep(const SourceLine& open, DepDef& dep, int depth) {
    dep.line = open.number;
    if (open.tokens.size() != 2 || open.tokens[1].kind != TokenKind::String) {
        return fail(open, ".dep needs the dependency name as a string");
    }
    const std::string& name = open.tokens[1].text;
    if (name.size() > 64) return fail(open, "dependency name is longer than 64 bytes");
    dep.name.assign(name.begin(), name.end());
    ++pos_;
    for (;;) {
        if (pos_ >= lines_.size()) return fail(open, "missing .end for .dep");
        const SourceLine& line = lines_[pos_];
        if (!reject_labels(line)) return false;
        const std::string& word = first_word(line);
        uint64_t n = 0;
        if (word == ".end") {
            if (!expect_count(line, 1)) return false;
            ++pos_;
            return true;
        }
        if (word == ".version") {
            uint32_t v = 0;
            if (!expect_count(line, 2)) return false;
            if (line.tokens[1].kind != TokenKind::Word || !parse_version_text(line.tokens[1].text, v)) {
                return fail(line, "invalid version (expected like 1.0.0.9)");
            }
            dep.version = v;
        } else if (word == ".offset" || word == ".length") {
            OffsetExpr expr;
            if (!expect_count(line, 2) || !parse_offset_expr(line, 1, expr)) return false;
            (word == ".offset" ? dep.offset : dep.length) = expr;
        } else if (word == ".fingerprint" || word == ".signer" || word == ".reserved") {
            Bytes bytes;
            size_t want = word == ".reserved" ? 7 : 32;
            if (!hex_words(line, 1, bytes, word.c_str())) return false;
            if (bytes.size() != want) {
                return fail(line, word + " needs " + std::to_string(want) + " bytes, got " + std::to_string(bytes.size()));
            }
            (word == ".fingerprint" ? dep.fingerprint : word == ".signer" ? dep.signer : dep.reserved) = bytes;
        } else if (word == ".signed") {
            if (!expect_count(line, 2) || !number_at(line, 1, 1, n, ".signed")) return false;
            dep.signed_flag = uint8_t(n);
        } else if (word == ".region") {
            if (line.tokens.size() != 2 || line.tokens[1].kind != TokenKind::Word) {
                return fail(line, ".region in a .dep needs the name of a top-level .region");
            }
            dep.region = line.tokens[1].text;
            ++pos_;
            continue;
        } else if (word == ".body") {
            if (!expect_count(line, 1)) return false;
            if (dep.body) return fail(line, "a .dep has at most one .body");
            dep.body = std::make_unique<SectionDef>();
            if (!parse_section(line, *dep.body, depth + 1)) return false;
            continue;
        } else {
            return fail(line, "unknown .dep field '" + (word.empty() ? std::string("literal") : word) + "'");
        }
        ++pos_;
    }
}

// ---- Sections and chunks --------------------------------------------------------

bool Parser::parse_section(const SourceLine& open, SectionDef& section, int depth) {
    section.line = open.number;
    section.chunk.line = open.number;
    ++pos_;
    for (;;) {
        if (pos_ >= lines_.size()) return fail(open, "missing .end for " + first_word(open));
        const SourceLine& line = lines_[pos_];
        if (at_end_line(line)) {
            if (!line.labels.empty()) return fail(line, "put the label on its own line before .end");
            if (!expect_count(line, 1)) return false;
            ++pos_;
            return true;
        }
        if (first_word(line) == ".pool" && line.labels.empty()) {
            if (section.pool) return fail(line, "a section has at most one .pool");
            if (section.chunk.has_items || section.chunk.rest) return fail(line, ".pool must come before the chunk");
            section.pool = std::make_unique<PoolDef>();
            if (!parse_pool(line, *section.pool)) return false;
            continue;
        }
        bool handled = false;
        if (!parse_chunk_line(line, section.chunk, depth, handled)) return false;
        if (!handled) return fail(line, "unknown directive '" + first_word(line) + "' in a section");
    }
}

bool Parser::parse_chunk_line(const SourceLine& line, ChunkDef& chunk, int depth, bool& handled) {
    handled = true;
    if (chunk.rest) return fail(line, "nothing but raw bytes may follow .rest");
    for (const std::string& label : line.labels) {
        if (!is_identifier(label)) return fail(line, "invalid label name '" + label + "'");
        CodeItem item;
        item.kind = CodeItem::Label;
        item.line = line.number;
        item.label = label;
        chunk.code.push_back(std::move(item));
        chunk.has_items = true;
    }
    if (line.tokens.empty()) {
        ++pos_;
        return true;
    }
    const std::string& word = first_word(line);
    if (word.empty()) return fail(line, "a line cannot start with a literal here");
    uint64_t n = 0;
    if (word[0] != '.') {
        CodeItem item;
        if (!parse_instruction(*this, line, item)) return false;
        chunk.code.push_back(std::move(item));
        chunk.has_items = true;
        ++pos_;
        return true;
    }
    if (word == ".rest") {
        chunk.rest.emplace();
        return parse_rest(line, *chunk.rest);
    }
    if (!line.labels.empty()) return fail(line, "a label must stand alone or before an instruction");
    if (word == ".marker") {
        if (!expect_count(line, 2) || !number_at(line, 1, 1, n, ".marker")) return false;
        chunk.marker = uint8_t(n);
    } else if (word == ".version") {
        uint32_t v = 0;
        if (!expect_count(line, 2)) return false;
        if (line.tokens[1].kind != TokenKind::Word || !parse_version_text(line.tokens[1].text, v)) {
            return fail(line, "invalid version (expected like 1.0.0.9)");
        }
        chunk.version = v;
    } else if (word == ".const_count") {
        if (!expect_count(line, 2) || !number_at(line, 1, 2, n, ".const_count")) return false;
        chunk.const_count = uint16_t(n);
    } else if (word == ".code_size") {
        if (!expect_count(line, 2) || !number_at(line, 1, 4, n, ".code_size")) return false;
        chunk.code_size = uint32_t(n);
    } else if (word == ".chunk_flags") {
        if (!expect_count(line, 2) || !number_at(line, 1, 2, n, ".chunk_flags")) return false;
        chunk.chunk_flags = uint16_t(n);
    } else if (word == ".const") {
        ConstDef def;
        def.line = line.number;
        size_t i = 1;
        if (i < line.tokens.size() && line.tokens[i].kind == TokenKind::Word && !line.tokens[i].text.empty() &&
            line.tokens[i].text[0] == '$') {
            def.symbol = line.tokens[i].text.substr(1);
            if (!is_identifier(def.symbol)) return fail(line, "invalid symbol '" + line.tokens[i].text + "'");
            ++i;
        }
        chunk.has_items = true;
        if (!parse_value(line, i, def.value, depth + 1)) return false;
        chunk.consts.push_back(std::move(def));
        return true;
    } else if (word == ".debug") {
        if (chunk.debug) return fail(line, "a chunk has at most one .debug");
        chunk.debug = std::make_unique<DebugDef>();
        chunk.has_items = true;
        return parse_debug(line, *chunk.debug);
    } else if (word == ".jit") {
        if (chunk.jit) return fail(line, "a chunk has at most one .jit");
        chunk.jit = std::make_unique<JitDef>();
        chunk.has_items = true;
        return parse_jit(line, *chunk.jit);
    } else {
        CodeItem item;
        item.kind = CodeItem::Raw;
        item.line = line.number;
        bool matched = false;
        if (!parse_raw_directive(line, item.raw, matched)) return false;
        if (!matched) {
            handled = false;
            return true;
        }
        chunk.code.push_back(std::move(item));
    }
    chunk.has_items = true;
    ++pos_;
    return true;
}

bool Parser::parse_function_body(const SourceLine& open, FunctionDef& f, int depth) {
    if (depth > kMaxBlockDepth) return fail(open, "blocks nested too deeply");
    f.body.line = open.number;
    ++pos_;
    for (;;) {
        if (pos_ >= lines_.size()) return fail(open, "missing .end for function");
        const SourceLine& line = lines_[pos_];
        if (at_end_line(line)) {
            if (!line.labels.empty()) return fail(line, "put the label on its own line before .end");
            if (!expect_count(line, 1)) return false;
            ++pos_;
            return true;
        }
        const std::string& word = first_word(line);
        uint64_t n = 0;
        if (line.labels.empty() && (word == ".params" || word == ".locals")) {
            if (!expect_count(line, 2) || !number_at(line, 1, 1, n, word.c_str())) return false;
            (word == ".params" ? f.params : f.locals) = uint8_t(n);
        } else if (line.labels.empty() && (word == ".function_flags" || word == ".function_word")) {
            if (!expect_count(line, 2) || !number_at(line, 1, 4, n, word.c_str())) return false;
            (word == ".function_flags" ? f.function_flags : f.function_word) = uint32_t(n);
        } else if (line.labels.empty() && word == ".param_types") {
            if (line.tokens.size() > 17) return fail(line, ".param_types takes at most 16 type sets");
            for (size_t i = 1; i < line.tokens.size(); ++i) {
                uint32_t set = 0;
                if (line.tokens[i].kind != TokenKind::Word || !parse_type_set(line.tokens[i].text, set)) {
                    return fail(line, "invalid type set (expected names like int|float|optional, or a number)");
                }
                f.param_types[i - 1] = set;
            }
        } else if (line.labels.empty() && word == ".name") {
            if (f.name) return fail(line, "the function already has a name");
            if (!parse_value(line, 1, f.name, depth + 1)) return false;
            continue;
        } else {
            bool handled = false;
            if (!parse_chunk_line(line, f.body, depth, handled)) return false;
            if (!handled) return fail(line, "unknown directive '" + word + "' in a function");
            continue;
        }
        ++pos_;
    }
}

}  // namespace tarvik::tools
