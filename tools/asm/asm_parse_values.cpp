// tools/asm/asm_parse_values.cpp: encoded values, the string pool, debug and JIT
// blocks, `.rest` and the raw byte directives.
#include <cstring>

#include "runtime/string.h"
#include "tools/asm/asm_parser.h"
#include "tools/common/byte_writer.h"
#include "tools/common/tool_names.h"
#include "tools/common/tool_text.h"

namespace tarvik::tools {

namespace {
struct RawForm {
    const char* name;
    unsigned width;  // 0: special form
    bool is_float;
};
constexpr RawForm kRawForms[] = {
    {".u8", 1, false}, {".u16", 2, false}, {".u32", 4, false}, {".u64", 8, false},
    {".i8", 1, false}, {".i16", 2, false}, {".i32", 4, false}, {".i64", 8, false},
    {".f32", 4, true}, {".f64", 8, true},
};

std::string token_description(const Token& t) {
    switch (t.kind) {
    case TokenKind::String: return "a string";
    case TokenKind::Char: return "a character";
    case TokenKind::Attr: return "'" + t.text + "='";
    default: return "'" + t.text + "'";
    }
}
}  // namespace

bool Parser::expect_count(const SourceLine& line, size_t count) {
    if (line.tokens.size() < count) return fail(line, first_word(line) + ": missing operand");
    if (line.tokens.size() > count) {
        return fail(line, "unexpected " + token_description(line.tokens[count]) + " after " + first_word(line));
    }
    return true;
}

bool Parser::number_at(const SourceLine& line, size_t i, unsigned width, uint64_t& out, const char* what) {
    if (i >= line.tokens.size()) return fail(line, std::string(what) + ": missing number");
    const Token& t = line.tokens[i];
    if (t.kind == TokenKind::Char && width >= 4) {
        out = t.code;
        return true;
    }
    ParsedInt v;
    if (t.kind != TokenKind::Word || !parse_int_text(t.text, v)) {
        return fail(line, std::string(what) + ": expected a number, got " + token_description(t));
    }
    if (!int_fits(v, width, out)) {
        return fail(line, std::string(what) + ": " + t.text + " does not fit in " + std::to_string(width * 8) + " bits");
    }
    return true;
}

bool Parser::hex_words(const SourceLine& line, size_t first, Bytes& out, const char* what) {
    if (first >= line.tokens.size()) return fail(line, std::string(what) + ": missing bytes");
    for (size_t i = first; i < line.tokens.size(); ++i) {
        const Token& t = line.tokens[i];
        if (t.kind != TokenKind::Word || !parse_hex_text(t.text, out)) {
            return fail(line, std::string(what) + ": expected hexadecimal bytes, got " + token_description(t));
        }
    }
    return true;
}

bool Parser::parse_raw_directive(const SourceLine& line, Bytes& out, bool& matched) {
    const std::string& word = first_word(line);
    matched = true;
    if (word == ".bytes") return hex_words(line, 1, out, ".bytes");
    if (word == ".ascii") {
        if (line.tokens.size() != 2 || line.tokens[1].kind != TokenKind::String) {
            return fail(line, ".ascii needs one string");
        }
        put_bytes(out, line.tokens[1].text.data(), line.tokens[1].text.size());
        return true;
    }
    if (word == ".zero" || word == ".fill") {
        uint64_t n = 0, byte = 0;
        if (!expect_count(line, word == ".zero" ? 2 : 3) || !number_at(line, 1, 4, n, word.c_str())) return false;
        if (word == ".fill" && !number_at(line, 2, 1, byte, ".fill")) return false;
        // A package is at most 2 GiB; refusing early keeps a typo from exhausting memory.
        raw_total_ += n;
        if (raw_total_ > kMaxRawBytes) return fail(line, "the source asks for more than 2 GiB of bytes");
        out.insert(out.end(), size_t(n), uint8_t(byte));
        return true;
    }
    for (const RawForm& form : kRawForms) {
        if (word != form.name) continue;
        if (line.tokens.size() < 2) return fail(line, word + ": missing value");
        for (size_t i = 1; i < line.tokens.size(); ++i) {
            const Token& t = line.tokens[i];
            if (form.is_float) {
                double d = 0;
                if (t.kind == TokenKind::Attr && t.text == "bits") {
                    ParsedInt v;
                    uint64_t bits = 0;
                    if (!parse_int_text(t.value_text, v) || !int_fits(v, form.width, bits)) {
                        return fail(line, word + ": invalid bits=");
                    }
                    put_le(out, bits, form.width);
                    continue;
                }
                if (t.kind != TokenKind::Word || !parse_float_text(t.text, d)) {
                    return fail(line, word + ": expected a float, got " + token_description(t));
                }
                float narrowed = 0;
                if (form.width == 8) {
                    put_u64(out, double_bits(d));
                } else if (double_to_float(d, narrowed)) {
                    put_u32(out, float_bits(narrowed));
                } else {
                    return fail(line, word + ": " + t.text + " is out of float range");
                }
            } else {
                uint64_t bits = 0;
                if (!number_at(line, i, form.width, bits, word.c_str())) return false;
                put_le(out, bits, form.width);
            }
        }
        return true;
    }
    matched = false;
    return true;
}

bool Parser::parse_rest(const SourceLine& open, RestDef& rest) {
    rest.line = open.number;
    if (!open.labels.empty()) return fail(open, "a label cannot stand before .rest");
    if (open.tokens.size() > 1 && !hex_words(open, 1, rest.bytes, ".rest")) return false;
    ++pos_;
    for (;;) {
        if (pos_ >= lines_.size()) return fail(open, "missing .end after .rest");
        const SourceLine& line = lines_[pos_];
        if (at_end_line(line)) return true;  // the enclosing block consumes its .end
        if (!reject_labels(line)) return false;
        bool matched = false;
        if (!parse_raw_directive(line, rest.bytes, matched)) return false;
        if (!matched) return fail(line, "nothing but raw bytes may follow .rest");
        ++pos_;
    }
}

// ---- Values ---------------------------------------------------------------------

bool Parser::parse_value(const SourceLine& line, size_t i, ValuePtr& out, int depth) {
    if (depth > kMaxBlockDepth) return fail(line, "blocks nested too deeply");
    if (i >= line.tokens.size()) return fail(line, "missing value");
    const Token& head = line.tokens[i];
    if (head.kind != TokenKind::Word) return fail(line, "expected a value type (int, string, ...), got " + token_description(head));
    std::string kw = to_lower(head.text);
    out = std::make_unique<Value>();
    Value& v = *out;
    v.line = line.number;
    std::vector<const Token*> args;
    std::vector<const Token*> attrs;
    for (size_t k = i + 1; k < line.tokens.size(); ++k) {
        (line.tokens[k].kind == TokenKind::Attr ? attrs : args).push_back(&line.tokens[k]);
    }
    auto want_args = [&](size_t lo, size_t hi) {
        if (args.size() < lo) return fail(line, kw + ": missing operand");
        if (args.size() > hi) return fail(line, kw + ": unexpected " + token_description(*args[hi]));
        return true;
    };
    auto attr_number = [&](const Token& t, unsigned width, uint64_t& n) {
        ParsedInt p;
        if (t.value_kind != TokenKind::Word || !parse_int_text(t.value_text, p) || !int_fits(p, width, n)) {
            return fail(line, t.text + "= needs a number that fits " + std::to_string(width * 8) + " bits");
        }
        return true;
    };
    // Attributes each kind accepts besides flags=.
    auto take_attrs = [&](std::initializer_list<const char*> allowed, auto&& on_attr) {
        for (const Token* t : attrs) {
            uint64_t n = 0;
            if (t->text == "flags" && kw != "pool") {
                if (!attr_number(*t, 1, n)) return false;
                v.flags = uint8_t(n);
                continue;
            }
            bool ok = false;
            for (const char* a : allowed) ok = ok || t->text == a;
            if (!ok) return fail(line, "unknown attribute '" + t->text + "=' for " + kw);
            if (!on_attr(*t)) return false;
        }
        return true;
    };
    auto no_attrs = [&](const Token&) { return true; };
    uint64_t n = 0;

    if (kw == "nil") {
        v.kind = ValueKind::Nil;
        if (!want_args(0, 0) || !take_attrs({}, no_attrs)) return false;
    } else if (kw == "char") {
        v.kind = ValueKind::Char;
        if (!want_args(1, 1) || !take_attrs({}, no_attrs)) return false;
        if (args[0]->kind == TokenKind::Char) {
            v.bits = args[0]->code;
        } else if (!number_at(line, size_t(args[0] - line.tokens.data()), 4, v.bits, "char")) {
            return false;
        }
    } else if (kw == "float") {
        v.kind = ValueKind::Float;
        bool have_bits = false;
        if (!take_attrs({"bits"}, [&](const Token& t) {
                have_bits = true;
                return attr_number(t, 8, v.bits);
            })) {
            return false;
        }
        if (!want_args(have_bits ? 0 : 1, have_bits ? 0 : 1)) return false;
        if (!have_bits) {
            double d = 0;
            if (args[0]->kind != TokenKind::Word || !parse_float_text(args[0]->text, d)) {
                return fail(line, "float: expected a number, inf, -inf, nan or bits=0x...");
            }
            v.bits = double_bits(d);
        }
    } else if (kw == "int") {
        v.kind = ValueKind::Int;
        if (!want_args(1, 1) || !take_attrs({}, no_attrs)) return false;
        if (!number_at(line, size_t(args[0] - line.tokens.data()), 8, v.bits, "int")) return false;
    } else if (kw == "string") {
        v.kind = ValueKind::String;
        if (!want_args(1, 1)) return false;
        if (args[0]->kind != TokenKind::String) return fail(line, "string: expected a quoted string");
        v.text = args[0]->text;
        if (!take_attrs({"hash", "length"}, [&](const Token& t) {
                if (!attr_number(t, t.text == "hash" ? 8 : 4, n)) return false;
                if (t.text == "hash") v.hash = n;
                else v.length = uint32_t(n);
                return true;
            })) {
            return false;
        }
    } else if (kw == "bool") {
        v.kind = ValueKind::Bool;
        if (!want_args(1, 1) || !take_attrs({}, no_attrs)) return false;
        if (args[0]->kind == TokenKind::Word && to_lower(args[0]->text) == "true") v.bits = 1;
        else if (args[0]->kind == TokenKind::Word && to_lower(args[0]->text) == "false") v.bits = 0;
        else if (!number_at(line, size_t(args[0] - line.tokens.data()), 1, v.bits, "bool")) return false;
    } else if (uint32_t bare = bare_tag_from_name(kw)) {
        v.kind = ValueKind::Bare;
        v.tag = bare;
        if (!want_args(0, 0) || !take_attrs({}, no_attrs)) return false;
    } else if (kw == "pool") {
        v.kind = ValueKind::Pool;
        if (!want_args(1, 1) || !take_attrs({}, no_attrs)) return false;
        if (args[0]->kind == TokenKind::String) {
            v.by_text = true;
            v.text = args[0]->text;
        } else {
            if (!number_at(line, size_t(args[0] - line.tokens.data()), 2, n, "pool")) return false;
            v.pool_index = uint16_t(n);
        }
    } else if (kw == "tag") {
        v.kind = ValueKind::Tag;
        if (!want_args(1, 1) || !take_attrs({}, no_attrs)) return false;
        if (!number_at(line, size_t(args[0] - line.tokens.data()), 4, n, "tag")) return false;
        v.tag = uint32_t(n);
    } else if (kw == "raw") {
        v.kind = ValueKind::Raw;
        if (!attrs.empty()) return fail(line, "raw takes only hexadecimal bytes");
        if (!hex_words(line, i + 1, v.raw, "raw")) return false;
    } else if (kw == "array" || kw == "object") {
        v.kind = kw == "array" ? ValueKind::Array : ValueKind::Object;
        if (kw == "array" && args.size() == 1 && args[0]->kind == TokenKind::Word && to_lower(args[0]->text) == "flat") {
            v.flat = true;
            v.flat_byte = 1;
            args.clear();
        }
        if (!want_args(0, 0)) return false;
        if (!take_attrs(kw == "array" ? std::initializer_list<const char*>{"count", "flat"}
                                      : std::initializer_list<const char*>{"count"},
                        [&](const Token& t) {
                            if (!attr_number(t, t.text == "count" ? 4 : 1, n)) return false;
                            if (t.text == "count") {
                                v.count = uint32_t(n);
                            } else {
                                if (n == 0) return fail(line, "flat= must be nonzero (leave it out for a plain array)");
                                v.flat = true;
                                v.flat_byte = uint8_t(n);
                            }
                            return true;
                        })) {
            return false;
        }
        if (v.flat) return parse_flat_list(line, v.flat_bits, v.rest);
        return parse_value_list(line, v.elements, v.rest, depth + 1);
    } else if (kw == "function") {
        v.kind = ValueKind::Function;
        v.function = std::make_unique<FunctionDef>();
        FunctionDef& f = *v.function;
        if (!want_args(0, 1)) return false;
        if (args.size() == 1) {
            if (args[0]->kind != TokenKind::String) return fail(line, "function: the name must be a quoted string");
            f.name = std::make_unique<Value>();
            f.name->line = line.number;
            f.name->kind = ValueKind::String;
            f.name->text = args[0]->text;
        }
        if (!take_attrs({"params", "locals"}, [&](const Token& t) {
                if (!attr_number(t, 1, n)) return false;
                (t.text == "params" ? f.params : f.locals) = uint8_t(n);
                return true;
            })) {
            return false;
        }
        return parse_function_body(line, f, depth + 1);
    } else if (kw == "class") {
        v.kind = ValueKind::Class;
        v.klass = std::make_unique<ClassDef>();
        ClassDef& c = *v.klass;
        if (!want_args(0, 1)) return false;
        if (args.size() == 1) {
            if (args[0]->kind != TokenKind::String) return fail(line, "class: the name must be a quoted string");
            c.name = std::make_unique<Value>();
            c.name->line = line.number;
            c.name->kind = ValueKind::String;
            c.name->text = args[0]->text;
        }
        if (!take_attrs({"base", "count"}, [&](const Token& t) {
                if (t.text == "base" && t.value_kind == TokenKind::String) {
                    c.base = hash_bytes(t.value_text.data(), t.value_text.size());
                    return true;
                }
                if (!attr_number(t, t.text == "base" ? 8 : 4, n)) return false;
                if (t.text == "base") c.base = n;
                else c.count = uint32_t(n);
                return true;
            })) {
            return false;
        }
        return parse_class_body(line, c, depth + 1);
    } else {
        return fail(line, "unknown value type '" + head.text + "'");
    }
    ++pos_;
    return true;
}

bool Parser::parse_value_list(const SourceLine& open, std::vector<ValuePtr>& out, std::optional<RestDef>& rest,
                              int depth) {
    if (depth > kMaxBlockDepth) return fail(open, "blocks nested too deeply");
    ++pos_;
    for (;;) {
        if (pos_ >= lines_.size()) return fail(open, "missing .end for " + open.tokens[0].text);
        const SourceLine& line = lines_[pos_];
        if (!reject_labels(line)) return false;
        const std::string& word = first_word(line);
        if (word == ".end") {
            if (!expect_count(line, 1)) return false;
            ++pos_;
            return true;
        }
        if (rest) return fail(line, "nothing but raw bytes may follow .rest");
        if (word == ".rest") {
            rest.emplace();
            if (!parse_rest(line, *rest)) return false;
            continue;
        }
        out.emplace_back();
        if (!parse_value(line, 0, out.back(), depth)) return false;
    }
}

bool Parser::parse_flat_list(const SourceLine& open, std::vector<uint64_t>& out, std::optional<RestDef>& rest) {
    ++pos_;
    for (;;) {
        if (pos_ >= lines_.size()) return fail(open, "missing .end for flat array");
        const SourceLine& line = lines_[pos_];
        if (!reject_labels(line)) return false;
        const std::string& word = first_word(line);
        if (word == ".end") {
            if (!expect_count(line, 1)) return false;
            ++pos_;
            return true;
        }
        if (rest) return fail(line, "nothing but raw bytes may follow .rest");
        if (word == ".rest") {
            rest.emplace();
            if (!parse_rest(line, *rest)) return false;
            continue;
        }
        for (const Token& t : line.tokens) {
            if (t.kind == TokenKind::Attr && t.text == "bits") {
                ParsedInt p;
                uint64_t bits = 0;
                if (!parse_int_text(t.value_text, p) || !int_fits(p, 8, bits)) return fail(line, "invalid bits=");
                out.push_back(bits);
                continue;
            }
            double d = 0;
            if (t.kind != TokenKind::Word || !parse_float_text(t.text, d)) {
                return fail(line, "flat array elements are numbers, got " + token_description(t));
            }
            out.push_back(double_bits(d));
        }
        ++pos_;
    }
}

bool Parser::parse_class_body(const SourceLine& open, ClassDef& c, int depth) {
    if (depth > kMaxBlockDepth) return fail(open, "blocks nested too deeply");
    ++pos_;
    for (;;) {
        if (pos_ >= lines_.size()) return fail(open, "missing .end for class");
        const SourceLine& line = lines_[pos_];
        if (!reject_labels(line)) return false;
        const std::string& word = first_word(line);
        if (word == ".end") {
            if (!expect_count(line, 1)) return false;
            ++pos_;
            return true;
        }
        if (c.rest) return fail(line, "nothing but raw bytes may follow .rest");
        uint64_t n = 0;
        if (word == ".rest") {
            c.rest.emplace();
            if (!parse_rest(line, *c.rest)) return false;
        } else if (word == ".name") {
            if (c.name) return fail(line, "the class already has a name");
            if (!parse_value(line, 1, c.name, depth)) return false;
        } else if (word == ".base") {
            if (!expect_count(line, 2)) return false;
            if (line.tokens[1].kind == TokenKind::String) {
                c.base = hash_bytes(line.tokens[1].text.data(), line.tokens[1].text.size());
            } else if (!number_at(line, 1, 8, c.base, ".base")) {
                return false;
            }
            ++pos_;
        } else if (word == ".field" || word == ".method" || word == ".static") {
            MemberDef m;
            m.line = line.number;
            m.kind = word == ".field" ? 0 : word == ".method" ? 1 : 2;
            if (line.tokens.size() < 3 || line.tokens[1].kind != TokenKind::String) {
                return fail(line, word + " needs a quoted name and a value");
            }
            m.name = std::make_unique<Value>();
            m.name->line = line.number;
            m.name->kind = ValueKind::String;
            m.name->text = line.tokens[1].text;
            c.members.push_back(std::move(m));
            if (!parse_value(line, 2, c.members.back().value, depth)) return false;
        } else if (word == ".member") {
            MemberDef m;
            m.line = line.number;
            if (!expect_count(line, 2) || !number_at(line, 1, 1, n, ".member")) return false;
            m.kind = uint8_t(n);
            std::vector<ValuePtr> pair;
            std::optional<RestDef> rest;
            if (!parse_value_list(line, pair, rest, depth)) return false;
            if (rest) return fail(line, ".rest does not belong in a .member (put it in the class)");
            if (pair.size() != 2) return fail(line, ".member holds exactly two values: the name, then the value");
            m.name = std::move(pair[0]);
            m.value = std::move(pair[1]);
            c.members.push_back(std::move(m));
        } else {
            return fail(line, "expected .field, .method, .static, .member, .name, .base, .rest or .end in a class");
        }
    }
}

// ---- Pool, debug, JIT -----------------------------------------------------------

bool Parser::count_attribute(const SourceLine& open, unsigned width, uint64_t& bits) {
    for (size_t i = 1; i < open.tokens.size(); ++i) {
        const Token& t = open.tokens[i];
        ParsedInt v;
        if (t.kind != TokenKind::Attr || t.text != "count") return fail(open, open.tokens[0].text + " takes only count=N");
        if (!parse_int_text(t.value_text, v) || !int_fits(v, width, bits)) {
            return fail(open, std::string("count must fit a u") + std::to_string(width * 8));
        }
    }
    return true;
}

bool Parser::parse_pool(const SourceLine& open, PoolDef& pool) {
    pool.line = open.number;
    if (!parse_count_only(open, pool.count)) return false;
    ++pos_;
    for (;;) {
        if (pos_ >= lines_.size()) return fail(open, "missing .end for .pool");
        const SourceLine& line = lines_[pos_];
        if (!reject_labels(line)) return false;
        const std::string& word = first_word(line);
        if (word == ".end") {
            if (!expect_count(line, 1)) return false;
            ++pos_;
            return true;
        }
        if (pool.rest) return fail(line, "nothing but raw bytes may follow .rest");
        if (word == ".rest") {
            pool.rest.emplace();
            if (!parse_rest(line, *pool.rest)) return false;
            continue;
        }
        PoolEntry entry;
        entry.line = line.number;
        if (to_lower(word) == "raw") {
            entry.is_raw = true;
            if (!hex_words(line, 1, entry.raw, "raw")) return false;
        } else {
            if (line.tokens[0].kind != TokenKind::String) return fail(line, "pool entries are quoted strings or raw bytes");
            entry.bytes = line.tokens[0].text;
            for (size_t i = 1; i < line.tokens.size(); ++i) {
                const Token& t = line.tokens[i];
                ParsedInt p;
                uint64_t bits = 0;
                unsigned width = t.text == "flags" ? 1 : t.text == "hash" ? 8 : t.text == "length" ? 4 : 0;
                if (t.kind != TokenKind::Attr || width == 0) {
                    return fail(line, "pool entry takes flags=, hash= and length=, got " + token_description(t));
                }
                if (!parse_int_text(t.value_text, p) || !int_fits(p, width, bits)) {
                    return fail(line, t.text + "= needs a number that fits " + std::to_string(width * 8) + " bits");
                }
                if (t.text == "flags") entry.flags = uint8_t(bits);
                else if (t.text == "hash") entry.hash = bits;
                else entry.length = uint32_t(bits);
            }
        }
        pool.entries.push_back(std::move(entry));
        ++pos_;
    }
}

bool Parser::parse_debug(const SourceLine& open, DebugDef& debug) {
    debug.line = open.number;
    if (!parse_count_only(open, debug.count)) return false;
    ++pos_;
    for (;;) {
        if (pos_ >= lines_.size()) return fail(open, "missing .end for .debug");
        const SourceLine& line = lines_[pos_];
        if (!reject_labels(line)) return false;
        const std::string& word = first_word(line);
        if (word == ".end") {
            if (!expect_count(line, 1)) return false;
            ++pos_;
            return true;
        }
        if (debug.rest) return fail(line, "nothing but raw bytes may follow .rest");
        if (word == ".rest") {
            debug.rest.emplace();
            if (!parse_rest(line, *debug.rest)) return false;
            continue;
        }
        DebugName name;
        name.line = line.number;
        if (to_lower(word) == "raw") {
            name.is_raw = true;
            if (!hex_words(line, 1, name.raw, "raw")) return false;
        } else {
            if (line.tokens[0].kind != TokenKind::String) return fail(line, "debug names are quoted strings or raw bytes");
            name.bytes = line.tokens[0].text;
            for (size_t i = 1; i < line.tokens.size(); ++i) {
                const Token& t = line.tokens[i];
                ParsedInt p;
                uint64_t bits = 0;
                if (t.kind != TokenKind::Attr || t.text != "length" || !parse_int_text(t.value_text, p) ||
                    !int_fits(p, 4, bits)) {
                    return fail(line, "a debug name takes only length=N");
                }
                name.length = uint32_t(bits);
            }
        }
        debug.names.push_back(std::move(name));
        ++pos_;
    }
}

bool Parser::parse_jit(const SourceLine& open, JitDef& jit) {
    jit.line = open.number;
    for (size_t i = 1; i < open.tokens.size(); ++i) {
        const Token& t = open.tokens[i];
        ParsedInt v;
        uint64_t bits = 0;
        unsigned width = t.text == "reserved" ? 1 : t.text == "length" ? 4 : 0;
        if (t.kind != TokenKind::Attr || width == 0) return fail(open, ".jit takes reserved=N and length=N");
        if (!parse_int_text(t.value_text, v) || !int_fits(v, width, bits)) {
            return fail(open, t.text + "= needs a number that fits " + std::to_string(width * 8) + " bits");
        }
        if (width == 1) jit.reserved = uint8_t(bits);
        else jit.length = uint32_t(bits);
    }
    ++pos_;
    for (;;) {
        if (pos_ >= lines_.size()) return fail(open, "missing .end for .jit");
        const SourceLine& line = lines_[pos_];
        if (!reject_labels(line)) return false;
        const std::string& word = first_word(line);
        if (word == ".end") {
            if (!expect_count(line, 1)) return false;
            ++pos_;
            return true;
        }
        if (jit.rest) return fail(line, "nothing but raw bytes may follow .rest");
        if (word == ".rest") {
            jit.rest.emplace();
            if (!parse_rest(line, *jit.rest)) return false;
            continue;
        }
        bool matched = false;
        if (!parse_raw_directive(line, jit.ir, matched)) return false;
        if (!matched) return fail(line, "a .jit block holds raw byte directives (.bytes ...)");
        ++pos_;
    }
}

}  // namespace tarvik::tools
