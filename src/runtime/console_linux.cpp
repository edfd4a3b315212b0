// runtime/console_linux.cpp: the console set-up. A stream counts as a terminal
// console when it is a tty; Linux terminals take ANSI sequences and UTF-8 natively.
#include <unistd.h>

#include <cstdlib>

#include "runtime/console.h"

namespace tarvik {

void console_setup() {
    g_console = console_flags_for(isatty(1) != 0, isatty(2) != 0, std::getenv("NO_COLOR"));
}

}  // namespace tarvik
