// package/builtin_key.cpp: the one signer key built into the program. Its secret half
// is kept outside the repository by whoever signs releases.
#include "package/trusted_keys.h"

namespace tarvik {

const char kBuiltinKeyHex[65] = "0a2c119fe5606d6b9e1b82dd6b3c35ff387f4fb81fcabd78a095591537e7917d";
const char kBuiltinKeyLabel[] = "Tarvik release key";

}  // namespace tarvik
