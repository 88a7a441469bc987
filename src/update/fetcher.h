// Fetching one address: the interface the index update asks for answers,
// and its network implementation (Qt Network, waiting in a local event loop
// so that windows keep painting). Tests and the screenshot mode put a
// recorded set of answers in its place.
#pragma once

#include <string>

namespace quintara {

enum class FetchFailure {
    None,
    NoNetwork,  // no route, host unknown, connection refused: nothing will work
    Timeout,    // no complete answer in time
    Http,       // an answer with a status other than 200
    Transfer,   // the answer broke off or another transport fault
};

struct FetchReply {
    FetchFailure failure = FetchFailure::None;
    int status = 0;       // HTTP status when one came
    std::string body;     // the answer's bytes
    std::string message;  // what went wrong, for people
};

class Fetcher {
public:
    virtual ~Fetcher() = default;
    virtual FetchReply get(const std::string& address) = 0;
};

// Needs a QCoreApplication (or QApplication) to exist.
class NetworkFetcher : public Fetcher {
public:
    static constexpr int kDefaultTimeoutMs = 60000;
    explicit NetworkFetcher(int timeoutMs = kDefaultTimeoutMs) : timeoutMs_(timeoutMs) {}
    FetchReply get(const std::string& address) override;

private:
    int timeoutMs_;
};

}  // namespace quintara
