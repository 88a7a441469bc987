#include "app/cases/frm_qr_lista_processos.h"

#include <QWidget>

#include "data/data_module.h"
#include "data/table_cursor.h"
#include "ui/report_preview.h"

namespace quintara {

namespace {

std::string dateText(const foxpro::Table& table, const char* field)
{
    const std::string dtos = table.getDate(field);
    return dtos.empty() ? std::string() : Date::fromDtos(dtos).toString();
}

}  // namespace

TFrmQrListaProcessos::TFrmQrListaProcessos(QWidget* owner) : QObject(owner), owner_(owner) {}

reports::CaseList TFrmQrListaProcessos::rows(DataModule& dm, const std::string& tag)
{
    foxpro::Table& cases = dm.Processos();
    TableCursorGuard guard(cases);
    cases.setFilterActive(false);
    cases.setTag(tag);
    reports::CaseList list;
    for (cases.first(); !cases.eof(); cases.next())
        list.rows.push_back({cases.getString("NPROCESSO"), dateText(cases, "DATA"),
                             cases.getString("RESPONSAV"), cases.getString("NPROTOCOLO"),
                             dateText(cases, "DPROTOCOLO"), dm.nomesituacao()});
    return list;
}

reports::PageModel TFrmQrListaProcessos::prepare(const reports::CaseList& list)
{
    return reports::caseListReport(list);
}

void TFrmQrListaProcessos::preview(const reports::CaseList& list)
{
    ui::ReportPreview report(prepare(list), owner_);
    report.preview();
}

}  // namespace quintara
