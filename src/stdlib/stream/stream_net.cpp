// stdlib/stream/stream_net.cpp: the networking members of the Stream module:
// connecting and listening, socket options and addresses, and the asynchronous
// reads, writes and readability waits that run as socket operations of the
// poller (a parked fiber resumes with the result and its outcome code).
#include <algorithm>
#include <cstring>
#include <string>

#include "engine/fiber.h"
#include "runtime/builtin.h"
#include "runtime/errors.h"
#include "runtime/string.h"
#include "runtime/value_ops.h"
#include "sched/io_ops.h"
#include "sched/io_pool.h"
#include "stdlib/stdlib_register.h"
#include "stdlib/stream/stream_net_linux.h"
#include "stdlib/stream/stream_value.h"

namespace tarvik {

namespace {

constexpr size_t kMaxHost = 255;
constexpr int kDefaultBacklog = 128;

// The stream of an argument; null after raising code 3 for anything else.
ObjHeader* stream_arg(Value v) {
    ObjHeader* s = stream_argument(v);
    if (!s) raise_error(ERR_INVALID_ARGUMENTS);
    return s;
}

// The socket of a stream argument, or -1 (after raising for a non-stream).
int socket_arg(Value v) {
    ObjHeader* s = stream_arg(v);
    return s && stream_kind(s) == STREAM_SOCKET ? stream_fd(s) : -1;
}

std::string_view text_of(Value v) {
    if (!is_ref_of(v, T_STRING)) return {};
    const ObjHeader* s = as_obj(v);
    return {string_chars(s), string_length(s)};
}

// "tcp" or "udp"; anything else raises code 3. True for "tcp".
bool protocol_arg(Value v, bool* ok) {
    std::string_view word = text_of(v);
    *ok = word == "tcp" || word == "udp";
    if (!*ok) raise_error(ERR_INVALID_ARGUMENTS);
    return word == "tcp";
}

// An optional time-out: absent, nil or below 1 is none.
int32_t timeout_arg(Value* args, int argc, int i) {
    if (i >= argc || is_nil(args[i])) return 0;
    return int32_t(std::clamp<int64_t>(value_to_int(args[i]), 0, INT32_MAX));
}

struct ConnectTarget {
    bool tcp;
    std::string host;  // at most 255 characters
    int port;
};

// The protocol word, host and port of Connect and ConnectAsync; false after
// raising code 3.
bool connect_target(Value* args, ConnectTarget* t) {
    bool ok;
    t->tcp = protocol_arg(args[0], &ok);
    if (!ok) return false;
    int64_t p = is_nil(args[2]) ? 0 : value_to_int(args[2]);
    if (p < 1 || p > 65535 || !is_ref_of(args[1], T_STRING)) {
        raise_error(ERR_INVALID_ARGUMENTS);
        return false;
    }
    t->port = int(p);
    t->host = std::string(text_of(args[1]).substr(0, kMaxHost));
    t->host.resize(std::strlen(t->host.c_str()));  // a NUL inside ends the name
    return true;
}

Value stream_connect(Value* args, int) {
    ConnectTarget t;
    if (!connect_target(args, &t)) return nil_value();
    int fd = net_connect(t.host.c_str(), t.port, t.tcp);
    return fd < 0 ? nil_value() : make_stream(fd, STREAM_SOCKET, 0);
}

// ConnectAsync's job: the worker resolves and connects; only the completion on the
// VM thread makes the stream.
struct ConnectJob {
    char host[kMaxHost + 1];
    int port;
    bool tcp;
    int fd;
};

void connect_work(void* context, void** output) {
    ConnectJob* job = static_cast<ConnectJob*>(context);
    job->fd = net_connect(job->host, job->port, job->tcp);
    *output = job;
}

Value connect_complete(void* output) {
    ConnectJob* job = static_cast<ConnectJob*>(output);
    Value v = job->fd < 0 ? nil_value() : make_stream(job->fd, STREAM_SOCKET, 0);
    delete job;
    return v;
}

Value stream_connect_async(Value* args, int) {
    ConnectTarget t;
    if (!connect_target(args, &t)) return nil_value();
    ConnectJob* job = new ConnectJob{};
    std::memcpy(job->host, t.host.c_str(), t.host.size() + 1);
    job->port = t.port;
    job->tcp = t.tcp;
    job->fd = -1;
    io_pool_submit(connect_work, connect_complete, job);
    return nil_value();
}

Value stream_listen(Value* args, int argc) {
    bool ok;
    bool tcp = protocol_arg(args[0], &ok);
    if (!ok) return nil_value();
    int64_t port = is_nil(args[1]) ? -1 : value_to_int(args[1]);
    if (port < 0 || port > 65535) {
        raise_error(ERR_INVALID_ARGUMENTS);
        return nil_value();
    }
    int64_t backlog = argc > 2 && !is_nil(args[2]) ? value_to_int(args[2]) : kDefaultBacklog;
    int fd = net_listen(tcp, int(port), int(std::clamp<int64_t>(backlog, 0, 65535)));
    return fd < 0 ? nil_value() : make_stream(fd, STREAM_SOCKET, 0);
}

Value stream_accept(Value* args, int) {
    int listener = socket_arg(args[0]);
    int fd = listener < 0 ? -1 : net_accept(listener);
    return fd < 0 ? nil_value() : make_stream(fd, STREAM_SOCKET, 0);
}

Value stream_set_timeout(Value* args, int argc) {
    int fd = socket_arg(args[0]);
    int64_t receive = is_nil(args[1]) ? 0 : std::clamp<int64_t>(value_to_int(args[1]), 0, INT32_MAX);
    int64_t send = argc > 2 && !is_nil(args[2]) ? std::clamp<int64_t>(value_to_int(args[2]), 0, INT32_MAX) : receive;
    return make_bool(fd >= 0 && net_set_timeouts(fd, long(receive), long(send)));
}

Value stream_set_no_delay(Value* args, int) {
    int fd = socket_arg(args[0]);
    return make_bool(fd >= 0 && net_set_no_delay(fd, value_truthy(args[1])));
}

Value stream_set_keep_alive(Value* args, int) {
    int fd = socket_arg(args[0]);
    return make_bool(fd >= 0 && net_set_keep_alive(fd, value_truthy(args[1])));
}

Value stream_shutdown(Value* args, int) {
    int fd = socket_arg(args[0]);
    std::string_view how = text_of(args[1]);
    int mode = how.size() > 1 ? 2 : how == "r" ? 0 : 1;
    return make_bool(fd >= 0 && net_shutdown(fd, mode));
}

Value address_of(Value stream, bool peer) {
    int fd = socket_arg(stream);
    std::string text;
    if (fd < 0 || !net_address(fd, peer, &text)) return nil_value();
    return make_string_bytes(text.data(), text.size());
}

Value stream_peer_addr(Value* args, int) { return address_of(args[0], true); }
Value stream_local_addr(Value* args, int) { return address_of(args[0], false); }

// Takes an operation entry for the current fiber, holding the stream, and parks
// the fiber in WaitIO before arming (an arm that ends at once delivers at once).
// Null after raising (a non-stream, or all 512 entries taken).
IoOp* begin_operation(Value stream) {
    if (!stream_arg(stream)) return nullptr;
    IoOp* op = io_op_allocate(g_current_fiber);
    if (!op) return nullptr;
    retain(stream);
    op->owner = stream;
    if (g_current_fiber) g_current_fiber->status = STATUS_WAIT_IO;
    return op;
}

// After an arm: a failed one raised and released its entry; the fiber runs on.
void end_arm(bool armed) {
    if (!armed && g_current_fiber) g_current_fiber->status = STATUS_RUNNING;
}

Value stream_read_async(Value* args, int argc) {
    IoOp* op = begin_operation(args[0]);
    if (!op) return nil_value();
    ObjHeader* s = as_obj(args[0]);
    int64_t count = argc > 1 && !is_nil(args[1]) ? value_to_int(args[1]) : 0;
    Value callback = argc > 3 && !is_nil(args[3]) ? args[3] : kAbsent;
    end_arm(io_op_arm_read(op, stream_fd(s), stream_kind(s), count, timeout_arg(args, argc, 2), callback));
    return nil_value();
}

Value stream_write_async(Value* args, int argc) {
    IoOp* op = begin_operation(args[0]);
    if (!op) return nil_value();
    ObjHeader* s = as_obj(args[0]);
    // Anything but a string or block is no source: the operation ends with outcome 6.
    Value data = argc > 1 ? args[1] : kAbsent;
    uint64_t length = 0;
    if (is_ref_of(data, T_STRING)) length = string_length(as_obj(data));
    else if (is_ref_of(data, T_BLOCK)) length = uint64_t(as_obj(data)->aux) * (as_obj(data)->b & 0xFF);
    else data = nil_value();
    end_arm(io_op_arm_write(op, stream_fd(s), stream_kind(s), data, nullptr, length, timeout_arg(args, argc, 2),
                            kAbsent));
    return nil_value();
}

// Parks the caller at once; it resumes with true, or nil and the outcome.
Value stream_wait_readable(Value* args, int argc) {
    FiberRecord* f = g_current_fiber;
    if (!f) return nil_value();  // nothing to park: there is no one to resume
    IoOp* op = begin_operation(args[0]);
    if (!op) return nil_value();
    ObjHeader* s = as_obj(args[0]);
    bool armed = io_op_arm_readable(op, stream_fd(s), stream_kind(s), timeout_arg(args, argc, 1), kAbsent);
    end_arm(armed);
    if (!armed) return nil_value();
    f->flags |= FIBER_SWITCH;
    return kAbsent;
}

Value stream_last_error(Value*, int) { return make_int(g_current_fiber ? g_current_fiber->io_outcome : 0); }

constexpr Signature kConnect{T_STREAM | T_NIL, {T_STRING, T_STRING, T_INT}};
constexpr Signature kListen{T_STREAM | T_NIL, {T_STRING, T_INT, T_INT}};
constexpr Signature kStreamToStream{T_STREAM | T_NIL, {T_STREAM}};
constexpr Signature kSetTimeout{T_BOOL, {T_STREAM, T_INT, T_INT}};
constexpr Signature kStreamFlag{T_BOOL, {T_STREAM, T_ANY}};
constexpr Signature kShutdown{T_BOOL, {T_STREAM, T_STRING}};
constexpr Signature kStreamToText{T_STRING | T_NIL, {T_STREAM}};
constexpr Signature kReadAsync{T_BLOCK | T_NIL, {T_STREAM, T_INT, T_INT, T_CALLABLE}};
constexpr Signature kWriteAsync{T_INT | T_NIL, {T_STREAM, T_STRING | T_BLOCK, T_INT}};
constexpr Signature kWaitReadable{T_BOOL | T_NIL, {T_STREAM, T_INT}};
constexpr Signature kNoneToInt{T_INT, {}};

constexpr BuiltinNative kStreamNetNatives[] = {
    {"Connect", stream_connect, &kConnect},
    {"ConnectAsync", stream_connect_async, &kConnect},
    {"ReadAsync", stream_read_async, &kReadAsync},
    {"WriteAsync", stream_write_async, &kWriteAsync},
    {"Listen", stream_listen, &kListen},
    {"Accept", stream_accept, &kStreamToStream},
    {"SetTimeout", stream_set_timeout, &kSetTimeout},
    {"WaitReadable", stream_wait_readable, &kWaitReadable},
    {"Shutdown", stream_shutdown, &kShutdown},
    {"PeerAddr", stream_peer_addr, &kStreamToText},
    {"LocalAddr", stream_local_addr, &kStreamToText},
    {"SetNoDelay", stream_set_no_delay, &kStreamFlag},
    {"SetKeepAlive", stream_set_keep_alive, &kStreamFlag},
    {"LastError", stream_last_error, &kNoneToInt},
};

}  // namespace

void stream_net_register_natives() { builtin_register_module("Stream", kStreamNetNatives); }

}  // namespace tarvik
