// stdlib/file/filewatch_linux.cpp: FileWatch on inotify.
#include "stdlib/file/filewatch_linux.h"

#include <cerrno>
#include <dirent.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvik {

namespace {

// A subtree watch stops adding directories here: a watch on a huge tree would
// otherwise stall the VM thread and use up the user's inotify watches.
constexpr size_t kMaxTreeDirs = 4096;
constexpr int kReadsPerPoll = 16;  // keeps a flood of changes from starving fibers
constexpr uint32_t kNameChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;

uint32_t inotify_mask(uint32_t filter, bool subtree) {
    uint32_t mask = IN_EXCL_UNLINK;
    if (filter & (kWatchFileName | kWatchDirName)) mask |= kNameChanges;
    if (filter & (kWatchSize | kWatchLastWrite)) mask |= IN_MODIFY;
    if (filter & kWatchAttributes) mask |= IN_ATTRIB;
    if (subtree) mask |= IN_CREATE | IN_MOVED_FROM | IN_MOVED_TO;  // to follow the tree itself
    return mask;
}

std::string join(const std::string& base, const char* name) { return base.empty() ? name : base + "/" + name; }
std::string full_path(const DirWatch* w, const std::string& rel) { return rel.empty() ? w->root : w->root + "/" + rel; }

bool is_real_directory(const std::string& path, const dirent* entry) {
    if (entry->d_type != DT_UNKNOWN) return entry->d_type == DT_DIR;
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Watches the directory `rel` and every directory below it (links below the root
// are not followed). With `found`, also lists what the new directories already
// hold: they were created after the watch began, and inotify saw none of it.
// Answers the errno of a failure to watch `rel` itself.
int add_tree(DirWatch* w, const std::string& rel, std::vector<WatchNotice>* found) {
    std::vector<std::string> pending{rel};
    uint32_t mask = inotify_mask(w->filter, w->subtree) | IN_ONLYDIR;
    while (!pending.empty() && w->dirs.size() < kMaxTreeDirs) {
        std::string dir = std::move(pending.back());
        pending.pop_back();
        std::string path = full_path(w, dir);
        int wd = ::inotify_add_watch(w->fd, path.c_str(), dir.empty() ? mask : mask | IN_DONT_FOLLOW);
        if (wd < 0) {
            if (dir == rel) return errno;
            continue;
        }
        w->dirs[wd] = dir;
        DIR* listing = w->subtree ? ::opendir(path.c_str()) : nullptr;
        if (!listing) continue;
        while (const dirent* entry = ::readdir(listing)) {
            std::string name = entry->d_name;
            if (name == "." || name == "..") continue;
            std::string child = join(dir, entry->d_name);
            bool is_dir = is_real_directory(path + "/" + name, entry);
            if (found && (w->filter & (is_dir ? kWatchDirName : kWatchFileName)))
                found->push_back(WatchNotice{WatchAction::Create, child});
            if (is_dir) pending.push_back(child);
        }
        ::closedir(listing);
    }
    return 0;
}

// Drops the watches of the directory `rel` and of everything below it (moved out).
void remove_tree(DirWatch* w, const std::string& rel) {
    std::string prefix = rel + "/";
    for (auto it = w->dirs.begin(); it != w->dirs.end();) {
        if (it->second == rel || it->second.compare(0, prefix.size(), prefix) == 0) {
            ::inotify_rm_watch(w->fd, it->first);
            it = w->dirs.erase(it);
        } else {
            ++it;
        }
    }
}

void handle(DirWatch* w, const inotify_event* ev, std::vector<WatchNotice>* out) {
    if (ev->mask & IN_Q_OVERFLOW) {
        out->push_back(WatchNotice{WatchAction::Unknown, ""});  // changes were lost
        // Directories created meanwhile went unseen: walk the tree again (a watch
        // already there keeps its descriptor).
        if (w->subtree) add_tree(w, "", nullptr);
        return;
    }
    auto dir = w->dirs.find(ev->wd);
    if (dir == w->dirs.end()) return;  // a directory dropped meanwhile
    if (ev->mask & IN_IGNORED) {
        w->dirs.erase(dir);
        return;
    }
    if (ev->len == 0 || ev->name[0] == '\0') return;  // about the directory itself: its parent reports it
    std::string name = join(dir->second, ev->name);
    bool is_dir = (ev->mask & IN_ISDIR) != 0;
    uint32_t name_bit = is_dir ? kWatchDirName : kWatchFileName;
    bool report = false;
    WatchAction action = WatchAction::Unknown;
    if (ev->mask & IN_CREATE) {
        action = WatchAction::Create;
        report = w->filter & name_bit;
    } else if (ev->mask & IN_DELETE) {
        action = WatchAction::Delete;
        report = w->filter & name_bit;
    } else if (ev->mask & (IN_MOVED_FROM | IN_MOVED_TO)) {
        action = WatchAction::Rename;
        report = w->filter & name_bit;
    } else if (ev->mask & IN_MODIFY) {
        action = WatchAction::Modify;
        report = w->filter & (kWatchSize | kWatchLastWrite);
    } else if (ev->mask & IN_ATTRIB) {
        action = WatchAction::Modify;
        report = w->filter & kWatchAttributes;
    }
    if (report) out->push_back(WatchNotice{action, name});
    if (!w->subtree || !is_dir) return;
    if (ev->mask & IN_MOVED_FROM) remove_tree(w, name);
    if (ev->mask & IN_MOVED_TO) add_tree(w, name, nullptr);
    if (ev->mask & IN_CREATE) add_tree(w, name, out);
}

}  // namespace

int dirwatch_open(DirWatch* w, const std::string& dir, uint32_t filter, bool subtree) {
    w->fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (w->fd < 0) return errno;
    w->filter = filter;
    w->subtree = subtree;
    w->root = dir;
    int error = add_tree(w, "", nullptr);
    if (error) dirwatch_close(w);
    return error;
}

void dirwatch_close(DirWatch* w) {
    if (w->fd >= 0) ::close(w->fd);
    w->fd = -1;
    w->dirs.clear();
}

void dirwatch_read(DirWatch* w, std::vector<WatchNotice>* out) {
    alignas(inotify_event) char buffer[4096 + sizeof(inotify_event) + NAME_MAX + 1];
    for (int i = 0; i < kReadsPerPoll && w->fd >= 0; ++i) {
        ssize_t got = ::read(w->fd, buffer, sizeof buffer);
        if (got <= 0) return;  // EAGAIN: nothing more for now
        for (ssize_t at = 0; at + ssize_t(sizeof(inotify_event)) <= got;) {
            const auto* ev = reinterpret_cast<const inotify_event*>(buffer + at);
            handle(w, ev, out);
            at += ssize_t(sizeof(inotify_event) + ev->len);
        }
    }
}

}  // namespace tarvik
