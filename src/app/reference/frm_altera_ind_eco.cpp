#include "app/reference/frm_altera_ind_eco.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>

#include "app/reference/index_catalogue.h"
#include "data/data_module.h"
#include "ui/date_edit.h"
#include "ui/prompter.h"

namespace quintara {

TFrmAlteraIndEco::TFrmAlteraIndEco(DataModule& dm, std::uint32_t recNo, QWidget* parent)
    : TFrmIndiEcoManut(dm, parent), recNo_(recNo)
{
    setObjectName(QStringLiteral("TFrmAlteraIndEco"));
    setWindowTitle(QStringLiteral("Alterando dados do Indice"));
    lbDesc->setText(QStringLiteral("Denominação do Índice"));
    load();
}

void TFrmAlteraIndEco::load()
{
    foxpro::Table& t = dm_.Indices();
    t.go(recNo_);
    oldCode_ = t.getString("TBCM_COD");
    cCodIndice->setText(QString::fromStdString(oldCode_));
    cDesc->setText(QString::fromStdString(t.getString("TBCM_DESC")));
    dDat1->setDate(Date::fromDtos(t.getDate("TBCM_DINI")));
    dDat2->setDate(Date::fromDtos(t.getDate("TBCM_DFIM")));
    setKindCode(t.getString("TBCM_VAL"));
    setPeriodicityCode(t.getString("TBCM_TIP"));
    cMemo->setPlainText(QString::fromStdString(t.getMemo("TBCM_HIST")));
}

bool TFrmAlteraIndEco::refuseRename(const std::string& newCode)
{
    if (newCode == oldCode_) return false;
    if (!indexHasValues(dm_, oldCode_) && formsUsingIndex(dm_, oldCode_).empty()) return false;
    ui::Prompter::current().error(
        QStringLiteral("Atenção !"),
        QStringLiteral("O código de um índice com valores registrados ou usado por uma forma de correção não "
                       "pode ser alterado !"));
    cCodIndice->setFocus();
    return true;
}

void TFrmAlteraIndEco::btConfirmaClick()
{
    const std::optional<std::string> code = typedCode();
    if (!code || refuseDuplicate(*code, recNo_) || refuseRename(*code)) return;
    const Date start = dateOrNone(dDat1);
    const Date end = dateOrNone(dDat2);
    foxpro::Table& t = dm_.Indices();
    try {
        t.go(recNo_);
        t.edit();
        t.setString("TBCM_COD", *code);
        writeDescriptiveFields();
        t.setMemo("TBCM_HIST", cMemo->toPlainText().toStdString());
        // An emptied date keeps the stored one.
        if (!start.isEmpty()) t.setDate("TBCM_DINI", start.toDtos());
        if (!end.isEmpty()) t.setDate("TBCM_DFIM", end.toDtos());
        t.post();
    } catch (const std::exception& e) {
        if (t.editing()) t.cancel();
        ui::Prompter::current().error(QStringLiteral("Erro !"), QString::fromStdString(e.what()));
        return;
    }
    accept();
}

}  // namespace quintara
