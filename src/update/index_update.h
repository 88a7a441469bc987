// The update of registered indices from the central bank's series service:
// for each index with a series number, the values from its last stored date
// to today, fetched in the pieces the service accepts, checked in full and
// then written through the all-or-nothing import. An index whose answers
// are not all complete and valid imports nothing. A run with nothing new
// writes nothing at all, so a second update is a no-op.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/data_module.h"
#include "data/date.h"
#include "data/index_import.h"
#include "update/fetcher.h"

namespace quintara {

enum class UpdateStatus { Done, Failed };

// Why an index failed, for windows that say it in their own words.
enum class UpdateFailure { None, NoSeries, NotRegistered, NoAnswer, Service, BadAnswer, Store };

struct IndexUpdateResult {
    std::string code;
    UpdateStatus status = UpdateStatus::Done;
    ImportCounts counts;
    UpdateFailure failure = UpdateFailure::None;
    std::string message;  // why it failed, naming the index
};

struct UpdateReport {
    std::vector<IndexUpdateResult> results;
    // Set when the network could not be reached at all: the run stopped at
    // the first index and the other indices were not tried.
    std::optional<std::string> networkError;
};

struct UpdateOptions {
    std::string base;                // the service's address (defaultSgsBase())
    Date today;                      // the last day asked for
    std::vector<std::string> codes;  // empty: every index with a sources record
};

// Told when an index starts (step 0 of total), after each piece fetched and
// when its import ends (step == total).
using UpdateProgress = std::function<void(const std::string& code, int step, int total)>;

class IndexUpdate {
public:
    IndexUpdate(DataModule& dm, Fetcher& fetcher, UpdateOptions options);

    // The codes the run will update, in order.
    std::vector<std::string> plannedCodes();
    UpdateReport run(const UpdateProgress& progress = {});

private:
    IndexUpdateResult updateOne(const std::string& code, const UpdateProgress& progress,
                                std::optional<std::string>& networkError);

    DataModule& dm_;
    Fetcher& fetcher_;
    UpdateOptions options_;
};

}  // namespace quintara
