// TFrmIndicadorPessoal: the personal indicator, every person named in any
// case, found by name and ordered by name, document or case number. From
// the main window it only browses; from the case list OK chooses a case.
#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QPushButton;
class QTreeWidget;

namespace quintara {

class DataModule;

class TFrmIndicadorPessoal : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Browse, Choose };
    TFrmIndicadorPessoal(DataModule& dm, Mode mode, QWidget* parent = nullptr);

    // The case number of the highlighted person ("" when the list is empty).
    std::string chosenCase() const;
    // The PITINDPE tag the list follows.
    const std::string& order() const { return order_; }

    QComboBox* DBLookupComboBox1 = nullptr;
    QTreeWidget* DBGrid1 = nullptr;
    QPushButton* btOk = nullptr;
    QPushButton* btCancelar = nullptr;

public slots:
    void FormActivate();
    void DBLookupComboBox1Click(int index);
    void DBGrid1TitleClick(int column);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillList();

    DataModule& dm_;
    std::string order_ = "nome";
    int sortedColumn_ = 0;
};

}  // namespace quintara
