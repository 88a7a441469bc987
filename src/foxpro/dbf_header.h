// DbfHeader: the header and field descriptors of a DBF file, parsed from the
// file's first bytes and written back for new tables. Used by DbfFile, the
// table layer and the canonical dump.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foxpro/error.h"
#include "foxpro/schema.h"

namespace foxpro {

// Field flags of Visual FoxPro descriptors (byte 18).
constexpr std::uint8_t kFieldSystem = 0x01;    // hidden, e.g. _NullFlags
constexpr std::uint8_t kFieldNullable = 0x02;  // has a bit in _NullFlags
constexpr std::uint8_t kFieldBinary = 0x04;

// Table flags (byte 28).
constexpr std::uint8_t kTableHasCdx = 0x01;

// Windows-1252 code page mark written into new tables (byte 29).
constexpr std::uint8_t kCodePageWindows1252 = 0x03;

struct FieldLayout {
    FieldDef def;
    int offset = 0;  // byte offset inside the record; byte 0 is the deleted flag
    std::uint8_t flags = 0;
    int nullBit = -1;  // bit in _NullFlags when the field is nullable
};

struct DbfHeader {
    std::uint8_t version = 0x03;
    std::uint8_t updateYear = 0;  // year mod 100
    std::uint8_t updateMonth = 1;
    std::uint8_t updateDay = 1;
    std::uint32_t recordCount = 0;
    std::uint16_t headerLength = 0;
    std::uint16_t recordLength = 0;
    std::uint8_t flags = 0;
    std::uint8_t codePage = 0;
    std::vector<FieldLayout> fields;  // every descriptor, hidden ones included
    int nullFlagsField = -1;          // index in fields of _NullFlags, -1 when absent

    // Visual FoxPro tables (0x30, 0x31, 0x32): readable, never written.
    bool isVisual() const { return version == 0x30 || version == 0x31 || version == 0x32; }
    bool hasMemoFields() const;
    bool hasStructuralCdx() const { return (flags & kTableHasCdx) != 0; }

    // Length of the whole header, read from its first 32 bytes.
    static std::uint16_t peekHeaderLength(std::string_view first32);
    // Parses headerLength bytes; throws foxpro::Error naming `file` for any
    // fault (unknown version, impossible field, lengths that disagree).
    static DbfHeader parse(std::string_view bytes, const std::string& file);
    // A FoxPro 2.x header for a new, empty table; validates the fields.
    static DbfHeader forNewTable(const std::vector<FieldDef>& fields, bool withCdx, const std::string& file);
    // The header bytes (FoxPro 2.x layout: descriptors, 0x0D, one 0x00).
    std::string serialize() const;
    // Sets the last-update date to today.
    void touchDate();
};

}  // namespace foxpro
