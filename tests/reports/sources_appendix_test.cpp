// The "Fontes dos índices" appendix: the lines of each index used, from the
// sources tables, and the section laid out after a report's own rows.
#include <gtest/gtest.h>

#include "data/data_test_support.h"
#include "data/index_sources.h"
#include "report_test_support.h"
#include "reports/sources_appendix.h"

namespace quintara::reports {
namespace {

TEST(SourcesAppendix, NamesSeriesOriginTimeAndHashOfEachIndexOnce)
{
    quintara::testing::TempDir dir;
    quintara::testing::makeDataDirectory(dir.folder(), {"indices.txt"});
    auto dm = DataModule::openFolder(dir.folder());
    {
        IndexSources sources(*dm);
        sources.setSeries("IPCA", "433");
        sources.log({"IPCA",
                     {Date(2, 3, 2026), "10:15:00"},
                     SourceKind::File,
                     "/dados/ipca.csv",
                     std::string(64, 'a'),
                     Date(1, 1, 2020),
                     Date(1, 2, 2026),
                     74,
                     0,
                     0});
        sources.log({"IPCA",
                     {Date(9, 12, 2026), "08:00:01"},
                     SourceKind::Service,
                     "https://api.bcb.gov.br/dados/serie/bcdata.sgs.433/dados?formato=json",
                     std::string(64, 'b'),
                     Date(1, 2, 2026),
                     Date(1, 11, 2026),
                     9,
                     0,
                     1});
        // Another index's record must not show under IPCA.
        sources.log({"IPCA15",
                     {Date(1, 1, 2026), "09:00:00"},
                     SourceKind::File,
                     "/dados/ipca15.csv",
                     std::string(64, 'c'),
                     Date(1, 1, 2020),
                     Date(1, 1, 2020),
                     1,
                     0,
                     0});
    }
    const std::vector<std::string> lines = sourcesAppendixLines(*dm, {"IPCA", "TR", "IPCA"});
    const std::vector<std::string> expected = {
        "IPCA - Índice Nacional de Preços ao Consumidor Amplo (IBGE)",
        "  Série do Banco Central (SGS): 433",
        "  Importado de /dados/ipca.csv",
        "    em 02/03/2026 10:15:00, valores de 01/01/2020 a 01/02/2026 (74 incluídos, 0 alterados, 0 "
        "inalterados)",
        "    SHA-256: " + std::string(64, 'a'),
        "  Atualizado de https://api.bcb.gov.br/dados/serie/bcdata.sgs.433/dados?formato=json",
        "    em 09/12/2026 08:00:01, valores de 01/02/2026 a 01/11/2026 (9 incluídos, 0 alterados, 1 "
        "inalterados)",
        "    SHA-256: " + std::string(64, 'b'),
        "TR - Taxa Referencial (Banco Central do Brasil)",
        "  Série do Banco Central (SGS): não informada",
        "  Origem dos valores não registrada.",
    };
    EXPECT_EQ(lines, expected);

    testing::ensureGuiApplication();
    ReportLayout layout;
    layout.sections.push_back(sourcesAppendixSection(lines, layout.setup.bodyWidthMm()));
    PageModel model = layOut(layout);
    ASSERT_FALSE(model.pages.empty());
    const std::string text = dumpTexts(model);
    EXPECT_NE(text.find("Fontes dos índices\n"), std::string::npos);
    EXPECT_LT(text.find("Fontes dos índices"), text.find("IPCA - "));
    EXPECT_NE(text.find("    SHA-256: " + std::string(64, 'b')), std::string::npos);
}

}  // namespace
}  // namespace quintara::reports
