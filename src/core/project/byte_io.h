#pragma once
// Little-endian bytes of a project file: a writer that appends, and a reader that checks every
// length against what is left before it reads, so that no size from a file is trusted unchecked.

#include <algorithm>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zorvane::project {

// A project file that cannot be read or written; the message is for the user, in Chinese.
class ProjectError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ByteWriter {
public:
    void u8(std::uint8_t value) { out_.push_back(static_cast<char>(value)); }
    void i16(std::int16_t value) { raw(static_cast<std::uint64_t>(value), 2); }
    void i32(std::int32_t value) { raw(static_cast<std::uint64_t>(value), 4); }
    void i64(std::int64_t value) { raw(static_cast<std::uint64_t>(value), 8); }
    void bytes(std::string_view data) { out_.append(data); }
    void zeros(std::size_t count) { out_.append(count, '\0'); }
    // A short string of `capacity` bytes: length byte, text cut to the capacity, zero fill.
    void shortString(std::string_view text, std::size_t capacity);
    // A length byte and the text, at most 255 bytes (the component stream's names).
    void lengthPrefixed(std::string_view text);

    const std::string& data() const { return out_; }
    std::string take() { return std::move(out_); }

private:
    void raw(std::uint64_t value, int count) {
        for (int i = 0; i < count; ++i) {
            out_.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    }
    std::string out_;
};

class ByteReader {
public:
    ByteReader(std::span<const std::uint8_t> data, std::string fileName)
        : data_(data), fileName_(std::move(fileName)) {}

    std::size_t position() const { return position_; }
    std::size_t left() const { return end_ - position_; }
    const std::string& fileName() const { return fileName_; }

    // The part of the file being read, in the user's words ("第 3 个控件（…）的保存外观"): a
    // refusal names it before what is wrong.
    void setPart(std::string part) { part_ = std::move(part); }
    // No read goes more than `count` bytes past the position, until `unlimit`; running into the
    // limit refuses the file as a part larger than `count` bytes, not as a file cut short.
    void limitTo(std::size_t count) {
        limit_ = count;
        end_ = position_ + std::min(count, data_.size() - position_);
    }
    void unlimit() { end_ = data_.size(); }

    std::uint8_t u8(const char* what);
    std::int16_t i16(const char* what);
    std::int32_t i32(const char* what);
    std::int64_t i64(const char* what);
    std::span<const std::uint8_t> bytes(std::size_t count, const char* what);
    void skip(std::size_t count, const char* what) { bytes(count, what); }
    // A short string of `capacity` bytes; its length byte must not exceed the capacity.
    std::string shortString(std::size_t capacity, const char* what);
    std::string lengthPrefixed(const char* what);

    // Refuses the file: "项目文件“name”无法打开：<part>：<reason>（第 N 字节）".
    [[noreturn]] void fail(const std::string& reason) const;

private:
    std::uint64_t raw(int count, const char* what);

    std::span<const std::uint8_t> data_;
    std::string fileName_;
    std::string part_;
    std::size_t position_ = 0;
    std::size_t end_ = data_.size();
    std::size_t limit_ = 0;
};

} // namespace zorvane::project
