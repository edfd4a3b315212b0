// package/package_loader.cpp: load checks in their fixed order, the signature policy
// and the bundle TOC.
#include "package/package_loader.h"

#include <cstdio>
#include <cstdlib>

#include "package/chunk_reader.h"
#include "package/signature.h"
#include "runtime/alloc.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/vm_options.h"

namespace tarvik {

PendingDepList g_pending_deps;

namespace {

void version_parts(uint32_t v, int out[4]) {
    out[0] = int(v >> 24);
    out[1] = int((v >> 16) & 0xFF);
    out[2] = int((v >> 8) & 0xFF);
    out[3] = int(v & 0xFF);
}

void apply_signature_policy(const uint8_t* bytes, size_t size, const PackageHeader& header) {
    char key[65] = {};
    char label[64] = {};
    SigStatus status = evaluate_signature(bytes, size, key, label);
    switch (status) {
    case SigStatus::Unsigned:
        if (g_options.require_signed) load_fail("Package is unsigned but --require-signed is set\n");
        break;
    case SigStatus::Valid:
        if (g_options.require_signed) load_fail("Package signed by untrusted key %s (not in trusted_keys)\n", key);
        print_trace("Package signature valid (untrusted signer %s)\n", key);
        break;
    case SigStatus::Trusted:
        print_trace("Package signature trusted: %s (%s)\n", label[0] ? label : "unnamed", key);
        break;
    case SigStatus::Invalid:
        load_fail("Package signature is INVALID - file may be tampered or corrupt\n");
    case SigStatus::Stripped:
        load_fail("Package signature was STRIPPED - sig_alg is cleared but the public key and signature are still "
                  "present\n");
    case SigStatus::Unsupported:
        load_fail("Package uses an unsupported signature scheme (sig_alg=%u) - recompile and re-sign with this "
                  "toolchain\n",
                  unsigned(header.sig_alg));
    }
}

void check_regions(const PackageHeader& header, size_t size) {
    const uint32_t* reg = header.regions;
    if (reg[0] < kPackageHeaderSize) load_fail("Main section starts inside the header\n");
    for (int i = 0; i < 5; ++i) {
        if (reg[i] > reg[i + 1]) load_fail("Main section regions are out of order\n");
    }
    if (reg[5] > size) load_fail("Main section extends past end of file\n");
    if (!(header.flags & 1) && reg[0] != kPackageHeaderSize) {
        load_fail("Non-bundle main section must start at the header end\n");
    }
    if (reg[5] == reg[0] || reg[5] - reg[0] > kMaxMainSection) load_fail("Invalid main section length\n");
}

void copy_dep_region(PendingDep& dep, const uint8_t* bytes, size_t size, uint64_t offset, uint32_t length) {
    if (offset > size || length > size - offset) {
        print_error("[Bundle] Dep '%s' region out of buffer bounds\n", dep.name);
        return;
    }
    if (length == 0) {
        print_error("[Bundle] Dep '%s' has an empty chunk region\n", dep.name);
        return;
    }
    dep.bytes = static_cast<uint8_t*>(length < kAllocLimit ? checked_alloc(length) : (raise_error(ERR_RUNTIME), nullptr));
    if (!dep.bytes) {
        print_error("[Bundle] Out of memory for dep '%s' (%u bytes)\n", dep.name, length);
        return;
    }
    std::memcpy(dep.bytes, bytes + offset, length);
    dep.length = length;
}

struct RawTocEntry {
    char name[64];
    uint32_t version;
    uint64_t offset;
    uint32_t length;
    uint8_t fingerprint[32];
    uint8_t is_signed;
    uint8_t signer[32];
};

void read_toc_entry(ByteReader& r, RawTocEntry& e) {
    read_bytes(r, e.name, 64);
    e.name[63] = '\0';
    e.version = read_u32(r);
    e.offset = read_u64(r);
    e.length = read_u32(r);
    read_bytes(r, e.fingerprint, 32);
    e.is_signed = read_u8(r);
    read_bytes(r, e.signer, 32);
    reader_skip(r, 7);
}

void read_toc(ByteReader& r, const uint8_t* bytes, size_t size) {
    reader_seek(r, kPackageHeaderSize);
    uint32_t count = read_u16(r);
    if (count > kMaxBundleDeps) load_fail("[Bundle] TOC declares %d deps, limit is %d\n", int(count), int(kMaxBundleDeps));
    if (count == 0) return;
    // A dry pass first: a short TOC fails with the same message before anything is
    // allocated that the failure would strand.
    ByteReader probe = r;
    RawTocEntry scratch;
    for (uint32_t i = 0; i < count; ++i) read_toc_entry(probe, scratch);
    auto* raw = static_cast<RawTocEntry*>(checked_calloc(count, sizeof(RawTocEntry)));
    if (!raw) load_fail("[Bundle] Out of memory for TOC of %d deps\n", int(count));
    for (uint32_t i = 0; i < count; ++i) read_toc_entry(r, raw[i]);
    auto* deps = static_cast<PendingDep*>(checked_calloc(count, sizeof(PendingDep)));
    if (!deps) {
        checked_free(raw);
        load_fail("[Bundle] Out of memory for %d pending deps\n", int(count));
    }
    pending_deps_free();
    g_pending_deps.deps = deps;
    g_pending_deps.count = count;
    for (uint32_t i = 0; i < count; ++i) {
        PendingDep& dep = deps[i];
        std::memcpy(dep.name, raw[i].name, 64);
        dep.version = raw[i].version;
        std::memcpy(dep.fingerprint, raw[i].fingerprint, 32);
        dep.is_signed = raw[i].is_signed;
        std::memcpy(dep.signer, raw[i].signer, 32);
        copy_dep_region(dep, bytes, size, raw[i].offset, raw[i].length);
    }
    checked_free(raw);
}

}  // namespace

void pending_deps_free() {
    for (uint32_t i = 0; i < g_pending_deps.count; ++i) checked_free(g_pending_deps.deps[i].bytes);
    checked_free(g_pending_deps.deps);
    g_pending_deps = PendingDepList{};
}

bool read_package_header(ByteReader& r, PackageHeader* h) {
    if (r.size - r.pos < kPackageHeaderSize) return false;
    read_bytes(r, h->magic, 4);
    h->package_version = read_u32(r);
    h->format_version = read_u32(r);
    read_bytes(r, h->producer_text, 32);
    h->producer_text[31] = '\0';
    h->flags = read_u32(r);
    h->producer_word = read_u64(r);
    for (uint32_t& region : h->regions) region = read_u32(r);
    reader_skip(r, 2);
    h->sig_alg = read_u8(r);
    reader_skip(r, 1);
    read_bytes(r, h->signer_key, 32);
    read_bytes(r, h->signature, 64);
    reader_skip(r, 12);
    return true;
}

Chunk* load_package_memory(const uint8_t* bytes, size_t size, PackageHeader* header) {
    if (size < kPackageHeaderSize) load_fail("Invalid bytecode file (too small)\n");
    ByteReader r = byte_reader(bytes, size);
    if (!read_package_header(r, header)) load_fail("Invalid bytecode header\n");
    if (std::memcmp(header->magic, "TRV2", 4) != 0) load_fail("Invalid bytecode signature\n");
    int v[4];
    version_parts(header->format_version, v);
    if (header->format_version > kMaxFormatVersion) {
        load_fail("File was compiled for a newer system! %d.%d.%d.%d < %d.%d.%d.%d\n", 1, 0, 0, 9, v[0], v[1], v[2],
                  v[3]);
    }
    if (header->format_version < kMinFormatVersion) {
        load_fail("File was compiled by %d.%d.%d.%d, older than the minimum supported %d.%d.%d.%d - recompile the "
                  "source\n",
                  v[0], v[1], v[2], v[3], 1, 0, 0, 8);
    }
    apply_signature_policy(bytes, size, *header);
    check_regions(*header, size);
    if (header->flags & 1) read_toc(r, bytes, size);
    reader_seek(r, header->regions[0]);
    Chunk* chunk = read_main_section(r);
    if (!chunk) load_fail("Failed to read chunk\n");
    if (!chunk_reader_validate(chunk, 0)) load_fail("Bytecode validation failed\n");
    return chunk;
}

Chunk* load_package_file(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (!file) load_fail("Failed to open file: %s\n", path);
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    if (size < 0 || size > 0x7FFFFFFF || size < long(kPackageHeaderSize) || std::fseek(file, 0, SEEK_SET) != 0) {
        std::fclose(file);
        load_fail("Invalid bytecode file (too small)\n");
    }
    auto* buffer = static_cast<uint8_t*>(checked_alloc(size_t(size)));
    size_t got = buffer ? std::fread(buffer, 1, size_t(size), file) : 0;
    std::fclose(file);
    if (got != size_t(size)) {
        checked_free(buffer);
        load_fail("Failed to read bytecode file\n");
    }
    PackageHeader header;
    Chunk* chunk = load_package_memory(buffer, size_t(size), &header);
    checked_free(buffer);
    return chunk;
}

}  // namespace tarvik
