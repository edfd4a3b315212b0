// stdlib/stream/stream_serial_linux.cpp: opening a serial port with termios.
#include "stdlib/stream/stream_serial.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "stdlib/file/fs_linux.h"

namespace tarvik {

std::string serial_device_path(const std::string& port) {
    static const char kWindowsPrefix[] = "\\\\.\\";
    std::string name = port.rfind(kWindowsPrefix, 0) == 0 ? port.substr(4) : port;
    std::string device = !name.empty() && name[0] == '/' ? name : "/dev/" + name;
    // A longer name is refused rather than cut, which could name another device.
    return device.size() > kSerialDeviceMax ? std::string() : device;
}

int serial_open(const std::string& device, int64_t baud, const char format[3]) {
    if (device.empty() || baud <= 0 || baud > INT32_MAX) return -1;
    // Non-blocking while opening: a port without carrier would otherwise hang here.
    ScopedFd port(::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (port.fd < 0) return -1;
    struct termios tio;
    if (::tcgetattr(port.fd, &tio) != 0) return -1;
    // No sharing: a second opener gets EBUSY.
    if (::ioctl(port.fd, TIOCEXCL) != 0) return -1;
    ::cfmakeraw(&tio);
    if (::cfsetspeed(&tio, speed_t(baud)) != 0) return -1;
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    tio.c_cflag |= CLOCAL | CREAD | (format[0] == '7' ? CS7 : CS8);
    if (format[1] != 'N') tio.c_cflag |= PARENB | (format[1] == 'O' ? PARODD : 0);
    if (format[2] == '2') tio.c_cflag |= CSTOPB;
    // A read returns what arrived, or nothing once 0.1 s pass without a byte (the
    // nearest termios offers to a 50 ms interval time-out).
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 1;
    if (::tcsetattr(port.fd, TCSANOW, &tio) != 0) return -1;
    int flags = ::fcntl(port.fd, F_GETFL);
    if (flags < 0 || ::fcntl(port.fd, F_SETFL, flags & ~O_NONBLOCK) != 0) return -1;
    int fd = port.fd;
    port.fd = -1;
    return fd;
}

}  // namespace tarvik
