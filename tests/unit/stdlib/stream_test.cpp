// The tracked FILE table's limit and exit step, serial set-up on a pseudo-terminal,
// and blocking members on sockets that were made non-blocking.
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <sys/socket.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "runtime/array.h"
#include "runtime/block.h"
#include "runtime/string.h"
#include "stdlib/module_test_support.h"
#include "stdlib/stream/stream_value.h"
#include "stdlib/stream/tracked_files.h"

namespace tarvik {
namespace {

using StreamTest = test::ModuleTest;

TEST_F(StreamTest, TrackedTableRefusesTheThousandAndFirstAndClosesLeaksAtExit) {
    std::vector<std::FILE*> files;
    for (int i = 0; i < kTrackedFileSlots; ++i) {
        std::FILE* f = tracked_open("/dev/null", "rb");
        ASSERT_NE(f, nullptr) << i;
        files.push_back(f);
    }
    EXPECT_EQ(tracked_count(), kTrackedFileSlots);
    EXPECT_EQ(tracked_open("/dev/null", "rb"), nullptr);
    EXPECT_EQ(take_error_message(), "I/O-error");
    // File's whole-file reads and writes take their handles from the same table.
    EXPECT_TRUE(is_nil(call("File", "ReadText", {keep(make_string("/proc/self/stat"))})));
    EXPECT_EQ(take_error_code(), 5);
    EXPECT_FALSE(imm_bool(call("File", "WriteText", {keep(make_string("/dev/null")), keep(make_string("x"))})));
    EXPECT_EQ(take_error_code(), 5);
    // A closed slot is reused, then the table is full again.
    EXPECT_EQ(tracked_close(files[500]), 0);
    files[500] = tracked_open("/dev/null", "rb");
    EXPECT_NE(files[500], nullptr);
    EXPECT_EQ(take_error_code(), -1);

    EXPECT_EQ(tracked_close(files[0]), 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(tracked_close_all(), kTrackedFileSlots - 1);
    std::string warning = testing::internal::GetCapturedStderr();
    EXPECT_NE(warning.find("Warning: Force-closed 999 leaked file(s)\n"), std::string::npos) << warning;
    EXPECT_EQ(tracked_count(), 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(tracked_close_all(), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(StreamTest, ClosingAnUntrackedHandleSaysSoAndClosesIt) {
    std::FILE* f = std::fopen("/dev/null", "rb");
    ASSERT_NE(f, nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(tracked_close(f), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Closing untracked file pointer\n"), std::string::npos);
}

TEST_F(StreamTest, SerialPortIsSetUpRawWithTheFormatAndTimeOut) {
    int master, slave;
    char name[128];
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    Value port = call("Stream", "OpenSerial", {keep(make_string(name)), make_int(19200), keep(make_string("8N2"))});
    ASSERT_TRUE(is_ref_of(port, T_STREAM)) << name;
    keep(port);
    int fd = stream_fd(as_obj(port));
    EXPECT_EQ(stream_kind(as_obj(port)), STREAM_SERIAL);
    struct termios tio;
    ASSERT_EQ(::tcgetattr(fd, &tio), 0);
    // A pseudo-terminal forces 8 bits without parity, so only the stop bits show.
    EXPECT_EQ(tio.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_TRUE(tio.c_cflag & CSTOPB);
    EXPECT_EQ(::cfgetospeed(&tio), speed_t(B19200));
    EXPECT_FALSE(tio.c_lflag & (ICANON | ECHO));
    EXPECT_EQ(tio.c_cc[VMIN], 0);
    EXPECT_EQ(tio.c_cc[VTIME], 1);
    // Bytes arrive raw; with nothing waiting a read ends after the time-out.
    ASSERT_EQ(::write(master, "x\n", 2), 2);
    EXPECT_EQ(value_to_int(call("Stream", "ReadByte", {port})), 'x');
    EXPECT_EQ(value_to_int(call("Stream", "ReadByte", {port})), '\n');
    EXPECT_TRUE(is_nil(call("Stream", "ReadByte", {port})));
    // An unknown baud rate is a set-up failure: nil, nothing left open.
    EXPECT_TRUE(is_nil(call("Stream", "OpenSerial", {keep(make_string(name)), make_int(12345)})));
    EXPECT_EQ(take_error_code(), -1);
    ::close(master);
    ::close(slave);
}

class SocketStreamTest : public StreamTest {
protected:
    void SetUp() override {
        StreamTest::SetUp();
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0);
        ::fcntl(ends[0], F_SETFL, ::fcntl(ends[0], F_GETFL) | O_NONBLOCK);
        stream = keep(make_stream(ends[0], STREAM_SOCKET, 0));  // owns ends[0]
    }
    void TearDown() override {
        ::close(ends[1]);
        StreamTest::TearDown();
    }
    void send_later(const char* text) {
        writer = std::thread([this, text] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            ASSERT_GT(::send(ends[1], text, std::strlen(text), 0), 0);
        });
    }
    int ends[2];
    Value stream;
    std::thread writer;
};

TEST_F(SocketStreamTest, BlockingMembersWaitOnANonBlockingSocket) {
    send_later("ab\r\nrest");
    Value line = call("Stream", "ReadLine", {stream});
    writer.join();
    ASSERT_TRUE(is_string(line));
    EXPECT_EQ(test::str(line), "ab");
    release(line);
    EXPECT_EQ(value_to_int(call("Stream", "Peek", {stream})), 'r');
    EXPECT_EQ(value_to_int(call("Stream", "ReadU32", {stream, make_bool(true)})), 0x72657374);
}

TEST_F(SocketStreamTest, ReceiveTimeOutEndsTheWaitAndReadAllKeepsWhatCame) {
    ASSERT_EQ(::send(ends[1], "xyz", 3, 0), 3);
    Value all = call("Stream", "ReadAll", {stream, nil_value(), make_int(1)});
    ASSERT_TRUE(is_ref_of(all, T_BLOCK));
    EXPECT_EQ(block_count(as_obj(all)), 3u);
    release(all);
    // SO_RCVTIMEO is now one second: a read with nothing coming gives nil.
    EXPECT_TRUE(is_nil(call("Stream", "ReadByte", {stream})));
    ::shutdown(ends[1], SHUT_WR);
    EXPECT_TRUE(is_nil(call("Stream", "ReadLine", {stream})));
}

TEST_F(StreamTest, WritingToAPipeWithoutReaderFailsInsteadOfEndingTheProcess) {
    Value pair = keep(call("Stream", "Pipe"));
    ASSERT_TRUE(is_array(pair));
    Value reader = array_get(as_obj(pair), 0);
    Value writer = array_get(as_obj(pair), 1);
    EXPECT_TRUE(imm_bool(call("Stream", "Close", {reader})));
    EXPECT_FALSE(imm_bool(call("Stream", "WriteString", {writer, keep(make_string("x"))})));
    EXPECT_FALSE(imm_bool(call("Stream", "WriteByte", {reader, make_int(1)})));
    release(reader);
    release(writer);
}

}  // namespace
}  // namespace tarvik
