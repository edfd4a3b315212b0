// tools/dis/dis_section.cpp: a main section as text: the string pool, then the
// chunk tree with its constants. Every reader returns Ok, Stopped (it wrote a
// `.rest` and the section ends there) or Failed (it wrote nothing; the caller backs
// up to the start of the list element and writes the rest of the bytes raw).
#include <algorithm>
#include <cstring>

#include "runtime/string.h"
#include "tools/common/byte_writer.h"
#include "tools/common/tool_names.h"
#include "tools/common/tool_text.h"
#include "tools/dis/dis_internal.h"

namespace tarvik::tools {

namespace {

constexpr uint32_t kTagPooled = 0xFFFFFF01;
// Deeper trees are written raw; the loader refuses anything past 64 levels anyway.
constexpr int kMaxDepth = 80;

enum class Status { Ok, Stopped, Failed };

// What a caller needs to know about a value it printed.
struct ValueInfo {
    bool simple_string = false;  // `string "x"` with default hash and length, flags 0
    std::string text;            // the string's bytes when simple
    std::string summary;         // short one-line description for comments
};

class SectionWriter {
public:
    SectionWriter(const uint8_t* data, size_t limit, const DisOptions& options)
        : data_(data), limit_(limit), options_(options) {}

    SectionText run(size_t begin, bool rest_to_limit) {
        SectionText result;
        Cursor c{data_, begin, limit_};
        std::string& out = result.body;
        uint64_t count = 0;
        if (!c.read(2, count)) {
            write_rest(out, 1, begin);
            result.end = limit_;
            result.chunk_start = begin;
            return result;
        }
        std::string pool_body;
        size_t entries = 0;
        bool pool_stopped = false;
        for (; entries < count; ++entries) {
            size_t start = c.pos;
            uint64_t flags = 0, hash = 0, length = 0;
            if (!c.read(1, flags) || !c.read(8, hash) || !c.read(4, length) || length > c.left()) {
                c.pos = start;
                write_rest(pool_body, 2, start);
                pool_stopped = true;
                break;
            }
            const uint8_t* bytes = data_ + c.pos;
            c.pos += size_t(length);
            pool_body += indent_text(2) + quote_bytes(bytes, size_t(length));
            if (flags) pool_body += " flags=" + std::to_string(flags);
            if (hash != hash_bytes(bytes, size_t(length))) pool_body += " hash=" + format_hex_number(hash);
            pool_body += "\n";
            pool_texts_.emplace_back(reinterpret_cast<const char*>(bytes), size_t(length));
        }
        auto pool_block = [&]() {
            std::string opener = indent_text(1) + ".pool";
            if (entries != count) opener += " count=" + std::to_string(count);
            return opener + "\n" + pool_body + indent_text(1) + ".end\n";
        };
        if (pool_stopped) {
            out += pool_block();
            result.end = limit_;
            result.chunk_start = limit_;
            return result;
        }
        result.chunk_start = c.pos;
        std::string chunk_body;
        size_t chunk_at = c.pos;
        Status s = chunk(c, 0, 1, chunk_body);
        if (s == Status::Failed) {
            // The chunk header itself is cut short: the section holds the pool and raw bytes.
            out += pool_block();
            write_rest(out, 1, chunk_at);
            result.end = limit_;
            return result;
        }
        if (count > 0) out += pool_block();
        out += chunk_body;
        if (s == Status::Stopped) {
            result.end = limit_;
        } else if (rest_to_limit && c.pos < limit_) {
            write_rest(out, 1, c.pos);
            result.end = limit_;
        } else {
            result.end = c.pos;
        }
        return result;
    }

private:
    // `.rest` and the bytes from `from` to the end of the section.
    void write_rest(std::string& out, int level, size_t from) {
        out += indent_text(level) + ".rest\n";
        write_raw_lines(out, level, data_, from, limit_);
    }

    Status chunk(Cursor& c, int depth, int level, std::string& out) {
        if (depth > kMaxDepth) return Status::Failed;
        uint64_t marker = 0, version = 0, const_count = 0, code_size = 0, flags = 0;
        if (!c.read(1, marker) || !c.read(4, version) || !c.read(2, const_count) || !c.read(4, code_size) ||
            !c.read(2, flags)) {
            return Status::Failed;
        }
        std::string body;
        std::vector<std::string> summaries;
        bool stopped = false;
        for (uint64_t i = 0; i < const_count; ++i) {
            size_t start = c.pos, mark = body.size();
            ValueInfo info;
            std::string comment = options_.comments ? "k" + std::to_string(i) : "";
            Status s = value(c, depth + 1, level, ".const ", body, &info, comment);
            summaries.push_back(info.summary);
            if (s == Status::Ok) continue;
            if (s == Status::Failed) {
                body.resize(mark);
                summaries.pop_back();
                c.pos = start;
                write_rest(body, level, start);
            }
            stopped = true;
            break;
        }
        uint64_t code_written = 0;
        bool debug_block = false, jit_block = false;
        if (!stopped) {
            if (code_size > c.left()) {
                write_rest(body, level, c.pos);
                stopped = true;
            } else {
                CodeContext context{&summaries, options_.comments};
                write_code(body, level, data_ + c.pos, uint32_t(code_size), context);
                c.pos += size_t(code_size);
                code_written = code_size;
            }
        }
        if (!stopped && (flags & 1)) {
            uint64_t count = 0;
            if (!c.read(1, count)) {
                write_rest(body, level, c.pos);  // empty: the bytes end with the code
                stopped = true;
            } else {
                debug_block = true;
                std::string names;
                uint64_t written = 0;
                for (; written < count; ++written) {
                    size_t start = c.pos;
                    uint64_t length = 0;
                    if (!c.read(4, length) || length > c.left()) {
                        c.pos = start;
                        write_rest(names, level + 1, start);
                        stopped = true;
                        break;
                    }
                    names += indent_text(level + 1) + quote_bytes(data_ + c.pos, size_t(length)) + "\n";
                    c.pos += size_t(length);
                }
                body += indent_text(level) + ".debug";
                if (written != count) body += " count=" + std::to_string(count);
                body += "\n" + names + indent_text(level) + ".end\n";
            }
        }
        if (!stopped && (flags & 2)) {
            size_t start = c.pos;
            uint64_t reserved = 0, length = 0;
            if (!c.read(1, reserved) || !c.read(4, length)) {
                c.pos = start;
                write_rest(body, level, start);
                stopped = true;
            } else {
                jit_block = true;
                body += indent_text(level) + ".jit";
                if (reserved) body += " reserved=" + std::to_string(reserved);
                if (length > c.left()) {
                    body += " length=" + std::to_string(length) + "\n";
                    write_rest(body, level + 1, c.pos);
                    stopped = true;
                } else {
                    body += "\n";
                    write_raw_lines(body, level + 1, data_, c.pos, c.pos + size_t(length));
                    c.pos += size_t(length);
                }
                body += indent_text(level) + ".end\n";
            }
        }
        std::string fields;
        std::string pad = indent_text(level);
        if (marker != 0xA5) fields += pad + ".marker " + format_hex_number(marker) + "\n";
        if (version != 0x01000009) fields += pad + ".version " + format_version(uint32_t(version)) + "\n";
        if (const_count != summaries.size()) {
            fields += pad + ".const_count " + std::to_string(const_count) + "\n";
        }
        if (code_size != code_written) fields += pad + ".code_size " + std::to_string(code_size) + "\n";
        uint64_t computed_flags = (debug_block ? 1u : 0u) | (jit_block ? 2u : 0u);
        if (flags != computed_flags) fields += pad + ".chunk_flags " + format_hex_number(flags) + "\n";
        out += fields + body;
        return stopped ? Status::Stopped : Status::Ok;
    }

    // One value; `prefix` starts its first line (".const ", ".name ", "" ...).
    Status value(Cursor& c, int depth, int level, const std::string& prefix, std::string& out, ValueInfo* info,
                 const std::string& comment) {
        if (depth > kMaxDepth) return Status::Failed;
        ValueInfo local;
        ValueInfo& vi = info ? *info : local;
        std::string pad = indent_text(level);
        auto line = [&](const std::string& text) {
            out += pad + prefix + text;
            if (!comment.empty()) out += "    ; " + comment;
            out += "\n";
            vi.summary = text.size() > 48 ? text.substr(0, 45) + "..." : text;
            return Status::Ok;
        };
        uint64_t tag = 0, flags = 0, v = 0;
        if (!c.read(4, tag)) return Status::Failed;
        if (tag == kTagPooled) {
            uint64_t index = 0;
            if (!c.read(2, index)) return Status::Failed;
            if (index < pool_texts_.size()) {
                const std::string& text = pool_texts_[index];
                auto first = std::find(pool_texts_.begin(), pool_texts_.end(), text);
                if (size_t(first - pool_texts_.begin()) == index) return line("pool " + quote_bytes(text));
                if (!options_.comments) return line("pool " + std::to_string(index));
                return line("pool " + std::to_string(index) + "    ; " + quote_bytes(text));
            }
            return line("pool " + std::to_string(index));
        }
        if (!c.read(1, flags)) return Status::Failed;
        std::string fa = flags ? " flags=" + std::to_string(flags) : "";
        switch (tag) {
        case 0x1:
            return line("nil" + fa);
        case 0x2:
            if (!c.read(4, v)) return Status::Failed;
            if (v >= 0x20 && v < 0x7F && v != '\'' && v != '\\') return line("char '" + std::string(1, char(v)) + "'" + fa);
            return line("char " + std::to_string(v) + fa);
        case 0x4: {
            if (!c.read(8, v)) return Status::Failed;
            std::string text = format_double_exact(v);
            return line("float " + (text.empty() ? "bits=" + format_hex_number(v) : text) + fa);
        }
        case 0x8:
            if (!c.read(8, v)) return Status::Failed;
            return line("int " + std::to_string(int64_t(v)) + fa);
        case 0x10: {
            uint64_t hash = 0, length = 0;
            if (!c.read(8, hash) || !c.read(4, length) || length > c.left()) return Status::Failed;
            const uint8_t* bytes = data_ + c.pos;
            c.pos += size_t(length);
            bool default_hash = hash == hash_bytes(bytes, size_t(length));
            vi.simple_string = default_hash && flags == 0;
            vi.text.assign(reinterpret_cast<const char*>(bytes), size_t(length));
            std::string text = "string " + quote_bytes(bytes, size_t(length));
            if (!default_hash) text += " hash=" + format_hex_number(hash);
            Status s = line(text + fa);
            return s;
        }
        case 0x80:
            if (!c.read(1, v)) return Status::Failed;
            return line("bool " + (v == 0 ? std::string("false") : v == 1 ? std::string("true") : std::to_string(v)) + fa);
        case 0x40:
            return array(c, depth, level, prefix, out, vi, comment, fa);
        case 0x20:
            return object(c, depth, level, prefix, out, vi, comment, fa);
        case 0x10000:
            return function(c, depth, level, prefix, out, vi, comment, fa);
        case 0x1000000:
            return klass(c, depth, level, prefix, out, vi, comment, fa);
        default:
            if (const char* name = bare_tag_name(uint32_t(tag))) return line(name + fa);
            return Status::Failed;  // unknown payload: written raw by the caller
        }
    }

    std::string opener(int level, const std::string& prefix, const std::string& text, const std::string& comment) {
        std::string s = indent_text(level) + prefix + text;
        if (!comment.empty()) s += "    ; " + comment;
        return s + "\n";
    }

    Status array(Cursor& c, int depth, int level, const std::string& prefix, std::string& out, ValueInfo& vi,
                 const std::string& comment, const std::string& fa) {
        uint64_t count = 0, flat = 0;
        if (!c.read(4, count) || !c.read(1, flat)) return Status::Failed;
        std::string body;
        uint64_t written = 0;
        bool stopped = false;
        if (flat) {
            std::string row;
            int in_row = 0;
            for (; written < count; ++written) {
                uint64_t bits = 0;
                if (!c.read(8, bits)) {
                    stopped = true;
                    break;
                }
                std::string text = format_double_exact(bits);
                row += (in_row ? " " : "") + (text.empty() ? "bits=" + format_hex_number(bits) : text);
                if (++in_row == 4) {
                    body += indent_text(level + 1) + row + "\n";
                    row.clear();
                    in_row = 0;
                }
            }
            if (in_row) body += indent_text(level + 1) + row + "\n";
            if (stopped) write_rest(body, level + 1, c.pos);
        } else {
            stopped = elements(c, depth, level, body, count, written);
        }
        std::string head = flat == 1 ? "array flat" : flat ? "array flat=" + std::to_string(flat) : "array";
        if (written != count) head += " count=" + std::to_string(count);
        vi.summary = head;
        out += opener(level, prefix, head + fa, comment) + body + indent_text(level) + ".end\n";
        return stopped ? Status::Stopped : Status::Ok;
    }

    // Reads up to `count` list elements; true when the list stopped at a `.rest`.
    bool elements(Cursor& c, int depth, int level, std::string& body, uint64_t count, uint64_t& written) {
        for (; written < count; ++written) {
            size_t start = c.pos, mark = body.size();
            Status s = value(c, depth + 1, level + 1, "", body, nullptr, "");
            if (s == Status::Ok) continue;
            if (s == Status::Failed) {
                body.resize(mark);
                c.pos = start;
                write_rest(body, level + 1, start);
            } else {
                ++written;
            }
            return true;
        }
        return false;
    }

    Status object(Cursor& c, int depth, int level, const std::string& prefix, std::string& out, ValueInfo& vi,
                  const std::string& comment, const std::string& fa) {
        uint64_t count = 0;
        if (!c.read(4, count)) return Status::Failed;
        std::string body;
        uint64_t written = 0;
        // Keys and values are separate elements, so a cut inside a pair still parses.
        bool stopped = elements(c, depth, level, body, count * 2, written);
        std::string head = "object";
        if (written != count * 2) head += " count=" + std::to_string(count);
        vi.summary = head;
        out += opener(level, prefix, head + fa, comment) + body + indent_text(level) + ".end\n";
        return stopped ? Status::Stopped : Status::Ok;
    }

    Status function(Cursor& c, int depth, int level, const std::string& prefix, std::string& out, ValueInfo& vi,
                    const std::string& comment, const std::string& fa) {
        uint64_t params = 0, locals = 0, fflags = 0, word = 0;
        uint64_t types[16] = {};
        if (!c.read(1, params) || !c.read(1, locals) || !c.read(4, fflags) || !c.read(4, word)) return Status::Failed;
        for (uint64_t& t : types) {
            if (!c.read(4, t)) return Status::Failed;
        }
        std::string pad = indent_text(level + 1);
        std::string fields = pad + ".params " + std::to_string(params) + "\n" + pad + ".locals " + std::to_string(locals) + "\n";
        if (fflags) fields += pad + ".function_flags " + format_hex_number(fflags) + "\n";
        if (word) fields += pad + ".function_word " + format_hex_number(word) + "\n";
        int last = 15;
        while (last >= 0 && types[last] == 0) --last;
        if (last >= 0) {
            fields += pad + ".param_types";
            for (int i = 0; i <= last; ++i) fields += " " + format_type_set(uint32_t(types[i]));
            fields += "\n";
        }
        std::string name_text;
        ValueInfo name_info;
        if (value(c, depth + 1, level + 1, ".name ", name_text, &name_info, "") != Status::Ok) return Status::Failed;
        std::string body;
        Status s = chunk(c, depth + 1, level + 1, body);
        if (s == Status::Failed) return Status::Failed;
        std::string head = "function";
        if (name_info.simple_string) head += " " + quote_bytes(name_info.text);
        else fields += name_text;
        vi.summary = head;
        out += opener(level, prefix, head + fa, comment) + fields + body + indent_text(level) + ".end\n";
        return s;
    }

    Status klass(Cursor& c, int depth, int level, const std::string& prefix, std::string& out, ValueInfo& vi,
                 const std::string& comment, const std::string& fa) {
        uint64_t count = 0, base = 0;
        if (!c.read(4, count) || !c.read(8, base)) return Status::Failed;
        std::string name_text;
        ValueInfo name_info;
        if (value(c, depth + 1, level + 1, ".name ", name_text, &name_info, "") != Status::Ok) return Status::Failed;
        std::string body;
        uint64_t written = 0;
        bool stopped = false;
        static const char* const kMemberWords[] = {".field ", ".method ", ".static "};
        for (; written < count; ++written) {
            size_t start = c.pos;
            uint64_t kind = 0;
            std::string member_name;
            ValueInfo info;
            if (!c.read(1, kind) ||
                value(c, depth + 1, level + 2, "", member_name, &info, "") != Status::Ok) {
                c.pos = start;
                write_rest(body, level + 1, start);
                stopped = true;
                break;
            }
            std::string member;
            Status s;
            if (info.simple_string && kind <= 2) {
                std::string lead = kMemberWords[kind] + quote_bytes(info.text) + " ";
                s = value(c, depth + 1, level + 1, lead, member, nullptr, "");
            } else {
                member = indent_text(level + 1) + ".member " + std::to_string(kind) + "\n" + member_name;
                s = value(c, depth + 1, level + 2, "", member, nullptr, "");
                member += indent_text(level + 1) + ".end\n";
            }
            if (s == Status::Failed) {
                c.pos = start;
                write_rest(body, level + 1, start);
                stopped = true;
                break;
            }
            body += member;
            if (s == Status::Stopped) {
                ++written;
                stopped = true;
                break;
            }
        }
        std::string head = "class";
        if (name_info.simple_string) head += " " + quote_bytes(name_info.text);
        if (base) head += " base=" + format_hex_number(base);
        if (written != count) head += " count=" + std::to_string(count);
        vi.summary = head;
        std::string fields = name_info.simple_string ? "" : name_text;
        out += opener(level, prefix, head + fa, comment) + fields + body + indent_text(level) + ".end\n";
        return stopped ? Status::Stopped : Status::Ok;
    }

    const uint8_t* data_;
    size_t limit_;
    const DisOptions& options_;
    std::vector<std::string> pool_texts_;
};

}  // namespace

std::string indent_text(int level) { return std::string(size_t(level) * 4, ' '); }

void write_raw_lines(std::string& out, int level, const uint8_t* data, size_t begin, size_t end) {
    // Long runs of zeros (padding, limit tests) become one .zero line.
    constexpr size_t kZeroRun = 32;
    size_t at = begin;
    while (at < end) {
        size_t zeros = 0;
        while (at + zeros < end && data[at + zeros] == 0) ++zeros;
        if (zeros >= kZeroRun) {
            out += indent_text(level) + ".zero " + std::to_string(zeros) + "\n";
            at += zeros;
            continue;
        }
        size_t n = std::min<size_t>(16, end - at);
        size_t line_end = at;  // up to 16 bytes, stopping before a long zero run
        while (line_end < at + n) {
            size_t run = 0;
            while (line_end + run < end && data[line_end + run] == 0) ++run;
            if (run >= kZeroRun) break;
            ++line_end;
        }
        if (line_end == at) line_end = at + 1;
        out += indent_text(level) + ".bytes";
        for (size_t i = at; i < line_end; ++i) out += " " + format_hex(data + i, 1);
        out += "\n";
        at = line_end;
    }
}

SectionText disassemble_section(const uint8_t* data, size_t begin, size_t limit, bool rest_to_limit,
                                const DisOptions& options) {
    SectionWriter writer(data, limit, options);
    return writer.run(begin, rest_to_limit);
}

}  // namespace tarvik::tools
