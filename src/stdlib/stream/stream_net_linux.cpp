// stdlib/stream/stream_net_linux.cpp: socket calls of the networking Stream members.
#include "stdlib/stream/stream_net_linux.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarvik {

namespace {

int connect_address(const addrinfo* a) {
    int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) return -1;
    int r;
    do {
        r = ::connect(fd, a->ai_addr, a->ai_addrlen);
    } while (r != 0 && errno == EINTR);
    if (r == 0) return fd;
    ::close(fd);
    return -1;
}

bool set_int_option(int fd, int level, int option, int value) {
    return ::setsockopt(fd, level, option, &value, sizeof value) == 0;
}

int bound_socket(int family, bool tcp, int port) {
    int fd = ::socket(family, (tcp ? SOCK_STREAM : SOCK_DGRAM) | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    set_int_option(fd, SOL_SOCKET, SO_REUSEADDR, 1);
    int r;
    if (family == AF_INET6) {
        set_int_option(fd, IPPROTO_IPV6, IPV6_V6ONLY, 0);
        sockaddr_in6 address{};
        address.sin6_family = AF_INET6;
        address.sin6_addr = in6addr_any;
        address.sin6_port = htons(uint16_t(port));
        r = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    } else {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_ANY);
        address.sin_port = htons(uint16_t(port));
        r = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    if (r == 0) return fd;
    ::close(fd);
    return -1;
}

}  // namespace

int net_connect(const char* host, int port, bool tcp) {
    char service[16];
    std::snprintf(service, sizeof service, "%d", port);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = tcp ? SOCK_STREAM : SOCK_DGRAM;
    addrinfo* list = nullptr;
    if (::getaddrinfo(host, service, &hints, &list) != 0) return -1;
    int fd = -1;
    for (const addrinfo* a = list; a && fd < 0; a = a->ai_next) fd = connect_address(a);
    ::freeaddrinfo(list);
    return fd;
}

int net_listen(bool tcp, int port, int backlog) {
    int fd = bound_socket(AF_INET6, tcp, port);
    if (fd < 0) fd = bound_socket(AF_INET, tcp, port);
    if (fd < 0) return -1;
    if ((tcp && ::listen(fd, backlog) != 0) || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int net_accept(int listener) {
    int fd;
    do {
        fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool net_set_timeouts(int fd, long receive_ms, long send_ms) {
    timeval receive{receive_ms / 1000, (receive_ms % 1000) * 1000};
    timeval send{send_ms / 1000, (send_ms % 1000) * 1000};
    return ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &receive, sizeof receive) == 0 &&
           ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &send, sizeof send) == 0;
}

bool net_set_no_delay(int fd, bool on) { return set_int_option(fd, IPPROTO_TCP, TCP_NODELAY, on ? 1 : 0); }
bool net_set_keep_alive(int fd, bool on) { return set_int_option(fd, SOL_SOCKET, SO_KEEPALIVE, on ? 1 : 0); }

bool net_shutdown(int fd, int how) {
    static const int kHow[] = {SHUT_RD, SHUT_WR, SHUT_RDWR};
    return ::shutdown(fd, kHow[how]) == 0;
}

bool net_address(int fd, bool peer, std::string* out) {
    sockaddr_storage address{};
    socklen_t size = sizeof address;
    sockaddr* a = reinterpret_cast<sockaddr*>(&address);
    if ((peer ? ::getpeername(fd, a, &size) : ::getsockname(fd, a, &size)) != 0) return false;
    char host[NI_MAXHOST], service[NI_MAXSERV];
    if (::getnameinfo(a, size, host, sizeof host, service, sizeof service, NI_NUMERICHOST | NI_NUMERICSERV) != 0)
        return false;
    *out = address.ss_family == AF_INET6 ? "[" + std::string(host) + "]:" + service : std::string(host) + ":" + service;
    return true;
}

}  // namespace tarvik
