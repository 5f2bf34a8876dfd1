// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/rewritten_bytes.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <map>
#include <stdexcept>

namespace tarn {

namespace {

// The file as a row of pieces keyed by their offsets, covering it without gaps; a piece without
// data is zeros.
class PieceMap {
public:
    explicit PieceMap(std::uint64_t size) { lengthen(size); }

    // Lays data over the bytes at offset, lengthening them with zeros up to its end first.
    void lay(std::uint64_t offset, const std::uint8_t* data, std::uint64_t length) {
        lengthen(offset + length);
        if (length == 0) {
            return;
        }
        split(offset);
        split(offset + length);
        pieces_.erase(pieces_.lower_bound(offset), pieces_.lower_bound(offset + length));
        pieces_.emplace(offset, Piece{data, length});
    }

    void writeTo(const ByteWriter& write) const {
        static const std::array<char, 1024> zeros{};
        for (const auto& [offset, piece] : pieces_) {
            if (piece.data != nullptr) {
                write(std::string_view(reinterpret_cast<const char*>(piece.data),
                                       static_cast<std::size_t>(piece.length)));
                continue;
            }
            for (std::uint64_t left = piece.length; left != 0;) {
                const std::uint64_t n = std::min<std::uint64_t>(left, zeros.size());
                write(std::string_view(zeros.data(), static_cast<std::size_t>(n)));
                left -= n;
            }
        }
    }

private:
    struct Piece {
        const std::uint8_t* data = nullptr;
        std::uint64_t length = 0;
    };

    void lengthen(std::uint64_t size) {
        if (size > size_) {
            pieces_.emplace(size_, Piece{nullptr, size - size_});
            size_ = size;
        }
    }
    // Makes offset (at most the size) the start of a piece.
    void split(std::uint64_t offset) {
        if (offset == size_) {
            return;
        }
        auto at = std::prev(pieces_.upper_bound(offset));
        if (at->first == offset) {
            return;
        }
        Piece& first = at->second;
        const std::uint64_t head = offset - at->first;
        const Piece rest{first.data != nullptr ? first.data + head : nullptr, first.length - head};
        first.length = head;
        pieces_.emplace_hint(std::next(at), offset, rest);
    }

    std::map<std::uint64_t, Piece> pieces_;
    std::uint64_t size_ = 0;
};

}  // namespace

void writeRewrittenBytes(const Bytes& old, const FileRanges& ranges, const FileReshape* reshape,
                         const ByteWriter& write) {
    const std::uint64_t oldSize = old.size();
    const std::uint64_t size = reshape != nullptr ? reshape->size : oldSize;
    PieceMap pieces(size);
    pieces.lay(0, old.data(), std::min(oldSize, size));
    if (reshape != nullptr) {
        // Every move takes the old bytes, as they were before any of them.
        for (const FileMove& move : reshape->moves) {
            if (move.from > oldSize || move.length > oldSize - move.from) {
                throw std::invalid_argument("a block moved from past the end of the file");
            }
            pieces.lay(move.to, old.data() + move.from, move.length);
        }
    }
    for (const FileRange& range : ranges) {
        pieces.lay(range.offset, range.data.data(), range.data.size());
    }
    pieces.writeTo(write);
}

}  // namespace tarn
