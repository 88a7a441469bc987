// TFormIndices: the table reorganiser, which rebuilds the indexes of the data
// directory's tables one by one or all at once. It needs each table alone, so
// it closes the data module's tables first; the main window reopens them.
#pragma once

#include <QDialog>
#include <QString>
#include <string>
#include <utility>

class QComboBox;
class QLabel;
class QPushButton;

namespace quintara {

class DataModule;

class TFormIndices : public QDialog {
    Q_OBJECT
public:
    TFormIndices(DataModule& dm, QWidget* parent = nullptr);

    // Rebuilds every index tag of one table opened exclusively; on failure the
    // reason as the person reads it.
    std::pair<bool, QString> ReindexaTabela(const QString& tableName);

    QComboBox* cbTable = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QLabel* panelStatus = nullptr;  // first status panel: progress texts
    QLabel* panelCount = nullptr;   // second status panel: tables left

signals:
    // The window has closed the data module's tables and is now closed itself:
    // the data must be opened again.
    void dataClosed();

public slots:
    void AoAtivar();
    void cbAliasChange();
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void MostraStatus(const QString& text);
    bool RefazIndicePerdido(const std::string& path, const QString& tableName, QString& reason);

    DataModule& dm_;
    bool tablesClosed_ = false;
};

}  // namespace quintara
