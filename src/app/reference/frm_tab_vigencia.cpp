#include "app/reference/frm_tab_vigencia.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/app_errors.h"
#include "app/backup_first.h"
#include "app/modal_runner.h"
#include "app/reference/frm_nova_moeda.h"
#include "app/reference/frm_rel_tab_vigencia.h"
#include "data/data_module.h"
#include "data/format_text.h"
#include "ui/hints.h"
#include "ui/prompter.h"

namespace quintara {

namespace {

enum Column { Name = 0, Period = 1, Symbol = 2, Conversion = 3, DateKey = 4, History = 5 };

bool isPictureFile(const QString& name)
{
    const QString suffix = QFileInfo(name).suffix().toLower();
    return suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg") ||
           suffix == QLatin1String("bmp") || suffix == QLatin1String("gif");
}

}  // namespace

TFrmTabVigencia::TFrmTabVigencia(DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("TFrmTabVigencia"));
    setWindowTitle(QStringLiteral("Moeda Nacional"));
    banner = new QLabel(QStringLiteral("Tabela de Vigência da Moeda Nacional"), this);
    banner->setAlignment(Qt::AlignCenter);
    banner->setFrameShape(QFrame::Panel);
    banner->setFrameShadow(QFrame::Raised);
    QFont bannerFont = banner->font();
    bannerFont.setBold(true);
    bannerFont.setPointSize(bannerFont.pointSize() + 3);
    banner->setFont(bannerFont);
    banner->setMinimumHeight(30);

    StrGridTab = new QTableWidget(0, 6, this);
    StrGridTab->setObjectName(QStringLiteral("StrGridTab"));
    StrGridTab->setSelectionBehavior(QAbstractItemView::SelectRows);
    StrGridTab->setSelectionMode(QAbstractItemView::SingleSelection);
    StrGridTab->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StrGridTab->verticalHeader()->setVisible(false);
    StrGridTab->verticalHeader()->setDefaultSectionSize(20);
    // The key columns (start date, history) are kept but not shown.
    StrGridTab->setColumnHidden(DateKey, true);
    StrGridTab->setColumnHidden(History, true);
    StrGridTab->setColumnWidth(Name, 170);
    StrGridTab->setColumnWidth(Period, 230);
    StrGridTab->setColumnWidth(Symbol, 70);
    StrGridTab->horizontalHeader()->setStretchLastSection(true);
    ui::setHint(StrGridTab, QStringLiteral("Tabela de vigência da Moeda Nacional (Brasil)"));

    cHistorico = new QPlainTextEdit(this);
    cHistorico->setObjectName(QStringLiteral("cHistorico"));
    cHistorico->setReadOnly(true);
    cHistorico->setMaximumHeight(120);
    ui::setHint(cHistorico,
                QStringLiteral("Histórico: Decreto/Medida Provisória e Lei que vigorou ou vigora."));
    cHistorico->installEventFilter(this);

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(StrGridTab, 1);
    leftLayout->addWidget(new QLabel(QStringLiteral("Decreto Lei ou Medida Provisória"), left));
    leftLayout->addWidget(cHistorico);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(left);
    splitter->addWidget(buildPicturePanel());
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setCollapsible(0, false);

    buildCommands();
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {btNovaMoeda, btExcluir, SpeedButton4}) buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);

    auto* statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    statusPanels[0] = new QLabel(QStringLiteral("Moeda Nacional"), statusBar);
    statusPanels[0]->setMinimumWidth(140);
    statusPanels[1] = new QLabel(statusBar);
    statusBar->addWidget(statusPanels[0]);
    statusBar->addWidget(statusPanels[1], 1);

    auto* menuBar = new QMenuBar(this);
    menuBar->addMenu(menuMoeda);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(banner);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);
    layout->addWidget(statusBar);
    ui::routeHints(this, statusPanels[1]);
    resize(1100, 620);

    connect(StrGridTab, &QTableWidget::currentCellChanged, this, &TFrmTabVigencia::StrGridTabSelectCell);
    connect(FileListBox, &QListWidget::currentRowChanged, this, &TFrmTabVigencia::FileListBoxClick);
}

QWidget* TFrmTabVigencia::buildPicturePanel()
{
    auto* panel = new QWidget(this);
    cNomeDir = new QLabel(QStringLiteral("NOME MOEDA"), panel);
    cNomeDir->setObjectName(QStringLiteral("cNomeDir"));
    cNomeDir->setAlignment(Qt::AlignCenter);
    cNomeDir->setFrameShape(QFrame::Panel);
    cNomeDir->setFrameShadow(QFrame::Sunken);
    cNomeDir->setMinimumHeight(24);
    ui::setHint(cNomeDir, QStringLiteral("Nome da Moeda em destaque."));
    FileListBox = new QListWidget(panel);
    FileListBox->setObjectName(QStringLiteral("FileListBox"));
    FileListBox->setMaximumHeight(110);
    ui::setHint(FileListBox,
                QStringLiteral("Relação das cédulas ou e moeda vigentes na época. Dê um clique no "
                               "mouse para ver a imagem da mesma."));
    Image = new QLabel(panel);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setAlignment(Qt::AlignCenter);
    Image->setMinimumSize(240, 140);
    Image->setFrameShape(QFrame::StyledPanel);
    Image->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    ui::setHint(Image, QStringLiteral("Cédula ou Moeda em destaque, posicione o mouse nas bordas para "
                                      "redimensionar a imagem. Clique no nome da moeda acima para ver a "
                                      "imagem da mesma."));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(cNomeDir);
    layout->addWidget(new QLabel(QStringLiteral("CÉDULAS DA ÉPOCA"), panel));
    layout->addWidget(FileListBox);
    layout->addWidget(Image, 1);
    return panel;
}

void TFrmTabVigencia::buildCommands()
{
    const auto button = [this](const QString& caption, const QString& hint) {
        auto* b = new QPushButton(caption, this);
        b->setAutoDefault(false);
        ui::setHint(b, hint);
        return b;
    };
    btNovaMoeda = button(QStringLiteral("&Nova Moeda"),
                         QStringLiteral("Permite inserir um novo registro de moeda na tabela acima."));
    btExcluir =
        button(QStringLiteral("&Excluir"), QStringLiteral("Permite excluir um registro da tabela acima (o "
                                                          "sistema não permite excluir reg. históricos)."));
    SpeedButton4 = button(QStringLiteral("&Imprimir Tabela"),
                          QStringLiteral("Permite imprimir a Tabela de Vigência da Moeda Nacional"));
    BitBtn1 = button(QStringLiteral("&Sair"), QStringLiteral("Clique para sair da tabela."));
    menuMoeda = new QMenu(QStringLiteral("&Moeda"), this);
    mNovaMoeda = menuMoeda->addAction(QStringLiteral("&Nova Moeda"));
    mExcluirRegistro = menuMoeda->addAction(QStringLiteral("&Excluir Registro"));
    mEditarHistorico = menuMoeda->addAction(QStringLiteral("&Editar Histórico"));
    menuMoeda->addSeparator();
    mRemontagem = menuMoeda->addAction(QStringLiteral("Remontagem"));

    connect(btNovaMoeda, &QPushButton::clicked, this, &TFrmTabVigencia::btNovaMoedaClick);
    connect(mNovaMoeda, &QAction::triggered, this, &TFrmTabVigencia::btNovaMoedaClick);
    connect(btExcluir, &QPushButton::clicked, this, &TFrmTabVigencia::btExcluirClick);
    connect(mExcluirRegistro, &QAction::triggered, this, &TFrmTabVigencia::btExcluirClick);
    connect(mEditarHistorico, &QAction::triggered, this, &TFrmTabVigencia::EditarHistrico1Click);
    connect(mRemontagem, &QAction::triggered, this, &TFrmTabVigencia::RemontagemClick);
    connect(SpeedButton4, &QPushButton::clicked, this, &TFrmTabVigencia::SpeedButton4Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::close);
}

void TFrmTabVigencia::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (activated_) return;
    activated_ = true;
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) FormActivate();
    });
}

void TFrmTabVigencia::FormActivate()
{
    statusPanels[1]->setText(QStringLiteral("Aguarde ..."));
    MontaGrid();
    guarded([&] { RefreshGrid(); });
    if (StrGridTab->rowCount() > 0) StrGridTab->setCurrentCell(0, Name);
    statusPanels[1]->setText(QStringLiteral("Conheça também as cédulas históricas e atuais (ao lado)."));
}

void TFrmTabVigencia::MontaGrid()
{
    StrGridTab->setHorizontalHeaderLabels({QStringLiteral("Moeda Vigente"),
                                           QStringLiteral("Período de Vigência"), QStringLiteral("Símbolo"),
                                           QStringLiteral("Conversão"), QString(), QString()});
}

void TFrmTabVigencia::RefreshGrid()
{
    const QSignalBlocker quiet(StrGridTab);
    StrGridTab->setRowCount(0);
    for (const CurrencyEra& era : readEras(dm_)) {
        if (era.symbol.empty()) continue;
        const int row = StrGridTab->rowCount();
        StrGridTab->insertRow(row);
        const auto put = [&](int column, const std::string& text) {
            StrGridTab->setItem(row, column, new QTableWidgetItem(QString::fromStdString(text)));
        };
        put(Name, era.name);
        put(Period, era.period);
        put(Symbol, era.symbol);
        put(Conversion, formatText("%.0f", {era.conversion}));
        StrGridTab->item(row, Conversion)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        put(DateKey, era.date.toString());
        put(History, era.history);
        StrGridTab->item(row, Name)->setData(Qt::UserRole, static_cast<qulonglong>(era.recNo));
    }
    StrGridTab->setCurrentCell(-1, -1);
}

std::uint32_t TFrmTabVigencia::selectedRecNo() const
{
    const int row = StrGridTab->currentRow();
    if (row < 0 || !StrGridTab->item(row, Name)) return 0;
    return static_cast<std::uint32_t>(StrGridTab->item(row, Name)->data(Qt::UserRole).toULongLong());
}

void TFrmTabVigencia::selectRecord(std::uint32_t recNo)
{
    for (int row = 0; row < StrGridTab->rowCount(); ++row) {
        if (StrGridTab->item(row, Name)->data(Qt::UserRole).toULongLong() == recNo) {
            StrGridTab->setCurrentCell(row, Name);
            return;
        }
    }
    if (StrGridTab->rowCount() > 0) StrGridTab->setCurrentCell(0, Name);
}

void TFrmTabVigencia::StrGridTabSelectCell()
{
    cHistoricoExit();
    const int row = StrGridTab->currentRow();
    FileListBox->clear();
    pictures_.clear();
    pictureFolder_.clear();
    Image->clear();
    if (row < 0) {
        cNomeDir->setText(QStringLiteral("NOME MOEDA"));
        cHistorico->clear();
        return;
    }
    const std::string name = StrGridTab->item(row, Name)->text().toStdString();
    const Date date = Date::tryParse(StrGridTab->item(row, DateKey)->text().toStdString()).value_or(Date());
    cNomeDir->setText(date.isEmpty() ? QString::fromStdString(name)
                                     : QString::fromStdString(name) + QStringLiteral(" ") +
                                           QString::number(date.year()));
    cHistorico->setPlainText(StrGridTab->item(row, History)->text());
    if (date.isEmpty()) return;
    const std::optional<std::string> folder = eraPictureFolder(dm_, name, date.year());
    if (!folder) return;
    pictureFolder_ = QString::fromStdString(*folder);
    QDir dir(pictureFolder_);
    if (!dir.exists() && !QDir().mkpath(pictureFolder_)) {
        ui::Prompter::current().error(QStringLiteral("Erro !"),
                                      QStringLiteral("Não foi possível criar a pasta ") + pictureFolder_);
        return;
    }
    for (const QString& file : dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase))
        if (isPictureFile(file)) pictures_ << file;
    FileListBox->addItems(pictures_);
    if (!pictures_.isEmpty()) FileListBox->setCurrentRow(0);
}

void TFrmTabVigencia::FileListBoxClick()
{
    showPicture();
}

void TFrmTabVigencia::showPicture()
{
    const int row = FileListBox->currentRow();
    if (row < 0 || row >= pictures_.size()) {
        Image->clear();
        return;
    }
    QImageReader reader(QDir(pictureFolder_).filePath(pictures_[row]));
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        Image->setText(QStringLiteral("Imagem ilegível: ") + reader.errorString());
        return;
    }
    Image->setPixmap(
        QPixmap::fromImage(picture).scaled(Image->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void TFrmTabVigencia::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (!pictures_.isEmpty()) showPicture();
}

void TFrmTabVigencia::btNovaMoedaClick()
{
    Date latest;
    if (!guarded([&] { latest = latestEraDate(dm_); })) return;
    TFrmNovaMoeda dialog(latest, this);
    if (runModal(dialog) != QDialog::Accepted) return;
    std::uint32_t added = 0;
    guarded([&] {
        foxpro::Table& t = dm_.Moeda();
        t.append();
        try {
            t.setDate("VGM_DATA", dialog.date().toDtos());
            t.setString("VGM_NOME", dialog.cNomesing->text().trimmed().toStdString());
            t.setString("VGM_NOMEPL", dialog.cNomePLu->text().trimmed().toStdString());
            t.setString("VGM_SIGLA", dialog.cSigla->text().trimmed().toStdString());
            t.setString("VGM_CONV", dialog.conversion().toMachineText());
            t.setMemo("VGM_HIST", dialog.cHistorico->toPlainText().toStdString());
            t.post();
        } catch (...) {
            t.cancel();
            throw;
        }
        added = t.recNo();
    });
    guarded([&] { RefreshGrid(); });
    // Selecting the new era creates its picture folder.
    selectRecord(added);
}

void TFrmTabVigencia::btExcluirClick()
{
    const std::uint32_t recNo = selectedRecNo();
    if (recNo == 0) return;
    const int row = StrGridTab->currentRow();
    const Date date = Date::tryParse(StrGridTab->item(row, DateKey)->text().toStdString()).value_or(Date());
    if (isHistoricalEra(date)) {
        ui::Prompter::current().error(
            QStringLiteral("Erro !"),
            QStringLiteral("Não é permitido a exclusão dos registros históricos !"));
        return;
    }
    guarded([&] {
        foxpro::Table& t = dm_.Moeda();
        t.go(recNo);
        // The record must still be the era the grid shows.
        if (t.isDeleted() || Date::fromDtos(t.getDate("VGM_DATA")) != date) return;
        t.edit();
        t.remove();
    });
    packtabela();
    guarded([&] { RefreshGrid(); });
    StrGridTab->setCurrentCell(std::min(row, StrGridTab->rowCount() - 1), Name);
}

void TFrmTabVigencia::packtabela()
{
    if (!backupFirst(dm_, QStringLiteral("Erro !"), QStringLiteral("A tabela não foi remontada."))) return;
    try {
        packCurrencies(dm_);
    } catch (const std::exception& e) {
        ui::Prompter::current().error(QStringLiteral("Erro !"), QString::fromStdString(e.what()));
    }
}

void TFrmTabVigencia::RemontagemClick()
{
    const int row = StrGridTab->currentRow();
    packtabela();
    guarded([&] { RefreshGrid(); });
    if (StrGridTab->rowCount() > 0)
        StrGridTab->setCurrentCell(std::clamp(row, 0, StrGridTab->rowCount() - 1), Name);
}

void TFrmTabVigencia::EditarHistrico1Click()
{
    historyRecNo_ = selectedRecNo();
    if (historyRecNo_ == 0) return;
    editingHistory_ = true;
    cHistorico->setReadOnly(false);
    cHistorico->setFocus();
}

void TFrmTabVigencia::cHistoricoExit()
{
    if (!editingHistory_) return;
    editingHistory_ = false;
    cHistorico->setReadOnly(true);
    // The era whose history was opened, even when another row is being selected.
    const std::uint32_t recNo = historyRecNo_;
    const QString text = cHistorico->toPlainText();
    const bool stored = guarded([&] {
        foxpro::Table& t = dm_.Moeda();
        t.go(recNo);
        t.edit();
        try {
            t.setMemo("VGM_HIST", text.toStdString());
            t.post();
        } catch (...) {
            t.cancel();
            throw;
        }
    });
    for (int row = 0; stored && row < StrGridTab->rowCount(); ++row)
        if (StrGridTab->item(row, Name)->data(Qt::UserRole).toULongLong() == recNo)
            StrGridTab->item(row, History)->setText(text);
    StrGridTab->setFocus();
}

bool TFrmTabVigencia::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cHistorico && event->type() == QEvent::FocusOut) cHistoricoExit();
    return QDialog::eventFilter(watched, event);
}

reports::CurrencyTable TFrmTabVigencia::tableForReport() const
{
    reports::CurrencyTable table;
    for (int row = 0; row < StrGridTab->rowCount(); ++row) {
        const auto text = [&](int column) { return StrGridTab->item(row, column)->text().toStdString(); };
        table.rows.push_back({text(Period), text(Name), text(Symbol), text(Conversion)});
    }
    return table;
}

void TFrmTabVigencia::SpeedButton4Click()
{
    guarded([&] {
        TFrmRelTabVigencia report(this);
        report.preview(tableForReport());
    });
}

void TFrmTabVigencia::done(int result)
{
    cHistoricoExit();
    activated_ = false;
    QDialog::done(result);
}

}  // namespace quintara
