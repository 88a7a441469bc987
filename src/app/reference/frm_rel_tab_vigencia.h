// TFrmRelTabVigencia: prints the currencies window's grid through the report
// preview (layout in reports/currency_table_report).
#pragma once

#include <QObject>

#include "reports/currency_table_report.h"

class QWidget;

namespace quintara {

class TFrmRelTabVigencia : public QObject {
    Q_OBJECT
public:
    explicit TFrmRelTabVigencia(QWidget* owner);
    static reports::PageModel prepare(const reports::CurrencyTable& table);
    void preview(const reports::CurrencyTable& table);

private:
    QWidget* owner_;
};

}  // namespace quintara
