// Shared set-up of the worksheet window tests: a data directory with the INPC
// series, a form "010" over it, a registered case and items stored as the
// item form stores them.
#pragma once

#include <QComboBox>
#include <QProcess>
#include <QTest>

#include "app/app_fixture.h"
#include "app/worksheet/frm_planilha.h"
#include "data/case_register.h"
#include "worksheet/worksheet_items.h"

namespace quintara::test {

inline std::string runCli(const QStringList& args)
{
    QProcess cli;
    cli.start(QStringLiteral(QUINTARA_CLI), args);
    if (!cli.waitForFinished(120000) || cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0)
        return "quintara-cli " + args.join(' ').toStdString() +
               " failed: " + cli.readAllStandardError().toStdString();
    return {};
}

struct WorksheetItem {
    WorksheetItem(int n, std::string originDate = "01/06/1994", std::string originalAmount = "1000,00",
                  bool withConverter = false, std::string formCode = "010", std::string rate = {})
        : number(n),
          origin(std::move(originDate)),
          amount(std::move(originalAmount)),
          converter(withConverter),
          form(std::move(formCode)),
          ordinaryRate(std::move(rate))
    {
    }
    int number;
    std::string origin;
    std::string amount;
    bool converter;
    std::string form;
    std::string ordinaryRate;  // empty = none
};

class WorksheetTest : public ::testing::Test {
protected:
    static constexpr const char* kCase = "2024001";

    void SetUp() override
    {
        QUINTARA_REQUIRE_DATA(dir_);
        const QString data = QString::fromStdString(dir_.path());
        std::string failed = runCli({QStringLiteral("import"), data, QStringLiteral("INPC"),
                                     QStringLiteral(QUINTARA_SHARED_DIR "/data/series/inpc.csv")});
        if (failed.empty())
            failed = runCli({QStringLiteral("form"), data, QStringLiteral("10"), QStringLiteral("--chain"),
                             QStringLiteral("INPC"), QStringLiteral("--periods"),
                             QStringLiteral("00/00/0000:00/00/0000")});
        ASSERT_TRUE(failed.empty()) << failed;
        dm_ = DataModule::openFolder(dir_.path());
        dm_->setCurrentUser("000001");
        CaseData c;
        c.number = kCase;
        c.responsible = "DRA. ANA";
        c.description = "COBRANÇA";
        c.court = "3";
        registerCase(*dm_, c, "000001", CaseClock{Date(10, 1, 2001), "10:30"});
    }

    // Appends an item's record as a new item is stored: pending, results 0.
    void storeItem(const WorksheetItem& item, const std::string& caseNumber = kCase)
    {
        WorksheetGrid grid;
        const int row = item.number;
        grid.ensureRow(row);
        auto set = [&](int column, const std::string& text) { grid.setCell(row, column, text); };
        set(colOriginDate, item.origin);
        set(colOriginalAmount, item.amount);
        set(colMonthMode, "CHEIO");
        set(colConverter, item.converter ? "SIM" : "NÃO");
        set(colFineOnInterest, "NÃO");
        set(colOrdinaryRate, item.ordinaryRate.empty() ? "   0,000000" : item.ordinaryRate);
        set(colCompensatoryRate, "   0,000000");
        set(colFineRate, "   0,000000");
        set(colOrdinaryFormula, "0");
        set(colCompensatoryFormula, "0");
        set(colOrdinaryStart, item.origin);
        set(colCompensatoryStart, item.origin);
        set(colFormCode, item.form);
        set(colDebtOrPayment, "DÍVIDA");
        set(colIndexQuantity, "0,00");
        set(colIndexValue, "0,00");
        set(colFeeRate, "  0,00");
        set(colFees, "0,00");
        foxpro::Table& items = dm_->ItensProcesso();
        items.setTag("");
        items.append();
        GravaItem(grid, row, caseNumber, items);
        items.post();
    }

    // The worksheet shown with "today" pinned and the case chosen.
    std::unique_ptr<TfrmPlanilha> openWorksheet(WorksheetDialogs dialogs = {}, bool chooseCase = true)
    {
        auto window = std::make_unique<TfrmPlanilha>(*dm_, std::move(dialogs));
        window->setToday([] { return Date(15, 8, 1994); });
        window->show();
        if (chooseCase) choose(*window, kCase);
        return window;
    }

    // Chooses the case in the selector with the keyboard, as a person does.
    static void choose(TfrmPlanilha& window, const std::string& caseNumber)
    {
        window.DBLookupComboBox1->setFocus();
        QTest::keyClicks(window.DBLookupComboBox1, QString::fromStdString(caseNumber));
    }

    test::DataDirectory dir_;
    std::unique_ptr<DataModule> dm_;
    test::DialogScript script_;
    ui::ScriptedPrompter prompter_;
    ui::PrompterScope prompterScope_{prompter_};
};

}  // namespace quintara::test
