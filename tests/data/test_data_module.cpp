// DataModule: tables by component name, the initial filter, calculated
// fields, the value query and the nesting of DisableControls.
#include <gtest/gtest.h>

#include <cmath>

#include "data/data_module.h"
#include "data/table_schema.h"
#include "data_test_support.h"

namespace quintara {
namespace {

using testing::TempDir;

void addIndex(foxpro::Table& t, const std::string& code, const std::string& tip, const std::string& kind)
{
    t.append();
    t.setString("TBCM_COD", code);
    t.setString("TBCM_TIP", tip);
    t.setString("TBCM_VAL", kind);
    t.post();
}

// The fixture's value of series k at its i-th date (see the fixture README).
double fixtureValue(long long i, long long k)
{
    long long n = (i * 2654435761LL + k * 40503LL) % 1000000000000LL;
    double value = static_cast<double>(n) / 1e9;
    return (i + k) % 37 == 0 ? -value : value;
}

TEST(DataModuleTables, OpenLazilyByComponentNameFromTheFolder)
{
    TempDir dir;
    testing::copyFixtures(dir.folder());
    auto dm = DataModule::openFolder(dir.folder());
    EXPECT_EQ(dm->dataDir(), dir.folder());
    for (const TableSchema& s : tableSchemas()) {
        EXPECT_FALSE(dm->isOpen(s.id)) << s.fileName;
        EXPECT_EQ(DataModule::fileName(s.id), s.fileName);
        EXPECT_TRUE(dm->table(s.id).isOpen()) << s.fileName;
        EXPECT_EQ(dm->table(s.id).path(), dir.folder() + s.fileName);
    }
    EXPECT_EQ(DataModule::componentName(TableId::ItensProcesso), "ItensProcesso");
    EXPECT_EQ(dm->Indices().tags().size(), 1u);
    dm->closeAllTables();
    EXPECT_FALSE(dm->isOpen(TableId::Moeda));
}

TEST(DataModuleTables, ValueTableOpensShowingOnlyTr)
{
    TempDir dir;
    testing::copyFixtures(dir.folder());
    auto dm = DataModule::openFolder(dir.folder());
    foxpro::Table& values = dm->ValorIndices();
    EXPECT_TRUE(values.filterActive());
    values.first();
    ASSERT_FALSE(values.eof());
    EXPECT_EQ(values.getString("LCM_COD"), "TR");
    EXPECT_EQ(values.recNo(), 10168u);
    // Closing and reopening sets the filter again.
    values.setFilterActive(false);
    dm->closeTable(TableId::ValorIndices);
    EXPECT_TRUE(dm->ValorIndices().filterActive());
}

TEST(DataModuleTables, CreatedTablesHaveTheFixtureLayouts)
{
    TempDir mine;
    TempDir theirs;
    testing::makeDataDirectory(mine.folder());
    testing::copyFixtures(theirs.folder());
    auto a = DataModule::openFolder(mine.folder());
    auto b = DataModule::openFolder(theirs.folder());
    for (const TableSchema& s : tableSchemas()) {
        const auto& ours = a->table(s.id).fields();
        const auto& fixture = b->table(s.id).fields();
        ASSERT_GE(ours.size(), fixture.size()) << s.fileName;
        for (std::size_t i = 0; i < fixture.size(); ++i) {
            EXPECT_EQ(ours[i].name, fixture[i].name) << s.fileName;
            EXPECT_EQ(ours[i].type, fixture[i].type) << fixture[i].name;
            EXPECT_EQ(ours[i].length, fixture[i].length) << fixture[i].name;
            EXPECT_EQ(ours[i].decimals, fixture[i].decimals) << fixture[i].name;
        }
        auto ourTags = a->table(s.id).tags();
        auto fixtureTags = b->table(s.id).tags();
        ASSERT_EQ(ourTags.size(), fixtureTags.size()) << s.fileName;
        for (std::size_t i = 0; i < ourTags.size(); ++i) {
            EXPECT_EQ(ourTags[i].name, fixtureTags[i].name);
            EXPECT_EQ(ourTags[i].expression, fixtureTags[i].expression);
        }
    }
}

TEST(DataModuleCalculatedFields, IndexKindAndPeriodicityNames)
{
    TempDir dir;
    testing::makeDataDirectory(dir.folder());
    auto dm = DataModule::openFolder(dir.folder());
    foxpro::Table& t = dm->Indices();
    struct Case {
        const char *tip, *kind, *catualiza, *tipo;
    } cases[] = {{"1", "1", "Diária", "Multiplicador"},
                 {"2", "2", "Mensal", "Percentual"},
                 {"1", "3", "Diária", "Moeda"},
                 {"2", "4", "Mensal", "TaxaJuro"},
                 {"1", "7", "Diária", ""},
                 {"1", "", "Mensal", "Percentual"},
                 {"1", "P", "Mensal", "Percentual"}};
    int n = 0;
    for (const Case& c : cases) {
        addIndex(t, "X" + std::to_string(n++), c.tip, c.kind);
        EXPECT_EQ(dm->catualiza(), c.catualiza) << "kind '" << c.kind << "'";
        EXPECT_EQ(dm->cTipoValor(), c.tipo) << "kind '" << c.kind << "'";
    }
}

TEST(DataModuleCalculatedFields, ValuesWithBrazilianSeparators)
{
    TempDir dir;
    testing::makeDataDirectory(dir.folder());
    auto dm = DataModule::openFolder(dir.folder());
    foxpro::Table& values = dm->ValorIndices();
    values.setFilterActive(false);
    values.append();
    values.setString("LCM_COD", "TR");
    values.setNumber("LCM_VALOR", 1234.5);
    values.post();
    EXPECT_EQ(dm->valoritem(TableId::ValorIndices), "1.234,500000000");

    foxpro::Table& costs = dm->Custas();
    costs.append();
    costs.setString("TCU_VALOR", "1234.5");
    costs.post();
    EXPECT_EQ(dm->valoritem(TableId::Custas), " 1.234,50");
    EXPECT_THROW(dm->valoritem(TableId::Moeda), std::invalid_argument);
    // No current record: zero, formatted the same way.
    costs.last();
    costs.next();
    EXPECT_EQ(dm->valoritem(TableId::Custas), "     0,00");
}

TEST(DataModuleCalculatedFields, CaseStatusNames)
{
    TempDir dir;
    testing::makeDataDirectory(dir.folder());
    auto dm = DataModule::openFolder(dir.folder());
    foxpro::Table& t = dm->Processos();
    std::pair<const char*, const char*> cases[] = {{"0", "Em Aberto"}, {"1", "Cancelado"}, {"2", "Suspenso"},
                                                   {"3", "Concluído"}, {"4", "Em aberto"}, {"", "Em aberto"},
                                                   {"X", "Em aberto"}};
    for (auto [code, name] : cases) {
        t.append();
        t.setString("SITUACAO", code);
        t.post();
        EXPECT_EQ(dm->nomesituacao(), name) << "SITUACAO '" << code << "'";
    }
}

TEST(DataModuleQuery, ValuesOfOneIndexBetweenTwoDatesInDateOrder)
{
    TempDir dir;
    testing::copyFixtures(dir.folder());
    auto dm = DataModule::openFolder(dir.folder());
    // INPC is series 15 from 1979-04; January 2000 is its 250th month.
    auto rows = dm->QueryIndices("INPC", Date(1, 1, 2000), Date(1, 12, 2000));
    ASSERT_EQ(rows.size(), 12u);
    for (std::size_t m = 0; m < rows.size(); ++m) {
        EXPECT_EQ(rows[m].code, "INPC");
        EXPECT_EQ(rows[m].date, Date(1, static_cast<int>(m) + 1, 2000));
        EXPECT_NEAR(rows[m].value, fixtureValue(250 + static_cast<long long>(m), 15), 1e-9);
    }
    // The SELIC rows change from descending to ascending physical order at
    // the turn of 2006; the query still comes back in date order.
    auto selic = dm->QueryIndices("SELIC", Date(26, 12, 2005), Date(4, 1, 2006));
    std::vector<Date> expected = {Date(26, 12, 2005), Date(27, 12, 2005), Date(28, 12, 2005),
                                  Date(29, 12, 2005), Date(30, 12, 2005), Date(2, 1, 2006),
                                  Date(3, 1, 2006),   Date(4, 1, 2006)};
    ASSERT_EQ(selic.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(selic[i].date, expected[i]);
    // Bounds are inclusive; a code that is a prefix of another is not mixed in.
    EXPECT_EQ(dm->QueryIndices("IGP", Date(1, 1, 1964), Date(1, 3, 1964)).size(), 3u);
    EXPECT_TRUE(dm->QueryIndices("NONE", Date(1, 1, 1964), Date(1, 3, 2020)).empty());
    EXPECT_TRUE(dm->QueryIndices("INPC", Date(1, 3, 2000), Date(1, 1, 2000)).empty());
    // The query does not move the value table nor touch its filter.
    EXPECT_TRUE(dm->ValorIndices().filterActive());
}

TEST(DataModuleControls, DisableAndEnableNestAndNotifyOnlyAtTheOuterCall)
{
    DataModule dm;
    dm.DisableControls();  // without a listener: nothing happens
    dm.EnableControls();
    std::vector<bool> seen;
    dm.setControlsListener([&](bool enabled) { seen.push_back(enabled); });
    dm.DisableControls();
    dm.DisableControls();
    dm.EnableControls();
    EXPECT_EQ(seen, std::vector<bool>{false});
    dm.EnableControls();
    EXPECT_EQ(seen, (std::vector<bool>{false, true}));
    dm.EnableControls();  // unbalanced: ignored
    EXPECT_EQ(seen.size(), 2u);
}

}  // namespace
}  // namespace quintara
