#include "core/text/gbk.h"

#include <cerrno>
#include <cstddef>
#include <iconv.h>

namespace zorvane::text {

namespace {

// One iconv descriptor per direction and thread: a descriptor carries state and must not be
// shared between threads, and opening one per call is needlessly slow for record loading.
class Converter {
public:
    Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {
        if (descriptor_ == invalid())
            throw EncodingError(std::string("无法打开编码转换 ") + from + " → " + to);
    }
    ~Converter() { iconv_close(descriptor_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Back to the initial shift state, in case an earlier call stopped half way.
    void reset() { iconv(descriptor_, nullptr, nullptr, nullptr, nullptr); }

    // Converts as much of [in, in + inLeft) as possible, appending to `out`. Returns 0 when
    // everything was converted, otherwise the errno that stopped it (EILSEQ or EINVAL), with
    // `in`/`inLeft` pointing at the offending bytes.
    int convert(const char*& in, std::size_t& inLeft, std::string& out) {
        while (inLeft > 0) {
            char chunk[1024];
            char* outPtr = chunk;
            std::size_t outLeft = sizeof chunk;
            // iconv's input parameter is not const-qualified in glibc; it does not write to it.
            char* inPtr = const_cast<char*>(in);
            const std::size_t rc = iconv(descriptor_, &inPtr, &inLeft, &outPtr, &outLeft);
            const int error = errno;
            in = inPtr;
            out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
            if (rc != static_cast<std::size_t>(-1))
                continue;
            if (error == E2BIG)
                continue;
            return error;
        }
        return 0;
    }

private:
    static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); }
    iconv_t descriptor_;
};

// Length of the well-formed UTF-8 sequence at the start of `text` (RFC 3629: no overlong forms,
// no surrogates, nothing above U+10FFFF), or 0 when it is not well formed.
std::size_t utf8SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const auto isTrail = [&](std::size_t i) { return i < text.size() && (byte(i) & 0xC0) == 0x80; };
    if (text.empty())
        return 0;
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return isTrail(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (!isTrail(1) || !isTrail(2))
            return 0;
        if (lead == 0xE0 && byte(1) < 0xA0)
            return 0; // overlong
        if (lead == 0xED && byte(1) >= 0xA0)
            return 0; // surrogate
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (!isTrail(1) || !isTrail(2) || !isTrail(3))
            return 0;
        if (lead == 0xF0 && byte(1) < 0x90)
            return 0; // overlong
        if (lead == 0xF4 && byte(1) >= 0x90)
            return 0; // above U+10FFFF
        return 4;
    }
    return 0;
}

bool isGbkLead(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}
bool isGbkTrail(unsigned char c) {
    return c >= 0x40 && c <= 0xFE && c != 0x7F;
}

const char* const invalidUtf8Message = "文本不是有效的 UTF-8 编码";

} // namespace

std::string utf8ToGbk(std::string_view utf8) {
    // Check the whole text first, so that an unmappable but valid character is told apart from
    // broken input without relying on how iconv reports either.
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t length = utf8SequenceLength(utf8.substr(i));
        if (length == 0)
            throw EncodingError(invalidUtf8Message);
        i += length;
    }

    thread_local Converter converter("GBK", "UTF-8");
    converter.reset();
    std::string out;
    out.reserve(utf8.size());
    const char* in = utf8.data();
    std::size_t inLeft = utf8.size();
    while (inLeft > 0) {
        const int error = converter.convert(in, inLeft, out);
        if (error == 0)
            break;
        if (error != EILSEQ && error != EINVAL)
            throw EncodingError("UTF-8 到 GBK 的编码转换失败");
        // The text is valid UTF-8, so this is a character GBK has no code for: skip it.
        std::size_t length = utf8SequenceLength(std::string_view(in, inLeft));
        if (length == 0)
            length = 1; // cannot happen after the check above; never loop forever
        out += '?';
        in += length;
        inLeft -= length;
        converter.reset();
    }
    return out;
}

std::string gbkToUtf8(std::string_view gbk) {
    static constexpr std::string_view replacement = "\xEF\xBF\xBD"; // U+FFFD
    thread_local Converter converter("UTF-8", "GBK");
    converter.reset();
    std::string out;
    out.reserve(gbk.size() * 3 / 2);
    const char* in = gbk.data();
    std::size_t inLeft = gbk.size();
    while (inLeft > 0) {
        const int error = converter.convert(in, inLeft, out);
        if (error == 0)
            break;
        // A well-formed but unassigned pair is one character: replace it as one. Anything
        // else (a stray byte, a lead byte without a valid trail, a cut-off end) drops one byte.
        const auto lead = static_cast<unsigned char>(in[0]);
        std::size_t skip = 1;
        if (inLeft >= 2 && isGbkLead(lead) && isGbkTrail(static_cast<unsigned char>(in[1])))
            skip = 2;
        out += replacement;
        in += skip;
        inLeft -= skip;
        converter.reset();
    }
    return out;
}

} // namespace zorvane::text
