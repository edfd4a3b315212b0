// stdlib/file/file_io_linux.h: whole-file operations on the system's descriptors.
// Each returns 0 on success or an errno value; every descriptor it opens is closed
// on every path, and partial outputs are removed where the operation created them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/stat.h>

namespace tarvik {

constexpr size_t kMaxWholeFileBytes = 0x10000000;  // larger files are not read whole

// Reads a regular file whole; EFBIG past kMaxWholeFileBytes.
int file_read_whole(const std::string& path, std::string* out);
// Writes the bytes, replacing the file's content or appending to it.
int file_write_whole(const std::string& path, const void* data, size_t size, bool append);
// Writes a temporary file beside the path, flushes it to the device and renames it
// over the path; the temporary is removed on failure. ENAMETOOLONG when the
// directory part is longer than 4077 characters.
int file_write_atomic(const std::string& path, const void* data, size_t size);
// Copies a regular file's bytes and permission bits; copying a file onto itself is
// refused (EINVAL) because opening the destination would empty the source.
int file_copy(const std::string& source, const std::string& destination);
// Renames, falling back to copy-and-delete across file systems.
int file_move(const std::string& source, const std::string& destination);
// Creates the file when missing and sets both its times to now.
int file_touch(const std::string& path);
// Sets the modification time (seconds), keeping the access time.
int file_set_modified(const std::string& path, int64_t seconds);
// SHA-256 of the file's bytes, read in pieces (no size limit).
int file_sha256(const std::string& path, uint8_t digest[32]);
int file_read_link(const std::string& path, std::string* out);
// Creation time where the file system records it, else the status-change time.
int64_t file_birth_time(const std::string& path, const struct stat& fallback);

}  // namespace tarvik
