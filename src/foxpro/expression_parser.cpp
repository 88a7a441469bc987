// Recursive-descent parser of the expression language with type checking.
// Precedence, loosest first: OR, AND, NOT, comparisons, + -, * /, unary -.
#include <algorithm>
#include <map>

#include "foxpro/cdx_key.h"
#include "foxpro/codepage.h"
#include "foxpro/expression_lexer.h"
#include "foxpro/expression_node.h"

namespace foxpro::expr {

namespace {

constexpr int kMaxDepth = 200;
constexpr std::size_t kMaxText = 4096;
constexpr int kMaxLength = 65535;

const char* typeName(ValueType t)
{
    switch (t) {
        case ValueType::Character:
            return "text";
        case ValueType::Numeric:
            return "a number";
        case ValueType::Date:
            return "a date";
        case ValueType::Logical:
            return "a logical value";
    }
    return "a value";
}

struct FuncInfo {
    Func func;
    int minArgs;
    int maxArgs;
};

const std::map<std::string, FuncInfo>& functions()
{
    static const std::map<std::string, FuncInfo> table = {
        {"DTOS", {Func::Dtos, 1, 1}},       {"UPPER", {Func::Upper, 1, 1}},
        {"LOWER", {Func::Lower, 1, 1}},     {"STR", {Func::Str, 1, 3}},
        {"ALLTRIM", {Func::Alltrim, 1, 1}}, {"TRIM", {Func::Trim, 1, 1}},
        {"RTRIM", {Func::Trim, 1, 1}},      {"LTRIM", {Func::Ltrim, 1, 1}},
        {"CTOD", {Func::Ctod, 1, 1}},       {"VAL", {Func::Val, 1, 1}},
        {"LEFT", {Func::Left, 2, 2}},       {"RIGHT", {Func::Right, 2, 2}},
        {"SUBSTR", {Func::Substr, 2, 3}},   {"EMPTY", {Func::Empty, 1, 1}},
        {"DELETED", {Func::Deleted, 0, 0}}, {"IIF", {Func::Iif, 3, 3}},
    };
    return table;
}

class Parser {
public:
    Parser(const std::string& text, const std::vector<FieldDef>& fields, const std::string& file)
        : text_(text), fields_(fields), file_(file), tokens_(tokenize(text, file))
    {
    }

    NodePtr run()
    {
        if (peek().kind == Tok::End) fail(peek(), "the expression is empty");
        NodePtr root = orExpr();
        if (peek().kind != Tok::End) fail(peek(), "expected an operator or the end of the expression");
        return root;
    }

private:
    const Token& peek() const { return tokens_[pos_]; }
    const Token& take() { return tokens_[pos_ < tokens_.size() - 1 ? pos_++ : pos_]; }
    bool accept(Tok kind)
    {
        if (peek().kind != kind) return false;
        take();
        return true;
    }

    [[noreturn]] void fail(const Token& at, const std::string& what) const
    {
        throw Error(file_, errorAt(text_, at.position, what));
    }

    void expect(Tok kind, const char* what)
    {
        if (!accept(kind)) fail(peek(), std::string("expected ") + what);
    }

    struct Depth {
        explicit Depth(Parser& p) : parser(p)
        {
            if (++parser.depth_ > kMaxDepth)
                parser.fail(parser.peek(), "the expression is nested too deeply");
        }
        ~Depth() { --parser.depth_; }
        Parser& parser;
    };

    static std::shared_ptr<Node> make(Op op, ValueType type, int length, std::vector<NodePtr> args = {})
    {
        auto n = std::make_shared<Node>();
        n->op = op;
        n->type = type;
        n->length = std::min(length, kMaxLength);
        n->args = std::move(args);
        return n;
    }

    void require(const Token& at, const NodePtr& n, ValueType type, const char* role)
    {
        if (n->type != type)
            fail(at, std::string(role) + " needs " + typeName(type) + ", not " + typeName(n->type));
    }

    NodePtr orExpr()
    {
        Depth guard(*this);
        NodePtr left = andExpr();
        while (peek().kind == Tok::Or) {
            const Token& op = take();
            NodePtr right = andExpr();
            require(op, left, ValueType::Logical, "OR");
            require(op, right, ValueType::Logical, "OR");
            left = make(Op::Or, ValueType::Logical, 1, {left, right});
        }
        return left;
    }

    NodePtr andExpr()
    {
        NodePtr left = notExpr();
        while (peek().kind == Tok::And) {
            const Token& op = take();
            NodePtr right = notExpr();
            require(op, left, ValueType::Logical, "AND");
            require(op, right, ValueType::Logical, "AND");
            left = make(Op::And, ValueType::Logical, 1, {left, right});
        }
        return left;
    }

    NodePtr notExpr()
    {
        if (peek().kind == Tok::Not) {
            Depth guard(*this);
            const Token& op = take();
            NodePtr operand = notExpr();
            require(op, operand, ValueType::Logical, "NOT");
            return make(Op::Not, ValueType::Logical, 1, {operand});
        }
        return comparison();
    }

    NodePtr comparison()
    {
        NodePtr left = additive();
        static const std::map<Tok, Op> ops = {
            {Tok::Equal, Op::Equal},
            {Tok::ExactEqual, Op::ExactEqual},
            {Tok::NotEqual, Op::NotEqual},
            {Tok::Less, Op::Less},
            {Tok::LessEqual, Op::LessEqual},
            {Tok::Greater, Op::Greater},
            {Tok::GreaterEqual, Op::GreaterEqual},
            {Tok::Dollar, Op::Contains},
        };
        auto it = ops.find(peek().kind);
        if (it == ops.end()) return left;
        const Token& op = take();
        NodePtr right = additive();
        if (left->type != right->type)
            fail(op,
                 std::string("cannot compare ") + typeName(left->type) + " with " + typeName(right->type));
        if (it->second == Op::Contains && left->type != ValueType::Character)
            fail(op, "$ needs text on both sides");
        if (left->type == ValueType::Logical && it->second != Op::Equal && it->second != Op::ExactEqual &&
            it->second != Op::NotEqual)
            fail(op, "logical values can only be compared for equality");
        return make(it->second, ValueType::Logical, 1, {left, right});
    }

    NodePtr additive()
    {
        NodePtr left = multiplicative();
        while (peek().kind == Tok::Plus || peek().kind == Tok::Minus) {
            const Token& opTok = take();
            bool plus = opTok.kind == Tok::Plus;
            NodePtr right = multiplicative();
            Op op = plus ? Op::Add : Op::Subtract;
            ValueType a = left->type, b = right->type;
            if (a == ValueType::Character && b == ValueType::Character)
                left = make(op, a, left->length + right->length, {left, right});
            else if (a == ValueType::Numeric && b == ValueType::Numeric)
                left = make(op, a, 8, {left, right});
            else if (a == ValueType::Date && b == ValueType::Numeric)
                left = make(op, ValueType::Date, 8, {left, right});
            else if (plus && a == ValueType::Numeric && b == ValueType::Date)
                left = make(op, ValueType::Date, 8, {right, left});
            else if (!plus && a == ValueType::Date && b == ValueType::Date)
                left = make(op, ValueType::Numeric, 8, {left, right});
            else
                fail(opTok, std::string("cannot ") + (plus ? "add " : "subtract ") + typeName(b) +
                                (plus ? " to " : " from ") + typeName(a));
            if (depthOf(left) > kMaxDepth) fail(opTok, "the expression is nested too deeply");
        }
        return left;
    }

    NodePtr multiplicative()
    {
        NodePtr left = unary();
        while (peek().kind == Tok::Star || peek().kind == Tok::Slash) {
            const Token& opTok = take();
            NodePtr right = unary();
            require(opTok, left, ValueType::Numeric, "* and /");
            require(opTok, right, ValueType::Numeric, "* and /");
            left = make(opTok.kind == Tok::Star ? Op::Multiply : Op::Divide, ValueType::Numeric, 8,
                        {left, right});
            if (depthOf(left) > kMaxDepth) fail(opTok, "the expression is nested too deeply");
        }
        return left;
    }

    NodePtr unary()
    {
        if (peek().kind == Tok::Minus || peek().kind == Tok::Plus) {
            Depth guard(*this);
            const Token& op = take();
            NodePtr operand = unary();
            require(op, operand, ValueType::Numeric, "a sign");
            if (op.kind == Tok::Plus) return operand;
            return make(Op::Negate, ValueType::Numeric, 8, {operand});
        }
        return primary();
    }

    // Left-deep chains (a+b+c+...) grow the tree without recursing here;
    // their depth is tracked so that evaluation cannot exhaust the stack.
    int depthOf(const NodePtr& n)
    {
        auto it = depths_.find(n.get());
        if (it != depths_.end()) return it->second;
        int d = 1;
        for (const NodePtr& a : n->args) d = std::max(d, depthOf(a) + 1);
        depths_[n.get()] = d;
        return d;
    }

    NodePtr primary();
    NodePtr call(const Token& name);
    NodePtr field(const Token& name);
    int literalInt(const NodePtr& n, const Token& at, const char* what);

    const std::string& text_;
    const std::vector<FieldDef>& fields_;
    const std::string& file_;
    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    std::map<const Node*, int> depths_;
};

NodePtr Parser::primary()
{
    const Token& t = take();
    switch (t.kind) {
        case Tok::Number: {
            auto n = make(Op::Literal, ValueType::Numeric, 8);
            n->literal.type = ValueType::Numeric;
            n->literal.number = t.number;
            return n;
        }
        case Tok::String: {
            bool lossy = false;
            std::string bytes = toCp1252(t.text, &lossy);
            if (lossy) fail(t, "the text holds a character that the tables cannot store");
            auto n = make(Op::Literal, ValueType::Character, static_cast<int>(bytes.size()));
            n->literal.type = ValueType::Character;
            n->literal.text = std::move(bytes);
            return n;
        }
        case Tok::Date: {
            auto n = make(Op::Literal, ValueType::Date, 8);
            n->literal.type = ValueType::Date;
            n->literal.julian = t.text.empty() ? 0 : julianFromDtos(t.text);
            return n;
        }
        case Tok::True:
        case Tok::False: {
            auto n = make(Op::Literal, ValueType::Logical, 1);
            n->literal.type = ValueType::Logical;
            n->literal.logical = t.kind == Tok::True;
            return n;
        }
        case Tok::LParen: {
            Depth guard(*this);
            NodePtr inner = orExpr();
            expect(Tok::RParen, "a closing parenthesis");
            return inner;
        }
        case Tok::Name:
            if (peek().kind == Tok::LParen) return call(t);
            return field(t);
        default:
            fail(t, "expected a field name, a function, a constant or \"(\"");
    }
}

NodePtr Parser::field(const Token& name)
{
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        std::string fieldName = fields_[i].name;
        for (char& c : fieldName)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (fieldName != name.text) continue;
        const FieldDef& f = fields_[i];
        ValueType type;
        int length = 8;
        switch (f.type) {
            case FieldType::Character:
                type = ValueType::Character;
                length = f.length;
                break;
            case FieldType::Numeric:
            case FieldType::Float:
            case FieldType::Integer:
            case FieldType::Currency:
            case FieldType::Double:
                type = ValueType::Numeric;
                break;
            case FieldType::Date:
                type = ValueType::Date;
                break;
            case FieldType::Logical:
                type = ValueType::Logical;
                length = 1;
                break;
            default:
                fail(name, "field " + name.text + " is of a type expressions cannot use");
        }
        auto n = make(Op::Field, type, std::max(0, length));
        n->field = static_cast<int>(i);
        n->fieldType = f.type;
        return n;
    }
    fail(name, "there is no field named " + name.text);
}

int Parser::literalInt(const NodePtr& n, const Token& at, const char* what)
{
    if (n->op != Op::Literal || n->type != ValueType::Numeric || n->literal.number < 0 ||
        n->literal.number > kMaxLength)
        fail(at, std::string(what) + " must be a whole number written in the expression");
    return static_cast<int>(n->literal.number);
}

NodePtr Parser::call(const Token& name)
{
    Depth guard(*this);
    auto it = functions().find(name.text);
    if (it == functions().end()) fail(name, "unknown function " + name.text + "()");
    const FuncInfo& info = it->second;
    take();  // (
    std::vector<NodePtr> args;
    if (peek().kind != Tok::RParen) {
        do args.push_back(orExpr());
        while (accept(Tok::Comma));
    }
    expect(Tok::RParen, "\",\" or \")\"");
    int count = static_cast<int>(args.size());
    if (count < info.minArgs || count > info.maxArgs)
        fail(name,
             name.text + "() takes " + std::to_string(info.minArgs) +
                 (info.maxArgs != info.minArgs ? " to " + std::to_string(info.maxArgs) : std::string()) +
                 " arguments");
    auto n = make(Op::Call, ValueType::Character, 1, args);
    n->func = info.func;
    switch (info.func) {
        case Func::Dtos:
            require(name, args[0], ValueType::Date, "DTOS()");
            n->length = 8;
            break;
        case Func::Upper:
        case Func::Lower:
        case Func::Alltrim:
        case Func::Trim:
        case Func::Ltrim:
            require(name, args[0], ValueType::Character, name.text.c_str());
            n->length = args[0]->length;
            break;
        case Func::Str:
            require(name, args[0], ValueType::Numeric, "STR()");
            n->number1 = count > 1 ? literalInt(args[1], name, "the width of STR()") : 10;
            n->number2 = count > 2 ? literalInt(args[2], name, "the decimals of STR()") : 0;
            if (n->number1 < 1 || n->number1 > 255) fail(name, "the width of STR() must be 1 to 255");
            n->length = n->number1;
            break;
        case Func::Ctod:
            require(name, args[0], ValueType::Character, "CTOD()");
            n->type = ValueType::Date;
            n->length = 8;
            break;
        case Func::Val:
            require(name, args[0], ValueType::Character, "VAL()");
            n->type = ValueType::Numeric;
            n->length = 8;
            break;
        case Func::Left:
        case Func::Right:
            require(name, args[0], ValueType::Character, name.text.c_str());
            n->number1 = literalInt(args[1], name, "the count");
            n->length = std::min(n->number1, args[0]->length);
            break;
        case Func::Substr:
            require(name, args[0], ValueType::Character, "SUBSTR()");
            n->number1 = literalInt(args[1], name, "the start of SUBSTR()");
            n->number2 = count > 2 ? literalInt(args[2], name, "the length of SUBSTR()") : -1;
            if (n->number1 < 1) fail(name, "the start of SUBSTR() must be 1 or more");
            n->length = std::max(0, args[0]->length - n->number1 + 1);
            if (n->number2 >= 0) n->length = std::min(n->length, n->number2);
            break;
        case Func::Empty:
        case Func::Deleted:
            n->type = ValueType::Logical;
            break;
        case Func::Iif:
            require(name, args[0], ValueType::Logical, "the condition of IIF()");
            if (args[1]->type != args[2]->type) fail(name, "both results of IIF() must be of the same type");
            n->type = args[1]->type;
            n->length = std::max(args[1]->length, args[2]->length);
            break;
    }
    return n;
}

}  // namespace

NodePtr parse(const std::string& text, const std::vector<FieldDef>& fields, const std::string& file)
{
    if (text.size() > kMaxText)
        throw Error(file, errorAt(text.substr(0, 40) + "...", 1, "the expression is too long"));
    return Parser(text, fields, file).run();
}

}  // namespace foxpro::expr
