// The builtin module catalogue: module order and member counts, lookups by number and
// by name, argument counts, flag words and constant values.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "runtime/builtin_catalog.h"

namespace tarvik {
namespace {

// Module order and member counts of the registry; the numbering is part of the
// package format, so these numbers are written out rather than derived.
struct ModuleExpectation {
    const char* name;
    int count;
};
constexpr ModuleExpectation kModules[] = {
    {"Object", 24},   {"VM", 16},        {"Array", 59},       {"Hash", 12},       {"HttpUtil", 12},
    {"Json", 14},     {"Math", 149},     {"Net", 24},         {"Util", 23},       {"String", 57},
    {"Stream", 57},   {"Timers", 6},     {"Console", 31},     {"Debug", 9},       {"File", 30},
    {"Path", 15},     {"Directory", 13}, {"Time", 24},        {"Os", 30},         {"Buffer", 45},
    {"Regex", 7},     {"Fiber", 22},     {"Scheduler", 2},    {"Collections", 8}, {"Memory", 35},
    {"Event", 6},     {"Compress", 2},   {"Archive", 3},      {"Crypto", 13},     {"Convert", 25},
    {"Class", 19},    {"Ffi", 12},       {"Gfx", 5},          {"FileWatch", 2},   {"Type", 47},
    {"Char", 20},     {"Tls", 14},       {"Random", 1},
};

int module_of(const char* name) {
    int index = builtin_module_index(name);
    EXPECT_GE(index, 0) << name;
    return index;
}

const CatalogMember& member_of(const char* module, const char* member) {
    int m = module_of(module);
    int index = builtin_member_index(m, member);
    EXPECT_GE(index, 0) << module << "." << member;
    static const CatalogMember kMissing{};
    const CatalogMember* row = builtin_member(m, index);
    return row ? *row : kMissing;
}

TEST(BuiltinCatalog, ModulesComeInRegistryOrderWithTheirCounts) {
    ASSERT_EQ(builtin_module_count(), 38);
    ASSERT_EQ(std::size(kModules), 38u);
    int total = 0;
    for (int i = 0; i < 38; ++i) {
        EXPECT_STREQ(builtin_module_name(i), kModules[i].name) << i;
        EXPECT_EQ(builtin_member_count(i), kModules[i].count) << kModules[i].name;
        EXPECT_EQ(builtin_module_index(kModules[i].name), i);
        total += builtin_member_count(i);
    }
    EXPECT_EQ(total, 893);
}

TEST(BuiltinCatalog, OutOfRangeNumbersAnswerNeutrally) {
    for (int bad : {-1, 38, 255}) {
        EXPECT_EQ(builtin_member_count(bad), 0);
        EXPECT_EQ(builtin_module(bad), nullptr);
        EXPECT_EQ(builtin_module_name(bad), nullptr);
        EXPECT_EQ(builtin_member(bad, 0), nullptr);
        EXPECT_EQ(builtin_member_name(bad, 0), nullptr);
        EXPECT_FALSE(builtin_member_is_function(bad, 0));
        EXPECT_EQ(builtin_member_index(bad, "Clone"), -1);
    }
    // One past the last member of each module is out of range, the last one is not.
    for (int m = 0; m < 38; ++m) {
        int count = builtin_member_count(m);
        EXPECT_NE(builtin_member(m, count - 1), nullptr) << m;
        EXPECT_EQ(builtin_member(m, count), nullptr) << m;
        EXPECT_FALSE(builtin_member_is_function(m, count)) << m;
        EXPECT_FALSE(builtin_member_is_function(m, -1)) << m;
        EXPECT_EQ(builtin_member_name(m, -1), nullptr) << m;
    }
    EXPECT_EQ(builtin_member(37, 1), nullptr);  // Random has a single member
}

TEST(BuiltinCatalog, NameLookupsAreExactAndCaseSensitive) {
    EXPECT_EQ(builtin_module_index("Object"), 0);
    EXPECT_EQ(builtin_module_index("Random"), 37);
    EXPECT_EQ(builtin_module_index("object"), -1);
    EXPECT_EQ(builtin_module_index("Obj"), -1);
    EXPECT_EQ(builtin_module_index(""), -1);
    EXPECT_EQ(builtin_module_index(nullptr), -1);
    EXPECT_EQ(builtin_member_index(34, "Is"), 24);
    EXPECT_EQ(builtin_member_index(34, "is"), -1);
    EXPECT_EQ(builtin_member_index(34, "IsX"), -1);
    EXPECT_EQ(builtin_member_index(34, nullptr), -1);
    // Grouped constants keep their dotted names and do not shadow plain members.
    EXPECT_EQ(builtin_member_index(21, "Status"), 3);
    EXPECT_EQ(builtin_member_index(21, "Status.New"), 15);
    EXPECT_EQ(builtin_member_index(21, "New"), 0);
    EXPECT_EQ(builtin_member_index(12, "ConsoleColor.Red"), 26);
    EXPECT_EQ(builtin_member_index(12, "Red"), -1);
}

TEST(BuiltinCatalog, EveryMemberNameIsUniqueAndFindsItsOwnIndex) {
    for (int m = 0; m < builtin_module_count(); ++m) {
        std::set<std::string> seen;
        for (int i = 0; i < builtin_member_count(m); ++i) {
            const char* name = builtin_member_name(m, i);
            ASSERT_NE(name, nullptr);
            EXPECT_TRUE(seen.insert(name).second) << builtin_module_name(m) << "." << name;
            EXPECT_EQ(builtin_member_index(m, name), i) << builtin_module_name(m) << "." << name;
        }
    }
}

// First and last member of every module; required -1 marks a constant.
struct EndsExpectation {
    int module;
    const char* first;
    int first_required;
    int first_optional;
    const char* last;
    int last_required;
    int last_optional;
};
constexpr EndsExpectation kEnds[] = {
    {0, "Clone", 1, 0, "IsFrozen", 1, 0},
    {1, "Import", 2, 1, "RaiseSignal", 1, 0},
    {2, "Append", 2, 0, "ReduceRight", 2, 1},
    {3, "Sha256", 1, 0, "Md5", 1, 0},
    {4, "EncodeQuery", 1, 0, "WaitReadable", 1, 1},
    {5, "Parse", 1, 0, "Diff", 2, 0},
    {6, "Abs", 1, 0, "FloatLowest", -1, -1},
    {7, "ResolveDNS", 1, 0, "IpInRange", 2, 0},
    {8, "Base64Encode", 1, 0, "VersionMax", 2, 0},
    {9, "Substr", 2, 1, "Empty", -1, -1},
    {10, "Open", 2, 0, "LastError", 0, 0},
    {11, "SetTimeout", 2, 0, "SetImmediate", 1, 0},
    {12, "Write", 1, 64, "ConsoleColor.Cyan", -1, -1},
    {13, "Stack", 0, 0, "Here", 0, 1},
    {14, "ReadLines", 1, 0, "Lines", 2, 0},
    {15, "Combine", 2, 15, "GetRelativePath", 2, 0},
    {16, "Exists", 1, 0, "CreateTemp", 0, 1},
    {17, "Now", 0, 0, "ToMillis", 1, 0},
    {18, "Execute", 1, 0, "GetCwd", 0, 0},
    {19, "Create", 2, 0, "Append", 2, 0},
    {20, "Match", 2, 0, "ReplaceFn", 3, 0},
    {21, "New", 1, 0, "Status.WaitFiber", -1, -1},
    {22, "HasReadyFibers", 0, 0, "Schedule", 1, 0},
    {23, "Stack", 0, 0, "OrderedMap", 0, 0},
    {24, "Read8", 1, 1, "Move", 3, 0},
    {25, "Create", 0, 0, "Reset", 1, 0},
    {26, "Zip", 1, 1, "Unzip", 1, 1},
    {27, "Open", 1, 0, "Create", 0, 0},
    {28, "Encrypt", 3, 0, "ConstantTimeEquals", 2, 0},
    {29, "ToInt8", 1, 0, "ToRadixString", 2, 0},
    {30, "InstanceOf", 2, 0, "New", 1, 64},
    {31, "Load", 2, 1, "GLOBAL", -1, -1},
    {32, "Create", 2, 0, "HSL", 3, 0},
    {33, "Open", 2, 1, "Close", 1, 0},
    {34, "Nil", -1, -1, "IsModule", 1, 0},
    {35, "IsAlpha", 1, 0, "FromInt", 1, 0},
    {36, "Connect", 2, 3, "ReadAllAsync", 1, 0},
    {37, "New", 0, 1, "New", 0, 1},
};

void expect_member(int module, int index, const char* name, int required, int optional) {
    const CatalogMember* row = builtin_member(module, index);
    ASSERT_NE(row, nullptr) << module << ":" << index;
    EXPECT_STREQ(row->name, name) << module << ":" << index;
    if (required < 0) {
        EXPECT_EQ(row->kind, MEMBER_CONSTANT) << name;
        EXPECT_FALSE(builtin_member_is_function(module, index)) << name;
        return;
    }
    EXPECT_EQ(row->kind, MEMBER_FUNCTION) << name;
    EXPECT_TRUE(builtin_member_is_function(module, index)) << name;
    EXPECT_EQ(row->required, required) << name;
    EXPECT_EQ(row->optional, optional) << name;
}

TEST(BuiltinCatalog, FirstAndLastMembersOfEveryModule) {
    ASSERT_EQ(std::size(kEnds), 38u);
    for (const EndsExpectation& e : kEnds) {
        int last = builtin_member_count(e.module) - 1;
        expect_member(e.module, 0, e.first, e.first_required, e.first_optional);
        expect_member(e.module, last, e.last, e.last_required, e.last_optional);
    }
}

TEST(BuiltinCatalog, MembersInsideModulesKeepTheirIndices) {
    expect_member(1, 1, "Compile", 1, 64);
    expect_member(1, 2, "Eval", 1, 64);
    expect_member(2, 3, "Sort", 1, 1);
    expect_member(6, 113, "BetaInc", 3, 0);
    expect_member(6, 114, "PI", -1, -1);
    expect_member(9, 42, "Utf8Concat", 1, 4);
    expect_member(10, 12, "ReadAsync", 1, 3);
    expect_member(12, 24, "ReadKey", 0, 0);
    expect_member(12, 25, "ConsoleColor.Default", -1, -1);
    expect_member(19, 43, "Concat", 2, 0);
    expect_member(21, 14, "MessageCount", 1, 0);
    expect_member(21, 15, "Status.New", -1, -1);
    expect_member(30, 8, "Invoke", 2, 64);
    expect_member(31, 6, "Call", 2, 4);
    expect_member(31, 9, "LAZY", -1, -1);
    expect_member(34, 23, "ObjectLike", -1, -1);
    expect_member(34, 24, "Is", 2, 0);
}

TEST(BuiltinCatalog, ExactlyTheListedMembersAreVariadic) {
    std::set<std::string> variadic;
    for (int m = 0; m < builtin_module_count(); ++m) {
        for (int i = 0; i < builtin_member_count(m); ++i) {
            const CatalogMember* row = builtin_member(m, i);
            if (row->kind == MEMBER_FUNCTION && row->optional == kVariadic)
                variadic.insert(std::string(builtin_module_name(m)) + "." + row->name);
        }
    }
    std::set<std::string> expected = {
        "VM.Compile",    "VM.Eval",         "Util.Coalesce",      "Util.CoalesceEmpty", "String.Format",
        "Console.Write", "Console.WriteLine", "Console.WriteLines", "Console.Ok",       "Console.Warn",
        "Console.Error", "Class.Invoke",    "Class.New",
    };
    EXPECT_EQ(variadic, expected);
}

TEST(BuiltinCatalog, FlagWordsComeInSixCombinations) {
    std::map<uint16_t, int> counts;
    int constants = 0;
    for (int m = 0; m < builtin_module_count(); ++m) {
        for (int i = 0; i < builtin_member_count(m); ++i) {
            const CatalogMember* row = builtin_member(m, i);
            ++counts[row->flags];
            if (row->kind == MEMBER_CONSTANT) {
                ++constants;
                EXPECT_EQ(row->flags, 0x2) << row->name;
                EXPECT_EQ(row->required, 0) << row->name;
                EXPECT_EQ(row->optional, 0) << row->name;
            } else {
                EXPECT_EQ(row->constant_type, 0) << row->name;
            }
        }
    }
    std::map<uint16_t, int> expected = {{0x2, 496}, {0x82, 249}, {0x102, 1},
                                        {0x182, 58}, {0x202, 75}, {0x302, 14}};
    EXPECT_EQ(counts, expected);
    EXPECT_EQ(constants, 76);

    EXPECT_EQ(member_of("Buffer", "Concat").flags, 0x102);  // the only 0x102 member
    EXPECT_EQ(member_of("String", "Substr").flags, 0x182);
    EXPECT_EQ(member_of("Hash", "Sha256").flags, 0x182);
    EXPECT_EQ(member_of("Buffer", "Create").flags, 0x302);
    EXPECT_EQ(member_of("Object", "HasKey").flags, 0x202);
    EXPECT_EQ(member_of("Type", "Is").flags, 0x82);
    EXPECT_EQ(member_of("Time", "TimeZoneOffsetMins").flags, 0x2);
    EXPECT_EQ(member_of("Console", "Write").flags, 0x2);
}

void expect_int(const char* module, const char* name, int64_t value) {
    const CatalogMember& row = member_of(module, name);
    EXPECT_EQ(row.kind, MEMBER_CONSTANT) << name;
    EXPECT_EQ(row.constant_type, T_INT) << name;
    EXPECT_EQ(row.int_value, value) << module << "." << name;
}

void expect_float(const char* module, const char* name, double value) {
    const CatalogMember& row = member_of(module, name);
    EXPECT_EQ(row.kind, MEMBER_CONSTANT) << name;
    EXPECT_EQ(row.constant_type, T_FLOAT) << name;
    EXPECT_EQ(row.float_value, value) << module << "." << name;
}

TEST(BuiltinCatalog, MathLimitsAreSigned64BitAndIeeeValues) {
    expect_int("Math", "UInt64Max", INT64_MAX);
    expect_int("Math", "Int64Max", INT64_MAX);
    expect_int("Math", "IntMax", INT64_MAX);
    expect_int("Math", "Int64Min", INT64_MIN);
    expect_int("Math", "IntMin", INT64_MIN);
    expect_int("Math", "Int32Min", -2147483648LL);
    expect_int("Math", "UInt32Max", 4294967295LL);
    expect_int("Math", "UInt8Max", 255);
    expect_float("Math", "PI", M_PI);
    expect_float("Math", "TAU", 2 * M_PI);
    expect_float("Math", "E", M_E);
    expect_float("Math", "Float32Min", FLT_MIN);
    expect_float("Math", "Float32Max", FLT_MAX);
    expect_float("Math", "Float32Epsilon", FLT_EPSILON);
    expect_float("Math", "Float32Lowest", -FLT_MAX);
    expect_float("Math", "Float64Min", DBL_MIN);
    expect_float("Math", "Float64Max", DBL_MAX);
    expect_float("Math", "Float64Epsilon", DBL_EPSILON);
    expect_float("Math", "FloatLowest", -DBL_MAX);
    EXPECT_TRUE(std::isinf(member_of("Math", "Infinity").float_value));
    EXPECT_GT(member_of("Math", "Infinity").float_value, 0);
    EXPECT_TRUE(std::isnan(member_of("Math", "NaN").float_value));
    EXPECT_EQ(member_of("Math", "NaN").constant_type, T_FLOAT);
}

TEST(BuiltinCatalog, TypeConstantsAreTheValueModelMasks) {
    const std::pair<const char*, uint32_t> masks[] = {
        {"Nil", T_NIL},           {"Bool", T_BOOL},
        {"Char", T_CHAR},         {"Int", T_INT},
        {"Float", T_FLOAT},       {"String", T_STRING},
        {"Array", T_ARRAY},       {"Object", T_OBJECT},
        {"Function", T_FUNCTION}, {"BuiltinFunction", T_BUILTIN},
        {"FFIFunction", T_FFI_FUNCTION}, {"BoundMethod", T_BOUND_METHOD},
        {"Class", T_CLASS},       {"Instance", T_INSTANCE},
        {"Module", T_MODULE},     {"Fiber", T_FIBER},
        {"Exception", T_EXCEPTION}, {"Stream", T_STREAM},
        {"Block", T_BLOCK},       {"Pointer", T_POINTER},
        {"Number", T_NUMBER},     {"Numeric", T_NUMERIC},
        {"Callable", T_CALLABLE}, {"ObjectLike", T_OBJECT_LIKE},
    };
    for (int i = 0; i < 24; ++i) {
        EXPECT_STREQ(builtin_member_name(34, i), masks[i].first);
        expect_int("Type", masks[i].first, masks[i].second);
    }
    expect_int("Type", "Number", 12);
    expect_int("Type", "Numeric", 142);
    expect_int("Type", "Callable", 9633792);
    expect_int("Type", "ObjectLike", 50593824);
    EXPECT_TRUE(builtin_member_is_function(34, 24));
}

TEST(BuiltinCatalog, FiberFfiConsoleAndStringConstants) {
    const char* statuses[] = {"Status.New",     "Status.Running", "Status.Suspended", "Status.Finished",
                              "Status.WaitIO",  "Status.Yield",   "Status.WaitFiber"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_STREQ(builtin_member_name(21, 15 + i), statuses[i]);
        expect_int("Fiber", statuses[i], i);
    }
    expect_int("Ffi", "LAZY", 0);
    expect_int("Ffi", "NOW", 0);
    expect_int("Ffi", "GLOBAL", 0);
    expect_int("Console", "ConsoleColor.Default", 0);
    expect_int("Console", "ConsoleColor.Red", 31);
    expect_int("Console", "ConsoleColor.Green", 32);
    expect_int("Console", "ConsoleColor.Yellow", 33);
    expect_int("Console", "ConsoleColor.Blue", 34);
    expect_int("Console", "ConsoleColor.Cyan", 36);
    // Blue comes before Yellow in the numbering.
    EXPECT_STREQ(builtin_member_name(12, 28), "ConsoleColor.Blue");
    EXPECT_STREQ(builtin_member_name(12, 29), "ConsoleColor.Yellow");

    const CatalogMember& empty = member_of("String", "Empty");
    EXPECT_EQ(empty.kind, MEMBER_CONSTANT);
    EXPECT_EQ(empty.constant_type, T_STRING);
    ASSERT_NE(empty.string_value, nullptr);
    EXPECT_STREQ(empty.string_value, "");
}

}  // namespace
}  // namespace tarvik
