// The calculators' percentage fields: a line edit that takes a number with the
// decimal comma and up to six decimals, read back as an exact fraction.
#pragma once

#include <gmpxx.h>

#include <optional>

class QLineEdit;
class QWidget;

namespace quintara {

QLineEdit* percentField(QWidget* parent, const char* name);
// The field's value; the empty field is 0; nothing when the text is not a number.
std::optional<mpq_class> percentValue(const QLineEdit* field);

}  // namespace quintara
