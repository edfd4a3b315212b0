// stdlib/file/file_values.h: small conversions between script values and the
// std::string paths of the File, Path and Directory modules.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

#include "runtime/block.h"
#include "runtime/string.h"
#include "runtime/value.h"

namespace tarvik {

// The bytes of a string value; false for anything else (nil included).
inline bool file_text_arg(Value v, std::string_view* out) {
    if (!is_string(v)) return false;
    const ObjHeader* s = as_obj(v);
    *out = std::string_view(string_chars(s), string_length(s));
    return true;
}
// A path argument: a non-empty string without NUL bytes (the system would cut it).
inline bool file_path_arg(Value v, std::string* out) {
    std::string_view text;
    if (!file_text_arg(v, &text) || text.empty() || text.find('\0') != std::string_view::npos) return false;
    out->assign(text);
    return true;
}
// A new block of width 1 holding a copy of the bytes (nil when the block storage
// refuses).
inline Value file_bytes_block(const void* data, size_t size) {
    Value block = make_block(uint32_t(size), 1);
    if (size > 0 && is_ref_of(block, T_BLOCK)) std::memcpy(block_bytes(as_obj(block)), data, size);
    return block;
}
// The bytes of a string or block argument; false for anything else.
inline bool file_data_arg(Value v, const void** data, size_t* size) {
    if (is_string(v)) {
        *data = string_chars(as_obj(v));
        *size = string_length(as_obj(v));
        return true;
    }
    if (is_ref_of(v, T_BLOCK)) {
        *data = block_bytes(as_obj(v));
        *size = size_t(block_count(as_obj(v))) * block_width(as_obj(v));
        return true;
    }
    return false;
}
// A unique empty file or directory in the temporary directory, named
// "<tmp>/<prefix>-XXXXXX"; the members Path.TempFile and Directory.CreateTemp.
Value file_temp_member(Value* args, int argc, bool directory);

inline Value file_string_value(const std::string& text) { return make_string_bytes(text.data(), text.size()); }

}  // namespace tarvik
