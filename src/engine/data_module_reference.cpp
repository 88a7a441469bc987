#include "engine/data_module_reference.h"

#include "data/lookups.h"
#include "engine/chain.h"
#include "engine/text_columns.h"

namespace quintara {

std::optional<CorrectionForm> DataModuleReference::form(const std::string& code)
{
    if (code.empty() || columnCount(code) > 3) return std::nullopt;
    foxpro::Table& forms = dm_.FormaCorrecao();
    forms.setTag("codigo");
    if (!forms.seek({code})) return std::nullopt;
    return CorrectionForm{forms.getString("FORMA_CH"), forms.getString("FORMA_DAT")};
}

std::optional<IndexDefinition> DataModuleReference::index(const std::string& code)
{
    if (code.empty() || columnCount(code) > 10) return std::nullopt;
    foxpro::Table& indices = dm_.Indices();
    indices.setTag("codigo");
    if (!indices.seek({code})) return std::nullopt;
    return IndexDefinition{indices.getString("TBCM_VAL"), indices.getString("TBCM_TIP")};
}

std::string DataModuleReference::indexPeriod(const std::string& code)
{
    return PeriodoDoIndice(dm_, code);
}

std::vector<IndexValueRow> DataModuleReference::values(const std::string& code, Date from, Date to)
{
    return dm_.QueryIndices(code, from, to);
}

void DataModuleReference::loadCurrencies()
{
    foxpro::Table& moeda = dm_.Moeda();
    moeda.setTag("odata");
    currencies_.clear();
    for (moeda.first(); !moeda.eof(); moeda.next()) {
        Date start = Date::fromDtos(moeda.getDate("VGM_DATA"));
        std::string symbol = trimRightBlanks(moeda.getString("VGM_SIGLA"));
        currencies_.push_back({start, {symbol, moeda.getNumber("VGM_CONV")}});
    }
    currenciesLoaded_ = true;
}

// The currency lookup's rule: walking back from the newest currency, the first
// one that started on or before the date and has a symbol; a date before every
// currency gets the oldest one.
CurrencyInForce DataModuleReference::currencyAt(Date date)
{
    if (!currenciesLoaded_) loadCurrencies();
    if (date.isEmpty() || currencies_.empty()) return {};
    for (auto it = currencies_.rbegin(); it != currencies_.rend(); ++it)
        if (it->start <= date && !it->currency.symbol.empty()) return it->currency;
    return currencies_.front().currency;
}

std::string DataModuleReference::conversionText(Date date)
{
    dm_.Moeda().setTag("odata");
    return TextoConversao(dm_, date);
}

bool DataModuleReference::uses360DayYear()
{
    return dm_.uses360DayYear();
}

}  // namespace quintara
