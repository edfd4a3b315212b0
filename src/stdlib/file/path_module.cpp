// stdlib/file/path_module.cpp: the Path module, text operations over paths plus the
// current directory and unique temporary files.
#include "runtime/builtin.h"
#include "stdlib/file/file_values.h"
#include "stdlib/file/fs_linux.h"
#include "stdlib/file/path_text.h"
#include "stdlib/stdlib_register.h"

namespace tarvik {

namespace {

// A member over one path text; a non-string argument gives nil.
template <std::string (*Rule)(std::string_view)>
Value path_text_member(Value* args, int) {
    std::string_view path;
    if (!file_text_arg(args[0], &path)) return nil_value();
    return file_string_value(Rule(path));
}

Value path_combine(Value* args, int argc) {
    std::string out;
    for (int i = 0; i < argc; ++i) {
        std::string_view part;
        if (!file_text_arg(args[i], &part)) return nil_value();
        if (part.empty()) continue;
        bool part_rooted = part[0] == '/' || part[0] == '\\';
        bool needs_separator = !out.empty() && out.back() != '/' && !part_rooted;
        if (out.size() + needs_separator + part.size() > kMaxStringLength) return nil_value();
        if (needs_separator) out.push_back('/');
        out += path_slashes(part);
    }
    return file_string_value(out);
}

Value path_has_extension(Value* args, int) {
    std::string_view path;
    return make_bool(file_text_arg(args[0], &path) && !path_extension(path).empty());
}

Value path_is_absolute_member(Value* args, int) {
    std::string_view path;
    return make_bool(file_text_arg(args[0], &path) && path_is_absolute(path));
}

Value path_change_extension_member(Value* args, int) {
    std::string_view path, extension;
    if (!file_text_arg(args[0], &path)) return nil_value();
    if (!is_nil_or_absent(args[1]) && !file_text_arg(args[1], &extension)) return nil_value();
    return file_string_value(path_change_extension(path, extension));
}

Value path_get_current_dir(Value*, int) {
    std::string cwd;
    return fs_current_dir(&cwd) ? file_string_value(cwd) : nil_value();
}

// The members that need the current directory give nil when it cannot be read.
Value path_get_full_path(Value* args, int) {
    std::string_view path;
    std::string cwd;
    if (!file_text_arg(args[0], &path) || !fs_current_dir(&cwd)) return nil_value();
    return file_string_value(path_full(path, cwd));
}

Value path_resolve_member(Value* args, int) {
    std::string_view path;
    std::string cwd;
    if (!file_text_arg(args[0], &path) || !fs_current_dir(&cwd)) return nil_value();
    return file_string_value(path_resolve(path, cwd));
}

Value path_get_relative_path(Value* args, int) {
    std::string_view from, to;
    std::string cwd;
    if (!file_text_arg(args[0], &from) || !file_text_arg(args[1], &to) || !fs_current_dir(&cwd)) return nil_value();
    return file_string_value(path_relative(from, to, cwd));
}

Value path_temp_file(Value* args, int argc) { return file_temp_member(args, argc, /*directory=*/false); }

constexpr uint32_t T_TEXT = T_STRING | T_NIL;
constexpr Signature kCombine{T_TEXT, {T_STRING, T_STRING, T_STRING, T_STRING, T_STRING, T_STRING}};
constexpr Signature kPathToText{T_TEXT, {T_STRING}};
constexpr Signature kPathToBool{T_BOOL, {T_STRING}};
constexpr Signature kTwoPathsToText{T_TEXT, {T_STRING, T_STRING}};
constexpr Signature kNoneToText{T_TEXT, {}};
constexpr Signature kPrefixToText{T_TEXT, {T_STRING}};

}  // namespace

// Optional prefix (default "tarvik", no separators); more than one argument: nil.
Value file_temp_member(Value* args, int argc, bool directory) {
    std::string_view prefix = "tarvik";
    if (argc > 1) return nil_value();
    if (argc == 1 && !is_nil_or_absent(args[0]) && !file_text_arg(args[0], &prefix)) return nil_value();
    if (prefix.find_first_of("/\\") != std::string_view::npos || prefix.find('\0') != std::string_view::npos)
        return nil_value();
    std::string created;
    if (!fs_create_unique(fs_temp_dir() + "/" + std::string(prefix) + "-", directory, &created)) return nil_value();
    return file_string_value(created);
}

// Catalogue order.
constexpr BuiltinNative kPathNatives[] = {
    {"Combine", path_combine, &kCombine},
    {"GetExtension", path_text_member<path_extension>, &kPathToText},
    {"GetFileName", path_text_member<path_file_name>, &kPathToText},
    {"GetFileNameWithoutExtension", path_text_member<path_stem>, &kPathToText},
    {"GetDirectoryName", path_text_member<path_directory>, &kPathToText},
    {"ChangeExtension", path_change_extension_member, &kTwoPathsToText},
    {"GetFullPath", path_get_full_path, &kPathToText},
    {"HasExtension", path_has_extension, &kPathToBool},
    {"GetRoot", path_text_member<path_root>, &kPathToText},
    {"TempFile", path_temp_file, &kPrefixToText},
    {"GetCurrentDir", path_get_current_dir, &kNoneToText},
    {"IsAbsolute", path_is_absolute_member, &kPathToBool},
    {"Normalize", path_text_member<path_normalize>, &kPathToText},
    {"Resolve", path_resolve_member, &kPathToText},
    {"GetRelativePath", path_get_relative_path, &kTwoPathsToText},
};

void path_register_natives() { builtin_register_module("Path", kPathNatives); }

}  // namespace tarvik
