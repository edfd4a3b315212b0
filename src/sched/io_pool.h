// sched/io_pool.h: the I/O worker pool. Blocking work runs on worker threads; its
// completion runs on the VM thread and resumes the fiber that waits in WaitIO with
// the value. Without workers, or with 256 jobs queued, a job runs inline.
#pragma once

#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

// Runs on a worker: reads the context, stores its output pointer. Must not touch
// heap values, fibers or the scheduler.
using IoWorkFn = void (*)(void* context, void** output);
// Runs on the VM thread: builds the script value (a new reference, or absent for
// nil) and frees the output.
using IoCompleteFn = Value (*)(void* output);

constexpr uint32_t kIoRingSize = 256;
constexpr uint32_t kIoMaxThreads = 16;

// Worker count: the setting (1..16) when given, else half the processors (the
// count clamped to 1..1024) but at least 4, at most 16.
uint32_t io_pool_thread_count(uint32_t setting, long processors);

// Starts the workers (once) and installs the pool in the run loop.
void io_pool_start(uint32_t threads_setting);
// Warns about jobs not yet delivered, lets the workers finish the queue, completes
// their results without delivering them, and joins the workers.
void io_pool_stop();

// Marks the current fiber WaitIO, holds it and submits the job; the caller returns
// nil, and the fiber resumes with the completion's value. Without a current fiber
// the job runs inline and its value is dropped.
void io_pool_submit(IoWorkFn work, IoCompleteFn complete, void* context);

// Resumes the fiber (absent: none) with the value (owned) and the outcome code, and
// lets go of the I/O work's hold on it; a fiber no longer waiting drops the value.
void io_deliver(Value fiber, Value value, uint8_t outcome);

// The poller's side (sched/io_ops.cpp): delivers the finished jobs and answers how
// many; the socket whose readability means "a job finished" (-1 without workers or
// without the pair); jobs handed to workers and not yet delivered.
uint32_t io_pool_drain();
int io_pool_wake_fd();
uint32_t io_pool_in_flight();

// The statistics block of --stats, socket reads and writes included.
void io_pool_print_stats(uint32_t idle_ms);

uint32_t io_pool_workers();
uint64_t io_pool_inline_runs();
// Jobs submitted and not yet delivered (the jobs' share of the pending-I/O count).
uint32_t io_pool_pending();

}  // namespace tarvik
