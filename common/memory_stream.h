// SPDX-License-Identifier: GPL-3.0-or-later
// A growable byte buffer with a size and a position: the unit of all file handling.
// Files are read whole into one and written whole from one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/bytes.h"

namespace tarn {

class MemoryStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(Bytes data) : data_(std::move(data)) {}

    const Bytes& data() const { return data_; }
    Bytes& data() { return data_; }
    Bytes release() { position_ = 0; return std::move(data_); }

    std::size_t size() const { return data_.size(); }
    std::size_t position() const { return position_; }
    std::size_t remaining() const { return position_ < data_.size() ? data_.size() - position_ : 0; }

    // Moves the position; a position past the end is allowed (a later write fills the gap
    // with zero bytes, a later read fails).
    void seek(std::size_t position) { position_ = position; }
    void skip(std::size_t count) { position_ += count; }
    // Changes the size; the position is kept.
    void setSize(std::size_t size);
    void clear() { data_.clear(); position_ = 0; }

    // Reads exactly count bytes or raises StreamReadError without moving the position.
    void read(void* buffer, std::size_t count);
    std::uint8_t readByte();
    std::uint16_t readU16();
    std::uint32_t readU32();
    std::string readString(std::size_t count);

    // Writes at the position, growing the buffer as needed; raises StreamWriteError when the
    // buffer cannot grow.
    void write(const void* buffer, std::size_t count);
    void writeByte(std::uint8_t value) { write(&value, 1); }
    void writeU16(std::uint16_t value);
    void writeU32(std::uint32_t value);
    void writeString(const std::string& s) { write(s.data(), s.size()); }

private:
    Bytes data_;
    std::size_t position_ = 0;
};

}  // namespace tarn
