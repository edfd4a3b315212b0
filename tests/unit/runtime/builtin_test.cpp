// The builtin registry and call glue: row contents, names, registration, the argument
// checks with their printed lines, and the missing-native and callback fallbacks.
#include <string>

#include "runtime/array.h"
#include "runtime/builtin.h"
#include "runtime/builtin_catalog.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/string.h"
#include "runtime/test_support.h"
#include "runtime/value_ops.h"
#include "runtime/vm_options.h"

namespace tarvik {
namespace {

int g_calls = 0;
Value g_first = kAbsent;
Value counting_native(Value* args, int argc) {
    ++g_calls;
    g_first = argc > 0 ? args[0] : kAbsent;
    return make_imm_int(argc);
}

constexpr Signature kStringInt{T_NIL, {T_STRING, T_INT}};

class BuiltinTest : public test::RuntimeTest {
protected:
    void SetUp() override {
        test::RuntimeTest::SetUp();
        saved_console = g_console;
        saved_options = g_options;
        g_console = ConsoleFlags{};
        g_calls = 0;
        builtin_registry_init();
    }
    void TearDown() override {
        builtin_registry_free();
        g_console = saved_console;
        g_options = saved_options;
        test::RuntimeTest::TearDown();
    }
    // A builtin outside the registry, as builtin classes create them.
    static ObjHeader fake_row(int required, int optional, const Signature* signature) {
        return ObjHeader{F_STATIC, 0, T_BUILTIN, uint32_t(required | optional << 8),
                         reinterpret_cast<uint64_t>(&counting_native), reinterpret_cast<uint64_t>(signature)};
    }
    static ObjHeader* row_of(const char* module, const char* member) {
        int m = builtin_module_index(module);
        return builtin_row(m, builtin_member_index(m, member));
    }
    // What an invocation printed to stderr; the result goes to *result.
    static std::string stderr_of(const ObjHeader* row, Value* args, int count, Value* result, bool receiver = false) {
        testing::internal::CaptureStderr();
        *result = builtin_invoke(row, args, count, receiver);
        return testing::internal::GetCapturedStderr();
    }
    ConsoleFlags saved_console;
    VmOptions saved_options;
};

TEST_F(BuiltinTest, RowsCarryTheCatalogue) {
    ObjHeader* is = row_of("Type", "Is");
    EXPECT_EQ(is->flags, 0x82u);
    EXPECT_EQ(is->type, T_BUILTIN);
    EXPECT_EQ(is->aux, 2u);
    EXPECT_NE(is->b, 0u) << "a row without a registered signature still points at one";
    EXPECT_EQ(row_of("Console", "Write")->aux, 1u | 64u << 8);
    EXPECT_EQ(row_of("Time", "Format")->flags, 0x302u);

    ObjHeader* pi = row_of("Math", "PI");
    EXPECT_EQ(pi->flags, F_STATIC);
    EXPECT_EQ(float_of(pi), 3.141592653589793);
    EXPECT_EQ(value_to_int(make_ref(row_of("Type", "Callable"))), 9633792);
    EXPECT_EQ(value_to_int(make_ref(row_of("Math", "Int64Min"))), INT64_MIN);
    ObjHeader* empty = row_of("String", "Empty");
    EXPECT_EQ(empty->type, T_STRING);
    EXPECT_EQ(empty->aux, 0u);
    EXPECT_EQ(empty->a, kEmptyStringHash);
    EXPECT_TRUE(value_deep_equal(make_ref(empty), empty_string_value()));

    EXPECT_EQ(builtin_row(34, 47), nullptr);
    EXPECT_EQ(builtin_row(38, 0), nullptr);
    EXPECT_STREQ(builtin_registry_module(34)->names[24], "Is");
    int module = -1, member = -1;
    ASSERT_TRUE(builtin_row_position(builtin_row(12, 30), &module, &member));
    EXPECT_EQ(module * 100 + member, 1230);
}

TEST_F(BuiltinTest, QualifiedNamesAndRendering) {
    EXPECT_STREQ(builtin_qualified_name(make_ref(row_of("Type", "Is"))), "Type.Is");
    EXPECT_STREQ(builtin_qualified_name(make_ref(builtin_row(37, 0))), "Random.New");
    ObjHeader runtime_made = fake_row(0, 0, nullptr);
    EXPECT_STREQ(builtin_qualified_name(make_ref(&runtime_made)), "<unknown builtin>");
    EXPECT_STREQ(builtin_qualified_name(make_imm_int(3)), "<unknown builtin>");
    testing::internal::CaptureStdout();
    value_render(make_ref(row_of("Array", "Sort")));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Array.Sort");
}

TEST_F(BuiltinTest, RegistrationAndTheMissingNative) {
    EXPECT_FALSE(builtin_register_native("Nope", "Abs", counting_native, nullptr));
    EXPECT_FALSE(builtin_register_native("Math", "PI", counting_native, nullptr)) << "a constant";
    const BuiltinNative table[] = {{"Abs", counting_native, nullptr}, {"Absolutely", counting_native, nullptr}};
    EXPECT_EQ(builtin_register_module("Math", table), 1);
    builtin_registry_free();
    builtin_registry_init();
    Value one = make_imm_int(1);
    EXPECT_EQ(builtin_invoke(row_of("Math", "Abs"), &one, 1, false), make_imm_int(1));
    EXPECT_EQ(g_calls, 1);

    Value result{};
    EXPECT_EQ(stderr_of(row_of("Json", "Parse"), &one, 1, &result), "");
    EXPECT_EQ(result, kAbsent);
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
    EXPECT_EQ(builtin_invoke(row_of("Json", "Parse"), &one, 1, false), kAbsent);
    EXPECT_EQ(take_error_message(), "Json.Parse is not implemented yet");
}

TEST_F(BuiltinTest, CountChecksPrintTheirLines) {
    Value args[3] = {make_imm_int(1), make_imm_int(2), make_imm_int(3)};
    Value result{};
    EXPECT_EQ(stderr_of(row_of("Type", "Is"), args, 0, &result), "Error: Function expects at least 2 arguments, got 0\n");
    EXPECT_EQ(take_error_message(), "Invalid argument(s) - type or length mismatch");
    EXPECT_EQ(stderr_of(row_of("Array", "Sort"), args, 3, &result), "") << "too many: only with --verbose";
    EXPECT_EQ(take_error_code(), ERR_INVALID_ARGUMENTS);
    g_options.verbose = true;
    EXPECT_EQ(stderr_of(row_of("Array", "Sort"), args, 3, &result), "Info: Function expects at most 2 arguments, got 3\n");
    EXPECT_EQ(take_error_code(), ERR_INVALID_ARGUMENTS);
    args[1] = kAbsent;
    ObjHeader row = fake_row(3, 0, nullptr);
    EXPECT_EQ(stderr_of(&row, args, 3, &result), "Error: Argument 2 is NULL (malformed bytecode / stack imbalance)\n");
    EXPECT_EQ(take_error_code(), ERR_INVALID_ARGUMENTS);
    EXPECT_EQ(g_calls, 0);
}

TEST_F(BuiltinTest, MasksAcceptNilAndSharedBitsAndNameBothTypes) {
    ObjHeader row = fake_row(2, 0, &kStringInt);
    Value typed = make_array(0);
    as_obj(typed)->type = T_ARRAY | T_INT;
    Value args[2] = {nil_value(), typed};
    EXPECT_EQ(builtin_invoke(&row, args, 2, false), make_imm_int(2)) << "nil and an [int] array pass";
    EXPECT_TRUE(test::raised_errors().empty());

    g_options.verbose = true;
    args[0] = make_imm_int(5);
    Value result{};
    EXPECT_EQ(stderr_of(&row, args, 2, &result), "Info: Argument 1: expected string, got int\n");
    EXPECT_EQ(take_error_code(), ERR_INVALID_ARGUMENTS);
    args[0] = nil_value();
    args[1] = make_bool(true);
    EXPECT_EQ(stderr_of(&row, args, 2, &result), "Info: Argument 2: expected int, got bool\n");
    EXPECT_EQ(take_error_code(), ERR_INVALID_ARGUMENTS);
    EXPECT_EQ(g_calls, 1);
    release(typed);
}

TEST_F(BuiltinTest, SeventeenValuesRaiseCode3BeforeAnyCheck) {
    ObjHeader row = fake_row(0, kVariadic, nullptr);
    Value args[17] = {};  // absent values would be reported if the checks ran
    Value result{};
    EXPECT_EQ(stderr_of(&row, args, 17, &result), "");
    EXPECT_EQ(take_error_code(), ERR_INVALID_ARGUMENTS);
    for (Value& v : args) v = make_imm_int(0);
    EXPECT_EQ(builtin_invoke(&row, args, 16, true), make_imm_int(16));
    EXPECT_EQ(builtin_invoke(&row, args, 17, true), kAbsent) << "the receiver counts";
    EXPECT_EQ(take_error_code(), ERR_INVALID_ARGUMENTS);
    EXPECT_EQ(g_calls, 1);
}

TEST_F(BuiltinTest, ReceiverIsPassedButNotChecked) {
    ObjHeader row = fake_row(2, 0, &kStringInt);
    Value text = make_string("abc");
    Value args[3] = {make_imm_int(9), text, make_imm_int(1)};
    EXPECT_EQ(builtin_invoke(&row, args, 3, true), make_imm_int(3));
    EXPECT_EQ(g_first, make_imm_int(9));
    EXPECT_EQ(as_obj(text)->ref_count, 1u) << "arguments stay with the caller";
    EXPECT_EQ(builtin_invoke(&row, args + 1, 2, true), kAbsent) << "one argument after the receiver";
    EXPECT_EQ(take_error_code(), ERR_INVALID_ARGUMENTS);
    release(text);
}

TEST(SignatureDescription, NamesMasksForArgumentMessages) {
    EXPECT_STREQ(signature_type_description(T_ANY), "any");
    EXPECT_STREQ(signature_type_description(T_NUMBER), "number");
    EXPECT_STREQ(signature_type_description(T_ARRAY), "array");
    EXPECT_STREQ(signature_type_description(T_ARRAY | T_STRING | T_INT), "[int | string]");
    EXPECT_STREQ(signature_type_description(T_BUILTIN), "builtin_function");
    EXPECT_STREQ(signature_type_description(T_CHAR | T_CLASS | T_STRING | T_NIL), "string | nil | class | char");
    EXPECT_STREQ(signature_type_description(T_MODULE), "unknown");
}

Value doubling_invoker(Value, Value* args, int argc, const char*) { return make_imm_int(imm_int(args[0]) * 2 + argc); }

TEST_F(BuiltinTest, CallbacksNeedTheEngineInvoker) {
    Value argument = make_imm_int(20);
    EXPECT_EQ(invoke_callable(nil_value(), &argument, 1, "cb"), nil_value());
    EXPECT_EQ(take_error_code(), ERR_RUNTIME);
    builtin_set_callback_invoker(doubling_invoker);
    EXPECT_EQ(invoke_callable(nil_value(), &argument, 1, "cb"), make_imm_int(41));
    builtin_set_callback_invoker(nullptr);
}

}  // namespace
}  // namespace tarvik
