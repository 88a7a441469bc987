#include "reports/sources_appendix.h"

#include <algorithm>
#include <memory>

#include "data/data_module.h"
#include "data/index_sources.h"

namespace quintara::reports {

namespace {

std::string description(DataModule& dm, const std::string& code)
{
    foxpro::Table& indices = dm.Indices();
    indices.setTag("CODIGO");
    if (code.empty() || !indices.seek({code})) return {};
    return indices.getString("TBCM_DESC");
}

std::string dateText(Date d)
{
    return d.isEmpty() ? std::string("  /  /    ") : d.toString();
}

}  // namespace

std::vector<std::string> sourcesAppendixLines(DataModule& dm, const std::vector<std::string>& codes)
{
    IndexSources sources(dm);
    std::vector<std::string> lines;
    std::vector<std::string> seen;
    for (const std::string& code : codes) {
        if (std::find(seen.begin(), seen.end(), code) != seen.end()) continue;
        seen.push_back(code);
        const std::string desc = description(dm, code);
        lines.push_back(desc.empty() ? code : code + " - " + desc);
        std::optional<IndexSource> source = sources.find(code);
        lines.push_back("  Série do Banco Central (SGS): " +
                        (source && !source->series.empty() ? source->series : std::string("não informada")));
        const std::vector<SourceLogEntry> entries = sources.history(code);
        if (entries.empty()) lines.push_back("  Origem dos valores não registrada.");
        for (const SourceLogEntry& e : entries) {
            lines.push_back(
                std::string(e.kind == SourceKind::Service ? "  Atualizado de " : "  Importado de ") +
                e.origin);
            lines.push_back("    em " + dateText(e.stamp.date) + " " + e.stamp.time + ", valores de " +
                            dateText(e.first) + " a " + dateText(e.last) + " (" + std::to_string(e.added) +
                            " incluídos, " + std::to_string(e.updated) + " alterados, " +
                            std::to_string(e.unchanged) + " inalterados)");
            lines.push_back("    SHA-256: " + e.sha256);
        }
    }
    return lines;
}

DetailSection sourcesAppendixSection(std::vector<std::string> lines, double widthMm)
{
    auto shared = std::make_shared<std::vector<std::string>>(std::move(lines));
    DetailSection section;
    section.rowCount = shared->size();
    section.underColumnHeader = false;
    section.header = Band(10).text(0, 3, widthMm, "Fontes dos índices", TextStyle::sans(11, true));
    section.row = [shared, widthMm](std::size_t row) {
        TextStyle mono = TextStyle::fixed(7.5);
        mono.shrinkToFit = true;
        return Band(3.6).text(0, 0, widthMm, (*shared)[row], mono);
    };
    return section;
}

}  // namespace quintara::reports
