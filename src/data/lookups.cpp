#include "data/lookups.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "data/format_text.h"
#include "foxpro/codepage.h"

namespace quintara {

namespace {

constexpr const char* kWarningTitle = "Atenção !";
constexpr const char* kIndexDateMismatch =
    "O primeiro lançamento encontrado desse índice não corresponde à datafornecida, verifique por favor !";

// Keeps the windows bound to the tables from repainting while a lookup
// moves a table; re-enables them also when the lookup fails.
class ControlsPause {
public:
    explicit ControlsPause(DataModule& dm) : dm_(dm) { dm_.DisableControls(); }
    ~ControlsPause() { dm_.EnableControls(); }
    ControlsPause(const ControlsPause&) = delete;
    ControlsPause& operator=(const ControlsPause&) = delete;

private:
    DataModule& dm_;
};

std::string trimRight(std::string text)
{
    std::size_t end = text.find_last_not_of(' ');
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text;
}

bool isBlank(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

std::string threeDigits(int item)
{
    std::string number = std::to_string(item);
    if (number.size() < 3) number.insert(0, 3 - number.size(), '0');
    return number;
}

// The currency in force at a date: walking back from the last record in the
// table's current order, the first record dated on or before the date whose
// field is filled; before every currency, the first record. The table is left
// on that record. The walk needs date order: when no tag is selected the
// "odata" tag is, since eras stored out of date order (a table kept newest
// first) would otherwise give the wrong currency.
std::string currencyField(DataModule& dm, const std::string& dateText, const std::string& field)
{
    Date date = Date::parse(dateText);
    if (date.isEmpty()) return {};
    foxpro::Table& t = dm.Moeda();
    if (t.tag().empty()) t.setTag("odata");
    for (t.last(); !t.bof() && !t.eof(); t.prior()) {
        if (Date::fromDtos(t.getDate("VGM_DATA")) <= date && !t.getString(field).empty()) return field;
    }
    t.first();
    return t.eof() ? std::string() : field;
}

std::string currencyName(foxpro::Table& t, const std::string& selectedField, bool plural)
{
    if (selectedField.empty()) return {};
    return t.getString(plural ? "VGM_NOMEPL" : "VGM_NOME");
}

// Deletes an item's memo file, found without regard to letter case. A case
// number that cannot form a file name has no memo file to delete.
void deleteMemoFile(DataModule& dm, const std::string& caseNumber, int item)
{
    std::string path;
    try {
        path = dm.memoFilePath(caseNumber, item);
    } catch (const std::invalid_argument&) {
        return;
    }
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

}  // namespace

std::string SiglaDaMoeda(DataModule& dm, const std::string& dateText)
{
    std::string field = currencyField(dm, dateText, "VGM_SIGLA");
    return field.empty() ? std::string() : dm.Moeda().getString(field);
}

std::string NomeDaMoeda(DataModule& dm, const std::string& dateText, bool plural)
{
    return currencyName(dm.Moeda(), currencyField(dm, dateText, "VGM_NOME"), plural);
}

std::string TextoConversao(DataModule& dm, Date date)
{
    std::string current = NomeDaMoeda(dm, date.toString(), false);
    foxpro::Table& t = dm.Moeda();
    if (t.eof() || t.bof()) return {};
    std::string factor = formatText("%9.4n", {Amount::fromDouble(t.getNumber("VGM_CONV"))});
    std::erase(factor, ' ');
    t.prior();
    if (t.bof()) t.first();
    return t.getString("VGM_NOME") + "/" + factor + " = " + current;
}

// The value is never taken from a record of another index: when the code has
// no value on or after the date, the person is warned and zero is returned,
// which the calculation treats as a missing value. A value of the right index
// more than 30 days after the date is still used after the same warning.
Amount ValorDoIndice(DataModule& dm, const std::string& code, bool exactDay, Date date)
{
    if (isBlank(code)) return Amount::fromRaw(Amount::kScale);
    ControlsPause pause(dm);
    foxpro::Table& t = dm.ValorIndices();
    t.setFilterActive(false);
    t.refresh();
    if (!exactDay && !date.isEmpty()) date = Date(1, date.month(), date.year());
    if (date.isEmpty()) date = Date(1, 1, 1);
    t.setTag("coddata");
    bool codeFits = foxpro::utf8Length(trimRight(code)) <= 10;
    if (codeFits) t.seekNearest({code, date.toDtos()});
    if (!codeFits || t.eof() || t.getString("LCM_COD") != trimRight(code)) {
        dm.showMessage(MessageKind::Error, kWarningTitle, kIndexDateMismatch);
        return Amount();
    }
    Date found = Date::fromDtos(t.getDate("LCM_DATA"));
    if (static_cast<double>(found - date) / 30.0 > 1.0)
        dm.showMessage(MessageKind::Error, kWarningTitle, kIndexDateMismatch);
    std::string stored = t.getString("LCM_VALOR");
    return stored.empty() ? Amount() : Amount::fromDouble(std::strtold(stored.c_str(), nullptr));
}

Amount ConverteValorIndice(DataModule& dm, Amount amount, const std::string& code, bool divide, Date date)
{
    foxpro::Table& indices = dm.Indices();
    indices.setTag("codigo");
    if (foxpro::utf8Length(code) > 10 || !indices.seek({code})) return amount;
    std::string kind = indices.getString("TBCM_VAL");
    if (kind != "1" && kind != "3") return amount;
    Amount value = ValorDoIndice(dm, code, false, date);
    // Without a value (the warning has been shown) the amount is kept rather
    // than divided by zero or wiped out.
    if (value.isZero()) return amount;
    return divide ? amount / value : amount * value;
}

std::string NomeUsuarioAtual(DataModule& dm)
{
    return NomeDoUsuario(dm, dm.currentUser());
}

std::string NomeDoUsuario(DataModule& dm, const std::string& code)
{
    foxpro::Table& t = dm.Usuarios();
    t.setTag("indusr01");
    if (foxpro::utf8Length(code) > 6 || !t.seek({code})) return {};
    return t.getString("NOME");
}

bool ApagaItensProcesso(DataModule& dm, const std::string& caseNumber)
{
    ControlsPause pause(dm);
    foxpro::Table& t = dm.ItensProcesso();
    t.setTag("processo");
    const std::string wanted = trimRight(caseNumber);
    bool deleted = false;
    for (t.seekNearest({caseNumber}); !t.eof() && t.getString("NPROCESSO") == wanted;
         t.seekNearest({caseNumber})) {
        std::string order = t.getString("NORDEM");
        t.remove();
        deleted = true;
        char* end = nullptr;
        long item = std::strtol(order.c_str(), &end, 10);
        if (!order.empty() && *end == '\0') deleteMemoFile(dm, caseNumber, static_cast<int>(item));
    }
    return deleted;
}

bool ApagaItemProcesso(DataModule& dm, const std::string& caseNumber, int item)
{
    ControlsPause pause(dm);
    foxpro::Table& t = dm.ItensProcesso();
    t.setTag("item");
    // Item "000" is never a valid item; a record stored under it is kept.
    if (item <= 0 || !t.seek({caseNumber, threeDigits(item)})) return false;
    t.remove();
    deleteMemoFile(dm, caseNumber, item);
    return true;
}

std::string DescricaoCusta(DataModule& dm, const std::string& costCode)
{
    if (costCode.empty()) return {};
    foxpro::Table& t = dm.Custas();
    t.setTag("letra");
    std::string letter = foxpro::utf8Left(costCode, 1);
    std::string code = costCode.substr(letter.size());
    if (foxpro::utf8Length(code) > 4) code = foxpro::utf8Left(code, 4);
    if (!t.seek({letter, code})) return {};
    if (t.getRaw("TCU_LETRA") + t.getRaw("TCU_COD") != costCode) return {};
    return t.getString("TCU_DESC");
}

std::string DescricaoGrupoCusta(DataModule& dm, const std::string& letter)
{
    foxpro::Table& t = dm.GrupoCustas();
    t.setTag("letra");
    if (foxpro::utf8Length(letter) > 1 || !t.seek({letter})) return {};
    return t.getString("GTCU_DESC");
}

}  // namespace quintara
