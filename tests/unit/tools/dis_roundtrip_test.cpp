// tests/unit/tools/dis_roundtrip_test.cpp: disassembling any bytes and assembling
// the text gives the same bytes back, for well-formed, malformed, truncated and
// random packages.
#include <cstdlib>
#include <random>

#include "tools/dis/disassembler.h"
#include "tools_test_support.h"

namespace tarvik::tools::test {
namespace {

// A bundle that uses most of the language: header overrides, a TOC with a body,
// a region and an out-of-file entry, every value tag, classes, functions with
// debug and JIT sections and every jump form.
const char kSink[] = R"(
.header
    .package_version 2.1.0.3
    .producer "test\0x"
    .producer_word 0x1122334455667788
    .reserved180 000000000000000000000001
    .at 80
    .u16 0xBEEF
.end
.toc
    .dep "Json"
        .version 1.2.0.0
        .signed 1
        .signer 0101010101010101010101010101010101010101010101010101010101010101
        .body
            .const $f function "Parse" params=1
                get_local_0
                return
            .end
            return_nil
        .end
    .end
    .dep "Util"
        .region util_body
        .fingerprint 0202020202020202020202020202020202020202020202020202020202020202
    .end
    .dep "Broken"
        .offset 0xFFFFFF
        .length 0
    .end
.end
.region util_body
    .pool
        "x\0y" flags=3
        "Main" hash=0x1234
    .end
    .const pool 0
    .const pool "Main"
    return_nil
.end
.main
    .pool
        "alpha"
    .end
    .const nil
    .const char 'A'
    .const char 0x1F600 flags=2
    .const float 1.5
    .const float bits=0x7FF8000000000001
    .const int 1152921504606846976
    .const string "he\"llo\n" hash=0x99
    .const bool 7
    .const block
    .const pointer
    .const pool "beta"
    .const array
        int 1
        array flat
            1.5 2.5 bits=0x7FF8000000000001 -0.0
        .end
    .end
    .const object
        pool "alpha"
        string "Bob"
    .end
    .const $point class "Point" base="Shape"
        .field "X" int 0
        .method "Constructor" function "Constructor" params=3
            .param_types int|float int|float|optional any string
            .function_flags 0x80
            .function_word 7
            get_local_1
            set_this_field "X"
            return_nil
            .debug
                "this"
                "x"
            .end
            .jit reserved=2
                .bytes 01 02 03
            .end
        .end
        .member 3
            int 5
            nil
        .end
    .end
    .const $main function "Main"
        .version 1.0.0.8
        .const $local function "L"
            return_nil
        .end
        push_f32 bits=0x7FC00001
        push_char 'A'
        set_local_0
    top:
        arith_local_imm 0 add 1
        cmp_jump_lc 0 lt 10 body
        jump done
    body:
        cmp_jump_ll 0 1 ge top2
    top2:
        cmp_jump_lc32 0 eq 70000 done
        loop top
        jump_table -1 2 c0 c1 done done default done
    c0:
    c1:
        make_closure $local "x" 0 "y" 1
        try_begin catch 3 fin
        try_leave 0 1 done
    catch:
        catch_store
    fin:
        end_finally
        iter_next 0 1 top
        foreach 2 none 0 1 done
        export "Alias" "Source" 7
        call_builtin_1 Console.WriteLine
        reserved_a5 1 2
        jump 65535
        .bytes ff fe
        return_nil
    done:
    .end
    return_nil
.end
.bytes de ad be ef
)";

// Fixed seeds keep failures reproducible; TARVIK_TOOLS_FUZZ_SEED explores others.
uint32_t fuzz_seed(uint32_t fixed) {
    const char* env = std::getenv("TARVIK_TOOLS_FUZZ_SEED");
    return env && *env ? uint32_t(std::strtoul(env, nullptr, 10)) ^ fixed : fixed;
}

std::string round_trip_failure(const Bytes& package, bool comments = true) {
    DisOptions options;
    options.comments = comments;
    std::string text = disassemble(package.data(), package.size(), options);
    Bytes again;
    std::string error;
    if (!assemble(text, again, &error)) return "disassembly does not assemble: " + error + "\n" + text;
    if (again != package) {
        size_t at = 0;
        while (at < again.size() && at < package.size() && again[at] == package[at]) ++at;
        return "bytes differ at offset " + std::to_string(at) + " (sizes " + std::to_string(package.size()) + " and " +
               std::to_string(again.size()) + ")\n" + text;
    }
    return "";
}

TEST(DisRoundTrip, RichBundle) {
    Bytes package = must_assemble(kSink);
    EXPECT_EQ(round_trip_failure(package), "");
    EXPECT_EQ(round_trip_failure(package, false), "");
}

TEST(DisRoundTrip, TextOfASimpleProgramIsReadable) {
    Bytes package = must_assemble(".main\n.const function \"Main\"\nload_const \"hi\"\ncall_builtin_1 Console.WriteLine\n"
                                  "top:\njump_if_false top2\ntop2:\nloop top\n.end\nreturn_nil\n.end\n");
    DisOptions options;
    options.comments = false;
    std::string text = disassemble(package.data(), package.size(), options);
    EXPECT_NE(text.find(".const function \"Main\""), std::string::npos) << text;
    EXPECT_NE(text.find("call_builtin_1 Console.WriteLine"), std::string::npos) << text;
    EXPECT_NE(text.find("jump_if_false L"), std::string::npos) << text;
    EXPECT_NE(text.find("loop L"), std::string::npos) << text;
    EXPECT_EQ(text.find(".code_size"), std::string::npos) << text;  // nothing to override
}

TEST(DisRoundTrip, MalformedPackages) {
    const char* sources[] = {
        // Loader edge cases: tags, counts, versions and kinds it must refuse.
        ".main\n.const tag 3\n.end\n",
        ".main\n.const tag 0x400000\n.const raw 0102\nreturn_nil\n.end\n",
        ".main\n.const class \"C\"\n.member 3\nstring \"m\"\nnil\n.end\n.end\nreturn_nil\n.end\n",
        ".main\n.const object\nint 5\nnil\n.end\nreturn_nil\n.end\n",
        ".main\n.const_count 20000\n.code_size 0\n.marker 0x5a\n.version 1.0.0.7\n.end\n",
        ".main\n.chunk_flags 3\nreturn_nil\n.end\n",
        ".main\n.const function \"f\" params=20 locals=200\nreturn_nil\n.end\nreturn_nil\n.end\n",
        ".header\n.format_version 1.0.0.10\n.r0 200\n.r1 300\n.r2 250\n.end\n.main\nreturn_nil\n.end\n",
        ".header\n.flags 1\n.end\n",
        ".header\n.flags 1\n.end\n.bytes 05\n",
        ".header\n.magic \"XYZW\"\n.end\n.bytes 00 00 00\n",
        ".toc count=1025\n.end\n.main\nreturn_nil\n.end\n",
        ".toc\n.dep \"A\"\n.offset 192\n.length 5\n.end\n.dep \"B\"\n.offset 192\n.length 5\n.end\n.end\n.main\nreturn_nil\n.end\n",
        ".toc\n.dep \"A\"\n.region r\n.end\n.dep \"B\"\n.region r\n.end\n.end\n.region r\nreturn_nil\n.end\n"
        ".main\nreturn_nil\n.end\n",
        ".toc\n.dep \"A\"\n.region r\n.end\n.end\n.main\nreturn_nil\n.end\n.region r\nreturn_nil\n.end\n",
        ".toc\n.dep \"A\"\n.offset m\n.length 3\n.end\n.end\nm:\n.main\nreturn_nil\n.end\n",
        ".main\n.pool\n\"a\" hash=0 length=100\n.end\n.end\n",
        ".main\n.const string \"ab\\0cd\"\n.const string \"\" hash=7\nreturn_nil\n.end\n",
        ".main\n.debug count=200\n\"a\"\n.end\nreturn_nil\n.end\n",
        ".main\n.jit length=1000\n.bytes 01\n.end\nreturn_nil\n.end\n",
        ".main\n.code_size 3\nreturn_nil\n.end\n",
        ".main\njump_table 0 5 default 3\n.bytes 2b 00\n.end\n",
        ".main\n.bytes 65 00 00 05 01\n.end\n",
        ".main\nreturn_nil\n.end\n.bytes 00 00\n",
        ".header\n.r0 100\n.end\n.main\nreturn_nil\n.end\n",
        ".header\n.r0 0xFFFFFFFF\n.end\n.main\nreturn_nil\n.end\n",
        ".bytes 54 52 56 32\n",
        // Long zero runs are written as .zero, in code (nops, split at labels) and raw.
        ".main\n.zero 100\nl:\n.zero 40\nloop l\n.zero 3\n.end\n.zero 100\n.bytes 01\n.zero 31\n.bytes 02\n",
        "",
    };
    for (const char* source : sources) {
        Bytes package = must_assemble(source);
        EXPECT_EQ(round_trip_failure(package), "") << source;
    }
}

TEST(DisRoundTrip, SignedPackageKeepsItsSignature) {
    std::string key = std::string(64, '3') + std::string(64, '4');
    Bytes package = must_assemble(".header\n.sign_key " + key + "\n.end\n.main\nreturn_nil\n.end\n");
    EXPECT_EQ(package[82], 2);
    EXPECT_EQ(round_trip_failure(package), "");
}

TEST(DisRoundTrip, EveryTruncation) {
    Bytes package = must_assemble(kSink);
    for (size_t n = 0; n <= package.size(); ++n) {
        Bytes cut(package.begin(), package.begin() + long(n));
        std::string failure = round_trip_failure(cut, n % 2 == 0);
        ASSERT_EQ(failure, "") << "truncated to " << n << " bytes";
    }
}

TEST(DisRoundTrip, MutatedPackages) {
    Bytes original = must_assemble(kSink);
    std::mt19937 rng(fuzz_seed(20240601));
    for (int round = 0; round < 5000; ++round) {
        Bytes package = original;
        int edits = 1 + int(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            size_t at = rng() % package.size();
            switch (rng() % 4) {
            case 0: package[at] = uint8_t(rng()); break;
            case 1: package[at] ^= uint8_t(1u << (rng() % 8)); break;
            case 2: package[at] = uint8_t(rng() % 2 ? 0xFF : 0x00); break;
            default: package.resize(at); break;
            }
            if (package.empty()) break;
        }
        std::string failure = round_trip_failure(package, round % 2 == 0);
        ASSERT_EQ(failure, "") << "round " << round;
    }
}

TEST(DisRoundTrip, RandomBytes) {
    std::mt19937 rng(fuzz_seed(7));
    for (int round = 0; round < 2000; ++round) {
        Bytes bytes(rng() % 600);
        for (uint8_t& b : bytes) b = uint8_t(rng() % 4 == 0 ? rng() : rng() % 3);
        if (bytes.size() >= 192 && round % 2 == 0) {
            // Plausible headers reach the section readers more often.
            std::memcpy(bytes.data(), "TRV2", 4);
            store_le(bytes.data() + 56, 192, 4);
            if (round % 4 == 0) store_le(bytes.data() + 44, 1, 4);
        }
        std::string failure = round_trip_failure(bytes);
        ASSERT_EQ(failure, "") << "round " << round;
    }
}

// The assembler's answer to damaged source is an error with a line, never a crash.
TEST(AsmRobustness, MutatedSourcesNeverCrash) {
    const std::string original = kSink;
    const char alphabet[] = "\n \".$:=;'0x9aZ_-+|\\";
    std::mt19937 rng(fuzz_seed(99));
    for (int round = 0; round < 2000; ++round) {
        std::string source = original;
        int edits = 1 + int(rng() % 3);
        for (int e = 0; e < edits; ++e) {
            size_t at = rng() % source.size();
            char c = alphabet[rng() % (sizeof alphabet - 1)];
            switch (rng() % 3) {
            case 0: source[at] = c; break;
            case 1: source.insert(source.begin() + long(at), c); break;
            default: source.erase(at, 1 + rng() % 8); break;
            }
        }
        Bytes out;
        std::string error;
        if (!assemble(source, out, &error)) {
            ASSERT_EQ(error.rfind("t.asm:", 0), 0u) << error;
        }
    }
}

TEST(DisRoundTrip, DeepNestingFallsBackToRawBytes) {
    std::string source = ".main\n.const ";
    for (int i = 0; i < 120; ++i) source += "array\n";
    source += "nil\n";
    for (int i = 0; i < 120; ++i) source += ".end\n";
    source += "return_nil\n.end\n";
    Bytes package = must_assemble(source);
    EXPECT_EQ(round_trip_failure(package), "");
}

}  // namespace
}  // namespace tarvik::tools::test
