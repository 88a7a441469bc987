// DataModuleReference: the engine's ReferenceData over the data module's
// tables. One object serves one calculation or one worksheet run; it keeps
// the small currency table in memory for the run, because the table builder
// asks for the currency in force at every index value.
#pragma once

#include <vector>

#include "data/data_module.h"
#include "engine/reference_data.h"

namespace quintara {

class DataModuleReference : public ReferenceData {
public:
    explicit DataModuleReference(DataModule& dm) : dm_(dm) {}

    std::optional<CorrectionForm> form(const std::string& code) override;
    std::optional<IndexDefinition> index(const std::string& code) override;
    std::string indexPeriod(const std::string& code) override;
    std::vector<IndexValueRow> values(const std::string& code, Date from, Date to) override;
    CurrencyInForce currencyAt(Date date) override;
    std::string conversionText(Date date) override;
    bool uses360DayYear() override;

    DataModule& dataModule() { return dm_; }

private:
    struct Currency {
        Date start;
        CurrencyInForce currency;
    };
    void loadCurrencies();

    DataModule& dm_;
    bool currenciesLoaded_ = false;
    std::vector<Currency> currencies_;  // in the order of tag "odata"
};

}  // namespace quintara
