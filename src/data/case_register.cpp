#include "data/case_register.h"

#include <ctime>

#include "data/table_cursor.h"
#include "data/text_routines.h"

namespace quintara {

namespace {

constexpr int kNameWidth = 55;
constexpr int kCitedWidth = 25;
constexpr int kDocumentWidth = 18;

std::string column(const std::string& value, int width)
{
    return PadRight(SubText(value, 1, width), " ", width);
}

char foldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldAscii(a[i]) != foldAscii(b[i])) return false;
    return true;
}

// The PITINDPE records of a case, by record number.
std::vector<std::uint32_t> nameRecords(DataModule& dm, const std::string& number)
{
    foxpro::Table& people = dm.IndicadorPessoal();
    TableCursorGuard guard(people);
    people.setFilterActive(false);
    people.setTag("processo");
    std::vector<std::uint32_t> records;
    if (!people.seek({number})) return records;
    for (; !people.eof() && people.getString("NPROCESSO") == TrimRight(number); people.next())
        records.push_back(people.recNo());
    return records;
}

void removeRecords(foxpro::Table& table, const std::vector<std::uint32_t>& records)
{
    TableCursorGuard guard(table);
    for (std::uint32_t record : records) {
        table.go(record);
        if (!table.isDeleted()) table.remove();
    }
}

void writeProtocol(foxpro::Table& cases, const CaseData& data)
{
    cases.setString("NPROTOCOLO", data.filed ? data.protocolNumber : "");
    cases.setDate("DPROTOCOLO", data.filed && !data.protocolDate.isEmpty() ? data.protocolDate.toDtos() : "");
    cases.setString("HORAPROTOC", data.filed ? data.protocolHour : "");
}

void writeCommon(foxpro::Table& cases, const CaseData& data)
{
    cases.setString("RESPONSAV", data.responsible);
    cases.setString("DESCRICAO", data.description);
    cases.setMemo("ANOTACOES", data.history);
    cases.setString("VARA", data.court);
    writeProtocol(cases, data);
}

void checkNumber(DataModule& dm, const std::string& number, std::uint32_t exceptRecord)
{
    if (!isValidCaseNumber(number))
        throw CaseRefused(kDuplicateCaseTitle, "O número do processo deve ter 7 letras ou dígitos.");
    if (findCaseNumber(dm, number, exceptRecord) != 0)
        throw CaseRefused(kDuplicateCaseTitle, kDuplicateCaseText);
}

}  // namespace

std::string namesLine(const CaseName& name, const std::string& mark)
{
    return column(name.name, kNameWidth) + column(name.citedAs, kCitedWidth) +
           column(name.document, kDocumentWidth) + SubText(mark.empty() ? " " : mark, 1, 1);
}

CaseName nameFromLine(const std::string& line)
{
    return {TrimRight(SubText(line, 1, kNameWidth)), TrimRight(SubText(line, kNameWidth + 1, kCitedWidth)),
            TrimRight(SubText(line, kNameWidth + kCitedWidth + 1, kDocumentWidth))};
}

std::string markOfLine(const std::string& line)
{
    return TrimRight(SubText(line, kNameWidth + kCitedWidth + kDocumentWidth + 1, 1));
}

CaseClock CaseClock::now()
{
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", local.tm_hour, local.tm_min);
    return {Date(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900), text};
}

bool isValidCaseNumber(const std::string& number)
{
    if (number.size() != 7) return false;
    for (char c : number) {
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!letter && !(c >= '0' && c <= '9')) return false;
    }
    return true;
}

std::uint32_t findCaseNumber(DataModule& dm, const std::string& number, std::uint32_t exceptRecord)
{
    foxpro::Table& cases = dm.Processos();
    TableCursorGuard guard(cases);
    cases.setFilterActive(false);
    cases.setTag("");
    const std::string wanted = TrimRight(number);
    for (cases.first(); !cases.eof(); cases.next())
        if (cases.recNo() != exceptRecord && sameIgnoringCase(cases.getString("NPROCESSO"), wanted))
            return cases.recNo();
    return 0;
}

std::vector<CaseName> caseNames(DataModule& dm, const std::string& number)
{
    foxpro::Table& people = dm.IndicadorPessoal();
    TableCursorGuard guard(people);
    std::vector<CaseName> names;
    for (std::uint32_t record : nameRecords(dm, number)) {
        people.go(record);
        names.push_back(
            {people.getString("NOME"), people.getString("CITADOCOMO"), people.getString("DOCUMENTO")});
    }
    return names;
}

CaseData readCase(DataModule& dm, std::uint32_t record)
{
    foxpro::Table& cases = dm.Processos();
    TableCursorGuard guard(cases);
    cases.go(record);
    CaseData data;
    data.number = cases.getString("NPROCESSO");
    data.responsible = cases.getString("RESPONSAV");
    data.description = cases.getString("DESCRICAO");
    data.history = cases.getMemo("ANOTACOES");
    data.court = cases.getString("VARA");
    data.protocolNumber = cases.getString("NPROTOCOLO");
    data.filed = !IsBlank(data.protocolNumber);
    data.protocolDate = Date::fromDtos(cases.getDate("DPROTOCOLO"));
    data.protocolHour = cases.getString("HORAPROTOC");
    data.status = cases.getString("SITUACAO");
    data.names = caseNames(dm, data.number);
    return data;
}

std::vector<std::uint32_t> appendNames(DataModule& dm, const std::string& number,
                                       const std::vector<CaseName>& names)
{
    foxpro::Table& people = dm.IndicadorPessoal();
    TableCursorGuard guard(people);
    std::vector<std::uint32_t> added;
    for (const CaseName& name : names) {
        // Each value is cut to its column, as the names list holds it.
        const CaseName cut = nameFromLine(namesLine(name, ""));
        try {
            people.append();
        } catch (const std::exception&) {
            throw CaseRefused("Atenção!", "Problemas para bloquear o arquivo!");
        }
        people.setString("NPROCESSO", number);
        people.setString("NOME", cut.name);
        people.setString("CITADOCOMO", cut.citedAs);
        people.setString("DOCUMENTO", cut.document);
        people.post();
        added.push_back(people.recNo());
    }
    return added;
}

std::uint32_t registerCase(DataModule& dm, const CaseData& data, const std::string& user,
                           const CaseClock& clock)
{
    checkNumber(dm, data.number, 0);
    foxpro::Table& cases = dm.Processos();
    TableCursorGuard guard(cases);
    cases.setFilterActive(false);
    cases.setTag("");
    cases.append();
    try {
        cases.setString("NPROCESSO", data.number);
        cases.setDate("DATAUA", clock.today.toDtos());
        cases.setDate("DATA", clock.today.toDtos());
        cases.setString("HORA", clock.time);
        writeCommon(cases, data);
        cases.setString("SITUACAO", "0");
        cases.setString("USUARIO", user);
        cases.post();
    } catch (...) {
        if (cases.editing()) cases.cancel();
        throw;
    }
    const std::uint32_t added = cases.recNo();
    // The case is written before its names, so a failure part-way never
    // leaves names of a case that does not exist.
    appendNames(dm, data.number, data.names);
    return added;
}

void changeCase(DataModule& dm, std::uint32_t record, const CaseData& data, Date today)
{
    foxpro::Table& cases = dm.Processos();
    TableCursorGuard guard(cases);
    cases.go(record);
    const std::string number = cases.getString("NPROCESSO");
    const std::vector<std::uint32_t> oldNames = nameRecords(dm, number);
    cases.edit();
    try {
        cases.setDate("DATAUA", today.toDtos());
        writeCommon(cases, data);
        const bool known = data.status.size() == 1 && data.status[0] >= '0' && data.status[0] <= '3';
        cases.setString("SITUACAO", known ? data.status : "0");
        cases.post();
    } catch (...) {
        if (cases.editing()) cases.cancel();
        throw;
    }
    // New names first, then the old records by number: deleting by case
    // number would take the new ones with them.
    appendNames(dm, number, data.names);
    removeRecords(dm.IndicadorPessoal(), oldNames);
}

void deleteCase(DataModule& dm, std::uint32_t record)
{
    foxpro::Table& cases = dm.Processos();
    TableCursorGuard guard(cases);
    cases.go(record);
    const std::string number = cases.getString("NPROCESSO");
    removeRecords(dm.IndicadorPessoal(), nameRecords(dm, number));
    cases.go(record);
    try {
        cases.remove();
    } catch (const std::exception&) {
        throw CaseRefused("Atenção!", "Problemas para bloquear o arquivo!. Tente mais tarde.");
    }
}

}  // namespace quintara
