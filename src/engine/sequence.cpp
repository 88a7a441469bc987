#include "engine/sequence.h"

#include <algorithm>
#include <stdexcept>

#include "engine/chain.h"
#include "engine/engine_dates.h"
#include "engine/text_columns.h"

namespace quintara {

namespace {

// FORMA_DAT holds one 21-character block per code: start, a separator, end.
std::vector<std::string> splitPeriods(const std::string& periods)
{
    std::vector<std::string> blocks;
    std::string rest = periods;
    while (!isBlankText(rest)) {
        blocks.push_back(columns(rest, 1, 21));
        rest = columnsFrom(rest, 22);
    }
    return blocks;
}

struct AdjustedLine {
    std::string code;
    Date start;
    Date end;
};

}  // namespace

bool isOpenDateText(const std::string& text)
{
    std::string t = trimRightBlanks(text);
    return t.empty() || t == "  /  /" || t == "00/00/0000";
}

Sequence MontaSequencia(ReferenceData& data, const std::string& codigoForma)
{
    std::optional<CorrectionForm> form = data.form(codigoForma);
    if (!form) return {};
    std::vector<std::string> codes = splitChain(form->chain);
    std::vector<std::string> blocks = splitPeriods(form->periods);
    if (blocks.size() < codes.size())
        throw std::out_of_range("correction form " + codigoForma + " has " + std::to_string(codes.size()) +
                                " index codes but only " + std::to_string(blocks.size()) + " date ranges");
    Sequence sequence;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        std::string start = columns(blocks[i], 1, 10);
        std::string end = columns(blocks[i], 12, 10);
        std::string period = data.indexPeriod(codes[i]);
        if (isOpenDateText(start)) start = columns(period, 1, 10);
        if (isOpenDateText(end)) end = columns(period, 16, 10);
        sequence.push_back(padRightTo(codes[i], 10) + start + end);
    }
    return sequence;
}

Sequence AjustaSequencia(const Sequence& sequencia, Date dataOrigem, Date dataCalculo)
{
    std::vector<AdjustedLine> kept;
    const std::size_t n = sequencia.size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::string& line = sequencia[i];
        const bool firstLine = i == 0;
        const bool lastLine = i + 1 == n;
        Date start = engineDate(columns(line, 11, 10));
        std::string endText = columns(line, 21, 10);
        Date end = lastLine && isOpenDateText(endText) ? dataCalculo : engineDate(endText);
        if (firstLine && start > dataOrigem) break;
        if (firstLine && start < dataOrigem) start = dataOrigem;
        if (lastLine && end > dataCalculo) end = dataCalculo;
        Date effectiveEnd = std::min(end, dataCalculo);
        // A stretch that ends inside the origin month still counts: its value
        // is the month's value.
        if ((sameMonth(effectiveEnd, dataOrigem) || effectiveEnd > dataOrigem) && start <= dataCalculo)
            kept.push_back({columns(line, 1, 10), start, end});
    }
    if (!kept.empty()) {
        if (kept.front().start < dataOrigem) kept.front().start = dataOrigem;
        if (kept.back().end > dataCalculo) kept.back().end = dataCalculo;
    }
    Sequence adjusted;
    for (const AdjustedLine& l : kept) adjusted.push_back(l.code + l.start.toString() + l.end.toString());
    return adjusted;
}

}  // namespace quintara
