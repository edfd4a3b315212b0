// tools/common/tool_names.cpp: mnemonics and operand names over the shared opcode
// table and builtin catalogue.
#include "tools/common/tool_names.h"

#include <cstring>
#include <unordered_map>

#include "engine/opcode_table.h"
#include "runtime/builtin_catalog.h"

namespace tarvik::tools {

namespace {
constexpr const char* kAopNames[] = {"add", "sub", "mul", "div", "mod", "pow",
                                     "and", "or", "xor", "shl", "shr"};
constexpr const char* kCopNames[] = {"eq", "ne", "lt", "gt", "le", "ge"};

struct BareTag {
    const char* name;
    uint32_t tag;
};
constexpr BareTag kBareTags[] = {
    {"block", 0x100}, {"builtin", 0x20000}, {"module", 0x40000},
    {"exception", 0x80000}, {"bound_method", 0x100000}, {"pointer", 0x200000},
};

std::string lower(const std::string& s) {
    std::string out = s;
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return out;
}
}  // namespace

std::string opcode_mnemonic(uint8_t op) {
    const OpcodeInfo* info = opcode_info(op);
    if (!info) return "";
    const char* name = info->name;
    if (std::strncmp(name, "OP_", 3) == 0) name += 3;
    return lower(name);
}

int opcode_from_mnemonic(const std::string& word) {
    // Built once: large sources look up a mnemonic per line.
    static const std::unordered_map<std::string, int> by_name = [] {
        std::unordered_map<std::string, int> map;
        for (uint32_t op = 0; op < kOpcodeCount; ++op) map.emplace(opcode_mnemonic(uint8_t(op)), int(op));
        return map;
    }();
    std::string w = lower(word);
    if (w.rfind("op_", 0) == 0) w = w.substr(3);
    auto it = by_name.find(w);
    return it == by_name.end() ? -1 : it->second;
}

const char* aop_name(uint8_t aop) { return aop < std::size(kAopNames) ? kAopNames[aop] : nullptr; }
const char* cop_name(uint8_t cop) { return cop < std::size(kCopNames) ? kCopNames[cop] : nullptr; }

int aop_from_name(const std::string& word) {
    std::string w = lower(word);
    for (size_t i = 0; i < std::size(kAopNames); ++i) {
        if (w == kAopNames[i]) return int(i);
    }
    return -1;
}

int cop_from_name(const std::string& word) {
    std::string w = lower(word);
    for (size_t i = 0; i < std::size(kCopNames); ++i) {
        if (w == kCopNames[i]) return int(i);
    }
    return -1;
}

const char* bare_tag_name(uint32_t tag) {
    for (const BareTag& t : kBareTags) {
        if (t.tag == tag) return t.name;
    }
    return nullptr;
}

uint32_t bare_tag_from_name(const std::string& word) {
    std::string w = lower(word);
    for (const BareTag& t : kBareTags) {
        if (w == t.name) return t.tag;
    }
    return 0;
}

std::string builtin_pair_name(uint8_t module, uint8_t member) {
    const char* module_name = builtin_module_name(module);
    const char* member_name = builtin_member_name(module, member);
    if (!module_name || !member_name) return "";
    std::string name = std::string(module_name) + "." + member_name;
    uint8_t m = 0, f = 0;
    if (!builtin_pair_from_name(name, m, f) || m != module || f != member) return "";
    return name;
}

bool builtin_pair_from_name(const std::string& word, uint8_t& module, uint8_t& member) {
    size_t dot = word.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 >= word.size()) return false;
    int m = builtin_module_index(word.substr(0, dot).c_str());
    if (m < 0 || m > 255) return false;
    int f = builtin_member_index(m, word.substr(dot + 1).c_str());
    if (f < 0 || f > 255) return false;
    module = uint8_t(m);
    member = uint8_t(f);
    return true;
}

}  // namespace tarvik::tools
