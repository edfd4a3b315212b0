// stdlib/stdlib_register.cpp: the list of implemented modules.
#include "stdlib/stdlib_register.h"

namespace tarvik {

void stdlib_register_all() {
    console_register_natives();
    type_register_natives();
    object_register_natives();
    math_register_natives();
    fiber_register_natives();
    timers_register_natives();
    event_register_natives();
    vm_register_natives();
    debug_register_natives();
    file_register_natives();
    path_register_natives();
    directory_register_natives();
    stream_register_natives();
    stream_net_register_natives();
    filewatch_register_natives();
}

}  // namespace tarvik
