// The origin of index values, kept beside the twelve tables in two tables of
// their own: DST_FONT (per index: central-bank series number, address and
// time of the last update, SHA-256 of its answer) and DST_FLOG (one record
// per import or update: origin, time, SHA-256 of the input, date range and
// counts). Programs that do not know them ignore them.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/data_module.h"
#include "data/date.h"

namespace quintara {

// A local date and time of day ("hh:mm:ss").
struct Stamp {
    Date date;
    std::string time;
    static Stamp now();
};

struct IndexSource {
    std::string code;
    std::string series;   // SGS series number; empty when none is known
    std::string address;  // where the last update fetched from
    Stamp updated;        // empty date before the first update
    std::string sha256;   // of the last update's answer
};

enum class SourceKind { File, Service };

struct SourceLogEntry {
    std::string code;
    Stamp stamp;
    SourceKind kind = SourceKind::File;
    std::string origin;  // file path or service address
    std::string sha256;  // of the input, as read
    Date first;          // range of the dates imported
    Date last;
    int added = 0;
    int updated = 0;
    int unchanged = 0;
};

// The two tables of one data directory, created there when missing. Every
// write is one all-or-nothing change (foxpro::BulkWrite).
class IndexSources {
public:
    static constexpr const char* kSourcesFile = "DST_FONT.DBF";
    static constexpr const char* kLogFile = "DST_FLOG.DBF";

    // folder: the data directory (with or without the trailing "/").
    explicit IndexSources(const std::string& folder);
    explicit IndexSources(const DataModule& dm);
    ~IndexSources();
    IndexSources(const IndexSources&) = delete;
    IndexSources& operator=(const IndexSources&) = delete;

    std::optional<IndexSource> find(const std::string& code);
    std::vector<IndexSource> all();  // in code order

    // Sets the series number of an index (digits only, or empty to clear);
    // creates its record when missing. Throws std::invalid_argument for a
    // number that is not made of digits.
    void setSeries(const std::string& code, const std::string& series);
    // Notes a completed update of an index.
    void recordUpdate(const std::string& code, const std::string& address, const std::string& sha256,
                      const Stamp& stamp);
    void log(const SourceLogEntry& entry);
    // The log of one index, or of every index when code is empty, oldest first.
    std::vector<SourceLogEntry> history(const std::string& code = {});
    // The newest log record of an index.
    std::optional<SourceLogEntry> lastEntry(const std::string& code);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Reads the seed list of series numbers ("CODE;NUMBER" a line, "#" comments,
// an empty number for an index whose number is not known) and stores each.
// Throws std::runtime_error naming source and line for a malformed line.
// Returns the number of lines stored.
int seedSeriesNumbers(IndexSources& sources, std::string_view text, const std::string& source);

// True when text is a non-empty run of ASCII digits of at most 10 characters.
bool isSeriesNumber(const std::string& text);

}  // namespace quintara
