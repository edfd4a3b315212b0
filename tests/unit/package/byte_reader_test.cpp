// The byte reader's bounds: reads, skips and seeks never pass the end.
#include <gtest/gtest.h>

#include "package/byte_reader.h"

namespace tarvik {
namespace {

TEST(ByteReader, ReadsLittleEndianAndAdvances) {
    const uint8_t bytes[] = {1, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 9, 9};
    ByteReader r = byte_reader(bytes, sizeof bytes);
    EXPECT_EQ(read_u8(r), 1);
    EXPECT_EQ(read_u16(r), 0x1234);
    EXPECT_EQ(read_u32(r), 0x12345678u);
    uint8_t two[2];
    read_bytes(r, two, 2);
    EXPECT_EQ(r.pos, 9u);
    read_bytes(r, two, 0);  // zero bytes at the very end are fine
    reader_seek(r, 9);
    reader_skip(r, 0);
    EXPECT_EQ(r.pos, 9u);
}

TEST(ByteReaderDeathTest, EveryOverrunEndsWithStatus4AndItsMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const uint8_t bytes[6] = {};
    EXPECT_EXIT(
        {
            ByteReader r = byte_reader(bytes, sizeof bytes);
            read_u32(r);
            read_u32(r);
        },
        ::testing::ExitedWithCode(4), "Error: Unexpected end of buffer while reading bytecode \\(4/6\\)");
    EXPECT_EXIT(
        {
            ByteReader r = byte_reader(bytes, sizeof bytes);
            reader_skip(r, 5);
            reader_skip(r, 2);
        },
        ::testing::ExitedWithCode(4), "Skip out of bounds in bytecode buffer \\(5\\+2 > 6\\)");
    EXPECT_EXIT(
        {
            ByteReader r = byte_reader(bytes, sizeof bytes);
            reader_skip(r, 1);
            reader_skip(r, SIZE_MAX);  // must not wrap around
        },
        ::testing::ExitedWithCode(4), "Skip out of bounds");
    EXPECT_EXIT(
        {
            ByteReader r = byte_reader(bytes, sizeof bytes);
            reader_seek(r, 7);
        },
        ::testing::ExitedWithCode(4), "Seek out of bounds in bytecode buffer \\(7 > 6\\)");
}

}  // namespace
}  // namespace tarvik
