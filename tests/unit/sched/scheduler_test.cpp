// tests/unit/sched/scheduler_test.cpp: the ready queue's rules and the timer table
// (slot reuse, the 64-slot limit, interval catch-up).
#include <gtest/gtest.h>

#include "engine/fiber.h"
#include "runtime/errors.h"
#include "runtime/function.h"
#include "runtime/test_support.h"
#include "sched/clock.h"
#include "sched/scheduler.h"
#include "sched/timers.h"

namespace tarvik::test {
namespace {

class SchedulerTest : public RuntimeTest {
protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        value_types_register();
        fiber_types_register();
        scheduler_init(4);
    }
    void TearDown() override {
        g_current_fiber = nullptr;
        scheduler_shutdown();
        RuntimeTest::TearDown();
    }
    static Value new_fiber() {
        Value fn = make_function();
        Value fiber = fiber_create(fn, 8, 64);
        release(fn);
        return fiber;
    }
};

TEST_F(SchedulerTest, FullQueueRaises18OnlyWithACurrentFiber) {
    Value fibers[6];
    for (Value& f : fibers) f = new_fiber();
    for (int i = 0; i < 4; ++i) scheduler_queue(fibers[i]);
    scheduler_queue(fibers[0]);  // already queued: nothing
    EXPECT_EQ(scheduler_ready_count(), 4u);
    scheduler_queue(fibers[4]);  // no current fiber: dropped with a warning
    EXPECT_EQ(take_error_code(), -1);
    g_current_fiber = fiber_record(as_obj(fibers[5]));
    scheduler_queue(fibers[4]);
    EXPECT_EQ(take_error_code(), ERR_OUT_OF_FIBERS);
    EXPECT_EQ(scheduler_ready_count(), 4u);
    EXPECT_FALSE(fiber_record(as_obj(fibers[4]))->flags & FIBER_QUEUED);
    for (Value& f : fibers) release(f);
}

TEST_F(SchedulerTest, FiberWaitingForIoIsQueuedOnlyWithItsResult) {
    Value fiber = new_fiber();
    FiberRecord* f = fiber_record(as_obj(fiber));
    f->status = STATUS_WAIT_IO;
    scheduler_queue(fiber);
    EXPECT_EQ(scheduler_ready_count(), 0u);
    f->result = make_int(1);
    scheduler_queue(fiber);
    EXPECT_EQ(scheduler_ready_count(), 1u);
    release(fiber);
}

TEST_F(SchedulerTest, FindFiberSkipsFinishedOnes) {
    Value fiber = new_fiber();
    FiberRecord* f = fiber_record(as_obj(fiber));
    Value found = scheduler_find_fiber(f->id);
    EXPECT_EQ(found, fiber);
    release(found);
    f->status = STATUS_FINISHED;
    EXPECT_TRUE(is_nil(scheduler_find_fiber(f->id)));
    release(fiber);
}

TEST_F(SchedulerTest, TimersTakeTheLowestFreeSlotUpToSixtyFour) {
    double far = clock_now_ms() + 1e6;
    for (int i = 0; i < kTimerSlots; ++i) ASSERT_EQ(timer_add(far, 0, nil_value()), i);
    EXPECT_EQ(timer_add(far, 0, nil_value()), -1);
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
    EXPECT_TRUE(timer_cancel(40));
    EXPECT_TRUE(timer_cancel(40));  // a free slot is fine too
    EXPECT_FALSE(timer_cancel(64));
    EXPECT_FALSE(timer_is_active(40));
    EXPECT_EQ(timer_add(far, 0, nil_value()), 40);
    EXPECT_EQ(timer_active_count(), 64u);
}

TEST_F(SchedulerTest, LateIntervalCatchesUpOnePeriodPerPass) {
    double now = clock_now_ms();
    ASSERT_EQ(timer_add(now - 3500, 1000, nil_value()), 0);
    ASSERT_EQ(timer_add(now + 1e6, 0, nil_value()), 1);
    int passes = 0;
    while (timers_earliest_due() <= clock_now_ms() && passes < 100) {
        timers_fire();
        ++passes;
    }
    EXPECT_EQ(passes, 4);  // due at -3500, -2500, -1500 and -500 ms
    EXPECT_TRUE(timer_is_active(0));
    EXPECT_NEAR(timers_earliest_due(), now + 500, 1e-6);
    timer_cancel(0);
    EXPECT_NEAR(timers_earliest_due(), now + 1e6, 1e-6);
}

}  // namespace
}  // namespace tarvik::test
