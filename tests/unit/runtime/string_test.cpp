// tests/unit/runtime/string_test.cpp: string layout, hash caching and the string builder.
#include <cstring>
#include <string>

#include "runtime/alloc.h"
#include "runtime/errors.h"
#include "runtime/string.h"
#include "runtime/string_builder.h"
#include "runtime/test_support.h"

namespace tarvik {
namespace {

using test::str;

class StringTest : public test::RuntimeTest {};
class StringBuilderTest : public test::RuntimeTest {};

TEST_F(StringTest, SevenBytesStayInlineEightBytesGetABuffer) {
    Value seven = make_string("abcdefg");
    Value eight = make_string("abcdefgh");
    ObjHeader* s7 = as_obj(seven);
    ObjHeader* s8 = as_obj(eight);

    EXPECT_TRUE(s7->flags & F_INLINE_CHARS);
    EXPECT_EQ(string_chars(s7), reinterpret_cast<char*>(&s7->b));
    EXPECT_EQ(string_chars(s7)[7], '\0');
    EXPECT_EQ(str(seven), "abcdefg");

    EXPECT_FALSE(s8->flags & F_INLINE_CHARS);
    EXPECT_NE(string_chars(s8), reinterpret_cast<char*>(&s8->b));
    EXPECT_EQ(string_chars(s8)[8], '\0');
    EXPECT_EQ(str(eight), "abcdefgh");
    EXPECT_EQ(string_length(s8), 8u);

    release(seven);
    release(eight);
}

TEST_F(StringTest, EmptyAndNullInputsGiveStaticObjects) {
    EXPECT_EQ(make_string(""), empty_string_value());
    EXPECT_EQ(make_string_bytes("xyz", 0), empty_string_value());
    EXPECT_EQ(make_string(nullptr), nil_value());
    char* buffer = static_cast<char*>(checked_alloc(1));
    EXPECT_EQ(make_string_adopt(buffer, 0), empty_string_value());
    EXPECT_EQ(hash_bytes("", 0), kEmptyStringHash);
    EXPECT_EQ(take_error_code(), -1);
}

TEST_F(StringTest, OverlongBytesRaiseCode6AndYieldNil) {
    static const char bytes[1] = {'x'};
    // The length is checked before any byte is read.
    EXPECT_EQ(make_string_bytes(bytes, size_t(kMaxStringLength) + 1), nil_value());
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
    EXPECT_EQ(make_string_hashed(bytes, size_t(kMaxStringLength) + 1, 1), nil_value());
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
}

TEST_F(StringTest, EveryConstructorAgreesOnHashAndBytes) {
    const std::string texts[] = {"a", "1234567", "12345678", "a longer text with spaces"};
    for (const std::string& text : texts) {
        Value from_text = make_string(text.c_str());
        Value from_bytes = make_string_bytes(text.data(), text.size());
        Value hashed = make_string_hashed(text.data(), text.size(), hash_bytes(text.data(), text.size()));
        char* buffer = static_cast<char*>(checked_alloc(text.size() + 1));
        std::memcpy(buffer, text.data(), text.size());
        Value adopted = make_string_adopt(buffer, text.size());

        for (Value v : {from_bytes, hashed, adopted}) {
            EXPECT_EQ(str(v), text);
            EXPECT_EQ(string_hash(as_obj(v)), string_hash(as_obj(from_text)));
            EXPECT_TRUE(string_equal(as_obj(v), as_obj(from_text)));
            EXPECT_EQ((as_obj(v)->flags & F_INLINE_CHARS) != 0, text.size() <= kInlineStringMax) << text;
        }
        // A long adopted buffer is kept, not copied.
        if (text.size() > kInlineStringMax) {
            EXPECT_EQ(string_chars(as_obj(adopted)), buffer);
        }
        for (Value v : {from_text, from_bytes, hashed, adopted}) release(v);
    }
}

TEST_F(StringTest, HashIsRecomputedOnceAfterAnInPlaceWrite) {
    Value v = make_string("hello world");
    ObjHeader* s = as_obj(v);
    uint64_t before = string_hash(s);
    string_chars(s)[0] = 'H';
    string_mark_stale(s);

    uint64_t after = string_hash(s);
    EXPECT_NE(after, before);
    EXPECT_EQ(after, hash_bytes("Hello world", 11));
    EXPECT_FALSE(s->flags & F_HASH_STALE);
    release(v);
}

TEST_F(StringTest, EqualityComparesBytesAndIgnoresStaleHashes) {
    Value a = make_string("hello");
    Value same = make_string("hello");
    Value other = make_string("hellp");
    Value shorter = make_string("hell");
    EXPECT_TRUE(string_equal(as_obj(a), as_obj(same)));
    EXPECT_FALSE(string_equal(as_obj(a), as_obj(other)));
    EXPECT_FALSE(string_equal(as_obj(a), as_obj(shorter)));

    // `other` now holds "hello" but still caches the hash of "hellp".
    string_chars(as_obj(other))[4] = 'o';
    string_mark_stale(as_obj(other));
    EXPECT_TRUE(string_equal(as_obj(a), as_obj(other)));

    for (Value v : {a, same, other, shorter}) release(v);
}

TEST_F(StringBuilderTest, CapacityDoublesFromSixteen) {
    StringBuilder sb;
    ASSERT_TRUE(sb_init(&sb, 0));
    EXPECT_EQ(sb.capacity, 16u);
    ASSERT_TRUE(sb_append_bytes(&sb, "0123456789abcde", 15));  // 15 + 1 fits exactly
    EXPECT_EQ(sb.capacity, 16u);
    ASSERT_TRUE(sb_append_byte(&sb, 'f'));
    EXPECT_EQ(sb.capacity, 32u);
    ASSERT_TRUE(sb_append_text(&sb, std::string(40, 'x').c_str()));
    EXPECT_EQ(sb.capacity, 64u);
    EXPECT_EQ(sb.length, 56u);
    EXPECT_EQ(sb.data[56], '\0');
    EXPECT_EQ(std::string(sb.data, 16), "0123456789abcdef");
    sb_free(&sb);
    EXPECT_EQ(sb.data, nullptr);
}

TEST_F(StringBuilderTest, ToStringTakesTheBufferOfALongText) {
    StringBuilder sb;  // never initialised: the first append allocates
    ASSERT_TRUE(sb_append_text(&sb, "twelve bytes"));
    EXPECT_EQ(sb.capacity, 16u);
    char* data = sb.data;
    Value v = sb_to_string(&sb);
    EXPECT_EQ(string_chars(as_obj(v)), data);
    EXPECT_EQ(str(v), "twelve bytes");
    EXPECT_EQ(string_hash(as_obj(v)), hash_bytes("twelve bytes", 12));
    release(v);

    StringBuilder empty;
    EXPECT_EQ(sb_to_string(&empty), empty_string_value());
}

TEST_F(StringBuilderTest, SizeFailuresRaiseAndLeaveTheBuilderUnchanged) {
    StringBuilder sb;
    EXPECT_FALSE(sb_init(&sb, kAllocLimit));
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);

    ASSERT_TRUE(sb_init(&sb, 0));
    char* data = sb.data;
    // Pretend the builder is nearly 2 GiB long: growth must refuse before touching it.
    sb.length = kAllocLimit - 8;
    EXPECT_FALSE(sb_append_bytes(&sb, "0123456789", 10));
    EXPECT_EQ(take_error_code(), ERR_OUT_OF_MEMORY);
    sb.length = SIZE_MAX - 1;
    EXPECT_FALSE(sb_append_byte(&sb, 'x'));
    EXPECT_EQ(take_error_code(), ERR_OUT_OF_MEMORY);
    EXPECT_EQ(sb.data, data);
    EXPECT_EQ(sb.capacity, 16u);

    sb.length = 0;
    EXPECT_FALSE(sb_append_text(&sb, nullptr));
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
    EXPECT_EQ(sb.length, 0u);
    sb_free(&sb);
}

}  // namespace
}  // namespace tarvik
