// Visual FoxPro tables (version 0x30) are read: integer, currency, double and
// date-time fields, the null-flags field, and no change is ever written.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "foxpro/error.h"
#include "foxpro/table.h"
#include "table_test_support.h"

namespace {

using tabletest::ScratchDir;

struct VisualField {
    std::string name;
    char type;
    std::uint8_t length;
    std::uint8_t decimals;
    std::uint8_t flags;
};

void putLe(std::string& out, std::size_t at, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

// A version 0x30 table as Visual FoxPro writes it: descriptors with their
// record offsets, the 263-byte back-link area, records and the end marker.
std::string visualTable(const std::vector<VisualField>& fields, const std::vector<std::string>& records)
{
    std::size_t recordLength = 1;
    for (const auto& f : fields) recordLength += f.length;
    const std::size_t headerLength = 32 + 32 * fields.size() + 1 + 263;
    std::string out(headerLength, '\0');
    out[0] = 0x30;
    out[1] = 124;
    out[2] = 1;
    out[3] = 15;
    putLe(out, 4, records.size(), 4);
    putLe(out, 8, headerLength, 2);
    putLe(out, 10, recordLength, 2);
    out[29] = 0x03;
    std::size_t offset = 1;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t at = 32 + 32 * i;
        out.replace(at, fields[i].name.size(), fields[i].name);
        out[at + 11] = fields[i].type;
        putLe(out, at + 12, offset, 4);
        out[at + 16] = static_cast<char>(fields[i].length);
        out[at + 17] = static_cast<char>(fields[i].decimals);
        out[at + 18] = static_cast<char>(fields[i].flags);
        offset += fields[i].length;
    }
    out[32 + 32 * fields.size()] = 0x0D;
    for (const auto& r : records) {
        EXPECT_EQ(r.size(), recordLength);
        out += r;
    }
    out += '\x1A';
    return out;
}

std::string le(std::uint64_t value, int bytes)
{
    std::string out(static_cast<std::size_t>(bytes), '\0');
    putLe(out, 0, value, bytes);
    return out;
}

std::string doubleBytes(double value)
{
    std::string out(sizeof value, '\0');
    std::memcpy(out.data(), &value, sizeof value);
    return out;
}

const std::vector<VisualField> kFields = {
    {"NOME", 'C', 6, 0, 0x02}, {"QTD", 'I', 4, 0, 0},     {"PRECO", 'Y', 8, 4, 0},
    {"TAXA", 'B', 8, 2, 0},    {"MOMENTO", 'T', 8, 0, 0}, {"_NullFlags", '0', 1, 0, 0x05},
};

std::string kRecord()
{
    // 2024-01-15 is Julian day 2,460,325; 13:45:30 is 49,530,000 ms.
    return std::string(" Caf\xE9  ") + le(static_cast<std::uint32_t>(-42), 4) + le(12345678, 8) +
           doubleBytes(3.14159) + le(2460325, 4) + le(49530000, 4) + std::string(1, '\0');
}

TEST(VisualTables, FieldsOfEveryVisualTypeAreRead)
{
    ScratchDir dir;
    std::string nullName = kRecord();
    nullName.back() = '\x01';  // first null flag: NOME is null
    tabletest::writeBytes(dir.file("VISUAL.DBF"), visualTable(kFields, {kRecord(), nullName}));
    foxpro::Table t;
    t.open(dir.file("VISUAL.DBF"));
    t.first();
    ASSERT_FALSE(t.eof());
    EXPECT_EQ(t.getString("NOME"), "Café");
    EXPECT_EQ(t.getString("QTD"), "-42");
    EXPECT_EQ(t.getNumber("QTD"), -42);
    EXPECT_EQ(t.getString("PRECO"), "1234.5678");
    EXPECT_DOUBLE_EQ(t.getNumber("PRECO"), 1234.5678);
    EXPECT_EQ(t.getString("TAXA"), "3.14");
    EXPECT_DOUBLE_EQ(t.getNumber("TAXA"), 3.14159);
    EXPECT_EQ(t.getDate("MOMENTO"), "20240115");
    EXPECT_EQ(t.getString("MOMENTO"), "15/01/2024 13:45:30");
    t.next();
    EXPECT_EQ(t.getString("NOME"), "");
    EXPECT_EQ(t.getString("QTD"), "-42");
    t.next();
    EXPECT_TRUE(t.eof());
}

TEST(VisualTables, AreNeverWrittenAndNeedRoomForTheirNullFlags)
{
    ScratchDir dir;
    const std::string bytes = visualTable(kFields, {kRecord()});
    tabletest::writeBytes(dir.file("VISUAL.DBF"), bytes);
    {
        foxpro::Table t;
        t.open(dir.file("VISUAL.DBF"));
        t.first();
        EXPECT_THROW(t.edit(), foxpro::Error);
        EXPECT_THROW(t.append(), foxpro::Error);
    }
    EXPECT_EQ(tabletest::readBytes(dir.file("VISUAL.DBF")), bytes);

    // Nine nullable fields cannot be flagged in a one-byte null-flags field.
    std::vector<VisualField> many;
    for (int i = 0; i < 9; ++i) many.push_back({"C" + std::to_string(i), 'C', 1, 0, 0x02});
    many.push_back({"_NullFlags", '0', 1, 0, 0x05});
    tabletest::writeBytes(dir.file("NULLS.DBF"), visualTable(many, {std::string(11, ' ')}));
    foxpro::Table bad;
    EXPECT_THROW(bad.open(dir.file("NULLS.DBF")), foxpro::Error);
}

}  // namespace
