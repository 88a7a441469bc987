// Prompter: the only way a window shows a message box or asks a question.
// The application installs the message-box prompter; tests install a
// ScriptedPrompter that records every message and answers from a queue.
#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "data/data_module.h"

namespace quintara::ui {

class Prompter {
public:
    enum Button : unsigned {
        NoButton = 0,
        Ok = 1u << 0,
        Cancel = 1u << 1,
        Yes = 1u << 2,
        No = 1u << 3,
        Abort = 1u << 4,
        Retry = 1u << 5,
        Ignore = 1u << 6,
    };
    using Buttons = unsigned;  // Button values or-ed together
    enum class Icon { None, Information, Warning, Critical, Question };

    virtual ~Prompter() = default;

    virtual void inform(const QString& title, const QString& text) = 0;
    virtual void warn(const QString& title, const QString& text) = 0;
    virtual void error(const QString& title, const QString& text) = 0;
    // Shows the question with exactly the given buttons and returns the one
    // pressed. defaultButton (NoButton = the first offered) has the focus;
    // closing the box counts as Cancel, or No, or the only button offered.
    virtual Button ask(const QString& title, const QString& text, Buttons buttons, Icon icon = Icon::Question,
                       Button defaultButton = NoButton) = 0;

    // The prompter windows use now: the installed one, or the message-box one.
    static Prompter& current();
    // Makes prompter current (nullptr restores the message-box one) and
    // returns the one it replaces. The caller keeps ownership.
    static Prompter* install(Prompter* prompter);
};

// The application's prompter: modal QMessageBox with Portuguese button texts
// ("&Sim", "&Não", "OK", "&Cancelar", ...).
class MessageBoxPrompter : public Prompter {
public:
    void inform(const QString& title, const QString& text) override;
    void warn(const QString& title, const QString& text) override;
    void error(const QString& title, const QString& text) override;
    Button ask(const QString& title, const QString& text, Buttons buttons, Icon icon = Icon::Question,
               Button defaultButton = NoButton) override;
};

// The test prompter: records (kind, title, text) of every message and answers
// questions from a queue. A question with no answer queued, or whose queued
// answer is not among the buttons offered, throws std::logic_error.
class ScriptedPrompter : public Prompter {
public:
    enum class Kind { Inform, Warn, Error, Ask };
    struct Message {
        Kind kind;
        QString title;
        QString text;
        Buttons buttons = NoButton;
        Icon icon = Icon::None;
    };

    void inform(const QString& title, const QString& text) override;
    void warn(const QString& title, const QString& text) override;
    void error(const QString& title, const QString& text) override;
    Button ask(const QString& title, const QString& text, Buttons buttons, Icon icon = Icon::Question,
               Button defaultButton = NoButton) override;

    void queueAnswer(Button answer) { answers_.push_back(answer); }
    std::size_t pendingAnswers() const { return answers_.size(); }
    const std::vector<Message>& messages() const { return messages_; }
    // The text of the last message; throws std::logic_error when none was shown.
    QString lastText() const;
    void clear();

private:
    std::deque<Button> answers_;
    std::vector<Message> messages_;
};

// Installs a prompter for the lifetime of this object and restores the
// previous one afterwards (tests, and windows that prompt through another).
class PrompterScope {
public:
    explicit PrompterScope(Prompter& prompter) : previous_(Prompter::install(&prompter)) {}
    ~PrompterScope() { Prompter::install(previous_); }
    PrompterScope(const PrompterScope&) = delete;
    PrompterScope& operator=(const PrompterScope&) = delete;

private:
    Prompter* previous_;
};

// A data-module message handler that shows each message through the prompter
// current at the time of the message.
DataModule::MessageHandler prompterMessageHandler();

}  // namespace quintara::ui
