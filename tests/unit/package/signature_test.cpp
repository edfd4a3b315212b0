// Package signatures: the known-answer vectors, the verification rule's edge cases,
// the package digest and each signature status.
#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <sodium.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "package/key_file_fixture.h"
#include "package/signature.h"
#include "package/trusted_keys.h"

namespace tarvik {
namespace {

using Bytes = std::vector<uint8_t>;
using Vector = std::map<std::string, Bytes>;

Bytes from_hex(const std::string& text) {
    Bytes out(text.size() / 2);
    EXPECT_TRUE(hex_decode(text.data(), text.size(), out.data(), out.size())) << text;
    return out;
}

std::string to_hex(const uint8_t* bytes, size_t n) {
    std::string out(2 * n + 1, '\0');
    hex_encode(bytes, n, out.data());
    out.pop_back();
    return out;
}

// Blocks of "name = hex" lines separated by blank lines; '#' lines are comments.
std::vector<Vector> load_vectors(const char* name) {
    std::ifstream in(std::string(TARVIK_SOURCE_DIR "/../shared/testdata/crypto/") + name);
    EXPECT_TRUE(in.good()) << name;
    std::vector<Vector> vectors;
    Vector current;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '#') continue;
        if (line.empty()) {
            if (!current.empty()) vectors.push_back(std::move(current));
            current.clear();
            continue;
        }
        size_t eq = line.find(" =");
        EXPECT_NE(eq, std::string::npos) << line;
        if (eq == std::string::npos) continue;
        std::string value = eq + 3 <= line.size() ? line.substr(eq + 3) : std::string();
        current[line.substr(0, eq)] = from_hex(value);
    }
    if (!current.empty()) vectors.push_back(std::move(current));
    return vectors;
}

Bytes concat(const Bytes& a, const Bytes& b) {
    Bytes out = a;
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

// S + L over 256 bits: the same residue as S, but not below L.
void add_order(uint8_t s[32]) {
    static const uint8_t kL[32] = {0xed, 0xd3, 0xf5, 0x5c, 0x1a, 0x63, 0x12, 0x58, 0xd6, 0x9c, 0xf7,
                                   0xa2, 0xde, 0xf9, 0xde, 0x14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x10};
    unsigned carry = 0;
    for (int i = 0; i < 32; ++i) {
        unsigned sum = unsigned(s[i]) + kL[i] + carry;
        s[i] = uint8_t(sum);
        carry = sum >> 8;
    }
}

// The challenge scalar k = BLAKE2b-512(R || A || M) mod L, from the library directly.
void challenge(uint8_t k[32], const uint8_t r[32], const uint8_t a[32], const Bytes& message) {
    crypto_generichash_state state;
    uint8_t wide[64];
    crypto_generichash_init(&state, nullptr, 0, 64);
    crypto_generichash_update(&state, r, 32);
    crypto_generichash_update(&state, a, 32);
    crypto_generichash_update(&state, message.data(), message.size());
    crypto_generichash_final(&state, wide, 64);
    crypto_core_ed25519_scalar_reduce(k, wide);
}

bool is_zero_mod_8(const uint8_t k[32]) { return (k[0] & 7) == 0; }

TEST(SignatureVectors, KeyPairsFromSeedsMatch) {
    std::vector<Vector> vectors = load_vectors("eddsa_blake2b_pk.txt");
    ASSERT_GE(vectors.size(), 257u);
    for (const Vector& v : vectors) {
        const Bytes& seed = v.at("seed");
        uint8_t public_key[32], secret_key[64];
        sig_keypair_from_seed(seed.data(), public_key, secret_key);
        EXPECT_EQ(to_hex(public_key, 32), to_hex(v.at("pk").data(), 32));
        EXPECT_EQ(Bytes(secret_key, secret_key + 64), concat(seed, v.at("pk")));
    }
}

TEST(SignatureVectors, SignaturesMatchAndVerify) {
    std::vector<Vector> vectors = load_vectors("eddsa_blake2b.txt");
    ASSERT_GE(vectors.size(), 259u);
    for (const Vector& v : vectors) {
        const Bytes& pk = v.at("pk");
        const Bytes& msg = v.at("msg");
        const Bytes& expected = v.at("sig");
        uint8_t public_key[32], secret_key[64];
        sig_keypair_from_seed(v.at("seed").data(), public_key, secret_key);
        ASSERT_EQ(Bytes(public_key, public_key + 32), pk);

        uint8_t signature[64];
        sig_sign(secret_key, msg.data(), msg.size(), signature);
        EXPECT_EQ(to_hex(signature, 64), to_hex(expected.data(), 64)) << "message of " << msg.size() << " bytes";
        EXPECT_TRUE(sig_verify(pk.data(), msg.data(), msg.size(), expected.data()));

        // Any change to the message, R or S breaks it.
        if (!msg.empty()) {
            Bytes changed = msg;
            changed[changed.size() / 2] ^= 0x01;
            EXPECT_FALSE(sig_verify(pk.data(), changed.data(), changed.size(), expected.data()));
        }
        Bytes bad = expected;
        bad[3] ^= 0x40;
        EXPECT_FALSE(sig_verify(pk.data(), msg.data(), msg.size(), bad.data()));
        bad = expected;
        bad[40] ^= 0x02;
        EXPECT_FALSE(sig_verify(pk.data(), msg.data(), msg.size(), bad.data()));
    }
}

class SigVerify : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_GE(sodium_init(), 0);
        uint8_t seed[32];
        for (int i = 0; i < 32; ++i) seed[i] = uint8_t(7 * i + 1);
        sig_keypair_from_seed(seed, public_key, secret_key);
    }
    uint8_t public_key[32];
    uint8_t secret_key[64];
    const Bytes message{'p', 'a', 'c', 'k', 'a', 'g', 'e'};
};

TEST_F(SigVerify, ScalarNotBelowOrderIsRejected) {
    uint8_t signature[64];
    sig_sign(secret_key, message.data(), message.size(), signature);
    ASSERT_TRUE(sig_verify(public_key, message.data(), message.size(), signature));
    // S + L satisfies the equation just as S does; only the range check refuses it.
    add_order(signature + 32);
    EXPECT_FALSE(sig_verify(public_key, message.data(), message.size(), signature));
}

// With A = O the equation reads [S]B = R, whatever the message.
TEST_F(SigVerify, NonCanonicalKeyEncodingsAreRejected) {
    uint8_t signature[64] = {};
    signature[32] = 42;
    ASSERT_EQ(crypto_scalarmult_ed25519_base_noclamp(signature, signature + 32), 0);

    uint8_t identity[32] = {1};
    EXPECT_TRUE(sig_verify(identity, message.data(), message.size(), signature));

    uint8_t y_above_p[32];  // y = p + 1, the same point as O
    std::memset(y_above_p, 0xff, 32);
    y_above_p[0] = 0xee;
    y_above_p[31] = 0x7f;
    EXPECT_FALSE(sig_verify(y_above_p, message.data(), message.size(), signature));

    uint8_t negative_zero_x[32] = {1};  // x = 0 with the sign bit set
    negative_zero_x[31] = 0x80;
    EXPECT_FALSE(sig_verify(negative_zero_x, message.data(), message.size(), signature));

    // A y with no x on the curve.
    uint8_t identity_point[32] = {1};
    uint8_t off_curve[32] = {};
    uint8_t scratch[32];
    for (off_curve[0] = 2; crypto_core_ed25519_add(scratch, off_curve, identity_point) == 0; ++off_curve[0]) {}
    EXPECT_FALSE(sig_verify(off_curve, message.data(), message.size(), signature));
}

// A point of order 8; [k]T vanishes exactly when 8 divides k.
const char kOrder8Hex[] = "c7176a703d4dd84fba3c0b760d10670f2a2053fa2c39ccc64ec7fd7792ac037a";

TEST_F(SigVerify, TorsionInTheKeyIsHandledExactly) {
    uint8_t torsion[32];
    ASSERT_TRUE(hex_decode(kOrder8Hex, 64, torsion, 32));
    uint8_t multiple[32];
    ASSERT_EQ(crypto_core_ed25519_add(multiple, torsion, torsion), 0);
    ASSERT_EQ(crypto_core_ed25519_add(multiple, multiple, multiple), 0);
    uint8_t fourfold[32];
    std::memcpy(fourfold, multiple, 32);
    ASSERT_EQ(crypto_core_ed25519_add(multiple, multiple, multiple), 0);
    uint8_t identity[32] = {1};
    ASSERT_NE(std::memcmp(fourfold, identity, 32), 0);
    ASSERT_EQ(std::memcmp(multiple, identity, 32), 0);

    // Signing with a torsioned public key: S = r + k·a, so R + [k]A' = [S]B + [k]T.
    uint8_t torsioned[32];
    ASSERT_EQ(crypto_core_ed25519_add(torsioned, public_key, torsion), 0);
    uint8_t torsioned_secret[64];
    std::memcpy(torsioned_secret, secret_key, 32);
    std::memcpy(torsioned_secret + 32, torsioned, 32);

    int accepted = 0, rejected = 0;
    for (int i = 0; i < 64; ++i) {
        Bytes msg = message;
        msg.push_back(uint8_t(i));
        uint8_t signature[64];
        sig_sign(torsioned_secret, msg.data(), msg.size(), signature);
        uint8_t k[32];
        challenge(k, signature, torsioned, msg);
        bool holds = is_zero_mod_8(k);
        EXPECT_EQ(sig_verify(torsioned, msg.data(), msg.size(), signature), holds) << i;
        (holds ? accepted : rejected)++;

        // A = T alone, with R = [S]B: the equation holds exactly when [k]T = O.
        uint8_t small[64] = {};
        small[32] = uint8_t(i + 1);
        ASSERT_EQ(crypto_scalarmult_ed25519_base_noclamp(small, small + 32), 0);
        challenge(k, small, torsion, msg);
        EXPECT_EQ(sig_verify(torsion, msg.data(), msg.size(), small), is_zero_mod_8(k)) << i;
    }
    EXPECT_GT(accepted, 0);
    EXPECT_GT(rejected, 0);
}

TEST_F(SigVerify, ZeroScalarsAreLegal) {
    // S = 0 and R = O satisfy the equation for A = O.
    uint8_t signature[64] = {1};
    uint8_t identity[32] = {1};
    EXPECT_TRUE(sig_verify(identity, message.data(), message.size(), signature));
    EXPECT_FALSE(sig_verify(public_key, message.data(), message.size(), signature));
}

TEST(Hex, EncodesLowerCaseAndDecodesEitherCase) {
    const uint8_t bytes[4] = {0x00, 0xab, 0x7f, 0xf0};
    char text[9];
    hex_encode(bytes, 4, text);
    EXPECT_STREQ(text, "00ab7ff0");
    uint8_t out[4] = {};
    ASSERT_TRUE(hex_decode("00AB7fF0", 8, out, 4));
    EXPECT_EQ(std::memcmp(out, bytes, 4), 0);

    uint8_t untouched[4] = {9, 9, 9, 9};
    EXPECT_FALSE(hex_decode("00ab7fg0", 8, untouched, 4));
    EXPECT_FALSE(hex_decode("00ab7f", 6, untouched, 4));
    EXPECT_FALSE(hex_decode("00ab7ff0", 8, untouched, 3));
    EXPECT_FALSE(hex_decode("00 b7ff0", 8, untouched, 4));
    EXPECT_EQ(untouched[0], 9);
}

// A small bundle-like package: header, a few TOC-ish bytes and a body.
Bytes make_package(size_t size = 300) {
    Bytes package(size, 0);
    const std::string magic = "TRV2", producer = "test producer";
    std::copy(magic.begin(), magic.end(), package.begin());
    package[8] = 0x09;
    package[11] = 0x01;
    std::copy(producer.begin(), producer.end(), package.begin() + 12);
    package[56] = 192;
    for (size_t i = kPackageHeaderSize; i < size; ++i) package[i] = uint8_t(i * 31 + 5);
    return package;
}

TEST(PackageDigest, EqualsHashOfPackageWithSignatureZeroed) {
    Bytes package = make_package();
    for (size_t i = 0; i < kPackageHeaderSize; ++i) package[i] ^= uint8_t(i + 1);  // no zero regions

    Bytes zeroed = package;
    std::memset(zeroed.data() + kSignatureOffset, 0, 64);
    uint8_t expected[32];
    unsigned int length = 0;
    ASSERT_EQ(EVP_Digest(zeroed.data(), zeroed.size(), expected, &length, EVP_sha256(), nullptr), 1);

    uint8_t digest[32];
    ASSERT_TRUE(package_digest(package.data(), package.size(), digest));
    EXPECT_EQ(to_hex(digest, 32), to_hex(expected, 32));

    // A header-only package hashes as well; a shorter one has no digest.
    ASSERT_TRUE(package_digest(package.data(), kPackageHeaderSize, digest));
    ASSERT_EQ(EVP_Digest(zeroed.data(), kPackageHeaderSize, expected, &length, EVP_sha256(), nullptr), 1);
    EXPECT_EQ(to_hex(digest, 32), to_hex(expected, 32));
    EXPECT_FALSE(package_digest(package.data(), kPackageHeaderSize - 1, digest));
}

class PackageSignature : public test::KeyFileTest {
protected:
    void SetUp() override {
        KeyFileTest::SetUp();
        sig_keypair_generate(public_key, secret_key);
        package = make_package();
        signed_package = package;
        ASSERT_TRUE(sign_package(signed_package.data(), signed_package.size(), secret_key));
    }

    SigStatus evaluate(const Bytes& bytes) {
        std::memset(key_text, 'x', sizeof key_text);
        std::memset(label, 'x', sizeof label);
        return evaluate_signature(bytes.data(), bytes.size(), key_text, label);
    }
    bool key_text_untouched() const {
        for (char c : key_text) {
            if (c != 'x') return false;
        }
        return true;
    }

    uint8_t public_key[32];
    uint8_t secret_key[64];
    Bytes package;
    Bytes signed_package;
    char key_text[65];
    char label[64];
};

TEST_F(PackageSignature, UnsignedAndStripped) {
    EXPECT_EQ(evaluate(package), SigStatus::Unsigned);
    EXPECT_STREQ(sig_status_word(SigStatus::Unsigned), "unsigned");
    EXPECT_EQ(label[0], '\0');
    EXPECT_TRUE(key_text_untouched());

    Bytes stripped = signed_package;
    stripped[kSigAlgOffset] = kSigAlgNone;
    EXPECT_EQ(evaluate(stripped), SigStatus::Stripped);
    EXPECT_STREQ(sig_status_word(SigStatus::Stripped), "stripped");

    // A single stray byte at either end of the 96-byte span still counts.
    for (size_t offset : {kSignerKeyOffset, kSignatureOffset + 63}) {
        Bytes one = package;
        one[offset] = 1;
        EXPECT_EQ(evaluate(one), SigStatus::Stripped) << offset;
    }
    // Bytes outside the span do not.
    Bytes reserved = package;
    reserved[83] = 1;
    reserved[180] = 1;
    EXPECT_EQ(evaluate(reserved), SigStatus::Unsigned);
}

TEST_F(PackageSignature, ValidWhenSignerIsNotTrusted) {
    EXPECT_EQ(signed_package[kSigAlgOffset], kSigAlgEd25519);
    EXPECT_EQ(std::memcmp(signed_package.data() + kSignerKeyOffset, public_key, 32), 0);
    EXPECT_EQ(evaluate(signed_package), SigStatus::Valid);
    EXPECT_STREQ(sig_status_word(SigStatus::Valid), "valid");
    EXPECT_EQ(std::string(key_text), to_hex(public_key, 32));
    EXPECT_EQ(label[0], '\0');

    // Both outputs are optional.
    EXPECT_EQ(evaluate_signature(signed_package.data(), signed_package.size(), nullptr, nullptr), SigStatus::Valid);
}

TEST_F(PackageSignature, TrustedWhenListedInTheKeyFile) {
    write_key_file("# release signers\n" + to_hex(public_key, 32) + "  Build server\n");
    EXPECT_EQ(evaluate(signed_package), SigStatus::Trusted);
    EXPECT_STREQ(sig_status_word(SigStatus::Trusted), "trusted");
    EXPECT_EQ(std::string(key_text), to_hex(public_key, 32));
    EXPECT_STREQ(label, "Build server");

    // A listed key does not rescue a broken signature.
    Bytes broken = signed_package;
    broken[250] ^= 1;
    EXPECT_EQ(evaluate(broken), SigStatus::Invalid);
    EXPECT_EQ(label[0], '\0');
    EXPECT_TRUE(key_text_untouched());
}

TEST_F(PackageSignature, AnyChangedByteOutsideTheSignatureIsInvalid) {
    ASSERT_EQ(evaluate(signed_package), SigStatus::Valid);
    for (size_t offset = 0; offset < signed_package.size(); ++offset) {
        if (offset == kSigAlgOffset || (offset >= kSignatureOffset && offset < kSignatureOffset + 64)) continue;
        Bytes changed = signed_package;
        changed[offset] ^= 0x20;
        EXPECT_EQ(evaluate(changed), SigStatus::Invalid) << "offset " << offset;
        EXPECT_TRUE(key_text_untouched()) << "offset " << offset;
    }
    EXPECT_STREQ(sig_status_word(SigStatus::Invalid), "invalid");

    // Appending or dropping a byte changes the digest as well.
    Bytes longer = signed_package;
    longer.push_back(0);
    EXPECT_EQ(evaluate(longer), SigStatus::Invalid);
    Bytes shorter(signed_package.begin(), signed_package.end() - 1);
    EXPECT_EQ(evaluate(shorter), SigStatus::Invalid);
}

TEST_F(PackageSignature, AnyChangedSignatureByteIsInvalid) {
    for (size_t offset = kSignatureOffset; offset < kSignatureOffset + 64; ++offset) {
        Bytes changed = signed_package;
        changed[offset] ^= 0x01;
        EXPECT_EQ(evaluate(changed), SigStatus::Invalid) << "offset " << offset;
    }
}

TEST_F(PackageSignature, OtherAlgorithmsAreUnsupported) {
    for (uint8_t alg : {uint8_t(1), uint8_t(3), uint8_t(255)}) {
        Bytes other = signed_package;
        other[kSigAlgOffset] = alg;
        EXPECT_EQ(evaluate(other), SigStatus::Unsupported) << int(alg);
        EXPECT_TRUE(key_text_untouched());
    }
    EXPECT_STREQ(sig_status_word(SigStatus::Unsupported), "unsupported");
}

TEST_F(PackageSignature, PackageShorterThanHeaderIsInvalid) {
    Bytes short_signed(signed_package.begin(), signed_package.begin() + kPackageHeaderSize - 1);
    EXPECT_EQ(evaluate(short_signed), SigStatus::Invalid);
    Bytes short_unsigned(package.begin(), package.begin() + kPackageHeaderSize - 1);
    EXPECT_EQ(evaluate(short_unsigned), SigStatus::Invalid);
    EXPECT_EQ(evaluate(Bytes{}), SigStatus::Invalid);

    Bytes header_only = make_package(kPackageHeaderSize);
    ASSERT_TRUE(sign_package(header_only.data(), header_only.size(), secret_key));
    EXPECT_EQ(evaluate(header_only), SigStatus::Valid);
    EXPECT_FALSE(sign_package(short_unsigned.data(), short_unsigned.size(), secret_key));
}

}  // namespace
}  // namespace tarvik
