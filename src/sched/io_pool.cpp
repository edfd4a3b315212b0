// sched/io_pool.cpp: the worker threads, the job and completion rings (256 each,
// one lock apiece, never nested), the wake-up socket pair and delivery to fibers.
#include "sched/io_pool.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/fiber.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "sched/io_ops.h"
#include "sched/io_wake_linux.h"
#include "sched/scheduler.h"

namespace tarvik {

namespace {

struct IoJob {
    IoWorkFn work;
    IoCompleteFn complete;
    void* context;
    uint32_t fiber_id;
    Value fiber;  // held for the job's life; only the VM thread touches it
};

struct IoCompletion {
    IoCompleteFn complete;
    void* output;
    uint32_t fiber_id;
    Value fiber;
};

struct IoPool {
    IoJob jobs[kIoRingSize];
    uint32_t job_head = 0, job_count = 0;
    std::mutex job_lock;
    std::condition_variable work_available;

    IoCompletion done[kIoRingSize];
    uint32_t done_head = 0;
    std::atomic<uint32_t> done_count{0};
    std::mutex done_lock;
    std::condition_variable space_available;

    std::vector<std::thread> workers;
    uint32_t target = 0;   // workers the thread-count rule asks for
    bool started = false;  // workers are started by the first job: a program without
                           // I/O keeps neither their stacks nor their memory
    std::atomic<bool> shutdown{false};
    IoWake wake;

    uint32_t in_flight = 0;  // VM thread only: submitted to workers, not delivered
    uint32_t pending = 0;    // VM thread only: submitted, not delivered
    uint64_t inline_runs = 0;
    bool warned = false;
};

IoPool* g_pool = nullptr;
// Kept past io_pool_stop for the report at exit.
uint32_t g_stats_workers = 0;
uint64_t g_stats_inline_runs = 0;

void worker_loop(IoPool* pool) {
    io_worker_block_signals();
    JobErrorContext errors;
    error_set_job_context(&errors);
    for (;;) {
        IoJob job;
        {
            std::unique_lock<std::mutex> lock(pool->job_lock);
            pool->work_available.wait(lock, [&] { return pool->job_count > 0 || pool->shutdown.load(); });
            if (pool->job_count == 0) return;
            job = pool->jobs[pool->job_head];
            pool->job_head = (pool->job_head + 1) % kIoRingSize;
            pool->job_count -= 1;
        }
        void* output = nullptr;
        job.work(job.context, &output);
        {
            std::unique_lock<std::mutex> lock(pool->done_lock);
            // The VM thread keeps draining until every worker has ended, so a full
            // ring always empties: no completion is ever dropped.
            pool->space_available.wait(lock, [&] { return pool->done_count.load() < kIoRingSize; });
            uint32_t tail = (pool->done_head + pool->done_count.load()) % kIoRingSize;
            pool->done[tail] = IoCompletion{job.complete, output, job.fiber_id, job.fiber};
            pool->done_count.fetch_add(1);
        }
        io_wake_signal(&pool->wake);
    }
}

void deliver(Value fiber, Value value) { io_deliver(fiber, value, 0); }

Value completion_value(IoCompleteFn complete, void* output) {
    Value v = complete ? complete(output) : kAbsent;
    return is_absent(v) ? nil_value() : v;
}

// Delivers (or, while stopping, only completes and drops) finished jobs.
uint32_t drain(IoPool* pool, bool stopping) {
    if (pool->workers.empty() || pool->done_count.load() == 0) return 0;
    io_wake_clear(&pool->wake);
    uint32_t delivered = 0;
    std::unique_lock<std::mutex> lock(pool->done_lock);
    while (pool->done_count.load() > 0) {
        IoCompletion entry = pool->done[pool->done_head];
        pool->done_head = (pool->done_head + 1) % kIoRingSize;
        pool->done_count.fetch_sub(1);
        pool->space_available.notify_one();
        lock.unlock();
        Value value = completion_value(entry.complete, entry.output);
        if (stopping) {
            release(value);
            release(entry.fiber);
        } else {
            deliver(entry.fiber, value);
        }
        pool->pending -= 1;
        pool->in_flight -= 1;
        ++delivered;
        lock.lock();
    }
    return delivered;
}

uint32_t pool_pending() { return g_pool ? g_pool->pending : 0; }

}  // namespace

void io_deliver(Value fiber, Value value, uint8_t outcome) {
    if (is_absent(fiber)) {
        release(value);
        return;
    }
    FiberRecord* f = fiber_record(as_obj(fiber));
    if (f->status == STATUS_WAIT_IO) {
        f->io_outcome = outcome;
        release(f->result);
        f->result = value;
        scheduler_queue(fiber);
    } else {
        release(value);  // finished or cancelled meanwhile
    }
    release(fiber);
}

uint32_t io_pool_drain() { return g_pool ? drain(g_pool, false) : 0; }
int io_pool_wake_fd() { return g_pool && !g_pool->workers.empty() ? g_pool->wake.receive_fd : -1; }
uint32_t io_pool_in_flight() { return g_pool ? g_pool->in_flight : 0; }

uint32_t io_pool_thread_count(uint32_t setting, long processors) {
    if (setting >= 1) return std::min(setting, kIoMaxThreads);
    long count = std::clamp(processors, 1L, 1024L) / 2;
    return uint32_t(std::clamp(count, 4L, long(kIoMaxThreads)));
}

void io_pool_start(uint32_t threads_setting) {
    if (g_pool) return;
    g_pool = new IoPool();
    io_wake_open(&g_pool->wake);
    g_pool->target = io_pool_thread_count(threads_setting, io_processor_count());
    io_ops_install();
}

namespace {

void start_workers(IoPool* pool) {
    pool->started = true;
    for (uint32_t i = 0; i < pool->target; ++i) {
        try {
            pool->workers.emplace_back(worker_loop, pool);
        } catch (...) {
            break;  // run with the workers that started; none means inline only
        }
    }
}

}  // namespace

void io_pool_submit(IoWorkFn work, IoCompleteFn complete, void* context) {
    FiberRecord* f = g_current_fiber;
    IoPool* pool = g_pool;
    if (pool && f && !pool->started) start_workers(pool);
    Value fiber = f ? make_ref(f->object) : kAbsent;
    if (f) {
        retain(fiber);
        f->status = STATUS_WAIT_IO;
    }
    if (pool && f && !pool->workers.empty()) {
        std::lock_guard<std::mutex> lock(pool->job_lock);
        if (pool->job_count < kIoRingSize) {
            pool->jobs[(pool->job_head + pool->job_count) % kIoRingSize] = IoJob{work, complete, context, f->id, fiber};
            pool->job_count += 1;
            pool->in_flight += 1;
            pool->pending += 1;
            pool->work_available.notify_one();
            return;
        }
    }
    if (pool) {
        pool->inline_runs += 1;
        if (!pool->warned && !pool->workers.empty()) {
            pool->warned = true;
            print_warning("I/O pool saturated (%d queued): running work on the VM thread. Raise --io-threads or "
                          "reduce concurrent async operations.\n",
                          int(kIoRingSize));
        }
    }
    void* output = context;
    work(context, &output);
    Value value = completion_value(complete, output);
    if (f)
        deliver(fiber, value);
    else
        release(value);
}

void io_pool_stop() {
    IoPool* pool = g_pool;
    if (!pool) return;
    scheduler_set_io(nullptr);
    uint32_t pending_at_exit = pool->pending + io_ops_in_use();
    if (pending_at_exit) print_warning("There are %u pending IO-operations upon exit\n", pending_at_exit);
    io_ops_release_all();
    {
        std::lock_guard<std::mutex> lock(pool->job_lock);
        pool->shutdown.store(true);
    }
    pool->work_available.notify_all();
    // Workers finish the queued jobs; keep their completions flowing until all end.
    while (pool->in_flight > 0 && !pool->workers.empty()) {
        io_wake_wait(&pool->wake, 10);
        drain(pool, true);
    }
    for (std::thread& worker : pool->workers) worker.join();
    g_stats_workers = pool->started ? uint32_t(pool->workers.size()) : pool->target;
    g_stats_inline_runs = pool->inline_runs;
    io_wake_close(&pool->wake);
    delete pool;
    g_pool = nullptr;
}

void io_pool_print_stats(uint32_t idle_ms) {
    std::printf("\n=== I/O Statistics ===\n");
    std::printf("Total VM idle time (ms): %d\n", int(idle_ms));
    IoOpStats ops = io_ops_stats();
    std::printf("Total I/O reads:         %llu  (%llu bytes)\n", (unsigned long long)ops.reads,
                (unsigned long long)ops.bytes_received);
    std::printf("Total I/O writes:        %llu  (%llu bytes)\n", (unsigned long long)ops.writes,
                (unsigned long long)ops.bytes_sent);
    std::printf("I/O pool workers:        %d\n", int(g_stats_workers));
    std::printf("Pool jobs run inline:    %llu  (queue was full - raise --io-threads)\n",
                (unsigned long long)g_stats_inline_runs);
}

uint32_t io_pool_workers() {
    if (!g_pool) return 0;
    return g_pool->started ? uint32_t(g_pool->workers.size()) : g_pool->target;
}
uint64_t io_pool_inline_runs() { return g_pool ? g_pool->inline_runs : 0; }
uint32_t io_pool_pending() { return pool_pending(); }

}  // namespace tarvik
