// package/package_loader.h: the package container: the 192-byte header, the
// signature policy, the region checks, a bundle's table of contents and the hand-off
// to the chunk reader and validator. A load returns the validated top-level chunk
// or ends the process with status 4 after an error line.
#pragma once

#include <cstddef>
#include <cstdint>

#include "package/byte_reader.h"
#include "runtime/chunk.h"

namespace tarvik {

constexpr uint32_t kPackageMagic = 0x32565254;  // "TRV2" read little-endian
constexpr uint32_t kMinFormatVersion = 0x01000008;
constexpr uint32_t kMaxFormatVersion = 0x01000009;
constexpr uint32_t kMaxMainSection = 0xA00000;
constexpr uint32_t kMaxBundleDeps = 1024;
constexpr size_t kTocEntrySize = 152;

// Header layout (192 bytes): magic 0, package_version 4, format_version 8,
// producer_text 12 (32), flags 44, producer_word 48, regions 56 (6 x u32),
// reserved 80 (2), sig_alg 82, reserved 83, signer_key 84 (32), signature 116 (64),
// reserved 180 (12).
struct PackageHeader {
    char magic[4];
    uint32_t package_version;
    uint32_t format_version;
    char producer_text[32];  // last byte forced to NUL
    uint32_t flags;          // bit 0: a bundle with a TOC at offset 192
    uint64_t producer_word;
    uint32_t regions[6];
    uint8_t sig_alg;
    uint8_t signer_key[32];
    uint8_t signature[64];
};

// One dependency carried in a bundle, waiting for program start.
struct PendingDep {
    char name[64];
    uint32_t version;
    uint8_t fingerprint[32];
    uint8_t is_signed;
    uint8_t signer[32];
    uint8_t* bytes;  // owned copy of the region; null when the region was rejected
    uint32_t length;
};

// The list set by the latest bundle load, consumed by program start.
struct PendingDepList {
    PendingDep* deps = nullptr;
    uint32_t count = 0;
};
extern PendingDepList g_pending_deps;
void pending_deps_free();

// Fills the header and advances by 192; false (reading nothing) when fewer remain.
bool read_package_header(ByteReader& r, PackageHeader* header);

Chunk* load_package_file(const char* path);
// The caller keeps the bytes; the chunk owns copies of what it needs.
Chunk* load_package_memory(const uint8_t* bytes, size_t size, PackageHeader* header);

}  // namespace tarvik
