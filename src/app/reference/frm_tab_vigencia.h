// TFrmTabVigencia: the "Moeda Nacional" window. It shows the currency eras of
// DST_MOED with their periods, history and pictures, adds and deletes eras
// (the historical ones are kept), packs the table and prints it.
#pragma once

#include <QDialog>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

#include "app/reference/currency_eras.h"
#include "reports/currency_table_report.h"

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace quintara {

class DataModule;

class TFrmTabVigencia : public QDialog {
    Q_OBJECT
public:
    TFrmTabVigencia(DataModule& dm, QWidget* parent = nullptr);

    // The grid rows as the report prints them.
    reports::CurrencyTable tableForReport() const;
    // The picture folder of the selected era ("" when there is none).
    const QString& pictureFolder() const { return pictureFolder_; }

    QLabel* banner = nullptr;
    QTableWidget* StrGridTab = nullptr;
    QPlainTextEdit* cHistorico = nullptr;
    QLabel* cNomeDir = nullptr;
    QListWidget* FileListBox = nullptr;
    QLabel* Image = nullptr;
    QPushButton* btNovaMoeda = nullptr;
    QPushButton* btExcluir = nullptr;
    QPushButton* SpeedButton4 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QLabel* statusPanels[2] = {nullptr, nullptr};
    QMenu* menuMoeda = nullptr;
    QAction* mNovaMoeda = nullptr;
    QAction* mExcluirRegistro = nullptr;
    QAction* mEditarHistorico = nullptr;
    QAction* mRemontagem = nullptr;

public slots:
    void FormActivate();
    void MontaGrid();
    void RefreshGrid();
    void StrGridTabSelectCell();
    void FileListBoxClick();
    void btNovaMoedaClick();
    void btExcluirClick();
    void RemontagemClick();
    void EditarHistrico1Click();
    void cHistoricoExit();
    void SpeedButton4Click();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildCommands();
    QWidget* buildPicturePanel();
    void selectRecord(std::uint32_t recNo);
    std::uint32_t selectedRecNo() const;
    void showPicture();
    void packtabela();

    DataModule& dm_;
    QString pictureFolder_;
    QStringList pictures_;
    bool activated_ = false;
    bool editingHistory_ = false;
    std::uint32_t historyRecNo_ = 0;
};

}  // namespace quintara
