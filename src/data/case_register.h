// The case register's rules without any window: the 7-character case number,
// the refusal of a number already registered (also one that differs only in
// letter case), the people named in a case and how a case with its names is
// stored in PROCESSO and PITINDPE. The case dialogs and `quintara-cli case`
// both store cases through here, so they refuse and normalise alike.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/data_module.h"
#include "data/date.h"

namespace quintara {

// A case that cannot be stored; what() is the text shown to the person and
// title() the message box's title.
class CaseRefused : public std::runtime_error {
public:
    CaseRefused(std::string title, const std::string& text)
        : std::runtime_error(text), title_(std::move(title))
    {
    }
    const std::string& title() const { return title_; }

private:
    std::string title_;
};

inline constexpr const char* kDuplicateCaseText = "Número de processo já cadastrado!";
inline constexpr const char* kDuplicateCaseTitle = "Atenção!";

// One person named in a case (a PITINDPE record).
struct CaseName {
    std::string name;      // NOME, 55 characters
    std::string citedAs;   // CITADOCOMO, 25
    std::string document;  // DOCUMENTO, 18
    bool operator==(const CaseName&) const = default;
};

// The names list of the case dialogs: one fixed-layout line per person,
// characters 1-55 the name, 56-80 "citado como", 81-98 the document and 99 a
// one-character mark. Values longer than their column are cut to it first.
std::string namesLine(const CaseName& name, const std::string& mark);
CaseName nameFromLine(const std::string& line);
std::string markOfLine(const std::string& line);

// The fields a case dialog stores. Protocol fields are stored only when
// `filed`; a case that is not filed gets them blank.
struct CaseData {
    std::string number;       // NPROCESSO: exactly 7 letters or digits
    std::string responsible;  // RESPONSAV, 55
    std::string description;  // DESCRICAO, 55
    std::string history;      // ANOTACOES
    std::string court;        // VARA, 4
    bool filed = false;
    std::string protocolNumber;  // NPROTOCOLO, at most 7
    Date protocolDate;           // DPROTOCOLO
    std::string protocolHour;    // HORAPROTOC, "hh:mm" (as accepted by the person)
    std::string status = "0";    // SITUACAO "0".."3"
    std::vector<CaseName> names;
};

// The registration moment: DATA, HORA and DATAUA of a new case.
struct CaseClock {
    Date today;
    std::string time;  // "hh:mm"
    static CaseClock now();
};

// Exactly 7 ASCII letters or digits (the number field's input mask).
bool isValidCaseNumber(const std::string& number);

// The record of a live case whose number equals `number` without regard to
// letter case (memo files of the two would be one file), other than
// `exceptRecord`; 0 when there is none. PROCESSO's order, filter and position
// are kept.
std::uint32_t findCaseNumber(DataModule& dm, const std::string& number, std::uint32_t exceptRecord = 0);

// The names of a case in PITINDPE `processo` order.
std::vector<CaseName> caseNames(DataModule& dm, const std::string& number);

// The stored fields and names of the case at `record`, as the change dialog
// opens them ("filed" when NPROTOCOLO is not blank).
CaseData readCase(DataModule& dm, std::uint32_t record);

// Registers a new case with status "0" and its names, as the new-case dialog
// stores it. Throws CaseRefused for a number that is not 7 letters or digits
// or is already registered (in any letter case). Returns the new record.
std::uint32_t registerCase(DataModule& dm, const CaseData& data, const std::string& user,
                           const CaseClock& clock);

// Stores the change dialog's fields into the case at `record`: DATAUA :=
// today, the protocol fields blank when not filed, and the names replaced
// (the new records are written first, then the old ones are deleted by their
// remembered record numbers). NPROCESSO, USUARIO, DATA and HORA stay.
void changeCase(DataModule& dm, std::uint32_t record, const CaseData& data, Date today);

// Deletes the case at `record` and its names. Its worksheet items, memo files
// and counted costs stay, for a case registered again with that number.
void deleteCase(DataModule& dm, std::uint32_t record);

// Writes the names to PITINDPE for the case number; returns the new records.
std::vector<std::uint32_t> appendNames(DataModule& dm, const std::string& number,
                                       const std::vector<CaseName>& names);

}  // namespace quintara
