// BulkKeys: the keys of one tag for every record of a table, gathered once
// into one flat buffer and sorted by key and record number, so that a tag
// can be written bottom-up in a single pass (CdxTree::build).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace foxpro::cdx {

class BulkKeys {
public:
    explicit BulkKeys(int keyLength);

    void reserve(std::size_t count);
    // Room for the key of record recno (keyLength bytes), to be written by
    // the caller before the next add().
    char* add(std::uint32_t recno);
    // Sorts by key, equal keys by record number; a unique tag keeps only the
    // first record of each key.
    void sort(bool unique);

    int keyLength() const { return length_; }
    std::size_t size() const { return count_; }
    // Row i: the key, then its record number (4 bytes, big-endian), then
    // zeros up to stride() bytes.
    const char* rows() const { return rows_.get(); }
    std::size_t stride() const { return stride_; }
    std::string_view key(std::size_t i) const
    {
        return {rows_.get() + i * stride_, static_cast<std::size_t>(length_)};
    }
    std::uint32_t recno(std::size_t i) const;

private:
    struct Free {
        void operator()(char* p) const { std::free(p); }
    };
    template <std::size_t Words>
    void sortWords();
    void sortBytes();
    void dropRepeatedKeys();

    int length_;
    std::size_t stride_;
    std::size_t count_ = 0;
    std::size_t capacity_ = 0;
    std::unique_ptr<char[], Free> rows_;
};

// Record number stored big-endian at `at`.
inline std::uint32_t rowRecno(const char* at)
{
    const auto* b = reinterpret_cast<const unsigned char*>(at);
    return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) | b[3];
}

inline std::uint32_t BulkKeys::recno(std::size_t i) const
{
    return rowRecno(rows_.get() + i * stride_ + static_cast<std::size_t>(length_));
}

}  // namespace foxpro::cdx
