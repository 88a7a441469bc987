// quintara-cli index DIR CODE --kind 1|2|3|4 --periodicity 1|2 [--from DATE]
// [--to DATE] --desc TEXT [--history TEXT] [--series N]: registers an index in
// DST_TCM1 or updates the one with that code. On an update, dates and history
// that are not given keep their stored values. --series sets the index's
// central-bank series number in the sources table ("" clears it); given
// alone it changes only that number of a registered index.
#include <optional>
#include <stdexcept>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/store_by_code.h"
#include "data/data_module.h"
#include "data/date.h"
#include "data/index_sources.h"
#include "foxpro/codepage.h"

namespace quintara::cli {

namespace {

struct IndexOptions {
    std::string dir;
    std::string code;
    std::string kind;
    std::string periodicity;
    std::optional<Date> from;
    std::optional<Date> to;
    std::optional<std::string> description;
    std::optional<std::string> history;
    std::optional<std::string> series;
    bool seriesOnly() const { return series && kind.empty() && periodicity.empty() && !description; }
};

Date dateOption(const std::string& name, const std::string& text)
{
    std::optional<Date> date = Date::tryParse(text);
    if (!date) throw UsageError{name + " is not a dd/mm/yyyy date: '" + text + "'"};
    return *date;
}

IndexOptions parseOptions(const Args& args)
{
    IndexOptions o;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!a.starts_with("--")) {
            positional.push_back(a);
            continue;
        }
        if (i + 1 == args.size()) throw UsageError{a + " needs a value"};
        const std::string& v = args[++i];
        if (a == "--kind")
            o.kind = v;
        else if (a == "--periodicity")
            o.periodicity = v;
        else if (a == "--from")
            o.from = dateOption(a, v);
        else if (a == "--to")
            o.to = dateOption(a, v);
        else if (a == "--desc")
            o.description = v;
        else if (a == "--history")
            o.history = v;
        else if (a == "--series")
            o.series = v;
        else
            throw UsageError{"unknown option " + a};
    }
    if (positional.size() != 2) throw UsageError{"expected DIR CODE"};
    o.dir = positional[0];
    o.code = positional[1];
    if (o.code.empty() || o.code.find_first_not_of(' ') == std::string::npos || o.code.front() == ' ')
        throw UsageError{"the index code must not be empty or start with a blank"};
    if (foxpro::utf8Length(o.code) > 10) throw UsageError{"the index code has more than 10 characters"};
    if (o.series && !o.series->empty() && !isSeriesNumber(*o.series))
        throw UsageError{"--series must be a number of up to 10 digits"};
    if (o.seriesOnly()) return o;
    if (o.kind.size() != 1 || o.kind[0] < '1' || o.kind[0] > '4')
        throw UsageError{"--kind must be 1, 2, 3 or 4"};
    if (o.periodicity != "1" && o.periodicity != "2") throw UsageError{"--periodicity must be 1 or 2"};
    if (!o.description) throw UsageError{"--desc is required"};
    if (foxpro::utf8Length(*o.description) > 70)
        throw UsageError{"the description has more than 70 characters"};
    if (o.from && o.to && !o.from->isEmpty() && !o.to->isEmpty() && *o.to < *o.from)
        throw UsageError{"--to is before --from"};
    return o;
}

const char* kindName(const std::string& kind)
{
    static const char* const names[] = {"Multiplicador", "Percentual", "Moeda", "TaxaJuro"};
    return names[kind[0] - '1'];
}

std::string dateText(const std::string& dtos)
{
    return dtos.empty() ? "  /  /    " : Date::fromDtos(dtos).toString();
}

int setSeries(DataModule& dm, const IndexOptions& o, std::ostream& out, std::ostream& err)
{
    foxpro::Table& t = dm.Indices();
    t.setTag("CODIGO");
    if (!t.seek({o.code})) {
        err << "quintara-cli index: index " << o.code << " is not registered; nothing was stored\n";
        return 1;
    }
    try {
        IndexSources(dm).setSeries(o.code, *o.series);
    } catch (const std::exception& e) {
        err << "quintara-cli index: " << e.what() << "; the series number was not stored\n";
        return 1;
    }
    out << "index " << o.code << ": central-bank series " << (o.series->empty() ? "-" : *o.series) << "\n";
    return 0;
}

}  // namespace

int cmdIndex(const Args& args, std::ostream& out, std::ostream& err)
{
    IndexOptions o = parseOptions(args);
    auto dm = DataModule::openFolder(o.dir);
    foxpro::Table& t = dm->Indices();
    if (o.seriesOnly()) return setSeries(*dm, o, out, err);
    bool exists = false;
    try {
        exists = storeByCode(t, "CODIGO", "TBCM_COD", o.code, [&](foxpro::Table& r) {
            r.setString("TBCM_TIP", o.periodicity);
            r.setString("TBCM_VAL", o.kind);
            r.setString("TBCM_DESC", *o.description);
            if (o.from) r.setDate("TBCM_DINI", o.from->isEmpty() ? "" : o.from->toDtos());
            if (o.to) r.setDate("TBCM_DFIM", o.to->isEmpty() ? "" : o.to->toDtos());
            if (o.history) r.setMemo("TBCM_HIST", *o.history);
        });
    } catch (const std::exception& e) {
        err << "quintara-cli index: " << e.what() << "; nothing was stored\n";
        return 1;
    }
    if (o.series && setSeries(*dm, o, out, err) != 0) return 1;
    out << (exists ? "updated" : "registered") << " index " << t.getString("TBCM_COD") << ": kind " << o.kind
        << " (" << kindName(o.kind) << "), periodicity " << o.periodicity << " ("
        << (o.periodicity == "1" ? "Diária" : "Mensal") << "), " << dateText(t.getDate("TBCM_DINI"))
        << " até " << dateText(t.getDate("TBCM_DFIM")) << ", " << t.getString("TBCM_DESC") << "\n";
    return 0;
}

}  // namespace quintara::cli
