// The File module's byte-exact writes, the whole-file size limit, that failing
// operations leave no descriptor open, and atomic writes surviving a killed writer.
#include <dirent.h>
#include <signal.h>
#include <sys/wait.h>
#include <string>
#include <unistd.h>

#include "runtime/array.h"
#include "runtime/string.h"
#include "stdlib/file/directory_linux.h"
#include "stdlib/file/file_io_linux.h"
#include "stdlib/module_test_support.h"

namespace tarvik {
namespace {

int open_descriptors() {
    int count = 0;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (::readdir(dir)) ++count;
        ::closedir(dir);
    }
    return count;
}

class FileModuleTest : public test::ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        char pattern[] = "/tmp/tarvik-file-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        EXPECT_EQ(dir_delete_all(dir), 0);
        ModuleTest::TearDown();
    }
    Value path(const char* name) { return keep(make_string((dir + "/" + name).c_str())); }
    std::string dir;
};

TEST_F(FileModuleTest, TextWithNulBytesIsWrittenAndReadWhole) {
    Value text = keep(make_string_bytes("a\0b\0", 4));
    EXPECT_EQ(call("File", "WriteText", {path("t"), text}), make_bool(true));
    EXPECT_EQ(call("File", "AppendText", {path("t"), text}), make_bool(true));
    Value back = call("File", "ReadText", {path("t")});
    EXPECT_EQ(test::str(back), std::string("a\0b\0a\0b\0", 8));
    release(back);
    EXPECT_EQ(call("File", "WriteAtomic", {path("t"), text}), make_bool(true));
    EXPECT_EQ(call("File", "Size", {path("t")}), make_int(4));
}

TEST_F(FileModuleTest, FilesPastTheLimitAreNotReadWhole) {
    // A sparse file one byte over 256 MiB costs no disk space.
    EXPECT_EQ(call("File", "Touch", {path("big")}), make_bool(true));
    EXPECT_EQ(call("File", "Truncate", {path("big"), make_int(0x10000001)}), make_bool(true));
    EXPECT_TRUE(is_nil(call("File", "ReadText", {path("big")})));
    EXPECT_TRUE(is_nil(call("File", "ReadAllBytes", {path("big")})));
    EXPECT_TRUE(is_nil(call("File", "ReadLines", {path("big")})));
    EXPECT_EQ(call("File", "Truncate", {path("big"), make_int(-1)}), make_bool(false));
}

TEST_F(FileModuleTest, FailuresLeaveNoDescriptorOpen) {
    int before = open_descriptors();
    Value missing = path("none/x"), here = path("f"), sub = path("d");
    EXPECT_EQ(call("File", "WriteText", {here, here}), make_bool(true));
    EXPECT_EQ(call("Directory", "Create", {sub}), make_bool(true));
    for (int i = 0; i < 50; ++i) {
        EXPECT_TRUE(is_nil(call("File", "ReadText", {missing})));
        EXPECT_TRUE(is_nil(call("File", "ReadText", {sub})));
        EXPECT_EQ(call("File", "Copy", {here, here}), make_bool(false));
        EXPECT_EQ(call("File", "Copy", {here, missing}), make_bool(false));
        EXPECT_EQ(call("File", "WriteAtomic", {sub, here}), make_bool(false));
        EXPECT_EQ(call("File", "WriteText", {sub, here}), make_bool(false));
        EXPECT_EQ(call("Directory", "Copy", {sub, missing}), make_bool(false));
    }
    EXPECT_EQ(open_descriptors(), before);
    Value listing = call("Directory", "List", {keep(make_string(dir.c_str()))});
    EXPECT_EQ(array_count(as_obj(listing)), 2u) << "no temporary left behind";
    release(listing);
}

}  // namespace
}  // namespace tarvik

namespace tarvik {
namespace {

// A writer killed at any moment leaves the old or the new content, never a mix or
// a truncated file: the bytes go to a temporary that is renamed only when complete.
TEST(FileAtomicWrite, KilledWriterLeavesOldOrNewContent) {
    char pattern[] = "/tmp/tarvik-atomic-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::string dir = pattern, target = dir + "/data";
    const std::string a(4 << 20, 'a'), b(4 << 20, 'b');
    ASSERT_EQ(file_write_atomic(target, a.data(), a.size()), 0);
    for (int round = 0; round < 12; ++round) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                const std::string& next = i % 2 ? a : b;
                file_write_atomic(target, next.data(), next.size());
            }
        }
        ::usleep(useconds_t(3000 + round * 4000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        std::string content;
        ASSERT_EQ(file_read_whole(target, &content), 0);
        EXPECT_TRUE(content == a || content == b) << "round " << round << ": " << content.size() << " bytes";
    }
    EXPECT_EQ(dir_delete_all(dir), 0);
}

}  // namespace
}  // namespace tarvik
