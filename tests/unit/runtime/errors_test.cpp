// The error table and the raise paths that need no fiber: worker-thread capture and
// the fatal report when no fiber is current.
#include <gtest/gtest.h>
#include <unistd.h>

#include <thread>

#include "runtime/errors.h"
#include "runtime/string.h"
#include "runtime/test_support.h"

namespace tarvik {
namespace {

using test::RuntimeTest;

TEST(ErrorTable, MessagesAndNamesLineUpByCode) {
    EXPECT_STREQ(error_message(ERR_DIV_BY_ZERO), "Division by zero");
    EXPECT_STREQ(error_message(ERR_LOW_LEVEL_IO), "Low-level I/O-error (descriptor error)");
    EXPECT_STREQ(error_message(ERR_FIELD_UNDECLARED),
                 "Instance field not declared - declare it with var/let in the class body");
    EXPECT_STREQ(error_message(99), "Runtime-error");
    EXPECT_STREQ(error_message(-1), "Runtime-error");
    int previous = -1;
    for (const ErrorName& entry : kErrorNames) {
        EXPECT_GT(entry.code, previous) << entry.name;
        EXPECT_NE(entry.code, ERR_LOW_LEVEL_IO) << "code 13 has no name";
        previous = entry.code;
    }
    EXPECT_STREQ(kErrorNames[1].name, "DivByZero");
    EXPECT_STREQ(kErrorNames[13].name, "UnsafeOperation");
    EXPECT_EQ(kErrorNames[23].code, 24);
}

TEST_F(RuntimeTest, RaiseHelpersFormatTheirTexts) {
    raise_index(-1, 3);
    EXPECT_EQ(take_error_message(), "Index -1 out of bounds (length 3)");
    Value s = make_string("abc");
    raise_typed(ERR_INVALID_ARGUMENTS, "Cannot negate non-numeric value", s);
    ASSERT_EQ(test::raised_errors().size(), 1u);
    EXPECT_EQ(test::raised_errors()[0].code, ERR_INVALID_ARGUMENTS);
    EXPECT_EQ(take_error_message(), "Cannot negate non-numeric value (got string)");
    raise_typed(ERR_INVALID_ARGUMENTS, "x", make_imm_int(1));
    EXPECT_EQ(take_error_message(), "x (got int)");
    raise_error(ERR_STACK);
    EXPECT_EQ(take_error_message(), "Stack full or empty");
    release(s);
}

TEST_F(RuntimeTest, WorkerThreadRecordsOnlyTheFirstCode) {
    JobErrorContext context;
    bool pending_on_worker = false;
    std::thread worker([&] {
        error_set_job_context(&context);
        raise_error(ERR_IO, "read failed");
        raise_error(ERR_OUT_OF_MEMORY);
        pending_on_worker = error_pending();
        error_set_job_context(nullptr);
    });
    worker.join();
    EXPECT_EQ(context.code, ERR_IO);
    EXPECT_TRUE(pending_on_worker);
    EXPECT_TRUE(test::raised_errors().empty()) << "a worker never raises into a fiber";
    EXPECT_EQ(error_job_context(), nullptr) << "the context is per thread";
}

TEST(ErrorsDeathTest, RaiseWithoutAFiberIsFatalWithTheCodeAsStatus) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            dup2(2, 1);  // the fatal report goes to standard output
            error_set_sink(nullptr);
            raise_error(ERR_IO, "disk gone");
        },
        ::testing::ExitedWithCode(5),
        "Fatal: No current fiber to raise exception on!\n - Exception \\(code 5\\): disk gone\n");
    EXPECT_EXIT(
        {
            error_set_sink(nullptr);
            raise_error(ERR_NULL_PTR);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tarvik
