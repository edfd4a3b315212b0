// Decoding of main sections: the pool, every constant form, function and class
// constants, and the refusals that end a load with status 4.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/validator.h"
#include "package/chunk_reader.h"
#include "package/package_loader.h"
#include "package/signature.h"
#include "runtime/errors.h"
#include "runtime/array.h"
#include "runtime/class_record.h"
#include "runtime/function.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/test_support.h"

namespace tarvik {
namespace {

using test::str;

// Little-endian byte builder for hand-made sections.
struct Bytes {
    std::vector<uint8_t> data;
    Bytes& u8(uint8_t v) { data.push_back(v); return *this; }
    Bytes& u16(uint16_t v) { return raw(&v, 2); }
    Bytes& u32(uint32_t v) { return raw(&v, 4); }
    Bytes& u64(uint64_t v) { return raw(&v, 8); }
    Bytes& f64(double v) { return raw(&v, 8); }
    Bytes& raw(const void* p, size_t n) {
        auto* b = static_cast<const uint8_t*>(p);
        data.insert(data.end(), b, b + n);
        return *this;
    }
    Bytes& text(const std::string& s) { return raw(s.data(), s.size()); }
    // Value tag and its ignored flags byte.
    Bytes& tag(uint32_t t) { return u32(t).u8(0); }
    Bytes& string_value(const std::string& s) { return tag(T_STRING).u64(0).u32(uint32_t(s.size())).text(s); }
    Bytes& int_value(int64_t n) { return tag(T_INT).u64(uint64_t(n)); }
    // Chunk header with `consts` constants appended by the caller, then code.
    Bytes& chunk_start(uint16_t consts, uint32_t code_size, uint16_t flags = 0) {
        return u8(0xA5).u32(0x01000009).u16(consts).u32(code_size).u16(flags);
    }
    Bytes& return_nil() { return u8(0x62); }
};

class ChunkReaderTest : public test::RuntimeTest {
protected:
    void SetUp() override {
        test::RuntimeTest::SetUp();
        value_types_register();
        chunk_reader_set_validator(validate_chunk);
    }
    Chunk* read(const Bytes& b) {
        ByteReader r = byte_reader(b.data.data(), b.data.size());
        return read_main_section(r);
    }
};

TEST_F(ChunkReaderTest, ScalarConstantsDecodeToTheirValueForms) {
    Bytes b;
    b.u16(0);  // empty pool
    b.chunk_start(7, 1);
    b.tag(T_NIL).tag(T_CHAR).u32(0x41).tag(T_FLOAT).f64(2.5);
    b.int_value((int64_t(1) << 60) - 1).int_value(int64_t(1) << 60).int_value(-(int64_t(1) << 60));
    b.tag(T_BOOL).u8(7);
    b.return_nil();
    Chunk* c = read(b);
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->validated);
    EXPECT_EQ(c->constants[0], nil_value());
    EXPECT_EQ(c->constants[1], make_char('A'));
    EXPECT_EQ(float_of(as_obj(c->constants[2])), 2.5);
    EXPECT_TRUE(is_imm_int(c->constants[3]));
    EXPECT_TRUE(is_ref_of(c->constants[4], T_INT)) << "2^60 needs a heap int";
    EXPECT_EQ(value_to_int(c->constants[4]), int64_t(1) << 60);
    EXPECT_TRUE(is_imm_int(c->constants[5]));
    EXPECT_EQ(c->constants[6], make_bool(true));
    chunk_release(c);
    heap_drain_queue();  // queued slots still hold their contents until drained
    EXPECT_EQ(heap_live_count(), 0);
}

TEST_F(ChunkReaderTest, StringConstantsStopAtNulButPoolStringsKeepIt) {
    std::string with_nul("ab\0cd", 5);
    Bytes b;
    b.u16(1).u8(0).u64(hash_bytes(with_nul.data(), 5)).u32(5).text(with_nul);
    b.chunk_start(3, 1);
    b.string_value(with_nul);
    b.u32(kPooledStringTag).u16(0);
    b.tag(T_STRING).u64(0x1234).u32(0);  // empty string carrying the file's hash
    b.return_nil();
    Chunk* c = read(b);
    EXPECT_EQ(str(c->constants[0]), "ab");
    EXPECT_EQ(string_hash(as_obj(c->constants[0])), hash_bytes("ab", 2));
    EXPECT_EQ(str(c->constants[1]), with_nul);
    EXPECT_EQ(as_obj(c->constants[1])->ref_count, 1u) << "the pool dropped its reference";
    EXPECT_EQ(string_length(as_obj(c->constants[2])), 0u);
    EXPECT_EQ(as_obj(c->constants[2])->a, 0x1234u);
    chunk_release(c);
}

TEST_F(ChunkReaderTest, ContainersKeepFileOrderAndLaterKeysReplaceEarlierOnes) {
    Bytes b;
    b.u16(0).chunk_start(3, 1);
    b.tag(T_OBJECT).u32(3).string_value("a").int_value(1).string_value("b").int_value(2).string_value("a").int_value(3);
    b.tag(T_ARRAY).u32(2).u8(0).int_value(10).string_value("x");
    b.tag(T_ARRAY).u32(0).u8(1);  // empty flat float array
    b.return_nil();
    Chunk* c = read(b);
    PropertyMap* map = object_map(as_obj(c->constants[0]));
    EXPECT_EQ(map->count, 2u);
    EXPECT_EQ(map_get(map, hash_bytes("a", 1)), make_int(3));
    ObjHeader* array = as_obj(c->constants[1]);
    EXPECT_EQ(array_count(array), 2u);
    EXPECT_EQ(array_items(array)[0], make_int(10));
    ObjHeader* flat = as_obj(c->constants[2]);
    EXPECT_TRUE(array_is_flat_float(flat));
    EXPECT_EQ(array_count(flat), 0u);
    EXPECT_GE(array_capacity(flat), 1u);
    chunk_release(c);
}

TEST_F(ChunkReaderTest, FunctionConstantsClampCountsAndDeriveArity) {
    Bytes b;
    b.u16(0).chunk_start(1, 1);
    b.tag(T_FUNCTION).u8(20).u8(200).u32(0x60 | 0x80).u32(7);
    for (int i = 0; i < 16; ++i) b.u32(i < 2 ? (kParamOptional | T_INT) : (i == 5 ? T_STRING : 0));
    b.string_value("Main");
    b.chunk_start(0, 1).return_nil();
    b.return_nil();
    Chunk* c = read(b);
    ASSERT_TRUE(is_ref_of(c->constants[0], T_FUNCTION));
    FunctionRecord* fn = function_record(as_obj(c->constants[0]));
    EXPECT_EQ(fn->param_count, 16);
    EXPECT_EQ(fn->local_count, 128);
    EXPECT_EQ(fn->optional_count, 2);
    EXPECT_EQ(fn->required_count, 14);
    EXPECT_EQ(fn->function_flags, 0x80u | FN_TYPED) << "bits 5 and 6 are cleared";
    EXPECT_EQ(fn->function_word, 7u);
    EXPECT_EQ(str(fn->name), "Main");
    ASSERT_NE(fn->chunk, nullptr);
    EXPECT_TRUE(fn->chunk->validated);
    chunk_release(c);
    heap_drain_queue();  // queued slots still hold their contents until drained
    EXPECT_EQ(heap_live_count(), 0);
}

TEST_F(ChunkReaderTest, ClassConstantsReplaceRepeatedMembersAndOwnTheirMethods) {
    Bytes b;
    b.u16(0).chunk_start(1, 1);
    b.tag(T_CLASS).u32(3).u64(0xABCD).string_value("Point");
    b.u8(MEMBER_FIELD).string_value("x").int_value(1);
    b.u8(MEMBER_METHOD).string_value("Len").tag(T_FUNCTION).u8(0).u8(0).u32(0).u32(0);
    for (int i = 0; i < 16; ++i) b.u32(0);
    b.string_value("Len").chunk_start(0, 1).return_nil();
    b.u8(MEMBER_FIELD).string_value("x").int_value(2);
    b.return_nil();
    Chunk* c = read(b);
    ObjHeader* cls = as_obj(c->constants[0]);
    ClassRecord* record = class_record(cls);
    EXPECT_EQ(str(record->name), "Point");
    EXPECT_EQ(record->base_name_hash, 0xABCDu);
    ASSERT_EQ(record->own_count, 2u);
    EXPECT_EQ(record->own_members[0].value, make_int(2));
    EXPECT_EQ(record->field_count, 1u);
    EXPECT_EQ(function_record(as_obj(record->own_members[1].value))->owner_class, cls);
    chunk_release(c);
    heap_drain_queue();  // queued slots still hold their contents until drained
    EXPECT_EQ(heap_live_count(), 0);
}

using ChunkReaderDeathTest = ChunkReaderTest;

TEST_F(ChunkReaderDeathTest, MalformedConstantsEndTheLoadWithStatus4) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto expect_refused = [&](const Bytes& b, const char* message) {
        EXPECT_EXIT(read(b), ::testing::ExitedWithCode(4), message);
    };
    Bytes two_bits;
    two_bits.u16(0).chunk_start(1, 1).tag(3).return_nil();
    expect_refused(two_bits, "Error: Unknown type 3 while reading value");
    Bytes fiber;
    fiber.u16(0).chunk_start(1, 1).tag(T_FIBER).return_nil();
    expect_refused(fiber, "Unknown type 4194304 while reading value");
    Bytes int_key;
    int_key.u16(0).chunk_start(1, 1).tag(T_OBJECT).u32(1).int_value(5).int_value(1).return_nil();
    expect_refused(int_key, "Malformed bytecode: object key is not a string \\(8, limit 16\\)");
    Bytes bad_kind;
    bad_kind.u16(0).chunk_start(1, 1).tag(T_CLASS).u32(1).u64(0).string_value("C").u8(3).return_nil();
    expect_refused(bad_kind, "Malformed bytecode: invalid class member kind \\(3, limit 2\\)");
    Bytes pool_index;
    pool_index.u16(0).chunk_start(1, 1).u32(kPooledStringTag).u16(0).return_nil();
    expect_refused(pool_index, "string pool index out of range \\(0, limit 0\\)");
    Bytes truncated;
    truncated.u16(0).chunk_start(0, 4).u8(0x62);
    expect_refused(truncated, "Unexpected end of buffer while reading bytecode \\(15/16\\)");
    Bytes marker;
    marker.u16(0).u8(0xA4).u32(0x01000009).u16(0).u32(1).u16(0).return_nil();
    expect_refused(marker, "Read chunk with invalid magic marker!");
}

TEST_F(ChunkReaderDeathTest, NestingStopsAtSixtyFourLevels) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Bytes b;
    b.u16(0).chunk_start(1, 1);
    for (int i = 0; i < 70; ++i) b.tag(T_ARRAY).u32(1).u8(0);
    b.tag(T_NIL);
    b.return_nil();
    EXPECT_EXIT(read(b), ::testing::ExitedWithCode(4), "Nested levels for chunks/value too deep");
}

// A package cut short at any offset, its regions moved along so that every reader
// meets the end, is refused with status 4 and one error line, and leaves no object
// behind. The exit hook throws so that all offsets run in this process.
TEST_F(ChunkReaderTest, PackageTruncatedAtEveryOffsetIsRefusedCleanly) {
    struct Refused {
        int status;
    };
    Bytes main;
    main.u16(1).u8(0).u64(7).u32(4).text("pool");
    main.chunk_start(7, 1);
    main.string_value("text").u32(kPooledStringTag).u16(0);
    main.tag(T_OBJECT).u32(1).string_value("k").int_value(1);
    main.tag(T_ARRAY).u32(2).u8(0).int_value(1).tag(T_FLOAT).f64(1.5);
    main.tag(T_ARRAY).u32(2).u8(1).f64(1).f64(2);
    main.tag(T_CLASS).u32(1).u64(0).string_value("C").u8(MEMBER_FIELD).string_value("f").tag(T_NIL);
    main.tag(T_FUNCTION).u8(1).u8(1).u32(0).u32(0);
    for (uint32_t i = 0; i < kMaxParams; ++i) main.u32(0);
    main.string_value("F").chunk_start(0, 1, /*debug*/ 1).return_nil().u8(1).u32(1).text("x");
    main.return_nil();
    const std::string zeros(136, '\0');
    Bytes package;  // unsigned header; the regions (offset 56) are set per length below
    package.text("TRV2").u32(0).u32(kMaxFormatVersion).text(zeros.substr(0, 44)).text(zeros);
    package.raw(main.data.data(), main.data.size());
    ASSERT_EQ(package.data.size(), kPackageHeaderSize + main.data.size());

    vm_set_exit_hook([](int status) { throw Refused{status}; });
    auto load = [&](size_t length) {
        std::vector<uint8_t> bytes(package.data.begin(), package.data.begin() + length);
        if (length >= kPackageHeaderSize) {
            uint32_t regions[6] = {uint32_t(kPackageHeaderSize)};
            for (int i = 1; i < 6; ++i) regions[i] = uint32_t(length);
            std::memcpy(bytes.data() + 56, regions, sizeof regions);
        }
        PackageHeader header;
        return load_package_memory(bytes.data(), bytes.size(), &header);
    };
    Chunk* whole = load(package.data.size());
    ASSERT_NE(whole, nullptr);
    EXPECT_EQ(whole->const_count, 7);
    chunk_release(whole);
    for (size_t length = 0; length < package.data.size(); ++length) {
        testing::internal::CaptureStderr();
        int status = 0;
        try {
            load(length);
        } catch (const Refused& refused) {
            status = refused.status;
        }
        std::string error = testing::internal::GetCapturedStderr();
        EXPECT_EQ(status, 4) << "cut at " << length;
        EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << "cut at " << length << ": " << error;
        heap_drain_queue();
        EXPECT_EQ(heap_live_count(), 0) << "cut at " << length;
    }
    vm_set_exit_hook(nullptr);
}

}  // namespace
}  // namespace tarvik
