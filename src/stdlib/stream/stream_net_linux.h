// stdlib/stream/stream_net_linux.h: the socket calls behind the networking Stream
// members. Descriptors are created close-on-exec; -1 / false report failure.
#pragma once

#include <string>

namespace tarvik {

// getaddrinfo on host and port, then socket + connect on each address in turn;
// the first that connects (blocking).
int net_connect(const char* host, int port, bool tcp);
// A non-blocking listener on every address: IPv6 dual-stack, else IPv4. Port 0
// takes a free port (LocalAddr tells which).
int net_listen(bool tcp, int port, int backlog);
// A pending connection, or -1 (none pending, or an error).
int net_accept(int listener);
bool net_set_timeouts(int fd, long receive_ms, long send_ms);
bool net_set_no_delay(int fd, bool on);
bool net_set_keep_alive(int fd, bool on);
// how: 0 receive, 1 send, 2 both.
bool net_shutdown(int fd, int how);
// "[host]:port" for IPv6, "host:port" otherwise, numeric; false on failure.
bool net_address(int fd, bool peer, std::string* out);

}  // namespace tarvik
