#include "foxpro/expression.h"

#include "foxpro/cdx_key.h"
#include "foxpro/expression_node.h"

namespace foxpro {

Expression Expression::parse(const std::string& text, const std::vector<FieldDef>& fields,
                             const std::string& fileForErrors)
{
    Expression e;
    e.text_ = text;
    e.file_ = fileForErrors;
    e.root_ = expr::parse(text, fields, fileForErrors);
    return e;
}

Expression::Expression() = default;
Expression::~Expression() = default;
Expression::Expression(const Expression&) = default;
Expression& Expression::operator=(const Expression&) = default;
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;

ValueType Expression::type() const
{
    return root_ ? root_->type : ValueType::Logical;
}

int Expression::length() const
{
    if (!root_) return 0;
    switch (root_->type) {
        case ValueType::Character:
            return root_->length;
        case ValueType::Logical:
            return 1;
        default:
            return 8;
    }
}

Value Expression::evaluate(const RecordView& record) const
{
    if (!root_) throw Error(file_, "an empty expression cannot be evaluated");
    try {
        return expr::evaluate(*root_, record);
    } catch (const Error& e) {
        throw Error(file_, "expression \"" + text_ + "\": " + e.plainMessage());
    }
}

bool Expression::evaluateBool(const RecordView& record) const
{
    if (type() != ValueType::Logical)
        throw Error(file_, "expression \"" + text_ + "\" is not a condition (it gives no .T./.F.)");
    return evaluate(record).logical;
}

std::string Expression::evaluateKey(const RecordView& record) const
{
    Value v = evaluate(record);
    switch (v.type) {
        case ValueType::Character: {
            std::string key = std::move(v.text);
            key.resize(static_cast<std::size_t>(length()), ' ');
            return key;
        }
        case ValueType::Numeric:
            return encodeNumericKey(v.number);
        case ValueType::Date:
            return encodeDateKey(v.julian);
        case ValueType::Logical:
            return v.logical ? "T" : "F";
    }
    return {};
}

namespace {

void collectTerms(const expr::Node& node, std::vector<KeyTerm>& terms)
{
    if (node.op == expr::Op::Add && node.type == ValueType::Character) {
        collectTerms(*node.args[0], terms);
        collectTerms(*node.args[1], terms);
        return;
    }
    KeyTerm t;
    t.type = node.type;
    t.length = node.type == ValueType::Character ? node.length : 8;
    t.dtos = node.op == expr::Op::Call && node.func == expr::Func::Dtos;
    if (t.dtos) t.type = ValueType::Character;
    terms.push_back(t);
}

bool collectStoredParts(const expr::Node& node, std::vector<StoredKeyPart>& parts)
{
    using expr::Op;
    if (node.op == Op::Add && node.type == ValueType::Character)
        return collectStoredParts(*node.args[0], parts) && collectStoredParts(*node.args[1], parts);
    if (node.op == Op::Field && node.fieldType == FieldType::Character) {
        parts.push_back({node.field, node.length, false});
        return true;
    }
    if (node.op == Op::Call && node.func == expr::Func::Dtos && node.args.size() == 1 &&
        node.args[0]->op == Op::Field && node.args[0]->fieldType == FieldType::Date) {
        parts.push_back({node.args[0]->field, 8, true});
        return true;
    }
    return false;
}

}  // namespace

std::vector<StoredKeyPart> Expression::storedKeyParts() const
{
    std::vector<StoredKeyPart> parts;
    if (!root_ || root_->type != ValueType::Character || !collectStoredParts(*root_, parts)) return {};
    int total = 0;
    for (const StoredKeyPart& p : parts) total += p.length;
    if (total != length()) return {};
    return parts;
}

std::vector<KeyTerm> Expression::keyTerms() const
{
    std::vector<KeyTerm> terms;
    if (root_) collectTerms(*root_, terms);
    return terms;
}

}  // namespace foxpro
