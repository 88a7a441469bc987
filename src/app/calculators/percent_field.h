// The calculators' percentage fields: a line edit that takes a number with the
// decimal comma and up to six decimals, read back as an exact fraction.
#pragma once

#include <gmpxx.h>

#include <optional>
#include <string>

class QLineEdit;
class QWidget;

namespace quintara {

// When editing finishes, a number is shown again with `decimals` places ("10" → "10,000000").
QLineEdit* percentField(QWidget* parent, const char* name, int decimals = 6);
// "12,500000": the value with `decimals` places and the decimal comma.
std::string fixedText(const mpq_class& value, int decimals);
// The field's value; the empty field is 0; nothing when the text is not a number.
std::optional<mpq_class> percentValue(const QLineEdit* field);

}  // namespace quintara
