// tests/unit/tools/asm_encoding_test.cpp: the bytes the assembler writes for each
// construct of the assembly language.
#include <sodium.h>

#include <cstring>

#include "package/signature.h"
#include "runtime/string.h"
#include "tools_test_support.h"

namespace tarvik::tools::test {
namespace {

// The constant area of a one-constant top-level chunk starts here.
constexpr size_t kFirstConst = kChunkAt + kChunkHeader;

Bytes const_bytes(const std::string& value_line) {
    Bytes b = must_assemble(".main\n.const " + value_line + "\nreturn_nil\n.end\n");
    if (b.size() < kFirstConst + 1) return {};
    return slice(b, kFirstConst, b.size() - kFirstConst - 1);  // drop the trailing return_nil
}

Bytes code_of(const std::string& body) {
    Bytes b = must_assemble(".main\n" + body + "\n.end\n");
    uint32_t size = uint32_t(le(b, kChunkAt + 7, 4));
    return slice(b, b.size() - size, size);
}

TEST(AsmHeader, DefaultsAndComputedRegions) {
    Bytes b = must_assemble(".main\n    return_nil\n.end\n");
    ASSERT_EQ(b.size(), 192u + 2 + kChunkHeader + 1);
    EXPECT_EQ(slice(b, 0, 4), Bytes({'T', 'R', 'V', '2'}));
    EXPECT_EQ(le(b, 4, 4), 0x01000000u);
    EXPECT_EQ(le(b, 8, 4), 0x01000009u);
    EXPECT_EQ(slice(b, 12, 8), Bytes({'t', 'v', 'k', 'a', 's', 'm', 0, 0}));
    EXPECT_EQ(le(b, 44, 4), 0u);
    EXPECT_EQ(le(b, 56, 4), 192u);  // r0: the main section
    EXPECT_EQ(le(b, 60, 4), 194u);  // r1: the chunk after the pool count
    for (int i = 2; i < 6; ++i) EXPECT_EQ(le(b, 56 + 4 * i, 4), b.size()) << "r" << i;
    EXPECT_EQ(slice(b, kChunkAt, kChunkHeader + 1), hex("a5 09000001 0000 01000000 0000 62"));
}

TEST(AsmHeader, ExplicitFieldsLandAtTheirOffsets) {
    Bytes b = must_assemble(
        ".header\n"
        "  .magic \"TRV3\"\n  .package_version 1.2.3.4\n  .format_version 0x0100000A\n"
        "  .producer \"p\\0q\"\n  .flags 0x80000001\n  .producer_word 0x1122334455667788\n"
        "  .r0 200\n  .r3 start+5\n  .reserved80 abcd\n  .sig_alg 7\n  .reserved83 ee\n"
        "  .signer_key " + std::string(64, '1') + "\n  .signature " + std::string(128, '2') + "\n"
        "  .reserved180 " + std::string(24, 'f') + "\n"
        ".end\nstart:\n.main\nreturn_nil\n.end\n");
    EXPECT_EQ(slice(b, 0, 4), Bytes({'T', 'R', 'V', '3'}));
    EXPECT_EQ(le(b, 4, 4), 0x01020304u);
    EXPECT_EQ(le(b, 8, 4), 0x0100000Au);
    EXPECT_EQ(slice(b, 12, 4), Bytes({'p', 0, 'q', 0}));
    EXPECT_EQ(le(b, 44, 4), 0x80000001u);
    EXPECT_EQ(le(b, 48, 8), 0x1122334455667788u);
    EXPECT_EQ(le(b, 56, 4), 200u);
    EXPECT_EQ(le(b, 68, 4), 197u);  // the label "start" is 192
    EXPECT_EQ(le(b, 80, 2), 0xCDABu);
    EXPECT_EQ(b[82], 7);
    EXPECT_EQ(b[83], 0xEE);
    EXPECT_EQ(b[84], 0x11);
    EXPECT_EQ(b[115], 0x11);
    EXPECT_EQ(b[116], 0x22);
    EXPECT_EQ(b[179], 0x22);
    EXPECT_EQ(b[180], 0xFF);
    EXPECT_EQ(b[191], 0xFF);
}

TEST(AsmHeader, AtOverwritesAfterFields) {
    Bytes b = must_assemble(".header\n  .at 4\n  .u32 0x01000007\n  .package_version 9.9.9.9\n.end\n");
    ASSERT_EQ(b.size(), 192u);  // a header alone, no default main section
    EXPECT_EQ(le(b, 4, 4), 0x01000007u);
}

TEST(AsmHeader, NoSectionsMeansRawBytesOnly) {
    EXPECT_EQ(must_assemble(".bytes 01 02\n.u16 0x0403\n.ascii \"ab\"\n.zero 2\n.fill 2 7\n"),
              hex("01020304 6162 0000 0707"));
}

TEST(AsmPool, EntryEncoding) {
    Bytes b = must_assemble(".main\n.pool\n  \"a\\0b\" flags=5\n  \"x\" hash=0x1234 length=9\n  raw 0102\n.end\n"
                            "return_nil\n.end\n");
    EXPECT_EQ(le(b, 192, 2), 3u);
    size_t at = 194;
    EXPECT_EQ(b[at], 5);
    EXPECT_EQ(le(b, at + 1, 8), hash_bytes("a\0b", 3));
    EXPECT_EQ(le(b, at + 9, 4), 3u);
    EXPECT_EQ(slice(b, at + 13, 3), Bytes({'a', 0, 'b'}));
    at += 16;
    EXPECT_EQ(b[at], 0);
    EXPECT_EQ(le(b, at + 1, 8), 0x1234u);
    EXPECT_EQ(le(b, at + 9, 4), 9u);
    EXPECT_EQ(b[at + 13], 'x');
    at += 14;
    EXPECT_EQ(slice(b, at, 2), hex("0102"));
    EXPECT_EQ(le(b, 60, 4), at + 2);  // r1 follows the pool
}

TEST(AsmPool, TextReferencesShareOrAppendEntries) {
    Bytes b = must_assemble(".main\n.pool\n\"Main\"\n.end\n.const pool \"Other\"\n.const pool \"Main\"\n"
                            ".const pool \"Other\"\n.const pool 7\nreturn_nil\n.end\n");
    EXPECT_EQ(le(b, 192, 2), 2u);  // "Other" appended once
    size_t consts = 194 + (13 + 4) + (13 + 5) + kChunkHeader;
    EXPECT_EQ(slice(b, consts, 24), hex("01ffffff 0100 01ffffff 0000 01ffffff 0100 01ffffff 0700"));
}

TEST(AsmValues, EachTagEncodes) {
    struct Case {
        const char* line;
        const char* bytes;
    } cases[] = {
        {"nil", "01000000 00"},
        {"nil flags=9", "01000000 09"},
        {"char 'A'", "02000000 00 41000000"},
        {"char 0x1F600", "02000000 00 00f60100"},
        {"float 1.5", "04000000 00 000000000000f83f"},
        {"float bits=0x7FF8000000000001", "04000000 00 010000000000f87f"},
        {"float -inf", "04000000 00 000000000000f0ff"},
        {"int -2", "08000000 00 feffffffffffffff"},
        {"int 0x7FFFFFFFFFFFFFFF", "08000000 00 ffffffffffffff7f"},
        {"int 0xFFFFFFFFFFFFFFFF", "08000000 00 ffffffffffffffff"},
        {"string \"\" hash=0x55", "10000000 00 5500000000000000 00000000"},
        {"string \"ab\" hash=1 length=7", "10000000 00 0100000000000000 07000000 6162"},
        {"bool true", "80000000 00 01"},
        {"bool false", "80000000 00 00"},
        {"bool 2", "80000000 00 02"},
        {"block", "00010000 00"},
        {"builtin", "00000200 00"},
        {"module", "00000400 00"},
        {"exception", "00000800 00"},
        {"bound_method", "00001000 00"},
        {"pointer", "00002000 00"},
        {"tag 3", "03000000 00"},
        {"tag 0x400000 flags=1", "00004000 01"},
        {"raw 01000000 00", "01000000 00"},
        {"pool 258", "01ffffff 0201"},
        {"array\nint 1\n.end", "40000000 00 01000000 00 08000000 00 0100000000000000"},
        {"array count=5\n.end", "40000000 00 05000000 00"},
        {"array flat\n1.5\n.end", "40000000 00 01000000 01 000000000000f83f"},
        {"array flat=3\n.end", "40000000 00 00000000 03"},
        {"object\nstring \"k\" hash=0\nnil\n.end",
         "20000000 00 01000000 10000000 00 0000000000000000 01000000 6b 01000000 00"},
    };
    for (const Case& c : cases) EXPECT_EQ(const_bytes(c.line), hex(c.bytes)) << c.line;
}

TEST(AsmValues, StringHashDefaultsToXxh64OfTheBytes) {
    Bytes b = const_bytes("string \"Main\"");
    EXPECT_EQ(le(b, 5, 8), 0xC6783A229050BEDCull);
    EXPECT_EQ(le(b, 13, 4), 4u);
}

TEST(AsmValues, FunctionConstantLayout) {
    Bytes b = const_bytes(
        "function \"Add\" params=2\n"
        "  .function_flags 0x80\n  .function_word 0x1234\n  .param_types int|float int|optional\n"
        "  get_local 5\n  return\n.end");
    ASSERT_GE(b.size(), 79u);
    EXPECT_EQ(le(b, 0, 4), 0x10000u);
    EXPECT_EQ(b[5], 2);   // params
    EXPECT_EQ(b[6], 6);   // locals: slot 5 is the highest used
    EXPECT_EQ(le(b, 7, 4), 0x80u);
    EXPECT_EQ(le(b, 11, 4), 0x1234u);
    EXPECT_EQ(le(b, 15, 4), 0xCu);
    EXPECT_EQ(le(b, 19, 4), 0x10000008u);
    EXPECT_EQ(le(b, 23, 4), 0u);
    size_t name = 15 + 64;
    EXPECT_EQ(slice(b, name, 5), hex("10000000 00"));
    EXPECT_EQ(le(b, name + 13, 4), 3u);
    size_t body = name + 17 + 3;
    EXPECT_EQ(slice(b, body, kChunkHeader + 3), hex("a5 09000001 0000 03000000 0000 3105 60"));
}

TEST(AsmValues, FunctionLocalsCoverParamsAndImplicitSlots) {
    EXPECT_EQ(const_bytes("function \"f\" params=4\nreturn_nil\n.end")[6], 4);
    EXPECT_EQ(const_bytes("function \"f\"\nget_local_3\nreturn\n.end")[6], 4);
    EXPECT_EQ(const_bytes("function \"f\"\nforeach none 1 none none 0\n.end")[6], 2);
    EXPECT_EQ(const_bytes("function \"f\" locals=200\nreturn_nil\n.end")[6], 200);
}

TEST(AsmValues, FunctionNameMayBeAnyValue) {
    Bytes b = const_bytes("function\n  .name int 5\n  return_nil\n.end");
    EXPECT_EQ(slice(b, 79, 13), hex("08000000 00 0500000000000000"));
}

TEST(AsmValues, ClassConstantLayout) {
    Bytes b = const_bytes(
        "class \"P\" base=\"Shape\"\n"
        "  .field \"x\" int 1\n  .static \"s\" nil\n"
        "  .member 3\n    int 5\n    nil\n  .end\n.end");
    EXPECT_EQ(le(b, 0, 4), 0x1000000u);
    EXPECT_EQ(le(b, 5, 4), 3u);
    EXPECT_EQ(le(b, 9, 8), hash_bytes("Shape", 5));
    size_t at = 17 + 18;  // name: string "P"
    EXPECT_EQ(b[at], 0);  // field
    EXPECT_EQ(le(b, at + 1 + 18 + 5, 8), 1u);
    at += 1 + 18 + 13;
    EXPECT_EQ(b[at], 2);  // static
    at += 1 + 18 + 5;
    EXPECT_EQ(b[at], 3);
    EXPECT_EQ(slice(b, at + 1, 13), hex("08000000 00 0500000000000000"));
}

TEST(AsmChunk, FlagsFollowSectionsUnlessOverridden) {
    auto flags = [](const std::string& body) {
        Bytes b = must_assemble(".main\n" + body + "\nreturn_nil\n.end\n");
        return le(b, kChunkAt + 11, 2);
    };
    EXPECT_EQ(flags(""), 0u);
    EXPECT_EQ(flags(".debug\n\"i\"\n.end"), 1u);
    EXPECT_EQ(flags(".jit\n.bytes 01\n.end"), 2u);
    EXPECT_EQ(flags(".debug\n.end\n.jit\n.end"), 3u);
    EXPECT_EQ(flags(".chunk_flags 0x8001"), 0x8001u);
}

TEST(AsmChunk, DebugAndJitSections) {
    Bytes b = must_assemble(".main\nreturn_nil\n.debug\n\"ab\"\n\"c\" length=9\n.end\n"
                            ".jit reserved=4\n.bytes 0a 0b\n.end\n.end\n");
    size_t at = kChunkAt + kChunkHeader + 1;
    EXPECT_EQ(slice(b, at, b.size() - at), hex("02 02000000 6162 09000000 63  04 02000000 0a0b"));
}

TEST(AsmChunk, HeaderOverrides) {
    Bytes b = must_assemble(".main\n.marker 0x5a\n.version 1.0.0.7\n.const_count 9\n.code_size 0\nnop\n.end\n");
    EXPECT_EQ(slice(b, kChunkAt, kChunkHeader + 1), hex("5a 07000001 0900 00000000 0000 00"));
}

TEST(AsmCode, RelativeJumpsCountFromTheNextInstruction) {
    EXPECT_EQ(code_of("jump_if_false end\nnop\nnop\nend:\nreturn_nil"), hex("26 0200 00 00 62"));
    EXPECT_EQ(code_of("jump next\nnext:\nreturn_nil"), hex("28 0000 62"));
    EXPECT_EQ(code_of("top:\nnop\nloop top"), hex("00 29 0400"));
    EXPECT_EQ(code_of("self:\nloop self"), hex("29 0300"));
    EXPECT_EQ(code_of("cmp_jump_ll 0 1 lt out\nnop\nout:\nreturn_nil"), hex("2c 00 01 02 0100 00 62"));
    EXPECT_EQ(code_of("cmp_jump_lc 0 ge -1 out\nout:\nreturn_nil"), hex("2d 00 05 ff 0000 62"));
    EXPECT_EQ(code_of("cmp_jump_lc32 2 ne 70000 out\nnop\nout:\nreturn_nil"), hex("9f 02 01 70110100 0100 00 62"));
}

TEST(AsmCode, AbsoluteTargetsAreChunkOffsets) {
    EXPECT_EQ(code_of("nop\ntry_begin c 3 f\nc:\ncatch_store\nf:\nend_finally\niter_begin 0 1 c\ntry_leave 1 2 f"),
              hex("00 72 0700 03 0800 74 77 7b 00 01 0700 78 01 02 0800"));
}

TEST(AsmCode, RawJumpOperandsAreKeptAsWritten) {
    EXPECT_EQ(code_of("jump 65535\nloop 9\ntry_begin 300 0 0"), hex("28 ffff 29 0900 72 2c01 00 0000"));
}

TEST(AsmCode, JumpTable) {
    EXPECT_EQ(code_of("jump_table -1 1 a b default d\na:\nb:\nnop\nd:\nreturn_nil"),
              hex("2b ffffffff 01000000 02 1000 1000 1100 00 62"));
    EXPECT_EQ(code_of("jump_table 0 0 default d\nd:\nreturn_nil"), hex("2b 00000000 00000000 00 0c00 62"));
}

TEST(AsmCode, MakeClosureCountsCaptures) {
    Bytes b = must_assemble(".main\n.const $f function \"f\"\nreturn_nil\n.end\n"
                            "make_closure $f \"x\" 2 \"y\" 3\nmake_closure $f\nreturn\n.end\n");
    uint32_t size = uint32_t(le(b, kChunkAt + 7, 4));
    EXPECT_EQ(le(b, kChunkAt + 5, 2), 3u);  // f, "x", "y"
    EXPECT_EQ(slice(b, b.size() - size, size), hex("65 0000 02 0100 02 0200 03 65 0000 00 60"));
}

TEST(AsmCode, TextOperandsReuseStringConstants) {
    Bytes c = must_assemble(".main\n.pool\n\"p\"\n.end\n.const int 0\n.const string \"a\"\n.const pool \"p\"\n"
                            "get_global \"a\"\nget_global \"p\"\nget_global \"new\"\nget_global \"new\"\nreturn\n.end\n");
    size_t chunk = 194 + 14;
    EXPECT_EQ(le(c, chunk + 5, 2), 4u);  // only "new" was added
    uint32_t size = uint32_t(le(c, chunk + 7, 4));
    EXPECT_EQ(slice(c, c.size() - size, size), hex("2f 0100 2f 0200 2f 0300 2f 0300 60"));
}

TEST(AsmCode, OperandForms) {
    EXPECT_EQ(code_of("push_i8 -1\npush_i8 255\npush_i16 -300\npush_i32 -2\npush_char 'A'\npush_f32 1.5\n"
                      "push_f32 bits=0x7FC00001"),
              hex("07ff 07ff 08d4fe 09feffffff 0b41000000 0a0000c03f 0a0100c07f"));
    EXPECT_EQ(code_of("arith_local_imm 3 shr -2\narith_top_imm pow 1\nforeach none none 1 2 0\nexport 0 0\nexport 0 0 7"),
              hex("3d030afe 400501 7affff010200 00 8c 0000 0000 00000000 8c 0000 0000 07000000"));
    EXPECT_EQ(code_of("call_builtin_1 Console.WriteLine\nget_builtin 3 200\nOP_POP\nreserved_a7 1 2"),
              hex("6d0c01 6b03c8 0c a7010002"));
}

TEST(AsmCode, RawBytesInCode) {
    EXPECT_EQ(code_of("nop\n.bytes ff\n.u16 0x1234\nl:\nloop l"), hex("00 ff 3412 29 0300"));
}

TEST(AsmLayout, BundleBodiesFollowTheToc) {
    Bytes b = must_assemble(".toc\n.dep \"Json\"\n.version 1.2.0.0\n.signed 1\n.body\nreturn_nil\n.end\n.end\n"
                            ".dep \"Far\"\n.offset 0xFFFFFF\n.length 0\n.end\n.end\n"
                            ".main\nreturn_nil\n.end\n");
    EXPECT_EQ(le(b, 44, 4), 1u);  // bundle flag from the .toc
    EXPECT_EQ(le(b, 192, 2), 2u);
    size_t entry = 194, body = 194 + 2 * 152, body_size = 2 + kChunkHeader + 1;
    EXPECT_EQ(slice(b, entry, 5), Bytes({'J', 's', 'o', 'n', 0}));
    EXPECT_EQ(le(b, entry + 64, 4), 0x01020000u);
    EXPECT_EQ(le(b, entry + 68, 8), body);
    EXPECT_EQ(le(b, entry + 76, 4), body_size);
    uint8_t digest[32];
    crypto_hash_sha256(digest, b.data() + body, body_size);
    EXPECT_EQ(slice(b, entry + 80, 32), Bytes(digest, digest + 32));
    EXPECT_EQ(b[entry + 112], 1);
    EXPECT_EQ(le(b, entry + 152 + 68, 8), 0xFFFFFFu);
    EXPECT_EQ(slice(b, entry + 152 + 80, 32), Bytes(32, 0));  // out of the file: no fingerprint
    EXPECT_EQ(le(b, 56, 4), body + body_size);             // r0: main after the bodies
}

TEST(AsmLayout, RegionsAreReferencedByName) {
    Bytes b = must_assemble(".toc\n.dep \"U\"\n.region r\n.end\n.end\n.bytes 00\n.region r\nreturn_nil\n.end\n"
                            ".main\nreturn_nil\n.end\n");
    EXPECT_EQ(le(b, 194 + 68, 8), 194u + 152 + 1);
    EXPECT_EQ(le(b, 194 + 76, 4), 2u + kChunkHeader + 1);
}

TEST(AsmLayout, RestStopsTheSection) {
    Bytes b = must_assemble(".main\n.const_count 3\n.const array count=4\nint 1\n.rest\n.bytes aa bb\n.end\n.end\n");
    size_t at = kFirstConst;
    EXPECT_EQ(slice(b, at, b.size() - at), hex("40000000 00 04000000 00 08000000 00 0100000000000000 aabb"));
    EXPECT_EQ(le(b, kChunkAt + 5, 2), 3u);
    EXPECT_EQ(le(b, kChunkAt + 7, 4), 0u);
}

TEST(AsmLayout, RestOnlySectionWritesJustItsBytes) {
    Bytes b = must_assemble(".main\n.rest\n.bytes 01\n.end\n");
    ASSERT_EQ(b.size(), 193u);
    EXPECT_EQ(b[192], 1);
    EXPECT_EQ(le(b, 60, 4), 192u);  // r1: no pool was written
}

TEST(AsmLayout, SignAndPatch) {
    setenv("TARVIK_TRUSTED_KEYS", "/nonexistent/tarvik-tools-test-keys", 1);
    uint8_t seed[32], public_key[32], secret[64];
    for (int i = 0; i < 32; ++i) seed[i] = uint8_t(i * 7 + 1);
    sig_keypair_from_seed(seed, public_key, secret);
    char key_text[129];
    hex_encode(secret, 64, key_text);
    std::string key = key_text;
    std::string source = ".header\n.sign_key " + key + "\n.end\n.main\nreturn_nil\n.end\n";
    Bytes b = must_assemble(source);
    EXPECT_EQ(b[82], 2);
    EXPECT_EQ(slice(b, 84, 32), hex(key.substr(64)));
    EXPECT_EQ(evaluate_signature(b.data(), b.size(), nullptr, nullptr), SigStatus::Valid);
    Bytes stripped = must_assemble(source + ".patch 82 00\n");
    EXPECT_EQ(evaluate_signature(stripped.data(), stripped.size(), nullptr, nullptr), SigStatus::Stripped);
    Bytes tampered = must_assemble(source + ".patch 200 ff\n");
    EXPECT_EQ(evaluate_signature(tampered.data(), tampered.size(), nullptr, nullptr), SigStatus::Invalid);

    AsmOptions options;
    options.sign = true;
    ASSERT_TRUE(hex_decode(key.c_str(), 128, options.secret_key, 64));
    Bytes signed_by_option;
    AsmError error;
    ASSERT_TRUE(assemble_text(".main\nreturn_nil\n.end\n", options, signed_by_option, error)) << error.message;
    EXPECT_EQ(evaluate_signature(signed_by_option.data(), signed_by_option.size(), nullptr, nullptr), SigStatus::Valid);
}

}  // namespace
}  // namespace tarvik::tools::test
