// tests/unit/sched/io_pool_test.cpp: the worker-count rule, and a saturated pool
// that runs the overflow inline while every fiber still gets its own value.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "engine/fiber.h"
#include "runtime/function.h"
#include "runtime/test_support.h"
#include "sched/io_ops.h"
#include "sched/io_pool.h"
#include "sched/scheduler.h"

namespace tarvik::test {
namespace {

TEST(IoPoolThreads, CountFollowsTheSettingOrTheProcessors) {
    EXPECT_EQ(io_pool_thread_count(0, 2), 4u);
    EXPECT_EQ(io_pool_thread_count(0, 20), 10u);
    EXPECT_EQ(io_pool_thread_count(0, 64), 16u);
    EXPECT_EQ(io_pool_thread_count(0, -1), 4u) << "an unknown count";
    EXPECT_EQ(io_pool_thread_count(3, 64), 3u);
    EXPECT_EQ(io_pool_thread_count(40, 64), 16u);
}

std::atomic<bool> g_gate_open{false};
std::atomic<bool> g_gate_entered{false};

struct Job {
    int number;
    bool gate;
};
void job_work(void* context, void** output) {
    Job* job = static_cast<Job*>(context);
    if (job->gate) {
        g_gate_entered = true;
        while (!g_gate_open) std::this_thread::yield();
    }
    *output = job;
}
Value job_complete(void* output) {
    Job* job = static_cast<Job*>(output);
    Value v = make_int(job->number);
    delete job;
    return v;
}

class IoPoolTest : public RuntimeTest {
protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        value_types_register();
        fiber_types_register();
        scheduler_init(512);
    }
    void TearDown() override {
        g_current_fiber = nullptr;
        scheduler_shutdown();
        RuntimeTest::TearDown();
    }
};

TEST_F(IoPoolTest, SaturatedPoolRunsInlineAndDeliversEveryValue) {
    constexpr int kFibers = 300;
    io_pool_start(1);
    ASSERT_EQ(io_pool_workers(), 1u);
    Value fn = make_function();
    Value fibers[kFibers];
    for (int i = 0; i < kFibers; ++i) {
        fibers[i] = fiber_create(fn, 8, 64);
        g_current_fiber = fiber_record(as_obj(fibers[i]));
        io_pool_submit(job_work, job_complete, new Job{i, i == 0});
        while (i == 0 && !g_gate_entered) std::this_thread::yield();  // the worker holds the gate job
    }
    g_current_fiber = nullptr;
    release(fn);
    EXPECT_EQ(io_pool_inline_runs(), uint64_t(kFibers - 1 - 256)) << "256 wait in the ring";
    g_gate_open = true;
    for (int spins = 0; io_pool_pending() > 0 && spins < 2000; ++spins) io_ops_poll(10);
    EXPECT_EQ(io_pool_pending(), 0u);
    for (int i = 0; i < kFibers; ++i) {
        FiberRecord* f = fiber_record(as_obj(fibers[i]));
        EXPECT_EQ(f->result, make_int(i)) << "fiber " << i;
        EXPECT_TRUE(f->flags & FIBER_QUEUED);
    }
    io_pool_stop();
    scheduler_shutdown();  // drops the queued fibers' references
    for (Value& fiber : fibers) release(fiber);
    scheduler_init(4);
}

}  // namespace
}  // namespace tarvik::test
