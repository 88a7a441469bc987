// The main window as a person meets it on a desktop: the month columns follow
// the panel's width through maximise, resize and restore; the first activation
// comes once the window is maximised; the keyboard reaches the year box.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <cmath>

#include "app/application.h"
#include "app/frm_principal.h"
#include "app/frm_selecao_usuario.h"
#include "app_fixture.h"

namespace quintara {
namespace {

class MainWindowOnScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUINTARA_REQUIRE_DATA(dir_);
        auto settings = std::make_unique<MemorySettings>();
        settings->setValue("status", "1");
        settings->setValue("pathdir", dir_.path());
        startup_ = std::make_unique<Startup>(StartupOptions{}, std::move(settings));
        startup_->createWindows();
        main().setToday([] { return Date(15, 2, 2024); });
        script_.onDialog([](QDialog& dialog) {
            if (auto* selection = qobject_cast<TFrmSelecaoUsuario*>(&dialog)) {
                selection->cCodigo->setText(QStringLiteral("000001"));
                selection->btOk->click();
            }
        });
    }
    TFrmPrincipal& main() { return startup_->mainWindow(); }

    // A year of values as long as the real series have them.
    void fillFirstIndex()
    {
        const std::string code = main().cellText(0, 1).toStdString();
        ASSERT_FALSE(code.empty());
        const double values[12] = {0.1709, -0.0123, 1.0641, 10.4567, 0.33,   1.09,
                                   -0.01,  0.2712,  4.5,    0.1729,  1.0053, 12.3456};
        for (int m = 0; m < 12; ++m)
            test::addValue(startup_->dataModule(), code,
                           QStringLiteral("01/%1/2023").arg(m + 1, 2, 10, QChar('0')).toStdString(),
                           values[m]);
        main().FormActivate();
    }
    void settle()
    {
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    }

    // Every month column is (panel width - 130) / 12, the code column 90.
    void expectColumnsFollowThePanel(const char* when)
    {
        QTableWidget* grid = main().StringGrid1;
        const int panel = grid->parentWidget()->width();
        const int expected = static_cast<int>(std::lround((panel - 130) / 12.0));
        EXPECT_EQ(grid->columnWidth(0), 90) << when;
        for (int column = 1; column <= 12; ++column)
            EXPECT_EQ(grid->columnWidth(column), expected)
                << when << ": window " << main().width() << " px, panel " << panel << " px, column "
                << column;
    }
    // Every value of the sheet fits its cell whole.
    void expectValuesReadable(const char* when)
    {
        QTableWidget* grid = main().StringGrid1;
        const QFontMetrics metrics(grid->font());
        const int padding = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
        for (int row = 1; row < main().gridRowCount(); ++row) {
            for (int column = 1; column <= 12; ++column) {
                const QString text = main().cellText(column, row);
                if (text.isEmpty()) continue;
                EXPECT_LE(metrics.horizontalAdvance(text) + padding, grid->columnWidth(column))
                    << when << ": \"" << text.toStdString() << "\" in a column of "
                    << grid->columnWidth(column) << " px";
            }
        }
    }

    test::DataDirectory dir_;
    test::DialogScript script_;
    ui::ScriptedPrompter prompter_;
    ui::PrompterScope prompterScope_{prompter_};
    std::unique_ptr<Startup> startup_;
};

TEST_F(MainWindowOnScreen, MonthColumnsFollowEveryChangeOfWidth)
{
    main().resize(853, 600);
    main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main()));
    main().FormActivate();
    fillFirstIndex();
    ASSERT_EQ(main().cellText(1, 1), QStringLiteral("0,1709"));
    expectColumnsFollowThePanel("shown");

    main().showMaximized();
    settle();
    ASSERT_TRUE(main().isMaximized());
    expectColumnsFollowThePanel("maximised");

    // A person's resize to a common screen size.
    main().showNormal();
    main().resize(1280, 800);
    settle();
    expectColumnsFollowThePanel("resized to 1280x800");
    expectValuesReadable("resized to 1280x800");
    const int wide = main().StringGrid1->columnWidth(1);

    main().resize(1600, 900);
    settle();
    expectColumnsFollowThePanel("resized to 1600x900");
    EXPECT_GT(main().StringGrid1->columnWidth(1), wide);

    main().showMaximized();
    settle();
    main().showNormal();
    settle();
    EXPECT_EQ(main().size(), QSize(1600, 900));
    expectColumnsFollowThePanel("restored");
    expectValuesReadable("restored");
}

TEST_F(MainWindowOnScreen, FirstActivationWaitsForTheMaximisedWindow)
{
    QRect dialogAt;
    QRect mainAt;
    bool maximised = false;
    script_.onDialog([&](QDialog& dialog) {
        dialogAt = dialog.frameGeometry();
        mainAt = main().frameGeometry();
        maximised = main().isMaximized();
        expectColumnsFollowThePanel("at the first activation");
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    });
    main().resize(640, 480);
    startup_->exec();
    EXPECT_TRUE(maximised);
    EXPECT_EQ(mainAt.size(), main().screen()->availableGeometry().size());
    // The access dialog is centred on the window the person sees.
    EXPECT_LE((dialogAt.center() - mainAt.center()).manhattanLength(), 4)
        << "dialog centre " << dialogAt.center().x() << "," << dialogAt.center().y() << ", window centre "
        << mainAt.center().x() << "," << mainAt.center().y();
}

TEST_F(MainWindowOnScreen, TabLeavesTheSheetForTheYearBox)
{
    main().resize(1280, 800);
    main().show();
    main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    main().FormActivate();
    fillFirstIndex();
    ASSERT_TRUE(main().ComboBox->isEnabled());

    main().StringGrid1->setFocus();
    main().StringGrid1->setCurrentCell(0, 1);
    ASSERT_EQ(main().series->count(), 12);
    QTest::keyClick(main().StringGrid1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), main().ComboBox);

    // Back to the sheet, then Alt+N (the underlined letter of "Ano:") jumps there too.
    QTest::keyClick(main().ComboBox, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), main().StringGrid1);
    QTest::keyClick(main().StringGrid1, Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), main().ComboBox);

    // A year typed there and confirmed with Enter refills the sheet, and the
    // chart follows the row as the sheet now shows it.
    main().ComboBox->lineEdit()->selectAll();
    QTest::keyClicks(main().ComboBox, QStringLiteral("2022"));
    QTest::keyClick(main().ComboBox, Qt::Key_Return);
    EXPECT_EQ(main().cellText(0, 0), QStringLiteral("2022"));
    EXPECT_TRUE(main().cellText(1, 1).isEmpty());
    EXPECT_EQ(main().series->count(), 0);
}

}  // namespace
}  // namespace quintara
