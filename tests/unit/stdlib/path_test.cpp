// The Path module's text rules on edge inputs (empty, ".", "..", trailing and
// doubled separators, backslashes, very long paths) and the Combine size limit.
#include <string>
#include <unistd.h>

#include "runtime/string.h"
#include "stdlib/file/path_text.h"
#include "stdlib/module_test_support.h"

namespace tarvik {
namespace {

TEST(PathText, NormalizeCollapsesSeparatorsAndDropsDots) {
    EXPECT_EQ(path_normalize("a\\b//./c/../d"), "a/b/c/../d");
    EXPECT_EQ(path_normalize(""), "");
    EXPECT_EQ(path_normalize("."), ".") << "never the empty path";
    EXPECT_EQ(path_normalize("./"), ".");
    EXPECT_EQ(path_normalize("././x"), "x");
    EXPECT_EQ(path_normalize("/./"), "/");
    EXPECT_EQ(path_normalize("a/."), "a/");
    EXPECT_EQ(path_normalize("..//.x/y."), "../.x/y.");
}

TEST(PathText, ResolveAndRelative) {
    EXPECT_EQ(path_resolve("b/./c/../d/", "/w/a"), "/w/a/b/d");
    EXPECT_EQ(path_resolve("../../../..", "/w/a"), "/") << "nothing above the root";
    EXPECT_EQ(path_resolve("", "/w"), "/w");
    EXPECT_EQ(path_resolve("\\x\\y", "/w"), "/x/y");
    EXPECT_EQ(path_full("x", "/"), "/x");
    EXPECT_EQ(path_full("x/../y", "/w"), "/w/x/../y");
    EXPECT_EQ(path_relative("/a/b/c", "/a/d", "/"), "../../d");
    EXPECT_EQ(path_relative("/a/b", "/a/b/", "/"), ".");
    EXPECT_EQ(path_relative("/a/b/c", "/a", "/"), "../..");
    EXPECT_EQ(path_relative("/a/B", "/a/b", "/"), "../b") << "letter case counts";
    EXPECT_EQ(path_relative("x", "/w/x/y", "/w"), "y");
}

TEST(PathText, ComponentsOfEdgeInputs) {
    EXPECT_EQ(path_file_name("a/b/"), "");
    EXPECT_EQ(path_file_name("a\\b.txt"), "b.txt");
    EXPECT_EQ(path_directory("a\\b//c"), "a/b");
    EXPECT_EQ(path_directory("/a"), "/");
    EXPECT_EQ(path_directory("//a"), "/");
    EXPECT_EQ(path_directory("a"), "");
    EXPECT_EQ(path_directory("a/b/"), "a/b");
    EXPECT_EQ(path_extension("x/archive.tar.gz"), ".gz");
    EXPECT_EQ(path_extension(".profile"), "");
    EXPECT_EQ(path_extension("name."), "");
    EXPECT_EQ(path_extension("d.ir/name"), "") << "a dot in a directory is no extension";
    EXPECT_EQ(path_extension(".."), "");
    EXPECT_EQ(path_stem("a/b.c.d"), "b.c");
    EXPECT_EQ(path_stem(".profile"), ".profile");
    EXPECT_EQ(path_change_extension("a/b.txt", "md"), "a/b.md");
    EXPECT_EQ(path_change_extension("a/b.txt", ".md"), "a/b.md");
    EXPECT_EQ(path_change_extension("a/b.txt", ""), "a/b");
    EXPECT_EQ(path_change_extension("a/b.", ".x"), "a/b.x");
    EXPECT_EQ(path_change_extension("d.ir/", ".x"), "d.ir/") << "no file name to change";
    EXPECT_EQ(path_change_extension("..", ".x"), "..");
    EXPECT_EQ(path_root("\\x"), "/");
    EXPECT_EQ(path_root("x/y"), "");
    EXPECT_FALSE(path_is_absolute(""));
}

TEST(PathText, VeryLongPathsStayLinear) {
    std::string deep;
    for (int i = 0; i < 200000; ++i) deep += "d/./";
    std::string normalized = path_normalize(deep);
    EXPECT_EQ(normalized.size(), 400000u);
    EXPECT_EQ(path_resolve(deep + "../x", "/"), "/" + normalized.substr(0, normalized.size() - 2) + "x");
}

class PathModuleTest : public test::ModuleTest {};

TEST_F(PathModuleTest, CombineInsertsOneSeparatorAndRefusesNonText) {
    Value r = call("Path", "Combine",
                   {keep(make_string("a\\")), keep(make_string("")), keep(make_string("b")), keep(make_string("/c"))});
    EXPECT_EQ(test::str(r), "a/b/c");
    release(r);
    EXPECT_TRUE(is_nil(call("Path", "Combine", {keep(make_string("a")), nil_value()})));
    // Two halves of 128 MiB plus the separator pass the limit by one byte.
    std::string half(kMaxStringLength / 2, 'x');
    Value big = keep(make_string_bytes(half.data(), half.size()));
    EXPECT_TRUE(is_nil(call("Path", "Combine", {big, big})));
}

TEST_F(PathModuleTest, TempFileRefusesSeparatorsInThePrefix) {
    EXPECT_TRUE(is_nil(call("Path", "TempFile", {keep(make_string("a/b"))})));
    EXPECT_TRUE(is_nil(call("Path", "TempFile", {keep(make_string("a\\b"))})));
    Value made = call("Path", "TempFile", {keep(make_string("unit"))});
    std::string path = test::str(made);
    release(made);
    EXPECT_NE(path.find("/unit-"), std::string::npos) << path;
    EXPECT_EQ(::unlink(path.c_str()), 0) << "the file exists";
}

}  // namespace
}  // namespace tarvik
