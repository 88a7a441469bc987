// quintara-cli case DIR NUMBER [options]: registers a case, or updates the case
// with exactly that number, through the same rules as the case dialogs. On an
// update, options that are not given keep the stored values; names given
// replace the stored names. Prints every PROCESSO field and then the names.
#include <optional>

#include "cli/cli.h"
#include "cli/commands.h"
#include "data/case_register.h"
#include "data/data_module.h"
#include "data/date_routines.h"
#include "data/table_cursor.h"
#include "data/table_schema.h"
#include "data/text_routines.h"
#include "foxpro/codepage.h"

namespace quintara::cli {

namespace {

struct CaseOptions {
    std::string dir;
    std::string number;
    std::optional<std::string> responsible, description, court, history, status, user;
    std::optional<std::string> protocolNumber;
    std::optional<std::pair<Date, std::string>> protocol;  // date, normalised hour
    std::vector<CaseName> names;
};

void checkWidth(const std::string& option, const std::string& value, std::size_t width)
{
    if (foxpro::utf8Length(value) > width)
        throw UsageError{option + " has more than " + std::to_string(width) + " characters"};
}

std::pair<Date, std::string> protocolOption(const std::string& text)
{
    const std::size_t blank = text.find(' ');
    const std::optional<Date> date = Date::tryParse(text.substr(0, blank));
    if (blank == std::string::npos || !date || date->isEmpty())
        throw UsageError{"--protocol is not \"dd/mm/yyyy HH:MM\": '" + text + "'"};
    try {
        return {*date, ProtocolHour(text.substr(blank + 1))};
    } catch (const std::invalid_argument& e) {
        throw UsageError{std::string("--protocol: ") + e.what()};
    }
}

CaseName nameOption(const std::string& text)
{
    std::vector<std::string> parts{""};
    for (char c : text) {
        if (c == '|')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    if (parts.size() > 3) throw UsageError{"--name takes \"NAME|CITED AS|DOCUMENT\": '" + text + "'"};
    parts.resize(3);
    if (IsBlank(parts[0])) throw UsageError{"--name needs a name: '" + text + "'"};
    return {parts[0], parts[1], parts[2]};
}

void setOption(CaseOptions& o, const std::string& a, const std::string& v)
{
    if (a == "--responsible") {
        checkWidth(a, v, 55);
        o.responsible = v;
    } else if (a == "--description") {
        checkWidth(a, v, 55);
        o.description = v;
    } else if (a == "--court") {
        checkWidth(a, v, 4);
        o.court = v;
    } else if (a == "--protocol-number") {
        checkWidth(a, v, 7);
        o.protocolNumber = v;
    } else if (a == "--protocol") {
        o.protocol = protocolOption(v);
    } else if (a == "--status") {
        if (v.size() != 1 || v[0] < '0' || v[0] > '3') throw UsageError{"--status must be 0, 1, 2 or 3"};
        o.status = v;
    } else if (a == "--history") {
        o.history = v;
    } else if (a == "--name") {
        o.names.push_back(nameOption(v));
    } else if (a == "--user") {
        checkWidth(a, v, 6);
        o.user = v;
    } else {
        throw UsageError{"unknown option " + a};
    }
}

CaseOptions parseOptions(const Args& args)
{
    CaseOptions o;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!args[i].starts_with("--")) {
            positional.push_back(args[i]);
            continue;
        }
        if (i + 1 == args.size()) throw UsageError{args[i] + " needs a value"};
        setOption(o, args[i], args[i + 1]);
        ++i;
    }
    if (positional.size() != 2) throw UsageError{"expected DIR NUMBER"};
    o.dir = positional[0];
    o.number = positional[1];
    if (o.protocolNumber.has_value() != o.protocol.has_value())
        throw UsageError{"--protocol-number and --protocol go together"};
    return o;
}

void applyOptions(const CaseOptions& o, CaseData& data, bool updating)
{
    if (o.responsible) data.responsible = *o.responsible;
    if (o.description) data.description = *o.description;
    if (o.court) data.court = *o.court;
    if (o.history) data.history = *o.history;
    if (o.status) data.status = *o.status;
    if (o.protocolNumber) {
        data.filed = true;
        data.protocolNumber = *o.protocolNumber;
        data.protocolDate = o.protocol->first;
        data.protocolHour = o.protocol->second;
    }
    if (!updating || !o.names.empty()) data.names = o.names;
}

// The given user code, which must be registered, or the first registered user.
std::string userCode(DataModule& dm, const std::optional<std::string>& given)
{
    foxpro::Table& users = dm.Usuarios();
    TableCursorGuard guard(users);
    users.setTag("");
    for (users.first(); !users.eof(); users.next()) {
        const std::string code = users.getString("CODIGO");
        if (!given || code == TrimRight(*given)) return code;
    }
    if (given) throw UsageError{"--user " + *given + " is not a registered user"};
    return "";
}

std::string oneLine(const std::string& text)
{
    return ReplaceAll(ReplaceAll(ReplaceAll(text, "\r\n", "\\n"), "\n", "\\n"), "\r", "\\n");
}

void printCase(DataModule& dm, std::uint32_t record, std::ostream& out)
{
    foxpro::Table& cases = dm.Processos();
    cases.go(record);
    for (const foxpro::FieldDef& field : tableSchema(TableId::Processos).fields) {
        const bool memo = field.type == foxpro::FieldType::Memo;
        out << field.name << '=' << (memo ? oneLine(cases.getMemo(field.name)) : cases.getString(field.name))
            << '\n';
    }
    for (const CaseName& name : caseNames(dm, cases.getString("NPROCESSO")))
        out << name.name << '|' << name.citedAs << '|' << name.document << '\n';
}

}  // namespace

int cmdCase(const Args& args, std::ostream& out, std::ostream& err)
{
    const CaseOptions o = parseOptions(args);
    auto dm = DataModule::openFolder(o.dir);
    foxpro::Table& cases = dm->Processos();
    cases.setTag("numero");
    const bool updating = isValidCaseNumber(o.number) && cases.seek({o.number});
    if (!updating && o.status) throw UsageError{"--status is given only when updating a case"};
    try {
        std::uint32_t record = 0;
        if (updating) {
            record = cases.recNo();
            CaseData data = readCase(*dm, record);
            applyOptions(o, data, true);
            changeCase(*dm, record, data, Date::today());
        } else {
            CaseData data;
            data.number = o.number;
            applyOptions(o, data, false);
            record = registerCase(*dm, data, userCode(*dm, o.user), CaseClock::now());
        }
        printCase(*dm, record, out);
    } catch (const CaseRefused& refused) {
        err << refused.what() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace quintara::cli
