// TFrmErros: the error list of the open worksheet ("Erros no processo"):
// items changed since their last calculation, the texts of stages that
// failed in this program's runs, the error lines of the items' memo files
// and the items never calculated. It reads; it writes nothing.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace quintara {

struct WorksheetSession;

// The list's lines for the session's grid, in row order. Throws when a memo
// file cannot be read; the lines gathered so far are in `lines`.
void collectErrorLines(WorksheetSession& session, std::vector<std::string>& lines);

class TFrmErros : public QDialog {
    Q_OBJECT
public:
    TFrmErros(WorksheetSession& session, QWidget* parent = nullptr);

    QStringList lines() const;

    QListWidget* lbErros = nullptr;
    QPushButton* btOk = nullptr;

public slots:
    void FormActivate();

protected:
    void showEvent(QShowEvent* event) override;

private:
    WorksheetSession& session_;
    bool shown_ = false;
};

}  // namespace quintara
