// stdlib/stream/tracked_files.h: the table of open FILE handles that whole-file
// operations use, so that a leaked handle is counted and closed at exit. Safe to use
// from the I/O workers: one mutex guards the table.
#pragma once

#include <cstdio>

namespace tarvik {

constexpr int kTrackedFileSlots = 1000;

// fopen (close-on-exec) and records the handle; null when fopen fails or, after
// raising error 5, when all slots are in use.
std::FILE* tracked_open(const char* path, const char* mode);
// fclose and forgets the handle; an unknown handle gets the error line and is
// closed anyway. Returns fclose's result.
int tracked_close(std::FILE* file);
// Number of handles open now.
int tracked_count();
// Closes every handle still open, warns when there were any, resets the table.
// Returns how many were closed. Called at VM exit.
int tracked_close_all();

// Closes its handle (through the table) when it goes out of scope.
struct TrackedFile {
    explicit TrackedFile(std::FILE* f) : file(f) {}
    ~TrackedFile() {
        if (file) tracked_close(file);
    }
    TrackedFile(const TrackedFile&) = delete;
    TrackedFile& operator=(const TrackedFile&) = delete;
    // Closes now; false when fclose fails (write errors may show here).
    bool close_checked() {
        std::FILE* f = file;
        file = nullptr;
        return !f || tracked_close(f) == 0;
    }
    std::FILE* file;
};

}  // namespace tarvik
