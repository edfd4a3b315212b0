// The Console module: display-form output, line, number and key input from a
// redirected standard input, colour and cursor sequences under the virtual-terminal
// flag, and the terminal operations on a pseudo-terminal.
#include <fcntl.h>
#include <poll.h>
#include <stdio_ext.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <thread>

#include "runtime/array.h"
#include "runtime/console.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "stdlib/module_test_support.h"

namespace tarvik {
namespace {

// A pseudo-terminal whose slave side stands in for standard input or output.
struct PseudoTerminal {
    PseudoTerminal() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0) slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    }
    ~PseudoTerminal() {
        close(slave);
        close(master);
    }
    int master = -1;
    int slave = -1;
};

class ConsoleModuleTest : public test::ModuleTest {
protected:
    void SetUp() override {
        test::ModuleTest::SetUp();
        saved_console = g_console;
        g_console = ConsoleFlags{};
        saved_stdin = dup(0);
        saved_stdout = dup(1);
        feed_stdin("");  // no test reads from, or switches, the developer's terminal
    }
    void TearDown() override {
        use_stdin(saved_stdin);
        close(saved_stdin);
        close(saved_stdout);
        g_console = saved_console;
        test::ModuleTest::TearDown();
    }
    std::string output_of(const char* member, std::initializer_list<Value> args = {}) {
        testing::internal::CaptureStdout();
        release(call("Console", member, args));
        return testing::internal::GetCapturedStdout();
    }
    // Standard input becomes a file holding `bytes` (a pipe would cap the size).
    void feed_stdin(const std::string& bytes) {
        FILE* file = std::tmpfile();
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fflush(file);
        lseek(fileno(file), 0, SEEK_SET);
        use_stdin(fileno(file));
        std::fclose(file);
    }
    void use_stdin(int fd) {
        __fpurge(stdin);
        clearerr(stdin);
        dup2(fd, 0);
    }
    void use_stdout(int fd) {
        std::fflush(stdout);
        dup2(fd, 1);
    }
    std::string read_line() {
        Value line = call("Console", "ReadLine");
        std::string text = is_nil(line) ? "<nil>" : test::str(line);
        release(line);
        return text;
    }
    static Value field(Value object, const char* key) {
        return map_get(object_map(as_obj(object)), hash_bytes(key, std::strlen(key)));
    }
    // One ReadKey result as "Key/char code[/special]".
    std::string read_key() {
        Value key = call("Console", "ReadKey");
        if (is_nil(key)) return "<nil>";
        std::string text = test::str(field(key, "Key")) + "/" + std::to_string(imm_char(field(key, "Char"))) +
                           (imm_bool(field(key, "IsSpecial")) ? "/special" : "");
        release(key);
        return text;
    }
    ConsoleFlags saved_console;
    int saved_stdin = -1;
    int saved_stdout = -1;
};

TEST_F(ConsoleModuleTest, WritersPrintDisplayForms) {
    Value text = keep(make_string("a\\nb"));
    Value number = keep(make_float(2.5));
    EXPECT_EQ(output_of("Write", {make_imm_int(1), text, number}), "1a\nb2.5");
    EXPECT_EQ(output_of("WriteLine", {make_imm_int(1), number}), "12.5\n") << "no separator";
    EXPECT_EQ(output_of("WriteLines", {make_imm_int(1), nil_value()}), "1\nnil\n");
    EXPECT_EQ(output_of("Ok", {number, make_imm_int(3)}), "\u2705 2.5 3\n");
    EXPECT_EQ(output_of("Warn", {make_imm_int(1)}), "\xE2\x9A\xA0\xEF\xB8\x8F 1\n");
    EXPECT_EQ(output_of("Error", {make_imm_int(1), make_imm_int(2)}), "\xE2\x9D\x8C 1 2\n");
}

TEST_F(ConsoleModuleTest, ReadLineStripsLineEndsAndAnswersNilAtTheEnd) {
    feed_stdin("abc\r\n\r\nx\r\r\n" + std::string(1000, 'L') + "\ntail");
    EXPECT_EQ(read_line(), "abc");
    EXPECT_EQ(read_line(), "");
    EXPECT_EQ(read_line(), "x") << "every trailing CR and LF";
    EXPECT_EQ(read_line(), std::string(1000, 'L')) << "the buffer grows past 128 bytes";
    EXPECT_EQ(read_line(), "tail");
    EXPECT_EQ(read_line(), "<nil>");
    feed_stdin("z");
    EXPECT_EQ(call("Console", "ReadChar"), make_char('z'));
    EXPECT_EQ(call("Console", "ReadChar"), make_char(0xFFFFFFFFu));
}

TEST_F(ConsoleModuleTest, NumbersNeedTheWholeShortLine) {
    feed_stdin("  -7  \n12abc\n\n99999999999999999999\n1152921504606846976\n" + std::string(31, '1') + "23\n2.5\n1e400\n");
    EXPECT_EQ(call("Console", "ReadInt"), make_imm_int(-7));
    EXPECT_EQ(call("Console", "ReadInt"), nil_value()) << "trailing letters";
    EXPECT_EQ(call("Console", "ReadInt"), nil_value()) << "nothing consumed";
    EXPECT_EQ(call("Console", "ReadInt"), nil_value()) << "out of range";
    Value boxed = keep(call("Console", "ReadInt"));
    ASSERT_TRUE(is_ref_of(boxed, T_INT)) << "2^60 needs a heap int";
    EXPECT_EQ(value_to_int(boxed), kImmIntMax + 1);
    EXPECT_EQ(call("Console", "ReadInt"), nil_value()) << "the first 31 digits overflow";
    EXPECT_EQ(call("Console", "ReadInt"), make_imm_int(23)) << "the rest of the line stays";
    Value f = keep(call("Console", "ReadFloat"));
    EXPECT_EQ(value_to_double(f), 2.5);
    EXPECT_EQ(call("Console", "ReadFloat"), nil_value());
    EXPECT_EQ(call("Console", "ReadFloat"), nil_value()) << "end of input";
}

TEST_F(ConsoleModuleTest, ReadPasswordCutsAtTheLineEndAndEndsTheLine) {
    feed_stdin("secret\rjunk\nnext\n");
    testing::internal::CaptureStdout();
    Value password = keep(call("Console", "ReadPassword"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\n");
    EXPECT_EQ(test::str(password), "secret");
    EXPECT_EQ(read_line(), "next");
}

TEST_F(ConsoleModuleTest, KeyWaitingSeesBufferedAndPendingBytes) {
    feed_stdin("a\nb");
    EXPECT_EQ(read_line(), "a");
    // "b" now sits in the stdio buffer, not in the descriptor.
    EXPECT_EQ(call("Console", "KeyPressed"), make_bool(true));
    EXPECT_EQ(call("Console", "TryReadChar"), make_char('b'));
    EXPECT_EQ(call("Console", "KeyPressed"), make_bool(false)) << "end of input is no key";
    EXPECT_EQ(call("Console", "TryReadChar"), nil_value());

    PseudoTerminal pty;
    ASSERT_GE(pty.slave, 0);
    use_stdin(pty.slave);
    EXPECT_EQ(call("Console", "KeyPressed"), make_bool(false));
    ASSERT_EQ(write(pty.master, "z", 1), 1);  // no Enter: line editing would hold it back
    pollfd entry{pty.slave, POLLIN, 0};
    poll(&entry, 1, 100);
    EXPECT_EQ(call("Console", "KeyPressed"), make_bool(true));
    EXPECT_EQ(call("Console", "TryReadChar"), make_char('z'));
    termios mode{};
    tcgetattr(0, &mode);
    EXPECT_TRUE(mode.c_lflag & ICANON) << "line editing is put back";
}

TEST_F(ConsoleModuleTest, ReadKeyNamesKeysAndEscapeSequences) {
    feed_stdin("x\r\n\t\x7f\033[A\033[1;5C\033OD\033[4~\033[6~\033[3~\033OP\033[15~\033[24~\033[[B\033[99~\033a\033");
    for (const char* expected : {"x/120", "Enter/10", "Enter/10", "Tab/9", "Backspace/8"}) EXPECT_EQ(read_key(), expected);
    for (const char* name : {"Up", "Right", "Left", "End", "PageDown", "Delete", "F1", "F5", "F12", "F2", "0x7E"}) {
        EXPECT_EQ(read_key(), std::string(name) + "/0/special");
    }
    EXPECT_EQ(read_key(), "Escape/27") << "ESC before an ordinary key";
    EXPECT_EQ(read_key(), "a/97");
    EXPECT_EQ(read_key(), "Escape/27") << "a lone ESC at the end";
    EXPECT_EQ(read_key(), "<nil>");
}

TEST_F(ConsoleModuleTest, ColourAndCursorSequencesNeedTheVirtualTerminal) {
    g_console.emoji_output = true;
    EXPECT_EQ(output_of("SetColor", {make_imm_int(3)}), "\033[33m");
    EXPECT_EQ(output_of("SetColor", {make_imm_int(93)}), "\033[93m");
    EXPECT_EQ(output_of("SetColor", {make_imm_int(0)}), "\033[0m");
    EXPECT_EQ(output_of("SetColor", {make_imm_int(8)}), "");
    EXPECT_EQ(output_of("SetColor", {make_char(3)}), "") << "only integers";
    EXPECT_EQ(output_of("SetBackground", {make_imm_int(31)}), "\033[41m");
    EXPECT_EQ(output_of("SetBackground", {make_imm_int(2)}), "\033[42m");
    EXPECT_EQ(output_of("SetBackground", {make_imm_int(107)}), "\033[107m");
    EXPECT_EQ(output_of("SetBackground", {make_imm_int(90)}), "");
    EXPECT_EQ(output_of("SetCursor", {make_imm_int(0), make_imm_int(0)}), "\033[1;1H");
    EXPECT_EQ(output_of("SetCursor", {keep(make_float(2.9)), make_char('A')}), "\033[2;65H");
    EXPECT_EQ(output_of("SetCursor", {keep(make_string("9")), keep(make_int(int64_t(1) << 62))}), "\033[1;2147483647H");
    EXPECT_EQ(output_of("SaveCursor"), "\033[s");
    EXPECT_EQ(output_of("RestoreCursor"), "\033[u");
    EXPECT_TRUE(test::raised_errors().empty()) << "bad arguments never raise";
    g_console.emoji_output = false;
    for (const char* member : {"SetColor", "SetBackground"}) EXPECT_EQ(output_of(member, {make_imm_int(3)}), "");
    EXPECT_EQ(output_of("SetCursor", {make_imm_int(3), make_imm_int(4)}), "");
    EXPECT_EQ(output_of("SaveCursor"), "");
}

TEST_F(ConsoleModuleTest, WithoutATerminalQueriesAnswerNil) {
    testing::internal::CaptureStdout();  // a file, like standard input
    EXPECT_EQ(call("Console", "IsTTY"), make_bool(false));
    EXPECT_EQ(call("Console", "Size"), nil_value());
    EXPECT_EQ(call("Console", "GetCursor"), nil_value());
    release(call("Console", "Clear"));
    release(call("Console", "ClearLine"));
    release(call("Console", "SetRaw", {make_bool(true)}));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(ConsoleModuleTest, TerminalSizeClearingAndCursorQuery) {
    PseudoTerminal pty;
    ASSERT_GE(pty.slave, 0);
    winsize size{};
    size.ws_col = 100;
    size.ws_row = 30;
    ioctl(pty.slave, TIOCSWINSZ, &size);
    std::string written;
    // The terminal's side: collect output and answer the position query (row 5, column 12).
    std::thread terminal([&] {
        pollfd entry{pty.master, POLLIN, 0};
        while (written.find("\033[6n") == std::string::npos && poll(&entry, 1, 2000) > 0) {
            char buffer[64];
            ssize_t n = read(pty.master, buffer, sizeof buffer);
            if (n <= 0) return;
            written.append(buffer, size_t(n));
        }
        (void)!write(pty.master, "\033[5;12R", 7);
    });
    use_stdin(pty.slave);
    use_stdout(pty.slave);
    Value window = keep(call("Console", "Size"));
    release(call("Console", "Clear"));
    release(call("Console", "ClearLine"));
    Value cursor = keep(call("Console", "GetCursor"));
    terminal.join();
    Value unanswered = call("Console", "GetCursor");
    use_stdout(saved_stdout);

    ASSERT_TRUE(is_array(window));
    EXPECT_EQ(array_items(as_obj(window))[0], make_imm_int(100)) << "columns first";
    EXPECT_EQ(array_items(as_obj(window))[1], make_imm_int(30));
    EXPECT_EQ(written, "\033[2J\033[3J\033[H\033[2K\r\033[6n");
    ASSERT_FALSE(is_nil(cursor));
    EXPECT_EQ(field(cursor, "Cols"), make_imm_int(11)) << "zero-based";
    EXPECT_EQ(field(cursor, "Rows"), make_imm_int(4));
    EXPECT_EQ(unanswered, nil_value());
}

TEST_F(ConsoleModuleTest, RawModeSwitchesAndRestoresTheTerminal) {
    PseudoTerminal pty;
    ASSERT_GE(pty.slave, 0);
    use_stdin(pty.slave);
    termios before{}, now{};
    tcgetattr(0, &before);
    release(call("Console", "SetRaw", {make_imm_int(1)}));
    tcgetattr(0, &now);
    EXPECT_EQ(now.c_lflag, before.c_lflag) << "only a bool switches";
    release(call("Console", "SetRaw", {make_bool(true)}));
    ASSERT_EQ(write(pty.master, "k", 1), 1);
    EXPECT_EQ(read_key(), "k/107");
    tcgetattr(0, &now);
    EXPECT_EQ(now.c_lflag & (ICANON | ECHO | ISIG), 0u) << "still raw after reading a key";
    release(call("Console", "SetRaw", {make_bool(true)}));
    release(call("Console", "SetRaw", {make_bool(false)}));
    tcgetattr(0, &now);
    EXPECT_EQ(now.c_lflag, before.c_lflag);
}

}  // namespace
}  // namespace tarvik
