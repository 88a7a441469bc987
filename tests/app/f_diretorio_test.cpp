// The data-folder picker driven from the keyboard and the mouse: the starting
// folder is selected once and kept in view, the person's moves are never
// undone by folders that finish loading, and OK returns what was selected.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileSystemModel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "app/f_diretorio.h"
#include "app_fixture.h"

namespace quintara {
namespace {

class FolderPicker : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::application();
        ASSERT_TRUE(root_.isValid());
        QDir root(root_.path());
        for (const char* folder : {"alfa", "beta/um", "beta/dois", "gama"}) ASSERT_TRUE(root.mkpath(folder));
    }
    QString folder(const char* name) const { return QDir(root_.path()).filePath(QString::fromLatin1(name)); }
    static QFileSystemModel* model(TFDiretorio& dialog)
    {
        return qobject_cast<QFileSystemModel*>(dialog.DiretorioLista->model());
    }
    static QString current(TFDiretorio& dialog)
    {
        return model(dialog)->filePath(dialog.DiretorioLista->currentIndex());
    }
    // Waits until the folder's children have been read.
    static bool loaded(TFDiretorio& dialog, const QString& path, int children)
    {
        return QTest::qWaitFor(
            [&] { return model(dialog)->rowCount(model(dialog)->index(path)) == children; }, 10000);
    }

    QTemporaryDir root_;
    test::DialogScript script_;
};

TEST_F(FolderPicker, KeyboardMovesAreKeptWhileFoldersLoadAndOkReturnsTheSelectedOne)
{
    bool inView = false;
    QString beforeExpanding;
    QString afterLoading;
    script_.onDialog([&](QDialog& shown) {
        auto& dialog = dynamic_cast<TFDiretorio&>(shown);
        QTreeView* tree = dialog.DiretorioLista;
        ASSERT_TRUE(loaded(dialog, root_.path(), 3));
        QCoreApplication::processEvents();
        ASSERT_EQ(current(dialog), folder("alfa"));
        inView = QTest::qWaitFor(
            [&] { return tree->viewport()->rect().contains(tree->visualRect(tree->currentIndex())); }, 5000);

        tree->setFocus();
        QTest::keyClick(tree, Qt::Key_Down);
        beforeExpanding = current(dialog);
        // Right opens "beta"; its folders are read in the background.
        QSignalSpy loads(model(dialog), &QFileSystemModel::directoryLoaded);
        QTest::keyClick(tree, Qt::Key_Right);
        EXPECT_TRUE(tree->isExpanded(tree->currentIndex()));
        ASSERT_TRUE(loaded(dialog, folder("beta"), 2));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !loads.isEmpty(); }, 10000));
        QCoreApplication::processEvents();
        afterLoading = current(dialog);
        QTest::keyClick(tree, Qt::Key_Down);  // into "beta": "dois" comes before "um"
        QTest::keyClick(tree, Qt::Key_Return);
    });
    const std::optional<std::string> chosen = TFDiretorio::choose(nullptr, folder("alfa").toStdString());
    EXPECT_TRUE(inView) << "the starting folder is out of view";
    EXPECT_EQ(beforeExpanding, folder("beta"));
    EXPECT_EQ(afterLoading, folder("beta"));
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, folder("beta/dois").toStdString() + "/");
}

TEST_F(FolderPicker, AClickedFolderIsTheOneReturned)
{
    TFDiretorio dialog;
    dialog.selectFolder(folder("beta"));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    ASSERT_TRUE(loaded(dialog, root_.path(), 3));
    QTreeView* tree = dialog.DiretorioLista;
    const QModelIndex gama = model(dialog)->index(folder("gama"));
    tree->scrollTo(gama);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualRect(gama).center());
    // "beta" loading its folders afterwards does not take the selection back.
    tree->expand(model(dialog)->index(folder("beta")));
    ASSERT_TRUE(loaded(dialog, folder("beta"), 2));
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.selectedPath(), folder("gama"));
}

TEST_F(FolderPicker, OpensCentredOnTheScreen)
{
    TFDiretorio dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QPoint screenCentre = dialog.screen()->availableGeometry().center();
    EXPECT_LE((dialog.frameGeometry().center() - screenCentre).manhattanLength(), 4);
}

}  // namespace
}  // namespace quintara
