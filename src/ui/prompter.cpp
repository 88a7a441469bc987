#include "ui/prompter.h"

#include <stdexcept>

namespace quintara::ui {

namespace {

Prompter* installed = nullptr;

}  // namespace

Prompter& Prompter::current()
{
    static MessageBoxPrompter messageBoxes;
    return installed ? *installed : messageBoxes;
}

Prompter* Prompter::install(Prompter* prompter)
{
    Prompter* previous = installed;
    installed = prompter;
    return previous;
}

void ScriptedPrompter::inform(const QString& title, const QString& text)
{
    messages_.push_back({Kind::Inform, title, text, Ok, Icon::Information});
}

void ScriptedPrompter::warn(const QString& title, const QString& text)
{
    messages_.push_back({Kind::Warn, title, text, Ok, Icon::Warning});
}

void ScriptedPrompter::error(const QString& title, const QString& text)
{
    messages_.push_back({Kind::Error, title, text, Ok, Icon::Critical});
}

Prompter::Button ScriptedPrompter::ask(const QString& title, const QString& text, Buttons buttons, Icon icon,
                                       Button)
{
    messages_.push_back({Kind::Ask, title, text, buttons, icon});
    std::string asked = "\"";
    asked += title.toStdString();
    asked += "\": \"";
    asked += text.toStdString();
    asked += '"';
    if (answers_.empty()) throw std::logic_error("Pergunta sem resposta programada: " + asked);
    const Button answer = answers_.front();
    answers_.pop_front();
    if ((answer & buttons) == 0 || (answer & (answer - 1)) != 0)
        throw std::logic_error("A resposta programada não é um dos botões oferecidos: " + asked);
    return answer;
}

QString ScriptedPrompter::lastText() const
{
    if (messages_.empty()) throw std::logic_error("Nenhuma mensagem foi mostrada.");
    return messages_.back().text;
}

void ScriptedPrompter::clear()
{
    messages_.clear();
    answers_.clear();
}

DataModule::MessageHandler prompterMessageHandler()
{
    return [](MessageKind kind, const std::string& title, const std::string& text) {
        const QString t = QString::fromStdString(title);
        const QString m = QString::fromStdString(text);
        switch (kind) {
            case MessageKind::Information:
                Prompter::current().inform(t, m);
                break;
            case MessageKind::Warning:
                Prompter::current().warn(t, m);
                break;
            case MessageKind::Error:
                Prompter::current().error(t, m);
                break;
        }
    };
}

}  // namespace quintara::ui
