// The windows that change tables back the data directory up first ("Importar
// valores…", "Remontagem", the reorganiser's run), keeping the number set in
// the options window; when the backup cannot be made they say so and change
// nothing.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <filesystem>

#include "app/form_indices.h"
#include "app/frm_opcoes.h"
#include "app/reference/frm_tab_ind_con.h"
#include "app/reference/frm_tab_vigencia.h"
#include "app/reference/index_catalogue.h"
#include "app_fixture.h"
#include "data/backup.h"
#include "data/settings.h"

namespace quintara {
namespace {

namespace fs = std::filesystem;

class BackupWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUINTARA_REQUIRE_DATA(dir_);
        dm_ = DataModule::openFolder(dir_.path());
        dm_->setSettings(&settings_);
    }
    std::size_t archives() const { return listBackups(dir_.path()).size(); }
    // A file where the backup folder belongs: every backup fails.
    void blockBackups() const
    {
        QFile block(QString::fromStdString(dir_.path() + "backup"));
        ASSERT_TRUE(block.open(QIODevice::WriteOnly));
    }
    void expectBackupRefusal(const QString& nothingDone)
    {
        ASSERT_EQ(prompter_.messages().size(), 1u);
        EXPECT_EQ(prompter_.messages()[0].kind, ui::ScriptedPrompter::Kind::Error);
        EXPECT_TRUE(prompter_.lastText().startsWith(
            QStringLiteral("Não foi possível fazer a cópia de segurança dos dados: ")))
            << prompter_.lastText().toStdString();
        EXPECT_TRUE(prompter_.lastText().endsWith(QStringLiteral("\n") + nothingDone))
            << prompter_.lastText().toStdString();
    }

    test::DataDirectory dir_;
    MemorySettings settings_;
    std::unique_ptr<DataModule> dm_;
    ui::ScriptedPrompter prompter_;
    ui::PrompterScope prompterScope_{prompter_};
};

TEST_F(BackupWindows, ImportingValuesBacksUpFirstOrStoresNothing)
{
    foxpro::Table& indices = dm_->Indices();
    indices.setTag("codigo");
    ASSERT_TRUE(indices.seek({"TR"}));
    TFrmTabIndCon window(*dm_);
    window.show();
    QApplication::processEvents();
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("tr.csv")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("data;valor\n01/01/2024;0,07\n");
    file.close();
    window.setImportFileChooser([&] { return file.fileName(); });

    settings_.setValue(kBackupsKeptKey, "2");
    for (int i = 0; i < 3; ++i) window.mImportarValores->trigger();
    EXPECT_EQ(archives(), 2u) << "the number kept comes from the options";
    EXPECT_EQ(prompter_.messages().size(), 3u);

    fs::remove_all(dir_.path() + "backup");
    blockBackups();
    prompter_.clear();
    file.open(QIODevice::WriteOnly);
    file.write("data;valor\n01/02/2024;0,09\n");
    file.close();
    window.mImportarValores->trigger();
    expectBackupRefusal(QStringLiteral("Nenhum valor foi gravado."));
    EXPECT_EQ(valuesOfIndex(*dm_, "TR").size(), 1u);
}

TEST_F(BackupWindows, RemontagemBacksUpFirstOrLeavesTheTableUnpacked)
{
    TFrmTabVigencia window(*dm_);
    window.show();
    QApplication::processEvents();
    window.mRemontagem->trigger();
    EXPECT_TRUE(prompter_.messages().empty()) << prompter_.lastText().toStdString();
    EXPECT_EQ(archives(), 1u);

    foxpro::Table& currencies = dm_->Moeda();
    currencies.first();
    currencies.edit();
    currencies.remove();
    const std::uint32_t records = currencies.recordCount();
    fs::remove_all(dir_.path() + "backup");
    blockBackups();
    window.mRemontagem->trigger();
    expectBackupRefusal(QStringLiteral("A tabela não foi remontada."));
    EXPECT_EQ(dm_->Moeda().recordCount(), records) << "the deleted record is still in the file";
}

TEST_F(BackupWindows, TheReorganiserBacksUpOncePerRunOrReindexesNothing)
{
    TFormIndices window(*dm_);
    window.show();
    window.BitBtn1Click();
    EXPECT_TRUE(prompter_.messages().empty()) << prompter_.lastText().toStdString();
    EXPECT_EQ(archives(), 1u);

    const std::string index = dir_.path() + "DST_TCU1.CDX";
    fs::remove(index);
    fs::remove_all(dir_.path() + "backup");
    blockBackups();
    window.cbTable->setCurrentIndex(window.cbTable->findText(QStringLiteral("DST_TCU1.DBF")));
    window.BitBtn1Click();
    expectBackupRefusal(QStringLiteral("Nenhuma tabela foi reindexada."));
    EXPECT_FALSE(fs::exists(index));
}

TEST_F(BackupWindows, TheOptionsWindowKeepsTheNumberOfBackupsOnlyWhenConfirmed)
{
    settings_.setValue("status", "1");
    settings_.setValue("pathdir", dir_.path());
    {
        TFrmOpcoes window(settings_, *dm_, {});
        window.FormCreate();
        window.show();
        EXPECT_EQ(window.CopiasManter->value(), 20);
        window.CopiasManter->setValue(5);
        window.btCancelar->click();
        EXPECT_FALSE(settings_.value(kBackupsKeptKey));
    }
    TFrmOpcoes window(settings_, *dm_, {});
    window.FormCreate();
    window.show();
    window.CopiasManter->setValue(5);
    window.btConfirmar->click();
    EXPECT_EQ(settings_.value(kBackupsKeptKey), "5");
    EXPECT_EQ(backupsKept(dm_->settings()), 5);
}

}  // namespace
}  // namespace quintara
