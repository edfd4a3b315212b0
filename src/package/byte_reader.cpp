// package/byte_reader.cpp: the reader's failure paths and the load-failure exit.
#include "package/byte_reader.h"

#include <cstdarg>
#include <cstdio>

#include "package/chunk_reader.h"
#include "runtime/console.h"
#include "runtime/errors.h"

namespace tarvik {

void load_fail(const char* format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    chunk_reader_abandon();  // a refused package leaves nothing behind for --mem to report
    print_error("%s", text);
    vm_exit(4);
}

void reader_overrun(const ByteReader& r) {
    load_fail("Unexpected end of buffer while reading bytecode (%zu/%zu)\n", r.pos, r.size);
}

void reader_skip(ByteReader& r, size_t n) {
    if (r.size - r.pos < n) load_fail("Skip out of bounds in bytecode buffer (%zu+%zu > %zu)\n", r.pos, n, r.size);
    r.pos += n;
}

void reader_seek(ByteReader& r, size_t p) {
    if (p > r.size) load_fail("Seek out of bounds in bytecode buffer (%zu > %zu)\n", p, r.size);
    r.pos = p;
}

}  // namespace tarvik
