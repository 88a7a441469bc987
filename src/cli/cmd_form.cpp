// quintara-cli form DIR CODE --chain "A;B" [--periods "start:end ..."]
// [--text TEXT]: creates or replaces a correction form in DST_FCM1. The chain
// is checked as the form dialog checks it; FORMA_DAT is written as the
// periodicity grid saves it: one 21-character block per code of the chain,
// "00/00/0000" for an open date. Codes without a period (all of them when
// --periods is not given) get an open block, so that every index of the chain
// applies over its whole recorded range: a calculation needs a block per code.
#include <optional>
#include <stdexcept>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/store_by_code.h"
#include "data/data_module.h"
#include "data/date.h"
#include "engine/chain.h"
#include "foxpro/codepage.h"

namespace quintara::cli {

namespace {

constexpr const char* kOpenDate = "00/00/0000";
constexpr std::size_t kBlockWidth = 21;
constexpr std::size_t kFieldWidth = 254;

struct FormOptions {
    std::string dir;
    std::string code;
    std::string chain;
    std::optional<std::string> periods;
    std::string text;
};

FormOptions parseOptions(const Args& args)
{
    FormOptions o;
    std::vector<std::string> positional;
    bool chainGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!a.starts_with("--")) {
            positional.push_back(a);
            continue;
        }
        if (i + 1 == args.size()) throw UsageError{a + " needs a value"};
        const std::string& v = args[++i];
        if (a == "--chain")
            o.chain = v, chainGiven = true;
        else if (a == "--periods")
            o.periods = v;
        else if (a == "--text")
            o.text = v;
        else
            throw UsageError{"unknown option " + a};
    }
    if (positional.size() != 2) throw UsageError{"expected DIR CODE"};
    if (!chainGiven) throw UsageError{"--chain is required"};
    o.dir = positional[0];
    o.code = positional[1];
    if (o.code.empty() || o.code.size() > 3 || o.code.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError{"the form code must be one to three digits"};
    o.code.insert(0, 3 - o.code.size(), '0');
    std::size_t first = o.chain.find_first_not_of(' ');
    o.chain =
        first == std::string::npos ? "" : o.chain.substr(first, o.chain.find_last_not_of(' ') - first + 1);
    if (foxpro::utf8Length(o.chain) > kFieldWidth) throw UsageError{"the chain has more than 254 characters"};
    return o;
}

// One end of a period: empty, "00/00/0000" or the empty mask is open.
std::string periodDate(const std::string& text)
{
    if (text.find_first_not_of(' ') == std::string::npos || text == kOpenDate) return kOpenDate;
    std::optional<Date> date = Date::tryParse(text);
    if (!date) throw UsageError{"not a dd/mm/yyyy date in --periods: '" + text + "'"};
    return date->isEmpty() ? kOpenDate : date->toString();
}

std::string periodBlock(const std::string& token)
{
    std::size_t colon = token.find(':');
    if (colon == std::string::npos) throw UsageError{"a period is start:end, not '" + token + "'"};
    std::string start = periodDate(token.substr(0, colon));
    std::string end = periodDate(token.substr(colon + 1));
    if (start != kOpenDate && end != kOpenDate && Date::parse(end) < Date::parse(start))
        throw UsageError{"period " + token + " ends before it starts"};
    return start + ":" + end;
}

// The periods as typed: blocks separated by blanks or commas, or the stored
// form (21-character blocks one after another).
std::vector<std::string> periodTokens(const std::string& text)
{
    std::vector<std::string> tokens;
    bool stored = !text.empty() && text.size() % kBlockWidth == 0;
    for (std::size_t i = 0; stored && i < text.size(); i += kBlockWidth) stored = text[i + 10] == ':';
    if (stored) {
        for (std::size_t i = 0; i < text.size(); i += kBlockWidth)
            tokens.push_back(text.substr(i, kBlockWidth));
        return tokens;
    }
    std::string token;
    for (char c : text + " ") {
        if (c == ' ' || c == ',') {
            if (!token.empty()) tokens.push_back(token);
            token.clear();
        } else {
            token += c;
        }
    }
    return tokens;
}

std::string buildFormaDat(const std::string& periods, std::size_t codes)
{
    std::vector<std::string> tokens = periodTokens(periods);
    if (tokens.size() > codes)
        throw UsageError{std::to_string(tokens.size()) + " periods for a chain of " + std::to_string(codes) +
                         " codes"};
    std::string formaDat;
    for (const std::string& token : tokens) formaDat += periodBlock(token);
    for (std::size_t i = tokens.size(); i < codes; ++i) formaDat += std::string(kOpenDate) + ":" + kOpenDate;
    if (formaDat.size() > kFieldWidth) throw UsageError{"the periods need more than 254 characters"};
    return formaDat;
}

}  // namespace

int cmdForm(const Args& args, std::ostream& out, std::ostream& err)
{
    FormOptions o = parseOptions(args);
    auto dm = DataModule::openFolder(o.dir);
    if (o.chain.empty() || !ValidaCadeia(*dm, o.chain)) {
        err << "quintara-cli form: sequência inválida !. Verifique o nome dos índices.\n";
        return 1;
    }
    std::string formaDat = buildFormaDat(o.periods.value_or(""), splitChain(o.chain).size());

    bool exists = false;
    try {
        exists = storeByCode(dm->FormaCorrecao(), "CODIGO", "FORMA_COD", o.code, [&](foxpro::Table& r) {
            r.setString("FORMA_CH", o.chain);
            r.setString("FORMA_DAT", formaDat);
            r.setMemo("FORMA_HIS", o.text);
        });
    } catch (const std::exception& e) {
        err << "quintara-cli form: " << e.what() << "; nothing was stored\n";
        return 1;
    }
    out << (exists ? "replaced" : "created") << " form " << o.code << ": " << o.chain << "\n";
    out << "  FORMA_DAT " << formaDat << "\n";
    return 0;
}

}  // namespace quintara::cli
