// sched/io_wake_linux.h: the pool's wake-up socket pair (a worker sends one byte
// after posting a completion; the VM thread waits on the other end) and the
// processor count.
#pragma once

namespace tarvik {

struct IoWake {
    int receive_fd = -1;  // non-blocking
    int send_fd = -1;
};

// Opens the pair; without it the VM thread falls back to short sleeps.
bool io_wake_open(IoWake* wake);
void io_wake_close(IoWake* wake);
void io_wake_signal(IoWake* wake);
// Waits up to timeout_ms for a signal (a short sleep without the pair).
void io_wake_wait(IoWake* wake, int timeout_ms);
// Reads away every signal waiting.
void io_wake_clear(IoWake* wake);
long io_processor_count();
// Blocks every signal in the calling worker thread: control signals belong to the
// signal thread, whatever the order of start-up.
void io_worker_block_signals();

}  // namespace tarvik
