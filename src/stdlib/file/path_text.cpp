// stdlib/file/path_text.cpp: the pure text rules of the Path module.
#include "stdlib/file/path_text.h"

#include <vector>

namespace tarvik {

namespace {

bool is_separator(char c) { return c == '/' || c == '\\'; }

size_t last_separator(std::string_view path) {
    for (size_t i = path.size(); i > 0; --i)
        if (is_separator(path[i - 1])) return i - 1;
    return std::string_view::npos;
}

// Components of a "/" path, empty ones skipped.
std::vector<std::string_view> split_components(std::string_view path) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// Where the extension's dot sits in a file name, or npos.
size_t extension_dot(std::string_view name) {
    size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size()) return std::string_view::npos;
    return dot;
}

}  // namespace

std::string path_slashes(std::string_view path) {
    std::string out(path);
    for (char& c : out)
        if (c == '\\') c = '/';
    return out;
}

std::string path_normalize(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (size_t i = 0; i < path.size(); ++i) {
        char c = is_separator(path[i]) ? '/' : path[i];
        bool at_component_start = out.empty() || out.back() == '/';
        if (c == '/' && !out.empty() && out.back() == '/') continue;
        if (c == '.' && at_component_start && (i + 1 == path.size() || is_separator(path[i + 1]))) {
            ++i;  // the "." and the separator after it
            while (i + 1 < path.size() && is_separator(path[i + 1])) ++i;
            continue;
        }
        out.push_back(c);
    }
    // "." alone (or "./") names the current directory; "" would name nothing.
    if (out.empty() && !path.empty()) out.push_back('.');
    return out;
}

bool path_is_absolute(std::string_view path) { return !path.empty() && is_separator(path[0]); }

std::string path_root(std::string_view path) { return path_is_absolute(path) ? "/" : ""; }

std::string path_full(std::string_view path, std::string_view cwd) {
    if (path_is_absolute(path)) return path_slashes(path);
    std::string out(cwd);
    if (path.empty()) return out;
    if (out.empty() || out.back() != '/') out.push_back('/');
    out += path_slashes(path);
    return out;
}

std::string path_resolve(std::string_view path, std::string_view cwd) {
    std::string full = path_full(path, cwd);
    std::vector<std::string_view> kept;
    for (std::string_view part : split_components(full)) {
        if (part == ".") continue;
        if (part == "..") {
            if (!kept.empty()) kept.pop_back();
            continue;
        }
        kept.push_back(part);
    }
    std::string out;
    for (std::string_view part : kept) {
        out.push_back('/');
        out += part;
    }
    return out.empty() ? "/" : out;
}

std::string path_relative(std::string_view from, std::string_view to, std::string_view cwd) {
    std::string from_full = path_resolve(from, cwd), to_full = path_resolve(to, cwd);
    std::vector<std::string_view> a = split_components(from_full), b = split_components(to_full);
    size_t common = 0;
    while (common < a.size() && common < b.size() && a[common] == b[common]) ++common;
    std::string out;
    for (size_t i = common; i < a.size(); ++i) out += out.empty() ? ".." : "/..";
    for (size_t i = common; i < b.size(); ++i) {
        if (!out.empty()) out.push_back('/');
        out += b[i];
    }
    return out.empty() ? "." : out;
}

std::string path_file_name(std::string_view path) {
    size_t sep = last_separator(path);
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string path_directory(std::string_view path) {
    size_t sep = last_separator(path);
    if (sep == std::string_view::npos) return "";
    // Separators before the name belong to neither; the root stays "/".
    while (sep > 0 && is_separator(path[sep - 1])) --sep;
    if (sep == 0) return "/";
    return path_slashes(path.substr(0, sep));
}

std::string path_extension(std::string_view path) {
    std::string name = path_file_name(path);
    size_t dot = extension_dot(name);
    return dot == std::string::npos ? "" : name.substr(dot);
}

std::string path_stem(std::string_view path) {
    std::string name = path_file_name(path);
    size_t dot = extension_dot(name);
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string path_change_extension(std::string_view path, std::string_view extension) {
    size_t sep = last_separator(path);
    size_t name_start = sep == std::string_view::npos ? 0 : sep + 1;
    std::string_view name = path.substr(name_start);
    if (name.empty() || name == "." || name == "..") return std::string(path);
    size_t dot = extension_dot(name);
    // A trailing dot is an empty extension that the new one replaces.
    if (dot == std::string_view::npos && name.size() > 1 && name.back() == '.') dot = name.size() - 1;
    std::string out(path.substr(0, dot == std::string_view::npos ? path.size() : name_start + dot));
    if (!extension.empty()) {
        if (extension[0] != '.') out.push_back('.');
        out += extension;
    }
    return out;
}

}  // namespace tarvik
