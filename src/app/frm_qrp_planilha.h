// TFrmQrpPlanilha: prints the main window's monthly index sheet through the
// report preview (layout in reports/monthly_index_sheet_report).
#pragma once

#include <QObject>

#include "reports/monthly_index_sheet_report.h"
#include "reports/page_model.h"

class QWidget;

namespace quintara {

class TFrmQrpPlanilha : public QObject {
    Q_OBJECT
public:
    explicit TFrmQrpPlanilha(QWidget* owner);

    // The laid-out report of the sheet.
    static reports::PageModel prepare(const reports::MonthlyIndexSheet& sheet);
    // Shows the print preview of the sheet; returns when the person closes it.
    void preview(const reports::MonthlyIndexSheet& sheet);

private:
    QWidget* owner_;
};

}  // namespace quintara
