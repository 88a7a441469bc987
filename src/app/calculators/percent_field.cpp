#include "app/calculators/percent_field.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "engine/exact_decimal.h"

namespace quintara {

QLineEdit* percentField(QWidget* parent, const char* name, int decimals)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setAlignment(Qt::AlignRight);
    field->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("-?[0-9]{0,9}(,[0-9]{0,6})?")), field));
    QObject::connect(field, &QLineEdit::editingFinished, field, [field, decimals] {
        const std::optional<mpq_class> value = percentValue(field);
        if (value) field->setText(QString::fromStdString(fixedText(*value, decimals)));
    });
    return field;
}

std::string fixedText(const mpq_class& value, int decimals)
{
    mpz_class scale;
    mpz_ui_pow_ui(scale.get_mpz_t(), 10, static_cast<unsigned long>(decimals));
    // Half away from zero, as numbers are shown everywhere.
    const mpq_class scaled = abs(value) * scale + mpq_class(1, 2);
    const mpz_class units = scaled.get_num() / scaled.get_den();
    std::string digits = units.get_str();
    if (digits.size() <= static_cast<std::size_t>(decimals))
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    const std::size_t point = digits.size() - static_cast<std::size_t>(decimals);
    std::string text = value < 0 && units != 0 ? "-" : "";
    text.append(digits, 0, point);
    if (decimals > 0) {
        text += ',';
        text.append(digits, point);
    }
    return text;
}

std::optional<mpq_class> percentValue(const QLineEdit* field)
{
    const std::string text = field->text().trimmed().toStdString();
    if (text.empty()) return mpq_class(0);
    return parseDecimalComma(text);
}

}  // namespace quintara
