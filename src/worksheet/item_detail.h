// One worksheet item in full, as the item detail window shows it: the texts of
// its labels from the grid row, the readable part of its memo file, and the
// inputs of its two charts. Cells that do not convert give the fallback texts.
#pragma once

#include <optional>
#include <string>

#include "data/data_module.h"
#include "engine/chart_data.h"
#include "worksheet/item_memo.h"
#include "worksheet/worksheet_grid.h"

namespace quintara {

struct ItemDetail {
    bool shown = false;  // false for a free row: the window stays empty
    int item = 0;        // the number in the row's "Nº" cell
    std::string caption;
    std::string SiglaMoedaCalculo;           // the currency at the calculation date (cell 18)
    std::string NomeMoeda, NomeMoedaPlural;  // the currency at the origin date

    std::string Descricao, DataOrigem, ValorOriginal, Quantidade, Indexador, ValorIndexador;
    std::string FormadeCorrecao, DatadoCalculoCap;
    std::string JurosOrdinarios, JurosCompensatorios, Multa, Honorarios, HonorariosValor;
    std::string IndiceCheio, Conversor;
    std::string ValorPrincipal, CorrecaoMonetaria, ValorTotal;
    std::string TotalizarComo = "Totalizar como Dívida";

    ItemMemo memo;
};

// The detail of grid row `row` of the case. Never throws for a cell's text; a
// memo file that exists but cannot be read does throw.
ItemDetail itemDetail(DataModule& dm, const WorksheetGrid& grid, const std::string& caseNumber, int row);

// The charts' inputs for the row; nothing when a cell they need does not
// convert (an item never calculated has no calculation date).
std::optional<TotalsChartInput> itemTotalsChart(const WorksheetGrid& grid, int row, const ItemDetail& detail);
std::optional<CorrectionChartInput> itemCorrectionChart(const WorksheetGrid& grid, int row,
                                                        const ItemDetail& detail);

// A grid cell as an amount ("1.234,56", blanks around allowed); throws
// std::invalid_argument when it does not convert.
Amount cellAmount(const WorksheetGrid& grid, int row, int column);

}  // namespace quintara
