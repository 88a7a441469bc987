#include "app/reference/frm_nova_sequencia.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/app_errors.h"
#include "app/reference/forms_table.h"
#include "data/data_module.h"
#include "data/text_routines.h"
#include "ui/hints.h"
#include "ui/prompter.h"

namespace quintara {

namespace {

// Shows a control's "on enter" text in the dialog's status label.
class EnterText : public QObject {
public:
    EnterText(QWidget* widget, QLabel* label, QString text)
        : QObject(widget), label_(label), text_(std::move(text))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) label_->setText(text_);
        return QObject::eventFilter(watched, event);
    }

private:
    QLabel* label_;
    QString text_;
};

}  // namespace

TFrmNovaSequencia::TFrmNovaSequencia(DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("TFrmNovaSequencia"));
    setWindowTitle(QStringLiteral("Nova Sequência de Índices p/Cálculo"));

    status = new QLabel(this);
    cCodSeq = new QLineEdit(this);
    cCodSeq->setMaxLength(3);
    cCodSeq->setMaximumWidth(60);
    setHintTexts(cCodSeq, QStringLiteral("Código da sequência."),
                 QStringLiteral("Código de controle da sequência."));

    csequencia = new QLineEdit(this);
    csequencia->setMaxLength(254);
    setHintTexts(
        csequencia,
        QStringLiteral("Relação dos índices que compôe a sequência separados por um sinal: \"+\" ou \";\"."),
        QStringLiteral("Digite nesse campo o nome de um ou mais indices. Use \"+ ou ;\" como separador."));

    DBLCombo = new QComboBox(this);
    DBLCombo->setMinimumContentsLength(10);
    setHintTexts(DBLCombo,
                 QStringLiteral("Selecione o índice e clique na seta ao lado para adicioná-lo à sequência."),
                 QStringLiteral("Selecione o indexador e clique na seta para confirmar."));
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setArrowType(Qt::UpArrow);
    ui::setHint(SpeedButton1, DBLCombo->statusTip());

    historico = new QPlainTextEdit(this);
    historico->setTabChangesFocus(true);

    btOK = new QPushButton(QStringLiteral("Confirmar"), this);
    setHintTexts(btOK, QStringLiteral("Clique nesse botao para confirmar os dados!."),
                 QStringLiteral("Clique para confirmar a edição da sequência."));
    btOK->setDefault(true);
    btCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    setHintTexts(btCancelar, QStringLiteral("Clique nesse botao para cancelar a operação !"),
                 QStringLiteral("Clique para cancelar a edição."));

    auto* chainRow = new QHBoxLayout;
    chainRow->addWidget(csequencia, 1);
    auto* comboRow = new QHBoxLayout;
    comboRow->addWidget(DBLCombo);
    comboRow->addWidget(SpeedButton1);
    comboRow->addStretch();
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Código"), cCodSeq);
    form->addRow(QStringLiteral("Sequencia"), chainRow);
    form->addRow(QString(), comboRow);
    auto* info = new QGroupBox(QStringLiteral("Dados Adicionais (Informações)"), this);
    auto* infoLayout = new QVBoxLayout(info);
    infoLayout->addWidget(historico);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOK);
    buttons->addWidget(btCancelar);
    auto* statusBar = new QStatusBar(this);
    statusBar->addWidget(status, 1);
    statusBar->setSizeGripEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(info, 1);
    layout->addLayout(buttons);
    layout->addWidget(statusBar);
    ui::routeHints(this, status);
    resize(520, 340);

    connect(cCodSeq, &QLineEdit::editingFinished, this, &TFrmNovaSequencia::cCodSeqExit);
    connect(csequencia, &QLineEdit::editingFinished, this, &TFrmNovaSequencia::csequenciaExit);
    connect(SpeedButton1, &QToolButton::clicked, this, &TFrmNovaSequencia::SpeedButton1Click);
    connect(btOK, &QPushButton::clicked, this, &TFrmNovaSequencia::btOKClick);
    connect(btCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmNovaSequencia::setHintTexts(QWidget* widget, const QString& hint, const QString& onEnter)
{
    ui::setHint(widget, hint);
    new EnterText(widget, status, onEnter);
}

void TFrmNovaSequencia::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFrmNovaSequencia::FormActivate()
{
    if (cCodSeq->text().isEmpty()) cCodSeq->setText(proposedCode_);
    DBLCombo->clear();
    guarded([&] {
        foxpro::Table& indices = dm_.Indices();
        TableCursorGuard guard(indices);
        indices.setFilterActive(false);
        indices.setTag("codigo");
        for (indices.first(); !indices.eof(); indices.next())
            DBLCombo->addItem(QString::fromStdString(indices.getString("TBCM_COD")));
    });
    DBLCombo->setCurrentIndex(-1);
    lastCheckedChain_.clear();
}

void TFrmNovaSequencia::cCodSeqExit()
{
    if (cCodSeq->isReadOnly()) return;
    const std::string code = ZeroPadText(cCodSeq->text().toStdString(), 3);
    cCodSeq->setText(QString::fromStdString(code));
    bool taken = false;
    guarded([&] {
        foxpro::Table& forms = dm_.FormaCorrecao();
        TableCursorGuard guard(forms);
        forms.setTag("codigo");
        taken = forms.seek({code});
    });
    // Back to the code field once the focus has settled elsewhere.
    if (taken) QTimer::singleShot(0, cCodSeq, [this] { cCodSeq->setFocus(); });
}

void TFrmNovaSequencia::csequenciaExit()
{
    // Checked once the focus has moved, never from inside the focus change.
    QTimer::singleShot(0, this, &TFrmNovaSequencia::checkChainAfterEditing);
}

void TFrmNovaSequencia::checkChainAfterEditing()
{
    const QString chain = csequencia->text().trimmed();
    if (chain.isEmpty() || chain == lastCheckedChain_ || !isVisible()) return;
    const bool leftWithTab = QApplication::focusWidget() == DBLCombo;
    if (chainIsAcceptable() && leftWithTab) btOK->setFocus();
}

bool TFrmNovaSequencia::chainIsAcceptable()
{
    const QString chain = csequencia->text().trimmed();
    lastCheckedChain_ = chain;
    QString problem;
    if (!guarded([&] { problem = chainProblem(dm_, chain.toStdString()); })) return false;
    if (problem.isEmpty()) return true;
    ui::Prompter::current().error(QStringLiteral("Erro !"), problem);
    csequencia->setFocus();
    return false;
}

void TFrmNovaSequencia::SpeedButton1Click()
{
    const QString code = DBLCombo->currentText().trimmed();
    if (code.isEmpty()) return;
    const QString chain = csequencia->text().trimmed();
    csequencia->setText(chain.isEmpty() ? code : chain + QLatin1Char(';') + code);
}

void TFrmNovaSequencia::btOKClick()
{
    accept();
}

void TFrmNovaSequencia::accept()
{
    if (!chainIsAcceptable()) return;
    if (!guarded([&] { store(); })) return;
    QDialog::accept();
}

void TFrmNovaSequencia::store()
{
    foxpro::Table& forms = dm_.FormaCorrecao();
    const std::string code = nextFormCode(dm_);
    TableCursorGuard guard(forms);
    forms.setTag("");
    forms.append();
    forms.setString("FORMA_COD", code);
    forms.setString("FORMA_CH", csequencia->text().trimmed().toStdString());
    forms.setString("FORMA_DAT", "");
    forms.setMemo("FORMA_HIS", historico->toPlainText().toStdString());
    forms.post();
    setStoredCode(code);
}

}  // namespace quintara
