// stdlib/stream/tracked_files.cpp: the tracked FILE table (slots, a next-slot hint
// and a count).
#include "stdlib/stream/tracked_files.h"

#include <cerrno>
#include <mutex>
#include <string>

#include "runtime/console.h"
#include "runtime/errors.h"

namespace tarvik {

namespace {

std::mutex g_lock;
std::FILE* g_slots[kTrackedFileSlots];  // null: free
int g_count = 0;
int g_hint = 0;

}  // namespace

std::FILE* tracked_open(const char* path, const char* mode) {
    {
        std::lock_guard<std::mutex> hold(g_lock);
        if (g_count >= kTrackedFileSlots) {
            errno = EMFILE;
            raise_error(ERR_IO);
            return nullptr;
        }
    }
    // "e": the descriptor must not survive into programs the script starts.
    std::string flags = std::string(mode) + "e";
    std::FILE* file = std::fopen(path, flags.c_str());
    if (!file) return nullptr;
    std::lock_guard<std::mutex> hold(g_lock);
    int slot = -1;
    if (!g_slots[g_hint]) {
        slot = g_hint;
        g_hint = (g_hint + 1) % kTrackedFileSlots;
    } else {
        for (int i = 0; i < kTrackedFileSlots && slot < 0; ++i)
            if (!g_slots[i]) slot = i;
    }
    if (slot < 0) {  // another thread filled the table meanwhile
        std::fclose(file);
        errno = EMFILE;
        raise_error(ERR_IO);
        return nullptr;
    }
    g_slots[slot] = file;
    ++g_count;
    return file;
}

int tracked_close(std::FILE* file) {
    if (!file) return EOF;
    bool found = false;
    {
        std::lock_guard<std::mutex> hold(g_lock);
        for (int i = 0; i < kTrackedFileSlots; ++i) {
            if (g_slots[i] != file) continue;
            g_slots[i] = nullptr;
            --g_count;
            g_hint = i;
            found = true;
            break;
        }
    }
    if (!found) print_error("Closing untracked file pointer\n");
    return std::fclose(file);
}

int tracked_count() {
    std::lock_guard<std::mutex> hold(g_lock);
    return g_count;
}

int tracked_close_all() {
    int closed = 0;
    {
        std::lock_guard<std::mutex> hold(g_lock);
        for (std::FILE*& file : g_slots) {
            if (!file) continue;
            std::fclose(file);
            file = nullptr;
            ++closed;
        }
        g_count = 0;
        g_hint = 0;
    }
    if (closed > 0) print_warning("Warning: Force-closed %d leaked file(s)\n", closed);
    return closed;
}

}  // namespace tarvik
