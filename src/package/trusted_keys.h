// package/trusted_keys.h: the one key built into the program and the user's
// trusted_keys file ($TARVIK_TRUSTED_KEYS, else $HOME/.tarvik/trusted_keys, else
// HOMEDRIVE+HOMEPATH).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace tarvik {

// The built-in key as 64 lower-case hex characters, and its label.
extern const char kBuiltinKeyHex[65];
extern const char kBuiltinKeyLabel[];

// Resolves the trusted_keys path into buffer[1024]; false when no rule applies or
// the path would be longer than 1023 characters.
bool resolve_trusted_keys_path(char buffer[1024]);

constexpr size_t kTrustedKeysPathSize = 1024;  // paths have 1..1023 characters
constexpr size_t kTrustedKeysLineSize = 256;   // longer lines are read in pieces
constexpr int kMaxTrustedKeys = 256;           // entries after these are ignored
constexpr size_t kTrustedKeyLabelSize = 64;    // labels are cut to 63 characters

// Applies the path rules to the given environment values (null or empty counts as
// unset): the override as the whole path, else home + "/.tarvik/trusted_keys", else
// drive + path + "/.tarvik/trusted_keys". False when no rule applies or the path
// would not fit in buffer[1024].
bool trusted_keys_path_from(const char* override_path, const char* home, const char* home_drive,
                            const char* home_path, char buffer[1024]);

// Opens the trusted_keys file for reading (edge file); null when it cannot be opened.
std::FILE* trusted_keys_open(const char* path);

// True when the key is the built-in one or listed in the trusted_keys file; the
// label (64 bytes, may be null) receives the entry's label or is cleared.
bool is_trusted_key(const uint8_t key[32], char* label_out);

}  // namespace tarvik
