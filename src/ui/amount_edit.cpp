#include "ui/amount_edit.h"

#include <QRegularExpressionValidator>
#include <stdexcept>

namespace quintara::ui {

AmountEdit::AmountEdit(QWidget* parent, int decimals) : QLineEdit(parent), decimals_(decimals)
{
    if (decimals < 0 || decimals > 4) throw std::invalid_argument("AmountEdit: decimals must be 0..4");
    const QString fraction = decimals > 0 ? QStringLiteral("(,[0-9]{0,%1})?").arg(decimals) : QString();
    setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9.]*") + fraction), this));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QLineEdit::editingFinished, this, &AmountEdit::reformat);
}

Amount AmountEdit::amount() const
{
    if (isBlank()) return Amount();
    return Amount::parse(text().trimmed().toStdString());
}

void AmountEdit::setAmount(Amount amount)
{
    setText(groupedText(amount, decimals_));
}

bool AmountEdit::isBlank() const
{
    return text().trimmed().isEmpty();
}

QString AmountEdit::groupedText(Amount amount, int decimals)
{
    const QString plain = QString::fromStdString(amount.toText(decimals));
    const bool negative = plain.startsWith(QLatin1Char('-'));
    const qsizetype comma = plain.indexOf(QLatin1Char(','));
    const qsizetype intEnd = comma < 0 ? plain.size() : comma;
    const qsizetype intStart = negative ? 1 : 0;
    QString grouped;
    for (qsizetype i = intStart; i < intEnd; ++i) {
        if (i > intStart && (intEnd - i) % 3 == 0) grouped += QLatin1Char('.');
        grouped += plain[i];
    }
    return (negative ? QStringLiteral("-") : QString()) + grouped + plain.mid(intEnd);
}

void AmountEdit::reformat()
{
    if (isBlank()) return;
    try {
        setAmount(amount());
    } catch (const std::invalid_argument&) {
        // Left as typed: amount() reports it when the window reads the field.
    }
}

}  // namespace quintara::ui
