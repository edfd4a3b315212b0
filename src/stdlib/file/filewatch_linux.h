// stdlib/file/filewatch_linux.h: directory change notification on inotify for the
// FileWatch module. inotify watches one directory at a time, so a subtree watch
// keeps one watch per directory and adds those created (or moved in) later.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace tarvik {

// What a watch reports, in the words of the script's filter.
enum : uint32_t {
    kWatchFileName = 0x01,   // files created, deleted, renamed
    kWatchDirName = 0x02,    // directories created, deleted, renamed
    kWatchAttributes = 0x04, // attribute (mode, owner, times) changes
    kWatchSize = 0x08,       // content changes
    kWatchLastWrite = 0x10,  // content changes
    kWatchCreation = 0x40,   // creation-time changes: Linux has none to report
};

enum class WatchAction { Create, Delete, Modify, Rename, Unknown };

struct WatchNotice {
    WatchAction action;
    std::string name;  // relative to the watched directory, "/"-separated
};

struct DirWatch {
    int fd = -1;  // non-blocking inotify instance, one per watch
    uint32_t filter = 0;
    bool subtree = false;
    std::string root;
    std::unordered_map<int, std::string> dirs;  // watch descriptor -> relative path ("" = root)
};

// Starts watching `dir` (and, with `subtree`, every directory below it); an errno
// value on failure, 0 on success.
int dirwatch_open(DirWatch* w, const std::string& dir, uint32_t filter, bool subtree);
// Closes the descriptor (and so every watch on it); harmless when not open.
void dirwatch_close(DirWatch* w);
// Appends what happened since the last read; never blocks.
void dirwatch_read(DirWatch* w, std::vector<WatchNotice>* out);

}  // namespace tarvik
