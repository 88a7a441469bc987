// Storing typed items: the cells and record of a new item, refusals that
// store nothing, a failure half-way that leaves row and table as they were,
// and the change of one item among items of two cases.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "data/lookups.h"
#include "worksheet/item_entry.h"
#include "worksheet/worksheet_items.h"

namespace quintara {
namespace {

namespace fs = std::filesystem;

class ItemEntryStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "quintara-items-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        const std::string init = std::string(QUINTARA_CLI) + " init '" + dir_.string() + "' > /dev/null";
        ASSERT_EQ(std::system(init.c_str()), 0);
        dm_ = DataModule::openFolder(dir_.string());
    }
    void TearDown() override
    {
        dm_.reset();
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    static ItemEntry entry(const std::string& origin, const std::string& amount)
    {
        ItemEntry e;
        e.originDate = origin;
        e.originalAmount = Amount::parse(amount);
        e.formCode = "001";
        e.formText = "INPC";
        e.ordinaryStart = origin;
        e.compensatoryStart = origin;
        return e;
    }
    std::string field(const std::string& caseNumber, int item, const char* name)
    {
        foxpro::Table& items = dm_->ItensProcesso();
        items.setTag("item");
        if (!items.seek({caseNumber, itemNumberText(item)})) return "<none>";
        return items.getString(name);
    }

    fs::path dir_;
    std::unique_ptr<DataModule> dm_;
    WorksheetGrid grid_;
};

TEST_F(ItemEntryStore, NewItemCellsAndRecordAreWrittenAsTheWorksheetReadsThem)
{
    ItemEntry e = entry("15/03/1994", "1234,5");
    e.description = "Aluguel março";
    e.fineRate = Amount::parse("-2");  // not above 0: written as 0
    e.ordinaryRate = Amount::parse("12,3456");
    e.compensatoryStart = "  /  /    ";  // no rate: the record takes the origin date
    e.payment = true;
    e.fullMonth = true;
    e.converter = false;
    e.ordinaryFormula = 1;
    storeNewItem(*dm_, grid_, "2024001", 1, e);

    EXPECT_EQ(grid_.cell(1, colMark), "$");
    EXPECT_EQ(grid_.cell(1, colNumber), "001");
    EXPECT_EQ(grid_.cell(1, colOriginalAmount), "            1234,50");
    EXPECT_EQ(grid_.cell(1, colPrincipal), "");
    EXPECT_EQ(grid_.cell(1, colOrdinaryRate), "  12,345600");
    EXPECT_EQ(grid_.cell(1, colFineRate), "   0,000000");
    EXPECT_EQ(grid_.cell(1, colIndexQuantity), "               0,00");
    EXPECT_EQ(grid_.cell(1, colIndexValue), "               0,00");
    EXPECT_EQ(grid_.cell(1, colOriginCurrency), "CR$");
    EXPECT_EQ(grid_.cell(1, colCompensatoryStart), "15/03/1994");
    EXPECT_EQ(grid_.cell(1, colMonthMode), "CHEIO");
    EXPECT_EQ(grid_.cell(1, colConverter), "NÃO");
    EXPECT_EQ(grid_.cell(1, colOrdinaryFormula), "1");

    EXPECT_EQ(field("2024001", 1, "DESCRICAO"), "Aluguel março");
    EXPECT_EQ(field("2024001", 1, "VALORORIG"), "1234.5000");
    EXPECT_EQ(field("2024001", 1, "SOMA_DED"), "S");
    EXPECT_EQ(field("2024001", 1, "CHEIOEXAT"), "C");
    EXPECT_EQ(field("2024001", 1, "JORDPER"), "12.345600");
    EXPECT_EQ(field("2024001", 1, "JORDTIP"), "1");
    EXPECT_EQ(field("2024001", 1, "JCOMDAT"), "15/03/1994");
    EXPECT_EQ(field("2024001", 1, "VALORTOT"), "0.0000");
    EXPECT_EQ(field("2024001", 1, "HONOPER"), "0.000000");
    EXPECT_EQ(field("2024001", 1, "DATACALC"), "");
}

TEST_F(ItemEntryStore, RefusedItemsAndFailuresHalfWayStoreNothing)
{
    using Field = ItemEntryRefused::Field;
    const auto refusal = [&](ItemEntry e) {
        std::optional<ItemEntryRefused> r = checkItemEntry(*dm_, e);
        return r ? r->field() : Field::Row;
    };
    ItemEntry e = entry("  /  /    ", "10");
    EXPECT_EQ(refusal(e), Field::OriginDate);
    e.originDate = "31/02/2020";
    EXPECT_EQ(refusal(e), Field::OriginDate);
    e = entry("10/01/2020", "10");
    e.ordinaryRate = Amount::parse("6");
    e.ordinaryStart = "10/01/    ";
    EXPECT_EQ(refusal(e), Field::OrdinaryStart);
    e = entry("10/01/2020", "10");
    e.compensatoryRate = Amount::parse("1");
    e.compensatoryStart = "";
    EXPECT_EQ(refusal(e), Field::CompensatoryStart);
    e = entry("10/01/2020", "10");
    e.formCode = "999";
    EXPECT_EQ(refusal(e), Field::Form);
    e = entry("10/01/2020", "10");
    e.description = std::string(61, 'x');
    EXPECT_EQ(refusal(e), Field::Description);
    EXPECT_THROW(storeNewItem(*dm_, grid_, "2024001", 1, e), ItemEntryRefused);

    // An amount too wide for its field fails after the row was written: the
    // row is free again and no record was added.
    e = entry("10/01/2020", "100000000000000");
    EXPECT_ANY_THROW(storeNewItem(*dm_, grid_, "2024001", 1, e));
    EXPECT_TRUE(grid_.isFree(1));
    EXPECT_EQ(grid_.cell(1, colOriginalAmount), "");
    EXPECT_EQ(dm_->ItensProcesso().recordCount(), 0u);

    storeNewItem(*dm_, grid_, "2024001", 1, entry("10/01/2020", "10"));
    EXPECT_EQ(dm_->ItensProcesso().recordCount(), 1u);
    EXPECT_THROW(storeNewItem(*dm_, grid_, "2024001", 1000, entry("10/01/2020", "10")), ItemEntryRefused);
}

TEST_F(ItemEntryStore, AChangeRewritesOnlyThatCasesItemOrTheGridWhenItHasNoRecord)
{
    WorksheetGrid other;
    storeNewItem(*dm_, other, "2024002", 2, entry("01/02/2021", "99"));
    storeNewItem(*dm_, grid_, "2024001", 1, entry("01/02/2021", "1"));
    storeNewItem(*dm_, grid_, "2024001", 2, entry("01/02/2021", "2"));
    grid_.setCell(2, colPrincipal, "              50,00");

    ItemEntry changed = entry("05/05/2021", "222");
    changed.quantity = Amount::parse("3,5");
    changed.indexValue = Amount::parse("1,2345");
    changed.indexCode = "UFIR";
    EXPECT_TRUE(storeChangedItem(*dm_, grid_, "2024001", 2, changed));
    EXPECT_EQ(field("2024001", 2, "VALORORIG"), "222.0000");
    EXPECT_EQ(field("2024001", 2, "QUANT"), "3.5000");
    EXPECT_EQ(field("2024001", 2, "VALORIND"), "1.234500000");
    EXPECT_EQ(field("2024001", 2, "VALORPRIN"), "50.0000");
    EXPECT_EQ(field("2024001", 1, "VALORORIG"), "1.0000");
    EXPECT_EQ(field("2024002", 2, "VALORORIG"), "99.0000");
    EXPECT_EQ(grid_.cell(2, colIndexQuantity), "3,5");

    // Row 3 has no record: the grid changes, the table does not.
    storeNewItem(*dm_, grid_, "2024001", 3, entry("01/02/2021", "3"));
    ApagaItemProcesso(*dm_, "2024001", 3);
    EXPECT_FALSE(storeChangedItem(*dm_, grid_, "2024001", 3, entry("01/02/2021", "33")));
    EXPECT_EQ(grid_.cell(3, colOriginalAmount), "              33,00");
    EXPECT_EQ(dm_->ItensProcesso().recordCount(), 4u);  // the deleted record included: none added
}

}  // namespace
}  // namespace quintara
