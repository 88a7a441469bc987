// TFrmNovoProcesso: the new-case dialog (number, responsible, description,
// protocol, names and history). TFrmAlterarProcesso, the change dialog, is the
// same dialog with the number read-only and the status list.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

#include "data/case_register.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quintara {

class DataModule;
namespace ui {
class DateEdit;
}

class TFrmNovoProcesso : public QDialog {
    Q_OBJECT
public:
    TFrmNovoProcesso(DataModule& dm, QWidget* parent = nullptr);

    // The fields as the register stores them.
    virtual CaseData caseData() const;
    // The names list (fixed-layout lines, see namesLine).
    const std::vector<std::string>& namesList() const { return names_; }
    void setNamesList(std::vector<std::string> lines);

    QLabel* UserName = nullptr;
    QLabel* ItOrdem = nullptr;
    QLabel* ItData = nullptr;
    QLineEdit* cNumeroProcesso = nullptr;
    QLineEdit* cResponsavel = nullptr;
    QLineEdit* cDescricao = nullptr;
    QGroupBox* gbProtocolo = nullptr;
    QCheckBox* cbProtocolado = nullptr;
    QLineEdit* NumeroDoProtocolo = nullptr;
    ui::DateEdit* DataDoProtocolo = nullptr;
    QLineEdit* Hora = nullptr;
    QLineEdit* Vara = nullptr;
    QPushButton* btNomes = nullptr;
    QPlainTextEdit* cHistorico = nullptr;
    QPushButton* btOk = nullptr;
    QPushButton* btCancelar = nullptr;
    QLabel* statusLabel = nullptr;

public slots:
    void cNumeroProcessoChange();
    void HoraExit();
    void cbProtocoladoClick();
    void btNomesClick();
    void accept() override;

protected:
    // Checks run on OK, however the dialog is closed; false keeps it open.
    virtual bool canAccept();
    // The record this dialog edits (0 for a new case).
    std::uint32_t ownRecord_ = 0;
    DataModule& dm_;
    QHBoxLayout* extraRow_ = nullptr;

private:
    // Normalises the typed hour to the offices' hours; false for a time
    // that does not convert.
    bool checkHour();

    std::vector<std::string> names_;
    QString checkedHour_;
    bool checkingHour_ = false;
};

class TFrmAlterarProcesso : public TFrmNovoProcesso {
    Q_OBJECT
public:
    TFrmAlterarProcesso(DataModule& dm, QWidget* parent = nullptr);

    // Fills the dialog from the case at `record` (its names marked "*").
    void load(std::uint32_t record);
    CaseData caseData() const override;

    QComboBox* CbSituacao = nullptr;

protected:
    bool canAccept() override;
};

}  // namespace quintara
