#include "data/court_costs.h"

#include <charconv>

#include "data/table_cursor.h"
#include "data/text_routines.h"

namespace quintara {

namespace {

CostItem readItem(const foxpro::Table& items)
{
    return {items.getString("TCU_LETRA"), items.getString("TCU_COD"), items.getString("TCU_DESC"),
            Amount::fromDouble(items.getNumber("TCU_VALOR")), items.recNo()};
}

void checkItemFields(const std::string& description, const std::optional<Amount>& value)
{
    if (IsBlank(description) || !value) throw CostRefused(kCostFieldsMissing);
}

int codeNumber(const std::string& code)
{
    int n = 0;
    const auto [end, ec] = std::from_chars(code.data(), code.data() + code.size(), n);
    return ec == std::errc() && end == code.data() + code.size() ? n : 0;
}

}  // namespace

std::string upperText(const std::string& text)
{
    std::string out = text;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'a' && c <= 'z') {
            out[i] = static_cast<char>(c - 32);
        } else if (c == 0xC3 && i + 1 < out.size()) {
            // Latin-1 small letters à..þ (but not ÷) are their capitals + 0x20.
            const auto n = static_cast<unsigned char>(out[i + 1]);
            if (n >= 0xA0 && n <= 0xBE && n != 0xB7) out[i + 1] = static_cast<char>(n - 0x20);
            ++i;
        }
    }
    return out;
}

std::vector<CostGroup> costGroups(DataModule& dm)
{
    foxpro::Table& groups = dm.GrupoCustas();
    TableCursorGuard guard(groups);
    groups.setFilterActive(false);
    groups.setTag("letra");
    std::vector<CostGroup> result;
    for (groups.first(); !groups.eof(); groups.next())
        result.push_back({groups.getString("GTCU_LETRA"), groups.getString("GTCU_DESC"), groups.recNo()});
    return result;
}

std::vector<CostItem> costItems(DataModule& dm, const std::string& letter, CostItemOrder order)
{
    foxpro::Table& items = dm.Custas();
    TableCursorGuard guard(items);
    items.setFilterActive(false);
    std::vector<CostItem> result;
    if (order == CostItemOrder::ByCode && !letter.empty()) {
        items.setTag("letra");
        items.seekNearest({letter}, true);
        for (; !items.eof() && items.getString("TCU_LETRA") == letter; items.next())
            result.push_back(readItem(items));
        return result;
    }
    items.setTag(order == CostItemOrder::ByCode ? "letra" : "desc");
    for (items.first(); !items.eof(); items.next())
        if (letter.empty() || items.getString("TCU_LETRA") == letter) result.push_back(readItem(items));
    return result;
}

CostItem costItemAt(DataModule& dm, std::uint32_t record)
{
    foxpro::Table& items = dm.Custas();
    TableCursorGuard guard(items);
    items.go(record);
    return readItem(items);
}

std::string proposeItemCode(DataModule& dm, const std::string& letter)
{
    const std::vector<CostItem> items = costItems(dm, letter, CostItemOrder::ByCode);
    const int last = items.empty() ? 0 : codeNumber(items.back().code);
    return ZeroPadNumber(last + 1, 4);
}

std::string normaliseItemCode(const std::string& typed)
{
    const std::string code = RemoveSpaces(typed);
    const bool digits =
        !code.empty() && code.size() <= 4 && code.find_first_not_of("0123456789") == std::string::npos;
    if (!digits) throw CostRefused("O código do item deve ter de 1 a 4 dígitos.");
    return ZeroPadText(code, 4);
}

std::uint32_t addCostItem(DataModule& dm, const std::string& letter, const std::string& code,
                          const std::string& description, std::optional<Amount> value)
{
    checkItemFields(description, value);
    const std::string padded = normaliseItemCode(code);
    for (const CostItem& item : costItems(dm, letter, CostItemOrder::ByCode))
        if (item.code == padded) throw CostRefused("O código " + padded + " já existe neste grupo !");
    foxpro::Table& items = dm.Custas();
    TableCursorGuard guard(items);
    items.append();
    try {
        items.setString("TCU_LETRA", letter);
        items.setString("TCU_COD", padded);
        items.setString("TCU_DESC", description);
        items.setNumber("TCU_VALOR", value->toDouble());
        items.post();
    } catch (...) {
        if (items.editing()) items.cancel();
        throw;
    }
    return items.recNo();
}

void editCostItem(DataModule& dm, std::uint32_t record, const std::string& description,
                  std::optional<Amount> value)
{
    checkItemFields(description, value);
    foxpro::Table& items = dm.Custas();
    TableCursorGuard guard(items);
    items.go(record);
    items.edit();
    try {
        items.setString("TCU_DESC", description);
        items.setNumber("TCU_VALOR", value->toDouble());
        items.post();
    } catch (...) {
        if (items.editing()) items.cancel();
        throw;
    }
}

void deleteCostItem(DataModule& dm, std::uint32_t record)
{
    foxpro::Table& items = dm.Custas();
    TableCursorGuard guard(items);
    items.go(record);
    items.remove();
}

void addCostGroup(DataModule& dm, const std::string& letter, const std::string& name)
{
    const std::string upperLetter = upperText(TrimRight(letter));
    const std::string upperName = upperText(TrimRight(name));
    if (IsBlank(upperLetter) || IsBlank(upperName)) throw CostRefused("Informe a letra e o nome do grupo.");
    for (const CostGroup& group : costGroups(dm)) {
        if (group.letter != upperLetter) continue;
        if (group.name == upperName) throw CostRefused(kGroupExists);
        throw CostRefused("A letra " + upperLetter + " já é usada pelo grupo " + group.name + " !");
    }
    foxpro::Table& groups = dm.GrupoCustas();
    TableCursorGuard guard(groups);
    groups.append();
    try {
        groups.setString("GTCU_LETRA", upperLetter);
        groups.setString("GTCU_DESC", upperName);
        groups.post();
    } catch (...) {
        if (groups.editing()) groups.cancel();
        throw;
    }
}

void renameCostGroup(DataModule& dm, const std::string& letter, const std::string& name)
{
    const std::string upperName = upperText(TrimRight(name));
    if (IsBlank(upperName)) throw CostRefused("Informe a letra e o nome do grupo.");
    foxpro::Table& groups = dm.GrupoCustas();
    TableCursorGuard guard(groups);
    groups.setFilterActive(false);
    groups.setTag("letra");
    if (!groups.seek({letter})) return;
    groups.edit();
    try {
        groups.setString("GTCU_DESC", upperName);
        groups.post();
    } catch (...) {
        if (groups.editing()) groups.cancel();
        throw;
    }
}

void deleteCostGroup(DataModule& dm, const std::string& letter)
{
    // An empty letter would select every item of every group.
    if (IsBlank(letter)) return;
    foxpro::Table& items = dm.Custas();
    {
        TableCursorGuard guard(items);
        for (const CostItem& item : costItems(dm, letter, CostItemOrder::ByCode)) {
            items.go(item.record);
            items.remove();
        }
    }
    foxpro::Table& groups = dm.GrupoCustas();
    TableCursorGuard guard(groups);
    groups.setFilterActive(false);
    groups.setTag("letra");
    if (groups.seek({letter})) groups.remove();
}

}  // namespace quintara
