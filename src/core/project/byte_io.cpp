#include "core/project/byte_io.h"

namespace zorvane::project {

void ByteWriter::shortString(std::string_view text, std::size_t capacity) {
    const std::size_t length = std::min(text.size(), capacity);
    u8(static_cast<std::uint8_t>(length));
    out_.append(text.substr(0, length));
    zeros(capacity - length);
}

void ByteWriter::lengthPrefixed(std::string_view text) {
    const std::size_t length = std::min<std::size_t>(text.size(), 255);
    u8(static_cast<std::uint8_t>(length));
    out_.append(text.substr(0, length));
}

void ByteReader::fail(const std::string& reason) const {
    throw ProjectError("项目文件“" + fileName_ + "”无法打开：" +
                       (part_.empty() ? "" : part_ + "：") + reason + "（第 " +
                       std::to_string(position_) + " 字节）");
}

std::span<const std::uint8_t> ByteReader::bytes(std::size_t count, const char* what) {
    if (count > left()) {
        if (position_ + count <= data_.size()) {
            fail(std::string("超过了 ") + std::to_string(limit_) + " 字节的上限");
        }
        fail(*what ? std::string("在") + what + "处文件提前结束" : std::string("文件提前结束"));
    }
    const auto span = data_.subspan(position_, count);
    position_ += count;
    return span;
}

std::uint64_t ByteReader::raw(int count, const char* what) {
    const auto span = bytes(static_cast<std::size_t>(count), what);
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | span[static_cast<std::size_t>(i)];
    }
    return value;
}

std::uint8_t ByteReader::u8(const char* what) {
    return static_cast<std::uint8_t>(raw(1, what));
}

std::int16_t ByteReader::i16(const char* what) {
    return static_cast<std::int16_t>(raw(2, what));
}

std::int32_t ByteReader::i32(const char* what) {
    return static_cast<std::int32_t>(raw(4, what));
}

std::int64_t ByteReader::i64(const char* what) {
    return static_cast<std::int64_t>(raw(8, what));
}

std::string ByteReader::shortString(std::size_t capacity, const char* what) {
    const std::size_t start = position_;
    const auto span = bytes(capacity + 1, what);
    if (span[0] > capacity) {
        position_ = start;
        fail(std::string(what) + "的长度超出范围");
    }
    return std::string(reinterpret_cast<const char*>(span.data()) + 1, span[0]);
}

std::string ByteReader::lengthPrefixed(const char* what) {
    const std::size_t length = u8(what);
    const auto span = bytes(length, what);
    return std::string(reinterpret_cast<const char*>(span.data()), span.size());
}

} // namespace zorvane::project
