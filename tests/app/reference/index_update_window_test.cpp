// The index update dialog: per-index results after a run with recorded
// answers, one message when the network is missing, and its opening from
// the indices window, whose value list then shows the new values; the
// sources an import records and the quick calculation report's appendix.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <map>

#include "app/app_fixture.h"
#include "app/calculators/frm_calc_exe.h"
#include "app/reference/frm_atualiza_indices.h"
#include "app/reference/frm_tab_ind_con.h"
#include "app/reference/update_screenshots.h"
#include "data/index_sources.h"
#include "reports/calculation_report.h"
#include "update/fetcher.h"

namespace quintara {
namespace {

using Column = TFrmAtualizaIndices::Column;

// Answers by series number; a number it does not know gets an empty list.
class RecordedFetcher : public Fetcher {
public:
    std::map<std::string, FetchReply> bySeries;
    FetchReply fallback{FetchFailure::None, 200, "[]", {}};
    int calls = 0;
    FetchReply get(const std::string& address) override
    {
        ++calls;
        for (const auto& [series, reply] : bySeries)
            if (address.find("bcdata.sgs." + series + "/") != std::string::npos) return reply;
        return fallback;
    }
};

const std::string kIpcaAnswer =
    R"([{"data":"01/01/2026","valor":"0.16"},{"data":"01/02/2026","valor":"1.31"},)"
    R"({"data":"01/03/2026","valor":"0.56"}])";

class IndexUpdateWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUINTARA_REQUIRE_DATA(dir_);
        dm_ = DataModule::openFolder(dir_.path());
        fetcher_.bySeries["433"] = {FetchFailure::None, 200, kIpcaAnswer, {}};
        fetcher_.bySeries["4390"] = {FetchFailure::None, 200, R"([{"data":"01/01/20)", {}};
    }
    int rowOf(TFrmAtualizaIndices& dialog, const QString& code)
    {
        for (int row = 0; row < dialog.grid->rowCount(); ++row)
            if (dialog.grid->item(row, Column::ColIndice)->text() == code) return row;
        return -1;
    }
    QString text(TFrmAtualizaIndices& dialog, const QString& code, int column)
    {
        return dialog.grid->item(rowOf(dialog, code), column)->text();
    }
    void prepare(TFrmAtualizaIndices& dialog)
    {
        dialog.setFetcher(&fetcher_);
        dialog.setServiceAddress("http://127.0.0.1:9/dados/serie");
        dialog.setToday(Date(9, 12, 2026));
    }

    test::DataDirectory dir_;
    std::unique_ptr<DataModule> dm_;
    RecordedFetcher fetcher_;
    ui::ScriptedPrompter prompter_;
    ui::PrompterScope prompterScope_{prompter_};
};

TEST_F(IndexUpdateWindow, ShowsWhatEachIndexGotAndWhyOthersFailed)
{
    TFrmAtualizaIndices dialog(*dm_);
    prepare(dialog);
    ASSERT_GE(rowOf(dialog, "IPCA"), 0);
    EXPECT_EQ(text(dialog, "IPCA", Column::ColSerie), "433");
    EXPECT_EQ(text(dialog, "IPCAE", Column::ColSerie), "-");
    dialog.btAtualizarClick();

    EXPECT_EQ(text(dialog, "IPCA", Column::ColIncluidos), "3");
    EXPECT_EQ(text(dialog, "IPCA", Column::ColSituacao), "Atualizado");
    QProgressBar* bar = dialog.progressOf(rowOf(dialog, "IPCA"));
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(text(dialog, "SELIC", Column::ColSituacao), "Falhou: resposta inválida");
    EXPECT_TRUE(
        dialog.grid->item(rowOf(dialog, "SELIC"), Column::ColSituacao)->toolTip().startsWith("SELIC: "));
    EXPECT_EQ(text(dialog, "SELIC", Column::ColIncluidos), "");
    EXPECT_EQ(text(dialog, "IPCAE", Column::ColSituacao), "Falhou: sem número de série");
    EXPECT_EQ(text(dialog, "INPC", Column::ColSituacao), "Sem valores novos");
    EXPECT_TRUE(dialog.lbResumo->text().startsWith("1 índice(s) atualizado(s)"))
        << dialog.lbResumo->text().toStdString();
    EXPECT_TRUE(prompter_.messages().empty());
    EXPECT_EQ(dm_->QueryIndices("IPCA", Date(), Date()).size(), 3u);
    EXPECT_TRUE(dm_->QueryIndices("SELIC", Date(), Date()).empty());
}

TEST_F(IndexUpdateWindow, AMissingNetworkIsOneMessage)
{
    fetcher_.bySeries.clear();
    fetcher_.fallback = {FetchFailure::NoNetwork, 0, {}, "Host not found"};
    TFrmAtualizaIndices dialog(*dm_);
    prepare(dialog);
    dialog.btAtualizarClick();
    ASSERT_EQ(prompter_.messages().size(), 1u);
    EXPECT_EQ(prompter_.messages()[0].kind, ui::ScriptedPrompter::Kind::Error);
    EXPECT_TRUE(prompter_.messages()[0].text.contains("Host not found"));
    EXPECT_EQ(fetcher_.calls, 1);
    EXPECT_EQ(text(dialog, "IPCA", Column::ColSituacao), "Não atualizado");
}

TEST_F(IndexUpdateWindow, TheIndicesWindowOpensItAndShowsTheNewValues)
{
    foxpro::Table& indices = dm_->Indices();
    indices.setTag("codigo");
    ASSERT_TRUE(indices.seek({"IPCA"}));
    TFrmTabIndCon window(*dm_);
    window.setUpdateSetup([this](QDialog& dialog) { prepare(static_cast<TFrmAtualizaIndices&>(dialog)); });
    window.show();
    QApplication::processEvents();
    ASSERT_EQ(window.selectedCode(), "IPCA");
    EXPECT_EQ(window.shownValues().size(), 0u);

    test::DialogScript script;
    script.onDialog([](QDialog& dialog) {
        auto& update = static_cast<TFrmAtualizaIndices&>(dialog);
        update.btAtualizar->click();
        update.btFechar->click();
    });
    window.btAtualizarIndices->click();
    EXPECT_EQ(script.shown(), 1);
    EXPECT_EQ(window.shownValues().size(), 3u);
}

TEST_F(IndexUpdateWindow, AnImportFromTheIndicesWindowRecordsItsFileAndHash)
{
    foxpro::Table& indices = dm_->Indices();
    indices.setTag("codigo");
    ASSERT_TRUE(indices.seek({"TR"}));
    TFrmTabIndCon window(*dm_);
    window.show();
    QApplication::processEvents();
    QTemporaryDir folder;
    QFile out(folder.filePath(QStringLiteral("tr.csv")));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("data;valor\n01/01/2020;0,21\n01/02/2020;0,25\n");
    out.close();
    window.setImportFileChooser([&] { return out.fileName(); });
    window.mImportarValores->trigger();

    auto entry = IndexSources(*dm_).lastEntry("TR");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->origin, QFileInfo(out.fileName()).absoluteFilePath().toStdString());
    // sha256sum of the three lines written above
    EXPECT_EQ(entry->sha256, "0a0002d53f3185f9cfbbf983eeb45e60e540f825e4e0827a106930b1272aa4b0");
    EXPECT_EQ(entry->first, Date(1, 1, 2020));
    EXPECT_EQ(entry->last, Date(1, 2, 2020));
    EXPECT_EQ(entry->added, 2);
}

TEST_F(IndexUpdateWindow, TheQuickCalculationReportAddsTheSourcesAppendixOnRequest)
{
    for (int month = 1; month <= 12; ++month)
        test::addValue(*dm_, "INPC", QString::asprintf("01/%02d/2023", month).toStdString(), 1.0);
    IndexSources(*dm_).log({"INPC",
                            {Date(5, 1, 2024), "09:30:00"},
                            SourceKind::File,
                            "/dados/inpc.csv",
                            std::string(64, 'e'),
                            Date(1, 1, 2023),
                            Date(1, 12, 2023),
                            12,
                            0,
                            0});
    QuickInput in;
    in.origin = Date(15, 1, 2023);
    in.amount = Amount::parse("1000");
    in.formCode = "001";
    in.formText = "INPC";
    in.originCurrency = "(Real) R$";
    in.ordinaryStart = in.compensatoryStart = in.origin;
    TFrmCalcExe window(*dm_, in);
    window.show();
    window.DatadoCalculo->setDate(QDate(2023, 10, 15));
    window.btInterromper->click();
    ASSERT_TRUE(window.lastRun().has_value());

    auto plain = window.reportData();
    ASSERT_TRUE(plain);
    EXPECT_TRUE(plain->appendixLines.empty());

    window.cbFontes->setChecked(true);
    auto withSources = window.reportData();
    ASSERT_TRUE(withSources);
    EXPECT_EQ(withSources->appendixTitle, "Fontes dos índices");
    ASSERT_GE(withSources->appendixLines.size(), 5u);
    EXPECT_EQ(withSources->appendixLines[0].rfind("INPC - ", 0), 0u);
    EXPECT_EQ(withSources->appendixLines.back(), "    SHA-256: " + std::string(64, 'e'));
    const std::string printed = reports::dumpTexts(reports::calculationReport(*withSources));
    EXPECT_NE(printed.find("Fontes dos índices"), std::string::npos);
    EXPECT_NE(printed.find("/dados/inpc.csv"), std::string::npos);
}

TEST_F(IndexUpdateWindow, ScreenshotOfTheUpdateStoresNoDemoValues)
{
    const std::uint32_t before = dm_->ValorIndices().recordCount();
    const std::size_t updatesBefore = IndexSources(*dm_).history("IPCA").size();
    int pictures = 0;
    ScreenshotSink sink{[&](QWidget&, const QString& name) { pictures += name == "TFrmAtualizaIndices"; },
                        {}};
    shootIndexUpdate(sink, *dm_, nullptr);
    EXPECT_EQ(pictures, 1);
    dm_ = DataModule::openFolder(dir_.path());
    EXPECT_EQ(dm_->ValorIndices().recordCount(), before);
    EXPECT_EQ(IndexSources(*dm_).history("IPCA").size(), updatesBefore);
}

}  // namespace
}  // namespace quintara
