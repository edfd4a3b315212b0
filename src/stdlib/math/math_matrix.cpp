// stdlib/math/math_matrix.cpp: small matrices and vectors. A matrix is a non-empty
// array of non-empty rows of equal length, a vector an array; items are ints or
// floats. Results are built first and then filled from the inputs, read again item by
// item with every check: building allocates, and the destructor a reused slot runs
// (or MatApply's callback) may change an input in between.
#include <algorithm>
#include <cmath>

#include "runtime/errors.h"
#include "runtime/value_ops.h"
#include "stdlib/math/math_values.h"

namespace tarvik {

namespace {

// ---- reading ----------------------------------------------------------------

struct Shape {
    uint32_t rows;
    uint32_t cols;
};

bool matrix_shape(Value m, const char* member, Shape* shape) {
    if (!is_array(m) || array_is_flat_float(as_obj(m)) || array_count(as_obj(m)) == 0) {
        raise_errorf(ERR_INVALID_ARGUMENTS, "%s: expected a matrix (a non-empty array of rows), got %s", member,
                     is_array(m) ? "an empty array or an array of numbers" : type_name_of(m));
        return false;
    }
    const ObjHeader* outer = as_obj(m);
    *shape = Shape{array_count(outer), 0};
    for (uint32_t r = 0; r < shape->rows; ++r) {
        Value row = array_items(outer)[r];
        uint32_t n = is_array(row) ? array_count(as_obj(row)) : 0;
        if (n == 0) {
            raise_errorf(ERR_INVALID_ARGUMENTS, "%s: matrix row %u is %s, not a non-empty array of numbers", member, r,
                         is_array(row) ? "empty" : type_name_of(row));
            return false;
        }
        if (r > 0 && n != shape->cols) {
            raise_errorf(ERR_INVALID_ARGUMENTS, "%s: matrix row %u has %u items, row 0 has %u", member, r, n,
                         shape->cols);
            return false;
        }
        shape->cols = n;
    }
    return true;
}

bool square_shape(Value m, const char* member, uint32_t* n) {
    Shape shape;
    if (!matrix_shape(m, member, &shape)) return false;
    if (shape.rows != shape.cols) {
        raise_errorf(ERR_INVALID_ARGUMENTS, "%s: a %ux%u matrix is not square", member, shape.rows, shape.cols);
        return false;
    }
    *n = shape.rows;
    return true;
}

bool changed_shape() {
    raise_error(ERR_INVALID_ARGUMENTS, "matrix or vector changed size while being read");
    return false;
}

// m[r][c], checked again at every read.
bool matrix_number(Value m, uint32_t r, uint32_t c, Number* out) {
    const ObjHeader* outer = as_obj(m);
    if (array_is_flat_float(outer) || r >= array_count(outer)) return changed_shape();
    Value row = array_items(outer)[r];
    if (!is_array(row) || c >= array_count(as_obj(row))) return changed_shape();
    return array_number(as_obj(row), c, out);
}

double matrix_at(Value m, uint32_t r, uint32_t c, bool* ok) {
    Number n{};
    *ok = *ok && matrix_number(m, r, c, &n);
    return n.d;
}

double vector_at(Value v, uint32_t i, bool* ok) {
    Number n{};
    if (*ok && i >= array_count(as_obj(v))) *ok = changed_shape();
    *ok = *ok && array_number(as_obj(v), i, &n);
    return n.d;
}

// Two vectors of the same length; raises code 3 otherwise.
bool vector_pair(const Value* args, const char* member, uint32_t* n) {
    if (!array_arg(args, 0) || !array_arg(args, 1)) return false;
    uint32_t a = array_count(as_obj(args[0])), b = array_count(as_obj(args[1]));
    if (a != b) {
        raise_errorf(ERR_INVALID_ARGUMENTS, "%s: vectors of length %u and %u", member, a, b);
        return false;
    }
    *n = a;
    return true;
}

// ---- building -----------------------------------------------------------------

bool over_size_limit(uint64_t numbers) {
    if (numbers <= kMaxArrayItems) return false;
    raise_errorf(ERR_SIZE_LIMIT, "a result of %llu numbers exceeds the %u-item limit", (unsigned long long)numbers,
                 kMaxArrayItems);
    return true;
}

// A flat float array of n zeros with its count set; nil once the storage was refused.
Value new_vector(uint32_t n) {
    if (over_size_limit(n)) return nil_value();
    Value v = make_flat_float_array(n);
    if (array_capacity(as_obj(v)) < n) {
        release(v);
        return nil_value();
    }
    as_obj(v)->aux = n;  // calloc'd storage is already 0.0
    return v;
}

// rows x cols zeros as an array of float rows; nil after raising.
Value new_matrix(Shape shape) {
    if (over_size_limit(uint64_t(shape.rows) * shape.cols)) return nil_value();
    Value outer = make_array(shape.rows);
    if (array_capacity(as_obj(outer)) < shape.rows) {
        release(outer);
        return nil_value();
    }
    for (uint32_t r = 0; r < shape.rows; ++r) {
        Value row = new_vector(shape.cols);
        if (!is_array(row)) {
            release(outer);
            return nil_value();
        }
        array_items(as_obj(outer))[r] = row;  // room is reserved and a row is no numeric box
        as_obj(outer)->aux = r + 1;
    }
    return outer;
}

double* row_of(Value m, uint32_t r) { return array_doubles(as_obj(array_items(as_obj(m))[r])); }

// The built result when the fill succeeded; otherwise it is dropped and nil answered.
Value finish(Value result, bool ok) {
    if (ok) return result;
    release(result);
    return nil_value();
}

// ---- matrices -------------------------------------------------------------------

template <int Sign>
Value math_mat_add(Value* args, int) {
    const char* member = Sign > 0 ? "MatAdd" : "MatSub";
    Shape a, b;
    if (!matrix_shape(args[0], member, &a) || !matrix_shape(args[1], member, &b)) return nil_value();
    if (a.rows != b.rows || a.cols != b.cols) {
        raise_errorf(ERR_INVALID_ARGUMENTS, "%s: shapes %ux%u and %ux%u differ", member, a.rows, a.cols, b.rows,
                     b.cols);
        return nil_value();
    }
    Value result = new_matrix(a);
    bool ok = is_array(result);
    for (uint32_t r = 0; ok && r < a.rows; ++r) {
        for (uint32_t c = 0; ok && c < a.cols; ++c)
            row_of(result, r)[c] = matrix_at(args[0], r, c, &ok) + Sign * matrix_at(args[1], r, c, &ok);
    }
    return finish(result, ok);
}

Value math_mat_transpose(Value* args, int) {
    Shape shape;
    if (!matrix_shape(args[0], "MatTranspose", &shape)) return nil_value();
    Value result = new_matrix(Shape{shape.cols, shape.rows});
    bool ok = is_array(result);
    for (uint32_t r = 0; ok && r < shape.rows; ++r) {
        for (uint32_t c = 0; ok && c < shape.cols; ++c) row_of(result, c)[r] = matrix_at(args[0], r, c, &ok);
    }
    return finish(result, ok);
}

Value math_mat_mul(Value* args, int) {
    Shape a, b;
    if (!matrix_shape(args[0], "MatMul", &a) || !matrix_shape(args[1], "MatMul", &b)) return nil_value();
    if (a.cols != b.rows) {
        raise_errorf(ERR_INVALID_ARGUMENTS, "MatMul: a %ux%u matrix times a %ux%u matrix (%u columns, %u rows)", a.rows,
                     a.cols, b.rows, b.cols, a.cols, b.rows);
        return nil_value();
    }
    Value result = new_matrix(Shape{a.rows, b.cols});
    bool ok = is_array(result);
    for (uint32_t r = 0; ok && r < a.rows; ++r) {
        for (uint32_t c = 0; ok && c < b.cols; ++c) {
            double sum = 0.0;
            for (uint32_t k = 0; ok && k < a.cols; ++k)
                sum += matrix_at(args[0], r, k, &ok) * matrix_at(args[1], k, c, &ok);
            row_of(result, r)[c] = sum;
        }
    }
    return finish(result, ok);
}

Value math_mat_identity(Value* args, int) {
    int64_t n;
    if (!int_arg(args, 0, &n)) return nil_value();
    if (n < 1 || n > int64_t(kMaxArrayItems)) {
        raise_errorf(ERR_INVALID_ARGUMENTS, "MatIdentity: size %lld is not between 1 and %u", (long long)n,
                     kMaxArrayItems);
        return nil_value();
    }
    Value result = new_matrix(Shape{uint32_t(n), uint32_t(n)});
    for (uint32_t i = 0; is_array(result) && i < n; ++i) row_of(result, i)[i] = 1.0;
    return result;
}

// The square matrix copied into scratch, n x width with the matrix on the left.
bool load_square(Value m, uint32_t n, uint32_t width, Scratch<double>& scratch) {
    if (!scratch.reserve(size_t(n) * width)) return false;
    bool ok = true;
    for (uint32_t r = 0; ok && r < n; ++r) {
        for (uint32_t c = 0; ok && c < n; ++c) scratch.data()[size_t(r) * width + c] = matrix_at(m, r, c, &ok);
    }
    return ok;
}

void swap_rows(double* a, uint32_t width, uint32_t r1, uint32_t r2) {
    if (r1 != r2) std::swap_ranges(a + size_t(r1) * width, a + size_t(r1 + 1) * width, a + size_t(r2) * width);
}

// Row of the largest |a[r][col]| for r >= col (partial pivoting).
uint32_t pivot_row(const double* a, uint32_t n, uint32_t width, uint32_t col) {
    uint32_t best = col;
    for (uint32_t r = col + 1; r < n; ++r) {
        if (std::fabs(a[size_t(r) * width + col]) > std::fabs(a[size_t(best) * width + col])) best = r;
    }
    return best;
}

// Determinant by LU elimination with partial pivoting.
Value math_mat_det(Value* args, int) {
    uint32_t n;
    Scratch<double> scratch;
    if (!square_shape(args[0], "MatDet", &n) || !load_square(args[0], n, n, scratch)) return nil_value();
    double* a = scratch.data();
    double det = 1.0;
    for (uint32_t col = 0; col < n; ++col) {
        uint32_t p = pivot_row(a, n, n, col);
        if (p != col) det = -det;
        swap_rows(a, n, p, col);
        double pivot = a[size_t(col) * n + col];
        det *= pivot;
        if (pivot == 0.0) break;
        for (uint32_t r = col + 1; r < n; ++r) {
            double factor = a[size_t(r) * n + col] / pivot;
            for (uint32_t c = col; c < n; ++c) a[size_t(r) * n + c] -= factor * a[size_t(col) * n + c];
        }
    }
    return make_float(det);
}

// Gauss-Jordan on [A | I]. A pivot below n * epsilon * max|A| counts as zero: the
// matrix is singular (or too close to it to invert) and the answer is nil.
Value math_mat_inverse(Value* args, int) {
    uint32_t n;
    Scratch<double> scratch;
    if (!square_shape(args[0], "MatInverse", &n) || !load_square(args[0], n, 2 * n, scratch)) return nil_value();
    uint32_t width = 2 * n;
    double* a = scratch.data();
    double largest = 0.0;
    for (uint32_t r = 0; r < n; ++r) {
        for (uint32_t c = 0; c < n; ++c) largest = std::max(largest, std::fabs(a[size_t(r) * width + c]));
        // The scratch is not cleared: the identity half is written whole.
        for (uint32_t c = 0; c < n; ++c) a[size_t(r) * width + n + c] = c == r ? 1.0 : 0.0;
    }
    double tolerance = n * 0x1p-52 * largest;
    for (uint32_t col = 0; col < n; ++col) {
        uint32_t p = pivot_row(a, n, width, col);
        swap_rows(a, width, p, col);
        double* pivot_row_items = a + size_t(col) * width;
        double pivot = pivot_row_items[col];
        if (!(std::fabs(pivot) > tolerance) || !std::isfinite(pivot)) return nil_value();
        for (uint32_t c = 0; c < width; ++c) pivot_row_items[c] /= pivot;
        for (uint32_t r = 0; r < n; ++r) {
            double factor = a[size_t(r) * width + col];
            if (r == col || factor == 0.0) continue;
            for (uint32_t c = 0; c < width; ++c) a[size_t(r) * width + c] -= factor * pivot_row_items[c];
        }
    }
    Value result = new_matrix(Shape{n, n});
    for (uint32_t r = 0; is_array(result) && r < n; ++r) std::copy_n(a + size_t(r) * width + n, n, row_of(result, r));
    return result;
}

// MatApply(m, fn): fn called with each item (an int or a float), in row order; it
// must answer a number.
Value math_mat_apply(Value* args, int) {
    Shape shape;
    if (!matrix_shape(args[0], "MatApply", &shape)) return nil_value();
    if (!(value_type(args[1]) & T_CALLABLE)) {
        raise_typed(ERR_INVALID_ARGUMENTS, "MatApply: argument 2 must be a function", args[1]);
        return nil_value();
    }
    Value result = new_matrix(shape);
    bool ok = is_array(result);
    for (uint32_t r = 0; ok && r < shape.rows; ++r) {
        for (uint32_t c = 0; ok && c < shape.cols; ++c) {
            Number item;
            if (!(ok = matrix_number(args[0], r, c, &item))) break;
            Value argument = item.is_int ? make_int(item.i) : make_float(item.d);
            Value answer = invoke_callable(args[1], &argument, 1, "MatApply");
            release(argument);
            if (is_absent(answer) || error_pending()) {
                release(answer);
                ok = false;  // the callback raised; its exception stays pending
                break;
            }
            Number mapped;
            ok = number_of(answer, &mapped);
            if (!ok) raise_typed(ERR_INVALID_ARGUMENTS, "MatApply: the function must answer a number", answer);
            release(answer);
            if (ok) row_of(result, r)[c] = mapped.d;
        }
    }
    return finish(result, ok);
}

// 2D transforms as 3x3 matrices on homogeneous coordinates (x, y, 1).
Value transform_2d(double xx, double xy, double yx, double yy, double tx, double ty) {
    Value result = new_matrix(Shape{3, 3});
    if (!is_array(result)) return result;
    const double items[3][3] = {{xx, xy, tx}, {yx, yy, ty}, {0.0, 0.0, 1.0}};
    for (uint32_t r = 0; r < 3; ++r) std::copy_n(items[r], 3, row_of(result, r));
    return result;
}

Value math_mat_rotate_2d(Value* args, int) {
    double angle;
    if (!float_arg(args, 0, &angle)) return nil_value();
    double c = std::cos(angle), s = std::sin(angle);
    return transform_2d(c, -s, s, c, 0.0, 0.0);
}

Value math_mat_scale_2d(Value* args, int) {
    double sx, sy;
    if (!float_arg(args, 0, &sx) || !float_arg(args, 1, &sy)) return nil_value();
    return transform_2d(sx, 0.0, 0.0, sy, 0.0, 0.0);
}

Value math_mat_translate_2d(Value* args, int) {
    double tx, ty;
    if (!float_arg(args, 0, &tx) || !float_arg(args, 1, &ty)) return nil_value();
    return transform_2d(1.0, 0.0, 0.0, 1.0, tx, ty);
}

// ---- vectors ----------------------------------------------------------------------

template <int Sign>
Value math_vec_add(Value* args, int) {
    uint32_t n;
    if (!vector_pair(args, Sign > 0 ? "VecAdd" : "VecSub", &n)) return nil_value();
    Value result = new_vector(n);
    bool ok = is_array(result);
    for (uint32_t i = 0; ok && i < n; ++i)
        array_doubles(as_obj(result))[i] = vector_at(args[0], i, &ok) + Sign * vector_at(args[1], i, &ok);
    return finish(result, ok);
}

Value math_vec_scale(Value* args, int) {
    double factor;
    if (!array_arg(args, 0) || !float_arg(args, 1, &factor)) return nil_value();
    uint32_t n = array_count(as_obj(args[0]));
    Value result = new_vector(n);
    bool ok = is_array(result);
    for (uint32_t i = 0; ok && i < n; ++i) array_doubles(as_obj(result))[i] = vector_at(args[0], i, &ok) * factor;
    return finish(result, ok);
}

Value math_vec_dot(Value* args, int) {
    uint32_t n;
    if (!vector_pair(args, "VecDot", &n)) return nil_value();
    bool ok = true;
    double sum = 0.0;
    for (uint32_t i = 0; ok && i < n; ++i) sum += vector_at(args[0], i, &ok) * vector_at(args[1], i, &ok);
    return ok ? make_float(sum) : nil_value();
}

// Euclidean length of item(0..n), scaled by the largest magnitude so that squaring
// neither overflows nor underflows; false after an item raised.
template <typename Item>
bool scaled_length(uint32_t n, Item item, double* out) {
    bool ok = true;
    double largest = 0.0;
    for (uint32_t i = 0; ok && i < n; ++i) largest = std::max(largest, std::fabs(item(i, &ok)));
    if (!ok) return false;
    double sum = 0.0;
    if (largest > 0.0 && std::isfinite(largest)) {
        for (uint32_t i = 0; i < n; ++i) {
            double scaled = item(i, &ok) / largest;
            sum += scaled * scaled;
        }
    }
    // NaN items never raise `largest` (max ignores them), so look for them apart.
    for (uint32_t i = 0; i < n; ++i) {
        if (std::isnan(item(i, &ok))) largest = NAN;
    }
    *out = std::isfinite(largest) ? largest * std::sqrt(sum) : largest;
    return ok;
}

Value math_vec_length(Value* args, int) {
    double length;
    if (!array_arg(args, 0)) return nil_value();
    auto item = [&](uint32_t i, bool* ok) { return vector_at(args[0], i, ok); };
    return scaled_length(array_count(as_obj(args[0])), item, &length) ? make_float(length) : nil_value();
}

Value math_vec_distance(Value* args, int) {
    uint32_t n;
    double length;
    if (!vector_pair(args, "VecDistance", &n)) return nil_value();
    auto item = [&](uint32_t i, bool* ok) { return vector_at(args[0], i, ok) - vector_at(args[1], i, ok); };
    return scaled_length(n, item, &length) ? make_float(length) : nil_value();
}

// The vector divided by its length; nil for a zero (or empty) vector, which has no
// direction.
Value math_vec_normalize(Value* args, int) {
    double length;
    if (!array_arg(args, 0)) return nil_value();
    uint32_t n = array_count(as_obj(args[0]));
    auto item = [&](uint32_t i, bool* ok) { return vector_at(args[0], i, ok); };
    if (!scaled_length(n, item, &length) || length == 0.0) return nil_value();
    Value result = new_vector(n);
    bool ok = is_array(result);
    for (uint32_t i = 0; ok && i < n; ++i) array_doubles(as_obj(result))[i] = vector_at(args[0], i, &ok) / length;
    return finish(result, ok);
}

}  // namespace

constexpr Signature kTwoMatrices{T_ARRAY, {T_ARRAY, T_ARRAY}};
constexpr Signature kMatrixToMatrix{T_ARRAY, {T_ARRAY}};
constexpr Signature kIntToMatrix{T_ARRAY, {T_INT}};
constexpr Signature kMatrixToFloat{T_FLOAT, {T_ARRAY}};
constexpr Signature kMatrixToMatrixOrNil{T_ARRAY | T_NIL, {T_ARRAY}};
constexpr Signature kMatApply{T_ARRAY, {T_ARRAY, T_CALLABLE}};
constexpr Signature kNumberToMatrix{T_ARRAY, {T_NUMBER}};
constexpr Signature kTwoNumbersToMatrix{T_ARRAY, {T_NUMBER, T_NUMBER}};
constexpr Signature kTwoVectorsToFloat{T_FLOAT, {T_ARRAY, T_ARRAY}};
constexpr Signature kVectorNumberToVector{T_ARRAY, {T_ARRAY, T_NUMBER}};

// Catalogue order within the family.
constexpr BuiltinNative kMathMatrixNatives[] = {
    {"MatAdd", math_mat_add<1>, &kTwoMatrices},
    {"MatSub", math_mat_add<-1>, &kTwoMatrices},
    {"MatTranspose", math_mat_transpose, &kMatrixToMatrix},
    {"MatMul", math_mat_mul, &kTwoMatrices},
    {"MatIdentity", math_mat_identity, &kIntToMatrix},
    {"MatDet", math_mat_det, &kMatrixToFloat},
    {"MatInverse", math_mat_inverse, &kMatrixToMatrixOrNil},
    {"MatApply", math_mat_apply, &kMatApply},
    {"MatRotate2D", math_mat_rotate_2d, &kNumberToMatrix},
    {"MatScale2D", math_mat_scale_2d, &kTwoNumbersToMatrix},
    {"MatTranslate2D", math_mat_translate_2d, &kTwoNumbersToMatrix},
    {"VecAdd", math_vec_add<1>, &kTwoMatrices},
    {"VecSub", math_vec_add<-1>, &kTwoMatrices},
    {"VecDot", math_vec_dot, &kTwoVectorsToFloat},
    {"VecScale", math_vec_scale, &kVectorNumberToVector},
    {"VecDistance", math_vec_distance, &kTwoVectorsToFloat},
    {"VecLength", math_vec_length, &kMatrixToFloat},
    {"VecNormalize", math_vec_normalize, &kMatrixToMatrixOrNil},
};

void math_register_matrix() { builtin_register_module("Math", kMathMatrixNatives); }

}  // namespace tarvik
