// TFrmQrListaProcessos: prints the case register through the report preview
// (layout in reports/case_list_report).
#pragma once

#include <QObject>
#include <string>

#include "reports/case_list_report.h"

class QWidget;

namespace quintara {

class DataModule;

class TFrmQrListaProcessos : public QObject {
    Q_OBJECT
public:
    explicit TFrmQrListaProcessos(QWidget* owner);

    // Every case of PROCESSO in the order of `tag` ("" = record order); the
    // table's order and position are kept.
    static reports::CaseList rows(DataModule& dm, const std::string& tag);
    static reports::PageModel prepare(const reports::CaseList& list);
    void preview(const reports::CaseList& list);

private:
    QWidget* owner_;
};

}  // namespace quintara
