// Test helpers for the index tests: a minimal reader of DBF bytes (so the
// index is checked against records read independently of the table layer),
// an in-memory record, and a scratch folder.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "fixture_copy.h"
#include "foxpro/record_view.h"

namespace cdxtest {

inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline std::filesystem::path fixtures(const std::string& folder = "foxpro")
{
    return quintaratest::FixtureCopies::folder(folder);
}

// A record held in memory: field bytes laid out one after another.
class MemoryRecord : public foxpro::RecordView {
public:
    MemoryRecord(const std::vector<foxpro::FieldDef>& fields, std::string bytes, std::uint32_t recno = 1,
                 bool deleted = false)
        : fields_(&fields), bytes_(std::move(bytes)), recno_(recno), deleted_(deleted)
    {
        std::size_t at = 0;
        for (const auto& f : fields) {
            offsets_.push_back(at);
            at += static_cast<std::size_t>(f.length);
        }
        bytes_.resize(at, ' ');
    }
    const std::vector<foxpro::FieldDef>& fields() const override { return *fields_; }
    std::string_view rawField(int index) const override
    {
        auto i = static_cast<std::size_t>(index);
        return std::string_view(bytes_).substr(offsets_[i], static_cast<std::size_t>((*fields_)[i].length));
    }
    bool deleted() const override { return deleted_; }
    std::uint32_t recNo() const override { return recno_; }

private:
    const std::vector<foxpro::FieldDef>* fields_;
    std::string bytes_;
    std::vector<std::size_t> offsets_;
    std::uint32_t recno_;
    bool deleted_;
};

// Builds a record's bytes from field values, each padded to its field width
// (character fields on the right, numbers on the left).
inline std::string recordBytes(const std::vector<foxpro::FieldDef>& fields,
                               const std::vector<std::string>& values)
{
    std::string bytes;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::string v = i < values.size() ? values[i] : std::string();
        auto width = static_cast<std::size_t>(fields[i].length);
        if (v.size() > width) v.resize(width);
        bool right =
            fields[i].type == foxpro::FieldType::Numeric || fields[i].type == foxpro::FieldType::Float;
        std::string pad(width - v.size(), ' ');
        bytes += right ? pad + v : v + pad;
    }
    return bytes;
}

// The records of a DBF file read straight from its bytes.
class DbfBytes {
public:
    explicit DbfBytes(const std::filesystem::path& path) : data_(readFile(path))
    {
        auto u16 = [&](std::size_t at) {
            return static_cast<std::size_t>(static_cast<unsigned char>(data_[at]) |
                                            (static_cast<unsigned char>(data_[at + 1]) << 8));
        };
        count_ = static_cast<std::uint32_t>(u16(4) | (u16(6) << 16));
        header_ = u16(8);
        length_ = u16(10);
        for (std::size_t at = 32; at + 32 <= header_ && data_[at] != 0x0D; at += 32) {
            foxpro::FieldDef f;
            f.name = std::string(data_.c_str() + at);
            f.type = static_cast<foxpro::FieldType>(data_[at + 11]);
            f.length = static_cast<unsigned char>(data_[at + 16]);
            f.decimals = static_cast<unsigned char>(data_[at + 17]);
            fields_.push_back(f);
        }
    }
    const std::vector<foxpro::FieldDef>& fields() const { return fields_; }
    std::uint32_t count() const { return count_; }
    MemoryRecord record(std::uint32_t recno) const
    {
        std::size_t at = header_ + (recno - 1) * length_;
        return MemoryRecord(fields_, data_.substr(at + 1, length_ - 1), recno, data_[at] == '*');
    }

private:
    std::string data_;
    std::vector<foxpro::FieldDef> fields_;
    std::uint32_t count_ = 0;
    std::size_t header_ = 0;
    std::size_t length_ = 0;
};

// A folder under the system's temp area, removed with everything in it.
class ScratchDir {
public:
    ScratchDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "quintara-cdx-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
        path_ = pattern;
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace cdxtest
