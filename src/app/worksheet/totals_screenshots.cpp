#include "app/worksheet/totals_screenshots.h"

#include <QApplication>

#include "app/worksheet/frm_honorarios.h"
#include "app/worksheet/frm_totais_planilha.h"
#include "app/worksheet/worksheet_session.h"
#include "data/case_costs.h"
#include "data/court_costs.h"
#include "data/format_text.h"
#include "data/lookups.h"
#include "worksheet/worksheet_items.h"
#include "worksheet/worksheet_totals.h"

namespace quintara {

namespace {

// The first case in number order, its record current; empty when none.
std::string firstCase(DataModule& dm)
{
    foxpro::Table& cases = dm.Processos();
    cases.setTag("numero");
    cases.first();
    return cases.eof() ? std::string() : cases.getString("NPROCESSO");
}

// The header texts of the current case record, as the worksheet fills them.
CaseHeader headerOfCurrentCase(DataModule& dm)
{
    foxpro::Table& cases = dm.Processos();
    CaseHeader header;
    header.DescricaoProcesso = cases.getString("DESCRICAO");
    header.ResponsavelProcesso = cases.getString("RESPONSAV");
    const std::string protocol = cases.getString("NPROTOCOLO");
    header.LinhaProtocolo = protocol.empty() ? "<não protocolado>"
                                             : "Nº" + protocol + " em " + cases.getString("DPROTOCOLO") +
                                                   " às " + cases.getString("HORAPROTOC") + "hs.";
    header.LinhaAbertura = cases.getString("DATA") + " ás " + cases.getString("HORA") +
                           " Usr:" + NomeDoUsuario(dm, cases.getString("USUARIO"));
    header.AnotacoesProcesso = cases.getString("ANOTACOES");
    return header;
}

// Shown only, never stored: a calculated row with the given results.
void demoRow(WorksheetGrid& grid, int row, const char* kind, const char* date, const char* original,
             const char* principal, const char* correction, const char* interest, const char* fees)
{
    const auto cell = [](const char* text) { return formatText("%19.2f", {Amount::parse(text)}); };
    const Amount total = Amount::parse(principal) + Amount::parse(correction) + Amount::parse(interest);
    grid.ensureRow(row);
    grid.setCell(row, colNumber, itemNumberText(row));
    grid.setCell(row, colDescription, kind[0] == 'D' ? "Aluguel em atraso" : "Pagamento parcial");
    grid.setCell(row, colOriginDate, date);
    grid.setCell(row, colOriginalAmount, cell(original));
    grid.setCell(row, colPrincipal, cell(principal));
    grid.setCell(row, colCorrection, cell(correction));
    grid.setCell(row, colOrdinaryInterest, cell(interest));
    grid.setCell(row, colCompensatoryInterest, cell("0"));
    grid.setCell(row, colFine, cell("0"));
    grid.setCell(row, colTotal, formatText("%19.2f", {total}));
    grid.setCell(row, colDebtOrPayment, kind);
    grid.setCell(row, colFeeRate, "10,00");
    grid.setCell(row, colFees, formatText("%15.2f", {Amount::parse(fees)}));
}

// The case's items; when they hold no calculated debt and payment, a few
// shown-only rows are added after them so that every block has figures.
void fillGrid(DataModule& dm, WorksheetSession& session)
{
    loadCaseItems(dm, session.grid, session.caseNumber);
    const WorksheetTotals totals = sumWorksheet(session.grid);
    if (totals.debts.items > 0 && totals.payments.items > 0) return;
    int row = session.grid.ContaString();
    demoRow(session.grid, row, "DÍVIDA", "15/03/2019", "12000", "12000", "2875,4", "1450,3", "1632,57");
    row = session.grid.ContaString();
    demoRow(session.grid, row, "DÍVIDA", "10/08/2021", "3500", "3500", "512,8", "402,15", "441,5");
    row = session.grid.ContaString();
    demoRow(session.grid, row, "AMORT.", "05/01/2023", "4000", "4000", "390,25", "0", "0");
}

}  // namespace

void shootTotalsWindows(const ScreenshotSink& sink, DataModule& dm, QWidget* owner)
{
    WorksheetSession session(dm);
    session.caseNumber = firstCase(dm);
    if (session.caseNumber.empty()) return;
    session.header = headerOfCurrentCase(dm);
    session.calculationDate = Date::today().toString();
    fillGrid(dm, session);

    // Costs are counted for the picture only when the case has none, and
    // taken off again afterwards.
    bool added = false;
    if (caseCosts(dm, session.caseNumber).empty()) {
        for (const CostGroup& group : costGroups(dm)) {
            const std::vector<CostItem> items = costItems(dm, group.letter, CostItemOrder::ByCode);
            if (items.empty()) continue;
            addCaseCost(dm, session.caseNumber, items.front(), Date::today());
            added = true;
            if (caseCosts(dm, session.caseNumber).size() >= 2) break;
        }
    }

    TFrmTotaisPlanilha totals(session, owner);
    totals.show();
    QApplication::processEvents();
    sink.window(totals, QStringLiteral("TFrmTotaisPlanilha"));
    sink.report(reports::worksheetTotalsReport(totals.reportData()), QStringLiteral("TFrmQrTotaisPlanilha"));
    totals.hide();

    TFrmHonorarios fees(session, owner);
    fees.show();
    QApplication::processEvents();
    sink.window(fees, QStringLiteral("TFrmHonorarios"));
    fees.hide();

    if (added) deleteAllCaseCosts(dm, session.caseNumber);
}

}  // namespace quintara
