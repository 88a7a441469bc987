#include "app/reference/frm_rel_tab_vigencia.h"

#include <QWidget>

#include "ui/report_preview.h"

namespace quintara {

TFrmRelTabVigencia::TFrmRelTabVigencia(QWidget* owner) : QObject(owner), owner_(owner) {}

reports::PageModel TFrmRelTabVigencia::prepare(const reports::CurrencyTable& table)
{
    return reports::currencyTableReport(table);
}

void TFrmRelTabVigencia::preview(const reports::CurrencyTable& table)
{
    ui::ReportPreview report(prepare(table), owner_);
    report.preview();
}

}  // namespace quintara
