#include "app/reference/update_screenshots.h"

#include <QTemporaryDir>
#include <cmath>
#include <filesystem>
#include <string>

#include "app/reference/frm_atualiza_indices.h"
#include "data/data_module.h"
#include "data/date.h"
#include "update/fetcher.h"

namespace quintara {

namespace {

// Answers like the series service's: the last months (or business days) of
// the period asked for, except for the monthly SELIC, whose answer breaks
// off, so that the summary also shows a failure.
class DemoFetcher : public Fetcher {
public:
    FetchReply get(const std::string& address) override
    {
        FetchReply reply;
        if (address.find("bcdata.sgs.4390/") != std::string::npos) {
            reply.body = R"([{"data":"01/01/2026","valor":"1.)";
            return reply;
        }
        const Date to = Date::parse(parameter(address, "dataFinal"));
        const bool daily = address.find("bcdata.sgs.11/") != std::string::npos;
        std::string json = "[";
        for (int i = 5; i >= 0; --i) {
            const Date date = daily ? to.addDays(-i) : monthsBefore(to, i);
            const double value = daily ? 0.05 + 0.001 * i : 0.2 + 0.1 * std::sin(i + address.size());
            if (json.size() > 1) json += ",";
            json += R"({"data":")" + date.toString() + R"(","valor":")" + std::to_string(value).substr(0, 6) +
                    R"("})";
        }
        reply.body = json + "]";
        return reply;
    }

private:
    static Date monthsBefore(Date date, int months)
    {
        const int index = date.year() * 12 + date.month() - 1 - months;
        return Date(1, index % 12 + 1, index / 12);
    }
    static std::string parameter(const std::string& address, const std::string& name)
    {
        const std::size_t at = address.find(name + "=") + name.size() + 1;
        return address.substr(at, 10);
    }
};

}  // namespace

// The demo answers are not real values: the update runs on a scratch copy of
// the tables, so the data directory shown keeps only what was really imported.
void shootIndexUpdate(const ScreenshotSink& sink, DataModule& dm, QWidget* parent)
{
    namespace fs = std::filesystem;
    QTemporaryDir scratch;
    if (!scratch.isValid()) return;
    const fs::path copy = scratch.path().toStdString();
    for (const fs::directory_entry& entry : fs::directory_iterator(dm.tablesDir()))
        if (entry.is_regular_file()) fs::copy_file(entry.path(), copy / entry.path().filename());
    std::unique_ptr<DataModule> scratchData = DataModule::openFolder(copy.string());
    DemoFetcher fetcher;
    TFrmAtualizaIndices dialog(*scratchData, parent);
    dialog.setFetcher(&fetcher);
    dialog.setServiceAddress("https://api.bcb.gov.br/dados/serie");
    dialog.btAtualizarClick();
    sink.window(dialog, QStringLiteral("TFrmAtualizaIndices"));
}

}  // namespace quintara
