// The checked allocation wrappers: size bounds, overflow, the cumulative byte count.
#include <gtest/gtest.h>

#include "runtime/alloc.h"
#include "runtime/errors.h"
#include "runtime/test_support.h"

namespace tarvik {
namespace {

using test::RuntimeTest;

TEST_F(RuntimeTest, CheckedAllocRefusesZeroAndTwoGigabytes) {
    EXPECT_EQ(checked_alloc(0), nullptr);
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
    EXPECT_EQ(checked_alloc(kAllocLimit), nullptr);
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);

    uint64_t before = g_heap.heap_bytes;
    auto* p = static_cast<uint8_t*>(checked_alloc(100));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(take_error_code(), -1);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(p[i], 0) << "memory is zeroed";
    EXPECT_EQ(g_heap.heap_bytes, before + 100);
    checked_free(p);
    EXPECT_EQ(g_heap.heap_bytes, before + 100) << "the count is cumulative";
}

TEST_F(RuntimeTest, CheckedCallocChecksTheProductWithoutOverflow) {
    EXPECT_EQ(checked_calloc(0, 8), nullptr);
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
    EXPECT_EQ(checked_calloc(8, 0), nullptr);
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
    EXPECT_EQ(checked_calloc(size_t(1) << 28, 8), nullptr) << "exactly 2^31 bytes";
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
    EXPECT_EQ(checked_calloc(SIZE_MAX / 2, 4), nullptr) << "a product that wraps";
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
    void* p = checked_calloc(16, 3);
    EXPECT_NE(p, nullptr);
    checked_free(p);
}

TEST_F(RuntimeTest, CheckedReallocKeepsTheOldBufferOnRefusal) {
    auto* p = static_cast<char*>(checked_alloc(8));
    std::memcpy(p, "abcdefg", 8);
    EXPECT_EQ(checked_realloc(p, 0), p);
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
    EXPECT_EQ(checked_realloc(p, kAllocLimit), p);
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
    EXPECT_STREQ(p, "abcdefg");
    p = static_cast<char*>(checked_realloc(p, 4096));
    EXPECT_STREQ(p, "abcdefg");
    checked_free(p);
}

TEST_F(RuntimeTest, CheckedStrlenAndStrdupBoundTheirInput) {
    EXPECT_EQ(checked_strlen(nullptr), 0u);
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
    EXPECT_EQ(checked_strdup(nullptr), nullptr);
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
    EXPECT_EQ(checked_strlen("hello"), 5u);
    char* copy = checked_strdup("hello");
    EXPECT_STREQ(copy, "hello");
    checked_free(copy);
    EXPECT_EQ(take_error_code(), -1);
}

}  // namespace
}  // namespace tarvik
