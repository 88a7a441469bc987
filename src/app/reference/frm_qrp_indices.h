// TFrmQrpIndices and TFrmQrpValorIndices: the two reports of the indices
// window, read from the tables and shown in the report preview (layouts in
// reports/index_table_report and reports/index_values_report).
#pragma once

#include <QObject>
#include <cstdint>
#include <string>

#include "reports/index_table_report.h"
#include "reports/index_values_report.h"

class QWidget;

namespace quintara {

class DataModule;

class TFrmQrpIndices : public QObject {
    Q_OBJECT
public:
    explicit TFrmQrpIndices(QWidget* owner);
    // Every record of DST_TCM1 in code order.
    static reports::IndexTable collect(DataModule& dm);
    static reports::PageModel prepare(DataModule& dm);
    void preview(DataModule& dm);

private:
    QWidget* owner_;
};

class TFrmQrpValorIndices : public QObject {
    Q_OBJECT
public:
    explicit TFrmQrpValorIndices(QWidget* owner);
    // The index at DST_TCM1 record recNo with all its values.
    static reports::IndexValuesSheet collect(DataModule& dm, std::uint32_t recNo);
    static reports::PageModel prepare(DataModule& dm, std::uint32_t recNo);
    void preview(DataModule& dm, std::uint32_t recNo);

private:
    QWidget* owner_;
};

}  // namespace quintara
