// tests/unit/sched/shutdown_test.cpp: the exit audit names what is left behind, the
// control thread is joined by signals_stop, and the idle wait ends on a control
// event or on input from a watched descriptor.
#include <gtest/gtest.h>

#include <unistd.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "runtime/exit_audit.h"
#include "sched/signals.h"

namespace tarvik::test {
namespace {

class ShutdownTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("TARVIK_EXIT_AUDIT", "1", 1); }
    void TearDown() override { ::unsetenv("TARVIK_EXIT_AUDIT"); }
};

TEST_F(ShutdownTest, AuditNamesNewDescriptorsAndThreads) {
    exit_audit_begin();
    EXPECT_EQ(exit_audit_end(), 0);
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    EXPECT_EQ(exit_audit_end(), 2);
    testing::internal::CaptureStderr();  // its own file counts too
    exit_audit_end();
    std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("Exit audit: descriptor " + std::to_string(fds[0]) + " left open (pipe:"), std::string::npos);
    ::close(fds[0]);
    ::close(fds[1]);

    std::mutex lock;
    std::condition_variable cv;
    bool done = false;
    std::thread worker([&] {
        std::unique_lock<std::mutex> hold(lock);
        cv.wait(hold, [&] { return done; });
    });
    EXPECT_EQ(exit_audit_end(), 1);
    testing::internal::CaptureStderr();
    exit_audit_end();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("left running"), std::string::npos);
    {
        std::lock_guard<std::mutex> hold(lock);
        done = true;
    }
    cv.notify_all();
    worker.join();
    EXPECT_EQ(exit_audit_end(), 0);
}

TEST_F(ShutdownTest, AuditOffCountsNothing) {
    ::setenv("TARVIK_EXIT_AUDIT", "0", 1);
    exit_audit_begin();
    int fd = ::dup(1);
    EXPECT_EQ(exit_audit_end(), 0);
    ::close(fd);
}

TEST_F(ShutdownTest, ControlThreadIsJoinedAndRestarts) {
    exit_audit_begin();
    for (int round = 0; round < 2; ++round) {
        signals_start();
        signals_stop();
        EXPECT_EQ(exit_audit_end(), 0) << "round " << round;
    }
}

// A wait that ignored its wake-up would run into the test's time-out.
TEST_F(ShutdownTest, IdleWaitEndsOnEventOrInput) {
    signals_start();
    signals_post(1);
    signals_idle_wait(600000);
    EXPECT_EQ(signals_take_pending(), 2u);
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ASSERT_EQ(::write(fds[1], "x", 1), 1);
    signals_idle_wait(600000, fds, 1);
    EXPECT_EQ(signals_take_pending(), 0u);
    ::close(fds[0]);
    ::close(fds[1]);
    signals_stop();
}

}  // namespace
}  // namespace tarvik::test
