// TFrmTestaSequencia: tries a correction form against a title date and a
// calculation date and lists both sequences, the verdict and, on request, the
// check of each index's values. Nothing is stored.
#pragma once

#include <QDialog>
#include <QStringList>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace quintara {

class DataModule;
namespace ui {
class DateEdit;
}

class TFrmTestaSequencia : public QDialog {
    Q_OBJECT
public:
    TFrmTestaSequencia(DataModule& dm, std::string formCode, QWidget* parent = nullptr);

    // The list's lines, top to bottom.
    QStringList lines() const;

    ui::DateEdit* DataTit = nullptr;
    ui::DateEdit* DataCalc = nullptr;
    QCheckBox* chbVerValores = nullptr;
    QCheckBox* chbMostrarValores = nullptr;
    QCheckBox* chbMoeda = nullptr;
    QCheckBox* chbIntervaloDatas = nullptr;
    QListWidget* ListBox = nullptr;
    QPushButton* BtTestar = nullptr;
    QPushButton* BtRetornar = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;

public slots:
    void FormActivate();
    void IniciaListBox();
    void BtTestarClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void addLines(const std::vector<std::string>& lines);
    int ruleWidth() const;

    DataModule& dm_;
    std::string formCode_;
    std::string chain_;
};

}  // namespace quintara
