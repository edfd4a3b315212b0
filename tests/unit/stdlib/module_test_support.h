// tests/unit/stdlib/module_test_support.h: a fixture with the stdlib natives
// registered and the builtin registry built, calling members as the interpreter does.
#pragma once

#include <initializer_list>
#include <vector>

#include "runtime/builtin.h"
#include "runtime/builtin_catalog.h"
#include "runtime/test_support.h"
#include "stdlib/stdlib_register.h"

namespace tarvik::test {

class ModuleTest : public RuntimeTest {
protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        stdlib_register_all();
        builtin_registry_init();
    }
    void TearDown() override {
        for (Value v : owned) release(v);
        owned.clear();
        heap_drain_queue();
        EXPECT_EQ(heap_live_count(), 0) << "a native leaked or a test kept a value";
        builtin_registry_free();
        RuntimeTest::TearDown();
    }

    static ObjHeader* member_row(const char* module, const char* member) {
        int m = builtin_module_index(module);
        return builtin_row(m, builtin_member_index(m, member));
    }

    // Holds a value until the test ends (released before the leak check).
    Value keep(Value v) {
        owned.push_back(v);
        return v;
    }

    // Calls Module.Member through the argument checks; the arguments stay with the
    // caller, the result is a new reference (kAbsent after a failed check).
    Value call(const char* module, const char* member, std::initializer_list<Value> args = {}) {
        ObjHeader* row = member_row(module, member);
        EXPECT_NE(row, nullptr) << module << "." << member;
        if (!row) return kAbsent;
        std::vector<Value> values(args);
        return builtin_invoke(row, values.data(), int(values.size()), false);
    }

    std::vector<Value> owned;
};

}  // namespace tarvik::test
