// stdlib/file/file_async.h: the asynchronous File members. Each copies its inputs
// into a job, submits it to the I/O pool for the calling fiber and returns nil; the
// fiber resumes with the result.
#pragma once

#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

// 64 hexadecimal digits of a SHA-256 digest, lower case unless `upper`.
Value file_hex_digest(const uint8_t digest[32], bool upper);

Value file_read_text_async(Value* args, int argc);
Value file_read_all_bytes_async(Value* args, int argc);
Value file_write_text_async(Value* args, int argc);
Value file_copy_async(Value* args, int argc);
Value file_sha256_async(Value* args, int argc);

}  // namespace tarvik
