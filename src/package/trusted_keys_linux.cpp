// package/trusted_keys_linux.cpp: the environment and file access behind the
// trusted_keys path. HOME takes the place of USERPROFILE; '/' is the separator.
#include <cstdio>
#include <cstdlib>

#include "package/trusted_keys.h"

namespace tarvik {

bool resolve_trusted_keys_path(char buffer[1024]) {
    return trusted_keys_path_from(std::getenv("TARVIK_TRUSTED_KEYS"), std::getenv("HOME"),
                                  std::getenv("HOMEDRIVE"), std::getenv("HOMEPATH"), buffer);
}

// "e" (close-on-exec) keeps the descriptor out of processes that scripts start.
std::FILE* trusted_keys_open(const char* path) { return std::fopen(path, "rbe"); }

}  // namespace tarvik
