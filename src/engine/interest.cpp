#include "engine/interest.h"

#include <cmath>
#include <stdexcept>

#include "engine/amount_steps.h"

namespace quintara {

namespace {

int yearDays(bool uses360)
{
    return uses360 ? 360 : 365;
}

}  // namespace

Amount compoundInterest(Amount valor, long double taxaAnual, long days, int yearDays)
{
    long double r = taxaAnual / 100 / yearDays;
    return requireAmount(
        roundedAmount(valor.toLongDouble() * (std::pow(1 + r, static_cast<long double>(days)) - 1)),
        "compound interest");
}

Amount simpleInterest(Amount valor, long double taxaAnual, long days, int yearDays)
{
    long double r = taxaAnual / 100 / yearDays;
    return requireAmount(roundedAmount(valor.toLongDouble() * r * days), "simple interest");
}

Amount JurosCompostos(ReferenceData& data, Amount valor, long double taxaAnual, Date dataInicio, Date dataFim)
{
    return compoundInterest(valor, taxaAnual, dataFim - dataInicio, yearDays(data.uses360DayYear()));
}

Amount JurosSimples(ReferenceData& data, Amount valor, long double taxaAnual, Date dataInicio, Date dataFim)
{
    return simpleInterest(valor, taxaAnual, dataFim - dataInicio, yearDays(data.uses360DayYear()));
}

Amount JurosCompostos(DataModule& dm, Amount valor, long double taxaAnual, Date dataInicio, Date dataFim)
{
    return compoundInterest(valor, taxaAnual, dataFim - dataInicio, yearDays(dm.uses360DayYear()));
}

Amount JurosSimples(DataModule& dm, Amount valor, long double taxaAnual, Date dataInicio, Date dataFim)
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
