#include "ui/prompter.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quintara::ui {
namespace {

TEST(ScriptedPrompter, RecordsEveryMessageWithKindTitleAndText)
{
    ScriptedPrompter prompter;
    prompter.inform("Info", "Tabela atualizada.");
    prompter.warn("Atenção !", "Índice sem valores.");
    prompter.error("Erro", "Falha ao gravar.");
    ASSERT_EQ(prompter.messages().size(), 3u);
    EXPECT_EQ(prompter.messages()[0].kind, ScriptedPrompter::Kind::Inform);
    EXPECT_EQ(prompter.messages()[1].kind, ScriptedPrompter::Kind::Warn);
    EXPECT_EQ(prompter.messages()[1].title, QStringLiteral("Atenção !"));
    EXPECT_EQ(prompter.messages()[1].text, QStringLiteral("Índice sem valores."));
    EXPECT_EQ(prompter.messages()[2].kind, ScriptedPrompter::Kind::Error);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Falha ao gravar."));
    prompter.clear();
    EXPECT_THROW(prompter.lastText(), std::logic_error);
}

TEST(ScriptedPrompter, AnswersQuestionsInOrderAndRecordsThem)
{
    ScriptedPrompter prompter;
    prompter.queueAnswer(Prompter::No);
    prompter.queueAnswer(Prompter::Yes);
    EXPECT_EQ(prompter.ask("Excluir Tudo", "Tem certeza?", Prompter::Yes | Prompter::No), Prompter::No);
    EXPECT_EQ(
        prompter.ask("Excluir ITem", "Confirma?", Prompter::Yes | Prompter::No, Prompter::Icon::Warning),
        Prompter::Yes);
    EXPECT_EQ(prompter.pendingAnswers(), 0u);
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[1].kind, ScriptedPrompter::Kind::Ask);
    EXPECT_EQ(prompter.messages()[1].buttons, Prompter::Yes | Prompter::No);
    EXPECT_EQ(prompter.messages()[1].icon, Prompter::Icon::Warning);
}

TEST(ScriptedPrompter, UnansweredOrImpossibleAnswerFailsLoudly)
{
    ScriptedPrompter prompter;
    try {
        prompter.ask("Excluir Tudo", "Tem certeza?", Prompter::Yes | Prompter::No);
        FAIL() << "expected an exception";
    } catch (const std::logic_error& e) {
        EXPECT_NE(std::string(e.what()).find("Tem certeza?"), std::string::npos);
    }
    prompter.queueAnswer(Prompter::Cancel);
    EXPECT_THROW(prompter.ask("t", "q", Prompter::Yes | Prompter::No), std::logic_error);
    prompter.queueAnswer(static_cast<Prompter::Button>(Prompter::Yes | Prompter::No));
    EXPECT_THROW(prompter.ask("t", "q", Prompter::Yes | Prompter::No), std::logic_error);
}

TEST(Prompter, ScopeInstallsAndRestoresTheCurrentPrompter)
{
    Prompter* const original = &Prompter::current();
    ScriptedPrompter outer;
    {
        PrompterScope scope(outer);
        EXPECT_EQ(&Prompter::current(), &outer);
        ScriptedPrompter inner;
        {
            PrompterScope nested(inner);
            EXPECT_EQ(&Prompter::current(), &inner);
        }
        EXPECT_EQ(&Prompter::current(), &outer);
    }
    EXPECT_EQ(&Prompter::current(), original);
    EXPECT_NE(dynamic_cast<MessageBoxPrompter*>(original), nullptr);
}

TEST(Prompter, DataModuleMessagesReachTheCurrentPrompter)
{
    const DataModule::MessageHandler handler = prompterMessageHandler();
    ScriptedPrompter prompter;
    PrompterScope scope(prompter);
    handler(MessageKind::Error, "Atenção !", "Diretório de dados não encontrado.");
    handler(MessageKind::Warning, "Aviso", "Tabela vazia.");
    handler(MessageKind::Information, "Info", "Pronto.");
    ASSERT_EQ(prompter.messages().size(), 3u);
    EXPECT_EQ(prompter.messages()[0].kind, ScriptedPrompter::Kind::Error);
    EXPECT_EQ(prompter.messages()[0].text, QStringLiteral("Diretório de dados não encontrado."));
    EXPECT_EQ(prompter.messages()[1].kind, ScriptedPrompter::Kind::Warn);
    EXPECT_EQ(prompter.messages()[2].kind, ScriptedPrompter::Kind::Inform);
}

}  // namespace
}  // namespace quintara::ui
