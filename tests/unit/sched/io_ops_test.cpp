// tests/unit/sched/io_ops_test.cpp: the socket operation table on socket pairs:
// refused arms give their entry back, reads and writes deliver exact results and
// outcomes, time-outs hand over partial data, cancel and discard differ in what
// the fiber gets, and the fiber's hold is always returned.
#include <gtest/gtest.h>

#include <cstring>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "engine/fiber.h"
#include "runtime/block.h"
#include "runtime/function.h"
#include "runtime/string.h"
#include "runtime/test_support.h"
#include "sched/io_ops.h"
#include "sched/scheduler.h"

namespace tarvik::test {
namespace {

class IoOpsTest : public RuntimeTest {
protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        value_types_register();
        fiber_types_register();
        scheduler_init(64);
        function_ = make_function();
        fiber_ = fiber_create(function_, 8, 64);
        f_ = fiber_record(as_obj(fiber_));
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds_), 0);
        refs_ = as_obj(fiber_)->ref_count;
    }
    void TearDown() override {
        io_ops_release_all();
        scheduler_shutdown();
        release(fiber_);
        release(function_);
        if (fds_[0] >= 0) ::close(fds_[0]);
        if (fds_[1] >= 0) ::close(fds_[1]);
        scheduler_init(4);
        RuntimeTest::TearDown();
    }

    // An entry for the fiber, which waits in WaitIO as a builtin leaves it.
    IoOp* allocate() {
        f_->status = STATUS_WAIT_IO;
        return io_op_allocate(f_);
    }
    void pump() {
        for (int spins = 0; io_ops_in_use() > 0 && spins < 500; ++spins) io_ops_poll(10);
    }
    // The delivered value (absent when none), leaving the fiber ready for another.
    Value take_result() {
        Value r = f_->result;
        f_->result = kAbsent;
        f_->status = STATUS_RUNNING;
        return r;
    }
    std::string block_text(Value v) {
        if (!is_ref_of(v, T_BLOCK)) return "<not a block>";
        return std::string(reinterpret_cast<const char*>(block_bytes(as_obj(v))), block_count(as_obj(v)));
    }
    // Reads `count` bytes (time-out in ms) and checks the block and outcome.
    void expect_read(int64_t count, int32_t timeout_ms, const std::string& text, uint8_t outcome) {
        ASSERT_TRUE(io_op_arm_read(allocate(), fds_[0], kIoHandleSocket, count, timeout_ms, kAbsent));
        pump();
        Value v = take_result();
        EXPECT_EQ(block_text(v), text);
        EXPECT_EQ(f_->io_outcome, outcome);
        release(v);
    }
    uint32_t fiber_refs() const { return as_obj(fiber_)->ref_count; }

    Value function_ = kAbsent, fiber_ = kAbsent;
    FiberRecord* f_ = nullptr;
    int fds_[2] = {-1, -1};
    uint32_t refs_ = 0;
};

TEST_F(IoOpsTest, RefusedArmsAndAFullTableKeepNoEntry) {
    IoOp* op = allocate();
    ASSERT_NE(op, nullptr);
    EXPECT_EQ(io_ops_in_use(), 1u);
    EXPECT_EQ(fiber_refs(), refs_ + 1) << "the entry holds the fiber";
    EXPECT_FALSE(io_op_arm_read(op, fds_[0], 1, 10, 0, kAbsent)) << "not a socket handle";
    EXPECT_EQ(take_error_code(), 6);
    EXPECT_EQ(io_ops_in_use(), 0u);
    EXPECT_EQ(fiber_refs(), refs_);

    op = allocate();
    EXPECT_FALSE(io_op_arm_read(op, fds_[0], kIoHandleSocket, -1, 0, kAbsent));
    EXPECT_EQ(take_error_code(), 3);
    EXPECT_EQ(io_ops_in_use(), 0u);

    op = allocate();
    Value text = make_string_bytes("abc", 3);
    ASSERT_TRUE(io_op_arm_readable(op, fds_[0], kIoHandleSocket, 0, kAbsent));
    EXPECT_FALSE(io_op_arm_write(op, fds_[0], kIoHandleSocket, text, nullptr, 3, 0, kAbsent)) << "armed twice";
    EXPECT_EQ(take_error_code(), 6);
    EXPECT_EQ(io_ops_in_use(), 0u);
    EXPECT_EQ(as_obj(text)->ref_count, 1u) << "the refused write kept no hold on its value";
    release(text);

    uint32_t generation = io_op_at(0)->generation;
    for (uint32_t i = 0; i < kIoOpCount; ++i) ASSERT_NE(io_op_allocate(nullptr), nullptr) << i;
    EXPECT_EQ(io_op_allocate(nullptr), nullptr);
    EXPECT_EQ(take_error_code(), 8);
    EXPECT_EQ(io_ops_in_use(), kIoOpCount);
    io_op_release(io_op_at(7));
    EXPECT_EQ(io_op_allocate(nullptr), io_op_at(7)) << "the lowest free entry";
    io_ops_release_all();
    EXPECT_EQ(io_ops_in_use(), 0u);
    EXPECT_EQ(io_op_at(0)->generation, generation + 1);
    EXPECT_EQ(fiber_refs(), refs_);
}

TEST_F(IoOpsTest, ClosedOrNonSocketDescriptorsEndAtOnceWithOutcome2) {
    ASSERT_TRUE(io_op_arm_read(allocate(), -1, kIoHandleSocket, 4, 0, kAbsent));
    EXPECT_EQ(io_ops_in_use(), 0u);
    EXPECT_TRUE(is_nil(take_result()));
    EXPECT_EQ(f_->io_outcome, IO_OUTCOME_CLOSED);
    int pipe_fds[2];
    ASSERT_EQ(::pipe(pipe_fds), 0);
    ASSERT_TRUE(io_op_arm_readable(allocate(), pipe_fds[0], kIoHandleSocket, 0, kAbsent));
    EXPECT_TRUE(is_nil(take_result()));
    EXPECT_EQ(f_->io_outcome, IO_OUTCOME_CLOSED);
    ::close(pipe_fds[0]);
    ::close(pipe_fds[1]);
    EXPECT_EQ(fiber_refs(), refs_ + 1) << "the entries' holds went back; the ready queue holds one";
}

TEST_F(IoOpsTest, ExactReadGetsWhatArrivedBeforeThePeerClosed) {
    IoOpStats before = io_ops_stats();
    ASSERT_EQ(::write(fds_[1], "abcd", 4), 4);
    ::close(fds_[1]);
    fds_[1] = -1;
    expect_read(10, 5000, "abcd", IO_OUTCOME_OK);
    IoOpStats after = io_ops_stats();
    EXPECT_EQ(after.reads - before.reads, 1u);
    EXPECT_EQ(after.bytes_received - before.bytes_received, 4u);
    EXPECT_EQ(fiber_refs(), refs_ + 1) << "the ready queue's";
}

TEST_F(IoOpsTest, ReadUntilCloseCollectsEverySegmentInOrder) {
    std::string sent(700000, '\0');
    for (size_t i = 0; i < sent.size(); ++i) sent[i] = char('a' + (i * 7 + i / 8191) % 26);
    ASSERT_TRUE(io_op_arm_read(allocate(), fds_[0], kIoHandleSocket, 0, 0, kAbsent));
    std::thread writer([&] {
        for (size_t done = 0; done < sent.size();) {
            ssize_t n = ::write(fds_[1], sent.data() + done, std::min<size_t>(sent.size() - done, 30000));
            if (n <= 0) break;
            done += size_t(n);
        }
        ::shutdown(fds_[1], SHUT_WR);
    });
    pump();
    writer.join();
    Value v = take_result();
    EXPECT_EQ(block_text(v), sent);
    release(v);
}

TEST_F(IoOpsTest, WriteSendsTheWholeValueAndAnswersTheCount) {
    std::string text(150000, 'w');
    Value value = make_string_bytes(text.data(), text.size());
    IoOpStats before = io_ops_stats();
    ASSERT_TRUE(io_op_arm_write(allocate(), fds_[0], kIoHandleSocket, value, nullptr, text.size(), 0, kAbsent));
    release(value);  // the entry holds it now
    std::string received;
    std::thread reader([&] {
        char buffer[65536];
        ssize_t n;
        while (received.size() < text.size() && (n = ::read(fds_[1], buffer, sizeof buffer)) > 0)
            received.append(buffer, size_t(n));
    });
    pump();
    reader.join();
    EXPECT_EQ(take_result(), make_int(int64_t(text.size())));
    EXPECT_EQ(received, text);
    EXPECT_EQ(io_ops_stats().writes - before.writes, 1u);
    EXPECT_EQ(io_ops_stats().bytes_sent - before.bytes_sent, text.size());
}

TEST_F(IoOpsTest, WriteToAClosedPeerFailsWithOutcome2) {
    ::close(fds_[1]);
    fds_[1] = -1;
    ASSERT_TRUE(io_op_arm_write(allocate(), fds_[0], kIoHandleSocket, kAbsent, "xyz", 3, 0, kAbsent));
    pump();
    EXPECT_TRUE(is_nil(take_result()));
    EXPECT_EQ(f_->io_outcome, IO_OUTCOME_CLOSED) << "EPIPE, without a SIGPIPE";
}

TEST_F(IoOpsTest, ResetConnectionFailsWithOutcome3) {
    int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), size), 0);
    ASSERT_EQ(::listen(listener, 1), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size), 0);
    int client = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_EQ(::connect(client, reinterpret_cast<sockaddr*>(&address), size), 0);
    int server = ::accept(listener, nullptr, nullptr);
    linger abort_on_close{1, 0};
    ::setsockopt(server, SOL_SOCKET, SO_LINGER, &abort_on_close, sizeof abort_on_close);
    ::close(server);
    ASSERT_TRUE(io_op_arm_read(allocate(), client, kIoHandleSocket, 0, 5000, kAbsent));
    pump();
    EXPECT_TRUE(is_nil(take_result()));
    EXPECT_EQ(f_->io_outcome, IO_OUTCOME_RESET);
    ::close(client);
    ::close(listener);
}

TEST_F(IoOpsTest, TimeOutHandsOverThePartialRead) {
    ASSERT_EQ(::write(fds_[1], "xyz", 3), 3);
    expect_read(10, 30, "xyz", IO_OUTCOME_TIMED_OUT);
    ASSERT_TRUE(io_op_arm_readable(allocate(), fds_[0], kIoHandleSocket, 20, kAbsent));
    pump();
    EXPECT_TRUE(is_nil(take_result()));
    EXPECT_EQ(f_->io_outcome, IO_OUTCOME_TIMED_OUT);
}

TEST_F(IoOpsTest, CancelResumesWithNilAndDiscardDeliversNothing) {
    ASSERT_TRUE(io_op_arm_read(allocate(), fds_[0], kIoHandleSocket, 0, 0, kAbsent));
    io_ops_poll(0);
    EXPECT_EQ(io_ops_cancel(f_->id + 1), 0u) << "another fiber's";
    EXPECT_EQ(io_ops_cancel(f_->id), 1u);
    EXPECT_EQ(io_ops_in_use(), 0u);
    EXPECT_TRUE(is_nil(take_result()));
    EXPECT_EQ(f_->io_outcome, IO_OUTCOME_CANCELLED);

    f_->io_outcome = 0;
    ASSERT_TRUE(io_op_arm_readable(allocate(), fds_[0], kIoHandleSocket, 0, kAbsent));
    EXPECT_EQ(io_ops_discard(f_->id), 1u);
    EXPECT_EQ(io_ops_in_use(), 0u);
    EXPECT_TRUE(is_absent(take_result()));
    EXPECT_EQ(f_->io_outcome, 0);
    EXPECT_EQ(fiber_refs(), refs_ + 1) << "only the ready queue's reference from the cancel remains";
}

}  // namespace
}  // namespace tarvik::test
