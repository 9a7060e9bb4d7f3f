#include "core/store/table_digest.h"

#include "core/store/sha256.h"

#include <array>
#include <bit>

namespace zorvane::store {

namespace {

// Each piece of the canonical form carries its own length or a fixed width, so that no two
// different tables serialise to the same bytes.
class CanonicalWriter {
public:
    explicit CanonicalWriter(Sha256& hash) : hash_(hash) {}

    void word(std::uint64_t value) {
        std::array<std::uint8_t, 8> bytes{};
        for (std::size_t i = 0; i < 8; ++i) {
            bytes[i] = static_cast<std::uint8_t>(value >> (56 - 8 * i));
        }
        hash_.add(bytes.data(), bytes.size());
    }
    void tag(char kind) { hash_.add(&kind, 1); }
    void bytes(const void* data, std::size_t size) {
        word(size);
        hash_.add(data, size);
    }
    void text(std::string_view value) { bytes(value.data(), value.size()); }

    void value(const Value& v) {
        if (v.isNull()) {
            tag('0');
        } else if (v.isText()) {
            tag('T');
            text(v.text());
        } else if (v.isNumber()) {
            tag('N');
            word(std::bit_cast<std::uint64_t>(v.number()));
        } else if (v.isInteger()) {
            tag('I');
            word(static_cast<std::uint64_t>(v.integer()));
        } else {
            tag('B');
            bytes(v.bytes().data(), v.bytes().size());
        }
    }

private:
    Sha256& hash_;
};

} // namespace

TableDigest digestOf(const Dataset& data) {
    Sha256 hash;
    CanonicalWriter out(hash);
    out.text("zorvane table digest 1");
    out.word(data.fields().size());
    for (const auto& field : data.fields()) {
        out.text(field.name);
        out.text(kindName(field.kind));
        out.word(static_cast<std::uint64_t>(field.size));
    }
    const int rows = data.recordCount();
    out.word(static_cast<std::uint64_t>(rows));
    for (int index = 0; index < rows; ++index) {
        for (const auto& value : data.row(index)) {
            out.value(value);
        }
    }
    return {rows, hash.hexDigest()};
}

} // namespace zorvane::store
