// TFrmProcessos: the case list ("Lista de Processos") with new, change,
// detail and delete, the personal indicator and the printed case list.
// Opened from the main window, one per opening.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;

namespace quintara {

class DataModule;

class TFrmProcessos : public QDialog {
    Q_OBJECT
public:
    TFrmProcessos(DataModule& dm, QWidget* parent = nullptr);

    // The record of the highlighted case; 0 when the list is empty.
    std::uint32_t currentRecord() const;
    // Highlights the case at `record` (and moves PROCESSO there).
    void selectRecord(std::uint32_t record);
    // Refills the list in its current order, highlighting keepRecord.
    void fillList(std::uint32_t keepRecord);

    QTreeWidget* DBGrid1 = nullptr;
    QPushButton* btNovo = nullptr;
    QPushButton* btAlterar = nullptr;
    QPushButton* btDestacar = nullptr;
    QPushButton* btExcluir = nullptr;
    QPushButton* btIndicador = nullptr;
    QPushButton* btImprimir = nullptr;
    QPushButton* btSair = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QLabel* statusLabel = nullptr;

public slots:
    void FormActivate();
    void btNovoClick();
    void btAlterarClick();
    void btDestacarClick();
    void btExcluirClick();
    void btIndicadorClick();
    void btImprimirClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    DataModule& dm_;
    std::string order_;  // PROCESSO tag the list follows ("" = record order)
};

}  // namespace quintara
