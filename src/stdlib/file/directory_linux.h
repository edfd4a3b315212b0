// stdlib/file/directory_linux.h: directory listing, trees and globbing for the
// Directory module. Functions return 0 or an errno value.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

enum class EntryKind { File, Directory, Other };
struct DirEntry {
    std::string name;
    EntryKind kind;  // symbolic links count as what they point to
};

// Entries without "." and "..", sorted by name so listings are repeatable.
int dir_list(const std::string& path, std::vector<DirEntry>* out);
// Creates the directory and any missing parents; an existing directory is fine.
int dir_ensure(const std::string& path);
// Removes a tree; symbolic links are removed, never followed.
int dir_delete_all(const std::string& path);
// Copies a tree into destination (created when missing). A destination inside the
// source is skipped rather than copied into itself.
int dir_copy(const std::string& source, const std::string& destination);
// Renames, falling back to copy-and-delete across file systems.
int dir_move(const std::string& source, const std::string& destination);
// "*" matches any run of characters, "?" any one; everything else itself.
bool dir_wildcard_match(std::string_view pattern, std::string_view name);
// Paths matching a "/"-separated pattern whose components may hold wildcards.
std::vector<std::string> dir_glob(std::string_view pattern);

}  // namespace tarvik
