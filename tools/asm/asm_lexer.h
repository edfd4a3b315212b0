// tools/asm/asm_lexer.h: splits assembly source into lines of tokens. The lexer
// knows only the shapes of words, literals and attributes; what they mean is the
// parser's business.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvik::tools {

enum class TokenKind : uint8_t {
    Word,    // a run of characters other than white space , ; " ' =
    String,  // "..." with escapes decoded (text holds the bytes)
    Char,    // '...' decoded to one code point (code)
    Attr,    // key=value: text is the key, value the token after '='
};

struct Token {
    TokenKind kind = TokenKind::Word;
    std::string text;
    uint32_t code = 0;
    // Attr only: the value, itself a Word, String or Char.
    TokenKind value_kind = TokenKind::Word;
    std::string value_text;
    uint32_t value_code = 0;
};

struct SourceLine {
    int number = 0;                   // 1-based line in the source file
    std::vector<std::string> labels;  // "name:" words at the start of the line
    std::vector<Token> tokens;        // the rest; empty for a label-only line
};

// Tokenises the source. Blank and comment-only lines are dropped. On a lexical error
// returns false with the line number and a message.
bool lex_source(const std::string& text, std::vector<SourceLine>& lines, int& error_line,
                std::string& error);

}  // namespace tarvik::tools
