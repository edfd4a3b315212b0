// runtime/exit_audit.h: the check that the VM leaves nothing behind. With
// TARVIK_EXIT_AUDIT=1 in the environment, the descriptors and threads of the
// process are noted at VM start and compared at the end of the shutdown; every one
// still there is named on standard error.
#pragma once

namespace tarvik {

// Notes the open descriptors and the threads (only when the audit is on).
void exit_audit_begin();
// Prints one line per descriptor opened and per thread started since
// exit_audit_begin that is still there; answers how many (0 when the audit is off).
int exit_audit_end();

}  // namespace tarvik
