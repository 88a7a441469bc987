#include "engine/consortium.h"

#include <algorithm>
#include <string>

#include "data/format_text.h"
#include "engine/exact_decimal.h"

namespace quintara {

namespace {

Amount times(int count, Amount value)
{
    return roundToAmount(exactValue(value) * count);
}

// value × rate / 100 × days / yearDays, rounded once.
Amount simpleInterest(Amount value, const mpq_class& rate, long days, int yearDays)
{
    return roundToAmount(exactValue(value) * rate / 100 * days / yearDays);
}

}  // namespace

Amount ConsortiumResults::overdueTotal() const
{
    return times(nV, P);
}

Amount ConsortiumResults::overdueSubtotal() const
{
    return overdueTotal() + J + M;
}

Amount ConsortiumResults::toFallDueTotal() const
{
    return times(nA, P);
}

Amount ConsortiumResults::debtTotal() const
{
    return overdueSubtotal() + toFallDueTotal() + R;
}

std::optional<ConsortiumRefusal> VerificaDados(const ConsortiumInputs& in)
{
    using F = ConsortiumField;
    if (in.datadoCalculo.isEmpty())
        return ConsortiumRefusal{"Data do Calculo não definida!", F::DatadoCalculo};
    if (in.vencimentoParcela1.isEmpty())
        return ConsortiumRefusal{"Data de vencimento da 1ª parcela não definida!", F::VencimentoParcela1};
    if (in.vencimentoParcela1 >= in.datadoCalculo)
        return ConsortiumRefusal{"Data do Calculo ou data do vencimento da 1ª parcela inválida!",
                                 F::DatadoCalculo};
    if (in.valordoBem <= Amount())
        return ConsortiumRefusal{"Valor do Bem não definido ou inválido !", F::ValordoBem};
    if (in.parcelasPlano <= 1)
        return ConsortiumRefusal{"Nº de parcelas do plano inválido !", F::ParcelasPlano};
    // A negative count of paid instalments is refused with the same message:
    // it would count instalments that do not exist as unpaid.
    if (in.parcelasPagas >= in.parcelasPlano || in.parcelasPagas < 0)
        return ConsortiumRefusal{"Nº de pacelas pagas inválido!", F::ParcelasPagas};
    if (in.taxaAdministrativa <= 0)
        return ConsortiumRefusal{"Taxa Administrativa não definida !.", F::TAxaAdministrativa};
    return std::nullopt;
}

Date consortiumDueDate(Date first, int index)
{
    const int months = first.month() - 1 + index;
    const int year = first.year() + months / 12;
    const int month = months % 12 + 1;
    const int day = std::min(first.day(), Date::daysInMonth(month, year));
    return Date(day, month, year);
}

ConsortiumResults calculateConsortium(const ConsortiumInputs& in, int yearDays)
{
    ConsortiumResults r;
    // The schedule: every unpaid instalment is overdue when the calculation
    // date is past its due date, else still to fall due.
    for (int k = 1; k <= in.parcelasPlano; ++k) {
        if (k <= in.parcelasPagas) continue;
        const Date due = consortiumDueDate(in.vencimentoParcela1, k - 1);
        if (in.datadoCalculo > due) {
            ++r.nV;
            r.overdue.push_back(due);
        } else {
            ++r.nA;
        }
    }

    // The instalment: the good's share, the fee, the reserve fund on the share
    // and the life insurance on the whole good, summed before one rounding.
    const mpq_class value = exactValue(in.valordoBem);
    r.Q = roundToAmount(value / in.parcelasPlano);
    r.TA = roundToAmount(exactValue(r.Q) * in.taxaAdministrativa / 100);
    const mpq_class reserve = exactValue(r.Q) * in.fundodeReserva / 100;
    const mpq_class insurance = value * in.seguroDeVida / 100;
    r.P = roundToAmount(exactValue(r.Q) + reserve + insurance + exactValue(r.TA));

    for (Date due : r.overdue) {
        r.J += simpleInterest(r.P, in.jurosAno, in.datadoCalculo - due, yearDays);
        r.M += roundToAmount(in.multa * exactValue(r.P) / 100);
    }
    r.R = roundToAmount(value * in.residual / 100 + exactValue(r.TA));
    return r;
}

std::vector<ConsortiumResultLine> consortiumResultLines(const ConsortiumResults& r, const std::string& symbol)
{
    const auto money = [&](Amount a) { return formatText("%4s%12.2n", {symbol, a}); };
    const auto count = [](int n) { return formatText("(%2s)", {std::to_string(n)}); };
    return {
        {"lbValorCadaParcela", "Valor de Cada Parcela (Atualizado)", formatText("%4s%9.2n", {symbol, r.P})},
        {"lbQuantidadeVencidas", "", count(r.nV)},
        {"lbTotalVencidas", "Parcelas Vencidas", money(r.overdueTotal())},
        {"lbTotalJuros", "Valor dos Juros", money(r.J)},
        {"lbTotalMulta", "Valor da Multa", money(r.M)},
        {"lbSubTotal1", "Subtotal (vencido) =>", money(r.overdueSubtotal())},
        {"lbQuantAVencer", "", count(r.nA)},
        {"lbTotalaVencer", "Parcelas à vencer", money(r.toFallDueTotal())},
        {"lbTotalResidual", "Valor Residual", money(r.R)},
        {"lbTotalDivida", "Total da Dívida (Quitação) =>", money(r.debtTotal())},
    };
}

}  // namespace quintara
