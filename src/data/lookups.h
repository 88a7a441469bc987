// Lookup routines shared by many windows and the engine: the currency in force
// at a date, conversion texts, index values, user names, court-cost
// descriptions and the deletion of worksheet items with their memo files.
// They leave the table they used positioned on the record found (callers read
// further fields of that record).
#pragma once

#include <string>

#include "data/amount.h"
#include "data/data_module.h"
#include "data/date.h"

namespace quintara {

// The currency in force at a date, walked in the Moeda table's current order;
// a table without a selected tag is put on "odata" first (date order).
std::string SiglaDaMoeda(DataModule& dm, const std::string& dateText);
std::string NomeDaMoeda(DataModule& dm, const std::string& dateText, bool plural);
std::string TextoConversao(DataModule& dm, Date date);
// The index's value at the date (the first day of its month unless exactDay),
// rounded to four decimals; 1 for a blank code. The value table is left
// unfiltered, on tag "coddata", on the record read. A value of another index
// is never used: when the code has no value on or after the date, the message
// "O primeiro lançamento ... verifique por favor !" (title "Atenção !", error
// kind) is shown and the result is zero, which the calculation treats as a
// missing value. A value of the right index more than 30 days after the date
// is used, after the same message.
Amount ValorDoIndice(DataModule& dm, const std::string& code, bool exactDay, Date date);
// The amount divided (divide) or multiplied by ValorDoIndice of the first day
// of the date's month, for multiplier and currency-amount indices; any other
// kind, an unknown code or an index without a value keeps the amount.
Amount ConverteValorIndice(DataModule& dm, Amount amount, const std::string& code, bool divide, Date date);
std::string NomeUsuarioAtual(DataModule& dm);
std::string NomeDoUsuario(DataModule& dm, const std::string& code);
bool ApagaItensProcesso(DataModule& dm, const std::string& caseNumber);
bool ApagaItemProcesso(DataModule& dm, const std::string& caseNumber, int item);
std::string DescricaoCusta(DataModule& dm, const std::string& costCode);
std::string DescricaoGrupoCusta(DataModule& dm, const std::string& letter);

}  // namespace quintara
