#include "engine/interest.h"

#include "data/data_module.h"

#include <stdexcept>

#include "engine/scaled_amounts.h"

namespace quintara {

namespace {

int yearDays(bool uses360)
{
    return uses360 ? 360 : 365;
}

}  // namespace

Amount compoundInterest(Amount valor, const Decimal& taxaAnual, long days, int yearDays)
{
    return compoundInterestOf(valor, taxaAnual, days, yearDays);
}

Amount simpleInterest(Amount valor, const Decimal& taxaAnual, long days, int yearDays)
{
    return simpleInterestOf(valor, taxaAnual, days, yearDays);
}

Amount JurosCompostos(ReferenceData& data, Amount valor, const Decimal& taxaAnual, Date dataInicio,
                      Date dataFim)
{
    return compoundInterest(valor, taxaAnual, dataFim - dataInicio, yearDays(data.uses360DayYear()));
}

Amount JurosSimples(ReferenceData& data, Amount valor, const Decimal& taxaAnual, Date dataInicio,
                    Date dataFim)
{
    return simpleInterest(valor, taxaAnual, dataFim - dataInicio, yearDays(data.uses360DayYear()));
}

Amount JurosCompostos(ReferenceData& data, Amount valor, Amount taxaAnual, Date dataInicio, Date dataFim)
{
    return compoundInterestOf(valor, Decimal::ofAmount(taxaAnual), dataFim - dataInicio,
                              yearDays(data.uses360DayYear()));
}

Amount JurosSimples(ReferenceData& data, Amount valor, Amount taxaAnual, Date dataInicio, Date dataFim)
{
    return simpleInterestOf(valor, Decimal::ofAmount(taxaAnual), dataFim - dataInicio,
                            yearDays(data.uses360DayYear()));
}

Amount JurosCompostos(DataModule& dm, Amount valor, const Decimal& taxaAnual, Date dataInicio, Date dataFim)
{
    return compoundInterest(valor, taxaAnual, dataFim - dataInicio, yearDays(dm.uses360DayYear()));
}

Amount JurosSimples(DataModule& dm, Amount valor, const Decimal& taxaAnual, Date dataInicio, Date dataFim)
{
    return simpleInterest(valor, taxaAnual, dataFim - dataInicio, yearDays(dm.uses360DayYear()));
}

const char* formulaName(int code)
{
    if (code == 0) return "SIMPLES";
    if (code == 1) return "COMPOSTO";
    throw std::out_of_range("interest formula " + std::to_string(code) +
                            " is neither 0 (SIMPLES) nor 1 (COMPOSTO)");
}

}  // namespace quintara
