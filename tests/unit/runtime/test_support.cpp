// tests/unit/runtime/test_support.cpp: the recording error sink and heap set-up.
#include "runtime/test_support.h"

#include "runtime/block_registry.h"
#include "runtime/errors.h"
#include "runtime/string.h"

namespace tarvik::test {
namespace {

std::vector<RaisedError> g_errors;

bool sink_has_fiber() { return true; }
void sink_raise(int code, const char* message) { g_errors.push_back({code, message ? message : ""}); }
bool sink_pending() { return !g_errors.empty(); }

const ErrorSink kRecordingSink{sink_has_fiber, sink_raise, sink_pending};

}  // namespace

std::vector<RaisedError>& raised_errors() { return g_errors; }
void clear_raised_errors() { g_errors.clear(); }

void runtime_setup(const HeapConfig& config) {
    g_errors.clear();
    error_set_sink(&kRecordingSink);
    heap_init(config);
}

void runtime_teardown() {
    heap_shutdown(HeapReportOptions{});
    block_registry_reset();
    error_set_sink(nullptr);
    g_errors.clear();
}

std::string str(Value v) {
    if (!is_string(v)) return "<not a string>";
    const ObjHeader* s = as_obj(v);
    return std::string(string_chars(s), string_length(s));
}

}  // namespace tarvik::test
