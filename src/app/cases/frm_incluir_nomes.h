// TFrmIncluirNomes: the names editor of the case dialogs, a grid of the
// people named in a case (name, "citado como", document, mark).
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace quintara {

class TFrmIncluirNomes : public QDialog {
    Q_OBJECT
public:
    explicit TFrmIncluirNomes(QWidget* parent = nullptr);

    // Puts the names list's fixed-layout lines into rows 1, 2, ...
    void setLines(const std::vector<std::string>& lines);
    // The names list rebuilt from the rows whose name cell is not empty.
    std::vector<std::string> lines() const;

    QTableWidget* Grid = nullptr;
    QPushButton* btOk = nullptr;
    QPushButton* btCancelar = nullptr;
    QLabel* statusLabel = nullptr;

public slots:
    void Excluir1Click();
    void InserirLinha1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace quintara
