// TFrmGraficoIndice: the chart of one index's values over a date range, with
// an optional second index for comparison, the plotted values beside it and
// the printed chart. It starts on the index the index table stands on.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "data/data_module.h"
#include "reports/index_chart_report.h"

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTableWidget;

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
QT_END_NAMESPACE

namespace quintara {

namespace ui {
class DateEdit;
}

class TFrmGraficoIndice : public QDialog {
    Q_OBJECT
public:
    explicit TFrmGraficoIndice(DataModule& dm, QWidget* parent = nullptr);

    // The printed chart as it would be previewed now.
    reports::PageModel report();
    const std::vector<IndexValueRow>& firstRows() const { return rows1_; }
    const std::vector<IndexValueRow>& secondRows() const { return rows2_; }
    const QString& secondCode() const { return code2_; }
    bool filled() const;

    QComboBox* DBCombo = nullptr;
    ui::DateEdit* dInicial = nullptr;
    ui::DateEdit* dFinal = nullptr;
    QPushButton* btAplicarFiltro = nullptr;
    QPushButton* btLimparFiltro = nullptr;
    QRadioButton* rbSimples = nullptr;
    QRadioButton* rb3D = nullptr;
    QSlider* TrackBar = nullptr;
    QPushButton* btInserirSerie = nullptr;
    QPushButton* btApagarSerie = nullptr;
    QPushButton* btImprimir = nullptr;
    QPushButton* btSair = nullptr;
    QChartView* DBgrafico = nullptr;
    QTableWidget* DBGrid = nullptr;
    QLabel* pDados = nullptr;
    QLabel* status = nullptr;

public slots:
    void FormActivate();
    void DBComboClick();
    void QueryExecute();
    void btAplicarFiltroClick();
    void btLimparFiltroClick();
    void btInserirSerieClick();
    void btApagarSerieClick();
    void btImprimirClick();
    void redraw();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildControls();
    QWidget* buildDataPanel();
    QString code1() const;
    // Both filter dates from the index's recorded range when the start is not a date.
    void completeDates();
    void fillDataGrid();
    std::string description(const QString& code) const;
    std::string history(const QString& code) const;

    DataModule& dm_;
    QChart* chart_ = nullptr;
    std::vector<IndexValueRow> rows1_;
    std::vector<IndexValueRow> rows2_;
    QString code2_;
    QString rememberedStart_;
    QString rememberedEnd_;
    bool loading_ = false;
};

}  // namespace quintara
