#include "foxpro/expression_lexer.h"

#include <cctype>
#include <cstdlib>

#include "foxpro/cdx_key.h"
#include "foxpro/codepage.h"
#include "foxpro/error.h"

namespace foxpro::expr {

namespace {

bool isNameStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool isNameChar(char c)
{
    return isNameStart(c) || std::isdigit(static_cast<unsigned char>(c));
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string upper(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// "{^yyyy-mm-dd}", "{^yyyy/mm/dd}", "{dd/mm/yyyy}" or an empty "{}" / "{  /  /    }".
bool dateLiteral(const std::string& inside, std::string& dtos)
{
    std::string digits;
    for (char c : inside)
        if (isDigit(c)) digits += c;
    if (digits.empty()) {
        dtos.clear();
        return inside.find_first_not_of(" /-^.") == std::string::npos;
    }
    if (digits.size() != 8) return false;
    if (!inside.empty() && inside[0] == '^')
        dtos = digits;
    else
        dtos = digits.substr(4, 4) + digits.substr(2, 2) + digits.substr(0, 2);
    return julianFromDtos(dtos) > 0;
}

struct Dotted {
    const char* word;
    Tok kind;
};

const Dotted kDotted[] = {
    {".AND.", Tok::And}, {".OR.", Tok::Or},  {".NOT.", Tok::Not}, {".T.", Tok::True},
    {".F.", Tok::False}, {".Y.", Tok::True}, {".N.", Tok::False},
};

}  // namespace

std::string errorAt(const std::string& text, std::size_t position, const std::string& what)
{
    return "expression \"" + text + "\", position " + std::to_string(position) + ": " + what;
}

std::vector<Token> tokenize(const std::string& text, const std::string& file)
{
    std::vector<Token> tokens;
    std::size_t i = 0;
    auto fail = [&](std::size_t at, const std::string& what) {
        throw Error(file, errorAt(text, utf8Length(std::string_view(text).substr(0, at)) + 1, what));
    };
    while (i < text.size()) {
        char c = text[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        Token t;
        t.position = utf8Length(std::string_view(text).substr(0, i)) + 1;
        std::size_t start = i;
        if (isNameStart(c)) {
            while (i < text.size() && isNameChar(text[i])) ++i;
            t.text = upper(text.substr(start, i - start));
            t.kind = t.text == "AND"   ? Tok::And
                     : t.text == "OR"  ? Tok::Or
                     : t.text == "NOT" ? Tok::Not
                                       : Tok::Name;
        } else if (isDigit(c) || (c == '.' && i + 1 < text.size() && isDigit(text[i + 1]))) {
            while (i < text.size() && isDigit(text[i])) ++i;
            if (i < text.size() && text[i] == '.' && i + 1 < text.size() && isDigit(text[i + 1])) {
                ++i;
                while (i < text.size() && isDigit(text[i])) ++i;
            }
            t.kind = Tok::Number;
            t.number = std::strtod(text.substr(start, i - start).c_str(), nullptr);
        } else if (c == '\'' || c == '"' || c == '[') {
            char close = c == '[' ? ']' : c;
            std::size_t end = text.find(close, i + 1);
            if (end == std::string::npos)
                fail(start, "the text that starts here has no closing " + std::string(1, close));
            t.kind = Tok::String;
            t.text = text.substr(i + 1, end - i - 1);
            i = end + 1;
        } else if (c == '{') {
            std::size_t end = text.find('}', i + 1);
            if (end == std::string::npos) fail(start, "the date that starts here has no closing }");
            t.kind = Tok::Date;
            if (!dateLiteral(text.substr(i + 1, end - i - 1), t.text))
                fail(start, "expected a date such as {^2024-12-31}");
            i = end + 1;
        } else if (c == '.') {
            bool matched = false;
            for (const Dotted& d : kDotted) {
                std::string word = d.word;
                if (upper(text.substr(i, word.size())) == word) {
                    t.kind = d.kind;
                    i += word.size();
                    matched = true;
                    break;
                }
            }
            if (!matched) fail(start, "expected .T., .F., .AND., .OR. or .NOT.");
        } else {
            struct Sym {
                const char* text;
                Tok kind;
            };
            static const Sym syms[] = {
                {"==", Tok::ExactEqual}, {"<>", Tok::NotEqual},     {"!=", Tok::NotEqual},
                {"<=", Tok::LessEqual},  {">=", Tok::GreaterEqual}, {"=", Tok::Equal},
                {"#", Tok::NotEqual},    {"<", Tok::Less},          {">", Tok::Greater},
                {"(", Tok::LParen},      {")", Tok::RParen},        {",", Tok::Comma},
                {"+", Tok::Plus},        {"-", Tok::Minus},         {"*", Tok::Star},
                {"/", Tok::Slash},       {"$", Tok::Dollar},        {"!", Tok::Not},
            };
            bool matched = false;
            for (const Sym& s : syms) {
                std::string_view sym = s.text;
                if (std::string_view(text).substr(i, sym.size()) == sym) {
                    t.kind = s.kind;
                    i += sym.size();
                    matched = true;
                    break;
                }
            }
            if (!matched)
                fail(start, "unexpected character \"" + text.substr(i, utf8CharBytes(text, i)) + "\"");
        }
        tokens.push_back(std::move(t));
    }
    Token end;
    end.kind = Tok::End;
    end.position = utf8Length(text) + 1;
    tokens.push_back(end);
    return tokens;
}

}  // namespace foxpro::expr
