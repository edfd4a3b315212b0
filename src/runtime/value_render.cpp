// runtime/value_render.cpp: debug rendering of values and the one-line debug dump,
// used by trace output, the leak report and the slab dump. Output goes to stdout.
#include <bit>
#include <cinttypes>
#include <cstdio>

#include "runtime/array.h"
#include "runtime/block.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/type_ops.h"
#include "runtime/utf8.h"
#include "runtime/value_ops.h"
#include "runtime/vm_options.h"

namespace tarvik {

namespace {

constexpr int kMaxRenderDepth = 64;
int g_render_depth = 0;

void render_char(uint32_t code_point) {
    char bytes[4];
    int n = utf8_encode(code_point, bytes);
    if (n == 0) {
        std::fputc('?', stdout);
    } else {
        std::fwrite(bytes, 1, size_t(n), stdout);
    }
}

// Backslash pairs for newline, return, tab, backslash and quote print as the
// character they stand for; any other pair prints unchanged.
void render_string(const ObjHeader* s) {
    const char* chars = string_chars(s);
    if (!chars) return;
    uint32_t length = string_length(s);
    for (uint32_t i = 0; i < length; ++i) {
        char c = chars[i];
        if (c != '\\' || i + 1 == length) {
            std::fputc(c, stdout);
            continue;
        }
        char next = chars[++i];
        switch (next) {
        case 'n': std::fputc('\n', stdout); break;
        case 'r': std::fputc('\r', stdout); break;
        case 't': std::fputc('\t', stdout); break;
        case '\\':
        case '"': std::fputc(next, stdout); break;
        default:
            std::fputc('\\', stdout);
            std::fputc(next, stdout);
            break;
        }
    }
}

void render_map(const PropertyMap* map) {
    std::fputc('{', stdout);
    uint32_t cursor = 0;
    Value key, value;
    uint64_t hash;
    bool first = true;
    while (map && map_next(map, &cursor, &key, &value, &hash)) {
        if (!first) std::fputs(", ", stdout);
        first = false;
        value_render(key);
        std::fputs(": ", stdout);
        value_render(value);
    }
    std::fputc('}', stdout);
}

void render_array(const ObjHeader* array) {
    std::fputc('[', stdout);
    uint32_t count = array_count(array);
    for (uint32_t i = 0; i < count; ++i) {
        if (i > 0) std::fputs(", ", stdout);
        if (array_is_flat_float(array)) {
            std::printf("%.15g", array_doubles(array)[i]);
        } else {
            value_render(array_items(array)[i]);
        }
    }
    std::fputc(']', stdout);
}

// Each element as 2 x width hex digits of its little-endian value; for widths 1, 2,
// 4 and 8 this is "0x%02X", "0x%04X", "0x%08X" and "0x%016llX".
void render_block(const ObjHeader* block) {
    std::fputc('[', stdout);
    const uint8_t* bytes = block_bytes(block);
    uint32_t width = block_width(block);
    uint32_t count = bytes ? block_count(block) : 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (i > 0) std::fputs(", ", stdout);
        std::fputs("0x", stdout);
        const uint8_t* element = bytes + uint64_t(i) * width;
        for (uint32_t k = width; k > 0; --k) std::printf("%02X", element[k - 1]);
    }
    std::fputc(']', stdout);
}

// Types owned by upper rooms render through their row, or as a plain tag.
void render_through_ops(Value v, uint32_t type, const char* fallback) {
    if (auto render = type_ops(type).render) {
        render(v);
    } else {
        std::fputs(fallback, stdout);
    }
}

void render_reference(Value v) {
    const ObjHeader* obj = as_obj(v);
    if (obj->type & T_ARRAY) return render_array(obj);
    switch (obj->type) {
    case T_NIL: std::fputs("nil", stdout); break;
    case T_CHAR: render_char(uint32_t(obj->a)); break;
    case T_FLOAT: std::printf("%.15g", float_of(obj)); break;
    case T_INT: std::printf("%" PRId64, int64_t(obj->a)); break;
    case T_STRING: render_string(obj); break;
    case T_OBJECT: render_map(object_map(obj)); break;
    case T_BOOL: std::fputs(obj->a ? "true" : "false", stdout); break;
    case T_BLOCK: render_block(obj); break;
    case T_FUNCTION: render_through_ops(v, T_FUNCTION, "<function>"); break;
    case T_BUILTIN: render_through_ops(v, T_BUILTIN, "<builtin>"); break;
    case T_MODULE: render_through_ops(v, T_MODULE, "<module>"); break;
    case T_EXCEPTION:
        if (auto render = type_ops(T_EXCEPTION).render) {
            render(v);
        } else {
            render_map(object_map(obj));
        }
        break;
    case T_BOUND_METHOD: std::fputs("<bound method>", stdout); break;
    case T_POINTER: std::printf("%p", reinterpret_cast<void*>(obj->a)); break;
    case T_FIBER: render_through_ops(v, T_FIBER, "<fiber>"); break;
    case T_FFI_FUNCTION: std::fputs("<ffi-fn>", stdout); break;
    case T_CLASS: render_through_ops(v, T_CLASS, "<class>"); break;
    case T_INSTANCE: render_through_ops(v, T_INSTANCE, "<instance>"); break;
    case T_STREAM: std::printf("<stream FD: %d>", int32_t(uint32_t(obj->b))); break;
    case T_FREED: std::fputs("<unknown/unused>", stdout); break;
    default: std::printf("[Unknown %d]", int(obj->type)); break;
    }
}

}  // namespace

void value_render(Value v) {
    if (g_render_depth >= kMaxRenderDepth) {
        std::fputs("...", stdout);
        return;
    }
    ++g_render_depth;
    if (g_options.trace) std::printf("R:%d ", is_ref(v) ? int(as_obj(v)->ref_count) : 1);
    switch (v.bits & TAG_MASK) {
    case TAG_INT: std::printf("%" PRId64, imm_int(v)); break;
    case TAG_BOOL: std::fputs(imm_bool(v) ? "true" : "false", stdout); break;
    case TAG_CHAR: render_char(imm_char(v)); break;
    default:
        // The absent value stands for nil wherever a value is read.
        if (v.bits == 0) {
            std::fputs("nil", stdout);
        } else {
            render_reference(v);
        }
        break;
    }
    --g_render_depth;
}

void value_debug_dump(Value v) {
    void* word = reinterpret_cast<void*>(v.bits);
    switch (v.bits & TAG_MASK) {
    case TAG_BOOL: std::printf("DBG-VAL: [%p] type bool. Value: %s\n", word, imm_bool(v) ? "true" : "false"); return;
    case TAG_CHAR: std::printf("DBG-VAL: [%p] type char. Value: %d\n", word, int(imm_char(v))); return;
    case TAG_INT:
        std::printf("DBG-VAL: [%p] type int <boxed>. Value:", word);
        value_render(v);
        std::fputc('\n', stdout);
        return;
    default: break;
    }
    if (v.bits == 0) {
        std::fputs("Value is NULL\n", stdout);
        return;
    }
    const ObjHeader* obj = as_obj(v);
    std::printf("DBG-VAL: [%p] type %s. Refs %d Static %d. Alloc: %d Value:", word, type_name_of(v),
                int(obj->ref_count), int(obj->flags & F_STATIC), (obj->flags & F_LIVE) ? 1 : 0);
    value_render(v);
    std::fputc('\n', stdout);
}

void value_debug_dump_traced(Value v) {
    bool saved = g_options.trace;
    g_options.trace = true;
    value_debug_dump(v);
    g_options.trace = saved;
}

}  // namespace tarvik
