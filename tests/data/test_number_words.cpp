#include <gtest/gtest.h>

#include <stdexcept>

#include "data/number_words.h"

using quintara::AmountInWords;
using quintara::AmountInWordsWithCurrency;

TEST(AmountInWords, UnitsAndCents)
{
    EXPECT_EQ(AmountInWords("1,00"), "um real");
    EXPECT_EQ(AmountInWords("0,50"), "cincoenta centavos");
    EXPECT_EQ(AmountInWords("0,5"), "cincoenta centavos");
    EXPECT_EQ(AmountInWords("0,01"), "um centavo");
    EXPECT_EQ(AmountInWords("0,019"), "um centavo");
    EXPECT_EQ(AmountInWords("101,01"), "cento e um reais e um centavo");
    EXPECT_EQ(AmountInWords("100"), "cem reais");
    EXPECT_EQ(AmountInWords("115,99"), "cento e quinze reais e noventa e nove centavos");
    EXPECT_EQ(AmountInWords("250,70"), "duzentos e cincoenta reais e setenta centavos");
    EXPECT_EQ(AmountInWords("0,00"), "");
}

TEST(AmountInWords, ThousandsAndMillions)
{
    EXPECT_EQ(AmountInWords("1001"), "um mil e um reais");
    EXPECT_EQ(AmountInWords("2000,00"), "dois mil reais");
    EXPECT_EQ(AmountInWords("1500,25"), "um mil, quinhentos reais e vinte e cinco centavos");
    EXPECT_EQ(AmountInWords("1000000,00"), "um milhão de reais");
    EXPECT_EQ(AmountInWords("2000000"), "dois milhões de reais");
    EXPECT_EQ(AmountInWords("1001000"), "um milhão e um mil reais");
    EXPECT_EQ(AmountInWords("1000001"), "um milhão e um reais");
    EXPECT_EQ(AmountInWords("3000000,10"), "tres milhões de reais e dez centavos");
    EXPECT_EQ(AmountInWords("1100100"), "um milhão, cem mil e cem reais");
    EXPECT_EQ(AmountInWords("2000000000000"), "dois trilhões de reais");
}

TEST(AmountInWords, RejectsWhatCannotBeWritten)
{
    EXPECT_THROW(AmountInWords("abc"), std::invalid_argument);
    EXPECT_THROW(AmountInWords("1.500,25"), std::invalid_argument);
    EXPECT_THROW(AmountInWords("-5"), std::invalid_argument);
    EXPECT_THROW(AmountInWords(""), std::invalid_argument);
    EXPECT_THROW(AmountInWords("1000000000000000"), std::invalid_argument);
    EXPECT_EQ(
        AmountInWords("999999999999999"),
        "novecentos e noventa e nove trilhões, novecentos e noventa e nove bilhões, novecentos e noventa e "
        "nove milhões, novecentos e noventa e nove mil e novecentos e noventa e nove reais");
}

TEST(AmountInWords, CurrencyNamesOfAnotherEra)
{
    EXPECT_EQ(AmountInWordsWithCurrency("2,01", "cruzeiro", "cruzeiros"), "dois cruzeiros e um centavo");
    EXPECT_EQ(AmountInWordsWithCurrency("1", "cruzeiro real", "cruzeiros reais"), "um cruzeiro real");
    EXPECT_EQ(AmountInWordsWithCurrency("2000000", "cruzado", "cruzados"), "dois milhões de cruzados");
}
