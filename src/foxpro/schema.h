// The schema of a FoxPro table: its field types, field definitions and index
// tag definitions. The table facade (foxpro/table.h) includes this header, so
// its callers keep every name; the files below the facade include only this.
#pragma once

#include <string>

namespace foxpro {

enum class FieldType : char {
    Character = 'C',
    Numeric = 'N',
    Float = 'F',
    Date = 'D',
    Logical = 'L',
    Memo = 'M',
    Integer = 'I',   // Visual FoxPro, read only
    Currency = 'Y',  // Visual FoxPro, read only
    Double = 'B',    // Visual FoxPro, read only
    DateTime = 'T',  // Visual FoxPro, read only
};

struct FieldDef {
    std::string name;  // upper case, at most 10 characters
    FieldType type = FieldType::Character;
    int length = 1;
    int decimals = 0;
};

struct TagDef {
    std::string name;           // stored upper case; looked up ignoring case
    std::string expression;     // key expression, e.g. "LCM_COD+DTOS(LCM_DATA)"
    std::string forExpression;  // empty = every record
    bool unique = false;
};

}  // namespace foxpro
