// The index chart: which values are plotted, the comparison index and its
// one-entry dialog, and the printed chart's texts.
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLegend>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <algorithm>

#include "app/reference/frm_grafico_indice.h"
#include "app/reference/frm_series_grafico_indice.h"
#include "reference_fixture.h"
#include "ui/date_edit.h"

namespace quintara {
namespace {

class IndexChart : public test::ReferenceWindowTest {
protected:
    void SetUp() override
    {
        ReferenceWindowTest::SetUp();
        if (!dm_) return;
        for (int month = 1; month <= 12; ++month) {
            const std::string date =
                "2001" + std::string(month < 10 ? "0" : "") + std::to_string(month) + "01";
            test::addValue(*dm_, "TR", date, 0.1 * month);
            if (month <= 6) test::addValue(*dm_, "INPC", date, 0.5);
        }
        foxpro::Table& indices = dm_->Indices();
        indices.setTag("codigo");
        ASSERT_TRUE(indices.seek({"TR"}));
    }
};

TEST_F(IndexChart, OpensOnTheCurrentIndexWithItsWholeRecordedRange)
{
    TFrmGraficoIndice window(*dm_);
    showActive(window);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Gráfico de Variação do Índice: TR"));
    EXPECT_EQ(window.dInicial->text(), QStringLiteral("01/01/2001"));
    EXPECT_EQ(window.dFinal->text(), QStringLiteral("01/12/2001"));
    EXPECT_EQ(window.firstRows().size(), 12u);
    EXPECT_EQ(window.TrackBar->maximum(), 12);
    EXPECT_TRUE(window.filled());
    EXPECT_FALSE(window.DBgrafico->chart()->legend()->isVisible());

    // A narrower filter, then back to the whole range.
    window.dInicial->setText(QStringLiteral("01/06/2001"));
    window.btAplicarFiltro->click();
    EXPECT_EQ(window.firstRows().size(), 7u);
    window.btLimparFiltro->click();
    EXPECT_EQ(window.firstRows().size(), 12u);

    // An index without values leaves the chart empty and the track bar as it was.
    window.DBCombo->setCurrentText(QStringLiteral("SELIC"));
    window.DBComboClick();
    EXPECT_TRUE(window.firstRows().empty());
    EXPECT_EQ(window.TrackBar->maximum(), 12);
}

TEST_F(IndexChart, OneComparisonIndexAtATimeAndTheReportNamesBoth)
{
    TFrmGraficoIndice window(*dm_);
    showActive(window);
    script_.onDialog([&](QDialog& dialog) {
        auto& series = dynamic_cast<TFrmSeriesGraficoIndice&>(dialog);
        series.lbIndices->setCurrentItem(
            series.lbIndices->findItems(QStringLiteral("INPC"), Qt::MatchExactly).first());
        series.btAdicionar->click();
        series.lbIndices->setCurrentRow(0);
        series.btAdicionar->click();
        EXPECT_EQ(prompter_.lastText(), QStringLiteral("Apenas uma série pode ser adicionada por vez!"));
        EXPECT_EQ(series.lbSeries->count(), 1);
        series.btOk->click();
    });
    window.btInserirSerie->click();
    EXPECT_EQ(window.secondCode(), QStringLiteral("INPC"));
    EXPECT_EQ(window.secondRows().size(), 6u);
    EXPECT_TRUE(window.DBgrafico->chart()->legend()->isVisible());

    window.rbSimples->click();
    const reports::PageModel model = window.report();
    ASSERT_FALSE(model.pages.empty());
    EXPECT_TRUE(model.pages[0].hasText("TR X INPC"));
    EXPECT_TRUE(model.pages[0].hasText("01/01/2001 até 01/12/2001"));
    EXPECT_FALSE(model.pages[0].lines().empty());
    const auto filledBoxes = [](const reports::Page& page) {
        return std::count_if(page.boxes().begin(), page.boxes().end(),
                             [](const reports::PageBox& b) { return b.filled; });
    };
    EXPECT_EQ(filledBoxes(model.pages[0]), 0) << "the plain view draws lines only";
    window.rb3D->click();
    EXPECT_GT(filledBoxes(window.report().pages[0]), 0) << "the 3D view fills the area under the lines";
    bool secondHistory = false;
    for (const reports::Page& page : model.pages) secondHistory = secondHistory || page.hasText("INPC:");
    EXPECT_TRUE(secondHistory);

    window.btApagarSerie->click();
    EXPECT_TRUE(window.secondCode().isEmpty());
    EXPECT_FALSE(window.DBgrafico->chart()->legend()->isVisible());
    EXPECT_TRUE(window.report().pages[0].hasText("TR"));
}

}  // namespace
}  // namespace quintara
