// runtime/exit_audit_linux.cpp: the exit audit on /proc/self/fd and /proc/self/task.
#include "runtime/exit_audit.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace tarvik {

namespace {

bool g_on = false;
std::vector<int> g_fds;      // open at start
std::vector<int> g_threads;  // running at start

// The numeric entries of a /proc directory, without the descriptor that reads it.
std::vector<int> numbers_in(const char* path) {
    std::vector<int> out;
    DIR* dir = ::opendir(path);
    if (!dir) return out;
    int own = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        char* end = nullptr;
        long n = std::strtol(entry->d_name, &end, 10);
        if (end != entry->d_name && *end == '\0' && n != own) out.push_back(int(n));
    }
    ::closedir(dir);
    std::sort(out.begin(), out.end());
    return out;
}

bool contains(const std::vector<int>& set, int n) { return std::binary_search(set.begin(), set.end(), n); }

std::string describe_fd(int fd) {
    char link[64], target[512];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    ssize_t n = ::readlink(link, target, sizeof target - 1);
    return n < 0 ? "?" : std::string(target, size_t(n));
}

std::string thread_name(int tid) {
    char path[64], name[64] = "?";
    std::snprintf(path, sizeof path, "/proc/self/task/%d/comm", tid);
    if (FILE* f = std::fopen(path, "r")) {
        if (std::fgets(name, sizeof name, f)) name[std::strcspn(name, "\n")] = '\0';
        std::fclose(f);
    }
    return name;
}

}  // namespace

void exit_audit_begin() {
    const char* setting = std::getenv("TARVIK_EXIT_AUDIT");
    g_on = setting && std::strcmp(setting, "1") == 0;
    if (!g_on) return;
    g_fds = numbers_in("/proc/self/fd");
    g_threads = numbers_in("/proc/self/task");
}

int exit_audit_end() {
    if (!g_on) return 0;
    int left = 0;
    for (int fd : numbers_in("/proc/self/fd")) {
        if (contains(g_fds, fd)) continue;
        std::fprintf(stderr, "Exit audit: descriptor %d left open (%s)\n", fd, describe_fd(fd).c_str());
        ++left;
    }
    // Read before thread_name opens its file, so that file is not counted.
    for (int tid : numbers_in("/proc/self/task")) {
        if (contains(g_threads, tid)) continue;
        std::fprintf(stderr, "Exit audit: thread %d left running (%s)\n", tid, thread_name(tid).c_str());
        ++left;
    }
    std::fflush(stderr);
    return left;
}

}  // namespace tarvik
