#include "core/store/journal_owner.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>
#include <vector>

namespace zorvane::store::detail {

namespace {

constexpr std::array<unsigned char, 8> kJournalMagic{0xd9, 0xd5, 0x05, 0xf9,
                                                     0x20, 0xa1, 0x63, 0xd7};
constexpr char kDatabaseMagic[] = "SQLite format 3";
constexpr std::size_t kHeaderBytes = 100;
constexpr std::size_t kUserVersionAt = 60;
constexpr std::size_t kApplicationIdAt = 68;

std::uint32_t bigEndian32(const unsigned char* bytes) {
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
           (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
}

bool powerOfTwoWithin(std::uint32_t value, std::uint32_t low, std::uint32_t high) {
    return value >= low && value <= high && (value & (value - 1)) == 0;
}

// The stamp in the journal's copy of page 1, when the journal holds one.
std::optional<std::uint32_t> journalStamp(const std::filesystem::path& journal) {
    std::ifstream in(journal, std::ios::binary);
    std::array<unsigned char, 28> header{};
    if (!in.read(reinterpret_cast<char*>(header.data()), header.size()) ||
        !std::equal(kJournalMagic.begin(), kJournalMagic.end(), header.begin())) {
        return std::nullopt;
    }
    const std::uint32_t records = bigEndian32(&header[8]);
    const std::uint32_t sectorSize = bigEndian32(&header[20]);
    const std::uint32_t pageSize = bigEndian32(&header[24]);
    if (records == 0 || !powerOfTwoWithin(sectorSize, 32, 65536) ||
        !powerOfTwoWithin(pageSize, 512, 65536)) {
        return std::nullopt;
    }
    // Records follow the header sector: page number, the page, a checksum. 0xffffffff records
    // means "as many as the file holds".
    std::vector<unsigned char> page(pageSize);
    std::streamoff offset = sectorSize;
    for (std::uint32_t i = 0; records == 0xffffffffu || i < records; ++i) {
        std::array<unsigned char, 4> number{};
        in.seekg(offset);
        if (!in.read(reinterpret_cast<char*>(number.data()), number.size()) ||
            !in.read(reinterpret_cast<char*>(page.data()), pageSize)) {
            return std::nullopt;
        }
        if (bigEndian32(number.data()) == 1) {
            const std::uint32_t stamp = bigEndian32(&page[kUserVersionAt]);
            return stamp == 0 ? std::nullopt : std::optional<std::uint32_t>(stamp);
        }
        offset += 4 + static_cast<std::streamoff>(pageSize) + 4;
    }
    return std::nullopt;
}

} // namespace

bool journalBelongsElsewhere(const std::filesystem::path& table,
                             const std::filesystem::path& journal) {
    const auto stamp = journalStamp(journal);
    if (!stamp) {
        return false;
    }
    std::ifstream in(table, std::ios::binary);
    std::array<unsigned char, kHeaderBytes> header{};
    if (!in.read(reinterpret_cast<char*>(header.data()), header.size())) {
        return true; // the journal's file had a first page; this one is empty or cut short
    }
    if (std::memcmp(header.data(), kDatabaseMagic, sizeof kDatabaseMagic) != 0) {
        return false; // a torn first page: only the journal can mend it
    }
    return bigEndian32(&header[kUserVersionAt]) != *stamp &&
           bigEndian32(&header[kApplicationIdAt]) != *stamp;
}

} // namespace zorvane::store::detail
