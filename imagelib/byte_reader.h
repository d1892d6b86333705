#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace imagelib {

using ByteSpan = std::span<const std::uint8_t>;

// A bounded cursor over a file's bytes. Every read checks and reads in one call and
// returns false, leaving the output alone, when the bytes are not there.
class ByteReader {
public:
    explicit ByteReader(ByteSpan data) : data_(data) {}

    std::size_t Position() const { return pos_; }
    std::size_t Size() const { return data_.size(); }
    std::size_t Remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ == data_.size(); }

    bool Seek(std::size_t offset) {
        if (offset > data_.size()) return false;
        pos_ = offset;
        return true;
    }
    bool Skip(std::size_t count) {
        if (count > Remaining()) return false;
        pos_ += count;
        return true;
    }
    bool ReadU8(std::uint8_t& out) {
        if (Remaining() < 1) return false;
        out = data_[pos_++];
        return true;
    }
    bool ReadLE16(std::uint16_t& out) { return ReadUnsigned(2, false, out); }
    bool ReadBE16(std::uint16_t& out) { return ReadUnsigned(2, true, out); }
    bool ReadLE32(std::uint32_t& out) { return ReadUnsigned(4, false, out); }
    bool ReadBE32(std::uint32_t& out) { return ReadUnsigned(4, true, out); }
    bool ReadLE32(std::int32_t& out) {
        std::uint32_t u = 0;
        if (!ReadLE32(u)) return false;
        out = static_cast<std::int32_t>(u);
        return true;
    }
    // A view of the next `count` bytes, consumed.
    bool ReadBytes(std::size_t count, ByteSpan& out) {
        if (count > Remaining()) return false;
        out = data_.subspan(pos_, count);
        pos_ += count;
        return true;
    }

private:
    template <typename T>
    bool ReadUnsigned(int width, bool bigEndian, T& out) {
        if (Remaining() < static_cast<std::size_t>(width)) return false;
        T value = 0;
        for (int i = 0; i < width; ++i) {
            const int index = bigEndian ? i : width - 1 - i;
            value = static_cast<T>((value << 8) | data_[pos_ + static_cast<std::size_t>(index)]);
        }
        pos_ += static_cast<std::size_t>(width);
        out = value;
        return true;
    }

    ByteSpan data_;
    std::size_t pos_ = 0;
};

}  // namespace imagelib
