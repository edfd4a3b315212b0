// tools/asm/asm_layout.cpp: places the top-level items of a source in the file,
// then fills in what depends on file offsets: the header's regions, the TOC's
// offsets and lengths, the dependency fingerprints, the signature and the patches.
#include <sodium.h>

#include <cstring>
#include <map>

#include "package/signature.h"
#include "tools/asm/asm_emitter.h"
#include "tools/asm/asm_lexer.h"
#include "tools/asm/asm_parser.h"
#include "tools/asm/assembler.h"
#include "tools/common/byte_writer.h"

namespace tarvik::tools {

namespace {

constexpr size_t kHeaderSize = 192;
constexpr size_t kTocEntrySize = 152;

// memcpy that accepts empty ranges, whose data() may be null.
void copy_bytes(uint8_t* to, const uint8_t* from, size_t n) {
    if (n) std::memcpy(to, from, n);
}

struct Placed {
    uint64_t offset = 0;
    uint64_t size = 0;
};

class Layout {
public:
    Layout(Program& program, const AsmOptions& options, AsmError& error)
        : program_(program), options_(options), error_(error) {}

    bool run(Bytes& out) {
        if (!check_items() || !emit_sections() || !place()) return false;
        out.assign(size_t(file_size_), 0);
        if (!write_pieces(out) || !write_fingerprints(out) || !sign(out) || !apply_patches(out)) return false;
        return true;
    }

private:
    bool fail(int line, const std::string& message) {
        error_.line = line;
        error_.message = message;
        return false;
    }

    bool check_items() {
        int headers = 0, tocs = 0, mains = 0;
        for (TopItem& item : program_.items) {
            if (item.kind == TopItem::Header && ++headers > 1) return fail(item.line, "only one .header is allowed");
            if (item.kind == TopItem::Toc && ++tocs > 1) return fail(item.line, "only one .toc is allowed");
            if (item.kind == TopItem::Main && ++mains > 1) return fail(item.line, "only one .main is allowed");
            if (item.kind == TopItem::Region || item.kind == TopItem::Label) {
                const std::string& name = item.kind == TopItem::Region ? item.section->name : item.label;
                if (!names_.emplace(name, 0).second) return fail(item.line, "name '" + name + "' is defined twice");
            }
            if (item.kind == TopItem::Header) header_ = item.header.get();
            if (item.kind == TopItem::Toc) toc_ = item.toc.get();
        }
        if (toc_ && toc_->rest) {
            for (const DepDef& dep : toc_->deps) {
                if (dep.body) return fail(dep.line, "a .dep with a .body cannot come before a .rest in the TOC");
            }
        }
        bool any_section = tocs || mains;
        for (const TopItem& item : program_.items) any_section = any_section || item.kind == TopItem::Region;
        default_header_ = !header_ && any_section;
        return true;
    }

    bool emit_section_of(SectionDef& section, SectionBytes& out) {
        int line = 0;
        std::string message;
        if (!emit_section(section, out, line, message)) return fail(line, message);
        return true;
    }

    bool emit_sections() {
        for (TopItem& item : program_.items) {
            if (item.kind == TopItem::Region || item.kind == TopItem::Main) {
                if (!emit_section_of(*item.section, sections_[&item])) return false;
            }
        }
        if (toc_) {
            for (DepDef& dep : toc_->deps) {
                if (dep.body && !emit_section_of(*dep.body, bodies_[&dep])) return false;
            }
        }
        return true;
    }

    bool place() {
        uint64_t offset = default_header_ ? kHeaderSize : 0;
        for (TopItem& item : program_.items) {
            switch (item.kind) {
            case TopItem::Header:
                header_offset_ = offset;
                offset += kHeaderSize;
                break;
            case TopItem::Toc: {
                toc_offset_ = offset;
                offset += 2 + kTocEntrySize * toc_->deps.size() + (toc_->rest ? toc_->rest->bytes.size() : 0);
                for (DepDef& dep : toc_->deps) {
                    if (!dep.body) continue;
                    body_places_[&dep] = {offset, bodies_[&dep].bytes.size()};
                    offset += bodies_[&dep].bytes.size();
                }
                break;
            }
            case TopItem::Region: case TopItem::Main: {
                Placed p{offset, sections_[&item].bytes.size()};
                places_[&item] = p;
                if (item.kind == TopItem::Region) {
                    names_[item.section->name] = offset;
                    regions_[item.section->name] = p;
                } else {
                    main_ = &item;
                }
                offset += p.size;
                break;
            }
            case TopItem::Label:
                names_[item.label] = offset;
                break;
            case TopItem::Raw:
                offset += item.raw.size();
                break;
            case TopItem::Patch:
                break;
            }
        }
        if (offset > 0x7FFFFFFFull) return fail(0, "the package would be larger than 2 GiB");
        file_size_ = offset;
        return true;
    }

    bool resolve(const OffsetExpr& e, uint64_t max, uint64_t& out) {
        if (e.label.empty()) {
            if (e.number > max) return fail(e.line, "offset " + std::to_string(e.number) + " out of range");
            out = e.number;
            return true;
        }
        auto it = names_.find(e.label);
        if (it == names_.end()) return fail(e.line, "undefined label or region '" + e.label + "'");
        int64_t value = int64_t(it->second) + e.displacement;
        if (value < 0 || uint64_t(value) > max) return fail(e.line, "offset " + std::to_string(value) + " out of range");
        out = uint64_t(value);
        return true;
    }

    bool write_header(uint8_t* h) {
        static const HeaderDef kDefaults;
        const HeaderDef& d = header_ ? *header_ : kDefaults;
        auto copy = [&](size_t at, const std::optional<Bytes>& field) {
            if (field) copy_bytes(h + at, field->data(), field->size());
        };
        std::memcpy(h, "TRV2", 4);
        copy(0, d.magic);
        store_le(h + 4, d.package_version.value_or(0x01000000), 4);
        store_le(h + 8, d.format_version.value_or(0x01000009), 4);
        if (d.producer) copy(12, d.producer);
        else std::memcpy(h + 12, "tvkasm", 6);
        store_le(h + 44, d.flags.value_or(toc_ ? 1 : 0), 4);
        store_le(h + 48, d.producer_word.value_or(0), 8);
        uint64_t defaults[6] = {};
        if (main_) {
            const Placed& p = places_[main_];
            defaults[0] = p.offset;
            defaults[1] = p.offset + sections_[main_].chunk_start;
            for (int i = 2; i < 6; ++i) defaults[i] = p.offset + p.size;
        }
        for (int i = 0; i < 6; ++i) {
            uint64_t value = defaults[i];
            if (d.regions[i] && !resolve(*d.regions[i], 0xFFFFFFFFull, value)) return false;
            store_le(h + 56 + 4 * i, value, 4);
        }
        copy(80, d.reserved80);
        h[82] = d.sig_alg.value_or(0);
        copy(83, d.reserved83);
        copy(84, d.signer_key);
        copy(116, d.signature);
        copy(180, d.reserved180);
        for (const HeaderDef::Overwrite& o : d.overwrites) copy_bytes(h + o.offset, o.bytes.data(), o.bytes.size());
        return true;
    }

    bool write_toc(uint8_t* at) {
        if (toc_->deps.size() > 0xFFFF && !toc_->count) return fail(toc_->line, "a TOC holds at most 65535 entries");
        store_le(at, toc_->count ? *toc_->count : toc_->deps.size(), 2);
        uint8_t* e = at + 2;
        for (DepDef& dep : toc_->deps) {
            uint64_t offset = 0, length = 0;
            bool have_offset = false, have_length = false;
            if (dep.body) {
                offset = body_places_[&dep].offset;
                length = body_places_[&dep].size;
                have_offset = have_length = true;
            }
            if (!dep.region.empty()) {
                auto it = regions_.find(dep.region);
                if (it == regions_.end()) return fail(dep.line, "no top-level .region named '" + dep.region + "'");
                offset = it->second.offset;
                length = it->second.size;
                have_offset = have_length = true;
            }
            if (dep.offset) {
                if (!resolve(*dep.offset, UINT64_MAX, offset)) return false;
                have_offset = true;
            }
            if (dep.length) {
                if (!resolve(*dep.length, 0xFFFFFFFFull, length)) return false;
                have_length = true;
            }
            if (!have_offset || !have_length) {
                return fail(dep.line, "a .dep needs a .body, a .region, or both .offset and .length");
            }
            if (length > 0xFFFFFFFFull) return fail(dep.line, "dependency length does not fit a u32");
            copy_bytes(e, dep.name.data(), dep.name.size());
            store_le(e + 64, dep.version.value_or(0x01000000), 4);
            store_le(e + 68, offset, 8);
            store_le(e + 76, length, 4);
            if (dep.fingerprint) std::memcpy(e + 80, dep.fingerprint->data(), 32);
            e[112] = dep.signed_flag.value_or(0);
            if (dep.signer) std::memcpy(e + 113, dep.signer->data(), 32);
            if (dep.reserved) std::memcpy(e + 145, dep.reserved->data(), 7);
            dep_entries_.push_back({&dep, uint64_t(e - at) + toc_offset_, offset, length});
            e += kTocEntrySize;
        }
        if (toc_->rest) copy_bytes(e, toc_->rest->bytes.data(), toc_->rest->bytes.size());
        return true;
    }

    bool write_pieces(Bytes& out) {
        if (default_header_ && !write_header(out.data())) return false;
        for (TopItem& item : program_.items) {
            switch (item.kind) {
            case TopItem::Header:
                if (!write_header(out.data() + header_offset_)) return false;
                break;
            case TopItem::Toc:
                if (!write_toc(out.data() + toc_offset_)) return false;
                for (DepDef& dep : toc_->deps) {
                    if (!dep.body) continue;
                    const Bytes& b = bodies_[&dep].bytes;
                    copy_bytes(out.data() + body_places_[&dep].offset, b.data(), b.size());
                }
                break;
            case TopItem::Region: case TopItem::Main: {
                const Bytes& b = sections_[&item].bytes;
                copy_bytes(out.data() + places_[&item].offset, b.data(), b.size());
                break;
            }
            case TopItem::Raw:
                break;
            default:
                break;
            }
        }
        // Raw items are written in a second walk: their offsets follow from order.
        uint64_t offset = default_header_ ? kHeaderSize : 0;
        for (TopItem& item : program_.items) {
            switch (item.kind) {
            case TopItem::Header: offset += kHeaderSize; break;
            case TopItem::Toc:
                offset += 2 + kTocEntrySize * toc_->deps.size() + (toc_->rest ? toc_->rest->bytes.size() : 0);
                for (DepDef& dep : toc_->deps) offset += dep.body ? bodies_[&dep].bytes.size() : 0;
                break;
            case TopItem::Region: case TopItem::Main: offset += sections_[&item].bytes.size(); break;
            case TopItem::Raw:
                copy_bytes(out.data() + offset, item.raw.data(), item.raw.size());
                offset += item.raw.size();
                break;
            default: break;
            }
        }
        return true;
    }

    // The default fingerprint is SHA-256 of the region's bytes as laid out, taken
    // before signing; a region outside the file keeps a zero fingerprint.
    bool write_fingerprints(Bytes& out) {
        for (const DepEntry& d : dep_entries_) {
            if (d.dep->fingerprint) continue;
            if (d.region_offset > out.size() || d.region_length > out.size() - d.region_offset) continue;
            crypto_hash_sha256(out.data() + d.entry_offset + 80, out.data() + d.region_offset, d.region_length);
        }
        return true;
    }

    bool sign(Bytes& out) {
        const uint8_t* key = nullptr;
        if (options_.sign) key = options_.secret_key;
        else if (header_ && header_->sign_key) key = header_->sign_key->data();
        if (!key) return true;
        if (out.size() < kHeaderSize) return fail(0, "cannot sign: the package is shorter than its 192-byte header");
        sign_package(out.data(), out.size(), key);
        return true;
    }

    bool apply_patches(Bytes& out) {
        for (const TopItem& item : program_.items) {
            if (item.kind != TopItem::Patch) continue;
            uint64_t at = 0;
            if (!resolve(item.patch_offset, UINT64_MAX >> 1, at)) return false;
            if (at > out.size() || item.raw.size() > out.size() - at) {
                return fail(item.line, ".patch runs past the end of the file (" + std::to_string(out.size()) + " bytes)");
            }
            copy_bytes(out.data() + at, item.raw.data(), item.raw.size());
        }
        return true;
    }

    struct DepEntry {
        DepDef* dep;
        uint64_t entry_offset;
        uint64_t region_offset;
        uint64_t region_length;
    };

    Program& program_;
    const AsmOptions& options_;
    AsmError& error_;
    HeaderDef* header_ = nullptr;
    TocDef* toc_ = nullptr;
    TopItem* main_ = nullptr;
    bool default_header_ = false;
    uint64_t header_offset_ = 0;
    uint64_t toc_offset_ = 0;
    uint64_t file_size_ = 0;
    std::map<std::string, uint64_t> names_;
    std::map<std::string, Placed> regions_;
    std::map<const TopItem*, SectionBytes> sections_;
    std::map<const TopItem*, Placed> places_;
    std::map<const DepDef*, SectionBytes> bodies_;
    std::map<const DepDef*, Placed> body_places_;
    std::vector<DepEntry> dep_entries_;
};

}  // namespace

bool assemble_text(const std::string& source, const AsmOptions& options, std::vector<uint8_t>& out,
                   AsmError& error) {
    std::vector<SourceLine> lines;
    if (!lex_source(source, lines, error.line, error.message)) return false;
    Program program;
    Parser parser(lines);
    if (!parser.parse_program(program)) {
        error.line = parser.error_line();
        error.message = parser.error();
        return false;
    }
    Layout layout(program, options, error);
    return layout.run(out);
}

std::string format_asm_error(const std::string& file, const AsmError& error) {
    if (error.line <= 0) return file + ": " + error.message;
    return file + ":" + std::to_string(error.line) + ": " + error.message;
}

}  // namespace tarvik::tools
