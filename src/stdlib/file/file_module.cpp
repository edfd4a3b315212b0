// stdlib/file/file_module.cpp: the File module, whole-file reads and writes,
// metadata and links. Failures answer false or nil; with --verbose a line names the
// member, the path and the system's reason.
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "runtime/array.h"
#include "runtime/block.h"
#include "runtime/builtin.h"
#include "runtime/console.h"
#include "runtime/operators.h"
#include "runtime/property_map.h"
#include "runtime/value_ops.h"
#include "stdlib/file/file_async.h"
#include "stdlib/file/file_io_linux.h"
#include "stdlib/file/file_values.h"
#include "stdlib/stdlib_register.h"

namespace tarvik {

namespace {

// Reports a failed operation (verbose only) and answers `result`.
Value failed(const char* member, const std::string& path, int error, Value result) {
    print_verbose("File.%s: '%s': %s\n", member, path.c_str(), std::strerror(error));
    return result;
}

Value answer(const char* member, const std::string& path, int error) {
    return error ? failed(member, path, error, make_bool(false)) : make_bool(true);
}

// Reads the whole file; false (after the verbose line) when it cannot.
bool read_whole(const char* member, Value path_value, std::string* content) {
    std::string path;
    if (!file_path_arg(path_value, &path)) return false;
    int error = file_read_whole(path, content);
    if (error) failed(member, path, error, nil_value());
    return error == 0;
}

// Calls `each` with every line of the text, without its "\n" or "\r\n"; a last
// line without a line feed counts too. Stops when `each` answers false.
template <typename Each>
bool for_each_line(const std::string& text, Each each) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos) end = text.size();
        size_t stop = end > start && text[end - 1] == '\r' ? end - 1 : end;
        if (!each(text.data() + start, stop - start)) return false;
        start = next;
    }
    return true;
}

Value file_read_text(Value* args, int) {
    std::string content;
    if (!read_whole("ReadText", args[0], &content)) return nil_value();
    return make_string_bytes(content.data(), content.size());
}

Value file_read_all_bytes(Value* args, int) {
    std::string content;
    if (!read_whole("ReadAllBytes", args[0], &content)) return nil_value();
    return file_bytes_block(content.data(), content.size());
}

Value file_read_lines(Value* args, int) {
    std::string content;
    if (!read_whole("ReadLines", args[0], &content)) return nil_value();
    Value lines = make_array(0);
    for_each_line(content, [&](const char* line, size_t length) {
        Value text = make_string_bytes(line, length);
        array_append(lines, text, /*borrowed=*/false);
        return true;
    });
    return lines;
}

Value file_lines(Value* args, int) {
    std::string content;
    if (!read_whole("Lines", args[0], &content)) return nil_value();
    int64_t count = 0;
    bool finished = for_each_line(content, [&](const char* line, size_t length) {
        Value text = make_string_bytes(line, length);
        Value result = invoke_callable(args[1], &text, 1, "File.Lines");
        release(text);
        if (is_absent(result)) return false;  // the callback raised
        release(result);
        ++count;
        return true;
    });
    return finished ? make_int(count) : nil_value();
}

// Writes (or appends) text or bytes; the whole string, NUL bytes included.
template <bool Append>
Value file_write_data(Value* args, int) {
    const char* member = Append ? "AppendText" : "WriteText";
    std::string path;
    const void* data;
    size_t size;
    if (!file_path_arg(args[0], &path) || !file_data_arg(args[1], &data, &size)) return make_bool(false);
    return answer(member, path, file_write_whole(path, data, size, Append));
}

// Each element as its text and a line feed.
template <bool Append>
Value file_write_lines(Value* args, int) {
    const char* member = Append ? "AppendLines" : "WriteLines";
    std::string path;
    if (!file_path_arg(args[0], &path) || !is_array(args[1])) return make_bool(false);
    std::string content;
    const ObjHeader* lines = as_obj(args[1]);
    for (uint32_t i = 0; i < array_count(lines); ++i) {
        Value item = array_get(lines, i);
        char buffer[256];
        size_t length = 0;
        const char* text = value_text(item, buffer, sizeof buffer, &length);
        content.append(text, length);
        release(item);
        content.push_back('\n');
        if (content.size() > kMaxWholeFileBytes) return failed(member, path, EFBIG, make_bool(false));
    }
    return answer(member, path, file_write_whole(path, content.data(), content.size(), Append));
}

Value file_write_atomic_member(Value* args, int) {
    std::string path;
    const void* data;
    size_t size;
    if (!file_path_arg(args[0], &path) || !file_data_arg(args[1], &data, &size)) return make_bool(false);
    return answer("WriteAtomic", path, file_write_atomic(path, data, size));
}

// Exists answers true for anything but a directory (Directory.Exists covers those).
Value file_exists(Value* args, int) {
    std::string path;
    struct stat st;
    return make_bool(file_path_arg(args[0], &path) && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode));
}

Value file_delete(Value* args, int) {
    std::string path;
    if (!file_path_arg(args[0], &path)) return make_bool(false);
    return answer("Delete", path, ::unlink(path.c_str()) == 0 ? 0 : errno);
}

template <int (*Operation)(const std::string&, const std::string&)>
Value file_two_paths(const char* member, Value* args) {
    std::string first, second;
    if (!file_path_arg(args[0], &first) || !file_path_arg(args[1], &second)) return make_bool(false);
    return answer(member, first, Operation(first, second));
}

int hard_link(const std::string& target, const std::string& link) {
    return ::link(target.c_str(), link.c_str()) == 0 ? 0 : errno;
}
int symbolic_link(const std::string& target, const std::string& link) {
    return ::symlink(target.c_str(), link.c_str()) == 0 ? 0 : errno;
}

Value file_copy_member(Value* args, int) { return file_two_paths<file_copy>("Copy", args); }
Value file_move_member(Value* args, int) { return file_two_paths<file_move>("Move", args); }
Value file_create_symlink(Value* args, int) { return file_two_paths<symbolic_link>("CreateSymlink", args); }
Value file_create_hard_link(Value* args, int) { return file_two_paths<hard_link>("CreateHardLink", args); }

// stat of the path; false (after the verbose line) when it fails.
bool stat_path(const char* member, Value path_value, std::string* path, struct stat* st) {
    if (!file_path_arg(path_value, path)) return false;
    if (::stat(path->c_str(), st) == 0) return true;
    failed(member, *path, errno, nil_value());
    return false;
}

Value file_size(Value* args, int) {
    std::string path;
    struct stat st;
    if (!stat_path("Size", args[0], &path, &st)) return nil_value();
    if (S_ISDIR(st.st_mode)) return failed("Size", path, EISDIR, nil_value());
    return make_int(int64_t(st.st_size));
}

Value file_get_modified_time(Value* args, int) {
    std::string path;
    struct stat st;
    if (!stat_path("GetModifiedTime", args[0], &path, &st)) return nil_value();
    return make_int(int64_t(st.st_mtim.tv_sec));
}

Value file_stat(Value* args, int) {
    std::string path;
    struct stat st, link_st;
    if (!file_path_arg(args[0], &path)) return nil_value();
    bool is_link = ::lstat(path.c_str(), &link_st) == 0 && S_ISLNK(link_st.st_mode);
    // A dangling link still describes itself.
    if (::stat(path.c_str(), &st) != 0) {
        if (!is_link) return failed("Stat", path, errno, nil_value());
        st = link_st;
    }
    Value object = make_object();
    object_put(object, "Size", make_int(int64_t(st.st_size)));
    object_put(object, "Modified", make_int(int64_t(st.st_mtim.tv_sec)));
    object_put(object, "Accessed", make_int(int64_t(st.st_atim.tv_sec)));
    object_put(object, "Created", make_int(file_birth_time(path, st)));
    object_put(object, "IsDir", make_bool(S_ISDIR(st.st_mode)));
    object_put(object, "IsFile", make_bool(S_ISREG(st.st_mode)));
    object_put(object, "IsSymlink", make_bool(is_link));
    return object;
}

Value file_set_modified_time(Value* args, int) {
    std::string path;
    if (!file_path_arg(args[0], &path) || !is_integral(args[1])) return make_bool(false);
    return answer("SetModifiedTime", path, file_set_modified(path, value_to_int(args[1])));
}

Value file_touch_member(Value* args, int) {
    std::string path;
    if (!file_path_arg(args[0], &path)) return nil_value();
    int error = file_touch(path);
    return error ? failed("Touch", path, error, nil_value()) : make_bool(true);
}

Value file_set_mode(Value* args, int) {
    std::string path;
    if (!file_path_arg(args[0], &path) || !is_integral(args[1])) return make_bool(false);
    int64_t mode = value_to_int(args[1]);
    if (mode < 0 || mode > 07777) return failed("SetMode", path, EINVAL, make_bool(false));
    return answer("SetMode", path, ::chmod(path.c_str(), mode_t(mode)) == 0 ? 0 : errno);
}

Value file_truncate(Value* args, int) {
    std::string path;
    if (!file_path_arg(args[0], &path) || !is_integral(args[1])) return make_bool(false);
    int64_t size = value_to_int(args[1]);
    if (size < 0) return failed("Truncate", path, EINVAL, make_bool(false));
    return answer("Truncate", path, ::truncate(path.c_str(), off_t(size)) == 0 ? 0 : errno);
}

Value file_read_link_member(Value* args, int) {
    std::string path, target;
    if (!file_path_arg(args[0], &path)) return nil_value();
    int error = file_read_link(path, &target);
    return error ? failed("ReadLink", path, error, nil_value()) : file_string_value(target);
}

// Lower-case hexadecimal by default; a true flag asks for upper case.
Value file_sha256_member(Value* args, int argc) {
    std::string path;
    if (!file_path_arg(args[0], &path)) return nil_value();
    uint8_t digest[32];
    if (int error = file_sha256(path, digest)) return failed("Sha256", path, error, nil_value());
    return file_hex_digest(digest, argc > 1 && value_truthy(args[1]));
}

constexpr uint32_t T_DATA = T_STRING | T_BLOCK;
constexpr Signature kPathToText{T_STRING | T_NIL, {T_STRING}};
constexpr Signature kPathToBlock{T_BLOCK | T_NIL, {T_STRING}};
constexpr Signature kPathToArray{T_ARRAY | T_NIL, {T_STRING}};
constexpr Signature kPathToBool{T_BOOL, {T_STRING}};
constexpr Signature kPathToInt{T_INT | T_NIL, {T_STRING}};
constexpr Signature kPathToObject{T_OBJECT | T_NIL, {T_STRING}};
constexpr Signature kPathDataToBool{T_BOOL, {T_STRING, T_DATA}};
constexpr Signature kPathArrayToBool{T_BOOL, {T_STRING, T_ARRAY}};
constexpr Signature kPathIntToBool{T_BOOL, {T_STRING, T_INT}};
constexpr Signature kTwoPathsToBool{T_BOOL, {T_STRING, T_STRING}};
constexpr Signature kSha256{T_STRING | T_NIL, {T_STRING, T_ANY}};
constexpr Signature kPathToNil{T_NIL, {T_STRING}};
constexpr Signature kPathDataToNil{T_NIL, {T_STRING, T_STRING}};
constexpr Signature kTwoPathsToNil{T_NIL, {T_STRING, T_STRING}};
constexpr Signature kSha256Async{T_NIL, {T_STRING, T_ANY}};
constexpr Signature kPathCallableToInt{T_INT | T_NIL, {T_STRING, T_CALLABLE}};

}  // namespace

// Catalogue order.
constexpr BuiltinNative kFileNatives[] = {
    {"ReadLines", file_read_lines, &kPathToArray},
    {"WriteLines", file_write_lines<false>, &kPathArrayToBool},
    {"AppendLines", file_write_lines<true>, &kPathArrayToBool},
    {"ReadText", file_read_text, &kPathToText},
    {"WriteText", file_write_data<false>, &kPathDataToBool},
    {"AppendText", file_write_data<true>, &kPathDataToBool},
    {"Exists", file_exists, &kPathToBool},
    {"Delete", file_delete, &kPathToBool},
    {"Copy", file_copy_member, &kTwoPathsToBool},
    {"Move", file_move_member, &kTwoPathsToBool},
    {"Size", file_size, &kPathToInt},
    {"GetModifiedTime", file_get_modified_time, &kPathToInt},
    {"Touch", file_touch_member, &kPathToBool},
    {"WriteAllBytes", file_write_data<false>, &kPathDataToBool},
    {"ReadAllBytes", file_read_all_bytes, &kPathToBlock},
    {"Sha256", file_sha256_member, &kSha256},
    {"ReadTextAsync", file_read_text_async, &kPathToNil},
    {"ReadAllBytesAsync", file_read_all_bytes_async, &kPathToNil},
    {"WriteTextAsync", file_write_text_async, &kPathDataToNil},
    {"CopyAsync", file_copy_async, &kTwoPathsToNil},
    {"Sha256Async", file_sha256_async, &kSha256Async},
    {"Stat", file_stat, &kPathToObject},
    {"SetModifiedTime", file_set_modified_time, &kPathIntToBool},
    {"SetMode", file_set_mode, &kPathIntToBool},
    {"WriteAtomic", file_write_atomic_member, &kPathDataToBool},
    {"CreateSymlink", file_create_symlink, &kTwoPathsToBool},
    {"CreateHardLink", file_create_hard_link, &kTwoPathsToBool},
    {"ReadLink", file_read_link_member, &kPathToText},
    {"Truncate", file_truncate, &kPathIntToBool},
    {"Lines", file_lines, &kPathCallableToInt},
};

void file_register_natives() { builtin_register_module("File", kFileNatives); }

}  // namespace tarvik
