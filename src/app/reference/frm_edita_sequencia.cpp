#include "app/reference/frm_edita_sequencia.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <stdexcept>

#include "app/reference/forms_table.h"
#include "data/data_module.h"

namespace quintara {

TFrmEditaSequencia::TFrmEditaSequencia(DataModule& dm, std::uint32_t record, QWidget* parent)
    : TFrmNovaSequencia(dm, parent), record_(record)
{
    setObjectName(QStringLiteral("TFrmEditaSequencia"));
    setWindowTitle(QStringLiteral("Alterar Sequência (Forma de Correção)"));
    cCodSeq->setReadOnly(true);
    cCodSeq->setFocusPolicy(Qt::NoFocus);

    foxpro::Table& forms = dm_.FormaCorrecao();
    TableCursorGuard guard(forms);
    forms.go(record_);
    code_ = forms.getString("FORMA_COD");
    setProposedCode(QString::fromStdString(code_));
    cCodSeq->setText(QString::fromStdString(code_));
    csequencia->setText(QString::fromStdString(forms.getString("FORMA_CH")));
    historico->setPlainText(QString::fromStdString(forms.getMemo("FORMA_HIS")));
}

void TFrmEditaSequencia::store()
{
    foxpro::Table& forms = dm_.FormaCorrecao();
    TableCursorGuard guard(forms);
    forms.go(record_);
    if (forms.isDeleted() || forms.getString("FORMA_COD") != code_)
        throw std::runtime_error("A sequência " + code_ + " não existe mais; nada foi gravado.");
    forms.edit();
    forms.setString("FORMA_CH", csequencia->text().trimmed().toStdString());
    forms.setMemo("FORMA_HIS", historico->toPlainText().toStdString());
    forms.post();
    setStoredCode(code_);
}

}  // namespace quintara
