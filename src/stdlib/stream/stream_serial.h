// stdlib/stream/stream_serial.h: serial ports. A port name maps to a device path:
// "/dev/..." (any absolute path) is kept, the "\\.\" prefix is dropped, and any
// other name becomes "/dev/<name>" (e.g. ttyUSB0).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvik {

constexpr size_t kSerialDeviceMax = 63;

// The device path of a port name; empty when longer than kSerialDeviceMax.
std::string serial_device_path(const std::string& port);
// Opens the device raw with the baud rate and a checked format ("8N1" and the
// like); the descriptor, or -1 on any failure (nothing left open).
int serial_open(const std::string& device, int64_t baud, const char format[3]);

}  // namespace tarvik
