// stdlib/stdlib_register.h: the door of the stdlib room. The driver registers every
// implemented module's natives once, before the builtin registry is built.
#pragma once

namespace tarvik {

// Attaches the natives of every implemented module to the catalogue. Call once,
// before builtin_registry_init(); calling it again is harmless.
void stdlib_register_all();

// One per module folder; stdlib_register_all calls each of them.
void console_register_natives();
void type_register_natives();
void object_register_natives();
void math_register_natives();
void fiber_register_natives();
void timers_register_natives();
void event_register_natives();
void vm_register_natives();
void debug_register_natives();
void file_register_natives();
void path_register_natives();
void directory_register_natives();
void stream_register_natives();
// The networking members of Stream (the other members register separately).
void stream_net_register_natives();
void filewatch_register_natives();

}  // namespace tarvik
