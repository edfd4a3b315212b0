// tests/unit/tools/asm_error_test.cpp: bad sources give one clear "file:line:
// message" error and never a crash.
#include <random>

#include "tools/asm/asm_lexer.h"
#include "tools_test_support.h"

namespace tarvik::tools::test {
namespace {

// True when the error names `line` and contains `words`.
::testing::AssertionResult fails_at(const std::string& source, int line, const std::string& words) {
    Bytes out;
    std::string error;
    if (assemble(source, out, &error)) return ::testing::AssertionFailure() << "assembled";
    std::string where = "t.asm:" + std::to_string(line) + ": ";
    if (error.rfind(where, 0) != 0) return ::testing::AssertionFailure() << "wrong line: " << error;
    if (error.find(words) == std::string::npos) return ::testing::AssertionFailure() << "wrong message: " << error;
    return ::testing::AssertionSuccess();
}

TEST(AsmErrors, FormatNamesFileAndLine) {
    AsmError e{7, "boom"};
    EXPECT_EQ(format_asm_error("x.asm", e), "x.asm:7: boom");
    e.line = 0;
    EXPECT_EQ(format_asm_error("x.asm", e), "x.asm: boom");
}

TEST(AsmErrors, UnknownInstruction) {
    EXPECT_TRUE(fails_at(".main\n  nop\n  frobnicate 1\n.end\n", 3, "unknown instruction 'frobnicate'"));
}

TEST(AsmErrors, OperandCountAndRange) {
    EXPECT_TRUE(fails_at(".main\nget_local\n.end\n", 2, "get_local takes 1 operand"));
    EXPECT_TRUE(fails_at(".main\nget_local 1 2\n.end\n", 2, "got 2"));
    EXPECT_TRUE(fails_at(".main\npush_i8 300\n.end\n", 2, "does not fit in 8 bits"));
    EXPECT_TRUE(fails_at(".main\npush_i8 -129\n.end\n", 2, "does not fit"));
    EXPECT_TRUE(fails_at(".main\nload_const x\n.end\n", 2, "expected a number"));
    EXPECT_TRUE(fails_at(".main\narith_top_imm plus 1\n.end\n", 2, "expected a number"));
    EXPECT_TRUE(fails_at(".main\ncall_builtin_0 Nope.Nothing\n.end\n", 2, "unknown builtin"));
    EXPECT_TRUE(fails_at(".main\njump_table 0 1 a b\n.end\n", 2, "default"));
    EXPECT_TRUE(fails_at(".main\nmake_closure 0 \"x\"\n.end\n", 2, "name/slot pairs"));
    EXPECT_TRUE(fails_at(".main\npush_f32 1e300\n.end\n", 2, "out of float range"));
    EXPECT_TRUE(fails_at(".f32 -1e39\n", 1, "out of float range"));
    EXPECT_TRUE(fails_at(".zero 0xFFFFFFFF\n.zero 0xFFFFFFFF\n", 1, "more than 2 GiB"));
}

TEST(AsmErrors, LabelsAndJumps) {
    EXPECT_TRUE(fails_at(".main\njump nowhere\n.end\n", 2, "undefined label 'nowhere'"));
    EXPECT_TRUE(fails_at(".main\nback:\nnop\njump back\n.end\n", 4, "lies behind the jump"));
    EXPECT_TRUE(fails_at(".main\nloop ahead\nnop\nahead:\n.end\n", 2, "lies ahead of the jump"));
    EXPECT_TRUE(fails_at(".main\na:\na:\n.end\n", 3, "defined twice"));
    EXPECT_TRUE(fails_at(".main\njump far\n.zero 70000\nfar:\n.end\n", 2, "too far"));
    EXPECT_TRUE(fails_at(".main\n.zero 70000\nfar:\ntry_begin far 0 far\n.end\n", 4, "abs16"));
}

TEST(AsmErrors, SymbolsAndConstants) {
    EXPECT_TRUE(fails_at(".main\nmake_function $missing\n.end\n", 2, "undefined symbol $missing"));
    EXPECT_TRUE(fails_at(".main\n.const $a nil\n.const $a nil\n.end\n", 3, "defined twice"));
    EXPECT_TRUE(fails_at(".main\n.const widget 5\n.end\n", 2, "unknown value type 'widget'"));
    EXPECT_TRUE(fails_at(".main\n.const int\n.end\n", 2, "missing operand"));
    EXPECT_TRUE(fails_at(".main\n.const int 1 flags=300\n.end\n", 2, "flags="));
    EXPECT_TRUE(fails_at(".main\n.const string \"a\" size=3\n.end\n", 2, "unknown attribute 'size='"));
    EXPECT_TRUE(fails_at(".main\n.const function\nreturn_nil\n.end\n.end\n", 2, "needs a name"));
    EXPECT_TRUE(fails_at(".main\n.const object\nnil\n.end\n.end\n", 2, "key, value pairs"));
    EXPECT_TRUE(fails_at(".main\n.const class \"C\"\n.member 1\nnil\n.end\n.end\n.end\n", 3, "exactly two values"));
}

TEST(AsmErrors, Blocks) {
    EXPECT_TRUE(fails_at("\n.main\n  nop\n", 2, "missing .end for .main"));
    EXPECT_TRUE(fails_at(".main\n.const array\nint 1\n", 2, "missing .end"));
    EXPECT_TRUE(fails_at(".end\n", 1, ".end without an open block"));
    EXPECT_TRUE(fails_at("nop\n", 1, "at top level"));
    EXPECT_TRUE(fails_at(".main\n.end\n.main\n.end\n", 3, "only one .main"));
    EXPECT_TRUE(fails_at(".header\n.at 190\n.u32 1\n.end\n", 3, "past the end of the header"));
    EXPECT_TRUE(fails_at(".header\n.u8 1\n.end\n", 2, "need a preceding .at"));
    EXPECT_TRUE(fails_at(".header\n.signer_key 0102\n.end\n", 2, "needs 32 bytes"));
    EXPECT_TRUE(fails_at(".header\n.package_version 1.2.3\n.end\n", 2, "invalid version"));
    EXPECT_TRUE(fails_at(".header\n.producer \"" + std::string(33, 'x') + "\"\n.end\n", 2, "longer than 32"));
    EXPECT_TRUE(fails_at(".toc\n.dep \"a\"\n.end\n.end\n", 2, "needs a .body, a .region"));
    EXPECT_TRUE(fails_at(".toc\n.dep \"a\"\n.region nope\n.end\n.end\n", 2, "no top-level .region named 'nope'"));
    EXPECT_TRUE(fails_at(".main\n.pool\n5\n.end\n.end\n", 3, "pool entries"));
    EXPECT_TRUE(fails_at(".main\nnop\n.pool\n.end\n.end\n", 3, "before the chunk"));
    EXPECT_TRUE(fails_at(".main\nl: .end\n", 2, "own line"));
    EXPECT_TRUE(fails_at(".patch 1000 00\n", 1, "past the end of the file"));
}

TEST(AsmErrors, Rest) {
    EXPECT_TRUE(fails_at(".main\n.rest\n.bytes 01\nnop\n.end\n", 4, "nothing but raw bytes may follow .rest"));
    EXPECT_TRUE(fails_at(".main\n.const array\n.rest\n.end\n.const nil\n.end\n", 5, "nothing may follow a .rest"));
    EXPECT_TRUE(fails_at(".main\n.const array\n.rest\n.end\nnop\n.end\n", 5, "nothing may follow a .rest"));
}

TEST(AsmErrors, Lexical) {
    EXPECT_TRUE(fails_at(".main\n.const string \"abc\n.end\n", 2, "unterminated string"));
    EXPECT_TRUE(fails_at(".main\n.const string \"\\q\"\n.end\n", 2, "unknown escape"));
    EXPECT_TRUE(fails_at(".main\n.const string \"\\x4\"\n.end\n", 2, "two hexadecimal digits"));
    EXPECT_TRUE(fails_at(".main\npush_char 'ab'\n.end\n", 2, "more than one character"));
    EXPECT_TRUE(fails_at(".main\n.const int 1 flags=\n.end\n", 2, "has no value"));
    EXPECT_TRUE(fails_at(".bytes 0g\n", 1, "hexadecimal"));
    EXPECT_TRUE(fails_at(".bytes 012\n", 1, "hexadecimal"));
}

TEST(AsmErrors, CommentsAndBlankLinesKeepLineNumbers) {
    EXPECT_TRUE(fails_at("; expect-exit: 0\n\n; note ; with ; semicolons\n.main\n  nop ; fine\n  bad\n.end\n", 6,
                         "unknown instruction"));
    EXPECT_TRUE(fails_at(".main\n.const string \"a;b\" ; the ; inside quotes is text\nbad\n.end\n", 3,
                         "unknown instruction"));
}

// Arbitrary text must give an answer, never a crash.
TEST(AsmErrors, RandomSourcesNeverCrash) {
    const char* words[] = {".main", ".end", ".const", "array", "function", "\"s\"", "int", "1", "-1",
                           "jump", "l:", "l", "$a", ".rest", ".bytes", "ff", "class", ".member", "0",
                           "object", ".pool", ".toc", ".dep", ".body", "flags=2", "'c'", ".header",
                           ".at", "jump_table", "default", "make_closure", "\n", "\n", "\n", ".region", "r"};
    std::mt19937 rng(12345);
    for (int round = 0; round < 3000; ++round) {
        std::string source;
        int n = int(rng() % 40);
        for (int i = 0; i < n; ++i) source += std::string(words[rng() % std::size(words)]) + " ";
        Bytes out;
        std::string error;
        if (!assemble(source, out, &error)) {
            EXPECT_EQ(error.rfind("t.asm:", 0), 0u) << error;
        }
    }
}

TEST(AsmLexer, TokensAttributesAndLabels) {
    std::vector<SourceLine> lines;
    int line = 0;
    std::string error;
    ASSERT_TRUE(lex_source("a: b: op 1, \"x\\n\" 'y' k=\"v\" ; c\n\n  ; only a comment\nz\n", lines, line, error));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].labels, (std::vector<std::string>{"a", "b"}));
    ASSERT_EQ(lines[0].tokens.size(), 5u);
    EXPECT_EQ(lines[0].tokens[2].text, "x\n");
    EXPECT_EQ(lines[0].tokens[3].code, uint32_t('y'));
    EXPECT_EQ(lines[0].tokens[4].kind, TokenKind::Attr);
    EXPECT_EQ(lines[0].tokens[4].value_text, "v");
    EXPECT_EQ(lines[1].number, 4);
}

TEST(ToolText, NumbersAndVersions) {
    ParsedInt v;
    uint64_t bits = 0;
    ASSERT_TRUE(parse_int_text("-0x80", v));
    EXPECT_TRUE(int_fits(v, 1, bits));
    EXPECT_EQ(bits, 0x80u);
    ASSERT_TRUE(parse_int_text("0b1_0000_0000", v));
    EXPECT_FALSE(int_fits(v, 1, bits));
    EXPECT_FALSE(parse_int_text("18446744073709551616", v));
    EXPECT_FALSE(parse_int_text("0x", v));
    uint32_t version = 0;
    EXPECT_TRUE(parse_version_text("1.0.0.9", version));
    EXPECT_EQ(version, 0x01000009u);
    EXPECT_FALSE(parse_version_text("1.0.256.0", version));
    EXPECT_FALSE(parse_version_text("1..0.0", version));
    EXPECT_EQ(format_version(0x0102030Au), "1.2.3.10");
    uint32_t set = 0;
    EXPECT_TRUE(parse_type_set("INT|float|optional", set));
    EXPECT_EQ(set, 0x1000000Cu);
    EXPECT_EQ(format_type_set(0x1000000C), "float|int|optional");
    EXPECT_EQ(format_type_set(0x20000000), "0x20000000");
    EXPECT_FALSE(parse_type_set("int|widget", set));
}

TEST(ToolText, QuotingRoundTripsEveryByte) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += char(c);
    std::string quoted = quote_bytes(all);
    for (char c : quoted) EXPECT_TRUE(c >= 0x20 && c < 0x7F);
    std::vector<SourceLine> lines;
    int line = 0;
    std::string error;
    ASSERT_TRUE(lex_source(quoted, lines, line, error)) << error;
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].tokens[0].text, all);
}

TEST(ToolText, FloatsPrintExactlyOrNotAtAll) {
    EXPECT_EQ(format_double_exact(double_bits(0.1)), "0.10000000000000001");
    EXPECT_EQ(format_double_exact(double_bits(-0.0)), "-0");
    EXPECT_EQ(format_double_exact(0x7FF8000000000001ull), "");
    EXPECT_EQ(format_float_exact(float_bits(1.5f)), "1.5");
    double d = 0;
    EXPECT_FALSE(parse_float_text("0x1p3", d));
    EXPECT_FALSE(parse_float_text("1.5x", d));
}

}  // namespace
}  // namespace tarvik::tools::test
