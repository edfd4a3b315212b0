// tools/dis/dis_code.cpp: the code bytes of one chunk as instructions. Jump targets
// that land on an instruction (or the end of the code) become labels L<offset>;
// bytes that do not form a whole instruction are written as `.bytes`.
#include <set>

#include "engine/opcode_table.h"
#include "tools/common/byte_writer.h"
#include "tools/common/tool_names.h"
#include "tools/common/tool_text.h"
#include "tools/dis/dis_internal.h"

namespace tarvik::tools {

namespace {

struct Item {
    uint32_t ip;
    uint32_t length;
    bool is_instruction;
};

// Splits the code into instructions and undecodable bytes, resynchronising one
// byte after an unknown opcode.
std::vector<Item> split_code(const uint8_t* code, uint32_t size) {
    std::vector<Item> items;
    uint32_t ip = 0;
    while (ip < size) {
        uint32_t length = instruction_length(code, size, ip);
        if (length == 0 || length > size - ip) {
            bool unknown = code[ip] >= kOpcodeCount;
            uint32_t n = unknown ? 1 : size - ip;
            items.push_back({ip, n, false});
            ip += n;
            continue;
        }
        items.push_back({ip, length, true});
        ip += length;
    }
    return items;
}

// Calls f(kind, offset) for each operand field of the instruction at ip.
template <typename F>
void for_each_field(const uint8_t* at, F&& f) {
    const OpcodeInfo& info = kOpcodeTable[at[0]];
    uint32_t offset = 1;
    uint32_t list_count = 0;
    for (uint32_t i = 0; i < info.operand_count; ++i) {
        OperandKind kind = info.operands[i];
        if (kind == OPND_CASES) {
            for (uint32_t k = 0; k < list_count; ++k, offset += 2) f(OPND_ABS16, offset, k == 0);
            continue;
        }
        if (kind == OPND_CAPTURES) {
            for (uint32_t k = 0; k < list_count; ++k) {
                f(OPND_NAME16, offset, false);
                f(OPND_SLOT, offset + 2, false);
                offset += 3;
            }
            continue;
        }
        if (kind == OPND_CASE_COUNT || kind == OPND_CAPTURE_COUNT) list_count = at[offset];
        f(kind, offset, false);
        offset += operand_width(kind);
    }
}

// Jump targets of one instruction (distances may point anywhere, even outside).
void collect_targets(const uint8_t* at, uint32_t ip, uint32_t length, std::set<int64_t>& targets) {
    for_each_field(at, [&](OperandKind kind, uint32_t offset, bool) {
        if (kind != OPND_REL16 && kind != OPND_BACK16 && kind != OPND_ABS16) return;
        int64_t v = int64_t(load_le(at + offset, 2));
        int64_t next = int64_t(ip) + length;
        if (kind == OPND_REL16) targets.insert(next + v);
        else if (kind == OPND_BACK16) targets.insert(next - v);
        else if (kind == OPND_ABS16) targets.insert(v);
    });
}

std::string label_name(int64_t target) { return "L" + std::to_string(target); }

constexpr size_t kNopRun = 16;

}  // namespace

void write_code(std::string& out, int level, const uint8_t* code, uint32_t size, const CodeContext& context) {
    std::vector<Item> items = split_code(code, size);
    std::set<int64_t> boundaries, targets, labels;
    for (const Item& item : items) {
        boundaries.insert(item.ip);
        if (item.is_instruction) collect_targets(code + item.ip, item.ip, item.length, targets);
    }
    boundaries.insert(size);
    for (int64_t t : targets) {
        if (boundaries.count(t)) labels.insert(t);
    }
    std::string pad = indent_text(level);
    std::string label_pad = indent_text(level > 0 ? level - 1 : 0) + "  ";
    size_t i = 0;
    while (i < items.size()) {
        const Item& item = items[i];
        if (labels.count(item.ip)) out += label_pad + label_name(item.ip) + ":\n";
        if (!item.is_instruction) {
            // Merge undecodable bytes up to the next label or instruction.
            uint32_t begin = item.ip, end = item.ip + item.length;
            while (i + 1 < items.size() && !items[i + 1].is_instruction && !labels.count(items[i + 1].ip)) {
                ++i;
                end = items[i].ip + items[i].length;
            }
            if (context.comments) {
                out += pad + "; [" + std::to_string(begin) + "] " +
                       (code[begin] >= kOpcodeCount ? "unknown opcode" : "instruction cut short by the end of the code") +
                       "\n";
            }
            write_raw_lines(out, level, code, begin, end);
            ++i;
            continue;
        }
        if (code[item.ip] == OP_NOP) {
            // A long run of nops (padding) reads better as one .zero line.
            size_t last = i;
            while (last + 1 < items.size() && code[items[last + 1].ip] == OP_NOP && items[last + 1].is_instruction &&
                   !labels.count(items[last + 1].ip)) {
                ++last;
            }
            if (last - i + 1 >= kNopRun) {
                out += pad + ".zero " + std::to_string(last - i + 1) + (context.comments ? "    ; nop\n" : "\n");
                i = last + 1;
                continue;
            }
        }
        const uint8_t* at = code + item.ip;
        uint8_t op = at[0];
        std::string text = pad + opcode_mnemonic(op);
        std::string comment;
        const OpcodeInfo& info = kOpcodeTable[op];
        bool builtin = info.operand_count >= 2 && info.operands[0] == OPND_MOD && info.operands[1] == OPND_FN;
        std::string builtin_name = builtin ? builtin_pair_name(at[1], at[2]) : "";
        for_each_field(at, [&](OperandKind kind, uint32_t offset, bool first_case) {
            uint64_t raw = load_le(at + offset, operand_width(kind) ? operand_width(kind) : 1);
            int64_t next = int64_t(item.ip) + item.length;
            auto jump = [&](int64_t target) {
                text += " " + (labels.count(target) ? label_name(target) : std::to_string(raw));
            };
            switch (kind) {
            case OPND_CASE_COUNT: case OPND_CAPTURE_COUNT:
                return;  // implied by the list that follows
            case OPND_MOD:
                text += " " + (builtin_name.empty() ? std::to_string(raw) : builtin_name);
                return;
            case OPND_FN:
                if (builtin_name.empty()) text += " " + std::to_string(raw);
                return;
            case OPND_K16: case OPND_NAME16: case OPND_FN16:
                text += " " + std::to_string(raw);
                if (context.comments && context.constants) {
                    comment += comment.empty() ? "" : ", ";
                    comment += raw < context.constants->size() ? (*context.constants)[raw] : "no such constant";
                }
                return;
            case OPND_SLOT_OPT:
                text += raw == 0xFF ? std::string(" none") : " " + std::to_string(raw);
                return;
            case OPND_AOP: case OPND_COP: {
                const char* name = kind == OPND_AOP ? aop_name(uint8_t(raw)) : cop_name(uint8_t(raw));
                text += " " + (name ? std::string(name) : std::to_string(raw));
                return;
            }
            case OPND_I8: text += " " + std::to_string(int8_t(raw)); return;
            case OPND_I16: text += " " + std::to_string(int16_t(raw)); return;
            case OPND_I32: text += " " + std::to_string(int32_t(raw)); return;
            case OPND_U32IMM:
                if (op == OP_PUSH_CHAR && raw >= 0x20 && raw < 0x7F && raw != '\'' && raw != '\\') {
                    text += " '" + std::string(1, char(raw)) + "'";
                } else {
                    text += " " + std::to_string(raw);
                }
                return;
            case OPND_F32: {
                std::string f = format_float_exact(uint32_t(raw));
                text += " " + (f.empty() ? "bits=" + format_hex_number(raw) : f);
                return;
            }
            case OPND_SPARE4:
                if (raw) text += " " + std::to_string(raw);
                return;
            case OPND_REL16: jump(next + int64_t(raw)); return;
            case OPND_BACK16: jump(next - int64_t(raw)); return;
            case OPND_ABS16:
                // The default target of a jump table is its last abs16 operand.
                if (op == OP_JUMP_TABLE && offset == item.length - 2) text += " default";
                jump(int64_t(raw));
                (void)first_case;
                return;
            default:
                text += " " + std::to_string(raw);
                return;
            }
        });
        if (context.comments && !comment.empty()) text += "    ; " + comment;
        out += text + "\n";
        ++i;
    }
    if (labels.count(size)) out += label_pad + label_name(size) + ":\n";
}

}  // namespace tarvik::tools
