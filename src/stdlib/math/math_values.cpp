// stdlib/math/math_values.cpp: argument and item readers of the Math module.
#include "stdlib/math/math_values.h"

#include "runtime/errors.h"
#include "runtime/value_ops.h"

namespace tarvik {

bool number_of(Value v, Number* out) {
    if (is_imm_int(v)) {
        *out = Number{true, imm_int(v), double(imm_int(v))};
        return true;
    }
    if (!is_ref(v)) return false;
    const ObjHeader* obj = as_obj(v);
    if (obj->type == T_INT) {
        *out = Number{true, int64_t(obj->a), double(int64_t(obj->a))};
        return true;
    }
    if (obj->type == T_FLOAT) {
        *out = Number{false, 0, float_of(obj)};
        return true;
    }
    return false;
}

bool number_arg(const Value* args, int index, Number* out) {
    if (number_of(args[index], out)) return true;
    raise_errorf(ERR_INVALID_ARGUMENTS, "Argument %d: expected a number, got %s", index + 1,
                 type_name_of(args[index]));
    return false;
}

bool float_arg(const Value* args, int index, double* out) {
    Number n;
    if (!number_arg(args, index, &n)) return false;
    *out = n.d;
    return true;
}

bool int_arg(const Value* args, int index, int64_t* out) {
    Number n;
    if (number_of(args[index], &n) && n.is_int) {
        *out = n.i;
        return true;
    }
    raise_errorf(ERR_INVALID_ARGUMENTS, "Argument %d: expected an int, got %s", index + 1, type_name_of(args[index]));
    return false;
}

bool array_arg(const Value* args, int index) {
    if (is_array(args[index])) return true;
    raise_errorf(ERR_INVALID_ARGUMENTS, "Argument %d: expected an array, got %s", index + 1,
                 type_name_of(args[index]));
    return false;
}

Value make_wide_int(__int128 v) {
    if (v >= INT64_MIN && v <= INT64_MAX) return make_int(int64_t(v));
    return make_float(double(v));
}

bool array_number(const ObjHeader* array, uint32_t i, Number* out) {
    if (array_is_flat_float(array)) {
        *out = Number{false, 0, array_doubles(array)[i]};
        return true;
    }
    Value item = array_items(array)[i];
    if (number_of(item, out)) return true;
    raise_errorf(ERR_INVALID_ARGUMENTS, "item %u is %s, not a number", i, type_name_of(item));
    return false;
}

}  // namespace tarvik
