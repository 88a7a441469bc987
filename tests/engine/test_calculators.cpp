// The consortium and Price calculators' arithmetic: the worked examples of
// the plan and loan rules, the schedule across short months, the refusals in
// their order, and rounding of exact halves.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/consortium.h"
#include "engine/exact_decimal.h"
#include "engine/price_table.h"

namespace quintara {
namespace {

ConsortiumInputs plan()
{
    ConsortiumInputs in;
    in.valordoBem = Amount::parse("12000,00");
    in.parcelasPlano = 24;
    in.taxaAdministrativa = 10;
    in.vencimentoParcela1 = Date(31, 1, 2023);
    in.datadoCalculo = Date(15, 1, 2023) /* before any due date */;
    return in;
}

TEST(Consortium, InstalmentValueFromShareFeeReserveAndInsurance)
{
    ConsortiumInputs in = plan();
    in.datadoCalculo = Date(1, 2, 2023);
    ConsortiumResults r = calculateConsortium(in, 365);
    EXPECT_EQ(r.Q, Amount::parse("500"));
    EXPECT_EQ(r.TA, Amount::parse("50"));
    EXPECT_EQ(r.P, Amount::parse("550"));
    EXPECT_EQ(r.R, r.TA) << "a residual of 0 % leaves one administrative fee";

    in.seguroDeVida = *parseDecimalComma("0,05");  // on the whole good, every instalment
    EXPECT_EQ(calculateConsortium(in, 365).P, Amount::parse("556"));
    in.fundodeReserva = *parseDecimalComma("2,5");  // on the share: 12,50
    in.residual = 30;                               // 3600 + TA
    r = calculateConsortium(in, 365);
    EXPECT_EQ(r.P, Amount::parse("568,5"));
    EXPECT_EQ(r.R, Amount::parse("3650"));
}

TEST(Consortium, ScheduleKeepsTheDueDayAcrossShortMonths)
{
    EXPECT_EQ(consortiumDueDate(Date(31, 1, 2023), 1), Date(28, 2, 2023));
    EXPECT_EQ(consortiumDueDate(Date(31, 1, 2024), 1), Date(29, 2, 2024));
    EXPECT_EQ(consortiumDueDate(Date(31, 1, 2023), 2), Date(31, 3, 2023));
    EXPECT_EQ(consortiumDueDate(Date(31, 1, 2023), 3), Date(30, 4, 2023));
    EXPECT_EQ(consortiumDueDate(Date(31, 1, 2023), 4), Date(31, 5, 2023));
    EXPECT_EQ(consortiumDueDate(Date(15, 11, 2023), 3), Date(15, 2, 2024));

    ConsortiumInputs in = plan();
    in.parcelasPlano = 6;
    in.parcelasPagas = 1;
    in.datadoCalculo = Date(31, 3, 2023);  // the third due date itself: still to fall due
    const ConsortiumResults r = calculateConsortium(in, 365);
    ASSERT_EQ(r.overdue.size(), 1u);
    EXPECT_EQ(r.overdue[0], Date(28, 2, 2023));
    EXPECT_EQ(r.nV, 1);
    EXPECT_EQ(r.nA, 4);
}

TEST(Consortium, OverdueInterestAndFinePerInstalment)
{
    ConsortiumInputs in = plan();
    in.parcelasPlano = 3;
    in.jurosAno = 12;
    in.multa = 2;
    in.datadoCalculo = Date(30, 3, 2023);  // 58 and 30 days after the first two due dates
    const ConsortiumResults r = calculateConsortium(in, 360);
    EXPECT_EQ(r.P, Amount::parse("4400"));
    ASSERT_EQ(r.nV, 2);
    // 4400 × 12 % × 58 / 360 = 85,0667 (85,06666…) and × 30 / 360 = 44
    EXPECT_EQ(r.J, Amount::parse("129,0667"));
    EXPECT_EQ(r.M, Amount::parse("176"));
    EXPECT_EQ(r.overdueSubtotal(), Amount::parse("9105,0667"));
    EXPECT_EQ(r.debtTotal(), Amount::parse("9105,0667") + Amount::parse("4400") + r.R);

    const auto lines = consortiumResultLines(r, "R$");
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0].text, "  R$ 4.400,00");
    EXPECT_EQ(lines[1].label, "lbQuantidadeVencidas");
    EXPECT_EQ(lines[1].text, "( 2)");
    EXPECT_EQ(lines[3].text, "  R$      129,07");
}

TEST(Consortium, AnExactHalfGoesToTheEvenNeighbour)
{
    ConsortiumInputs in = plan();
    in.valordoBem = Amount::parse("1,0001");
    in.parcelasPlano = 2;  // 0,50005
    EXPECT_EQ(calculateConsortium(in, 365).Q, Amount::parse("0,5"));
    in.valordoBem = Amount::parse("1,0003");  // 0,50015
    EXPECT_EQ(calculateConsortium(in, 365).Q, Amount::parse("0,5002"));
}

TEST(Consortium, RefusalsInTheWindowsOrder)
{
    const auto refusal = [](ConsortiumInputs in) {
        const auto r = VerificaDados(in);
        return r ? r->message : std::string();
    };
    ConsortiumInputs in = plan();
    in.datadoCalculo = Date(1, 6, 2023);
    EXPECT_EQ(refusal(in), "");

    ConsortiumInputs bad = in;
    bad.datadoCalculo = Date();
    bad.valordoBem = Amount();
    EXPECT_EQ(refusal(bad), "Data do Calculo não definida!");
    bad = in;
    bad.vencimentoParcela1 = Date();
    EXPECT_EQ(refusal(bad), "Data de vencimento da 1ª parcela não definida!");
    bad = in;
    bad.datadoCalculo = bad.vencimentoParcela1;
    EXPECT_EQ(refusal(bad), "Data do Calculo ou data do vencimento da 1ª parcela inválida!");
    bad = in;
    bad.valordoBem = Amount();
    EXPECT_EQ(refusal(bad), "Valor do Bem não definido ou inválido !");
    bad = in;
    bad.parcelasPlano = 1;
    EXPECT_EQ(refusal(bad), "Nº de parcelas do plano inválido !");
    bad = in;
    bad.parcelasPagas = 23;
    EXPECT_EQ(refusal(bad), "");
    bad.parcelasPagas = 24;
    EXPECT_EQ(refusal(bad), "Nº de pacelas pagas inválido!");
    bad.parcelasPagas = -1;
    EXPECT_EQ(refusal(bad), "Nº de pacelas pagas inválido!");
    bad = in;
    bad.taxaAdministrativa = 0;
    EXPECT_EQ(refusal(bad), "Taxa Administrativa não definida !.");
}

PriceInputs loan(const std::string& amount, const std::string& years, const std::string& rate)
{
    return PriceInputs{Amount::parse(amount), years, rate, "R$", "real", "reais"};
}

std::string priceRefusal(const PriceInputs& in)
{
    const auto r = calculatePrice(in);
    return std::holds_alternative<PriceRefusal>(r) ? std::get<PriceRefusal>(r).message : std::string();
}

Amount payment(const PriceInputs& in)
{
    return std::get<PriceResult>(calculatePrice(in)).pmt;
}

TEST(PriceTable, PaymentIsCutToCents)
{
    const PriceResult r = std::get<PriceResult>(calculatePrice(loan("10000,00", "1", "12")));
    EXPECT_EQ(r.pmt, Amount::parse("888,48"));  // 888,4878…
    EXPECT_EQ(
        r.resultText,
        "De acordo com a \"Tabela Price\", calculando-se o valor de 10.000,00 (dez mil reais) num  prazo de "
        "1anos, aplicando uma taxa de juro de %12 (ao ano), o valor da amortização mensal será de R$888,48   "
        "   "
        " (oitocentos e oitenta e oito reais e quarenta e oito centavos)");
    EXPECT_EQ(r.reportAmount, "R$          10.000,00");
    EXPECT_EQ(r.reportPayment, "R$ 888,48            ");
    EXPECT_EQ(r.reportRate, "%12");
    EXPECT_EQ(r.reportTerm, "1");

    EXPECT_EQ(payment(loan("1000,00", "1", "0")), Amount::parse("83,33"));
    EXPECT_EQ(payment(loan("100000,00", "30", "9,5")), Amount::parse("840,85"));
    const PriceResult one = std::get<PriceResult>(calculatePrice(loan("1,00", "1", "0")));
    EXPECT_NE(one.resultText.find("(um real)"), std::string::npos);
}

TEST(PriceTable, FractionalAndLongTermsAgreeWithTheFormula)
{
    // 1,2 months at 1 % a month, outside the exact whole-month path.
    const long double f = 0.01L / (1 - std::pow(1.01L, -1.2L));
    const long double expected = std::trunc(10000 * f * 100) / 100;
    EXPECT_EQ(payment(loan("10000,00", "0,1", "12")).toLongDouble(), expected);
    // A term beyond every digit: the payment is the interest alone.
    EXPECT_EQ(payment(loan("10000,00", "99999999", "12")), Amount::parse("100"));
    // A negative rate repays less than the principal.
    EXPECT_LT(payment(loan("1200,00", "1", "-12")), Amount::parse("100"));
}

TEST(PriceTable, RefusesWhatDoesNotConvert)
{
    EXPECT_EQ(priceRefusal(loan("1000,00", "1", "")), "Taxa de Juros inválida !");
    EXPECT_EQ(priceRefusal(loan("1000,00", "1", "doze")), "Taxa de Juros inválida !");
    EXPECT_EQ(priceRefusal(loan("1000,00", "1", "-1200")), "Taxa de Juros inválida !");
    EXPECT_EQ(priceRefusal(loan("1000,00", "0", "12")), "Prazo inválido !");
    EXPECT_EQ(priceRefusal(loan("1000,00", "", "12")), "Prazo inválido !");
    EXPECT_EQ(priceRefusal(loan("1000,00", "-2", "12")), "Prazo inválido !");
    EXPECT_EQ(priceRefusal(loan("1000,00", "1,5", "12")), "");
}

TEST(ExactDecimal, ReadsDecimalCommaTextExactly)
{
    EXPECT_EQ(*parseDecimalComma(" 1.234,5 "), mpq_class(2469, 2));
    EXPECT_EQ(*parseDecimalComma(",25"), mpq_class(1, 4));
    EXPECT_EQ(*parseDecimalComma("-0,000001"), mpq_class(-1, 1000000));
    for (const char* bad : {"", ",", "1.23", "1..234", ".123", "1,2,3", "12a", "--1"})
        EXPECT_FALSE(parseDecimalComma(bad)) << bad;
    EXPECT_EQ(roundToAmount(mpq_class(-5, 100000)), Amount());  // -0,00005 → -0,0000
    EXPECT_EQ(roundToAmount(mpq_class(-15, 100000)), Amount::parse("-0,0002"));
    EXPECT_THROW(roundToAmount(mpq_class(mpz_class("100000000000000000000"))), std::overflow_error);
}

}  // namespace
}  // namespace quintara
