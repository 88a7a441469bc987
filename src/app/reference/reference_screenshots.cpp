#include "app/reference/reference_screenshots.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <cmath>

#include "app/reference/currency_eras.h"
#include "app/reference/frm_altera_ind_eco.h"
#include "app/reference/frm_indi_eco_manut.h"
#include "app/reference/frm_nova_moeda.h"
#include "app/reference/frm_qrp_indices.h"
#include "app/reference/frm_rel_tab_vigencia.h"
#include "app/reference/frm_tab_ind_con.h"
#include "app/reference/frm_tab_vigencia.h"
#include "data/data_module.h"
#include "ui/date_edit.h"

namespace quintara {

namespace {

bool noValuesStored(DataModule& dm)
{
    foxpro::Table& values = dm.ValorIndices();
    const bool active = values.filterActive();
    values.setFilterActive(false);
    values.first();
    const bool empty = values.eof();
    values.setFilterActive(active);
    return empty;
}

// Eighteen monthly values of the first index, from January 2024.
void addDemoValues(DataModule& dm, const std::string& code)
{
    foxpro::Table& values = dm.ValorIndices();
    for (int i = 0; i < 18; ++i) {
        values.append();
        values.setString("LCM_COD", code);
        values.setDate("LCM_DATA", Date(1, 1 + i % 12, 2024 + i / 12).toDtos());
        values.setNumber("LCM_VALOR", 0.25 + 0.05 * std::sin(i * 0.7) + 0.01 * i);
        values.post();
    }
}

void addDemoPicture(DataModule& dm)
{
    const std::vector<CurrencyEra> eras = readEras(dm);
    if (eras.empty() || eras.back().date.isEmpty()) return;
    const std::optional<std::string> folder = eraPictureFolder(dm, eras.back().name, eras.back().date.year());
    if (!folder || !QDir().mkpath(QString::fromStdString(*folder))) return;
    QImage note(480, 230, QImage::Format_RGB32);
    note.fill(QColor(196, 226, 206));
    QPainter painter(&note);
    painter.setPen(QPen(QColor(40, 90, 60), 6));
    painter.drawRect(10, 10, 460, 210);
    QFont font = painter.font();
    font.setPointSize(34);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(note.rect(), Qt::AlignCenter,
                     QString::fromStdString(eras.back().symbol) + QStringLiteral(" 100,00"));
    painter.end();
    note.save(QString::fromStdString(*folder) + QStringLiteral("Exemplo.JPG"), "JPG");
}

}  // namespace

void shootReferenceWindows(DataModule& dm, QWidget& owner, const ShootWidget& shoot,
                           const ShootReport& report)
{
    foxpro::Table& indices = dm.Indices();
    indices.setTag("codigo");
    indices.first();
    if (indices.eof()) return;
    const std::uint32_t recNo = indices.recNo();
    if (noValuesStored(dm)) {
        addDemoValues(dm, indices.getString("TBCM_COD"));
        addDemoPicture(dm);
    }

    {
        indices.go(recNo);
        TFrmTabIndCon window(dm, &owner);
        shoot(window, QStringLiteral("TFrmTabIndCon"));
        window.btEditaValor->click();
        window.dData->setText(QStringLiteral("01/07/2025"));
        shoot(window, QStringLiteral("TFrmTabIndCon-valor"));
        window.close();
    }
    TFrmIndiEcoManut added(dm, &owner);
    shoot(added, QStringLiteral("TFrmIndiEcoManut"));
    TFrmAlteraIndEco changed(dm, recNo, &owner);
    shoot(changed, QStringLiteral("TFrmAlteraIndEco"));
    report(TFrmQrpIndices::prepare(dm), QStringLiteral("TFrmQrpIndices"));
    report(TFrmQrpValorIndices::prepare(dm, recNo), QStringLiteral("TFrmQrpValorIndices"));

    TFrmTabVigencia currencies(dm, &owner);
    shoot(currencies, QStringLiteral("TFrmTabVigencia"));
    if (currencies.StrGridTab->rowCount() > 0) {
        currencies.StrGridTab->setCurrentCell(currencies.StrGridTab->rowCount() - 1, 0);
        shoot(currencies, QStringLiteral("TFrmTabVigencia-cedulas"));
    }
    report(TFrmRelTabVigencia::prepare(currencies.tableForReport()), QStringLiteral("TFrmRelTabVigencia"));
    currencies.close();
    TFrmNovaMoeda currency(latestEraDate(dm), &owner);
    shoot(currency, QStringLiteral("TFrmNovaMoeda"));
}

}  // namespace quintara
