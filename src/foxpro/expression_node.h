// The compiled form of an Expression: a typed tree built by the parser and
// walked by the evaluator.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "foxpro/expression.h"

namespace foxpro::expr {

enum class Op {
    Literal,
    Field,
    Call,
    Not,
    Negate,
    And,
    Or,
    Add,
    Subtract,
    Multiply,
    Divide,
    Equal,
    ExactEqual,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Contains,
};

enum class Func {
    Dtos,
    Upper,
    Lower,
    Str,
    Alltrim,
    Trim,
    Ltrim,
    Ctod,
    Val,
    Left,
    Right,
    Substr,
    Empty,
    Deleted,
    Iif,
};

struct Node {
    Op op = Op::Literal;
    ValueType type = ValueType::Logical;
    int length = 1;  // fixed width of character results
    Value literal;
    int field = -1;
    FieldType fieldType = FieldType::Character;
    Func func = Func::Dtos;
    int number1 = 0;  // STR width, LEFT/RIGHT count, SUBSTR start
    int number2 = 0;  // STR decimals, SUBSTR count (-1 = to the end)
    std::vector<std::shared_ptr<const Node>> args;
};

using NodePtr = std::shared_ptr<const Node>;

// Builds the tree; throws foxpro::Error with the position of a fault.
NodePtr parse(const std::string& text, const std::vector<FieldDef>& fields, const std::string& file);

Value evaluate(const Node& node, const RecordView& record);

}  // namespace foxpro::expr
