// Console flags and the diagnostic printers: colours, marks and location prefixes.
#include <gtest/gtest.h>

#include "runtime/console.h"
#include "runtime/vm_options.h"

namespace tarvik {
namespace {

TEST(ConsoleFlags, ColourNeedsATerminalOnStderrAndNoNoColor) {
    ConsoleFlags f = console_flags_for(true, true, nullptr);
    EXPECT_TRUE(f.color_output);
    EXPECT_TRUE(f.emoji_output);
    f = console_flags_for(true, true, "");
    EXPECT_TRUE(f.color_output) << "an empty NO_COLOR does not count";
    f = console_flags_for(true, true, "1");
    EXPECT_FALSE(f.color_output);
    EXPECT_TRUE(f.emoji_output);
    f = console_flags_for(true, false, nullptr);
    EXPECT_FALSE(f.color_output) << "stderr redirected to a file";
    EXPECT_TRUE(f.emoji_output);
    f = console_flags_for(false, false, nullptr);
    EXPECT_FALSE(f.color_output);
    EXPECT_FALSE(f.emoji_output);
}

class ConsolePrinters : public ::testing::Test {
protected:
    void SetUp() override {
        saved_console = g_console;
        saved_options = g_options;
    }
    void TearDown() override {
        g_console = saved_console;
        g_options = saved_options;
        console_set_location_provider(nullptr);
    }
    ConsoleFlags saved_console;
    VmOptions saved_options;
};

bool location_with_source(ScriptLocation* out) {
    out->source_name = "app.src";
    out->function_name = "Main";
    out->line = 12;
    return true;
}

bool location_line_only(ScriptLocation* out) {
    out->line = 7;
    return true;
}

TEST_F(ConsolePrinters, ErrorAndWarningCarryColourMarkAndLocation) {
    g_console = ConsoleFlags{true, true};
    console_set_location_provider(location_with_source);
    testing::internal::CaptureStderr();
    print_error("bad %d\n", 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "\033[31m❌ Error: [app.src:12] \033[0mbad 1\n");

    g_console = ConsoleFlags{false, true};
    console_set_location_provider(location_line_only);
    testing::internal::CaptureStderr();
    print_warning("careful\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "⚠️ Warning: [Line 7] careful\n");

    g_console = ConsoleFlags{false, false};
    console_set_location_provider(nullptr);
    testing::internal::CaptureStderr();
    print_error("plain\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: plain\n");
}

TEST_F(ConsolePrinters, InfoLinesFollowVerboseAndTrace) {
    g_console = ConsoleFlags{true, true};
    g_options.verbose = false;
    g_options.trace = false;
    testing::internal::CaptureStderr();
    print_verbose("hidden\n");
    print_trace("hidden\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    g_options.verbose = true;
    testing::internal::CaptureStderr();
    print_verbose("shown %s\n", "here");
    print_trace("hidden\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "\033[96mInfo: \033[0mshown here\n");

    g_options.trace = true;
    g_console = ConsoleFlags{false, false};
    testing::internal::CaptureStderr();
    print_trace("traced\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Info: traced\n");
}

}  // namespace
}  // namespace tarvik
