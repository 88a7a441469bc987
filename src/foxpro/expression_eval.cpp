// Evaluation of a compiled expression over one record's stored bytes.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "foxpro/cdx_key.h"
#include "foxpro/expression_node.h"
#include "foxpro/record_view.h"

namespace foxpro::expr {

namespace {

Value text(std::string s)
{
    Value v;
    v.type = ValueType::Character;
    v.text = std::move(s);
    return v;
}

Value number(double d)
{
    Value v;
    v.type = ValueType::Numeric;
    v.number = d;
    return v;
}

Value logical(bool b)
{
    Value v;
    v.type = ValueType::Logical;
    v.logical = b;
    return v;
}

Value date(std::int32_t julian)
{
    Value v;
    v.type = ValueType::Date;
    v.julian = julian < 0 ? 0 : julian;
    return v;
}

std::string trimRight(std::string s)
{
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

std::string trimLeft(std::string s)
{
    std::size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first);
}

template <typename T>
T littleEndian(std::string_view raw)
{
    unsigned char bytes[sizeof(T)] = {};
    for (std::size_t i = 0; i < sizeof(T) && i < raw.size(); ++i)
        bytes[i] = static_cast<unsigned char>(raw[i]);
    T v;
    std::memcpy(&v, bytes, sizeof(T));
    return v;
}

// Letters of Windows-1252: ASCII, the accented range 0xC0-0xFE (but for the
// multiplication and division signs) and the few letters of 0x8A-0x9F.
char upperCp1252(char c)
{
    auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 32);
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<char>(b - 32);
    if (b == 0x9A || b == 0x9C || b == 0x9E) return static_cast<char>(b - 16);
    if (b == 0xFF) return static_cast<char>(0x9F);
    return c;
}

char lowerCp1252(char c)
{
    auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 32);
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 32);
    if (b == 0x8A || b == 0x8C || b == 0x8E) return static_cast<char>(b + 16);
    if (b == 0x9F) return static_cast<char>(0xFF);
    return c;
}

Value fieldValue(const Node& node, const RecordView& record)
{
    std::string_view raw = record.rawField(node.field);
    switch (node.fieldType) {
        case FieldType::Character:
            return text(std::string(raw));
        case FieldType::Numeric:
        case FieldType::Float: {
            std::string digits = trimLeft(trimRight(std::string(raw)));
            char* end = nullptr;
            double d = std::strtod(digits.c_str(), &end);
            return number(std::isfinite(d) ? d : 0.0);
        }
        case FieldType::Integer:
            return number(littleEndian<std::int32_t>(raw));
        case FieldType::Double: {
            double d = littleEndian<double>(raw);
            return number(std::isfinite(d) ? d : 0.0);
        }
        case FieldType::Currency:
            return number(static_cast<double>(littleEndian<std::int64_t>(raw)) / 10000.0);
        case FieldType::Date:
            return date(julianFromDtos(raw));
        case FieldType::Logical:
            return logical(!raw.empty() && std::strchr("TtYy", raw[0]) && raw[0] != '\0');
        default:
            return text({});
    }
}

std::string strOf(double v, int width, int decimals)
{
    char buf[400];
    for (int dec = decimals; dec >= 0; --dec) {
        std::snprintf(buf, sizeof buf, "%*.*f", width, dec, v);
        if (static_cast<int>(std::strlen(buf)) <= width) return buf;
    }
    return std::string(static_cast<std::size_t>(width), '*');
}

std::int32_t ctod(const std::string& s)
{
    // dd/mm/yyyy, the date form of this system; anything else is the empty date.
    int d = 0, m = 0, y = 0;
    char tail = 0;
    if (std::sscanf(s.c_str(), " %d/%d/%d%c", &d, &m, &y, &tail) != 3) return 0;
    char dtos[16];
    std::snprintf(dtos, sizeof dtos, "%04d%02d%02d", y, m, d);
    std::int32_t j = julianFromDtos(dtos);
    return j < 0 ? 0 : j;
}

bool isEmpty(const Value& v)
{
    switch (v.type) {
        case ValueType::Character:
            return v.text.find_first_not_of(" \t\r\n") == std::string::npos;
        case ValueType::Numeric:
            return v.number == 0.0;
        case ValueType::Date:
            return v.julian == 0;
        case ValueType::Logical:
            return !v.logical;
    }
    return true;
}

Value callValue(const Node& node, const RecordView& record)
{
    auto arg = [&](std::size_t i) { return evaluate(*node.args[i], record); };
    switch (node.func) {
        case Func::Dtos: {
            std::string s = dtosFromJulian(arg(0).julian);
            return text(s.empty() ? std::string(8, ' ') : s);
        }
        case Func::Upper: {
            std::string s = arg(0).text;
            for (char& c : s) c = upperCp1252(c);
            return text(std::move(s));
        }
        case Func::Lower: {
            std::string s = arg(0).text;
            for (char& c : s) c = lowerCp1252(c);
            return text(std::move(s));
        }
        case Func::Alltrim:
            return text(trimLeft(trimRight(arg(0).text)));
        case Func::Trim:
            return text(trimRight(arg(0).text));
        case Func::Ltrim:
            return text(trimLeft(arg(0).text));
        case Func::Str:
            return text(strOf(arg(0).number, node.number1, node.number2));
        case Func::Ctod:
            return date(ctod(arg(0).text));
        case Func::Val: {
            double d = std::strtod(arg(0).text.c_str(), nullptr);
            return number(std::isfinite(d) ? d : 0.0);
        }
        case Func::Left:
            return text(arg(0).text.substr(0, static_cast<std::size_t>(node.number1)));
        case Func::Right: {
            std::string s = arg(0).text;
            auto n = static_cast<std::size_t>(node.number1);
            return text(n >= s.size() ? s : s.substr(s.size() - n));
        }
        case Func::Substr: {
            std::string s = arg(0).text;
            auto start = static_cast<std::size_t>(node.number1 - 1);
            if (start >= s.size()) return text({});
            return text(node.number2 < 0 ? s.substr(start)
                                         : s.substr(start, static_cast<std::size_t>(node.number2)));
        }
        case Func::Empty:
            return logical(isEmpty(arg(0)));
        case Func::Deleted:
            return logical(record.deleted());
        case Func::Iif:
            return arg(0).logical ? arg(1) : arg(2);
    }
    return text({});
}

// Text comparison pads the shorter side with blanks, so trailing blanks never
// decide an order; bytes compare unsigned, as in the indexes.
int compareText(const std::string& a, const std::string& b)
{
    std::size_t n = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        auto x = static_cast<unsigned char>(i < a.size() ? a[i] : ' ');
        auto y = static_cast<unsigned char>(i < b.size() ? b[i] : ' ');
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

int compareValues(const Value& a, const Value& b)
{
    switch (a.type) {
        case ValueType::Character:
            return compareText(a.text, b.text);
        case ValueType::Numeric:
            return a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
        case ValueType::Date:
            return a.julian < b.julian ? -1 : (a.julian > b.julian ? 1 : 0);
        case ValueType::Logical:
            return static_cast<int>(a.logical) - static_cast<int>(b.logical);
    }
    return 0;
}

bool exactlyEqual(const Value& a, const Value& b)
{
    if (a.type == ValueType::Character) return a.text == b.text;
    return compareValues(a, b) == 0;
}

Value arithmetic(const Node& node, const Value& a, const Value& b)
{
    bool add = node.op == Op::Add;
    switch (a.type) {
        case ValueType::Character: {
            if (add) return text(a.text + b.text);
            // FoxPro's "-" joins texts moving the left side's trailing blanks to the end.
            std::string left = trimRight(a.text);
            std::string joined = left + b.text;
            joined.append(a.text.size() - left.size(), ' ');
            return text(std::move(joined));
        }
        case ValueType::Date:
            if (b.type == ValueType::Date) return number(static_cast<double>(a.julian) - b.julian);
            if (a.julian == 0) return date(0);
            {
                double day = a.julian + (add ? b.number : -b.number);
                // Past the year 9999 or before year 1 there is no date to give.
                if (!(day >= 1721426.0 && day <= 5373484.0)) return date(0);
                return date(static_cast<std::int32_t>(day));
            }
        default:
            return number(add ? a.number + b.number : a.number - b.number);
    }
}

}  // namespace

Value evaluate(const Node& node, const RecordView& record)
{
    switch (node.op) {
        case Op::Literal:
            return node.literal;
        case Op::Field:
            return fieldValue(node, record);
        case Op::Call:
            return callValue(node, record);
        case Op::Not:
            return logical(!evaluate(*node.args[0], record).logical);
        case Op::Negate:
            return number(-evaluate(*node.args[0], record).number);
        case Op::And:
            return logical(evaluate(*node.args[0], record).logical &&
                           evaluate(*node.args[1], record).logical);
        case Op::Or:
            return logical(evaluate(*node.args[0], record).logical ||
                           evaluate(*node.args[1], record).logical);
        default:
            break;
    }
    Value a = evaluate(*node.args[0], record);
    Value b = evaluate(*node.args[1], record);
    switch (node.op) {
        case Op::Add:
        case Op::Subtract:
            return arithmetic(node, a, b);
        case Op::Multiply:
            return number(a.number * b.number);
        case Op::Divide:
            if (b.number == 0.0) throw Error({}, "division by zero in an expression");
            return number(a.number / b.number);
        case Op::Equal:
            if (a.type == ValueType::Character) return logical(trimRight(a.text) == trimRight(b.text));
            return logical(compareValues(a, b) == 0);
        case Op::ExactEqual:
            return logical(exactlyEqual(a, b));
        case Op::NotEqual:
            if (a.type == ValueType::Character) return logical(trimRight(a.text) != trimRight(b.text));
            return logical(compareValues(a, b) != 0);
        case Op::Less:
            return logical(compareValues(a, b) < 0);
        case Op::LessEqual:
            return logical(compareValues(a, b) <= 0);
        case Op::Greater:
            return logical(compareValues(a, b) > 0);
        case Op::GreaterEqual:
            return logical(compareValues(a, b) >= 0);
        case Op::Contains:
            return logical(!a.text.empty() && b.text.find(a.text) != std::string::npos);
        default:
            return logical(false);
    }
}

}  // namespace foxpro::expr
