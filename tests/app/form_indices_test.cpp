// The table reorganiser: its list of tables, the full and single runs, a
// table another holder keeps open, and the main window reopening the data.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <filesystem>

#include "app/application.h"
#include "app/form_indices.h"
#include "app/frm_principal.h"
#include "app/frm_selecao_usuario.h"
#include "app_fixture.h"
#include "foxpro/table_files.h"

namespace quintara {
namespace {

class Reorganiser : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUINTARA_REQUIRE_DATA(dir_);
        dm_ = DataModule::openFolder(dir_.path());
        dm_->Usuarios();
        window_ = std::make_unique<TFormIndices>(*dm_);
        window_->show();
    }
    QStringList entries() const
    {
        QStringList list;
        for (int i = 0; i < window_->cbTable->count(); ++i) list << window_->cbTable->itemText(i);
        return list;
    }

    test::DataDirectory dir_;
    std::unique_ptr<DataModule> dm_;
    std::unique_ptr<TFormIndices> window_;
    ui::ScriptedPrompter prompter_;
    ui::PrompterScope prompterScope_{prompter_};
};

TEST_F(Reorganiser, ListsCompleteFirstThenTheTablesInOrder)
{
    const QStringList list = entries();
    // The twelve tables and the two sources tables (DST_FONT, DST_FLOG).
    ASSERT_EQ(list.size(), 15);
    EXPECT_EQ(list[0], QStringLiteral("< Completo >"));
    EXPECT_EQ(window_->cbTable->currentIndex(), 0);
    QStringList names = list.mid(1);
    QStringList sorted = names;
    std::sort(sorted.begin(), sorted.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    EXPECT_EQ(names, sorted);
    EXPECT_TRUE(names.contains(QStringLiteral("CEPUSR01.DBF")));
    EXPECT_FALSE(dm_->isOpen(TableId::Usuarios));
}

TEST_F(Reorganiser, FullRunRebuildsEveryTable)
{
    window_->BitBtn1Click();
    EXPECT_TRUE(prompter_.messages().empty()) << prompter_.lastText().toStdString();
    EXPECT_EQ(window_->panelCount->text(), QString());
    EXPECT_EQ(window_->panelStatus->text(), QString());
    foxpro::Table users(dir_.path() + "CEPUSR01.DBF");
    EXPECT_TRUE(users.check().empty());
}

TEST_F(Reorganiser, ATableHeldElsewhereIsReportedAndTheRunGoesOn)
{
    foxpro::Table held(dir_.path() + "DST_MOED.DBF", foxpro::OpenMode::Exclusive);
    window_->BitBtn1Click();
    ASSERT_EQ(prompter_.messages().size(), 1u);
    EXPECT_EQ(prompter_.messages()[0].title, QStringLiteral("Erro !"));
    EXPECT_EQ(prompter_.messages()[0].text,
              QStringLiteral("Não foi possível reindexar a tabela DST_MOED.DBF"));

    prompter_.clear();
    window_->cbTable->setCurrentIndex(static_cast<int>(entries().indexOf(QStringLiteral("DST_MOED.DBF"))));
    window_->BitBtn1Click();
    ASSERT_EQ(prompter_.messages().size(), 1u);
    EXPECT_EQ(prompter_.messages()[0].text,
              QStringLiteral("Não foi possível reindexar a Tabela DST_MOED.DBF.  Razão: . \n\n"
                             "A Tabela não pode ser aberta no modo Exclusivo. Provavelmente está sendo usada "
                             "por outro aplicativo."));
}

TEST_F(Reorganiser, AMissingIndexIsRebuiltFromTheTagsTheDataModuleKnows)
{
    const std::string table = dir_.path() + "DST_LCM1.DBF";
    ASSERT_TRUE(std::filesystem::remove(foxpro::findCompanion(table, "CDX")));
    EXPECT_THROW(foxpro::Table(table, foxpro::OpenMode::Exclusive), foxpro::Error);
    window_->cbTable->setCurrentIndex(static_cast<int>(entries().indexOf(QStringLiteral("DST_LCM1.DBF"))));
    window_->BitBtn1Click();
    EXPECT_TRUE(prompter_.messages().empty()) << prompter_.lastText().toStdString();
    foxpro::Table values(table);
    ASSERT_EQ(values.tags().size(), 1u);
    EXPECT_EQ(values.tags()[0].expression, "LCM_COD+DTOS(LCM_DATA)");
    EXPECT_TRUE(values.check().empty());
}

TEST(ReorganiserInMainWindow, ClosingItReopensTheDataAndAsksForAUserAgain)
{
    test::DataDirectory dir;
    QUINTARA_REQUIRE_DATA(dir);
    auto settings = std::make_unique<MemorySettings>();
    settings->setValue("status", "1");
    settings->setValue("pathdir", dir.path());
    Startup startup(StartupOptions{}, std::move(settings));
    startup.createWindows();
    ui::ScriptedPrompter prompter;
    ui::PrompterScope prompterScope(prompter);
    test::DialogScript script;
    int selections = 0;
    script.onDialog([&](QDialog& dialog) {
        if (auto* selection = qobject_cast<TFrmSelecaoUsuario*>(&dialog)) {
            ++selections;
            selection->btOk->click();  // the only user is filled in
        } else if (auto* reorganiser = qobject_cast<TFormIndices*>(&dialog)) {
            reorganiser->BitBtn2->click();
        }
    });
    TFrmPrincipal& main = startup.mainWindow();
    main.FormActivate();
    ASSERT_EQ(main.currentUser(), "000001");
    main.MReorganizarClick();
    EXPECT_EQ(selections, 2);
    EXPECT_TRUE(main.initialised());
    EXPECT_TRUE(startup.dataModule().isOpen(TableId::Usuarios));
    EXPECT_GT(main.gridRowCount(), 1);
    EXPECT_TRUE(prompter.messages().empty());
}

}  // namespace
}  // namespace quintara
