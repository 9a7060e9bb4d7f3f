#pragma once
// SHA-256 (FIPS 180-4), fed in pieces: the digest of the reference tables in the database
// manifest. Small and dependency-free, since the core links nothing but SQLite.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zorvane::store {

class Sha256 {
public:
    Sha256();
    void add(const void* data, std::size_t size);
    void add(std::string_view bytes) { add(bytes.data(), bytes.size()); }
    // The digest as 64 lowercase hex digits; the object is spent afterwards.
    std::string hexDigest();

private:
    void compress(const std::uint8_t* block);

    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> block_{};
    std::size_t blockUsed_ = 0;
    std::uint64_t totalBytes_ = 0;
};

} // namespace zorvane::store
