// stdlib/file/file_async.cpp: the asynchronous File members on the I/O pool. The
// job owns copies of its paths and bytes; the worker touches nothing else, and the
// completion on the VM thread builds the value and frees the job.
#include "stdlib/file/file_async.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "runtime/block.h"
#include "runtime/value_ops.h"
#include "sched/io_pool.h"
#include "stdlib/file/file_io_linux.h"
#include "stdlib/file/file_values.h"

namespace tarvik {

namespace {

enum class FileJobKind { ReadText, ReadBytes, WriteText, Copy, Sha256 };

struct FileJob {
    FileJobKind kind;
    std::string path, destination, data;
    bool upper = false;
    int error = 0;
    uint8_t digest[32] = {};
};

void file_job_work(void* context, void** output) {
    FileJob* job = static_cast<FileJob*>(context);
    *output = job;
    if (job->error) return;  // refused inputs still answer through the fiber
    switch (job->kind) {
    case FileJobKind::ReadText:
    case FileJobKind::ReadBytes: job->error = file_read_whole(job->path, &job->data); break;
    case FileJobKind::WriteText:
        job->error = file_write_whole(job->path, job->data.data(), job->data.size(), false);
        break;
    case FileJobKind::Copy: job->error = file_copy(job->path, job->destination); break;
    case FileJobKind::Sha256: job->error = file_sha256(job->path, job->digest); break;
    }
}

Value hex_digest(const uint8_t digest[32], bool upper) {
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char hex[64];
    for (int i = 0; i < 32; ++i) {
        hex[2 * i] = digits[digest[i] >> 4];
        hex[2 * i + 1] = digits[digest[i] & 0xF];
    }
    return make_string_bytes(hex, sizeof hex);
}

Value file_job_complete(void* output) {
    FileJob* job = static_cast<FileJob*>(output);
    Value value = kAbsent;
    bool ok = job->error == 0;
    switch (job->kind) {
    case FileJobKind::ReadText:
        if (ok) value = make_string_bytes(job->data.data(), job->data.size());
        break;
    case FileJobKind::ReadBytes:
        if (ok) value = file_bytes_block(job->data.data(), job->data.size());
        break;
    case FileJobKind::WriteText:
    case FileJobKind::Copy: value = make_bool(ok); break;
    case FileJobKind::Sha256:
        if (ok) value = hex_digest(job->digest, job->upper);
        break;
    }
    delete job;
    return value;
}

// Submits the job. A refused input is submitted too, marked failed, so that the
// fiber awaiting the call resumes with nil or false like any other.
Value submit(FileJob* job, bool inputs_ok) {
    if (!inputs_ok) job->error = EINVAL;
    io_pool_submit(file_job_work, file_job_complete, job);
    return nil_value();
}

}  // namespace

Value file_hex_digest(const uint8_t digest[32], bool upper) { return hex_digest(digest, upper); }

Value file_read_text_async(Value* args, int) {
    std::string path;
    bool ok = file_path_arg(args[0], &path);
    return submit(new FileJob{FileJobKind::ReadText, std::move(path), {}, {}}, ok);
}

Value file_read_all_bytes_async(Value* args, int) {
    std::string path;
    bool ok = file_path_arg(args[0], &path);
    return submit(new FileJob{FileJobKind::ReadBytes, std::move(path), {}, {}}, ok);
}

Value file_write_text_async(Value* args, int) {
    std::string path;
    std::string_view text;
    bool ok = file_path_arg(args[0], &path) && file_text_arg(args[1], &text);
    return submit(new FileJob{FileJobKind::WriteText, std::move(path), {}, std::string(text)}, ok);
}

Value file_copy_async(Value* args, int) {
    std::string source, destination;
    bool ok = file_path_arg(args[0], &source) && file_path_arg(args[1], &destination);
    return submit(new FileJob{FileJobKind::Copy, std::move(source), std::move(destination), {}}, ok);
}

Value file_sha256_async(Value* args, int argc) {
    std::string path;
    bool ok = file_path_arg(args[0], &path);
    FileJob* job = new FileJob{FileJobKind::Sha256, std::move(path), {}, {}};
    job->upper = argc > 1 && value_truthy(args[1]);
    return submit(job, ok);
}

}  // namespace tarvik
