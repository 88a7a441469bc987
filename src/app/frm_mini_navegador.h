// TFrmMiniNavegador: the built-in browser that shows the help pages of the
// data directory: an address field, open, back, forward and close.
#pragma once

#include <QDialog>
#include <QUrl>

class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace quintara {

class TFrmMiniNavegador : public QDialog {
    Q_OBJECT
public:
    explicit TFrmMiniNavegador(QWidget* parent = nullptr);

    void navigate(const QUrl& address);

    QLineEdit* edEndereco = nullptr;
    QPushButton* btAbrir = nullptr;
    QPushButton* btVoltar = nullptr;
    QPushButton* btAvancar = nullptr;
    QPushButton* btFechar = nullptr;
    QTextBrowser* browser = nullptr;

public slots:
    void btAbrirClick();
};

}  // namespace quintara
