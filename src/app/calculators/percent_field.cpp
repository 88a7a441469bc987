#include "app/calculators/percent_field.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "engine/exact_decimal.h"

namespace quintara {

QLineEdit* percentField(QWidget* parent, const char* name)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setAlignment(Qt::AlignRight);
    field->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("-?[0-9]{0,9}(,[0-9]{0,6})?")), field));
    return field;
}

std::optional<mpq_class> percentValue(const QLineEdit* field)
{
    const std::string text = field->text().trimmed().toStdString();
    if (text.empty()) return mpq_class(0);
    return parseDecimalComma(text);
}

}  // namespace quintara
