// package/trusted_keys.cpp: the trust decision for a signer key: the built-in key,
// then the entries of the user's trusted_keys file, read afresh on every call.
#include "package/trusted_keys.h"

#include <cstring>

#include "package/signature.h"

namespace tarvik {

namespace {

constexpr char kTrustedKeysTail[] = "/.tarvik/trusted_keys";

bool is_set(const char* value) { return value != nullptr && value[0] != '\0'; }
bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_trailing_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Joins the parts into buffer; false when the result would not leave room for the NUL.
bool join_path(char buffer[kTrustedKeysPathSize], const char* a, const char* b, const char* c) {
    size_t la = std::strlen(a), lb = std::strlen(b), lc = std::strlen(c);
    size_t total = la + lb + lc;
    if (total == 0 || total >= kTrustedKeysPathSize) return false;
    std::memcpy(buffer, a, la);
    std::memcpy(buffer + la, b, lb);
    std::memcpy(buffer + la + lb, c, lc);
    buffer[total] = '\0';
    return true;
}

// Interprets one piece of at most 255 characters as read by fgets. True when it
// holds an entry: a 64-character hex key, then an optional label cut to 63.
bool parse_entry(char* line, uint8_t key[32], char label[kTrustedKeyLabelSize]) {
    while (is_blank(*line)) ++line;
    size_t length = std::strlen(line);
    while (length > 0 && is_trailing_space(line[length - 1])) --length;
    line[length] = '\0';
    if (length == 0 || line[0] == '#') return false;

    size_t token_length = 0;
    while (token_length < length && !is_blank(line[token_length])) ++token_length;
    if (token_length != 64 || !hex_decode(line, token_length, key, 32)) return false;

    const char* rest = line + token_length;
    while (is_blank(*rest)) ++rest;
    size_t label_length = std::strlen(rest);
    if (label_length > kTrustedKeyLabelSize - 1) label_length = kTrustedKeyLabelSize - 1;
    std::memcpy(label, rest, label_length);
    label[label_length] = '\0';
    return true;
}

}  // namespace

bool trusted_keys_path_from(const char* override_path, const char* home, const char* home_drive,
                            const char* home_path, char buffer[1024]) {
    // The first rule that applies decides; a path too long for it does not fall
    // through to the next rule.
    if (is_set(override_path)) return join_path(buffer, override_path, "", "");
    if (is_set(home)) return join_path(buffer, home, kTrustedKeysTail, "");
    if (is_set(home_drive) && is_set(home_path)) return join_path(buffer, home_drive, home_path, kTrustedKeysTail);
    return false;
}

bool is_trusted_key(const uint8_t key[32], char* label_out) {
    if (label_out != nullptr) label_out[0] = '\0';
    uint8_t builtin[32];
    if (hex_decode(kBuiltinKeyHex, 64, builtin, 32) && std::memcmp(builtin, key, 32) == 0) {
        if (label_out != nullptr) {
            std::strncpy(label_out, kBuiltinKeyLabel, kTrustedKeyLabelSize - 1);
            label_out[kTrustedKeyLabelSize - 1] = '\0';
        }
        return true;
    }

    char path[kTrustedKeysPathSize];
    if (!resolve_trusted_keys_path(path)) return false;
    std::FILE* file = trusted_keys_open(path);
    if (file == nullptr) return false;

    // Entries are compared as they are read; stopping at the first match gives the
    // same answer as collecting the first 256 entries and searching them in order.
    char line[kTrustedKeysLineSize];
    uint8_t entry_key[32];
    char entry_label[kTrustedKeyLabelSize];
    bool found = false;
    int entries = 0;
    while (entries < kMaxTrustedKeys && std::fgets(line, sizeof line, file) != nullptr) {
        if (!parse_entry(line, entry_key, entry_label)) continue;
        ++entries;
        if (std::memcmp(entry_key, key, 32) == 0) {
            if (label_out != nullptr) std::memcpy(label_out, entry_label, sizeof entry_label);
            found = true;
            break;
        }
    }
    std::fclose(file);
    return found;
}

}  // namespace tarvik
