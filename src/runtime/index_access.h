// runtime/index_access.h: container[key] reads and writes as the interpreter
// performs them, with every error they raise.
#pragma once

#include "runtime/value.h"

namespace tarvik {

// New reference to container[key]; nil (after raising or printing) on failure.
Value index_read(Value container, Value key);
// container[key] = value. Borrows all three; the container keeps its own reference
// to the stored value. Raises 0, 4, 6, 10, 19 or 22 and then changes nothing.
void index_write(Value container, Value key, Value value);

}  // namespace tarvik
