#include "app/frm_mini_navegador.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quintara {

TFrmMiniNavegador::TFrmMiniNavegador(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFrmMiniNavegador"));
    setWindowTitle(QStringLiteral("Quintara - Navegador"));

    edEndereco = new QLineEdit(this);
    btAbrir = new QPushButton(QStringLiteral("&Abrir"), this);
    btVoltar = new QPushButton(QStringLiteral("&Voltar"), this);
    btAvancar = new QPushButton(QStringLiteral("A&vançar"), this);
    btFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    browser = new QTextBrowser(this);
    browser->setOpenExternalLinks(true);
    btVoltar->setEnabled(false);
    btAvancar->setEnabled(false);

    connect(btAbrir, &QPushButton::clicked, this, &TFrmMiniNavegador::btAbrirClick);
    connect(edEndereco, &QLineEdit::returnPressed, this, &TFrmMiniNavegador::btAbrirClick);
    connect(btVoltar, &QPushButton::clicked, browser, &QTextBrowser::backward);
    connect(btAvancar, &QPushButton::clicked, browser, &QTextBrowser::forward);
    connect(btFechar, &QPushButton::clicked, this, &QDialog::accept);
    connect(browser, &QTextBrowser::backwardAvailable, btVoltar, &QPushButton::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, btAvancar, &QPushButton::setEnabled);
    connect(browser, &QTextBrowser::sourceChanged, this,
            [this](const QUrl& url) { edEndereco->setText(url.toDisplayString()); });

    auto* bar = new QHBoxLayout;
    bar->addWidget(btVoltar);
    bar->addWidget(btAvancar);
    bar->addWidget(edEndereco, 1);
    bar->addWidget(btAbrir);
    bar->addWidget(btFechar);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser, 1);
    resize(800, 600);
}

void TFrmMiniNavegador::navigate(const QUrl& address)
{
    edEndereco->setText(address.toDisplayString());
    if (address.isLocalFile() && !QFileInfo::exists(address.toLocalFile())) {
        browser->setHtml(QStringLiteral("<h3>Página não encontrada</h3><p>%1</p>")
                             .arg(address.toDisplayString().toHtmlEscaped()));
        return;
    }
    browser->setSource(address);
}

void TFrmMiniNavegador::btAbrirClick()
{
    const QString text = edEndereco->text().trimmed();
    if (text.isEmpty()) return;
    navigate(QUrl::fromUserInput(text));
}

}  // namespace quintara
