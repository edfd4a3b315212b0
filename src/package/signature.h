// package/signature.h: package signatures. EdDSA on edwards25519 with BLAKE2b-512 as
// the hash, over a 50-byte message "tarvik.tvk.sig.v1" NUL digest, where the digest
// is SHA-256 of the package with its signature field (offsets 116..179) zeroed.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvik {

constexpr size_t kPackageHeaderSize = 192;
constexpr size_t kSigAlgOffset = 82;
constexpr size_t kSignerKeyOffset = 84;
constexpr size_t kSignatureOffset = 116;
constexpr uint8_t kSigAlgNone = 0;
constexpr uint8_t kSigAlgEd25519 = 2;

enum class SigStatus : int { Unsigned = 0, Valid = 1, Trusted = 2, Invalid = 3, Stripped = 4, Unsupported = 5 };

// "unsigned", "valid", "trusted", "invalid", "stripped", "unsupported".
const char* sig_status_word(SigStatus status);

// Evaluates the signature of a whole package (the bytes handed to the loader). The
// key text (65 bytes) receives the signer as lower-case hex only when the signature
// verifies; the label (64 bytes) is cleared and receives the trusted label. Either
// output may be null.
SigStatus evaluate_signature(const uint8_t* package, size_t size, char* key_text_out, char* label_out);

// SHA-256 of the package with the signature field taken as zero. False when the
// package is shorter than the header.
bool package_digest(const uint8_t* package, size_t size, uint8_t digest_out[32]);

// Key pair from a 32-byte seed: secret key = seed || public key.
void sig_keypair_from_seed(const uint8_t seed[32], uint8_t public_key[32], uint8_t secret_key[64]);
// Key pair from fresh random bytes.
void sig_keypair_generate(uint8_t public_key[32], uint8_t secret_key[64]);
// Signs a message (64-byte signature R || S).
void sig_sign(const uint8_t secret_key[64], const uint8_t* message, size_t length, uint8_t signature[64]);
// True exactly when S < L, A decodes canonically and [S]B = R + [k]A.
bool sig_verify(const uint8_t public_key[32], const uint8_t* message, size_t length, const uint8_t signature[64]);

// Signs a package in place: sets sig_alg = 2, the signer key and the signature.
// False when the package is shorter than the header.
bool sign_package(uint8_t* package, size_t size, const uint8_t secret_key[64]);

// Hex helpers: 2n lower-case characters plus NUL; decode accepts either case and
// fails on any other character or length.
void hex_encode(const uint8_t* bytes, size_t n, char* out);
bool hex_decode(const char* text, size_t text_length, uint8_t* out, size_t n);

}  // namespace tarvik
