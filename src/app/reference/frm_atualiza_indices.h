// TFrmAtualizaIndices: "Atualizar índices" - brings the values of the
// indices up to date from the central bank's series service, with a
// progress bar per index and, at the end, what each index got (values
// added, changed, unchanged, or why it failed).
#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "data/date.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace quintara {

class DataModule;
class Fetcher;
struct UpdateReport;

class TFrmAtualizaIndices : public QDialog {
    Q_OBJECT
public:
    enum Column {
        ColIndice,
        ColSerie,
        ColProgresso,
        ColIncluidos,
        ColAlterados,
        ColInalterados,
        ColSituacao
    };

    TFrmAtualizaIndices(DataModule& dm, QWidget* parent = nullptr);
    ~TFrmAtualizaIndices() override;

    // Where the answers come from: the network by default; tests and the
    // screenshot mode give recorded answers. The dialog does not own it.
    void setFetcher(Fetcher* fetcher) { fetcher_ = fetcher; }
    void setServiceAddress(const std::string& base) { base_ = base; }
    void setToday(Date today) { today_ = today; }

    QTableWidget* grid = nullptr;
    QLabel* lbResumo = nullptr;
    QPushButton* btAtualizar = nullptr;
    QPushButton* btFechar = nullptr;

    QProgressBar* progressOf(int row) const;

public slots:
    void btAtualizarClick();

private:
    void fillIndices();
    void showReport(const UpdateReport& report);
    int rowOf(const std::string& code) const;

    DataModule& dm_;
    Fetcher* fetcher_ = nullptr;
    std::unique_ptr<Fetcher> network_;
    std::string base_;
    Date today_;
    std::vector<std::string> codes_;
};

}  // namespace quintara
