// sched/io_ops.cpp: the socket operation table and the poller. An entry is
// allocated (counted pending), armed with a non-blocking socket, then driven by
// poll passes until it completes, times out, fails or is cancelled, and finally
// released (uncounted). Every path that ends an entry goes through io_op_release,
// so the pending count cannot drift.
#include "sched/io_ops.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "runtime/block.h"
#include "runtime/errors.h"
#include "runtime/string.h"
#include "sched/clock.h"
#include "sched/io_ops_linux.h"
#include "sched/io_pool.h"
#include "sched/scheduler.h"

namespace tarvik {

namespace {

constexpr uint32_t kStepBytes = 8192;          // per system call
constexpr uint64_t kPassBytes = 256 * 1024;    // per entry and pass: no socket starves the others
constexpr uint64_t kReadAllLimit = uint64_t(1) << 30;
constexpr uint32_t kSetLimit = 1024;           // entries per direction and pass
constexpr int kUnboundedWaitMs = 50;

struct IoOpTable {
    IoOp entries[kIoOpCount];
    uint64_t in_use[kIoOpGroups];
    uint64_t armed[kIoOpGroups];
    uint64_t deadline[kIoOpGroups];
    uint32_t count;
    IoOpStats stats;
};

IoOpTable g_ops;

uint32_t index_of(const IoOp* op) { return uint32_t(op - g_ops.entries); }
void set_bit(uint64_t* mask, uint32_t i) { mask[i / 64] |= uint64_t(1) << (i % 64); }
void clear_bit(uint64_t* mask, uint32_t i) { mask[i / 64] &= ~(uint64_t(1) << (i % 64)); }

uint64_t now_ms() { return uint64_t(clock_now_ms()); }

// Clears an entry (keeping its generation) and frees what it holds; the hold on
// the fiber goes too unless the caller took it out first.
void clear_entry(IoOp* op) {
    uint32_t i = index_of(op);
    std::free(op->in_buf);
    release(op->out_value);
    release(op->callback);
    release(op->fiber);
    release(op->owner);
    uint32_t generation = op->generation + 1;
    std::memset(static_cast<void*>(op), 0, sizeof *op);
    op->generation = generation;
    op->socket = -1;
    op->fiber_id = kIoNoFiber;
    op->out_value = op->callback = op->fiber = op->owner = kAbsent;
    clear_bit(g_ops.in_use, i);
    clear_bit(g_ops.armed, i);
    clear_bit(g_ops.deadline, i);
}

// Common checks and bookkeeping of the three arm operations; false after raising
// (the entry is released then).
bool arm(IoOp* op, int socket, uint32_t handle_kind, uint32_t kind, int32_t timeout_ms, Value callback) {
    if (!op->in_use || op->socket >= 0 || handle_kind != kIoHandleSocket) {
        if (op->in_use) io_op_release(op);
        raise_error(ERR_RUNTIME);
        return false;
    }
    if (!io_socket_is_socket(socket)) {
        // A closed stream or a descriptor that is gone: fails at once, no waiting.
        op->op_kind = kind;
        op->outcome = IO_OUTCOME_CLOSED;
        io_op_complete(op, kAbsent);
        return true;
    }
    op->socket = socket;
    op->op_kind = kind;
    op->timeout_ms = timeout_ms;
    if (timeout_ms >= 1) {
        op->start_ms = now_ms();
        set_bit(g_ops.deadline, index_of(op));
    }
    retain(callback);
    op->callback = callback;
    set_bit(g_ops.armed, index_of(op));
    return true;
}

// The bytes a write sends: its value (a string or block, capped at its length) or
// its raw bytes; false when there is no such source.
bool write_source(const IoOp* op, const uint8_t** data, uint64_t* length) {
    uint64_t available;
    if (is_ref_of(op->out_value, T_STRING)) {
        *data = reinterpret_cast<const uint8_t*>(string_chars(as_obj(op->out_value)));
        available = string_length(as_obj(op->out_value));
    } else if (is_ref_of(op->out_value, T_BLOCK)) {
        const ObjHeader* b = as_obj(op->out_value);
        *data = block_bytes(b);
        available = uint64_t(block_count(b)) * block_width(b);
    } else if (is_absent(op->out_value) && op->out_data) {
        *data = op->out_data;
        available = op->out_len;
    } else {
        return false;
    }
    *length = std::min(op->out_len, available);
    return true;
}

// A new block of the first `length` received bytes (nil when the block storage
// refuses).
Value block_of_received(const IoOp* op, uint64_t length) {
    Value block = make_block(uint32_t(length), 1);
    if (is_ref_of(block, T_BLOCK) && length) std::memcpy(block_bytes(as_obj(block)), op->in_buf, size_t(length));
    return block;
}

// The same, but nil when nothing was received.
Value received_block(const IoOp* op, uint64_t length) {
    return length == 0 ? nil_value() : block_of_received(op, length);
}

void fail(IoOp* op, uint8_t outcome) {
    op->outcome = outcome;
    io_op_complete(op, kAbsent);
}

// Ends every entry in use that `match` picks with nil and `outcome`; the count.
template <typename Match>
uint32_t end_matching(Match match, uint8_t outcome) {
    uint32_t count = 0;
    for (IoOp& op : g_ops.entries) {
        if (!op.in_use || !match(op)) continue;
        fail(&op, outcome);
        ++count;
    }
    return count;
}

// Reads what the socket holds, within the pass's share.
void service_read(IoOp* op) {
    uint64_t pass = 0;
    for (;;) {
        size_t request;
        if (op->want_bytes == 0) {
            if (op->in_cap - op->in_len < kStepBytes) {
                uint64_t cap = op->in_cap ? op->in_cap * 2 : 256;
                while (cap - op->in_len < kStepBytes) cap *= 2;
                if (cap > kReadAllLimit) return fail(op, IO_OUTCOME_TOO_LARGE);
                // Plain realloc: the poller runs outside any fiber, where raising
                // would end the VM; a refusal ends only this operation.
                void* grown = std::realloc(op->in_buf, size_t(cap));
                if (!grown) return fail(op, IO_OUTCOME_ERROR);
                op->in_buf = static_cast<uint8_t*>(grown);
                op->in_cap = cap;
            }
            request = kStepBytes;
        } else {
            uint64_t want = uint64_t(op->want_bytes);
            if (op->in_len >= want) return io_op_complete(op, block_of_received(op, want));
            request = size_t(std::min<uint64_t>(want - op->in_len, kStepBytes));
        }
        uint8_t outcome = IO_OUTCOME_OK;
        long n = io_socket_recv(op->socket, op->in_buf + op->in_len, request, &outcome);
        if (n == IO_SOCKET_RETRY) return;
        if (n == IO_SOCKET_FAILED) return fail(op, outcome);
        if (n == 0) {
            // The peer closed: whatever arrived, possibly nothing.
            return io_op_complete(op, block_of_received(op, op->in_len));
        }
        op->in_len += uint64_t(n);
        g_ops.stats.bytes_received += uint64_t(n);
        pass += uint64_t(n);
        bool exact_reached = op->want_bytes > 0 && op->in_len >= uint64_t(op->want_bytes);
        if (!exact_reached && (size_t(n) < request || pass >= kPassBytes)) return;
    }
}

void service_write(IoOp* op) {
    const uint8_t* data;
    uint64_t length;
    if (!write_source(op, &data, &length)) return fail(op, IO_OUTCOME_ERROR);
    uint64_t pass = 0;
    for (;;) {
        if (op->out_done >= length) return io_op_complete(op, make_int(int64_t(op->out_done)));
        size_t request = size_t(std::min<uint64_t>(length - op->out_done, kStepBytes));
        uint8_t outcome = IO_OUTCOME_OK;
        long n = io_socket_send(op->socket, data + op->out_done, request, &outcome);
        if (n == IO_SOCKET_RETRY || n == 0) return;
        if (n == IO_SOCKET_FAILED) return fail(op, outcome);
        op->out_done += uint64_t(n);
        g_ops.stats.bytes_sent += uint64_t(n);
        pass += uint64_t(n);
        if (size_t(n) < request || pass >= kPassBytes) return;
    }
}

// An armed entry whose time ran out: a read hands over what it has.
void time_out(IoOp* op) {
    op->outcome = IO_OUTCOME_TIMED_OUT;
    io_op_complete(op, op->op_kind == IO_OP_READ ? received_block(op, op->in_len) : kAbsent);
}

struct Waiting {
    uint32_t index;
    uint32_t generation;
};

uint32_t pending_total() { return io_pool_pending() + g_ops.count; }
void poll_hook(int timeout_ms) { io_ops_poll(timeout_ms); }
uint32_t cancel_hook(FiberRecord* f) { return io_ops_cancel(f->id); }
uint32_t discard_hook(FiberRecord* f) { return io_ops_discard(f->id); }

const SchedulerIo kPollerIo{pending_total, poll_hook, cancel_hook, discard_hook};

}  // namespace

IoOp* io_op_allocate(FiberRecord* f) {
    for (uint32_t g = 0; g < kIoOpGroups; ++g) {
        if (g_ops.in_use[g] == ~uint64_t(0)) continue;
        uint32_t i = g * 64 + uint32_t(std::countr_one(g_ops.in_use[g]));
        IoOp* op = &g_ops.entries[i];
        uint32_t generation = op->generation;
        std::memset(static_cast<void*>(op), 0, sizeof *op);
        op->generation = generation;
        op->in_use = 1;
        op->socket = -1;
        op->fiber_id = f ? f->id : kIoNoFiber;
        op->out_value = op->callback = op->fiber = op->owner = kAbsent;
        if (f) {
            op->fiber = make_ref(f->object);
            retain(op->fiber);
        }
        set_bit(g_ops.in_use, i);
        g_ops.count += 1;
        return op;
    }
    raise_error(ERR_OUT_OF_MEMORY);
    return nullptr;
}

bool io_op_arm_read(IoOp* op, int socket, uint32_t handle_kind, int64_t count, int32_t timeout_ms, Value callback) {
    if (count < 0 || count > INT32_MAX) {
        if (op->in_use) io_op_release(op);
        raise_error(ERR_INVALID_ARGUMENTS);
        return false;
    }
    if (count > 0 && uint64_t(count) > op->in_cap && op->in_use && op->socket < 0 && socket >= 0) {
        uint8_t* buffer = static_cast<uint8_t*>(std::calloc(size_t(count), 1));
        if (!buffer) {
            io_op_release(op);
            raise_error(ERR_OUT_OF_MEMORY);
            return false;
        }
        std::free(op->in_buf);
        op->in_buf = buffer;
        op->in_cap = uint64_t(count);
    }
    op->want_bytes = int32_t(count);
    return arm(op, socket, handle_kind, IO_OP_READ, timeout_ms, callback);
}

bool io_op_arm_write(IoOp* op, int socket, uint32_t handle_kind, Value value, const void* data, uint64_t len,
                     int32_t timeout_ms, Value callback) {
    if (!is_absent(value)) retain(value);
    else op->out_data = static_cast<const uint8_t*>(data);
    if (op->in_use) {
        release(op->out_value);
        op->out_value = value;
    } else {
        release(value);
    }
    op->out_len = len;
    op->out_done = 0;
    return arm(op, socket, handle_kind, IO_OP_WRITE, timeout_ms, callback);
}

bool io_op_arm_readable(IoOp* op, int socket, uint32_t handle_kind, int32_t timeout_ms, Value callback) {
    return arm(op, socket, handle_kind, IO_OP_READABLE, timeout_ms, callback);
}

void io_op_release(IoOp* op) {
    if (!op->in_use) return;
    clear_entry(op);
    if (g_ops.count > 0) g_ops.count -= 1;
}

void io_op_complete(IoOp* op, Value value) {
    if (is_absent(value)) value = nil_value();
    if (op->converter && !is_nil(value)) {
        IoConverter converter = op->converter;
        op->converter = nullptr;
        Value converted = converter(value);
        release(value);
        value = is_absent(converted) ? nil_value() : converted;
    }
    uint32_t kind = op->op_kind;
    uint8_t outcome = op->outcome;
    Value fiber = op->fiber;
    Value callback = op->callback;
    op->fiber = op->callback = kAbsent;
    io_op_release(op);
    if (!is_absent(callback)) {
        // The callable runs in its own fiber, queued ahead of the waiting one.
        scheduler_spawn_detached(callback, &value, 1);
        release(callback);
        release(value);
        value = nil_value();
    }
    io_deliver(fiber, value, outcome);
    if (kind == IO_OP_READ) g_ops.stats.reads += 1;
    if (kind == IO_OP_WRITE) g_ops.stats.writes += 1;
}

void io_ops_poll(int timeout_ms) {
    if (pending_total() == 0) return;
    uint64_t now = now_ms();
    int64_t nearest = -1;
    std::vector<IoWaitEntry> set;
    std::vector<Waiting> waiting;
    uint32_t reads = 0, writes = 0;
    for (uint32_t g = 0; g < kIoOpGroups; ++g) {
        for (uint64_t bits = g_ops.armed[g]; bits; bits &= bits - 1) {
            IoOp* op = &g_ops.entries[g * 64 + uint32_t(std::countr_zero(bits))];
            if (!op->in_use || op->socket < 0) continue;
            if (op->timeout_ms >= 1) {
                uint64_t elapsed = now - op->start_ms;
                if (elapsed >= uint64_t(op->timeout_ms)) {
                    time_out(op);
                    continue;
                }
                int64_t left = int64_t(op->timeout_ms) - int64_t(elapsed);
                if (nearest < 0 || left < nearest) nearest = left;
            }
            bool write = op->op_kind == IO_OP_WRITE;
            if (write) {
                const uint8_t* data;
                uint64_t length;
                if (write_source(op, &data, &length) && op->out_done >= length) {
                    io_op_complete(op, make_int(int64_t(op->out_done)));
                    continue;
                }
            }
            uint32_t& used = write ? writes : reads;
            if (used >= kSetLimit) continue;  // waits for a later pass
            used += 1;
            set.push_back(IoWaitEntry{op->socket, write, false});
            waiting.push_back(Waiting{index_of(op), op->generation});
        }
    }
    int wake_fd = io_pool_wake_fd();
    if (set.empty() && (timeout_ms == 0 || wake_fd < 0)) {
        if (io_pool_in_flight() || timeout_ms == 0) {
            io_pool_drain();
            if (timeout_ms == 0 || io_pool_in_flight() == 0) return;
        }
        // Nothing to wait on: a short sleep bounds the latency of completions (no
        // longer than asked, so that a short step of the run loop stays short).
        int pause = timeout_ms < 0 ? kUnboundedWaitMs : std::min(timeout_ms, kUnboundedWaitMs);
        IoWaitEntry none{-1, false, false};
        io_wait(&none, 0, pause);
        scheduler_add_idle_ms(uint32_t(pause));
        io_pool_drain();
        return;
    }
    if (wake_fd >= 0) set.push_back(IoWaitEntry{wake_fd, false, false});
    // A positive wait is capped as well: control events and timers are looked at
    // between passes.
    int wait = timeout_ms < 0 ? kUnboundedWaitMs : std::min(timeout_ms, kUnboundedWaitMs);
    if (nearest >= 0 && nearest < wait) wait = int(nearest);
    double before = clock_now_ms();
    int ready = io_wait(set.data(), set.size(), wait);
    double waited = clock_now_ms() - before;
    if (waited >= 1) scheduler_add_idle_ms(uint32_t(waited));
    if (ready < 0) {
        for (const Waiting& w : waiting) {
            IoOp* op = &g_ops.entries[w.index];
            if (op->in_use && op->generation == w.generation && !io_socket_is_socket(op->socket))
                fail(op, IO_OUTCOME_CLOSED);
        }
    } else if (ready > 0) {
        // Reads first, in the order added, then writes; an entry completed or reused
        // meanwhile is recognised by its generation.
        for (int pass = 0; pass < 2; ++pass) {
            for (size_t k = 0; k < waiting.size(); ++k) {
                if (!set[k].ready || set[k].write != (pass == 1)) continue;
                IoOp* op = &g_ops.entries[waiting[k].index];
                if (!op->in_use || op->generation != waiting[k].generation) continue;
                if (op->op_kind == IO_OP_READABLE) io_op_complete(op, make_bool(true));
                else if (op->op_kind == IO_OP_READ) service_read(op);
                else service_write(op);
            }
        }
    }
    io_pool_drain();
}

uint32_t io_ops_cancel(uint32_t fiber_id) {
    return end_matching([fiber_id](const IoOp& op) { return op.fiber_id == fiber_id; }, IO_OUTCOME_CANCELLED);
}

uint32_t io_ops_close_socket(int socket) {
    if (socket < 0) return 0;
    return end_matching([socket](const IoOp& op) { return op.socket == socket; }, IO_OUTCOME_CLOSED);
}

uint32_t io_ops_discard(uint32_t fiber_id) {
    uint32_t count = 0;
    for (IoOp& op : g_ops.entries) {
        if (!op.in_use || op.fiber_id != fiber_id) continue;
        io_op_release(&op);
        ++count;
    }
    return count;
}

void io_ops_install() { scheduler_set_io(&kPollerIo); }

uint32_t io_ops_in_use() { return g_ops.count; }

void io_ops_release_all() {
    for (IoOp& op : g_ops.entries) io_op_release(&op);
    g_ops.count = 0;
}

IoOpStats io_ops_stats() { return g_ops.stats; }

IoOp* io_op_at(uint32_t index) { return index < kIoOpCount ? &g_ops.entries[index] : nullptr; }

}  // namespace tarvik
