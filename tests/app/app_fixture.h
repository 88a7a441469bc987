// Shared set-up of the window tests: one QApplication on the offscreen
// platform, a fresh data directory made by "quintara-cli init", the scripted
// prompter, and a modal runner that drives each dialog instead of blocking.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QProcess>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <string>

#include "app/modal_runner.h"
#include "data/data_module.h"
#include "ui/prompter.h"

namespace quintara::test {

inline QApplication& application()
{
    static int argc = 1;
    static char name[] = "test_app";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: a static QApplication would be torn down after Qt's
    // own globals at exit and crash there.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// A data directory with the seed tables and the first user ("000001").
class DataDirectory {
public:
    DataDirectory()
    {
        application();
        if (!dir_.isValid()) {
            error_ = "no temporary folder";
            return;
        }
        QProcess cli;
        cli.start(QStringLiteral(QUINTARA_CLI), {QStringLiteral("init"), dir_.path()});
        if (!cli.waitForFinished(60000) || cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0)
            error_ = "quintara-cli init failed: " + cli.readAllStandardError().toStdString();
    }
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    std::string path() const { return dir_.path().toStdString() + "/"; }

private:
    QTemporaryDir dir_;
    std::string error_;
};

#define QUINTARA_REQUIRE_DATA(dir) \
    if (!(dir).ok()) GTEST_SKIP() << "needs a data directory from quintara-cli init: " << (dir).error()

// Runs each modal dialog through a script: the script receives the shown
// dialog and may fill it and press its buttons; a dialog the script does not
// close counts as cancelled.
class DialogScript {
public:
    using Step = std::function<void(QDialog&)>;
    DialogScript()
        : scope_([this](QDialog& dialog) {
              ++shown_;
              dialog.setResult(QDialog::Rejected);
              dialog.show();
              if (step_) step_(dialog);
              const int result = dialog.isVisible() ? QDialog::Rejected : dialog.result();
              dialog.hide();
              return result;
          })
    {
    }
    void onDialog(Step step) { step_ = std::move(step); }
    int shown() const { return shown_; }

private:
    Step step_;
    int shown_ = 0;
    ModalRunnerScope scope_;
};

// Clicks a check box on its indicator, as a person does. The middle of a box
// stretched by its layout lies outside the part that reacts to the mouse.
inline void clickBox(QCheckBox* box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator.center());
}

// Appends one index value to DST_LCM1.
inline void addValue(DataModule& dm, const std::string& code, const std::string& date, double value)
{
    foxpro::Table& values = dm.ValorIndices();
    values.append();
    values.setString("LCM_COD", code);
    values.setString("LCM_DATA", date);
    values.setNumber("LCM_VALOR", value);
    values.post();
}

}  // namespace quintara::test
