// tests/unit/runtime/test_support.h: a fixture that gives each test a fresh heap and
// records raised errors instead of ending the process.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/heap.h"
#include "runtime/value.h"

namespace tarvik::test {

struct RaisedError {
    int code;
    std::string message;
};

// Errors raised since the last clear, in order. Raising marks an error pending, as a
// fiber with a handler would.
std::vector<RaisedError>& raised_errors();
void clear_raised_errors();

// Sets up a heap (and the recording error sink) and tears it down again.
void runtime_setup(const HeapConfig& config = HeapConfig{});
void runtime_teardown();

class RuntimeTest : public ::testing::Test {
protected:
    void SetUp() override { runtime_setup(); }
    void TearDown() override { runtime_teardown(); }

    // Code of the single error raised since the last check, or -1; clears the record.
    int take_error_code() {
        auto& errors = raised_errors();
        int code = errors.empty() ? -1 : errors.back().code;
        clear_raised_errors();
        return code;
    }
    std::string take_error_message() {
        auto& errors = raised_errors();
        std::string text = errors.empty() ? std::string() : errors.back().message;
        clear_raised_errors();
        return text;
    }
};

// Text of a string value (test convenience).
std::string str(Value v);

}  // namespace tarvik::test
