// The case register windows: new and change dialogs with their refusals and
// the protocol hour, the names editor, the detail banner, deleting a case and
// the personal indicator moving the list.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include "app/app_fixture.h"
#include "app/cases/frm_destaca_processo.h"
#include "app/cases/frm_incluir_nomes.h"
#include "app/cases/frm_indicador_pessoal.h"
#include "app/cases/frm_novo_processo.h"
#include "app/cases/frm_processos.h"
#include "app/costs/cost_drag.h"
#include "app/costs/frm_cont_custas.h"
#include "data/case_costs.h"
#include "data/case_register.h"

namespace quintara {
namespace {

class CaseWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUINTARA_REQUIRE_DATA(dir_);
        dm_ = DataModule::openFolder(dir_.path());
        dm_->setCurrentUser("000001");
    }
    std::uint32_t addCase(const std::string& number, std::vector<CaseName> names = {},
                          const std::string& status = "0")
    {
        CaseData data;
        data.number = number;
        data.names = std::move(names);
        const std::uint32_t record = registerCase(*dm_, data, "000001", CaseClock::now());
        if (status != "0") {
            data.status = status;
            changeCase(*dm_, record, data, Date::today());
        }
        return record;
    }
    // Fills the new-case dialog's number as typed and presses OK.
    static void typeNumberAndOk(QDialog& dialog, const QString& number)
    {
        auto& added = dynamic_cast<TFrmNovoProcesso&>(dialog);
        QTest::keyClicks(added.cNumeroProcesso, number);
        added.btOk->click();
    }

    test::DataDirectory dir_;
    std::unique_ptr<DataModule> dm_;
    test::DialogScript script_;
    ui::ScriptedPrompter prompter_;
    ui::PrompterScope prompterScope_{prompter_};
};

TEST_F(CaseWindows, ANumberAlreadyRegisteredInAnyLetterCaseIsRefusedAndTheDialogStaysOpen)
{
    TFrmProcessos window(*dm_);
    window.show();
    script_.onDialog([](QDialog& dialog) { typeNumberAndOk(dialog, QStringLiteral("ABC1234")); });
    window.btNovo->click();
    ASSERT_EQ(window.DBGrid1->topLevelItemCount(), 1);
    EXPECT_TRUE(prompter_.messages().empty());

    bool stayedOpen = false;
    script_.onDialog([&](QDialog& dialog) {
        typeNumberAndOk(dialog, QStringLiteral("abc1234"));
        stayedOpen = dialog.isVisible();
        dialog.reject();
    });
    window.btNovo->click();
    EXPECT_TRUE(stayedOpen);
    // Once while typing the seventh character, once on OK.
    ASSERT_EQ(prompter_.messages().size(), 2u);
    for (const auto& message : prompter_.messages()) {
        EXPECT_EQ(message.title, QStringLiteral("Atenção!"));
        EXPECT_EQ(message.text, QStringLiteral("Número de processo já cadastrado!"));
    }
    EXPECT_EQ(window.DBGrid1->topLevelItemCount(), 1);

    // A short number is refused without a message.
    script_.onDialog([&](QDialog& dialog) {
        typeNumberAndOk(dialog, QStringLiteral("XY12"));
        stayedOpen = dialog.isVisible();
    });
    window.btNovo->click();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(prompter_.messages().size(), 2u);
}

TEST_F(CaseWindows, ProtocolHourIsMovedIntoOfficeHoursAfterTheQuestion)
{
    TFrmNovoProcesso dialog(*dm_);
    dialog.show();
    test::clickBox(dialog.cbProtocolado);
    ASSERT_TRUE(dialog.Hora->isEnabled());
    const auto leaveHour = [&](const QString& typed) {
        dialog.Hora->clear();
        QTest::keyClicks(dialog.Hora, typed);
        QTest::keyClick(dialog.Hora, Qt::Key_Return);
        return dialog.Hora->text();
    };
    for (const auto& [typed, expected] :
         {std::pair{"9:30", "12:00"}, {"19:10", "18:00"}, {"14:5", "14:05"}}) {
        prompter_.clear();
        prompter_.queueAnswer(ui::Prompter::Yes);
        EXPECT_EQ(leaveHour(QString::fromLatin1(typed)), QString::fromLatin1(expected));
        ASSERT_EQ(prompter_.messages().size(), 1u) << typed;
        EXPECT_EQ(prompter_.messages()[0].title, QStringLiteral("Confirmar"));
        EXPECT_EQ(
            prompter_.messages()[0].text,
            QStringLiteral("O sistema ajustou o horário do protocolo de  acordo com o horário de atendimento "
                           "das repartições públicas !"));
    }
    prompter_.clear();
    EXPECT_EQ(leaveHour(QStringLiteral("18:59")), QStringLiteral("18:59"));
    EXPECT_TRUE(prompter_.messages().empty());

    prompter_.queueAnswer(ui::Prompter::No);
    EXPECT_EQ(leaveHour(QStringLiteral("8:00")), QStringLiteral("8:00"));
}

TEST_F(CaseWindows, NamesEditorRoundTripKeepsTheDialogAndRelabelsTheButton)
{
    TFrmProcessos window(*dm_);
    window.show();
    script_.onDialog([](QDialog& dialog) {
        if (auto* names = dynamic_cast<TFrmIncluirNomes*>(&dialog)) {
            EXPECT_EQ(names->Grid->rowCount(), 9);
            names->Grid->setItem(0, 0, new QTableWidgetItem(QStringLiteral("JOÃO DA SILVA")));
            names->Grid->setItem(0, 1, new QTableWidgetItem(QStringLiteral("Réu")));
            names->Grid->setItem(2, 0, new QTableWidgetItem(QStringLiteral("MARIA")));
            names->Grid->setItem(2, 2, new QTableWidgetItem(QStringLiteral("123.456.789-00")));
            names->btOk->click();
            return;
        }
        auto& added = dynamic_cast<TFrmNovoProcesso&>(dialog);
        QTest::keyClicks(added.cNumeroProcesso, QStringLiteral("NOM0001"));
        QTest::keyClicks(added.cResponsavel, QStringLiteral("Ana"));
        added.btNomes->click();
        EXPECT_EQ(added.btNomes->text(), QStringLiteral("Nomes das Partes (2)"));
        EXPECT_EQ(added.cNumeroProcesso->text(), QStringLiteral("NOM0001"));
        EXPECT_EQ(added.cResponsavel->text(), QStringLiteral("Ana"));
        added.btOk->click();
    });
    window.btNovo->click();
    const std::vector<CaseName> names = caseNames(*dm_, "NOM0001");
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], (CaseName{"JOÃO DA SILVA", "Réu", ""}));
    EXPECT_EQ(names[1], (CaseName{"MARIA", "", "123.456.789-00"}));

    // The change dialog opens the names marked as read, and a cancelled
    // editor changes nothing.
    script_.onDialog([](QDialog& dialog) {
        if (auto* names = dynamic_cast<TFrmIncluirNomes*>(&dialog)) {
            EXPECT_EQ(names->Grid->item(1, 3)->text(), QStringLiteral("*"));
            names->Grid->setItem(0, 0, new QTableWidgetItem(QStringLiteral("OUTRO")));
            names->btCancelar->click();
            return;
        }
        auto& change = dynamic_cast<TFrmAlterarProcesso&>(dialog);
        change.btNomes->click();
        change.btOk->click();
    });
    window.btAlterar->click();
    EXPECT_EQ(caseNames(*dm_, "NOM0001"), names);
}

TEST_F(CaseWindows, ChangeStoresStatusAndBlankProtocolAndDetailShowsItsBanner)
{
    // The case's names are followed in the index by another case's names.
    addCase("AAA0001", {{"PRIMEIRO", "", ""}});
    addCase("AAA0002", {{"SEGUNDO", "", ""}}, "1");
    CaseData filed;
    filed.number = "AAA0003";
    filed.filed = true;
    filed.protocolNumber = "55";
    filed.protocolHour = "13:00";
    filed.court = "2ª";
    addCase("AAA0000");
    const std::uint32_t record = registerCase(*dm_, filed, "000001", CaseClock::now());

    TFrmProcessos window(*dm_);
    window.show();
    window.selectRecord(record);
    script_.onDialog([](QDialog& dialog) {
        auto& change = dynamic_cast<TFrmAlterarProcesso&>(dialog);
        EXPECT_TRUE(change.cbProtocolado->isChecked());
        EXPECT_EQ(change.CbSituacao->currentIndex(), 0);
        change.CbSituacao->setCurrentIndex(2);
        test::clickBox(change.cbProtocolado);
        change.btOk->click();
    });
    window.btAlterar->click();
    const CaseData stored = readCase(*dm_, record);
    EXPECT_EQ(stored.status, "2");
    EXPECT_FALSE(stored.filed);
    EXPECT_EQ(stored.protocolHour, "");
    EXPECT_EQ(stored.court, "");

    TFrmDestacaProcesso detail(*dm_);
    detail.fill(record);
    EXPECT_EQ(detail.lbSituacao->text(), QStringLiteral("S U S P E N S O"));
    EXPECT_EQ(detail.lstNomes->count(), 0);
    detail.fill(findCaseNumber(*dm_, "AAA0002"));
    EXPECT_EQ(detail.lbSituacao->text(), QStringLiteral("C A N C E L A D O"));
    ASSERT_EQ(detail.lstNomes->count(), 1);
    EXPECT_TRUE(detail.lstNomes->item(0)->text().startsWith(QStringLiteral("SEGUNDO ")));
    EXPECT_TRUE(detail.lstNomes->item(0)->text().endsWith(QStringLiteral("*")));
}

TEST_F(CaseWindows, DeletingACaseLeavesItsCostsForACaseRegisteredAgain)
{
    const std::uint32_t record = addCase("DEL0001", {{"FULANO", "", ""}});
    const std::vector<CostItem> items = costItems(*dm_, "A", CostItemOrder::ByCode);
    ASSERT_FALSE(items.empty());
    addCaseCost(*dm_, "DEL0001", items.front(), Date::today());

    TFrmProcessos window(*dm_);
    window.show();
    window.selectRecord(record);
    prompter_.queueAnswer(ui::Prompter::No);
    window.btExcluir->click();
    EXPECT_EQ(window.DBGrid1->topLevelItemCount(), 1);
    prompter_.queueAnswer(ui::Prompter::Yes);
    window.btExcluir->click();
    EXPECT_EQ(prompter_.messages().back().text,
              QStringLiteral("Todos os dados do processo serão Excluídos!"));
    EXPECT_EQ(window.DBGrid1->topLevelItemCount(), 0);
    EXPECT_TRUE(caseNames(*dm_, "DEL0001").empty());

    script_.onDialog([](QDialog& dialog) { typeNumberAndOk(dialog, QStringLiteral("DEL0001")); });
    window.btNovo->click();
    ASSERT_EQ(window.DBGrid1->topLevelItemCount(), 1);

    TFrmContCustas count(*dm_);
    count.setPresetCase("DEL0001");
    count.show();
    EXPECT_EQ(count.SgCustas->item(0, 0)->text(), QStringLiteral("0001"));
    EXPECT_EQ(count.SgCustas->item(0, 1)->text().toStdString(), items.front().description);
}

TEST_F(CaseWindows, IndicatorOkMovesTheListToThePersonsCase)
{
    addCase("IND0002", {{"ZECA", "", "999"}});
    const std::uint32_t wanted = addCase("IND0001", {{"ALICE", "Autora", "111"}, {"ZECA", "Réu", "222"}});
    addCase("IND0003");

    TFrmProcessos window(*dm_);
    window.show();
    window.selectRecord(findCaseNumber(*dm_, "IND0003"));
    script_.onDialog([](QDialog& dialog) {
        auto& indicator = dynamic_cast<TFrmIndicadorPessoal&>(dialog);
        EXPECT_TRUE(indicator.btCancelar->isVisibleTo(&indicator));
        // A person of two cases is listed once per case, in name order.
        ASSERT_EQ(indicator.DBGrid1->topLevelItemCount(), 3);
        EXPECT_EQ(indicator.DBGrid1->topLevelItem(0)->text(0), QStringLiteral("ALICE"));
        indicator.DBGrid1->setCurrentItem(indicator.DBGrid1->topLevelItem(0));
        indicator.btOk->click();
    });
    window.btIndicador->click();
    EXPECT_EQ(window.currentRecord(), wanted);
    EXPECT_EQ(window.DBGrid1->topLevelItem(0)->text(1), QStringLiteral("IND0001")) << "number order";

    TFrmIndicadorPessoal browse(*dm_, TFrmIndicadorPessoal::Mode::Browse);
    browse.show();
    EXPECT_FALSE(browse.btCancelar->isVisibleTo(&browse));
    QHeaderView* header = browse.DBGrid1->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
    EXPECT_EQ(browse.order(), "processo");
    EXPECT_EQ(browse.DBGrid1->topLevelItem(0)->text(2), QStringLiteral("IND0001"));
    EXPECT_EQ(browse.DBGrid1->topLevelItem(1)->text(2), QStringLiteral("IND0001"));
    EXPECT_EQ(browse.DBGrid1->topLevelItem(0)->background(2).color(), QColor(192, 192, 192));
}

}  // namespace
}  // namespace quintara
