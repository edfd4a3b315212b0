// driver/package_source.h: where the package bytes come from besides a file: the
// tail of this executable, or standard input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvik {

// The package appended to this executable behind a "TVKEMBD1" trailer; false when
// there is none (every failure only means "no embedded package").
bool find_embedded_package(std::vector<uint8_t>* out);

// Reads standard input whole; ends the process with status 4 on its limits.
std::vector<uint8_t> read_package_from_stdin();

}  // namespace tarvik
