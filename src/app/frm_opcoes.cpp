#include "app/frm_opcoes.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/qt_settings.h"
#include "data/backup.h"
#include "data/settings.h"

namespace quintara {

TFrmOpcoes::TFrmOpcoes(Settings& settings, DataModule& dm, DataModule::FolderChooser chooser, QWidget* parent)
    : QDialog(parent), settings_(settings), dm_(dm), chooser_(std::move(chooser))
{
    setObjectName(QStringLiteral("TFrmOpcoes"));
    setWindowTitle(QStringLiteral("Opções"));

    auto* tabs = new QTabWidget(this);
    auto* page = new QWidget(tabs);
    tabs->addTab(page, QStringLiteral("Outros"));
    auto* box = new QGroupBox(QStringLiteral("Diretório de Dados do Sistema"), page);
    Dirdados = new QLineEdit(box);
    Dirdados->setObjectName(QStringLiteral("Dirdados"));
    btProcurar = new QPushButton(QStringLiteral("..."), box);
    btProcurar->setToolTip(QStringLiteral("Selecionar Diretório de Dados"));
    btProcurar->setMaximumWidth(40);
    auto* boxLayout = new QHBoxLayout(box);
    boxLayout->addWidget(Dirdados, 1);
    boxLayout->addWidget(btProcurar);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(box);
    pageLayout->addWidget(backupBox(page));
    pageLayout->addStretch();

    btConfirmar = new QPushButton(QStringLiteral("&Confirmar"), this);
    btConfirmar->setDefault(true);
    btCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    connect(btProcurar, &QPushButton::clicked, this, &TFrmOpcoes::btProcurarClick);
    connect(btConfirmar, &QPushButton::clicked, this, &TFrmOpcoes::btConfirmarClick);
    connect(btCancelar, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btConfirmar);
    buttons->addWidget(btCancelar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(buttons);
    resize(520, 270);
}

QWidget* TFrmOpcoes::backupBox(QWidget* page)
{
    auto* box = new QGroupBox(QStringLiteral("Cópias de Segurança"), page);
    auto* label = new QLabel(QStringLiteral("Cópias de segurança a manter"), box);
    CopiasManter = new QSpinBox(box);
    CopiasManter->setObjectName(QStringLiteral("CopiasManter"));
    CopiasManter->setRange(1, 999);
    CopiasManter->setValue(backupsKept(&settings_));
    CopiasManter->setStatusTip(
        QStringLiteral("Antes de importar, remontar ou reorganizar, os dados são copiados para a pasta "
                       "backup; as cópias mais antigas além deste número são apagadas."));
    CopiasManter->setToolTip(CopiasManter->statusTip());
    label->setBuddy(CopiasManter);
    auto* layout = new QHBoxLayout(box);
    layout->addWidget(label);
    layout->addWidget(CopiasManter);
    layout->addStretch();
    return box;
}

std::optional<std::string> TFrmOpcoes::askFolder()
{
    if (!chooser_) return std::nullopt;
    const std::string& current = dm_.dataDir();
    const bool hasData = !current.empty() && dm_.hasMarker(current);
    const std::string initial =
        hasData ? current : QCoreApplication::applicationDirPath().toStdString() + "/";
    std::optional<std::string> chosen = chooser_(initial);
    if (chosen && (chosen->empty() || chosen->back() != '/')) *chosen += '/';
    return chosen;
}

void TFrmOpcoes::FormCreate()
{
    if (settingsStatus(settings_) != 0) return;
    if (std::optional<std::string> chosen = askFolder()) {
        Dirdados->setText(QString::fromStdString(*chosen));
        settings_.setValue("pathdir", *chosen);
        settings_.setValue("status", "1");
    }
}

void TFrmOpcoes::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFrmOpcoes::FormActivate()
{
    if (settingsStatus(settings_) != 0)
        Dirdados->setText(QString::fromStdString(settings_.value("pathdir").value_or(std::string())));
}

void TFrmOpcoes::btProcurarClick()
{
    if (std::optional<std::string> chosen = askFolder()) Dirdados->setText(QString::fromStdString(*chosen));
}

void TFrmOpcoes::btConfirmarClick()
{
    const std::string folder = Dirdados->text().trimmed().toStdString();
    if (settingsStatus(settings_) == 1) {
        settings_.setValue("pathdir", folder);
    } else if (!folder.empty()) {
        // A folder chosen and confirmed is remembered even when none had been
        // chosen before; otherwise the confirmation would be silently lost.
        settings_.setValue("pathdir", folder);
        settings_.setValue("status", "1");
    }
    // Written only when changed, so that confirming a new folder changes the folder only.
    if (CopiasManter->value() != backupsKept(&settings_))
        settings_.setValue(kBackupsKeptKey, std::to_string(CopiasManter->value()));
    accept();
}

}  // namespace quintara
