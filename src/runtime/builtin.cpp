// runtime/builtin.cpp: the builtin registry (one static 32-byte row per catalogue
// member), native registration, builtin names, the argument checks and the call glue
// between the interpreter, native code and script callbacks.
#include "runtime/builtin.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/builtin_catalog.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/string.h"
#include "runtime/type_ops.h"

namespace tarvik {

namespace {

constexpr int kModuleCount = 38;
// Room for every member of every module; the catalogue holds 893 today.
constexpr int kRowCapacity = 1024;

struct NativeEntry {
    NativeFn fn;
    const Signature* signature;
};

// All rows, module after module, so a row's address tells its module and member.
alignas(32) ObjHeader g_rows[kRowCapacity];
const char* g_row_names[kRowCapacity];
NativeEntry g_natives[kRowCapacity];  // registrations survive registry_free
int g_module_base[kModuleCount + 1];  // first row of each module; the last is the total
BuiltinModule g_modules[kModuleCount];
bool g_bases_ready = false;
bool g_initialised = false;

// Functions with no registered signature check no types.
constexpr Signature kUncheckedSignature{0, {0, 0, 0, 0, 0, 0}, 0};

NativeCallback g_callback_invoker = nullptr;

void compute_module_bases() {
    if (g_bases_ready) return;
    int total = 0;
    for (int m = 0; m < kModuleCount; ++m) {
        g_module_base[m] = total;
        total += builtin_member_count(m);
    }
    if (total > kRowCapacity) {
        std::fprintf(stderr, "builtin catalogue has %d members, registry holds %d\n", total, kRowCapacity);
        std::abort();
    }
    g_module_base[kModuleCount] = total;
    g_bases_ready = true;
}

int row_index(int module, int member) {
    if (module < 0 || module >= kModuleCount || member < 0 || member >= builtin_member_count(module)) return -1;
    compute_module_bases();
    return g_module_base[module] + member;
}

void fill_function_row(ObjHeader& row, const CatalogMember& member, const NativeEntry& native) {
    row.flags = member.flags;
    row.ref_count = 0;
    row.type = T_BUILTIN;
    row.aux = uint32_t(member.required) | uint32_t(member.optional) << 8;
    row.a = reinterpret_cast<uint64_t>(native.fn);
    row.b = reinterpret_cast<uint64_t>(native.signature ? native.signature : &kUncheckedSignature);
}

void fill_constant_row(ObjHeader& row, const CatalogMember& member) {
    row.flags = F_STATIC;
    row.ref_count = 0;
    row.type = member.constant_type;
    row.aux = 0;
    row.a = 0;
    row.b = 0;
    switch (member.constant_type) {
    case T_INT: row.a = uint64_t(member.int_value); break;
    case T_FLOAT: std::memcpy(&row.a, &member.float_value, sizeof row.a); break;
    case T_STRING: {
        size_t length = std::strlen(member.string_value);
        row.aux = uint32_t(length);
        row.a = hash_bytes(member.string_value, length);
        row.b = reinterpret_cast<uint64_t>(member.string_value);
        break;
    }
    default: break;
    }
}

void render_builtin(Value v) { std::fputs(builtin_qualified_name(v), stdout); }

// The one place that answers for members without native code yet.
void raise_not_implemented(const ObjHeader* row) {
    raise_errorf(ERR_RUNTIME, "%s is not implemented yet", builtin_qualified_name(make_ref(row)));
}

// Type word an argument is checked with: immediates by their tag, references by
// their raw type word (so a typed array 0x48 keeps its element bits).
uint32_t argument_type_word(Value v) {
    switch (v.bits & TAG_MASK) {
    case TAG_INT: return T_INT;
    case TAG_BOOL: return T_BOOL;
    case TAG_CHAR: return T_CHAR;
    default: return as_obj(v)->type;
    }
}

struct MaskName {
    uint32_t bit;
    const char* name;
};

constexpr MaskName kSingleBitNames[] = {
    {T_NIL, "nil"},           {T_CHAR, "char"},         {T_OBJECT, "object"},
    {T_BOOL, "bool"},         {T_BLOCK, "block"},       {T_FUNCTION, "function"},
    {T_BUILTIN, "builtin_function"}, {T_FIBER, "fiber"}, {T_FFI_FUNCTION, "ffi_function"},
    {T_CLASS, "class"},       {T_INSTANCE, "instance"}, {T_STREAM, "stream"},
};

// Order of the names when several bits are set.
constexpr MaskName kSetBitNames[] = {
    {T_INT, "int"},           {T_FLOAT, "float"},       {T_STRING, "string"},
    {T_ARRAY, "array"},       {T_OBJECT, "object"},     {T_BOOL, "bool"},
    {T_NIL, "nil"},           {T_CLASS, "class"},       {T_FUNCTION, "function"},
    {T_BLOCK, "block"},       {T_INSTANCE, "instance"}, {T_CHAR, "char"},
    {T_BUILTIN, "builtin_function"}, {T_FFI_FUNCTION, "ffi_function"}, {T_FIBER, "fiber"},
    {T_STREAM, "stream"},
};

void describe_signature_mask(uint32_t mask, char* out, size_t size) {
    switch (mask) {
    case T_ANY: std::snprintf(out, size, "any"); return;
    case T_FLOAT: std::snprintf(out, size, "float"); return;
    case T_INT: std::snprintf(out, size, "int"); return;
    case T_NUMBER: std::snprintf(out, size, "number"); return;
    case T_STRING: std::snprintf(out, size, "string"); return;
    case T_ARRAY: std::snprintf(out, size, "array"); return;
    default: break;
    }
    if (mask & T_ARRAY) {
        char inner[254];  // leaves room for the brackets
        describe_signature_mask(mask & ~T_ARRAY, inner, sizeof inner);
        std::snprintf(out, size, "[%s]", inner);
        return;
    }
    for (const MaskName& entry : kSingleBitNames) {
        if (mask == entry.bit) {
            std::snprintf(out, size, "%s", entry.name);
            return;
        }
    }
    size_t used = 0;
    out[0] = '\0';
    for (const MaskName& entry : kSetBitNames) {
        if (!(mask & entry.bit) || used + 1 >= size) continue;
        int n = std::snprintf(out + used, size - used, "%s%s", used ? " | " : "", entry.name);
        used = std::min(size - 1, used + size_t(n));
    }
    if (used == 0) std::snprintf(out, size, "unknown");
}

}  // namespace

void builtin_registry_init() {
    compute_module_bases();
    for (int m = 0; m < kModuleCount; ++m) {
        const CatalogModule* module = builtin_module(m);
        int base = g_module_base[m];
        for (int i = 0; i < module->member_count; ++i) {
            const CatalogMember& member = module->members[i];
            g_row_names[base + i] = member.name;
            if (member.kind == MEMBER_FUNCTION) {
                fill_function_row(g_rows[base + i], member, g_natives[base + i]);
            } else {
                fill_constant_row(g_rows[base + i], member);
            }
        }
        g_modules[m] = BuiltinModule{module->name, &g_rows[base], &g_row_names[base],
                                     uint32_t(module->member_count), 0};
    }
    type_ops(T_BUILTIN).render = render_builtin;
    g_initialised = true;
}

void builtin_registry_free() {
    std::memset(g_rows, 0, sizeof g_rows);
    std::memset(g_modules, 0, sizeof g_modules);
    type_ops(T_BUILTIN).render = nullptr;
    g_initialised = false;
}

bool builtin_register_native(const char* module, const char* member, NativeFn fn, const Signature* signature) {
    int m = builtin_module_index(module);
    int i = builtin_member_index(m, member);
    if (!fn || !builtin_member_is_function(m, i)) return false;
    int index = row_index(m, i);
    g_natives[index] = NativeEntry{fn, signature};
    // A late registration (tests) reaches the live row as well.
    if (g_initialised) fill_function_row(g_rows[index], *builtin_member(m, i), g_natives[index]);
    return true;
}

int builtin_register_module(const char* module, const BuiltinNative* natives, int count) {
    int unknown = 0;
    for (int i = 0; i < count; ++i) {
        if (!builtin_register_native(module, natives[i].member, natives[i].fn, natives[i].signature)) ++unknown;
    }
    return unknown;
}

const BuiltinModule* builtin_registry_module(int module) {
    if (!g_initialised || module < 0 || module >= kModuleCount) return nullptr;
    return &g_modules[module];
}

ObjHeader* builtin_row(int module, int member) {
    if (!g_initialised) return nullptr;
    int index = row_index(module, member);
    return index < 0 ? nullptr : &g_rows[index];
}

bool builtin_row_position(const ObjHeader* row, int* module, int* member) {
    if (!g_initialised || row < g_rows || row >= g_rows + g_module_base[kModuleCount]) return false;
    int index = int(row - g_rows);
    // The last module whose first row is at or before the index owns it.
    const int* owner = std::upper_bound(g_module_base, g_module_base + kModuleCount, index) - 1;
    *module = int(owner - g_module_base);
    *member = index - *owner;
    return true;
}

bool builtin_is_implemented(int module, int member) {
    if (!builtin_member_is_function(module, member)) return false;
    return g_natives[row_index(module, member)].fn != nullptr;
}

const char* builtin_qualified_name(Value builtin) {
    static char name[256];
    int module = 0, member = 0;
    if (!is_ref(builtin) || !builtin_row_position(as_obj(builtin), &module, &member)) return "<unknown builtin>";
    std::snprintf(name, sizeof name, "%s.%s", builtin_module_name(module), builtin_member_name(module, member));
    return name;
}

const char* signature_type_description(uint32_t mask) {
    static char buffers[4][256];
    static int next = 0;
    char* out = buffers[next];
    next = (next + 1) % 4;
    describe_signature_mask(mask, out, sizeof buffers[0]);
    return out;
}

bool check_arguments_masks(int required, int optional, const uint32_t* masks, int mask_count, Value* args,
                           int count) {
    if (count < required) {
        print_error("Function expects at least %d arguments, got %d\n", required, count);
        raise_error(ERR_INVALID_ARGUMENTS);
        return false;
    }
    if (count > required + optional) {
        print_verbose("Function expects at most %d arguments, got %d\n", required + optional, count);
        raise_error(ERR_INVALID_ARGUMENTS);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (is_absent(args[i])) {
            print_error("Argument %d is NULL (malformed bytecode / stack imbalance)\n", i + 1);
            raise_error(ERR_INVALID_ARGUMENTS);
            return false;
        }
    }
    int checked = masks ? std::min(count, mask_count) : 0;
    for (int i = 0; i < checked; ++i) {
        uint32_t mask = masks[i];
        if (mask == 0 || is_nil(args[i])) continue;
        uint32_t type = argument_type_word(args[i]);
        // Bit 28 never counts as a match.
        if (type & mask & 0xEFFFFFFFu) continue;
        print_verbose("Argument %d: expected %s, got %s\n", i + 1, signature_type_description(mask),
                      signature_type_description(type));
        raise_error(ERR_INVALID_ARGUMENTS);
        return false;
    }
    return true;
}

bool check_builtin_arguments(const ObjHeader* row, Value* args, int count) {
    int required = int(row->aux & 0xFF);
    int optional = int((row->aux >> 8) & 0xFF);
    const Signature* signature = reinterpret_cast<const Signature*>(row->b);
    return check_arguments_masks(required, optional, signature ? signature->params : nullptr, 6, args, count);
}

Value builtin_invoke(const ObjHeader* row, Value* args, int count, bool has_receiver) {
    if (count > kMaxBuiltinArgs || count < 0) {
        raise_error(ERR_INVALID_ARGUMENTS);
        return kAbsent;
    }
    int skipped = (has_receiver && count > 0) ? 1 : 0;
    if (!check_builtin_arguments(row, args + skipped, count - skipped)) return kAbsent;
    NativeFn fn = reinterpret_cast<NativeFn>(row->a);
    if (!fn) {
        raise_not_implemented(row);
        return kAbsent;
    }
    return fn(args, count);
}

void builtin_set_callback_invoker(NativeCallback invoker) { g_callback_invoker = invoker; }

Value invoke_callable(Value callee, Value* args, int argc, const char* name) {
    if (!g_callback_invoker) {
        raise_error(ERR_RUNTIME);
        return nil_value();
    }
    return g_callback_invoker(callee, args, argc, name);
}

}  // namespace tarvik
