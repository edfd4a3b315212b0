// Trusted keys: the built-in key, the trusted_keys file's line rules and the order in
// which the file's path is resolved.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cctype>
#include <cstring>
#include <string>

#include "package/key_file_fixture.h"
#include "package/signature.h"
#include "package/trusted_keys.h"

namespace tarvik {
namespace {

using test::KeyFileTest;

struct Key {
    uint8_t bytes[32];
    std::string hex() const {
        char text[65];
        hex_encode(bytes, 32, text);
        return text;
    }
};

Key key_of(int n) {
    Key key;
    for (int i = 0; i < 32; ++i) key.bytes[i] = uint8_t(n * 37 + i * 11 + (n >> 8));
    key.bytes[31] = uint8_t(n);
    key.bytes[30] = uint8_t(n >> 8);
    return key;
}

std::string upper(std::string text) {
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

class TrustedKeys : public KeyFileTest {
protected:
    bool trusted(const Key& key) {
        std::memset(label, 'x', sizeof label);
        return is_trusted_key(key.bytes, label);
    }
    char label[64];
};

TEST_F(TrustedKeys, BuiltinKeyIsTrustedWithoutAFile) {
    ASSERT_EQ(std::strlen(kBuiltinKeyHex), 64u);
    Key builtin;
    ASSERT_TRUE(hex_decode(kBuiltinKeyHex, 64, builtin.bytes, 32));
    EXPECT_EQ(builtin.hex(), kBuiltinKeyHex) << "the built-in key is stored in lower case";

    // TARVIK_TRUSTED_KEYS names a file that does not exist.
    EXPECT_TRUE(trusted(builtin));
    EXPECT_STREQ(label, kBuiltinKeyLabel);
    EXPECT_FALSE(trusted(key_of(1)));
    EXPECT_EQ(label[0], '\0');

    // The built-in entry is consulted before the file.
    write_key_file(builtin.hex() + " Someone else\n");
    EXPECT_TRUE(trusted(builtin));
    EXPECT_STREQ(label, kBuiltinKeyLabel);
}

TEST_F(TrustedKeys, LineLayoutAndLabels) {
    write_key_file(key_of(1).hex() + "\n" +                            // key only
                   " \t " + key_of(2).hex() + " \t  Build  server \t\r\n" +  // blanks around
                   key_of(3).hex() + "\t" + std::string(70, 'L') + "\n" +    // long label
                   upper(key_of(4).hex()) + "  Upper\n");
    EXPECT_TRUE(trusted(key_of(1)));
    EXPECT_EQ(label[0], '\0');
    EXPECT_TRUE(trusted(key_of(2)));
    EXPECT_STREQ(label, "Build  server");
    EXPECT_TRUE(trusted(key_of(3)));
    EXPECT_EQ(std::string(label), std::string(63, 'L'));
    EXPECT_TRUE(trusted(key_of(4)));
    EXPECT_STREQ(label, "Upper");
    EXPECT_FALSE(trusted(key_of(5)));
}

TEST_F(TrustedKeys, MalformedKeysAndCommentsAreSkipped) {
    std::string hex6 = key_of(6).hex();
    std::string not_hex = key_of(8).hex();
    not_hex[10] = 'g';
    write_key_file("#" + key_of(5).hex() + " commented out\n" +
                   "# " + key_of(5).hex() + "\n" +
                   hex6.substr(0, 62) + " short\n" +
                   hex6 + "ab long\n" +
                   key_of(7).hex() + "x glued\n" +
                   not_hex + " bad digit\n" +
                   "\n   \t\r\n" +
                   key_of(9).hex() + " later\n");
    EXPECT_FALSE(trusted(key_of(5)));
    EXPECT_FALSE(trusted(key_of(6)));
    EXPECT_FALSE(trusted(key_of(7)));
    EXPECT_FALSE(trusted(key_of(8)));
    EXPECT_TRUE(trusted(key_of(9)));
    EXPECT_STREQ(label, "later");
}

TEST_F(TrustedKeys, FirstMatchingEntryWins) {
    write_key_file(key_of(1).hex() + " first\n" + upper(key_of(1).hex()) + " second\n");
    EXPECT_TRUE(trusted(key_of(1)));
    EXPECT_STREQ(label, "first");
}

// A line is read 255 characters at a time, and each piece is a line of its own.
TEST_F(TrustedKeys, LongLinesAreReadInPieces) {
    write_key_file("#" + std::string(254, '-') + key_of(1).hex() + " from second piece\n" +
                   key_of(2).hex() + " " + std::string(190, 'a') + key_of(3).hex() + "\n");
    EXPECT_TRUE(trusted(key_of(1)));
    EXPECT_STREQ(label, "from second piece");
    EXPECT_TRUE(trusted(key_of(2)));
    EXPECT_EQ(std::string(label), std::string(63, 'a'));
    EXPECT_TRUE(trusted(key_of(3)));
    EXPECT_EQ(label[0], '\0');
}

TEST_F(TrustedKeys, OnlyTheFirst256EntriesCount) {
    std::string text;
    for (int i = 0; i < 255; ++i) {
        text += key_of(100 + i).hex() + "\n";
        if (i % 50 == 0) text += "# comments and bad lines are not entries\nzz\n";
    }
    text += key_of(1).hex() + " entry 256\n";
    text += key_of(2).hex() + " entry 257\n";
    write_key_file(text);
    EXPECT_TRUE(trusted(key_of(100)));
    EXPECT_TRUE(trusted(key_of(1)));
    EXPECT_STREQ(label, "entry 256");
    EXPECT_FALSE(trusted(key_of(2)));
}

TEST_F(TrustedKeys, FileIsReadAgainOnEachCall) {
    EXPECT_FALSE(trusted(key_of(1)));
    write_key_file(key_of(1).hex() + "\n");
    EXPECT_TRUE(trusted(key_of(1)));
    write_key_file("\n");
    EXPECT_FALSE(trusted(key_of(1)));
}

TEST_F(KeyFileTest, PathRulesApplyInOrder) {
    char path[1024];
    setenv("TARVIK_TRUSTED_KEYS", "/etc/tarvik/keys", 1);
    setenv("HOME", "/home/ann", 1);
    setenv("HOMEDRIVE", "/mnt/c", 1);
    setenv("HOMEPATH", "/Users/ann", 1);
    ASSERT_TRUE(resolve_trusted_keys_path(path));
    EXPECT_STREQ(path, "/etc/tarvik/keys");

    setenv("TARVIK_TRUSTED_KEYS", "", 1);
    ASSERT_TRUE(resolve_trusted_keys_path(path));
    EXPECT_STREQ(path, "/home/ann/.tarvik/trusted_keys");

    unsetenv("TARVIK_TRUSTED_KEYS");
    setenv("HOME", "", 1);
    ASSERT_TRUE(resolve_trusted_keys_path(path));
    EXPECT_STREQ(path, "/mnt/c/Users/ann/.tarvik/trusted_keys");

    unsetenv("HOME");
    setenv("HOMEPATH", "", 1);
    EXPECT_FALSE(resolve_trusted_keys_path(path));
    unsetenv("HOMEPATH");
    EXPECT_FALSE(resolve_trusted_keys_path(path));
}

TEST_F(KeyFileTest, PathsLongerThan1023CharactersAreRefused) {
    char path[1024];
    std::string longest = "/" + std::string(1022, 'p');
    setenv("TARVIK_TRUSTED_KEYS", longest.c_str(), 1);
    setenv("HOME", "/home/ann", 1);
    ASSERT_TRUE(resolve_trusted_keys_path(path));
    EXPECT_EQ(std::string(path), longest);

    // A path too long for its rule does not fall through to the next rule.
    setenv("TARVIK_TRUSTED_KEYS", (longest + "p").c_str(), 1);
    EXPECT_FALSE(resolve_trusted_keys_path(path));

    unsetenv("TARVIK_TRUSTED_KEYS");
    std::string tail = "/.tarvik/trusted_keys";
    setenv("HOME", std::string(1023 - tail.size(), 'h').c_str(), 1);
    EXPECT_TRUE(resolve_trusted_keys_path(path));
    setenv("HOME", std::string(1024 - tail.size(), 'h').c_str(), 1);
    EXPECT_FALSE(resolve_trusted_keys_path(path));
}

TEST_F(KeyFileTest, UnresolvablePathTrustsOnlyTheBuiltinKey) {
    unsetenv("TARVIK_TRUSTED_KEYS");
    unsetenv("HOME");
    unsetenv("HOMEDRIVE");
    unsetenv("HOMEPATH");
    Key builtin;
    ASSERT_TRUE(hex_decode(kBuiltinKeyHex, 64, builtin.bytes, 32));
    char label[64] = "stale";
    EXPECT_TRUE(is_trusted_key(builtin.bytes, label));
    EXPECT_STREQ(label, kBuiltinKeyLabel);
    EXPECT_FALSE(is_trusted_key(key_of(1).bytes, label));
    EXPECT_EQ(label[0], '\0');
}

}  // namespace
}  // namespace tarvik
