// Shared set-up of the correction-form, tester and chart window tests: a data
// directory with the seed tables, a scripted prompter and dialog runner, and
// helpers that add forms, indices and values and drive grids as a person does.
#pragma once

#include <QApplication>
#include <QTableWidget>
#include <QTest>
#include <memory>
#include <string>

#include "app/app_fixture.h"

namespace quintara::test {

class ReferenceWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUINTARA_REQUIRE_DATA(dir_);
        dm_ = DataModule::openFolder(dir_.path());
    }

    void addForm(const std::string& code, const std::string& chain, const std::string& periods,
                 const std::string& history = "")
    {
        foxpro::Table& forms = dm_->FormaCorrecao();
        forms.append();
        forms.setString("FORMA_COD", code);
        forms.setString("FORMA_CH", chain);
        forms.setString("FORMA_DAT", periods);
        forms.setMemo("FORMA_HIS", history);
        forms.post();
    }
    // The stored record of a form, or nothing.
    bool findForm(const std::string& code)
    {
        foxpro::Table& forms = dm_->FormaCorrecao();
        forms.setTag("codigo");
        return forms.seek({code});
    }
    std::string storedPeriods(const std::string& code)
    {
        return findForm(code) ? dm_->FormaCorrecao().getRaw("FORMA_DAT") : std::string("<no form>");
    }
    std::string storedChain(const std::string& code)
    {
        return findForm(code) ? dm_->FormaCorrecao().getString("FORMA_CH") : std::string("<no form>");
    }
    // A monthly (periodicity "2") or daily ("1") index of the given value kind.
    void addIndex(const std::string& code, const std::string& periodicity, const std::string& kind)
    {
        foxpro::Table& indices = dm_->Indices();
        indices.append();
        indices.setString("TBCM_COD", code);
        indices.setString("TBCM_TIP", periodicity);
        indices.setString("TBCM_VAL", kind);
        indices.setString("TBCM_DESC", "Índice de teste " + code);
        indices.post();
    }

    // Shows the window and makes it the active one, as when a person opens it.
    static void showActive(QWidget& window)
    {
        window.show();
        QApplication::setActiveWindow(&window);
        window.activateWindow();
        QApplication::processEvents();
    }
    static void clickCell(QTableWidget* grid, int row, int column)
    {
        const QRect cell = grid->visualRect(grid->model()->index(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QApplication::processEvents();
    }
    // Types into the cell's in-place editor (F2 opens it) and confirms with Enter.
    static void typeIntoCell(QTableWidget* grid, int row, int column, const QString& keys)
    {
        clickCell(grid, row, column);
        QTest::keyClick(grid, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        QTest::keyClick(editor, Qt::Key_Home);
        QTest::keyClicks(editor, keys);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    }
    static int rowOf(QTableWidget* grid, const QString& code)
    {
        for (int row = 0; row < grid->rowCount(); ++row)
            if (grid->item(row, 0) && grid->item(row, 0)->text() == code) return row;
        return -1;
    }
    // Runs what was queued behind a focus change (the questions on leaving a field).
    static void settle()
    {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }

    DataDirectory dir_;
    std::unique_ptr<DataModule> dm_;
    DialogScript script_;
    ui::ScriptedPrompter prompter_;
    ui::PrompterScope prompterScope_{prompter_};
};

}  // namespace quintara::test
