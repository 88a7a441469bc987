#include "reports/columns.h"

#include <stdexcept>

namespace quintara::reports {

std::vector<Column> columnsOfWidths(const std::vector<double>& widths)
{
    std::vector<Column> columns;
    double x = 0;
    for (double width : widths) {
        columns.push_back(Column{x, width, Align::Left});
        x += width;
    }
    return columns;
}

void addCells(Band& band, const std::vector<Column>& columns, double y, const std::vector<std::string>& cells,
              const TextStyle& style)
{
    if (cells.size() > columns.size())
        throw std::invalid_argument("Relatório: " + std::to_string(cells.size()) + " textos para " +
                                    std::to_string(columns.size()) + " colunas.");
    for (std::size_t i = 0; i < cells.size(); ++i)
        band.text(columns[i].x, y, columns[i].width, cells[i], style, columns[i].align);
}

Band cellsBand(const std::vector<Column>& columns, const std::vector<std::string>& cells,
               const TextStyle& style, double heightMm)
{
    Band band(heightMm);
    addCells(band, columns, 0.8, cells, style);
    return band;
}

}  // namespace quintara::reports
