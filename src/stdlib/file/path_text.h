// stdlib/file/path_text.h: the pure text rules of the Path module. Paths accept "/"
// and "\" as separators and come out with "/"; no function here touches the disk
// except path_full / path_resolve, which read the current directory they are given.
#pragma once

#include <string>
#include <string_view>

namespace tarvik {

// The text with every "\" turned into "/".
std::string path_slashes(std::string_view path);
// Normalize: "/" separators, runs of "/" collapsed, "." components dropped; ".."
// kept. A non-empty path that would come out empty gives "." instead.
std::string path_normalize(std::string_view path);
// Absolute form: the path itself when rooted, else "<cwd>/<path>" (cwd for "").
std::string path_full(std::string_view path, std::string_view cwd);
// path_full, then "." dropped and ".." resolved against the previous component
// (".." above the root stays at the root); no trailing "/" except for the root.
std::string path_resolve(std::string_view path, std::string_view cwd);
// The way from `from` to `to` (both resolved against cwd): "../" per component of
// `from` past the common prefix, then the rest of `to`; "." when they are equal.
std::string path_relative(std::string_view from, std::string_view to, std::string_view cwd);

bool path_is_absolute(std::string_view path);
std::string path_root(std::string_view path);        // "/" or ""
std::string path_file_name(std::string_view path);   // after the last separator
std::string path_directory(std::string_view path);   // before the last separator
// ".ext" of the last component; "" for none, for a trailing dot, and for a name
// whose only dot leads it (".profile"), "." or "..".
std::string path_extension(std::string_view path);
std::string path_stem(std::string_view path);  // file name without its extension
// Replaces (or adds) the extension; an empty `extension` removes it; a missing
// leading dot is added. A path without a file name is returned unchanged.
std::string path_change_extension(std::string_view path, std::string_view extension);

}  // namespace tarvik
