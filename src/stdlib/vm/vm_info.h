// stdlib/vm/vm_info.h: VM.GetFunctionInfo and VM.GetModuleInfo, descriptions of
// callables and builtin modules with their signature texts.
#pragma once

#include "runtime/value.h"

namespace tarvik {

// Natives of the VM module: borrow args, return a new reference.
Value vm_get_function_info(Value* args, int count);
Value vm_get_module_info(Value* args, int count);

}  // namespace tarvik
