// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/memory_stream.h"

#include <cstring>
#include <new>
#include <stdexcept>

#include "common/errors.h"

namespace tarn {

void MemoryStream::setSize(std::size_t size) {
    try {
        data_.resize(size);
    } catch (const std::bad_alloc&) {
        throw StreamWriteError();
    } catch (const std::length_error&) {
        throw StreamWriteError();
    }
}

void MemoryStream::read(void* buffer, std::size_t count) {
    if (count > remaining()) {
        throw StreamReadError(position_);
    }
    if (count > 0) {
        std::memcpy(buffer, data_.data() + position_, count);
    }
    position_ += count;
}

std::uint8_t MemoryStream::readByte() {
    if (position_ >= data_.size()) {
        throw StreamReadError(position_);
    }
    return data_[position_++];
}

std::uint16_t MemoryStream::readU16() {
    std::uint8_t b[2];
    read(b, 2);
    return readU16LE(b);
}

std::uint32_t MemoryStream::readU32() {
    std::uint8_t b[4];
    read(b, 4);
    return readU32LE(b);
}

std::string MemoryStream::readString(std::size_t count) {
    if (count > remaining()) {
        throw StreamReadError(position_);
    }
    std::string s(reinterpret_cast<const char*>(data_.data() + position_), count);
    position_ += count;
    return s;
}

void MemoryStream::write(const void* buffer, std::size_t count) {
    if (count == 0) {
        return;
    }
    if (position_ > data_.max_size() - count) {
        throw StreamWriteError();
    }
    const std::size_t end = position_ + count;
    if (end > data_.size()) {
        setSize(end);
    }
    std::memcpy(data_.data() + position_, buffer, count);
    position_ = end;
}

void MemoryStream::writeU16(std::uint16_t value) {
    std::uint8_t b[2];
    writeU16LE(b, value);
    write(b, 2);
}

void MemoryStream::writeU32(std::uint32_t value) {
    std::uint8_t b[4];
    writeU32LE(b, value);
    write(b, 4);
}

}  // namespace tarn
