// engine/collections_module.h: the Collections builtin module, constructors of the
// builtin container classes (Stack, Queue, HashMap, PriorityQueue, MaxPriorityQueue,
// LinkedList, Set, OrderedMap). It lives in the engine because the containers are
// class instances with native methods.
#pragma once

#include "runtime/value.h"

namespace tarvik {

// Attaches the Collections module's natives. Call once, before
// builtin_registry_init(), next to class_module_register().
void collections_module_register();

// The shared class behind a container name ("Stack", ...), built on first use;
// null for an unknown name or when building failed (after raising).
ObjHeader* collections_class(const char* name);

// Frees the shared classes and their static names, so that a later use builds them
// again on a fresh heap. No container instance may be alive.
void collections_release_classes();
// After the heap teardown: forgets the classes and names, whose slots went with the
// heap, so that a VM started again in this process builds them anew.
void collections_forget_classes();

}  // namespace tarvik
