// tools/asm/asm_lexer.cpp: the line tokenizer of the assembly language.
#include "tools/asm/asm_lexer.h"

#include <cstring>

namespace tarvik::tools {

namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == ','; }
bool ends_word(char c) { return is_space(c) || c == ';' || c == '"' || c == '\'' || c == '=' || c == '\n'; }

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class LineLexer {
public:
    LineLexer(const std::string& line) : s_(line) {}

    bool run(SourceLine& out, std::string& error) {
        bool at_start = true;
        for (;;) {
            while (pos_ < s_.size() && is_space(s_[pos_])) ++pos_;
            if (pos_ >= s_.size() || s_[pos_] == ';') return true;
            Token token;
            if (!read_token(token, error)) return false;
            if (token.kind == TokenKind::Word && pos_ < s_.size() && s_[pos_] == '=') {
                ++pos_;
                Token value;
                if (pos_ >= s_.size() || is_space(s_[pos_]) || s_[pos_] == ';') {
                    error = "attribute '" + token.text + "=' has no value";
                    return false;
                }
                if (!read_token(value, error)) return false;
                if (value.kind == TokenKind::Word && value.text.empty()) {
                    error = "attribute '" + token.text + "=' has no value";
                    return false;
                }
                token.kind = TokenKind::Attr;
                token.value_kind = value.kind;
                token.value_text = value.text;
                token.value_code = value.code;
                at_start = false;
                out.tokens.push_back(std::move(token));
                continue;
            }
            if (at_start && token.kind == TokenKind::Word && token.text.size() > 1 && token.text.back() == ':') {
                token.text.pop_back();
                out.labels.push_back(token.text);
                continue;
            }
            at_start = false;
            out.tokens.push_back(std::move(token));
        }
    }

private:
    bool read_token(Token& token, std::string& error) {
        char c = s_[pos_];
        if (c == '"') {
            token.kind = TokenKind::String;
            ++pos_;
            for (;;) {
                if (pos_ >= s_.size()) {
                    error = "unterminated string literal";
                    return false;
                }
                char d = s_[pos_];
                if (d == '"') {
                    ++pos_;
                    return true;
                }
                if (d == '\\') {
                    int byte = 0;
                    if (!read_escape(byte, error)) return false;
                    token.text += char(byte);
                } else {
                    token.text += d;
                    ++pos_;
                }
            }
        }
        if (c == '\'') {
            token.kind = TokenKind::Char;
            ++pos_;
            if (pos_ >= s_.size() || s_[pos_] == '\'') {
                error = "empty character literal";
                return false;
            }
            if (s_[pos_] == '\\') {
                int byte = 0;
                if (!read_escape(byte, error)) return false;
                token.code = uint32_t(byte);
            } else if (!read_utf8(token.code)) {
                error = "invalid UTF-8 in character literal";
                return false;
            }
            if (pos_ >= s_.size() || s_[pos_] != '\'') {
                error = "character literal holds more than one character";
                return false;
            }
            ++pos_;
            return true;
        }
        if (c == '=') {
            error = "unexpected '='";
            return false;
        }
        token.kind = TokenKind::Word;
        size_t start = pos_;
        while (pos_ < s_.size() && !ends_word(s_[pos_])) ++pos_;
        token.text = s_.substr(start, pos_ - start);
        return true;
    }

    // At a backslash; leaves pos_ after the escape.
    bool read_escape(int& byte, std::string& error) {
        ++pos_;
        if (pos_ >= s_.size()) {
            error = "backslash at end of line";
            return false;
        }
        char e = s_[pos_++];
        switch (e) {
        case 'n': byte = '\n'; return true;
        case 'r': byte = '\r'; return true;
        case 't': byte = '\t'; return true;
        case '0': byte = 0; return true;
        case '\\': byte = '\\'; return true;
        case '"': byte = '"'; return true;
        case '\'': byte = '\''; return true;
        case 'x': {
            int hi = pos_ < s_.size() ? hex_digit(s_[pos_]) : -1;
            int lo = pos_ + 1 < s_.size() ? hex_digit(s_[pos_ + 1]) : -1;
            if (hi < 0 || lo < 0) {
                error = "\\x needs two hexadecimal digits";
                return false;
            }
            pos_ += 2;
            byte = hi << 4 | lo;
            return true;
        }
        default:
            error = std::string("unknown escape \\") + e;
            return false;
        }
    }

    bool read_utf8(uint32_t& code) {
        uint8_t b0 = uint8_t(s_[pos_]);
        int extra = b0 < 0x80 ? 0 : (b0 >> 5) == 6 ? 1 : (b0 >> 4) == 14 ? 2 : (b0 >> 3) == 30 ? 3 : -1;
        if (extra < 0 || pos_ + size_t(extra) >= s_.size() + (extra == 0 ? 1 : 0)) return false;
        code = extra == 0 ? b0 : extra == 1 ? (b0 & 0x1F) : extra == 2 ? (b0 & 0x0F) : (b0 & 0x07);
        for (int i = 1; i <= extra; ++i) {
            uint8_t b = uint8_t(s_[pos_ + size_t(i)]);
            if ((b >> 6) != 2) return false;
            code = code << 6 | (b & 0x3F);
        }
        pos_ += size_t(extra) + 1;
        return true;
    }

    const std::string& s_;
    size_t pos_ = 0;
};

}  // namespace

bool lex_source(const std::string& text, std::vector<SourceLine>& lines, int& error_line,
                std::string& error) {
    size_t start = 0;
    int number = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        ++number;
        std::string line = text.substr(start, end - start);
        if (line.find('\0') != std::string::npos) {
            error_line = number;
            error = "NUL byte in source";
            return false;
        }
        SourceLine out;
        out.number = number;
        LineLexer lexer(line);
        if (!lexer.run(out, error)) {
            error_line = number;
            return false;
        }
        if (!out.labels.empty() || !out.tokens.empty()) lines.push_back(std::move(out));
        if (end == text.size()) break;
        start = end + 1;
    }
    return true;
}

}  // namespace tarvik::tools
