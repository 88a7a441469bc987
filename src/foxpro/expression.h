// Expression: a FoxPro key expression or filter condition, parsed once
// against a table's fields and then evaluated over records (RecordView).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foxpro/error.h"
#include "foxpro/schema.h"

namespace foxpro {

class RecordView;

enum class ValueType : char { Character = 'C', Numeric = 'N', Date = 'D', Logical = 'L' };

// One evaluated value. Character values hold Windows-1252 bytes (as stored in
// the files); dates are Julian day numbers, 0 for the empty date.
struct Value {
    ValueType type = ValueType::Logical;
    std::string text;
    double number = 0.0;
    std::int32_t julian = 0;
    bool logical = false;
};

// One operand of a key expression's top-level '+' chain, as a seek gives it.
struct KeyTerm {
    ValueType type = ValueType::Character;
    int length = 0;     // bytes this term takes in the key
    bool dtos = false;  // DTOS(<date>): the caller gives "yyyymmdd"
};

// A key term that is a field's stored bytes: a character field, or DTOS()
// of a date field (the stored "yyyymmdd").
struct StoredKeyPart {
    int field = 0;
    int length = 0;
    bool dtos = false;
};

namespace expr {
struct Node;
}

class Expression {
public:
    // Parses `text` against the table's fields (names ignore case). Throws
    // foxpro::Error naming fileForErrors, with the 1-based position of a
    // syntax error and what was expected there.
    static Expression parse(const std::string& text, const std::vector<FieldDef>& fields,
                            const std::string& fileForErrors);

    Expression();
    ~Expression();
    Expression(const Expression&);
    Expression& operator=(const Expression&);
    Expression(Expression&&) noexcept;
    Expression& operator=(Expression&&) noexcept;

    bool valid() const { return root_ != nullptr; }
    const std::string& text() const { return text_; }
    ValueType type() const;
    // Bytes of a character result (its fixed width); 8 for numeric and date
    // results (the width of their index keys); 1 for logical results.
    int length() const;

    Value evaluate(const RecordView& record) const;
    // For filters and FOR conditions; throws when the result is not logical.
    bool evaluateBool(const RecordView& record) const;
    // Index key bytes: character results padded with blanks (or cut) to
    // length(); numbers and dates in the sortable 8-byte form (cdx_key.h);
    // logicals as "T"/"F".
    std::string evaluateKey(const RecordView& record) const;

    // The operands of the top-level '+' chain (one term when there is no
    // chain). Used to build search keys from parts.
    std::vector<KeyTerm> keyTerms() const;
    // The key as stored field bytes, when every term of its '+' chain is a
    // character field or DTOS() of a date field; empty otherwise.
    std::vector<StoredKeyPart> storedKeyParts() const;

private:
    std::string text_;
    std::string file_;
    std::shared_ptr<const expr::Node> root_;
};

}  // namespace foxpro
