// The dialogs of the court-costs table: new group (TFrmNovoGrupo), rename
// group (TFrmEditaGrupoCusta), new item (TFrmItemcusta) and edit item
// (TFrmEditaItemCusta). Each stores through the function it is given when OK
// is pressed; a refusal is shown and the dialog stays open.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "data/amount.h"

class QBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quintara {

// Shared by the four dialogs: OK runs the check and the store.
class CostDialog : public QDialog {
    Q_OBJECT
public:
    using Store = std::function<void()>;
    void setStore(Store store) { store_ = std::move(store); }

    QPushButton* btOk = nullptr;
    QPushButton* btCancela = nullptr;

public slots:
    void accept() override;

protected:
    CostDialog(const QString& cancelCaption, QWidget* parent);
    // Checks of the fields before the store; false keeps the dialog open.
    virtual bool check() { return true; }
    void addButtons(QBoxLayout* layout);

private:
    Store store_;
};

class TFrmNovoGrupo : public CostDialog {
    Q_OBJECT
public:
    explicit TFrmNovoGrupo(QWidget* parent = nullptr);
    QLineEdit* cLetra = nullptr;
    QLineEdit* cGrupo = nullptr;
};

class TFrmEditaGrupoCusta : public CostDialog {
    Q_OBJECT
public:
    explicit TFrmEditaGrupoCusta(QWidget* parent = nullptr);
    QLineEdit* cLetra = nullptr;
    QLineEdit* cGrupo = nullptr;
};

class TFrmItemcusta : public CostDialog {
    Q_OBJECT
public:
    explicit TFrmItemcusta(QWidget* parent = nullptr);

    // The typed value; nullopt when the field is empty.
    std::optional<Amount> value() const;
    void setValue(Amount value);

    QLabel* lbGrupo = nullptr;
    QLineEdit* cCodigo = nullptr;
    QLineEdit* cDesc = nullptr;
    QLineEdit* cValor = nullptr;

public slots:
    // Leaving "Valor": an unreadable text is emptied, a positive amount is
    // shown again in the currency form.
    void cValorExit();

protected:
    bool check() override;
};

class TFrmEditaItemCusta : public TFrmItemcusta {
    Q_OBJECT
public:
    explicit TFrmEditaItemCusta(QWidget* parent = nullptr);
};

}  // namespace quintara
