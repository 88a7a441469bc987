// TFrmSeriesGraficoIndice: picks the one index to compare in the index chart,
// dragged (or added with the arrow) from the list of indices into a list that
// holds a single entry.
#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;
class QToolButton;

namespace quintara {

class DataModule;

class TFrmSeriesGraficoIndice : public QDialog {
    Q_OBJECT
public:
    explicit TFrmSeriesGraficoIndice(DataModule& dm, QWidget* parent = nullptr);

    // The chosen code; empty when the list has no entry.
    QString chosenCode() const;
    // Adds a code to the one-entry list; refused with a message when it has one.
    void addSeries(const QString& code);

    QListWidget* lbIndices = nullptr;
    QListWidget* lbSeries = nullptr;
    QToolButton* btAdicionar = nullptr;
    QToolButton* btRemover = nullptr;
    QPushButton* btOk = nullptr;
    QPushButton* btCancelar = nullptr;

public slots:
    void btAdicionarClick();
    void btRemoverClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace quintara
