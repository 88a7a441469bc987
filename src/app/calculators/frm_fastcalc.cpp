#include "app/calculators/frm_fastcalc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/app_errors.h"
#include "app/calculators/frm_calc_exe.h"
#include "app/modal_runner.h"
#include "data/date_routines.h"
#include "data/table_cursor.h"
#include "ui/amount_edit.h"
#include "ui/date_edit.h"

namespace quintara {

TFrmFastcalc::TFrmFastcalc(DataModule& dm, QWidget* parent) : TNovoItemPlanilha(dm, parent)
{
    setObjectName(QStringLiteral("TFrmFastcalc"));
    setWindowTitle(QStringLiteral("Fast Calc"));
    setItemNumberText(QStringLiteral("F"));
    setConfirmCaption(QStringLiteral("Executar Cálculo"));
    btCancelar->setText(QStringLiteral("&Sair"));
    cbFazCorrecao->show();
    lbHistoricoForma = new QLabel(this);
    lbHistoricoForma->setObjectName(QStringLiteral("lbHistoricoForma"));
    lbHistoricoForma->setWordWrap(true);
    lbHistoricoForma->setFrameShape(QFrame::StyledPanel);
    lbHistoricoForma->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lbHistoricoForma->hide();
    layout_->insertWidget(layout_->indexOf(cbFazCorrecao) + 1, lbHistoricoForma);
    connect(FormaDeCorrecao, &QComboBox::currentIndexChanged, this, &TFrmFastcalc::showFormNotes);
    resize(760, sizeHint().height());
}

void TFrmFastcalc::showFormNotes()
{
    const std::string code = FormaDeCorrecao->currentData().toString().toStdString();
    std::string notes;
    guarded([&] {
        foxpro::Table& forms = dm_.FormaCorrecao();
        TableCursorGuard keep(forms);
        forms.setTag("codigo");
        if (!code.empty() && forms.seek({code})) notes = forms.getMemo("FORMA_HIS");
    });
    const QString text = QString::fromStdString(notes).trimmed();
    lbHistoricoForma->setText(text);
    lbHistoricoForma->setVisible(!text.isEmpty());
}

void TFrmFastcalc::FormActivate()
{
    TNovoItemPlanilha::FormActivate();
    setItemNumberText(QStringLiteral("F"));
    DESCRICAO->clear();
    valororiginal->setAmount(Amount());
    TipoJuroOrdinario->setCurrentIndex(0);
    TipoJuroCompensatorio->setCurrentIndex(0);
    cbFazCorrecao->setChecked(true);
    cbFazCorrecao->setEnabled(true);
    cbFazCorrecao->show();
    showFormNotes();
}

std::optional<QuickInput> TFrmFastcalc::quickInput() const
{
    if (!IsValidDateText(dataOrigem->text().toStdString())) return std::nullopt;
    const ItemEntry e = entry();
    QuickInput in;
    in.origin = Date::parse(e.originDate);
    in.amount = e.originalAmount;
    in.amountInWords = amountHint().toStdString();
    in.description = DESCRICAO->text().toStdString();
    in.correctionApplied = cbFazCorrecao->isChecked();
    in.formCode = CodigoForma();
    in.formText = in.correctionApplied ? FormaDeCorrecao->currentText().toStdString() : std::string();
    in.originCurrency = MoedaOrigem->text().toStdString();
    in.ordinaryRate = Decimal::ofAmount(e.ordinaryRate);
    in.compensatoryRate = Decimal::ofAmount(e.compensatoryRate);
    in.fineRate = Decimal::ofAmount(e.fineRate);
    const auto start = [&in](const ui::DateEdit* field) {
        return IsValidDateText(field->text().toStdString()) ? Date::parse(field->text().toStdString())
                                                            : in.origin;
    };
    in.ordinaryStart = start(DataOrdinario);
    in.compensatoryStart = start(DataCompensatorio);
    in.ordinaryFormula = e.ordinaryFormula;
    in.compensatoryFormula = e.compensatoryFormula;
    in.fineOnInterest = e.fineOnInterest;
    in.converter = e.converter;
    in.fullMonth = e.fullMonth;
    return in;
}

// An origin date that is not a complete valid date ignores the press.
void TFrmFastcalc::confirm()
{
    std::optional<QuickInput> input;
    if (!guarded([&] { input = quickInput(); }) || !input) return;
    TFrmCalcExe results(dm_, *input, this);
    runModal(results);
}

}  // namespace quintara
