#include "app/reference/frm_grafico_indice.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/app_errors.h"
#include "app/modal_runner.h"
#include "app/reference/forms_table.h"
#include "app/reference/frm_series_grafico_indice.h"
#include "app/reference/index_chart_builder.h"
#include "data/format_text.h"
#include "data/text_routines.h"
#include "engine/chain.h"
#include "ui/date_edit.h"
#include "ui/hints.h"
#include "ui/report_preview.h"

namespace quintara {

namespace {

const QColor kFirstColor(200, 0, 0);
const QColor kSecondColor(0, 0, 220);
constexpr int kWideData = 193;
constexpr int kNarrowData = 15;

// The lines of a memo text (CR LF or LF).
std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

reports::ChartSeries printedSeries(const QString& code, const std::vector<IndexValueRow>& rows,
                                   reports::Rgb color)
{
    reports::ChartSeries series{code.toStdString(), color, {}};
    for (const IndexValueRow& row : rows) series.points.push_back({row.date, row.value});
    return series;
}

QPushButton* button(QWidget* parent, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TFrmGraficoIndice::TFrmGraficoIndice(DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("TFrmGraficoIndice"));
    setWindowTitle(QStringLiteral("Gráfico de Variação do Indice"));

    chart_ = new QChart;
    chart_->legend()->hide();
    DBgrafico = new QChartView(chart_, this);
    DBgrafico->setRenderHint(QPainter::Antialiasing);

    auto* statusBar = new QStatusBar(this);
    status = new QLabel(statusBar);
    statusBar->addWidget(status, 1);
    statusBar->setSizeGripEnabled(false);

    auto* middle = new QHBoxLayout;
    middle->addWidget(DBgrafico, 1);
    middle->addWidget(buildDataPanel());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(buildControls());
    layout->addLayout(middle, 1);
    layout->addWidget(statusBar);
    ui::routeHints(this, status);
    resize(1000, 620);
}

QWidget* TFrmGraficoIndice::buildControls()
{
    auto* bar = new QWidget(this);
    DBCombo = new QComboBox(bar);
    DBCombo->setMinimumContentsLength(10);
    ui::setHint(DBCombo, QStringLiteral("Clique aqui para selecionar outro índice."));
    dInicial = new ui::DateEdit(bar);
    dFinal = new ui::DateEdit(bar);
    const int dateWidth = dInicial->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 16;
    dInicial->setFixedWidth(dateWidth);
    dFinal->setFixedWidth(dateWidth);
    btAplicarFiltro = button(bar, QStringLiteral("Aplicar Filtro"));
    btLimparFiltro = button(bar, QStringLiteral("Limpar Filtro"));
    rbSimples = new QRadioButton(QStringLiteral("Simples"), bar);
    rb3D = new QRadioButton(QStringLiteral("3D"), bar);
    rb3D->setChecked(true);
    TrackBar = new QSlider(Qt::Horizontal, bar);
    TrackBar->setRange(1, 100);
    TrackBar->setValue(100);
    TrackBar->setMinimumWidth(90);
    TrackBar->setMaximumWidth(140);
    ui::setHint(TrackBar, QStringLiteral("Controle da Janela de Visualização do Gráfico."));
    btInserirSerie = button(bar, QStringLiteral("Inserir Nova Série"));
    btApagarSerie = button(bar, QStringLiteral("&Apagar série"));
    btImprimir = button(bar, QStringLiteral("&Imprimir"));
    btSair = button(bar, QStringLiteral("&Sair"));

    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(DBCombo);
    row->addWidget(new QLabel(QStringLiteral("de"), bar));
    row->addWidget(dInicial);
    row->addWidget(new QLabel(QStringLiteral("até"), bar));
    row->addWidget(dFinal);
    row->addWidget(btAplicarFiltro);
    row->addWidget(btLimparFiltro);
    row->addWidget(rbSimples);
    row->addWidget(rb3D);
    row->addWidget(TrackBar);
    row->addWidget(btInserirSerie);
    row->addWidget(btApagarSerie);
    row->addStretch();
    row->addWidget(btImprimir);
    row->addWidget(btSair);

    connect(DBCombo, &QComboBox::activated, this, [this] { DBComboClick(); });
    connect(btAplicarFiltro, &QPushButton::clicked, this, &TFrmGraficoIndice::btAplicarFiltroClick);
    connect(btLimparFiltro, &QPushButton::clicked, this, &TFrmGraficoIndice::btLimparFiltroClick);
    connect(rbSimples, &QRadioButton::toggled, this, &TFrmGraficoIndice::redraw);
    connect(TrackBar, &QSlider::valueChanged, this, &TFrmGraficoIndice::redraw);
    connect(btInserirSerie, &QPushButton::clicked, this, &TFrmGraficoIndice::btInserirSerieClick);
    connect(btApagarSerie, &QPushButton::clicked, this, &TFrmGraficoIndice::btApagarSerieClick);
    connect(btImprimir, &QPushButton::clicked, this, &TFrmGraficoIndice::btImprimirClick);
    connect(btSair, &QPushButton::clicked, this, &TFrmGraficoIndice::reject);
    return bar;
}

QWidget* TFrmGraficoIndice::buildDataPanel()
{
    auto* panel = new QWidget(this);
    pDados = new QLabel(QStringLiteral("DADOS"), panel);
    pDados->setAlignment(Qt::AlignCenter);
    pDados->setFrameShape(QFrame::Panel);
    pDados->setFrameShadow(QFrame::Raised);
    DBGrid = new QTableWidget(0, 2, panel);
    DBGrid->setHorizontalHeaderLabels({QStringLiteral("DATA"), QStringLiteral("VALOR")});
    DBGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid->verticalHeader()->hide();
    DBGrid->horizontalHeader()->setStretchLastSection(true);
    DBGrid->setColumnWidth(0, 78);
    ui::setHint(DBGrid, QStringLiteral("Dados do Índice selecionado para o gráfico."));
    pDados->installEventFilter(this);
    DBGrid->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pDados);
    layout->addWidget(DBGrid, 1);
    panel->setFixedWidth(kWideData);
    return panel;
}

bool TFrmGraficoIndice::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick &&
        (watched == pDados || watched == DBGrid->viewport())) {
        QWidget* panel = pDados->parentWidget();
        panel->setFixedWidth(panel->width() > kNarrowData ? kNarrowData : kWideData);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFrmGraficoIndice::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFrmGraficoIndice::FormActivate()
{
    status->setText(QStringLiteral("Aguarde ...."));
    guarded([&] {
        loading_ = true;
        foxpro::Table& indices = dm_.Indices();
        std::string current = indices.eof() || indices.bof() ? std::string() : indices.getString("TBCM_COD");
        {
            TableCursorGuard guard(indices);
            indices.setFilterActive(false);
            indices.setTag("codigo");
            DBCombo->clear();
            for (indices.first(); !indices.eof(); indices.next())
                DBCombo->addItem(QString::fromStdString(indices.getString("TBCM_COD")));
        }
        const int at = DBCombo->findText(QString::fromStdString(current));
        DBCombo->setCurrentIndex(at >= 0 ? at : 0);
        code2_.clear();
        rows2_.clear();
        rb3D->setChecked(true);
        loading_ = false;
        DBComboClick();
    });
    loading_ = false;
    status->setText(QStringLiteral("Concluído !"));
}

QString TFrmGraficoIndice::code1() const
{
    return DBCombo->currentText();
}

std::string TFrmGraficoIndice::description(const QString& code) const
{
    foxpro::Table& indices = dm_.Indices();
    indices.setTag("codigo");
    return indices.seek({code.toStdString()}) ? indices.getString("TBCM_DESC") : std::string();
}

std::string TFrmGraficoIndice::history(const QString& code) const
{
    foxpro::Table& indices = dm_.Indices();
    indices.setTag("codigo");
    return indices.seek({code.toStdString()}) ? indices.getMemo("TBCM_HIST") : std::string();
}

void TFrmGraficoIndice::DBComboClick()
{
    setWindowTitle(QStringLiteral("Gráfico de Variação do Índice: ") + code1());
    guarded([&] { chart_->setTitle(QString::fromStdString(description(code1()))); });
    dInicial->setDate(Date());
    dFinal->setDate(Date());
    QueryExecute();
}

void TFrmGraficoIndice::completeDates()
{
    if (dInicial->isValidDate()) return;
    std::string range;
    {
        TableCursorGuard guard(dm_.ValorIndices());
        range = PeriodoDoIndice(dm_, code1().toStdString());
    }
    dInicial->setText(QString::fromStdString(SubText(range, 1, 10)));
    dFinal->setText(QString::fromStdString(SubText(range, 16, 10)));
    rememberedStart_ = dInicial->text();
    rememberedEnd_ = dFinal->text();
}

void TFrmGraficoIndice::QueryExecute()
{
    guarded([&] {
        status->setText(QStringLiteral("Verificando indice selecionado..."));
        completeDates();
        status->setText(QStringLiteral("Buscando Dados para o Gráfico ..."));
        const Date from = dInicial->tryDate().value_or(Date());
        const Date to = dFinal->tryDate().value_or(Date());
        rows1_ = dm_.QueryIndices(code1().toStdString(), from, to);
        if (!code2_.isEmpty()) rows2_ = dm_.QueryIndices(code2_.toStdString(), from, to);
        status->setText(QStringLiteral("Aguarde verificando dados..."));
        fillDataGrid();
        if (!rows1_.empty()) {
            const QSignalBlocker block(TrackBar);
            TrackBar->setMaximum(static_cast<int>(rows1_.size()));
            TrackBar->setValue(static_cast<int>(rows1_.size()));
        }
        redraw();
        status->setText(QStringLiteral("Gráfico Ok !"));
    });
}

void TFrmGraficoIndice::fillDataGrid()
{
    DBGrid->setRowCount(static_cast<int>(rows1_.size()));
    for (std::size_t i = 0; i < rows1_.size(); ++i) {
        const int row = static_cast<int>(i);
        DBGrid->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(rows1_[i].date.toString())));
        auto* value = new QTableWidgetItem(QString::fromStdString(formatText("%10.9n", {rows1_[i].value})));
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        DBGrid->setItem(row, 1, value);
    }
}

bool TFrmGraficoIndice::filled() const
{
    return rb3D->isChecked();
}

void TFrmGraficoIndice::redraw()
{
    if (loading_) return;
    const IndexChartSeries first{code1(), rows1_, kFirstColor};
    const IndexChartSeries second{code2_, rows2_, kSecondColor};
    fillIndexChart(*chart_, first, code2_.isEmpty() ? nullptr : &second, filled(), TrackBar->value());
    chart_->legend()->setVisible(!code2_.isEmpty());
}

void TFrmGraficoIndice::btAplicarFiltroClick()
{
    QueryExecute();
}

void TFrmGraficoIndice::btLimparFiltroClick()
{
    if (dInicial->text() == rememberedStart_) return;
    dInicial->setText(rememberedStart_);
    dFinal->setText(rememberedEnd_);
    QueryExecute();
}

void TFrmGraficoIndice::btInserirSerieClick()
{
    TFrmSeriesGraficoIndice dialog(dm_, this);
    if (runModal(dialog) != QDialog::Accepted || dialog.chosenCode().isEmpty()) return;
    code2_ = dialog.chosenCode();
    rows2_.clear();
    QueryExecute();
}

void TFrmGraficoIndice::btApagarSerieClick()
{
    code2_.clear();
    rows2_.clear();
    redraw();
}

void TFrmGraficoIndice::reject()
{
    btApagarSerieClick();
    QDialog::reject();
}

reports::PageModel TFrmGraficoIndice::report()
{
    reports::IndexChartPrint print;
    print.caption = code1().toStdString();
    print.description = description(code1());
    print.memo.push_back(code1().toStdString() + ":");
    for (const std::string& line : splitLines(history(code1()))) print.memo.push_back(line);
    if (!code2_.isEmpty()) {
        print.caption += " X " + code2_.toStdString();
        print.description += " X " + description(code2_);
        print.memo.push_back("");
        print.memo.push_back(code2_.toStdString() + ":");
        for (const std::string& line : splitLines(history(code2_))) print.memo.push_back(line);
    }
    print.period = dInicial->text().toStdString() + " até " + dFinal->text().toStdString();

    // The same values and view as the chart on the screen.
    print.filled = filled();
    print.series.push_back(printedSeries(code1(), rows1_, reports::Rgb{200, 0, 0}));
    if (!code2_.isEmpty()) print.series.push_back(printedSeries(code2_, rows2_, reports::kBlue));
    return reports::indexChartReport(print);
}

void TFrmGraficoIndice::btImprimirClick()
{
    guarded([&] {
        ui::ReportPreview preview(report(), this);
        preview.preview();
    });
}

}  // namespace quintara
