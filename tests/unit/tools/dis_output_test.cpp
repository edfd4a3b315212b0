// tests/unit/tools/dis_output_test.cpp: what the disassembler writes: structure where
// the bytes allow it, explicit fields where they differ from what the assembler
// would compute, and raw bytes everywhere else.
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "engine/opcode_table.h"
#include "tools/common/tool_files.h"
#include "tools/common/tool_names.h"
#include "tools/dis/disassembler.h"
#include "tools_test_support.h"

namespace tarvik::tools::test {
namespace {

std::string dis(const Bytes& b) {
    DisOptions options;
    options.comments = false;
    return disassemble(b.data(), b.size(), options);
}

bool has(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

TEST(DisOutput, ShortFileIsRawBytes) {
    Bytes b = {1, 2, 3};
    EXPECT_EQ(dis(b), ".bytes 01 02 03\n");
    EXPECT_EQ(dis({}), "");
}

TEST(DisOutput, DefaultsAreLeftOut) {
    std::string text = dis(must_assemble(".main\n.const int 1\nreturn_nil\n.end\n"));
    EXPECT_EQ(text,
              ".header\n    .package_version 1.0.0.0\n    .format_version 1.0.0.9\n.end\n"
              ".main\n    .const int 1\n    return_nil\n.end\n");
}

TEST(DisOutput, HeaderOverridesAreWritten) {
    std::string text = dis(must_assemble(".header\n.flags 4\n.r2 300\n.sig_alg 1\n.producer \"\"\n.end\n"
                                         ".main\nreturn_nil\n.end\n"));
    EXPECT_TRUE(has(text, ".flags 0x4\n")) << text;
    EXPECT_TRUE(has(text, ".r2 300\n")) << text;
    EXPECT_FALSE(has(text, ".r3")) << text;
    EXPECT_TRUE(has(text, ".sig_alg 1\n")) << text;
    EXPECT_TRUE(has(text, ".producer \"\"\n")) << text;
}

TEST(DisOutput, PoolAndHashOverrides) {
    std::string text = dis(must_assemble(".main\n.pool\n\"a\"\n\"a\" flags=1\n\"b\" hash=5\n.end\n"
                                         ".const pool 0\n.const pool 1\n.const string \"s\" hash=9 flags=4\n"
                                         "return_nil\n.end\n"));
    EXPECT_TRUE(has(text, "\"a\" flags=1\n")) << text;
    EXPECT_TRUE(has(text, "\"b\" hash=0x5\n")) << text;
    EXPECT_TRUE(has(text, ".const pool \"a\"\n")) << text;
    EXPECT_TRUE(has(text, ".const pool 1\n")) << text;  // "a" again: only the index is exact
    EXPECT_TRUE(has(text, ".const string \"s\" hash=0x9 flags=4\n")) << text;
}

TEST(DisOutput, LabelsAtInstructionBoundariesOnly) {
    std::string text = dis(must_assemble(".main\nstart:\nnop\njump end\nloop start\njump 1\nend:\n.end\n"));
    EXPECT_TRUE(has(text, "L0:\n")) << text;
    EXPECT_TRUE(has(text, "jump L10\n")) << text;
    EXPECT_TRUE(has(text, "loop L0\n")) << text;
    EXPECT_TRUE(has(text, "jump 1\n")) << text;  // past the end of the code: kept as a number
    EXPECT_TRUE(has(text, "L10:\n")) << text;  // a label at the end of the code
}

TEST(DisOutput, UndecodableCodeBytes) {
    std::string text = dis(must_assemble(".main\n.bytes ff fe\nnop\n.bytes 09 01\n.end\n"));
    EXPECT_TRUE(has(text, ".bytes ff fe\n    nop\n    .bytes 09 01\n")) << text;
}

TEST(DisOutput, ChunkOverridesWhenSectionsDisagree) {
    std::string text = dis(must_assemble(".main\n.chunk_flags 2\n.version 1.0.0.8\nreturn_nil\n.end\n"));
    EXPECT_TRUE(has(text, ".version 1.0.0.8\n")) << text;
    EXPECT_TRUE(has(text, ".chunk_flags 0x2\n")) << text;  // a JIT flag with no section: cut short
    EXPECT_TRUE(has(text, ".rest\n")) << text;
}

TEST(DisOutput, FunctionsAndClasses) {
    std::string text = dis(must_assemble(
        ".main\n.const class \"C\" base=5\n.method \"m\" function \"m\" params=1\n.param_types int|optional\n"
        "return_nil\n.end\n.member 4\nint 1\nnil\n.end\n.end\n"
        ".const function\n.name pool \"n\"\nreturn_nil\n.end\nreturn_nil\n.end\n"));
    EXPECT_TRUE(has(text, ".const class \"C\" base=0x5\n")) << text;
    EXPECT_TRUE(has(text, ".method \"m\" function \"m\"\n")) << text;
    EXPECT_TRUE(has(text, ".params 1\n")) << text;
    EXPECT_TRUE(has(text, ".param_types int|optional\n")) << text;
    EXPECT_TRUE(has(text, ".member 4\n")) << text;
    EXPECT_TRUE(has(text, ".const function\n")) << text;
    EXPECT_TRUE(has(text, ".name pool \"n\"\n")) << text;
}

TEST(DisOutput, UnknownTagBecomesRest) {
    std::string text = dis(must_assemble(".main\n.const int 1\n.const tag 3\nreturn_nil\n.end\n"));
    EXPECT_TRUE(has(text, ".const_count 2\n")) << text;
    EXPECT_TRUE(has(text, ".code_size 1\n")) << text;
    EXPECT_TRUE(has(text, ".rest\n    .bytes 03 00 00 00 00 62\n")) << text;
}

TEST(DisOutput, BundleRegionsAndFingerprints) {
    std::string text = dis(must_assemble(
        ".toc\n.dep \"A\"\n.body\nreturn_nil\n.end\n.end\n"
        ".dep \"B\"\n.body\nreturn_nil\n.end\n.fingerprint " + std::string(64, 'a') + "\n.end\n"
        ".dep \"C\"\n.offset 1\n.length 4\n.end\n.end\n.main\nreturn_nil\n.end\n"));
    EXPECT_TRUE(has(text, ".dep \"A\"\n        .version 1.0.0.0\n        .region dep0\n    .end\n")) << text;
    EXPECT_TRUE(has(text, ".region dep1\n        .fingerprint " + std::string(64, 'a'))) << text;
    EXPECT_TRUE(has(text, ".offset 1\n        .length 4\n        .fingerprint ")) << text;  // inside the header
    EXPECT_TRUE(has(text, ".region dep0\n    return_nil\n.end\n")) << text;
}

// Every opcode assembles from its mnemonic and disassembles back to it.
TEST(DisOutput, EveryOpcodeRoundTrips) {
    for (uint32_t op = 0; op < kOpcodeCount; ++op) {
        const OpcodeInfo& info = kOpcodeTable[op];
        std::string line = opcode_mnemonic(uint8_t(op));
        if (op == OP_JUMP_TABLE) {
            line += " 1 2 end default end";
        } else if (op == OP_MAKE_CLOSURE) {
            line += " 0 0 1";
        } else {
            for (uint32_t i = 0; i < info.operand_count; ++i) {
                OperandKind k = info.operands[i];
                bool jump = k == OPND_REL16 || k == OPND_BACK16 || k == OPND_ABS16;
                line += jump ? (k == OPND_BACK16 ? " top" : " end") : " 1";
            }
        }
        Bytes b = must_assemble(".main\ntop:\n" + line + "\nend:\n.end\n");
        std::string text = dis(b);
        std::string first_word = line.substr(0, line.find(' '));
        EXPECT_TRUE(has(text, "    " + first_word)) << line << "\n" << text;
        Bytes again;
        std::string error;
        ASSERT_TRUE(assemble(text, again, &error)) << error;
        EXPECT_EQ(again, b) << line;
    }
}

TEST(ToolFiles, SecretKeyFromFileOrText) {
    std::string key = std::string(64, 'A') + std::string(64, 'b');
    uint8_t secret[64];
    std::string error;
    ASSERT_TRUE(read_secret_key(key, secret, error)) << error;
    EXPECT_EQ(secret[0], 0xAA);
    EXPECT_EQ(secret[63], 0xBB);
    char path[] = "/tmp/tvk-key-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    std::string contents = std::string(128, 'c') + " \r\n\t";
    ASSERT_EQ(write(fd, contents.data(), contents.size()), ssize_t(contents.size()));
    close(fd);
    ASSERT_TRUE(read_secret_key(path, secret, error)) << error;
    EXPECT_EQ(secret[10], 0xCC);
    unlink(path);
    EXPECT_FALSE(read_secret_key(std::string(127, 'a'), secret, error));
    EXPECT_FALSE(read_secret_key(std::string(127, 'a') + "g", secret, error));
    EXPECT_NE(error.find("128 hexadecimal"), std::string::npos);
}

TEST(ToolFiles, EmbedTrailer) {
    Bytes exe = {0x7F, 'E'};
    append_embed_trailer(exe, 2, 300);
    ASSERT_EQ(exe.size(), 26u);
    EXPECT_EQ(slice(exe, 2, 8), Bytes({'T', 'V', 'K', 'E', 'M', 'B', 'D', '1'}));
    EXPECT_EQ(le(exe, 10, 8), 2u);
    EXPECT_EQ(le(exe, 18, 8), 300u);
}

TEST(ToolFiles, WholeFileReadAndWrite) {
    char path[] = "/tmp/tvk-file-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    Bytes data(70000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t(i * 31);
    std::string error;
    ASSERT_TRUE(write_whole_file(path, data.data(), data.size(), error)) << error;
    Bytes back;
    ASSERT_TRUE(read_whole_file(path, back, error)) << error;
    EXPECT_EQ(back, data);
    unlink(path);
    EXPECT_FALSE(read_whole_file(path, back, error));
    EXPECT_NE(error.find(path), std::string::npos);
}

}  // namespace
}  // namespace tarvik::tools::test
