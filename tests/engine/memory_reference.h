// An in-memory ReferenceData for the engine's tests: forms, indices with
// their values and the currency eras, set up in a few lines per test.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/reference_data.h"

namespace quintara::test {

class MemoryReference : public ReferenceData {
public:
    struct Currency {
        Date start;
        std::string symbol;
        std::string name;
        double divisor;
    };

    void addForm(const std::string& code, const std::string& chain, const std::string& periods)
    {
        forms[code] = {chain, periods};
    }
    void addIndex(const std::string& code, const std::string& kind, const std::string& periodicity)
    {
        indices[code] = {kind, periodicity};
    }
    void addValue(const std::string& code, const std::string& date, double value)
    {
        valuesByCode[code].push_back({code, Date::parse(date), value});
    }
    // The usual eras of the tests: Cz$ (from 1986), NCz$ (16/01/1989, 1000),
    // Cr$ (16/03/1990, 1), CR$ (01/08/1993, 1000), R$ (01/07/1994, 2750).
    void addBrazilianCurrencies()
    {
        currencies = {{Date(28, 2, 1986), "Cz$", "Cruzado", 1000},
                      {Date(16, 1, 1989), "NCz$", "Cruzado Novo", 1000},
                      {Date(16, 3, 1990), "Cr$", "Cruzeiro", 1},
                      {Date(1, 8, 1993), "CR$", "Cruzeiro Real", 1000},
                      {Date(1, 7, 1994), "R$", "Real", 2750}};
    }

    std::optional<CorrectionForm> form(const std::string& code) override
    {
        auto it = forms.find(code);
        if (it == forms.end()) return std::nullopt;
        return it->second;
    }
    std::optional<IndexDefinition> index(const std::string& code) override
    {
        auto it = indices.find(code);
        if (it == indices.end()) return std::nullopt;
        return it->second;
    }
    std::string indexPeriod(const std::string& code) override
    {
        const auto& rows = valuesByCode[code];
        if (rows.empty()) return "  /  /     até   /  /    ";
        return rows.front().date.toString() + " até " + rows.back().date.toString();
    }
    std::vector<IndexValueRow> values(const std::string& code, Date from, Date to) override
    {
        std::vector<IndexValueRow> result;
        for (const IndexValueRow& row : valuesByCode[code])
            if (row.date >= from && row.date <= to) result.push_back(row);
        return result;
    }
    CurrencyInForce currencyAt(Date date) override
    {
        for (auto it = currencies.rbegin(); it != currencies.rend(); ++it)
            if (it->start <= date) return {it->symbol, it->divisor};
        return {currencies.front().symbol, currencies.front().divisor};
    }
    std::string conversionText(Date date) override
    {
        std::size_t i = currencies.size() - 1;
        while (i > 0 && currencies[i].start > date) --i;
        std::size_t previous = i > 0 ? i - 1 : 0;
        return currencies[previous].name + "/" + std::to_string(static_cast<long>(currencies[i].divisor)) +
               " = " + currencies[i].name;
    }
    bool uses360DayYear() override { return year360; }

    std::map<std::string, CorrectionForm> forms;
    std::map<std::string, IndexDefinition> indices;
    std::map<std::string, std::vector<IndexValueRow>> valuesByCode;
    std::vector<Currency> currencies{{Date(1, 1, 1900), "R$", "Real", 1}};
    bool year360 = false;
};

}  // namespace quintara::test
