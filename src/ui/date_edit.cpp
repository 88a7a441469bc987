#include "ui/date_edit.h"

#include <QFocusEvent>
#include <algorithm>
#include <stdexcept>

namespace quintara::ui {

DateEdit::DateEdit(QWidget* parent) : QLineEdit(parent)
{
    // Blanks fill the empty positions, so an empty field reads "  /  /    ".
    setInputMask(QStringLiteral("99/99/9999; "));
    setText(QString());
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
    if (date.isEmpty())
        setText(QString());
    else
        setText(QString::fromStdString(date.toString()));
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

void DateEdit::focusOutEvent(QFocusEvent* event)
{
    if (emptyInvalidOnLeave_ && !isBlank() && !isValidDate()) setText(QString());
    QLineEdit::focusOutEvent(event);
}

}  // namespace quintara::ui
