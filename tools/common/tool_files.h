// tools/common/tool_files.h: whole-file reads and writes and the secret-key text the
// tools share with the VM's --sign option.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvik::tools {

// Reads a whole file ("-" is standard input). False with a message on failure.
bool read_whole_file(const std::string& path, std::vector<uint8_t>& out, std::string& error);

// Writes bytes to path ("-" is standard output), replacing it. `mode` applies when
// the file is created.
bool write_whole_file(const std::string& path, const uint8_t* data, size_t size, std::string& error,
                      unsigned mode = 0644);

// Reads a secret key as the VM does: the contents of KEY when it names a readable
// file (trailing white space removed), else KEY itself; it must be 128 hex digits
// (seed || public key). False with a message otherwise.
bool read_secret_key(const std::string& key, uint8_t secret_out[64], std::string& error);

// Appends the 24-byte embed trailer for a package of `package_size` bytes that
// starts at `package_offset` of the executable.
void append_embed_trailer(std::vector<uint8_t>& out, uint64_t package_offset, uint64_t package_size);

}  // namespace tarvik::tools
