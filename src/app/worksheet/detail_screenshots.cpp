#include "app/worksheet/detail_screenshots.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <optional>

#include "app/calculators/frm_calc_exe.h"
#include "app/calculators/frm_fastcalc.h"
#include "app/modal_runner.h"
#include "app/worksheet/frm_destacar_item.h"
#include "app/worksheet/frm_grafico_comparativo.h"
#include "app/worksheet/frm_grafico_da_correcao.h"
#include "app/worksheet/item_detail_report.h"
#include "data/lookups.h"
#include "engine/data_module_reference.h"
#include "ui/amount_edit.h"
#include "ui/date_edit.h"
#include "worksheet/worksheet_items.h"

namespace quintara {

namespace {

// A quick calculation of 1.000,00 from January 2020 with the first correction
// form whose indices have the values it needs.
std::optional<QuickInput> demoInput(DataModule& dm)
{
    QuickInput in;
    in.origin = Date(15, 1, 2020);
    in.amount = Amount::parse("1000");
    in.amountInWords = "um mil reais";
    in.description = "Nota promissória vencida";
    in.ordinaryRate = Decimal::parse("12");
    in.ordinaryStart = in.compensatoryStart = in.origin;
    in.fineRate = Decimal::parse("2");
    in.originCurrency = "(Real) " + SiglaDaMoeda(dm, in.origin.toString());
    foxpro::Table& forms = dm.FormaCorrecao();
    forms.setTag("codigo");
    DataModuleReference reference(dm);
    for (forms.first(); !forms.eof(); forms.next()) {
        in.formCode = forms.getString("FORMA_COD");
        in.formText = forms.getString("FORMA_CH");
        if (Executarcalculo(reference, in, Date::today()).error.empty()) return in;
    }
    return std::nullopt;
}

// The charts a window opens, each with the print preview it opens in turn.
ModalRunner chartShooter(const ScreenshotSink& sink, const QString& prefix)
{
    return [&sink, prefix](QDialog& dialog) {
        const bool preview = qobject_cast<QPrintPreviewDialog*>(&dialog) != nullptr;
        const QString name = prefix + QStringLiteral("-") +
                             (preview ? dialog.parentWidget()->objectName() + QStringLiteral("-preview")
                                      : dialog.objectName());
        dialog.show();
        sink.window(dialog, name);
        if (!preview)
            if (auto* print = dialog.findChild<QPushButton*>(QStringLiteral("btImprimir"))) print->click();
        dialog.hide();
        return static_cast<int>(QDialog::Rejected);
    };
}

// The entry window with the demonstration's amount typed in.
void shootEntryWindow(const ScreenshotSink& sink, DataModule& dm, QWidget* owner, const QuickInput& input)
{
    TFrmFastcalc entry(dm, owner);
    entry.show();
    entry.dataOrigem->setDate(input.origin);
    entry.dataOrigemChange();
    entry.dataOrigemExit();
    entry.valororiginal->setAmount(input.amount);
    entry.valororiginalChange();
    entry.DESCRICAO->setText(QString::fromStdString(input.description));
    entry.jurosOrdinarios->setAmount(Amount::parse("12"));
    entry.ValorMulta->setAmount(Amount::parse("2"));
    sink.window(entry, QStringLiteral("TFrmFastcalc"));
    entry.hide();
}

void shootQuickCalculation(const ScreenshotSink& sink, DataModule& dm, QWidget* owner)
{
    const std::optional<QuickInput> input = demoInput(dm);
    if (!input) return;
    shootEntryWindow(sink, dm, owner, *input);
    TFrmCalcExe window(dm, *input, owner);
    window.show();
    window.btInterromper->click();
    sink.window(window, QStringLiteral("TFrmCalcExe"));
    {
        const ModalRunnerScope scope(chartShooter(sink, QStringLiteral("TFrmCalcExe")));
        window.btGraficoComparativo->click();
        window.BtGraficoCorrecao->click();
    }
    if (const auto data = window.reportData())
        sink.report(reports::calculationReport(*data), QStringLiteral("TFrmQRFastcalc"));
    window.cbFontes->setChecked(true);
    if (const auto data = window.reportData())
        sink.report(reports::calculationReport(*data), QStringLiteral("TFrmQRFastcalc-fontes"));
    window.hide();
}

// The first calculated item of the first case that has one.
bool findCalculatedItem(DataModule& dm, WorksheetSession& session, int& row)
{
    foxpro::Table& cases = dm.Processos();
    cases.setTag("numero");
    std::vector<std::pair<std::string, CaseHeader>> numbers;
    for (cases.first(); !cases.eof(); cases.next()) {
        CaseHeader header;
        header.DescricaoProcesso = cases.getString("DESCRICAO");
        header.LinhaAbertura =
            Date::fromDtos(cases.getDate("DATA")).toString() + " ás " + cases.getString("HORA");
        numbers.emplace_back(cases.getString("NPROCESSO"), header);
    }
    for (const auto& [number, header] : numbers) {
        loadCaseItems(dm, session.grid, number);
        for (int r = 1; r <= session.grid.lastRow(); ++r) {
            if (session.grid.isFree(r) || session.grid.cell(r, colCalculationDate).empty()) continue;
            session.caseNumber = number;
            session.header = header;
            row = r;
            return true;
        }
    }
    return false;
}

void shootItemDetail(const ScreenshotSink& sink, DataModule& dm, QWidget* owner)
{
    WorksheetSession session(dm);
    int row = 0;
    if (!findCalculatedItem(dm, session, row)) return;
    TFrmDestacarItem window(session, row, owner);
    window.show();
    sink.window(window, QStringLiteral("TFrmDestacarItem"));
    {
        const ModalRunnerScope scope(chartShooter(sink, QStringLiteral("TFrmDestacarItem")));
        window.btGraficoComparativo->click();
        window.BtGraficoCorrecao->click();
    }
    sink.report(reports::calculationReport(itemReportData(session, row, window.detail())),
                QStringLiteral("TFrmQRFastcalc-item"));
    window.hide();
}

}  // namespace

void shootDetailWindows(const ScreenshotSink& sink, DataModule& dm, QWidget* owner)
{
    shootQuickCalculation(sink, dm, owner);
    shootItemDetail(sink, dm, owner);
}

}  // namespace quintara
