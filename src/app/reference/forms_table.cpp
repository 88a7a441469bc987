#include "app/reference/forms_table.h"

#include <algorithm>
#include <stdexcept>

#include "data/text_routines.h"
#include "engine/chain.h"

namespace quintara {

namespace {

// The numeric value of a stored three-digit code; -1 for a blank or
// non-numeric one.
int codeNumber(const std::string& text)
{
    const std::string code = RemoveSpaces(text);
    if (code.empty() || code.size() > 9) return -1;
    if (!std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; })) return -1;
    return std::stoi(code);
}

int highestCode(foxpro::Table& table, const std::string& field)
{
    TableCursorGuard guard(table);
    table.setFilterActive(false);
    int highest = 0;
    for (table.first(); !table.eof(); table.next())
        highest = std::max(highest, codeNumber(table.getString(field)));
    return highest;
}

}  // namespace

TableCursorGuard::TableCursorGuard(foxpro::Table& table)
    : table_(table),
      tag_(table.tag()),
      filter_(table.filter()),
      filterActive_(table.filterActive()),
      record_(table.recNo())
{
}

TableCursorGuard::~TableCursorGuard()
{
    try {
        if (table_.editing()) table_.cancel();
        table_.setTag(tag_);
        if (table_.filter() != filter_) table_.setFilter(filter_);
        table_.setFilterActive(filterActive_);
        if (record_ != 0 && record_ <= table_.recordCount()) table_.go(record_);
    } catch (const std::exception&) {
        // A destructor must not throw; the table stays usable where it is.
    }
}

std::string nextFormCode(DataModule& dm)
{
    const int highest =
        std::max(highestCode(dm.FormaCorrecao(), "FORMA_COD"), highestCode(dm.ItensProcesso(), "FORMACORR"));
    if (highest >= 999)
        throw std::runtime_error("Não há mais códigos livres para uma nova sequência (o maior é 999).");
    return ZeroPadNumber(highest + 1, 3);
}

QString chainProblem(DataModule& dm, const std::string& chain)
{
    if (!ValidaCadeia(dm, chain))
        return QStringLiteral("sequência inválida !. Verifique o nome dos índices.");
    if (splitChain(chain).size() > static_cast<std::size_t>(kMaxChainCodes))
        return QStringLiteral("Uma sequência pode ter no máximo %1 índices.").arg(kMaxChainCodes);
    return {};
}

}  // namespace quintara
