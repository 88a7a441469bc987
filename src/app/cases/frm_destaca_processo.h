// TFrmDestacaProcesso: the read-only detail view of one case, with its
// people, history and a banner showing the status.
#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace quintara {

class DataModule;

class TFrmDestacaProcesso : public QDialog {
    Q_OBJECT
public:
    TFrmDestacaProcesso(DataModule& dm, QWidget* parent = nullptr);

    // Shows the case at `record`.
    void fill(std::uint32_t record);

    // The status banner text of a SITUACAO code.
    static QString statusBanner(const std::string& code);

    QLabel* lbOrdem = nullptr;
    QLabel* lbNumero = nullptr;
    QLabel* lbAbertura = nullptr;
    QLabel* lbDescricao = nullptr;
    QLabel* lbResponsavel = nullptr;
    QLabel* lbProtocolo = nullptr;
    QLabel* lbDataProtocolo = nullptr;
    QLabel* lbVara = nullptr;
    QLabel* lbAlteracao = nullptr;
    QLabel* lbCalculo = nullptr;
    QLabel* lbUsuario = nullptr;
    QLabel* lbSituacao = nullptr;
    QListWidget* lstNomes = nullptr;
    QPlainTextEdit* mHistorico = nullptr;
    QPushButton* btOk = nullptr;

private:
    DataModule& dm_;
};

}  // namespace quintara
