// TFrmSobre: the About box with the program's name and version.
#pragma once

#include <QDialog>

namespace quintara {

class TFrmSobre : public QDialog {
    Q_OBJECT
public:
    explicit TFrmSobre(QWidget* parent = nullptr);
};

}  // namespace quintara
