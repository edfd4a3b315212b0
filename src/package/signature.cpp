// package/signature.cpp: the package digest, the signed message, EdDSA with BLAKE2b-512
// on libsodium's edwards25519 operations, and the status of a package's signature.
#include "package/signature.h"

#include <sodium.h>

#include <cstring>

#include "package/trusted_keys.h"

namespace tarvik {

namespace {

constexpr size_t kSignatureSize = 64;
constexpr size_t kSignatureEnd = kSignatureOffset + kSignatureSize;  // 180
constexpr size_t kDigestSize = 32;
constexpr char kMessagePrefix[] = "tarvik.tvk.sig.v1";  // 17 characters, then one NUL
constexpr size_t kMessageSize = 17 + 1 + kDigestSize;   // 50
static_assert(sizeof kMessagePrefix == 18, "the prefix and its NUL fill 18 bytes");

// The group order L, little-endian.
constexpr uint8_t kOrderL[32] = {0xed, 0xd3, 0xf5, 0x5c, 0x1a, 0x63, 0x12, 0x58, 0xd6, 0x9c, 0xf7,
                                 0xa2, 0xde, 0xf9, 0xde, 0x14, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10};
// 8^-1 mod L, which recovers the prime-order part of a point from its eightfold.
constexpr uint8_t kInverseOf8[32] = {0x79, 0x2f, 0xdc, 0xe2, 0x29, 0xe5, 0x06, 0x61, 0xd0, 0xda, 0x1c,
                                     0x7d, 0xb3, 0x9d, 0xd3, 0x07, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                     0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x06};
// The neutral point O, encoded as y = 1.
constexpr uint8_t kIdentity[32] = {1};

// libsodium must be initialised before its random generator and its optimised code
// paths are used; a function-local static makes that happen once, thread-safely.
bool sodium_ready() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}

bool is_identity(const uint8_t point[32]) { return std::memcmp(point, kIdentity, 32) == 0; }

// [n]B; libsodium refuses n = 0 (a legal scalar here), whose product is O.
void scalarmult_base(uint8_t out[32], const uint8_t n[32]) {
    if (crypto_scalarmult_ed25519_base_noclamp(out, n) != 0) std::memcpy(out, kIdentity, 32);
}

// Reduces a 64-byte BLAKE2b-512 hash of the given pieces modulo L.
void hash_to_scalar(uint8_t out[32], const uint8_t* a, size_t a_len, const uint8_t* b, size_t b_len,
                    const uint8_t* c, size_t c_len) {
    crypto_generichash_state state;
    uint8_t wide[64];
    crypto_generichash_init(&state, nullptr, 0, sizeof wide);
    crypto_generichash_update(&state, a, a_len);
    if (b_len != 0) crypto_generichash_update(&state, b, b_len);
    if (c_len != 0) crypto_generichash_update(&state, c, c_len);
    crypto_generichash_final(&state, wide, sizeof wide);
    crypto_core_ed25519_scalar_reduce(out, wide);
    sodium_memzero(wide, sizeof wide);
    sodium_memzero(&state, sizeof state);
}

// The secret scalar and nonce key: BLAKE2b-512 of the seed, the low half clamped.
void expand_seed(const uint8_t seed[32], uint8_t az[64]) {
    crypto_generichash(az, 64, seed, 32, nullptr, 0);
    az[0] &= 248;
    az[31] &= 127;
    az[31] |= 64;
}

// [k]P for any on-curve P and 0 <= k < L. libsodium's multiplication refuses points
// with a small-order component, the zero scalar and an O result, all of which the
// verification equation must still handle, so such points are split into a
// prime-order part and a torsion part T (order dividing 8, where [k]T = [k mod 8]T).
bool mul_exact(uint8_t out[32], const uint8_t k[32], const uint8_t point[32]) {
    if (crypto_scalarmult_ed25519_noclamp(out, k, point) == 0) return true;

    uint8_t eightfold[32];
    if (crypto_core_ed25519_add(eightfold, point, point) != 0) return false;
    crypto_core_ed25519_add(eightfold, eightfold, eightfold);
    crypto_core_ed25519_add(eightfold, eightfold, eightfold);

    uint8_t prime_part[32];
    uint8_t torsion[32];
    if (is_identity(eightfold)) {
        std::memcpy(prime_part, kIdentity, 32);
        std::memcpy(torsion, point, 32);
    } else {
        if (crypto_scalarmult_ed25519_noclamp(prime_part, kInverseOf8, eightfold) != 0) return false;
        crypto_core_ed25519_sub(torsion, point, prime_part);
    }

    uint8_t k_prime[32];
    if (sodium_is_zero(k, 32) || is_identity(prime_part)) {
        std::memcpy(k_prime, kIdentity, 32);
    } else if (crypto_scalarmult_ed25519_noclamp(k_prime, k, prime_part) != 0) {
        return false;
    }

    uint8_t k_torsion[32];
    std::memcpy(k_torsion, kIdentity, 32);
    for (int i = 0; i < (k[0] & 7); ++i) crypto_core_ed25519_add(k_torsion, k_torsion, torsion);

    return crypto_core_ed25519_add(out, k_prime, k_torsion) == 0;
}

// A is accepted only in its canonical encoding: adding O re-encodes the point, which
// changes the bytes exactly when y >= p or x = 0 carries the sign bit. Off-curve
// encodings fail the addition itself.
bool is_canonical_point(const uint8_t point[32]) {
    uint8_t canonical[32];
    if (crypto_core_ed25519_add(canonical, point, kIdentity) != 0) return false;
    return std::memcmp(canonical, point, 32) == 0;
}

void build_message(const uint8_t digest[kDigestSize], uint8_t message[kMessageSize]) {
    std::memcpy(message, kMessagePrefix, sizeof kMessagePrefix);
    std::memcpy(message + sizeof kMessagePrefix, digest, kDigestSize);
}

}  // namespace

const char* sig_status_word(SigStatus status) {
    switch (status) {
    case SigStatus::Unsigned: return "unsigned";
    case SigStatus::Valid: return "valid";
    case SigStatus::Trusted: return "trusted";
    case SigStatus::Invalid: return "invalid";
    case SigStatus::Stripped: return "stripped";
    case SigStatus::Unsupported: return "unsupported";
    }
    return "invalid";
}

bool package_digest(const uint8_t* package, size_t size, uint8_t digest_out[32]) {
    if (package == nullptr || size < kPackageHeaderSize || !sodium_ready()) return false;
    crypto_hash_sha256_state state;
    crypto_hash_sha256_init(&state);

    // The header goes in as three 64-byte blocks, the signature field's 64 bytes
    // (116..179) as zeros: they straddle the second and third block.
    uint8_t block[64];
    std::memset(block, 0, sizeof block);
    std::memcpy(block, package + 64, kSignatureOffset - 64);
    crypto_hash_sha256_update(&state, package, 64);
    crypto_hash_sha256_update(&state, block, sizeof block);
    std::memset(block, 0, sizeof block);
    std::memcpy(block + (kSignatureEnd - 128), package + kSignatureEnd, kPackageHeaderSize - kSignatureEnd);
    crypto_hash_sha256_update(&state, block, sizeof block);
    crypto_hash_sha256_update(&state, package + kPackageHeaderSize, size - kPackageHeaderSize);
    crypto_hash_sha256_final(&state, digest_out);
    return true;
}

void sig_keypair_from_seed(const uint8_t seed[32], uint8_t public_key[32], uint8_t secret_key[64]) {
    sodium_ready();
    uint8_t az[64];
    expand_seed(seed, az);
    scalarmult_base(public_key, az);  // a clamped scalar is never zero
    std::memmove(secret_key, seed, 32);
    std::memcpy(secret_key + 32, public_key, 32);
    sodium_memzero(az, sizeof az);
}

void sig_keypair_generate(uint8_t public_key[32], uint8_t secret_key[64]) {
    sodium_ready();
    uint8_t seed[32];
    randombytes_buf(seed, sizeof seed);
    sig_keypair_from_seed(seed, public_key, secret_key);
    sodium_memzero(seed, sizeof seed);
}

void sig_sign(const uint8_t secret_key[64], const uint8_t* message, size_t length, uint8_t signature[64]) {
    sodium_ready();
    uint8_t az[64];
    expand_seed(secret_key, az);

    uint8_t wide[64] = {};
    std::memcpy(wide, az, 32);
    uint8_t a[32];
    crypto_core_ed25519_scalar_reduce(a, wide);
    sodium_memzero(wide, sizeof wide);

    uint8_t r[32];
    hash_to_scalar(r, az + 32, 32, message, length, nullptr, 0);
    uint8_t big_r[32];
    scalarmult_base(big_r, r);

    // The challenge hashes the stored public key bytes, not a recomputed key.
    uint8_t k[32];
    hash_to_scalar(k, big_r, 32, secret_key + 32, 32, message, length);
    uint8_t ka[32];
    crypto_core_ed25519_scalar_mul(ka, k, a);
    std::memcpy(signature, big_r, 32);
    crypto_core_ed25519_scalar_add(signature + 32, ka, r);

    sodium_memzero(az, sizeof az);
    sodium_memzero(a, sizeof a);
    sodium_memzero(r, sizeof r);
    sodium_memzero(ka, sizeof ka);
}

bool sig_verify(const uint8_t public_key[32], const uint8_t* message, size_t length, const uint8_t signature[64]) {
    if (!sodium_ready()) return false;
    const uint8_t* big_r = signature;
    const uint8_t* s = signature + 32;
    if (sodium_compare(s, kOrderL, 32) >= 0) return false;
    if (!is_canonical_point(public_key)) return false;

    uint8_t k[32];
    hash_to_scalar(k, big_r, 32, public_key, 32, message, length);
    uint8_t sb[32];
    scalarmult_base(sb, s);
    uint8_t ka[32];
    if (!mul_exact(ka, k, public_key)) return false;
    // [S]B - [k]A is always canonical, so a non-canonical or off-curve R never matches.
    uint8_t r_check[32];
    if (crypto_core_ed25519_sub(r_check, sb, ka) != 0) return false;
    return crypto_verify_32(r_check, big_r) == 0;
}

bool sign_package(uint8_t* package, size_t size, const uint8_t secret_key[64]) {
    if (package == nullptr || size < kPackageHeaderSize) return false;
    package[kSigAlgOffset] = kSigAlgEd25519;
    std::memcpy(package + kSignerKeyOffset, secret_key + 32, 32);
    uint8_t digest[kDigestSize];
    if (!package_digest(package, size, digest)) return false;
    uint8_t message[kMessageSize];
    build_message(digest, message);
    sig_sign(secret_key, message, sizeof message, package + kSignatureOffset);
    return true;
}

SigStatus evaluate_signature(const uint8_t* package, size_t size, char* key_text_out, char* label_out) {
    if (label_out != nullptr) label_out[0] = '\0';
    // The header fields below lie inside the first 192 bytes; a shorter buffer has
    // none to read, whatever its sig_alg byte would say.
    if (package == nullptr || size < kPackageHeaderSize) return SigStatus::Invalid;

    uint8_t sig_alg = package[kSigAlgOffset];
    if (sig_alg == kSigAlgNone) {
        bool all_zero = sodium_is_zero(package + kSignerKeyOffset, kSignatureEnd - kSignerKeyOffset);
        return all_zero ? SigStatus::Unsigned : SigStatus::Stripped;
    }
    if (sig_alg != kSigAlgEd25519) return SigStatus::Unsupported;

    uint8_t digest[kDigestSize];
    if (!package_digest(package, size, digest)) return SigStatus::Invalid;
    uint8_t message[kMessageSize];
    build_message(digest, message);
    const uint8_t* signer = package + kSignerKeyOffset;
    if (!sig_verify(signer, message, sizeof message, package + kSignatureOffset)) return SigStatus::Invalid;

    if (key_text_out != nullptr) hex_encode(signer, 32, key_text_out);
    return is_trusted_key(signer, label_out) ? SigStatus::Trusted : SigStatus::Valid;
}

void hex_encode(const uint8_t* bytes, size_t n, char* out) {
    static constexpr char kDigits[] = "0123456789abcdef";
    for (size_t i = 0; i < n; ++i) {
        out[2 * i] = kDigits[bytes[i] >> 4];
        out[2 * i + 1] = kDigits[bytes[i] & 15];
    }
    out[2 * n] = '\0';
}

namespace {
int hex_digit_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
}  // namespace

bool hex_decode(const char* text, size_t text_length, uint8_t* out, size_t n) {
    if (text_length != 2 * n) return false;
    // Checked in full first, so a rejected text leaves the output untouched.
    for (size_t i = 0; i < text_length; ++i) {
        if (hex_digit_value(text[i]) < 0) return false;
    }
    for (size_t i = 0; i < n; ++i) {
        out[i] = uint8_t(hex_digit_value(text[2 * i]) << 4 | hex_digit_value(text[2 * i + 1]));
    }
    return true;
}

}  // namespace tarvik
