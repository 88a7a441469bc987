// The consortium calculator's arithmetic: the value of each instalment of a
// purchase consortium plan, the overdue instalments with their interest and
// fine, those still to fall due, the residual and the amount that settles the
// plan. The window and `quintara-cli consorcio` both stand on it.
#pragma once

#include <gmpxx.h>

#include <optional>
#include <string>
#include <vector>

#include "data/amount.h"
#include "data/date.h"

namespace quintara {

// The window's inputs, with their reset values. Percentages are exact
// decimals (the window takes up to six decimals).
struct ConsortiumInputs {
    Amount valordoBem;
    int parcelasPlano = 24;
    Date vencimentoParcela1;
    int parcelasPagas = 0;
    mpq_class taxaAdministrativa = 0;
    mpq_class fundodeReserva = 0;
    mpq_class seguroDeVida = 0;
    mpq_class jurosAno = 0;
    mpq_class multa = 0;
    mpq_class residual = 0;
    Date datadoCalculo;
};

// The field a refused input sends the focus to.
enum class ConsortiumField {
    DatadoCalculo,
    VencimentoParcela1,
    ValordoBem,
    ParcelasPlano,
    ParcelasPagas,
    TAxaAdministrativa
};

struct ConsortiumRefusal {
    std::string message;  // shown in a box titled "Alerta !"
    ConsortiumField focus;
};

struct ConsortiumResults {
    Amount Q;    // the good's share per instalment
    Amount TA;   // administrative fee per instalment
    Amount P;    // value of each instalment
    Amount J;    // interest on the overdue instalments
    Amount M;    // fine on the overdue instalments
    Amount R;    // residual value
    int nV = 0;  // overdue instalments
    int nA = 0;  // unpaid instalments still to fall due
    std::vector<Date> overdue;

    Amount overdueTotal() const;     // nV × P
    Amount overdueSubtotal() const;  // nV × P + J + M
    Amount toFallDueTotal() const;   // nA × P
    Amount debtTotal() const;        // nV × P + J + M + nA × P + R
};

// The first failed check of the inputs, in the window's order, or nothing.
std::optional<ConsortiumRefusal> VerificaDados(const ConsortiumInputs& in);

// The due date of instalment `index` (0 for the first): the first due date's
// day in the month `index` months later, or that month's last day.
Date consortiumDueDate(Date first, int index);

// The whole calculation; the inputs must have passed VerificaDados. yearDays
// is 360 or 365, the year of the simple interest.
ConsortiumResults calculateConsortium(const ConsortiumInputs& in, int yearDays);

// One result label as the window shows it.
struct ConsortiumResultLine {
    std::string label;    // lbValorCadaParcela, ...
    std::string caption;  // empty for the counts shown beside another caption
    std::string text;     // "%4s%12.2n" of the symbol and the value, "(%2s)" of a count
};
std::vector<ConsortiumResultLine> consortiumResultLines(const ConsortiumResults& r,
                                                        const std::string& symbol);

}  // namespace quintara
