// driver/commands.h: the information commands (--sig-info, --list-keys,
// --import-key) and the --sign key text. Each command returns its exit status.
#pragma once

#include <cstdint>

namespace tarvik {

int command_sig_info(const char* path);
int command_list_keys();
int command_import_key(const char* name, const char* hex);

// The key given as 128 hex characters or as the path of a file holding them.
// False when invalid (the key store is zeroed).
bool sign_key_from_argument(const char* argument, uint8_t key_out[64]);

}  // namespace tarvik
