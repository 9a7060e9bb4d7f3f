#include "core/text/short_string.h"

#include "core/text/gbk.h"

#include <algorithm>
#include <stdexcept>

namespace zorvane::text {

namespace {

constexpr std::size_t maximumCapacity = 255; // what one length byte can count

void requireFieldSize(std::size_t spanSize, std::size_t capacity, const char* function) {
    if (capacity > maximumCapacity)
        throw std::invalid_argument(std::string(function) +
                                    ": capacity above 255 cannot be held by the length byte");
    if (spanSize < capacity + 1)
        throw std::invalid_argument(std::string(function) +
                                    ": buffer smaller than capacity + 1 bytes");
}

} // namespace

std::string_view cutGbk(std::string_view gbk, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < gbk.size()) {
        const auto byte = static_cast<unsigned char>(gbk[end]);
        // A lead byte takes the next byte with it; a lead byte at the very end stands alone.
        const std::size_t step = (byte >= 0x81 && byte <= 0xFE && end + 1 < gbk.size()) ? 2 : 1;
        if (end + step > maxBytes)
            break;
        end += step;
    }
    return gbk.substr(0, end);
}

std::size_t writeShortString(std::span<std::uint8_t> out, std::size_t capacity,
                             std::string_view utf8) {
    requireFieldSize(out.size(), capacity, "writeShortString");
    const std::string gbk = utf8ToGbk(utf8);
    const std::string_view stored = cutGbk(gbk, capacity);
    out[0] = static_cast<std::uint8_t>(stored.size());
    std::transform(stored.begin(), stored.end(), out.begin() + 1,
                   [](char c) { return static_cast<std::uint8_t>(c); });
    std::fill(out.begin() + 1 + static_cast<std::ptrdiff_t>(stored.size()),
              out.begin() + 1 + static_cast<std::ptrdiff_t>(capacity), std::uint8_t{0});
    return stored.size();
}

std::string readShortString(std::span<const std::uint8_t> in, std::size_t capacity) {
    requireFieldSize(in.size(), capacity, "readShortString");
    const std::size_t length = std::min<std::size_t>(in[0], capacity);
    const std::string gbk(in.begin() + 1, in.begin() + 1 + static_cast<std::ptrdiff_t>(length));
    return gbkToUtf8(gbk);
}

} // namespace zorvane::text
