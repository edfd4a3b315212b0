// tools/asm/asm_code.cpp: instruction lines. Parsing checks each operand against
// the kind the opcode table gives it; encoding resolves labels and writes the bytes.
#include "tools/asm/asm_code.h"

#include "tools/asm/asm_parser.h"
#include "tools/common/byte_writer.h"
#include "tools/common/tool_names.h"
#include "tools/common/tool_text.h"

namespace tarvik::tools {

namespace {

bool is_label_name(const std::string& s) {
    if (s.empty() || !((s[0] >= 'a' && s[0] <= 'z') || (s[0] >= 'A' && s[0] <= 'Z') || s[0] == '_')) return false;
    for (char c : s) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '.')) {
            return false;
        }
    }
    return true;
}

// Reads one operand token as `kind` into a field.
bool parse_operand(Parser& p, const SourceLine& line, const Token& t, OperandKind kind, OperandField& f) {
    f.kind = kind;
    f.line = line.number;
    f.form = OperandField::Number;
    const std::string kname = operand_kind_name(kind);
    auto number = [&](unsigned width) {
        ParsedInt v;
        if (t.kind != TokenKind::Word || !parse_int_text(t.text, v)) {
            return p.fail(line, kname + " operand: expected a number, got '" + t.text + "'");
        }
        if (!int_fits(v, width, f.number)) {
            return p.fail(line, kname + " operand " + t.text + " does not fit in " + std::to_string(width * 8) + " bits");
        }
        return true;
    };
    switch (kind) {
    case OPND_K16: case OPND_NAME16: case OPND_FN16:
        if (t.kind == TokenKind::String) {
            f.form = OperandField::Text;
            f.name = t.text;
            return true;
        }
        if (t.kind == TokenKind::Word && !t.text.empty() && t.text[0] == '$') {
            f.form = OperandField::Symbol;
            f.name = t.text.substr(1);
            return true;
        }
        return number(2);
    case OPND_SLOT_OPT:
        if (t.kind == TokenKind::Word && to_lower(t.text) == "none") {
            f.number = 0xFF;
            return true;
        }
        return number(1);
    case OPND_AOP: case OPND_COP: {
        int named = t.kind == TokenKind::Word ? (kind == OPND_AOP ? aop_from_name(t.text) : cop_from_name(t.text)) : -1;
        if (named >= 0) {
            f.number = uint64_t(named);
            return true;
        }
        return number(1);
    }
    case OPND_U32IMM:
        if (t.kind == TokenKind::Char) {
            f.number = t.code;
            return true;
        }
        return number(4);
    case OPND_F32: {
        if (t.kind == TokenKind::Attr && t.text == "bits") {
            ParsedInt v;
            if (!parse_int_text(t.value_text, v) || !int_fits(v, 4, f.number)) return p.fail(line, "f32: invalid bits=");
            return true;
        }
        double d = 0;
        if (t.kind != TokenKind::Word || !parse_float_text(t.text, d)) {
            return p.fail(line, "f32 operand: expected a float or bits=0x...");
        }
        float narrowed = 0;
        if (!double_to_float(d, narrowed)) return p.fail(line, "f32 operand " + t.text + " is out of float range");
        f.number = float_bits(narrowed);
        return true;
    }
    case OPND_REL16: case OPND_BACK16: case OPND_ABS16: {
        ParsedInt v;
        if (t.kind == TokenKind::Word && !parse_int_text(t.text, v) && is_label_name(t.text)) {
            f.form = OperandField::Label;
            f.name = t.text;
            return true;
        }
        return number(2);
    }
    default:
        if (t.kind == TokenKind::Attr) return p.fail(line, "unexpected attribute '" + t.text + "='");
        return number(operand_width(kind) == 0 ? 1 : operand_width(kind));
    }
}

}  // namespace

bool parse_instruction(Parser& p, const SourceLine& line, CodeItem& out) {
    const std::string& mnemonic = line.tokens[0].text;
    int op = opcode_from_mnemonic(mnemonic);
    if (op < 0) return p.fail(line, "unknown instruction '" + mnemonic + "'");
    const OpcodeInfo& info = kOpcodeTable[op];
    out.kind = CodeItem::Instruction;
    out.line = line.number;
    out.opcode = uint8_t(op);
    std::vector<const Token*> args;
    for (size_t i = 1; i < line.tokens.size(); ++i) args.push_back(&line.tokens[i]);
    auto add = [&](const Token& t, OperandKind kind) {
        OperandField f;
        if (!parse_operand(p, line, t, kind, f)) return false;
        out.fields.push_back(std::move(f));
        return true;
    };
    auto count_field = [&](OperandKind kind, size_t n) {
        OperandField f;
        f.kind = kind;
        f.line = line.number;
        f.number = n;
        out.fields.push_back(f);
    };
    const std::string name = opcode_mnemonic(uint8_t(op));

    if (op == OP_JUMP_TABLE) {
        // jump_table MIN MAX CASE... default DEFAULT
        if (args.size() < 4 || args[args.size() - 2]->kind != TokenKind::Word ||
            to_lower(args[args.size() - 2]->text) != "default") {
            return p.fail(line, "jump_table: expected MIN MAX CASE... default TARGET");
        }
        size_t cases = args.size() - 4;
        if (cases > 255) return p.fail(line, "jump_table: at most 255 cases");
        if (!add(*args[0], OPND_I32) || !add(*args[1], OPND_I32)) return false;
        count_field(OPND_CASE_COUNT, cases);
        for (size_t i = 0; i < cases; ++i) {
            if (!add(*args[2 + i], OPND_ABS16)) return false;
        }
        return add(*args.back(), OPND_ABS16);
    }
    if (op == OP_MAKE_CLOSURE) {
        // make_closure FN (NAME SLOT)...
        if (args.empty() || args.size() % 2 != 1) {
            return p.fail(line, "make_closure: expected a function and then name/slot pairs");
        }
        size_t captures = (args.size() - 1) / 2;
        if (captures > 255) return p.fail(line, "make_closure: at most 255 captures");
        if (!add(*args[0], OPND_FN16)) return false;
        count_field(OPND_CAPTURE_COUNT, captures);
        for (size_t i = 0; i < captures; ++i) {
            if (!add(*args[1 + 2 * i], OPND_NAME16) || !add(*args[2 + 2 * i], OPND_SLOT)) return false;
        }
        return true;
    }
    if (info.operand_count >= 2 && info.operands[0] == OPND_MOD && info.operands[1] == OPND_FN && args.size() == 1) {
        uint8_t module = 0, member = 0;
        if (args[0]->kind != TokenKind::Word || !builtin_pair_from_name(args[0]->text, module, member)) {
            return p.fail(line, name + ": unknown builtin '" + args[0]->text + "' (expected Module.Member or two numbers)");
        }
        count_field(OPND_MOD, module);
        count_field(OPND_FN, member);
        return true;
    }
    size_t required = info.operand_count;
    bool spare_optional = info.operand_count > 0 && info.operands[info.operand_count - 1] == OPND_SPARE4;
    if (args.size() != required && !(spare_optional && args.size() + 1 == required)) {
        std::string shape;
        for (uint32_t i = 0; i < info.operand_count; ++i) shape += std::string(" ") + operand_kind_name(info.operands[i]);
        return p.fail(line, name + " takes " + std::to_string(required) + " operand" + (required == 1 ? "" : "s") +
                                (required ? " (" + shape.substr(1) + ")" : "") + ", got " + std::to_string(args.size()));
    }
    for (uint32_t i = 0; i < info.operand_count; ++i) {
        if (i >= args.size()) {
            count_field(info.operands[i], 0);  // the optional spare bytes of OP_EXPORT
            continue;
        }
        if (!add(*args[i], info.operands[i])) return false;
    }
    return true;
}

bool resolve_code_constants(ChunkDef& chunk, const std::function<int(const std::string&)>& find_text,
                            int& error_line, std::string& error) {
    std::map<std::string, size_t> symbols;
    for (size_t i = 0; i < chunk.consts.size(); ++i) {
        const ConstDef& c = chunk.consts[i];
        if (c.symbol.empty()) continue;
        if (!symbols.emplace(c.symbol, i).second) {
            error_line = c.line;
            error = "symbol $" + c.symbol + " is defined twice";
            return false;
        }
    }
    for (CodeItem& item : chunk.code) {
        for (OperandField& f : item.fields) {
            if (f.form == OperandField::Symbol) {
                auto it = symbols.find(f.name);
                if (it == symbols.end()) {
                    error_line = f.line;
                    error = "undefined symbol $" + f.name;
                    return false;
                }
                f.number = it->second;
            } else if (f.form == OperandField::Text) {
                int index = find_text(f.name);
                if (index < 0) {
                    ConstDef def;
                    def.line = f.line;
                    def.value = std::make_unique<Value>();
                    def.value->line = f.line;
                    def.value->kind = ValueKind::String;
                    def.value->text = f.name;
                    chunk.consts.push_back(std::move(def));
                    index = int(chunk.consts.size() - 1);
                }
                f.number = uint64_t(index);
            } else {
                continue;
            }
            if (f.number > 0xFFFF) {
                error_line = f.line;
                error = "constant index " + std::to_string(f.number) + " does not fit a u16 operand";
                return false;
            }
            f.form = OperandField::Number;
        }
    }
    return true;
}

bool encode_code(ChunkDef& chunk, int& error_line, std::string& error) {
    // Pass 1: offsets of instructions and labels.
    std::map<std::string, uint64_t> labels;
    std::vector<uint64_t> offsets(chunk.code.size());
    uint64_t ip = 0;
    for (size_t i = 0; i < chunk.code.size(); ++i) {
        CodeItem& item = chunk.code[i];
        offsets[i] = ip;
        if (item.kind == CodeItem::Label) {
            if (!labels.emplace(item.label, ip).second) {
                error_line = item.line;
                error = "label '" + item.label + "' is defined twice";
                return false;
            }
        } else if (item.kind == CodeItem::Raw) {
            ip += item.raw.size();
        } else {
            uint64_t length = 1;
            for (const OperandField& f : item.fields) length += operand_width(f.kind);
            ip += length;
        }
    }
    if (ip > 0xFFFFFFFFull) {
        error_line = chunk.line;
        error = "code is larger than 4 GiB";
        return false;
    }
    // Pass 2: bytes.
    chunk.code_bytes.clear();
    chunk.code_bytes.reserve(size_t(ip));
    chunk.max_slot = -1;
    for (size_t i = 0; i < chunk.code.size(); ++i) {
        CodeItem& item = chunk.code[i];
        if (item.kind == CodeItem::Raw) {
            put_bytes(chunk.code_bytes, item.raw.data(), item.raw.size());
            continue;
        }
        if (item.kind != CodeItem::Instruction) continue;
        uint64_t length = 1;
        for (const OperandField& f : item.fields) length += operand_width(f.kind);
        uint64_t next = offsets[i] + length;
        put_u8(chunk.code_bytes, item.opcode);
        if (item.opcode >= OP_GET_LOCAL_0 && item.opcode <= OP_SET_LOCAL_3) {
            int slot = (item.opcode - OP_GET_LOCAL_0) & 3;
            if (slot > chunk.max_slot) chunk.max_slot = slot;
        }
        for (const OperandField& f : item.fields) {
            uint64_t value = f.number;
            if (f.form == OperandField::Label) {
                auto it = labels.find(f.name);
                if (it == labels.end()) {
                    error_line = f.line;
                    error = "undefined label '" + f.name + "'";
                    return false;
                }
                uint64_t target = it->second;
                int64_t distance = 0;
                const char* what = "";
                if (f.kind == OPND_REL16) {
                    distance = int64_t(target) - int64_t(next);
                    what = distance < 0 ? " lies behind the jump (a forward jump cannot go back; use loop)"
                                        : " is too far for a 16-bit distance";
                } else if (f.kind == OPND_BACK16) {
                    distance = int64_t(next) - int64_t(target);
                    what = distance < 0 ? " lies ahead of the jump (loop only goes back)"
                                        : " is too far for a 16-bit distance";
                } else {
                    distance = int64_t(target);
                    what = " lies beyond offset 65535, out of reach of an abs16 operand";
                }
                if (distance < 0 || distance > 0xFFFF) {
                    error_line = f.line;
                    error = "jump target '" + f.name + "'" + what;
                    return false;
                }
                value = uint64_t(distance);
            } else if (f.form != OperandField::Number) {
                error_line = f.line;
                error = "unresolved operand";
                return false;
            }
            if ((f.kind == OPND_SLOT || (f.kind == OPND_SLOT_OPT && value != 0xFF)) && int(value) > chunk.max_slot) {
                chunk.max_slot = int(value);
            }
            put_le(chunk.code_bytes, value, operand_width(f.kind));
        }
    }
    return true;
}

}  // namespace tarvik::tools
