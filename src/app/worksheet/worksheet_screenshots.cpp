#include "app/worksheet/worksheet_screenshots.h"

#include <QComboBox>
#include <QCoreApplication>

#include "app/worksheet/frm_calculando.h"
#include "app/worksheet/frm_erros.h"
#include "app/worksheet/frm_planilha.h"
#include "app/worksheet/worksheet_windows.h"
#include "data/case_register.h"
#include "data/date_routines.h"
#include "engine/data_module_reference.h"
#include "worksheet/worksheet_items.h"
#include "worksheet/worksheet_run.h"

namespace quintara {

namespace {

struct DemoItem {
    const char* origin;
    const char* amount;
    const char* description;
    bool payment;
    bool converter;
};

// Debts across the currency changes and a payment, so that the grid shows
// what a worksheet holds.
const DemoItem kDemoItems[] = {
    {"10/03/1990", "150000,00", "Aluguel março/1990", false, true},
    {"05/08/1993", "2500000,00", "Aluguel agosto/1993", false, true},
    {"01/06/1994", "1800000,00", "Aluguel junho/1994", false, true},
    {"10/01/2000", "850,00", "Aluguel janeiro/2000", false, false},
    {"10/03/2020", "1500,00", "Aluguel março/2020", false, false},
    {"15/07/2022", "1200,00", "Pagamento parcial", true, false},
};

// The first registered case, registered first when there is none.
std::string demoCase(DataModule& dm)
{
    foxpro::Table& cases = dm.Processos();
    cases.setFilterActive(false);
    cases.setTag("numero");
    cases.first();
    if (!cases.eof()) return cases.getString("NPROCESSO");
    CaseData demo;
    demo.number = "2024001";
    demo.responsible = "Ana Paula Ferreira";
    demo.description = "Cobrança de aluguéis em atraso";
    registerCase(dm, demo, dm.currentUser(), CaseClock::now());
    return demo.number;
}

// Gives a case without items the demo items, calculated to the end of last month.
void addDemoItems(DataModule& dm, const std::string& caseNumber)
{
    WorksheetGrid grid;
    if (loadCaseItems(dm, grid, caseNumber).loaded > 0) return;
    foxpro::Table& items = dm.ItensProcesso();
    int row = 0;
    for (const DemoItem& demo : kDemoItems) {
        ++row;
        auto set = [&](int column, const std::string& text) { grid.setCell(row, column, text); };
        set(colMark, "$");
        set(colNumber, itemNumberText(row));
        set(colDescription, demo.description);
        set(colOriginDate, demo.origin);
        set(colOriginalAmount, demo.amount);
        set(colMonthMode, "CHEIO");
        set(colOrdinaryRate, demo.payment ? "0,000000" : "12,000000");
        set(colCompensatoryRate, "0,000000");
        set(colFineRate, demo.payment ? "0,000000" : "2,000000");
        set(colFineOnInterest, "NÃO");
        set(colDebtOrPayment, demo.payment ? "AMORT." : "DÍVIDA");
        set(colConverter, demo.converter ? "SIM" : "NÃO");
        set(colOrdinaryFormula, "0");
        set(colCompensatoryFormula, "0");
        set(colOrdinaryStart, demo.origin);
        set(colCompensatoryStart, demo.origin);
        set(colFormCode, "001");
        set(colIndexQuantity, "0,00");
        set(colIndexValue, "0,00");
        set(colFeeRate, "0,00");
        set(colFees, "0,00");
        items.setTag("");
        items.append();
        GravaItem(grid, row, caseNumber, items);
        items.post();
    }
    const Date date = LastDayOfMonth(SubtractMonths(Date::today(), 1));
    DataModuleReference data(dm);
    DataModuleItemStore store(dm);
    PreparaCalculo(data, grid, &store, caseNumber, date.toString(), 0);
}

}  // namespace

void shootWorksheetWindows(const ScreenshotSink& sink, DataModule& dm, QWidget* owner)
{
    const std::string caseNumber = demoCase(dm);
    addDemoItems(dm, caseNumber);

    TfrmPlanilha worksheet(dm, worksheetDialogs(), owner);
    worksheet.show();
    worksheet.fillCases();
    worksheet.DBLookupComboBox1->setCurrentIndex(
        worksheet.DBLookupComboBox1->findText(QString::fromStdString(caseNumber)));
    worksheet.DBLookupComboBox1Click();
    worksheet.selectRow(2);
    sink.window(worksheet, QStringLiteral("TfrmPlanilha"));

    // The run window caught while it calculates the third item.
    worksheet.session().grid.markAllForRecalculation();
    TFrmCalculando run(worksheet.session(), 0, &worksheet);
    bool shot = false;
    QObject::connect(&run, &TFrmCalculando::stepDone, &run, [&](int item, int) {
        if (item < 3 || shot) return;
        shot = true;
        sink.window(run, QStringLiteral("TFrmCalculando"));
    });
    run.show();
    for (int i = 0; i < 1000 && !run.finished(); ++i) QCoreApplication::processEvents();
    run.hide();

    // One item changed since its calculation, so the list has an alert.
    worksheet.session().grid.setCell(2, colMark, "$");
    TFrmErros errors(worksheet.session(), &worksheet);
    sink.window(errors, QStringLiteral("TFrmErros"));
    worksheet.close();
}

}  // namespace quintara
