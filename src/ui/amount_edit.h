// AmountEdit: a money field with the decimal comma. It accepts digits, one
// comma and an optional leading minus; once edited (or set) it shows the value
// with thousands grouping and a fixed number of decimals ("1.234,50").
#pragma once

#include <QLineEdit>

#include "data/amount.h"

namespace quintara::ui {

class AmountEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit AmountEdit(QWidget* parent = nullptr, int decimals = 2);

    // The typed value; the empty field is zero. Throws std::invalid_argument
    // naming the text when it is not a number.
    Amount amount() const;
    void setAmount(Amount amount);
    bool isBlank() const;

    int decimals() const { return decimals_; }

    // "1.234,56": the amount rounded to `decimals` places, grouped by thousands.
    static QString groupedText(Amount amount, int decimals);

private:
    void reformat();

    int decimals_;
};

}  // namespace quintara::ui
