#include "foxpro/cdx_bulk_keys.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <new>
#include <numeric>
#include <vector>

namespace foxpro::cdx {

namespace {

// A row of a short key read as whole 64-bit words. Rows hold the key and the
// record number big-endian, so comparing the words as big-endian integers
// orders by key and then by record number, with no call to memcmp.
template <std::size_t Words>
using Row = std::array<std::uint64_t, Words>;

std::uint64_t bigEndian(std::uint64_t w)
{
    return std::endian::native == std::endian::little ? __builtin_bswap64(w) : w;
}

template <std::size_t Words>
bool rowBefore(const Row<Words>& a, const Row<Words>& b)
{
    for (std::size_t w = 0; w < Words; ++w)
        if (a[w] != b[w]) return bigEndian(a[w]) < bigEndian(b[w]);
    return false;
}

}  // namespace

BulkKeys::BulkKeys(int keyLength)
    : length_(keyLength), stride_((static_cast<std::size_t>(keyLength) + 4 + 7) / 8 * 8)
{
}

void BulkKeys::reserve(std::size_t count)
{
    if (count <= capacity_) return;
    // realloc: the buffer is plain bytes, and a large one is moved without copying.
    void* grown = std::realloc(rows_.get(), std::max<std::size_t>(count, 1) * stride_);
    if (!grown) throw std::bad_alloc();
    (void)rows_.release();
    rows_.reset(static_cast<char*>(grown));
    capacity_ = count;
}

char* BulkKeys::add(std::uint32_t recno)
{
    if (count_ == capacity_) reserve(std::max<std::size_t>(64, capacity_ * 2));
    char* row = rows_.get() + count_ * stride_;
    ++count_;
    // The zeros after the record number lie in the last one or two words
    // (a row is the key and 4 bytes rounded up to whole words); the key is
    // written over the front by the caller.
    std::memset(row + stride_ - 8, 0, 8);
    if (stride_ >= 16) std::memset(row + stride_ - 16, 0, 8);
    const auto length = static_cast<std::size_t>(length_);
    for (std::size_t b = 0; b < 4; ++b) row[length + b] = static_cast<char>(recno >> (24 - 8 * b));
    return row;
}

void BulkKeys::sort(bool unique)
{
    switch (stride_ / 8) {
        case 1:
            sortWords<1>();
            break;
        case 2:
            sortWords<2>();
            break;
        case 3:
            sortWords<3>();
            break;
        case 4:
            sortWords<4>();
            break;
        default:
            sortBytes();
    }
    if (unique) dropRepeatedKeys();
}

template <std::size_t Words>
void BulkKeys::sortWords()
{
    static_assert(sizeof(Row<Words>) == Words * 8);
    // The rows were written as bytes into storage from realloc, where they
    // may equally be read as arrays of words.
    auto* rows = reinterpret_cast<Row<Words>*>(rows_.get());
    std::sort(rows, rows + count_, [](const Row<Words>& a, const Row<Words>& b) { return rowBefore(a, b); });
}

// Long keys: an order of positions, sorted by comparing whole rows (key and
// record number) in place, then applied.
void BulkKeys::sortBytes()
{
    const std::size_t compared = static_cast<std::size_t>(length_) + 4;
    const char* base = rows_.get();
    std::vector<std::uint32_t> order(count_);
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return std::memcmp(base + a * stride_, base + b * stride_, compared) < 0;
    });
    std::unique_ptr<char[], Free> sorted(
        static_cast<char*>(std::malloc(std::max<std::size_t>(count_, 1) * stride_)));
    if (!sorted) throw std::bad_alloc();
    for (std::size_t i = 0; i < count_; ++i)
        std::memcpy(sorted.get() + i * stride_, base + order[i] * stride_, stride_);
    rows_ = std::move(sorted);
    capacity_ = count_;
}

void BulkKeys::dropRepeatedKeys()
{
    const auto length = static_cast<std::size_t>(length_);
    char* base = rows_.get();
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count_; ++i) {
        char* row = base + i * stride_;
        if (kept > 0 && std::memcmp(base + (kept - 1) * stride_, row, length) == 0) continue;
        if (kept != i) std::memcpy(base + kept * stride_, row, stride_);
        ++kept;
    }
    count_ = kept;
}

}  // namespace foxpro::cdx
