// Fuzz target: parsing filter and key expressions and evaluating what parses
// over a few records. Bad text must surface as foxpro::Error.
#include "foxpro/expression.h"
#include "foxpro/record_view.h"
#include "fuzz_support.h"

namespace {

const std::vector<foxpro::FieldDef> kFields = {
    {"LCM_COD", foxpro::FieldType::Character, 10, 0}, {"LCM_DATA", foxpro::FieldType::Date, 8, 0},
    {"LCM_VALOR", foxpro::FieldType::Numeric, 20, 9}, {"ATIVO", foxpro::FieldType::Logical, 1, 0},
    {"NOME", foxpro::FieldType::Character, 30, 0},    {"CONTA", foxpro::FieldType::Integer, 4, 0},
};

class Record : public foxpro::RecordView {
public:
    explicit Record(std::string bytes) : bytes_(std::move(bytes)) { bytes_.resize(73, ' '); }
    const std::vector<foxpro::FieldDef>& fields() const override { return kFields; }
    std::string_view rawField(int index) const override
    {
        static const std::size_t offsets[] = {0, 10, 18, 38, 39, 69};
        auto i = static_cast<std::size_t>(index);
        return std::string_view(bytes_).substr(offsets[i], static_cast<std::size_t>(kFields[i].length));
    }
    bool deleted() const override { return false; }
    std::uint32_t recNo() const override { return 1; }

private:
    std::string bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Record records[] = {
        Record(""),
        Record("TR        20240131        -35.250000000TJo\xE3o"),
        Record("\xC9NDICE    99999999********************X\xFF\xFF\xFF\xFF"),
    };
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        foxpro::Expression e = foxpro::Expression::parse(text, kFields, "F.DBF");
        e.keyTerms();
        for (const Record& r : records) {
            try {
                if (e.type() == foxpro::ValueType::Logical) e.evaluateBool(r);
                std::string key = e.evaluateKey(r);
                if (key.size() != static_cast<std::size_t>(e.length())) __builtin_trap();
            } catch (const foxpro::Error&) {
            }
        }
    } catch (const foxpro::Error&) {
    }
    return 0;
}
