// sched/io_ops.h: the socket operation table and its poller. 512 entries (8 groups
// of 64) hold non-blocking reads, writes and readability waits that the VM thread
// drives itself with poll(2), no threads involved; the same poll also waits on the
// worker pool's wake-up socket, so one hook serves both. Only the VM thread touches
// the table.
#pragma once

#include <cstdint>

#include "engine/fiber.h"
#include "runtime/value.h"

namespace tarvik {

constexpr uint32_t kIoOpCount = 512;
constexpr uint32_t kIoOpGroups = kIoOpCount / 64;
constexpr uint32_t kIoHandleSocket = 2;  // the only handle kind the poller reads and writes
constexpr uint32_t kIoNoFiber = 0xFFFFFFFF;

enum IoOpKind : uint32_t { IO_OP_READ = 1, IO_OP_WRITE = 2, IO_OP_READABLE = 3 };

// Outcome codes, copied into the fiber's io_outcome at delivery.
enum IoOutcome : uint8_t {
    IO_OUTCOME_OK = 0,
    IO_OUTCOME_TIMED_OUT = 1,
    IO_OUTCOME_CLOSED = 2,
    IO_OUTCOME_RESET = 3,
    IO_OUTCOME_TOO_LARGE = 4,
    IO_OUTCOME_ERROR = 6,
    IO_OUTCOME_CANCELLED = 7,
};

using IoConverter = Value (*)(Value value);

struct IoOp {
    uint8_t in_use;
    int32_t socket;          // -1 while unarmed
    uint32_t op_kind;
    uint32_t handle_kind;
    uint32_t fiber_id;       // kIoNoFiber when none
    uint32_t generation;     // survives clearing: a poll pass recognises reuse
    int32_t want_bytes;      // read: exact count; 0 = until the peer closes
    int32_t timeout_ms;      // below 1: none
    uint64_t start_ms;
    uint8_t outcome;
    const uint8_t* out_data; // write: raw bytes when no value is held
    uint64_t out_len;
    uint64_t out_done;
    Value out_value;         // write: the string or block being sent (held)
    uint8_t* in_buf;
    uint64_t in_len;
    uint64_t in_cap;
    IoConverter converter;
    Value callback;          // held; called with the result instead of resuming with it
    Value fiber;             // the hold on the waiting fiber, handed back at delivery
    Value owner;             // held: the stream whose descriptor this is stays open
};

// Takes the lowest free entry for `f` (null: none) and counts it pending; null
// after raising code 8 when all 512 are taken.
IoOp* io_op_allocate(FiberRecord* f);

// Arming: the entry must be unarmed and the handle a socket, else code 6; a
// descriptor that is closed (negative) or no socket ends the operation at once
// with outcome 2 and nil. The descriptor's blocking mode is left alone: every
// receive and send is made non-blocking on its own. A
// negative byte count raises code 3. A failed arm releases the entry (the caller
// must not touch it again) and answers false. Callbacks are retained.
bool io_op_arm_read(IoOp* op, int socket, uint32_t handle_kind, int64_t count, int32_t timeout_ms, Value callback);
// Sends `value` (a string or block, retained) or, when it is absent, `len` bytes
// at `data` (which must outlive the operation).
bool io_op_arm_write(IoOp* op, int socket, uint32_t handle_kind, Value value, const void* data, uint64_t len,
                     int32_t timeout_ms, Value callback);
bool io_op_arm_readable(IoOp* op, int socket, uint32_t handle_kind, int32_t timeout_ms, Value callback);

// Frees the entry's buffer and values, bumps its generation and uncounts it.
void io_op_release(IoOp* op);
// Ends the operation with `value` (owned; absent = nil) and the entry's outcome:
// applies the converter, runs the callback or resumes the fiber, releases the entry.
void io_op_complete(IoOp* op, Value value);

// One pass over the armed entries: time-outs, poll(2) with the wake-up socket, the
// ready reads and writes, the pool's completions. timeout_ms 0 does not wait,
// negative waits at most 50 ms.
void io_ops_poll(int timeout_ms);

// Fiber.CancelIo: each entry of the fiber ends with outcome 7 and nil. The count.
uint32_t io_ops_cancel(uint32_t fiber_id);
// A socket about to be closed: each entry armed on it ends with outcome 2 and nil,
// so none reads a descriptor number the system may hand to a new socket. The count.
uint32_t io_ops_close_socket(int socket);
// Fiber.Cancel: each entry of the fiber is released, nothing delivered. The count.
uint32_t io_ops_discard(uint32_t fiber_id);

// Installs the poller as the run loop's I/O hook (the pool's start does it).
void io_ops_install();

// Entries in use (the operations' share of the pending-I/O count).
uint32_t io_ops_in_use();
// VM exit: releases every entry, buffers and values included.
void io_ops_release_all();

struct IoOpStats {
    uint64_t reads, bytes_received, writes, bytes_sent;
};
IoOpStats io_ops_stats();

// The entry at an index (tests).
IoOp* io_op_at(uint32_t index);

}  // namespace tarvik
