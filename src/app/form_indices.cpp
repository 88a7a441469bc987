#include "app/form_indices.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/backup_first.h"
#include "data/data_module.h"
#include "data/table_repair.h"
#include "foxpro/index_repair.h"
#include "foxpro/table.h"
#include "ui/prompter.h"
#include "ui/wait_cursor.h"

namespace quintara {

namespace {

const QString kComplete = QStringLiteral("< Completo >");

}  // namespace

TFormIndices::TFormIndices(DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("TFormIndices"));
    setWindowTitle(QStringLiteral("Reorganizador de Índices"));

    auto* label = new QLabel(QStringLiteral("Nome do Arquivo"), this);
    cbTable = new QComboBox(this);
    cbTable->setObjectName(QStringLiteral("cbTable"));
    cbTable->setMinimumWidth(220);
    label->setBuddy(cbTable);
    BitBtn1 = new QPushButton(QStringLiteral("&Executar"), this);
    BitBtn2 = new QPushButton(QStringLiteral("&Sair"), this);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormIndices::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFormIndices::BitBtn2Click);

    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    panelStatus = new QLabel(status);
    panelStatus->setFixedWidth(350);
    panelCount = new QLabel(status);
    status->addWidget(panelStatus);
    status->addWidget(panelCount, 1);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(cbTable, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addStretch();
    layout->addLayout(buttons);
    layout->addWidget(status);
    resize(460, 170);
}

void TFormIndices::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    AoAtivar();
}

void TFormIndices::AoAtivar()
{
    // Each table must be opened exclusively, so the data module lets go of
    // its own copies. The parameters table stays as it was.
    for (TableId id : {TableId::Indices, TableId::ValorIndices, TableId::Moeda, TableId::FormaCorrecao,
                       TableId::Custas, TableId::GrupoCustas, TableId::Usuarios, TableId::Processos,
                       TableId::IndicadorPessoal, TableId::CustasProcesso, TableId::ItensProcesso})
        dm_.closeTable(id);
    tablesClosed_ = true;
    cbAliasChange();
}

void TFormIndices::cbAliasChange()
{
    ui::WaitCursor wait;
    cbTable->clear();
    QDir folder(QString::fromStdString(dm_.dataDir()));
    QStringList names = folder.entryList({QStringLiteral("*.dbf"), QStringLiteral("*.DBF")}, QDir::Files,
                                         QDir::Name | QDir::IgnoreCase);
    names.removeDuplicates();
    cbTable->addItems(names);
    cbTable->insertItem(0, kComplete);
    cbTable->setCurrentIndex(0);
}

void TFormIndices::MostraStatus(const QString& text)
{
    panelStatus->setText(text);
    panelStatus->repaint();
}

// An index that is missing, empty or unreadable stops the table from opening;
// it is written anew from the tags the data module gives the table.
bool TFormIndices::RefazIndicePerdido(const std::string& path, const QString& tableName, QString& reason)
{
    // Tables without tags (the parameters table, which the data module keeps
    // open) are not looked at.
    const std::vector<foxpro::TagDef> tags = tagDefinitions(path);
    if (tags.empty()) return false;
    try {
        if (foxpro::indexFault(path).empty()) return false;
    } catch (const foxpro::Error&) {
        return false;  // the table itself does not open: the usual path says why
    }
    MostraStatus(QStringLiteral("Refazendo os indices de ") + tableName + QStringLiteral("..."));
    ui::WaitCursor wait;
    try {
        reindexTable(path, tags);
    } catch (const foxpro::Error& error) {
        reason = QStringLiteral("Erro não identificado no BDE !.");
        qWarning("reindex %s: %s", qPrintable(tableName), error.what());
    }
    return true;
}

std::pair<bool, QString> TFormIndices::ReindexaTabela(const QString& tableName)
{
    foxpro::Table table;
    const std::string path = dm_.dataDir() + tableName.toStdString();
    QString reason;
    if (RefazIndicePerdido(path, tableName, reason)) {
        MostraStatus(QString());
        return {reason.isEmpty(), reason};
    }
    {
        ui::WaitCursor wait;
        MostraStatus(QStringLiteral("Abrindo ") + tableName + QStringLiteral("..."));
        try {
            table.open(path, foxpro::OpenMode::Exclusive);
        } catch (const foxpro::Error&) {
            // Not opened: the reason below is what the person is told.
        }
    }
    if (!table.isOpen()) {
        reason = QStringLiteral(
            "A Tabela não pode ser aberta no modo Exclusivo. Provavelmente está sendo usada por outro "
            "aplicativo.");
    } else if (table.tags().empty()) {
        // A table kept without an index file (the parameters table) has
        // nothing to rebuild; opening it alone was all there was to check.
        table.close();
    } else {
        MostraStatus(QStringLiteral("Refazendo os indices de ") + tableName + QStringLiteral("..."));
        ui::WaitCursor wait;
        try {
            table.reindex();
        } catch (const foxpro::Error& error) {
            reason = QStringLiteral("Erro não identificado no BDE !.");
            qWarning("reindex %s: %s", qPrintable(tableName), error.what());
        }
        table.close();
    }
    MostraStatus(QString());
    return {reason.isEmpty(), reason};
}

void TFormIndices::BitBtn1Click()
{
    const int selected = cbTable->currentIndex();
    if (!backupFirst(dm_, QStringLiteral("Erro !"), QStringLiteral("Nenhuma tabela foi reindexada."))) return;
    if (selected <= 0) {
        const int count = cbTable->count();
        for (int i = 1; i < count; ++i) {
            panelCount->setText(QString::number(count - i));
            panelCount->repaint();
            const QString name = cbTable->itemText(i);
            if (!ReindexaTabela(name).first)
                ui::Prompter::current().error(QStringLiteral("Erro !"),
                                              QStringLiteral("Não foi possível reindexar a tabela ") + name);
        }
        panelCount->clear();
        return;
    }
    const QString name = cbTable->itemText(selected);
    const auto [ok, reason] = ReindexaTabela(name);
    if (!ok)
        ui::Prompter::current().error(QStringLiteral("Erro"),
                                      QStringLiteral("Não foi possível reindexar a Tabela ") + name +
                                          QStringLiteral(".  Razão: ") + QStringLiteral(". ") +
                                          QStringLiteral("\n\n") + reason);
}

void TFormIndices::BitBtn2Click()
{
    close();
}

void TFormIndices::done(int result)
{
    QDialog::done(result);
    // Whichever way the window closes, the main window must reopen the data.
    if (tablesClosed_) {
        tablesClosed_ = false;
        emit dataClosed();
    }
}

}  // namespace quintara
