// Start-up with and without a remembered data directory: the settings entry,
// the program folder, the directory dialog, and no data at all.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "app/application.h"
#include "app/f_diretorio.h"
#include "app/frm_principal.h"
#include "app/frm_selecao_usuario.h"
#include "app/qt_settings.h"
#include "app_fixture.h"

namespace quintara {
namespace {

class StartUp : public ::testing::Test {
protected:
    void start(std::unique_ptr<MemorySettings> settings, const std::string& programFolder)
    {
        settings_ = settings.get();
        startup_ = std::make_unique<Startup>(StartupOptions{}, std::move(settings));
        startup_->createWindows();
        startup_->dataModule().setProgramFolder(programFolder);
        script_.onDialog([this](QDialog& dialog) {
            if (auto* folders = qobject_cast<TFDiretorio*>(&dialog)) {
                ++folderDialogs_;
                if (folderAnswer_.empty()) return;
                folders->selectFolder(QString::fromStdString(folderAnswer_));
                folders->btOk->click();
            }
        });
        startup_->mainWindow().FormActivate();
    }
    std::string setting(const std::string& key) const { return settings_->value(key).value_or("<none>"); }

    test::DataDirectory data_;
    QTemporaryDir empty_;
    test::DialogScript script_;
    ui::ScriptedPrompter prompter_;
    ui::PrompterScope prompterScope_{prompter_};
    std::unique_ptr<Startup> startup_;
    MemorySettings* settings_ = nullptr;
    std::string folderAnswer_;
    int folderDialogs_ = 0;
};

TEST_F(StartUp, RememberedFolderOpensWithoutAsking)
{
    QUINTARA_REQUIRE_DATA(data_);
    auto settings = std::make_unique<MemorySettings>();
    settings->setValue("status", "1");
    settings->setValue("pathdir", data_.path());
    start(std::move(settings), empty_.path().toStdString() + "/");
    EXPECT_EQ(folderDialogs_, 0);
    EXPECT_EQ(startup_->dataModule().dataDir(), data_.path());
    EXPECT_TRUE(startup_->mainWindow().initialised());
    EXPECT_GT(startup_->mainWindow().gridRowCount(), 1);
    EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(StartUp, FirstRunWithTablesBesideTheProgramRemembersThatFolder)
{
    QUINTARA_REQUIRE_DATA(data_);
    start(std::make_unique<MemorySettings>(), data_.path());
    EXPECT_EQ(folderDialogs_, 0);
    EXPECT_EQ(startup_->dataModule().dataDir(), data_.path());
    EXPECT_EQ(setting("pathdir"), data_.path());
    EXPECT_EQ(setting("status"), "1");
}

TEST_F(StartUp, RememberedFolderWithoutTablesFallsBackToTheProgramFolder)
{
    QUINTARA_REQUIRE_DATA(data_);
    auto settings = std::make_unique<MemorySettings>();
    settings->setValue("status", "1");
    settings->setValue("pathdir", empty_.path().toStdString() + "/");
    start(std::move(settings), data_.path());
    EXPECT_EQ(folderDialogs_, 0);
    EXPECT_EQ(startup_->dataModule().dataDir(), data_.path());
    EXPECT_EQ(setting("pathdir"), data_.path());
    EXPECT_GT(startup_->mainWindow().gridRowCount(), 1);
}

TEST_F(StartUp, StatusZeroIgnoresThePathAndAsksForAFolder)
{
    QUINTARA_REQUIRE_DATA(data_);
    auto settings = std::make_unique<MemorySettings>();
    settings->setValue("status", "0");
    settings->setValue("pathdir", data_.path());
    folderAnswer_ = data_.path();
    start(std::move(settings), empty_.path().toStdString() + "/");
    EXPECT_EQ(folderDialogs_, 1);
    EXPECT_EQ(startup_->dataModule().dataDir(), data_.path());
    EXPECT_EQ(setting("status"), "1");
    EXPECT_GT(startup_->mainWindow().gridRowCount(), 1);
}

TEST_F(StartUp, NoDataAnywhereAsksTwiceThenReportsAndStaysGated)
{
    test::application();
    start(std::make_unique<MemorySettings>(), empty_.path().toStdString() + "/");
    EXPECT_EQ(folderDialogs_, 2);
    ASSERT_EQ(prompter_.messages().size(), 2u);
    EXPECT_EQ(prompter_.messages()[0].title, QStringLiteral("Atenção !"));
    EXPECT_EQ(prompter_.messages()[0].text,
              QStringLiteral("Arquivo de dados não encontrado no diretório especificado !"));
    EXPECT_TRUE(prompter_.messages()[1].text.startsWith(QStringLiteral("Arquivo de Dados não encontrado !")));
    EXPECT_EQ(setting("status"), "<none>");
    TFrmPrincipal& main = startup_->mainWindow();
    EXPECT_TRUE(main.initialised());
    EXPECT_FALSE(main.MCadastroUsuarios->isEnabled());
    EXPECT_FALSE(main.menuOpcoes->menuAction()->isEnabled());
    EXPECT_TRUE(main.MSair->isEnabled());
}

TEST(StartUpOptions, DataAndScreenshotFoldersAreRead)
{
    QString error;
    auto options = parseArguments({"--data", "/d", "--screenshots", "/s"}, error);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->dataDir, QStringLiteral("/d"));
    EXPECT_EQ(options->screenshotsDir, QStringLiteral("/s"));
    EXPECT_FALSE(options->startOnly);
    options = parseArguments({"--start-only", "--data", "/d"}, error);
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->startOnly);
    EXPECT_EQ(options->dataDir, QStringLiteral("/d"));
    EXPECT_FALSE(parseArguments({"--data"}, error));
    EXPECT_FALSE(parseArguments({"--color", "x"}, error));
}

TEST(StartUpOptions, DataFolderOnTheCommandLineOpensThisRunAndAConfirmedFolderIsSaved)
{
    test::application();
    StartupOptions options;
    options.dataDir = QStringLiteral("/tmp/somewhere");
    auto store = std::make_unique<MemorySettings>();
    MemorySettings* saved = store.get();
    store->setValue("pathdir", "/dados/antigos/");
    Startup startup(options, std::move(store));
    EXPECT_EQ(startup.settings().value("pathdir"), "/tmp/somewhere/");
    EXPECT_EQ(settingsStatus(startup.settings()), 1);
    EXPECT_EQ(saved->values().at("pathdir"), "/dados/antigos/");

    // The options confirm a folder the way they always do (the path alone):
    // it is saved with the status that makes the next start use it.
    startup.settings().setValue("pathdir", "/dados/novos/");
    EXPECT_EQ(saved->values().at("pathdir"), "/dados/novos/");
    EXPECT_EQ(settingsStatus(*saved), 1);
    EXPECT_EQ(startup.settings().value("pathdir"), "/dados/novos/");
}

}  // namespace
}  // namespace quintara
