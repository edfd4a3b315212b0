// tests/unit/runtime/utf8_test.cpp: UTF-8 encoding lengths and the strict decoder.
#include <gtest/gtest.h>

#include <string>

#include "runtime/utf8.h"

namespace tarvik {
namespace {

std::string encode(uint32_t code_point) {
    char out[4];
    int n = utf8_encode(code_point, out);
    return std::string(out, size_t(n));
}

bool decode(const std::string& bytes, size_t position = 0, uint32_t* cp = nullptr, int* count = nullptr) {
    uint32_t code_point = 0;
    int byte_count = 0;
    bool ok = utf8_decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), position, &code_point,
                          &byte_count);
    if (cp) *cp = code_point;
    if (count) *count = byte_count;
    return ok;
}

TEST(Utf8, EncodeUsesTheShortestFormAtEachBoundary) {
    EXPECT_EQ(encode(0x7F), "\x7F");
    EXPECT_EQ(encode(0x80), "\xC2\x80");
    EXPECT_EQ(encode(0xE9), "\xC3\xA9");
    EXPECT_EQ(encode(0x7FF), "\xDF\xBF");
    EXPECT_EQ(encode(0x800), "\xE0\xA0\x80");
    EXPECT_EQ(encode(0xFFFF), "\xEF\xBF\xBF");
    EXPECT_EQ(encode(0x10000), "\xF0\x90\x80\x80");
    EXPECT_EQ(encode(0x10FFFF), "\xF4\x8F\xBF\xBF");
    EXPECT_EQ(encode(0), std::string(1, '\0'));
}

TEST(Utf8, EncodeProducesNothingForSurrogatesAndOutOfRange) {
    EXPECT_EQ(encode(0xD800), "");
    EXPECT_EQ(encode(0xDFFF), "");
    EXPECT_EQ(encode(0x110000), "");
    EXPECT_EQ(encode(0xFFFFFFFF), "");
    EXPECT_EQ(encode(0xD7FF).size(), 3u);
    EXPECT_EQ(encode(0xE000).size(), 3u);
}

TEST(Utf8, EveryScalarValueRoundTrips) {
    for (uint32_t cp = 0; cp < 0x110000; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        std::string bytes = encode(cp);
        uint32_t back = 0;
        int count = 0;
        ASSERT_TRUE(decode(bytes, 0, &back, &count)) << cp;
        ASSERT_EQ(back, cp);
        ASSERT_EQ(size_t(count), bytes.size());
    }
}

TEST(Utf8, DecodeReadsAtThePosition) {
    std::string text = "a\xC3\xA9\xF0\x9F\x98\x80";
    uint32_t cp = 0;
    int count = 0;
    ASSERT_TRUE(decode(text, 1, &cp, &count));
    EXPECT_EQ(cp, 0xE9u);
    EXPECT_EQ(count, 2);
    ASSERT_TRUE(decode(text, 3, &cp, &count));
    EXPECT_EQ(cp, 0x1F600u);
    EXPECT_EQ(count, 4);
    EXPECT_FALSE(decode(text, text.size()));
    EXPECT_FALSE(decode(text, 2));  // a continuation byte as lead
}

TEST(Utf8, DecodeRejectsMalformedSequences) {
    const char* rejected[] = {
        "\x80",              // lone continuation
        "\xBF",              // lone continuation
        "\xF8\x88\x80\x80",  // 5-byte lead
        "\xFF",              // not a lead form
        "\xC0\x80",          // overlong NUL
        "\xC1\xBF",          // overlong 0x7F
        "\xE0\x80\x80",      // overlong 3-byte
        "\xE0\x9F\xBF",      // 0x7FF in three bytes
        "\xF0\x8F\xBF\xBF",  // 0xFFFF in four bytes
        "\xED\xA0\x80",      // surrogate 0xD800
        "\xED\xBF\xBF",      // surrogate 0xDFFF
        "\xF4\x90\x80\x80",  // 0x110000
        "\xF7\xBF\xBF\xBF",  // far above the range
        "\xC3",              // truncated 2-byte
        "\xE2\x82",          // truncated 3-byte
        "\xF0\x9F\x98",      // truncated 4-byte
        "\xE2\x28\xA1",      // bad second byte
        "\xF0\x9F\x28\x80",  // bad third byte
        "\xC3\xC3",          // lead where a continuation belongs
    };
    for (const char* bytes : rejected) EXPECT_FALSE(decode(bytes)) << std::hex << int(uint8_t(bytes[0]));
    EXPECT_FALSE(utf8_decode(nullptr, 0, 0, nullptr, nullptr));
}

}  // namespace
}  // namespace tarvik
