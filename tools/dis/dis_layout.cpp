// tools/dis/dis_layout.cpp: the file as a whole. The header, the TOC, the main
// section and the dependency regions are placed where they do not overlap; every
// byte outside them is written raw, so the text always assembles back to the file.
#include <sodium.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "tools/common/byte_writer.h"
#include "tools/common/tool_text.h"
#include "tools/dis/dis_internal.h"

namespace tarvik::tools {

namespace {

constexpr size_t kHeaderSize = 192;
constexpr size_t kTocEntrySize = 152;

struct Span {
    size_t begin = 0;
    size_t end = 0;
    std::string text;
};

bool all_zero(const uint8_t* p, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        if (p[i]) return false;
    }
    return true;
}

std::string trimmed_quote(const uint8_t* p, size_t n) {
    while (n > 0 && p[n - 1] == 0) --n;
    return quote_bytes(p, n);
}

class FileWriter {
public:
    FileWriter(const uint8_t* data, size_t size, const DisOptions& options)
        : data_(data), size_(size), options_(options) {}

    std::string run() {
        std::string out;
        if (options_.comments) out += "; tvkdis: " + std::to_string(size_) + " bytes\n";
        if (size_ < kHeaderSize) {
            if (options_.comments) out += "; shorter than a package header: raw bytes only\n";
            write_raw_lines(out, 0, data_, 0, size_);
            return out;
        }
        flags_ = uint32_t(load_le(data_ + 44, 4));
        for (int i = 0; i < 6; ++i) regions_[i] = uint32_t(load_le(data_ + 56 + 4 * i, 4));
        size_t structures_from = kHeaderSize;
        if ((flags_ & 1) && size_ >= kHeaderSize + 2) {
            read_toc();
            structures_from = toc_end_;
        }
        place_main(structures_from);
        place_dependencies();
        std::string toc_text = has_toc_ ? toc_block() : "";
        spans_.push_back({0, kHeaderSize, header_block()});
        if (has_toc_) spans_.push_back({kHeaderSize, toc_end_, toc_text});
        std::sort(spans_.begin(), spans_.end(), [](const Span& a, const Span& b) { return a.begin < b.begin; });
        size_t at = 0;
        for (const Span& span : spans_) {
            write_gap(out, at, span.begin);
            out += span.text;
            at = span.end;
        }
        write_gap(out, at, size_);
        return out;
    }

private:
    void write_gap(std::string& out, size_t begin, size_t end) {
        if (begin >= end) return;
        if (options_.comments) out += "; raw bytes at offset " + std::to_string(begin) + "\n";
        write_raw_lines(out, 0, data_, begin, end);
    }

    bool overlaps(size_t begin, size_t end) const {
        if (begin < structures_end_) return true;
        for (const Span& s : spans_) {
            if (begin < s.end && s.begin < end) return true;
        }
        return false;
    }

    void read_toc() {
        has_toc_ = true;
        toc_count_ = size_t(load_le(data_ + kHeaderSize, 2));
        size_t at = kHeaderSize + 2;
        for (size_t i = 0; i < toc_count_; ++i, at += kTocEntrySize) {
            if (size_ - at < kTocEntrySize) {
                toc_truncated_at_ = at;
                toc_end_ = size_;
                structures_end_ = toc_end_;
                return;
            }
            entries_.push_back(at);
        }
        toc_end_ = at;
        structures_end_ = toc_end_;
    }

    void place_main(size_t from) {
        structures_end_ = std::max(structures_end_, from);
        size_t r0 = regions_[0];
        if (r0 < from || r0 >= size_) return;
        SectionText section = disassemble_section(data_, r0, size_, false, options_);
        has_main_ = true;
        main_begin_ = r0;
        main_end_ = section.end;
        main_chunk_ = section.chunk_start;
        std::string text;
        if (options_.comments) text += "; main section at offset " + std::to_string(r0) + "\n";
        text += ".main\n" + section.body + ".end\n";
        spans_.push_back({r0, section.end, text});
    }

    void place_dependencies() {
        for (size_t i = 0; i < entries_.size(); ++i) {
            const uint8_t* e = data_ + entries_[i];
            uint64_t offset = load_le(e + 68, 8);
            uint64_t length = load_le(e + 76, 4);
            if (length == 0 || offset > size_ || length > size_ - offset) continue;
            size_t begin = size_t(offset), end = size_t(offset + length);
            auto same = placed_regions_.find({begin, end});
            if (same != placed_regions_.end()) {
                region_names_[i] = same->second;
                continue;
            }
            if (overlaps(begin, end)) continue;
            std::string name = "dep" + std::to_string(i);
            SectionText section = disassemble_section(data_, begin, end, true, options_);
            std::string text;
            if (options_.comments) text += "; dependency region at offset " + std::to_string(begin) + "\n";
            text += ".region " + name + "\n" + section.body + ".end\n";
            spans_.push_back({begin, end, text});
            placed_regions_[{begin, end}] = name;
            region_names_[i] = name;
        }
    }

    std::string header_block() {
        const uint8_t* h = data_;
        std::string s = ".header\n";
        auto field = [&](const std::string& text) { s += "    " + text + "\n"; };
        auto blob = [&](const char* name, size_t at, size_t n) {
            if (!all_zero(h + at, n)) field(std::string(name) + " " + format_hex(h + at, n));
        };
        if (std::memcmp(h, "TRV2", 4) != 0) field(".magic " + quote_bytes(h, 4));
        field(".package_version " + format_version(uint32_t(load_le(h + 4, 4))));
        field(".format_version " + format_version(uint32_t(load_le(h + 8, 4))));
        static const uint8_t kDefaultProducer[32] = {'t', 'v', 'k', 'a', 's', 'm'};
        if (std::memcmp(h + 12, kDefaultProducer, 32) != 0) field(".producer " + trimmed_quote(h + 12, 32));
        if (flags_ != (has_toc_ ? 1u : 0u)) field(".flags " + format_hex_number(flags_));
        uint64_t word = load_le(h + 48, 8);
        if (word) field(".producer_word " + format_hex_number(word));
        uint64_t defaults[6] = {};
        if (has_main_) {
            defaults[0] = main_begin_;
            defaults[1] = main_chunk_;
            for (int i = 2; i < 6; ++i) defaults[i] = main_end_;
        }
        for (int i = 0; i < 6; ++i) {
            if (regions_[i] != defaults[i]) field(".r" + std::to_string(i) + " " + std::to_string(regions_[i]));
        }
        blob(".reserved80", 80, 2);
        if (h[82]) field(".sig_alg " + std::to_string(h[82]));
        blob(".reserved83", 83, 1);
        blob(".signer_key", 84, 32);
        blob(".signature", 116, 64);
        blob(".reserved180", 180, 12);
        s += ".end\n";
        return s;
    }

    std::string toc_block() {
        std::string s = ".toc";
        if (toc_count_ != entries_.size()) s += " count=" + std::to_string(toc_count_);
        s += "\n";
        for (size_t i = 0; i < entries_.size(); ++i) {
            const uint8_t* e = data_ + entries_[i];
            auto field = [&](const std::string& text) { s += "        " + text + "\n"; };
            s += "    .dep " + trimmed_quote(e, 64) + "\n";
            field(".version " + format_version(uint32_t(load_le(e + 64, 4))));
            uint64_t offset = load_le(e + 68, 8);
            uint64_t length = load_le(e + 76, 4);
            auto named = region_names_.find(i);
            if (named != region_names_.end()) {
                field(".region " + named->second);
            } else {
                field(".offset " + std::to_string(offset));
                field(".length " + std::to_string(length));
            }
            if (!default_fingerprint(e, offset, length)) field(".fingerprint " + format_hex(e + 80, 32));
            if (e[112]) field(".signed " + std::to_string(e[112]));
            if (!all_zero(e + 113, 32)) field(".signer " + format_hex(e + 113, 32));
            if (!all_zero(e + 145, 7)) field(".reserved " + format_hex(e + 145, 7));
            s += "    .end\n";
        }
        if (toc_truncated_at_) {
            s += "    .rest\n";
            write_raw_lines(s, 1, data_, toc_truncated_at_, size_);
        }
        return s + ".end\n";
    }

    // The assembler fills a missing fingerprint with SHA-256 of the region, or
    // leaves zeros for a region outside the file; only a region behind the TOC is
    // sure to hash the same bytes again.
    bool default_fingerprint(const uint8_t* e, uint64_t offset, uint64_t length) {
        if (offset > size_ || length > size_ - offset) return all_zero(e + 80, 32);
        if (offset < toc_end_) return false;
        uint8_t digest[32];
        crypto_hash_sha256(digest, data_ + offset, length);
        return std::memcmp(digest, e + 80, 32) == 0;
    }

    const uint8_t* data_;
    size_t size_;
    const DisOptions& options_;
    uint32_t flags_ = 0;
    uint32_t regions_[6] = {};
    bool has_toc_ = false;
    size_t toc_count_ = 0;
    size_t toc_end_ = 0;
    size_t toc_truncated_at_ = 0;
    size_t structures_end_ = kHeaderSize;
    std::vector<size_t> entries_;
    bool has_main_ = false;
    size_t main_begin_ = 0, main_end_ = 0, main_chunk_ = 0;
    std::vector<Span> spans_;
    std::map<std::pair<size_t, size_t>, std::string> placed_regions_;
    std::map<size_t, std::string> region_names_;
};

}  // namespace

std::string disassemble(const uint8_t* data, size_t size, const DisOptions& options) {
    FileWriter writer(data, size, options);
    return writer.run();
}

}  // namespace tarvik::tools
