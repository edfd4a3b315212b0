// The inotify layer of FileWatch: subtree bookkeeping as directories come, move
// and go, what each filter lets through, and failures. inotify queues an event
// before the changing call returns, so every read here sees all that came before.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "stdlib/file/directory_linux.h"
#include "stdlib/file/filewatch_linux.h"

namespace tarvik {
namespace {

constexpr uint32_t kNames = kWatchFileName | kWatchDirName;

class DirWatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tarvik-watch-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root = pattern;
    }
    void TearDown() override {
        dirwatch_close(&watch);
        EXPECT_EQ(dir_delete_all(root), 0);
    }
    std::string at(const std::string& rel) const { return root + "/" + rel; }
    void touch(const std::string& rel) {
        int fd = ::open(at(rel).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    // The notices since the last call, as "action:name".
    std::vector<std::string> take() {
        static const char* const kWords[] = {"create", "delete", "modify", "rename", "unknown"};
        std::vector<WatchNotice> notices;
        dirwatch_read(&watch, &notices);
        std::vector<std::string> out;
        for (const WatchNotice& n : notices) out.push_back(std::string(kWords[int(n.action)]) + ":" + n.name);
        return out;
    }
    using Names = std::vector<std::string>;
    std::string root;
    DirWatch watch;
};

TEST_F(DirWatchTest, SubtreeFollowsDirectoriesCreatedMovedAndRemoved) {
    ASSERT_EQ(::mkdir(at("w").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(at("outside").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(at("outside/m").c_str(), 0755), 0);
    ASSERT_EQ(dirwatch_open(&watch, at("w"), kNames, true), 0);

    ASSERT_EQ(::mkdir(at("w/a").c_str(), 0755), 0);
    EXPECT_EQ(take(), (Names{"create:a"}));
    touch("w/a/f");
    EXPECT_EQ(take(), (Names{"create:a/f"}));
    // Filled before its event is read: its content is reported from a listing.
    ASSERT_EQ(::mkdir(at("w/a/b").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(at("w/a/b/c").c_str(), 0755), 0);
    touch("w/a/b/c/g");
    EXPECT_EQ(take(), (Names{"create:a/b", "create:a/b/c", "create:a/b/c/g"}));
    touch("w/a/b/c/h");
    EXPECT_EQ(take(), (Names{"create:a/b/c/h"}));
    // A rename inside the tree: the directories stay watched, under the new path.
    ASSERT_EQ(::rename(at("w/a").c_str(), at("w/z").c_str()), 0);
    EXPECT_EQ(take(), (Names{"rename:a", "rename:z"}));
    ASSERT_EQ(::unlink(at("w/z/b/c/h").c_str()), 0);
    EXPECT_EQ(take(), (Names{"delete:z/b/c/h"}));
    // Moved out: no longer watched. Moved in: watched.
    ASSERT_EQ(::rename(at("w/z/b").c_str(), at("outside/b").c_str()), 0);
    EXPECT_EQ(take(), (Names{"rename:z/b"}));
    touch("outside/b/c/i");
    EXPECT_TRUE(take().empty());
    ASSERT_EQ(::rename(at("outside/m").c_str(), at("w/m").c_str()), 0);
    EXPECT_EQ(take(), (Names{"rename:m"}));
    touch("w/m/j");
    EXPECT_EQ(take(), (Names{"create:m/j"}));
}

TEST_F(DirWatchTest, FiltersChooseWhatIsReported) {
    touch("f");
    ASSERT_EQ(dirwatch_open(&watch, root, kWatchFileName | kWatchSize | kWatchLastWrite, true), 0);  // "write"
    ASSERT_EQ(::mkdir(at("d").c_str(), 0755), 0);
    touch("d/inner");
    FILE* out = std::fopen(at("f").c_str(), "a");
    ASSERT_NE(out, nullptr);
    std::fputs("x", out);
    std::fclose(out);
    ASSERT_EQ(::chmod(at("f").c_str(), 0600), 0);
    EXPECT_EQ(take(), (Names{"create:d/inner", "modify:f"}));  // no directory name, no attribute
    dirwatch_close(&watch);

    ASSERT_EQ(dirwatch_open(&watch, root, kWatchAttributes, false), 0);  // "attrib", one directory
    ASSERT_EQ(::chmod(at("f").c_str(), 0644), 0);
    ASSERT_EQ(::chmod(at("d/inner").c_str(), 0600), 0);
    ASSERT_EQ(::unlink(at("f").c_str()), 0);
    EXPECT_EQ(take(), (Names{"modify:f"}));
}

// A full event queue loses changes: one "unknown" notice, and a directory created
// meanwhile is still found.
TEST_F(DirWatchTest, OverflowIsReportedAndTheTreeWalkedAgain) {
    long limit = 0;
    if (FILE* f = std::fopen("/proc/sys/fs/inotify/max_queued_events", "r")) {
        if (std::fscanf(f, "%ld", &limit) != 1) limit = 0;
        std::fclose(f);
    }
    if (limit <= 0 || limit > 100000) GTEST_SKIP() << "queue limit " << limit;
    ASSERT_EQ(dirwatch_open(&watch, root, kNames, true), 0);
    for (long i = 0; i <= limit; ++i) touch("f" + std::to_string(i));
    ASSERT_EQ(::mkdir(at("late").c_str(), 0755), 0);
    Names seen = take();
    while (!seen.empty() && seen.back() != "unknown:") {
        Names more = take();
        if (more.empty()) break;
        seen.insert(seen.end(), more.begin(), more.end());
    }
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), "unknown:");
    touch("late/inside");
    EXPECT_EQ(take(), (Names{"create:late/inside"}));
}

TEST_F(DirWatchTest, FailuresLeaveNothingOpen) {
    touch("file");
    EXPECT_EQ(dirwatch_open(&watch, at("missing"), kNames, true), ENOENT);
    EXPECT_EQ(watch.fd, -1);
    EXPECT_EQ(dirwatch_open(&watch, at("file"), kNames, false), ENOTDIR);
    EXPECT_EQ(watch.fd, -1);
    EXPECT_TRUE(take().empty());
}

}  // namespace
}  // namespace tarvik
