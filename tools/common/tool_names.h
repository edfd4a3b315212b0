// tools/common/tool_names.h: the names the assembly gives to opcodes, sub-operations,
// payload-less value tags and builtin members, in both directions.
#pragma once

#include <cstdint>
#include <string>

namespace tarvik::tools {

// Mnemonic of an opcode: the table name without "OP_", lower case ("load_const",
// "foreach", "reserved_a2"). Empty for a byte above the table.
std::string opcode_mnemonic(uint8_t op);
// Opcode of a mnemonic, case-insensitive, "OP_" prefix optional; -1 when unknown.
int opcode_from_mnemonic(const std::string& word);

// "add".."shr" for aop 0..10, "eq".."ge" for cop 0..5; null outside.
const char* aop_name(uint8_t aop);
const char* cop_name(uint8_t cop);
int aop_from_name(const std::string& word);  // -1 when unknown
int cop_from_name(const std::string& word);

// Value tags written as a bare word: "block", "builtin", ... Null for other tags.
const char* bare_tag_name(uint32_t tag);
// 0 when the word is not one of them.
uint32_t bare_tag_from_name(const std::string& word);

// "Module.Member" for a builtin pair that names a catalogue member and reads back to
// the same pair; empty otherwise.
std::string builtin_pair_name(uint8_t module, uint8_t member);
// Parses "Module.Member"; false when either part is unknown.
bool builtin_pair_from_name(const std::string& word, uint8_t& module, uint8_t& member);

}  // namespace tarvik::tools
