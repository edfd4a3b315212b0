// stdlib/file/directory_linux.cpp: listings, recursive create/remove/copy and glob.
#include "stdlib/file/directory_linux.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include "stdlib/file/file_io_linux.h"

namespace tarvik {

namespace {

// Closes a directory stream on every path.
struct ScopedDir {
    explicit ScopedDir(DIR* d) : dir(d) {}
    ~ScopedDir() {
        if (dir) ::closedir(dir);
    }
    ScopedDir(const ScopedDir&) = delete;
    ScopedDir& operator=(const ScopedDir&) = delete;
    DIR* dir;
};

std::string child_of(const std::string& parent, const std::string& name) {
    if (parent.empty() || parent == ".") return name;
    return parent.back() == '/' ? parent + name : parent + "/" + name;
}

int error_or_eio() { return errno ? errno : EIO; }

// Entries as they are (links not followed), for the tree walks.
int list_raw(const std::string& path, std::vector<std::string>* names) {
    ScopedDir dir(::opendir(path.c_str()));
    if (!dir.dir) return error_or_eio();
    errno = 0;
    while (struct dirent* entry = ::readdir(dir.dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names->push_back(std::move(name));
        errno = 0;
    }
    return errno;
}

int copy_tree(const std::string& source, const std::string& destination, dev_t skip_dev, ino_t skip_ino) {
    std::vector<std::string> names;
    if (int error = list_raw(source, &names)) return error;
    for (const std::string& name : names) {
        std::string from = child_of(source, name), to = child_of(destination, name);
        struct stat st;
        if (::lstat(from.c_str(), &st) != 0) return error_or_eio();
        if (st.st_dev == skip_dev && st.st_ino == skip_ino) continue;  // the copy itself
        int error = 0;
        if (S_ISLNK(st.st_mode)) {
            std::string target;
            error = file_read_link(from, &target);
            if (!error && ::symlink(target.c_str(), to.c_str()) != 0) error = error_or_eio();
        } else if (S_ISDIR(st.st_mode)) {
            if (::mkdir(to.c_str(), st.st_mode & 07777) != 0 && errno != EEXIST) error = error_or_eio();
            if (!error) error = copy_tree(from, to, skip_dev, skip_ino);
        } else if (S_ISREG(st.st_mode)) {
            error = file_copy(from, to);
        }  // sockets, fifos and devices are not copied
        if (error) return error;
    }
    return 0;
}

void glob_walk(const std::string& base, const std::vector<std::string_view>& parts, size_t index,
               std::vector<std::string>* out) {
    bool last = index + 1 == parts.size();
    std::string_view part = parts[index];
    auto visit = [&](const std::string& path) {
        struct stat st;
        if (::stat(path.c_str(), &st) != 0) return;
        if (last)
            out->push_back(path);
        else if (S_ISDIR(st.st_mode))
            glob_walk(path, parts, index + 1, out);
    };
    if (part.find_first_of("*?") == std::string_view::npos) {
        visit(child_of(base, std::string(part)));
        return;
    }
    std::vector<std::string> names;
    if (list_raw(base.empty() ? "." : base, &names) != 0) return;
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        // Hidden entries only match a component that asks for them.
        if (name[0] == '.' && part[0] != '.') continue;
        if (dir_wildcard_match(part, name)) visit(child_of(base, name));
    }
}

}  // namespace

int dir_list(const std::string& path, std::vector<DirEntry>* out) {
    std::vector<std::string> names;
    if (int error = list_raw(path, &names)) return error;
    std::sort(names.begin(), names.end());
    for (std::string& name : names) {
        struct stat st;
        EntryKind kind = EntryKind::Other;
        if (::stat(child_of(path, name).c_str(), &st) == 0)
            kind = S_ISDIR(st.st_mode) ? EntryKind::Directory : S_ISREG(st.st_mode) ? EntryKind::File : EntryKind::Other;
        out->push_back({std::move(name), kind});
    }
    return 0;
}

int dir_ensure(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
    size_t end = path.find_last_not_of('/');
    size_t separator = end == std::string::npos ? std::string::npos : path.rfind('/', end);
    if (separator != std::string::npos && separator > 0) {
        if (int error = dir_ensure(path.substr(0, separator))) return error;
    }
    if (::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST) return 0;
    return error_or_eio();
}

int dir_delete_all(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) return error_or_eio();
    if (!S_ISDIR(st.st_mode)) return ENOTDIR;
    std::vector<std::string> names;
    if (int error = list_raw(path, &names)) return error;
    for (const std::string& name : names) {
        std::string child = child_of(path, name);
        struct stat child_st;
        if (::lstat(child.c_str(), &child_st) != 0) return error_or_eio();
        int error = S_ISDIR(child_st.st_mode) ? dir_delete_all(child)
                                                : (::unlink(child.c_str()) == 0 ? 0 : error_or_eio());
        if (error) return error;
    }
    return ::rmdir(path.c_str()) == 0 ? 0 : error_or_eio();
}

int dir_copy(const std::string& source, const std::string& destination) {
    struct stat st, made;
    if (::stat(source.c_str(), &st) != 0) return error_or_eio();
    if (!S_ISDIR(st.st_mode)) return ENOTDIR;
    if (::mkdir(destination.c_str(), st.st_mode & 07777) != 0 && errno != EEXIST) return error_or_eio();
    if (::stat(destination.c_str(), &made) != 0) return error_or_eio();
    if (!S_ISDIR(made.st_mode)) return ENOTDIR;
    if (made.st_dev == st.st_dev && made.st_ino == st.st_ino) return EINVAL;  // onto itself
    return copy_tree(source, destination, made.st_dev, made.st_ino);
}

int dir_move(const std::string& source, const std::string& destination) {
    struct stat st;
    if (::stat(source.c_str(), &st) != 0) return error_or_eio();
    if (!S_ISDIR(st.st_mode)) return ENOTDIR;
    if (::rename(source.c_str(), destination.c_str()) == 0) return 0;
    if (errno != EXDEV) return error_or_eio();
    if (int error = dir_copy(source, destination)) return error;
    return dir_delete_all(source);
}

bool dir_wildcard_match(std::string_view pattern, std::string_view name) {
    // Iterative matching with one backtrack point: linear in practice, no recursion.
    size_t p = 0, n = 0, star = std::string_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::vector<std::string> dir_glob(std::string_view pattern) {
    std::string text(pattern);
    std::replace(text.begin(), text.end(), '\\', '/');
    std::vector<std::string_view> parts;
    std::string_view view(text);
    size_t start = 0;
    while (start < view.size()) {
        size_t end = view.find('/', start);
        if (end == std::string_view::npos) end = view.size();
        if (end > start) parts.push_back(view.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::string> out;
    if (parts.empty()) return out;
    glob_walk(text[0] == '/' ? "/" : "", parts, 0, &out);
    return out;
}

}  // namespace tarvik
