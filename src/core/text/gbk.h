#pragma once
// GBK is the byte form of every text inside fixed-layout records and file headers; the rest of
// the program works in UTF-8. Conversion goes through the C library's iconv.

#include <stdexcept>
#include <string>
#include <string_view>

namespace zorvane::text {

class EncodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// UTF-8 to GBK. A character that GBK cannot hold becomes '?'; invalid UTF-8 throws EncodingError.
std::string utf8ToGbk(std::string_view utf8);

// GBK to UTF-8. An invalid or truncated byte sequence becomes U+FFFD; never throws for bad
// input, since the bytes may come from a damaged file.
std::string gbkToUtf8(std::string_view gbk);

} // namespace zorvane::text
