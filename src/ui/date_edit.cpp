#include "ui/date_edit.h"

#include <QFocusEvent>
#include <algorithm>
#include <stdexcept>

namespace quintara::ui {

DateEdit::DateEdit(QWidget* parent) : QLineEdit(parent)
{
    // Blanks fill the empty positions, so an empty field reads "  /  /    ".
    setInputMask(QStringLiteral("99/99/9999; "));
    setDate(Date());
}

QString DateEdit::text() const
{
    return displayText();
}

Date DateEdit::date() const
{
    const std::string typed = text().toStdString();
    if (isBlank()) return Date();
    const std::optional<Date> date = Date::tryParse(typed);
    if (!date) throw std::invalid_argument("'" + typed + "' não é uma data válida");
    return *date;
}

std::optional<Date> DateEdit::tryDate() const
{
    if (isBlank()) return Date();
    return Date::tryParse(text().toStdString());
}

void DateEdit::setDate(Date date)
{
    if (!date.isEmpty()) {
        setText(QString::fromStdString(date.toString()));
        return;
    }
    setText(QString());
    // Typing into an empty field starts at the day, not after the mask.
    setCursorPosition(0);
}

bool DateEdit::isBlank() const
{
    const QString typed = text();
    return std::none_of(typed.begin(), typed.end(), [](QChar c) { return c.isDigit(); });
}

bool DateEdit::isValidDate() const
{
    return !isBlank() && tryDate().has_value();
}

void DateEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (isBlank()) setCursorPosition(0);
}

void DateEdit::focusOutEvent(QFocusEvent* event)
{
    if (emptyInvalidOnLeave_ && !isBlank() && !isValidDate()) setDate(Date());
    QLineEdit::focusOutEvent(event);
}

}  // namespace quintara::ui
