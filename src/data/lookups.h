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

std::string SiglaDaMoeda(DataModule& dm, const std::string& dateText);
std::string NomeDaMoeda(DataModule& dm, const std::string& dateText, bool plural);
std::string TextoConversao(DataModule& dm, Date date);
Amount ValorDoIndice(DataModule& dm, const std::string& code, bool exactDay, Date date);
Amount ConverteValorIndice(DataModule& dm, Amount amount, const std::string& code, bool divide, Date date);
std::string NomeUsuarioAtual(DataModule& dm);
std::string NomeDoUsuario(DataModule& dm, const std::string& code);
bool ApagaItensProcesso(DataModule& dm, const std::string& caseNumber);
bool ApagaItemProcesso(DataModule& dm, const std::string& caseNumber, int item);
std::string DescricaoCusta(DataModule& dm, const std::string& costCode);
std::string DescricaoGrupoCusta(DataModule& dm, const std::string& letter);

}  // namespace quintara
