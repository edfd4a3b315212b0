// engine/class_module.h: the Class builtin module (reflection over classes and
// instances). It lives in the engine because its members need the class model.
#pragma once

namespace tarvik {

// Attaches the Class module's natives and installs the field access the Object
// module reads instance and class fields through. Call once, before
// builtin_registry_init(), next to stdlib_register_all().
void class_module_register();

}  // namespace tarvik
