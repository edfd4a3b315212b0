// runtime/vm_options.cpp: storage of the settings record.
#include "runtime/vm_options.h"

namespace tarvik {

VmOptions g_options;

}  // namespace tarvik
