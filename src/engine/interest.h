// The two interest formulas of the worksheet run, the quick calculation and
// the consortium calculator: a nominal annual rate, simple or compounded
// daily, over the days between two dates. The year has 360 days while the
// marker file D360.TXT is in the data directory, else 365; the marker is
// looked at on every computation.
#pragma once

#include "data/amount.h"
#include "engine/decimal.h"
#include "engine/reference_data.h"

namespace quintara {

class DataModule;

// Both are exact before their one rounding to four decimals: the rate is the
// decimal that was typed or stored (the worksheet's rates are amounts).
// valor × ((1 + r)^t − 1), r = taxaAnual / 100 / year, t = days.
Amount JurosCompostos(ReferenceData& data, Amount valor, const Decimal& taxaAnual, Date dataInicio,
                      Date dataFim);
// valor × r × t.
Amount JurosSimples(ReferenceData& data, Amount valor, const Decimal& taxaAnual, Date dataInicio,
                    Date dataFim);
Amount JurosCompostos(ReferenceData& data, Amount valor, Amount taxaAnual, Date dataInicio, Date dataFim);
Amount JurosSimples(ReferenceData& data, Amount valor, Amount taxaAnual, Date dataInicio, Date dataFim);
Amount JurosCompostos(DataModule& dm, Amount valor, const Decimal& taxaAnual, Date dataInicio, Date dataFim);
Amount JurosSimples(DataModule& dm, Amount valor, const Decimal& taxaAnual, Date dataInicio, Date dataFim);

// The formulas with the year length given (360 or 365).
Amount compoundInterest(Amount valor, const Decimal& taxaAnual, long days, int yearDays);
Amount simpleInterest(Amount valor, const Decimal& taxaAnual, long days, int yearDays);

// Formula names by the stored code: 0 "SIMPLES", 1 "COMPOSTO".
const char* formulaName(int code);

}  // namespace quintara
