// DateEdit: the masked date field of every window ("99/99/9999"). An empty
// field reads "  /  /    "; date() converts the typed text to a Date.
#pragma once

#include <QLineEdit>
#include <optional>

#include "data/date.h"

namespace quintara::ui {

class DateEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit DateEdit(QWidget* parent = nullptr);

    // The field as shown, blanks included: "  /  /    " when empty, "12/03/    "
    // while typing. (QLineEdit's own text() drops the blanks of the mask; call
    // this one through a DateEdit.)
    QString text() const;

    // The typed date; the empty field gives the empty Date. Throws
    // std::invalid_argument naming the text when it is incomplete or not a
    // real date (the conversion error a person is shown).
    Date date() const;
    // Like date(), without throwing.
    std::optional<Date> tryDate() const;
    // Shows the date as dd/mm/yyyy; the empty Date empties the field.
    void setDate(Date date);

    // No digit typed at all.
    bool isBlank() const;
    // A complete, real date (the blank field is not one).
    bool isValidDate() const;

    // When on, leaving the field with an incomplete or impossible date
    // empties it (the origin-date rule of the item entry).
    void setEmptyInvalidOnLeave(bool on) { emptyInvalidOnLeave_ = on; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool emptyInvalidOnLeave_ = false;
};

}  // namespace quintara::ui
