// The Type module: normalised type masks, mask tests, assertions, names and the
// fixed-mask predicates; and that every implemented module registered all members.
#include <string>

#include "runtime/array.h"
#include "runtime/errors.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "stdlib/module_test_support.h"

namespace tarvik {
namespace {

class TypeModuleTest : public test::ModuleTest {
protected:
    Value typed_int_array() {
        Value a = keep(make_array(0));
        as_obj(a)->type = T_ARRAY | T_INT;
        return a;
    }
    std::string text_of(const char* member, Value arg) {
        Value r = call("Type", member, {arg});
        std::string text = test::str(r);
        release(r);
        return text;
    }
    Value constant(const char* name) { return make_ref(member_row("Type", name)); }
    // Static stand-ins for types that other rooms build.
    ObjHeader stream{F_STATIC, 0, T_STREAM, 0, 0, 0};
    ObjHeader exception{F_STATIC, 0, T_EXCEPTION, 0, 0, 0};
    ObjHeader module{F_STATIC, 0, T_MODULE, 0, 0, 0};
};

TEST_F(TypeModuleTest, ImplementedModulesAttachEveryFunctionMember) {
    for (const char* name : {"Console", "Type", "Math", "Fiber", "Scheduler", "Timers", "Event", "VM", "Debug", "Path", "Directory", "File", "Stream", "FileWatch"}) {
        int m = builtin_module_index(name);
        for (int i = 0; i < builtin_member_count(m); ++i) {
            // VM.Import belongs to module loading.
            bool expected = builtin_member_is_function(m, i) && !(m == 1 && i == 0);
            EXPECT_EQ(builtin_is_implemented(m, i), expected) << name << "." << builtin_member_name(m, i);
        }
    }
}

TEST_F(TypeModuleTest, OfAndIsUseTheNormalisedType) {
    EXPECT_EQ(call("Type", "Of", {keep(make_int(int64_t(1) << 61))}), make_imm_int(T_INT));
    EXPECT_EQ(call("Type", "Of", {typed_int_array()}), make_imm_int(T_ARRAY)) << "0x40, not 0x48";
    EXPECT_EQ(call("Type", "Of", {constant("Of")}), make_imm_int(T_BUILTIN));
    EXPECT_EQ(call("Type", "Of", {nil_value()}), make_imm_int(T_NIL));
    Value absent = kAbsent;
    EXPECT_EQ(reinterpret_cast<NativeFn>(member_row("Type", "Of")->a)(&absent, 1), make_imm_int(T_NIL));

    EXPECT_EQ(call("Type", "Is", {keep(make_float(1.0)), constant("Number")}), make_bool(true));
    EXPECT_EQ(call("Type", "Is", {typed_int_array(), make_imm_int(T_INT)}), make_bool(false));
    EXPECT_EQ(call("Type", "Is", {make_ref(&module), constant("ObjectLike")}), make_bool(true));
    EXPECT_EQ(call("Type", "Is", {make_imm_int(1), nil_value()}), make_bool(false)) << "a nil mask";
    EXPECT_TRUE(test::raised_errors().empty());
    EXPECT_EQ(call("Type", "Is", {make_imm_int(1), keep(make_string("int"))}), kAbsent);
    EXPECT_EQ(take_error_code(), ERR_INVALID_ARGUMENTS) << "the mask must be an int";
}

TEST_F(TypeModuleTest, AssertPassesOrRaisesCode3) {
    EXPECT_EQ(call("Type", "Assert", {make_imm_int(1), make_imm_int(T_NUMBER)}), make_bool(true));
    EXPECT_TRUE(test::raised_errors().empty());
    EXPECT_EQ(call("Type", "Assert", {make_imm_int(1), make_imm_int(T_STRING)}), nil_value());
    EXPECT_EQ(test::raised_errors().at(0).code, ERR_INVALID_ARGUMENTS);
    EXPECT_EQ(take_error_message(), "type assertion failed");
    Value message = keep(make_string("want a string"));
    call("Type", "Assert", {make_imm_int(1), make_imm_int(T_STRING), message});
    EXPECT_EQ(take_error_message(), "want a string");
    call("Type", "Assert", {make_imm_int(1), make_imm_int(T_STRING), make_imm_int(5)});
    EXPECT_EQ(take_error_message(), "type assertion failed");
}

TEST_F(TypeModuleTest, NamesOfValuesAndMasks) {
    EXPECT_EQ(text_of("Name", keep(make_int(INT64_MAX))), "int");
    EXPECT_EQ(text_of("Name", typed_int_array()), "array");
    EXPECT_EQ(text_of("Name", constant("Name")), "builtin");
    EXPECT_EQ(text_of("Name", make_ref(&stream)), "<unknown>");
    Value absent = kAbsent;
    Value nil_name = reinterpret_cast<NativeFn>(member_row("Type", "Name")->a)(&absent, 1);
    EXPECT_EQ(test::str(nil_name), "nil");
    release(nil_name);
    EXPECT_EQ(text_of("NameOf", make_imm_int(T_ARRAY | T_INT)), "[int]");
    EXPECT_EQ(text_of("NameOf", make_imm_int(T_NUMBER)), "int|float");
    EXPECT_EQ(text_of("NameOf", make_imm_int(0xFFFFFFFF)), "any");
    EXPECT_EQ(text_of("NameOf", constant("Callable")), "function|builtin_function|ffi_function");
}

TEST_F(TypeModuleTest, PredicatesUseTheirOwnMask) {
    Value object = keep(make_object());
    Value builtin = constant("IsNil");
    ObjHeader function{F_STATIC, 0, T_FUNCTION, 0, 0, 0};
    ObjHeader class_record{F_STATIC, 0, T_CLASS, 0, 0, 0};
    ObjHeader bound{F_STATIC, 0, T_BOUND_METHOD, 0, 0, 0};
    const struct {
        const char* member;
        Value yes;
        Value no;
    } cases[] = {
        {"IsInt", make_imm_int(0), keep(make_float(0.0))},
        {"IsNumber", keep(make_float(2.0)), make_char('2')},
        {"IsString", empty_string_value(), make_char('s')},
        {"IsNil", nil_value(), make_bool(false)},
        {"IsArray", typed_int_array(), object},
        {"IsObject", object, make_ref(&exception)},
        {"IsFunction", make_ref(&function), builtin},
        {"IsCallable", make_ref(&bound), make_ref(&class_record)},
        {"IsClass", make_ref(&class_record), object},
        {"IsStream", make_ref(&stream), make_imm_int(3)},
        {"IsException", make_ref(&exception), object},
        {"IsModule", make_ref(&module), builtin},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(call("Type", c.member, {c.yes}), make_bool(true)) << c.member;
        EXPECT_EQ(call("Type", c.member, {c.no}), make_bool(false)) << c.member;
    }
}

}  // namespace
}  // namespace tarvik
