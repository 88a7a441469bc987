#include "app/frm_qrp_planilha.h"

#include <QWidget>

#include "ui/report_preview.h"

namespace quintara {

TFrmQrpPlanilha::TFrmQrpPlanilha(QWidget* owner) : QObject(owner), owner_(owner) {}

reports::PageModel TFrmQrpPlanilha::prepare(const reports::MonthlyIndexSheet& sheet)
{
    return reports::monthlyIndexSheetReport(sheet);
}

void TFrmQrpPlanilha::preview(const reports::MonthlyIndexSheet& sheet)
{
    ui::ReportPreview report(prepare(sheet), owner_);
    report.preview();
}

}  // namespace quintara
