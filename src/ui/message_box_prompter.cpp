#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <array>

#include "ui/prompter.h"

namespace quintara::ui {

namespace {

struct ButtonText {
    Prompter::Button button;
    QMessageBox::StandardButton standard;
    const char* text;
};

// Order of the buttons as the box lays them out, with their Portuguese texts.
constexpr std::array<ButtonText, 7> kButtons = {{
    {Prompter::Yes, QMessageBox::Yes, "&Sim"},
    {Prompter::No, QMessageBox::No, "&Não"},
    {Prompter::Ok, QMessageBox::Ok, "OK"},
    {Prompter::Cancel, QMessageBox::Cancel, "&Cancelar"},
    {Prompter::Abort, QMessageBox::Abort, "&Anular"},
    {Prompter::Retry, QMessageBox::Retry, "&Repetir"},
    {Prompter::Ignore, QMessageBox::Ignore, "&Ignorar"},
}};

QMessageBox::Icon toIcon(Prompter::Icon icon)
{
    switch (icon) {
        case Prompter::Icon::None:
            return QMessageBox::NoIcon;
        case Prompter::Icon::Information:
            return QMessageBox::Information;
        case Prompter::Icon::Warning:
            return QMessageBox::Warning;
        case Prompter::Icon::Critical:
            return QMessageBox::Critical;
        case Prompter::Icon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// A box sized for a short text would cut its title in the title bar: a spacer
// as wide as the title, plus room for the window buttons, keeps it whole.
void keepTitleReadable(QMessageBox& box, const QString& title)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    constexpr int kWindowButtons = 120;
    const int width = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(title) +
                      QFontMetrics(box.font()).averageCharWidth() * 4 + kWindowButtons;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(),
                  0, 1, grid->columnCount());
}

Prompter::Button show(Prompter::Icon icon, const QString& title, const QString& text,
                      Prompter::Buttons buttons, Prompter::Button defaultButton)
{
    QMessageBox box(toIcon(icon), title, text, QMessageBox::NoButton, QApplication::activeWindow());
    Prompter::Button first = Prompter::NoButton;
    for (const ButtonText& b : kButtons) {
        if ((buttons & b.button) == 0) continue;
        QPushButton* push = box.addButton(b.standard);
        push->setText(QString::fromUtf8(b.text));
        if (first == Prompter::NoButton) first = b.button;
    }
    keepTitleReadable(box, title);
    const Prompter::Button focused = defaultButton != Prompter::NoButton ? defaultButton : first;
    for (const ButtonText& b : kButtons)
        if (b.button == focused) box.setDefaultButton(b.standard);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const ButtonText& b : kButtons)
        if (b.standard == clicked) return b.button;
    // Closed without a button (Esc, the window's close box).
    if (buttons & Prompter::Cancel) return Prompter::Cancel;
    if (buttons & Prompter::No) return Prompter::No;
    return first;
}

}  // namespace

void MessageBoxPrompter::inform(const QString& title, const QString& text)
{
    show(Icon::Information, title, text, Ok, Ok);
}

void MessageBoxPrompter::warn(const QString& title, const QString& text)
{
    show(Icon::Warning, title, text, Ok, Ok);
}

void MessageBoxPrompter::error(const QString& title, const QString& text)
{
    show(Icon::Critical, title, text, Ok, Ok);
}

Prompter::Button MessageBoxPrompter::ask(const QString& title, const QString& text, Buttons buttons,
                                         Icon icon, Button defaultButton)
{
    if (buttons == NoButton) buttons = Ok;
    return show(icon, title, text, buttons, defaultButton);
}

}  // namespace quintara::ui
