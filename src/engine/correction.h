// The correction walk: AplicaIndices applies a calculation table to an amount
// line by line (index numbers, percentages, interest-rate indices, currency
// conversions) and writes one 83-character memo line per step.
#pragma once

#include <string>
#include <vector>

#include "data/amount.h"
#include "engine/calculation_table.h"

namespace quintara {

// Brings valorOriginal from dataOrigem up to dataCalculo. mesCheio = the
// item's full-month choice (no pro-rata of monthly percentages). Memo lines,
// and error lines for steps that failed, are appended to memoria. Throws for a
// line whose date or number does not convert.
Amount AplicaIndices(ReferenceData& data, const CalculationTable& tabela, std::vector<std::string>& memoria,
                     bool mesCheio, Date dataOrigem, Date dataCalculo, Amount valorOriginal);

// The share of a monthly percentage for the first or last month of an
// exact-day item, computed exactly, rounded once to four decimals and cut to
// two.
Amount ProporcaoMensal(bool ultimaLinha, Date dataRef, Date dataLinha, Date dataFim,
                       const Decimal& percentual);

// "%10s" of "Mar/1990": the month of a percentage step.
std::string monthLabel(Date date);

}  // namespace quintara
