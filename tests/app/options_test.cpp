// The options window: the data directory shown, changed and confirmed.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include "app/frm_opcoes.h"
#include "app_fixture.h"

namespace quintara {
namespace {

class Options : public ::testing::Test {
protected:
    Options() { test::application(); }
    TFrmOpcoes& open()
    {
        window_ = std::make_unique<TFrmOpcoes>(settings_, *dm_, [this](const std::string& initial) {
            asked_.push_back(initial);
            return answer_;
        });
        window_->FormCreate();
        window_->show();
        return *window_;
    }

    std::unique_ptr<DataModule> dm_ = std::make_unique<DataModule>();
    MemorySettings settings_;
    std::optional<std::string> answer_;
    std::vector<std::string> asked_;
    std::unique_ptr<TFrmOpcoes> window_;
};

TEST_F(Options, ShowsTheRememberedFolderAndCancelWritesNothing)
{
    settings_.setValue("status", "1");
    settings_.setValue("pathdir", "/dados/quintara/");
    TFrmOpcoes& window = open();
    EXPECT_TRUE(asked_.empty());
    EXPECT_EQ(window.Dirdados->text(), QStringLiteral("/dados/quintara/"));
    answer_ = "/outra";
    window.btProcurar->click();
    EXPECT_EQ(window.Dirdados->text(), QStringLiteral("/outra/"));
    window.btCancelar->click();
    EXPECT_EQ(settings_.values().at("pathdir"), "/dados/quintara/");
}

TEST_F(Options, ConfirmChangesOnlyThePath)
{
    settings_.setValue("status", "1");
    settings_.setValue("pathdir", "/dados/quintara/");
    TFrmOpcoes& window = open();
    answer_ = "/outra/";
    window.btProcurar->click();
    window.btConfirmar->click();
    EXPECT_EQ(settings_.values().at("pathdir"), "/outra/");
    EXPECT_EQ(settings_.values().at("status"), "1");
    EXPECT_EQ(settings_.values().size(), 2u);
}

TEST_F(Options, WithoutAFolderTheDialogOpensAtOnce)
{
    answer_ = "/primeira";
    TFrmOpcoes& window = open();
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_EQ(window.Dirdados->text(), QStringLiteral("/primeira/"));
    EXPECT_EQ(settings_.values().at("pathdir"), "/primeira/");
    EXPECT_EQ(settings_.values().at("status"), "1");
}

TEST_F(Options, AFolderConfirmedAfterACancelledFirstChoiceIsKept)
{
    TFrmOpcoes& window = open();
    EXPECT_TRUE(settings_.values().empty());
    answer_ = "/escolhida";
    window.btProcurar->click();
    window.btConfirmar->click();
    EXPECT_EQ(settings_.values().at("pathdir"), "/escolhida/");
    EXPECT_EQ(settings_.values().at("status"), "1");
}

}  // namespace
}  // namespace quintara
