// ReportPreview: shows a laid-out report in the print preview (printer set-up
// and printing from its toolbar) or saves it as PDF. Windows build the page
// model with their report layout and hand it here.
#pragma once

#include <QObject>
#include <QString>

#include "reports/page_model.h"

class QPrinter;
class QWidget;

namespace quintara::ui {

class ReportPreview : public QObject {
    Q_OBJECT

public:
    explicit ReportPreview(reports::PageModel model, QWidget* parent = nullptr);

    // The modal print preview; returns when the person closes it.
    void preview();
    // Asks for a file name and writes the PDF; false when the person cancels.
    // A file that cannot be written is reported through the Prompter.
    bool savePdf();
    // Writes the PDF to path; throws std::runtime_error when it cannot.
    void savePdf(const QString& path) const;

    const reports::PageModel& model() const { return model_; }

public slots:
    // Paints every page on the printer (the preview's paintRequested).
    void paint(QPrinter* printer) const;

private:
    reports::PageModel model_;
    QWidget* parentWidget_;
};

}  // namespace quintara::ui
