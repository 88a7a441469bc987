// Tokens of the expression language: names, numbers, quoted strings, date
// literals, dotted words (.T. .AND.) and operators, with their positions.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace foxpro::expr {

enum class Tok {
    End,
    Name,
    Number,
    String,
    Date,
    True,
    False,
    LParen,
    RParen,
    Comma,
    Plus,
    Minus,
    Star,
    Slash,
    Equal,
    ExactEqual,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Dollar,
    And,
    Or,
    Not,
};

struct Token {
    Tok kind = Tok::End;
    std::string text;  // name (upper case), string contents, or "yyyymmdd" ("" = empty date)
    double number = 0.0;
    std::size_t position = 1;  // 1-based character position in the expression
};

// Splits the text; throws foxpro::Error for an unterminated string, a bad
// date literal or a character that starts no token.
std::vector<Token> tokenize(const std::string& text, const std::string& file);

// The message prefix every expression error uses.
std::string errorAt(const std::string& text, std::size_t position, const std::string& what);

}  // namespace foxpro::expr
