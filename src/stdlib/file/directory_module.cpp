// stdlib/file/directory_module.cpp: the Directory module, listings, creation and
// removal (recursive too), copies, moves, globbing and temporary directories.
// Failures answer false or nil; with --verbose a line gives the system's reason.
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "runtime/array.h"
#include "runtime/builtin.h"
#include "runtime/console.h"
#include "stdlib/file/directory_linux.h"
#include "stdlib/file/file_values.h"
#include "stdlib/stdlib_register.h"

namespace tarvik {

namespace {

Value answer(const char* member, const std::string& path, int error) {
    if (!error) return make_bool(true);
    print_verbose("Directory.%s: '%s': %s\n", member, path.c_str(), std::strerror(error));
    return make_bool(false);
}

bool is_directory(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

Value directory_exists(Value* args, int) {
    std::string path;
    return make_bool(file_path_arg(args[0], &path) && is_directory(path));
}

template <int (*Operation)(const std::string&)>
Value directory_one_path(const char* member, Value* args) {
    std::string path;
    if (!file_path_arg(args[0], &path)) return make_bool(false);
    return answer(member, path, Operation(path));
}

template <int (*Operation)(const std::string&, const std::string&)>
Value directory_two_paths(const char* member, Value* args) {
    std::string source, destination;
    if (!file_path_arg(args[0], &source) || !file_path_arg(args[1], &destination)) return make_bool(false);
    return answer(member, source, Operation(source, destination));
}

int make_directory(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0 ? 0 : errno; }
int remove_directory(const std::string& path) { return ::rmdir(path.c_str()) == 0 ? 0 : errno; }

Value directory_create(Value* args, int) { return directory_one_path<make_directory>("Create", args); }
Value directory_delete(Value* args, int) { return directory_one_path<remove_directory>("Delete", args); }
Value directory_ensure(Value* args, int) { return directory_one_path<dir_ensure>("Ensure", args); }
Value directory_delete_all(Value* args, int) { return directory_one_path<dir_delete_all>("DeleteAll", args); }
Value directory_copy(Value* args, int) { return directory_two_paths<dir_copy>("Copy", args); }
Value directory_move(Value* args, int) { return directory_two_paths<dir_move>("Move", args); }

// Entry names of one kind (or all), optionally filtered by a wildcard pattern; nil
// when the directory cannot be read.
Value list_entries(const char* member, Value path_value, bool all, EntryKind kind, Value pattern_value) {
    std::string path;
    std::string_view pattern;
    bool filtered = file_text_arg(pattern_value, &pattern);
    if (!file_path_arg(path_value, &path)) return nil_value();
    std::vector<DirEntry> entries;
    if (int error = dir_list(path, &entries)) {
        print_verbose("Directory.%s: '%s': %s\n", member, path.c_str(), std::strerror(error));
        return nil_value();
    }
    Value out = make_array(0);
    for (const DirEntry& entry : entries) {
        if (!all && entry.kind != kind) continue;
        if (filtered && !dir_wildcard_match(pattern, entry.name)) continue;
        array_append(out, file_string_value(entry.name), /*borrowed=*/false);
    }
    return out;
}

Value directory_list(Value* args, int) { return list_entries("List", args[0], true, EntryKind::Other, kAbsent); }
Value directory_list_dirs(Value* args, int) {
    return list_entries("ListDirs", args[0], false, EntryKind::Directory, kAbsent);
}
Value directory_list_files(Value* args, int argc) {
    return list_entries("ListFiles", args[0], false, EntryKind::File, argc > 1 ? args[1] : kAbsent);
}

Value directory_glob(Value* args, int) {
    std::string_view pattern;
    Value out = make_array(0);
    if (!file_text_arg(args[0], &pattern)) return out;
    for (const std::string& path : dir_glob(pattern)) array_append(out, file_string_value(path), /*borrowed=*/false);
    return out;
}

Value directory_get_modified_time(Value* args, int) {
    std::string path;
    struct stat st;
    if (!file_path_arg(args[0], &path) || ::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return nil_value();
    return make_int(int64_t(st.st_mtim.tv_sec));
}

Value directory_create_temp(Value* args, int argc) { return file_temp_member(args, argc, /*directory=*/true); }

constexpr Signature kPathToBool{T_BOOL, {T_STRING}};
constexpr Signature kPathToArray{T_ARRAY | T_NIL, {T_STRING}};
constexpr Signature kPathPatternToArray{T_ARRAY | T_NIL, {T_STRING, T_STRING}};
constexpr Signature kGlob{T_ARRAY, {T_STRING, T_ANY}};
constexpr Signature kPathToInt{T_INT | T_NIL, {T_STRING}};
constexpr Signature kTwoPathsToBool{T_BOOL, {T_STRING, T_STRING}};
constexpr Signature kPrefixToText{T_STRING | T_NIL, {T_STRING}};

}  // namespace

// Catalogue order.
constexpr BuiltinNative kDirectoryNatives[] = {
    {"Exists", directory_exists, &kPathToBool},
    {"Create", directory_create, &kPathToBool},
    {"Delete", directory_delete, &kPathToBool},
    {"List", directory_list, &kPathToArray},
    {"ListFiles", directory_list_files, &kPathPatternToArray},
    {"ListDirs", directory_list_dirs, &kPathToArray},
    {"Ensure", directory_ensure, &kPathToBool},
    {"GetModifiedTime", directory_get_modified_time, &kPathToInt},
    {"Glob", directory_glob, &kGlob},
    {"DeleteAll", directory_delete_all, &kPathToBool},
    {"Copy", directory_copy, &kTwoPathsToBool},
    {"Move", directory_move, &kTwoPathsToBool},
    {"CreateTemp", directory_create_temp, &kPrefixToText},
};

void directory_register_natives() { builtin_register_module("Directory", kDirectoryNatives); }

}  // namespace tarvik
