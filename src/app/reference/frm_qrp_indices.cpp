#include "app/reference/frm_qrp_indices.h"

#include <QWidget>

#include "app/reference/index_catalogue.h"
#include "data/data_module.h"
#include "ui/report_preview.h"

namespace quintara {

TFrmQrpIndices::TFrmQrpIndices(QWidget* owner) : QObject(owner), owner_(owner) {}

reports::IndexTable TFrmQrpIndices::collect(DataModule& dm)
{
    foxpro::Table& indices = dm.Indices();
    const std::uint32_t current = indices.recNo();
    indices.setTag("codigo");
    reports::IndexTable table;
    for (indices.first(); !indices.eof(); indices.next()) {
        table.rows.push_back({indices.getString("TBCM_COD"), indices.getString("TBCM_DESC"), dm.catualiza(),
                              indices.getString("TBCM_DINI"), indices.getString("TBCM_DFIM"),
                              dm.cTipoValor()});
    }
    if (current != 0) indices.go(current);
    return table;
}

reports::PageModel TFrmQrpIndices::prepare(DataModule& dm)
{
    return reports::indexTableReport(collect(dm));
}

void TFrmQrpIndices::preview(DataModule& dm)
{
    ui::ReportPreview report(prepare(dm), owner_);
    report.preview();
}

TFrmQrpValorIndices::TFrmQrpValorIndices(QWidget* owner) : QObject(owner), owner_(owner) {}

reports::IndexValuesSheet TFrmQrpValorIndices::collect(DataModule& dm, std::uint32_t recNo)
{
    foxpro::Table& indices = dm.Indices();
    indices.go(recNo);
    const std::string code = indices.getString("TBCM_COD");
    reports::IndexValuesSheet sheet;
    sheet.title = indices.getString("TBCM_DESC") + " [" + code + "]";
    sheet.multiplier = indices.getString("TBCM_VAL").substr(0, 1) == "1";
    for (const IndexValueRecord& value : valuesOfIndex(dm, code))
        sheet.values.push_back({value.date, value.value});
    return sheet;
}

reports::PageModel TFrmQrpValorIndices::prepare(DataModule& dm, std::uint32_t recNo)
{
    return reports::indexValuesReport(collect(dm, recNo));
}

void TFrmQrpValorIndices::preview(DataModule& dm, std::uint32_t recNo)
{
    ui::ReportPreview report(prepare(dm, recNo), owner_);
    report.preview();
}

}  // namespace quintara
