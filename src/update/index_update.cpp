#include "update/index_update.h"

#include <algorithm>

#include "data/index_sources.h"
#include "foxpro/codepage.h"
#include "update/sgs_request.h"
#include "update/sha256.h"

namespace quintara {

namespace {

constexpr const char* kNothingImported = "; nothing was imported";

// An index as the update sees it in the catalogue.
struct CatalogueEntry {
    bool daily = false;
    Date first;  // TBCM_DINI
    Date last;   // TBCM_DFIM
};

std::optional<CatalogueEntry> catalogueEntry(DataModule& dm, const std::string& code)
{
    foxpro::Table& t = dm.Indices();
    t.setTag("CODIGO");
    if (code.empty() || foxpro::utf8Length(code) > 10 || !t.seek({code})) return std::nullopt;
    auto date = [&](const char* field) {
        std::string dtos = t.getDate(field);
        return dtos.empty() ? Date() : Date::fromDtos(dtos);
    };
    return CatalogueEntry{t.getString("TBCM_TIP") == "1", date("TBCM_DINI"), date("TBCM_DFIM")};
}

// The period to ask for: from the last stored date (so that a revised last
// value is updated too) or, for an index without values, from its first date
// of validity; a daily index without either asks for its last ten years,
// a monthly one for everything the service has.
DateRange periodToFetch(DataModule& dm, const std::string& code, const CatalogueEntry& entry, Date today)
{
    std::vector<IndexValueRow> stored = dm.QueryIndices(code, Date(), Date());
    Date from;
    if (!stored.empty())
        from = stored.back().date;
    else if (!entry.first.isEmpty())
        from = entry.first;
    else if (entry.daily)
        from = Date(std::min(today.day(), Date::daysInMonth(today.month(), today.year() - 10)), today.month(),
                    today.year() - 10)
                   .addDays(1);
    else
        from = Date(1, 1, 1900);
    Date to = today;
    if (!entry.last.isEmpty() && entry.last < to) to = entry.last;
    return {from, to};
}

std::string periodText(const DateRange& r)
{
    return r.from.toString() + " to " + r.to.toString();
}

bool isJsonList(const std::string& body)
{
    std::size_t start = body.find_first_not_of(" \t\r\n");
    if (start != std::string::npos && body.compare(start, 3, "\xEF\xBB\xBF") == 0)
        start = body.find_first_not_of(" \t\r\n", start + 3);
    return start != std::string::npos && body[start] == '[';
}

bool isEmptyList(const std::string& body)
{
    std::string compact;
    for (char c : body)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') compact += c;
    return compact == "[]";
}

class IndexFailure : public std::runtime_error {
public:
    IndexFailure(UpdateFailure kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
    UpdateFailure kind() const { return kind_; }

private:
    UpdateFailure kind_;
};

// The values of one answer; throws IndexFailure naming the index.
std::vector<ImportedValue> readAnswer(const std::string& code, const DateRange& piece,
                                      const FetchReply& reply)
{
    const std::string where = code + ": the answer for " + periodText(piece);
    if (reply.failure == FetchFailure::Http && reply.status == 404) return {};  // no values in the period
    if (reply.failure == FetchFailure::Timeout)
        throw IndexFailure(UpdateFailure::NoAnswer, code + ": the central bank did not answer for " +
                                                        periodText(piece) + " (" + reply.message + ")" +
                                                        kNothingImported);
    if (reply.failure != FetchFailure::None)
        throw IndexFailure(UpdateFailure::Service, where + " failed: " + reply.message + kNothingImported);
    if (!isJsonList(reply.body))
        throw IndexFailure(UpdateFailure::BadAnswer,
                           where + " is not a JSON list of values" + kNothingImported);
    if (isEmptyList(reply.body)) return {};
    std::vector<ImportedValue> values;
    try {
        values = parseIndexValues(reply.body);
    } catch (const ImportError& e) {
        throw IndexFailure(UpdateFailure::BadAnswer,
                           where + " is not a valid series (" + e.what() + ")" + kNothingImported);
    }
    for (const ImportedValue& v : values)
        if (v.date < piece.from || piece.to < v.date)
            throw IndexFailure(
                UpdateFailure::BadAnswer,
                where + " holds " + v.date.toString() + ", outside the period asked for" + kNothingImported);
    return values;
}

}  // namespace

IndexUpdate::IndexUpdate(DataModule& dm, Fetcher& fetcher, UpdateOptions options)
    : dm_(dm), fetcher_(fetcher), options_(std::move(options))
{
    if (options_.today.isEmpty()) options_.today = Date::today();
    if (options_.base.empty()) options_.base = defaultSgsBase();
}

std::vector<std::string> IndexUpdate::plannedCodes()
{
    if (!options_.codes.empty()) return options_.codes;
    std::vector<std::string> codes;
    for (const IndexSource& s : IndexSources(dm_).all()) codes.push_back(s.code);
    return codes;
}

UpdateReport IndexUpdate::run(const UpdateProgress& progress)
{
    UpdateReport report;
    for (const std::string& code : plannedCodes()) {
        IndexUpdateResult result = updateOne(code, progress, report.networkError);
        if (report.networkError) break;
        report.results.push_back(std::move(result));
    }
    return report;
}

IndexUpdateResult IndexUpdate::updateOne(const std::string& code, const UpdateProgress& progress,
                                         std::optional<std::string>& networkError)
{
    IndexUpdateResult result;
    result.code = code;
    result.status = UpdateStatus::Failed;
    try {
        IndexSources sources(dm_);
        std::optional<IndexSource> source = sources.find(code);
        if (!source || source->series.empty())
            throw IndexFailure(UpdateFailure::NoSeries,
                               code + ": no central-bank series number is known (quintara-cli index DIR " +
                                   code + " --series N sets one)" + kNothingImported);
        std::optional<CatalogueEntry> entry = catalogueEntry(dm_, code);
        if (!entry)
            throw IndexFailure(UpdateFailure::NotRegistered,
                               code + ": the index is not registered" + kNothingImported);

        const DateRange period = periodToFetch(dm_, code, *entry, options_.today);
        const std::vector<DateRange> pieces = splitPeriod(period, entry->daily);
        const int total = static_cast<int>(pieces.size()) + 1;
        if (progress) progress(code, 0, total);
        std::vector<ImportedValue> values;
        std::string answers;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            FetchReply reply = fetcher_.get(sgsAddress(options_.base, source->series, pieces[i]));
            if (reply.failure == FetchFailure::NoNetwork) {
                networkError = "the central bank's service cannot be reached (" + reply.message + ")";
                return result;
            }
            std::vector<ImportedValue> piece = readAnswer(code, pieces[i], reply);
            values.insert(values.end(), piece.begin(), piece.end());
            answers += reply.body;
            if (progress) progress(code, static_cast<int>(i) + 1, total);
        }
        if (!values.empty()) {
            try {
                result.counts = importIndexValues(dm_, code, values);
            } catch (const std::exception& e) {
                throw IndexFailure(UpdateFailure::Store, code + ": " + e.what() + kNothingImported);
            }
        }
        result.status = UpdateStatus::Done;
        if (result.counts.added + result.counts.updated > 0) try {
                const Stamp stamp = Stamp::now();
                const std::string address = sgsAddress(options_.base, source->series, period);
                const std::string hash = sha256Hex(answers);
                sources.recordUpdate(code, address, hash, stamp);
                auto [first, last] =
                    std::minmax_element(values.begin(), values.end(),
                                        [](const auto& a, const auto& b) { return a.date < b.date; });
                sources.log({code, stamp, SourceKind::Service, address, hash, first->date, last->date,
                             result.counts.added, result.counts.updated, result.counts.unchanged});
            } catch (const std::exception& e) {
                result.message =
                    code + ": the values were stored, but their source was not recorded: " + e.what();
            }
        if (progress) progress(code, total, total);
    } catch (const IndexFailure& e) {
        result.failure = e.kind();
        result.message = e.what();
    } catch (const std::exception& e) {
        result.failure = UpdateFailure::Store;
        result.message = code + ": " + e.what() + kNothingImported;
    }
    return result;
}

}  // namespace quintara
