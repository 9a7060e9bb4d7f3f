#include "core/report/size_name.h"

#include "core/text/gbk.h"

namespace zorvane::report {

namespace {

// Length of the GBK character starting at `at`: a lead byte 0x81-0xFE with its trail byte is
// one character; every other byte stands alone.
std::size_t characterLength(std::string_view gbk, std::size_t at) {
    const auto byte = static_cast<unsigned char>(gbk[at]);
    return (byte >= 0x81 && byte <= 0xFE && at + 1 < gbk.size()) ? 2 : 1;
}

// The end of the longest run of whole characters from `from` that ends at or before `limit`.
std::size_t wholeCharactersUpTo(std::string_view gbk, std::size_t from, std::size_t limit) {
    std::size_t end = from;
    while (end < gbk.size()) {
        const std::size_t next = end + characterLength(gbk, end);
        if (next > limit) {
            break;
        }
        end = next;
    }
    return end;
}

} // namespace

PrintedSizeName printedSizeName(std::string_view utf8Name) {
    std::string gbk;
    try {
        gbk = text::utf8ToGbk(utf8Name);
    } catch (const text::EncodingError&) {
        // Not valid UTF-8: print it as it is rather than cut it at a guess.
        return {std::string(utf8Name), utf8Name.size()};
    }
    const std::size_t split = wholeCharactersUpTo(gbk, 0, kSizeNameFirstBytes);
    const std::size_t end = wholeCharactersUpTo(gbk, split, kSizeNameLastByte);
    PrintedSizeName printed;
    printed.text = text::gbkToUtf8(std::string_view(gbk).substr(0, split));
    printed.firstLength = printed.text.size();
    if (end > split) {
        printed.text += ' ';
        printed.text += text::gbkToUtf8(std::string_view(gbk).substr(split, end - split));
    }
    return printed;
}

} // namespace zorvane::report
