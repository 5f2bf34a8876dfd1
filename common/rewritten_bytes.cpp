// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/rewritten_bytes.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string_view>

#include "common/errors.h"
#include "common/utf8_path.h"

namespace tarn {

namespace {

// The file as a row of pieces keyed by their offsets, covering it without gaps. A piece is
// bytes in memory, bytes of the old file at an offset, or zeros.
class PieceMap {
public:
    struct Piece {
        enum From { Zeros, Memory, Old } from = Zeros;
        const std::uint8_t* data = nullptr;
        std::uint64_t oldOffset = 0;
        std::uint64_t length = 0;

        Piece tail(std::uint64_t head) const {
            return Piece{from, data != nullptr ? data + head : nullptr,
                         from == Old ? oldOffset + head : 0, length - head};
        }
    };
    // Hands over length bytes of the old file from offset, in one piece or several.
    using OldReader =
        std::function<void(std::uint64_t offset, std::uint64_t length, const ByteWriter& write)>;

    explicit PieceMap(std::uint64_t size) { lengthen(size); }

    // Lays data over the bytes at offset, lengthening them with zeros up to its end first.
    void lay(std::uint64_t offset, const std::uint8_t* data, std::uint64_t length) {
        lay(offset, Piece{Piece::Memory, data, 0, length});
    }
    // Lays the old file's bytes from oldOffset over the bytes at offset.
    void layOld(std::uint64_t offset, std::uint64_t oldOffset, std::uint64_t length) {
        lay(offset, Piece{Piece::Old, nullptr, oldOffset, length});
    }

    void writeTo(const OldReader& readOld, const ByteWriter& write) const {
        static const std::array<char, 1024> zeros{};
        for (const auto& [offset, piece] : pieces_) {
            switch (piece.from) {
                case Piece::Memory:
                    write(std::string_view(reinterpret_cast<const char*>(piece.data),
                                           static_cast<std::size_t>(piece.length)));
                    break;
                case Piece::Old:
                    readOld(piece.oldOffset, piece.length, write);
                    break;
                case Piece::Zeros:
                    for (std::uint64_t left = piece.length; left != 0;) {
                        const std::uint64_t n = std::min<std::uint64_t>(left, zeros.size());
                        write(std::string_view(zeros.data(), static_cast<std::size_t>(n)));
                        left -= n;
                    }
                    break;
            }
        }
    }

    std::uint64_t size() const { return size_; }
    const std::map<std::uint64_t, Piece>& pieces() const { return pieces_; }

private:
    void lay(std::uint64_t offset, const Piece& piece) {
        lengthen(offset + piece.length);
        if (piece.length == 0) {
            return;
        }
        split(offset);
        split(offset + piece.length);
        pieces_.erase(pieces_.lower_bound(offset), pieces_.lower_bound(offset + piece.length));
        pieces_.emplace(offset, piece);
    }
    void lengthen(std::uint64_t size) {
        if (size > size_) {
            pieces_.emplace(size_, Piece{Piece::Zeros, nullptr, 0, size - size_});
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
        const Piece rest = first.tail(head);
        first.length = head;
        pieces_.emplace_hint(std::next(at), offset, rest);
    }

    std::map<std::uint64_t, Piece> pieces_;
    std::uint64_t size_ = 0;
};

// Hands over length bytes of file from offset through buffer, reused for every piece: fresh
// memory of a large file's size costs more to fault in than the reading itself.
void readPieces(PartialFile& file, std::uint64_t offset, std::uint64_t length, Bytes& buffer,
                const ByteWriter& write) {
    if (buffer.empty()) {
        // Never empty: a file cut to nothing must end the loop below, not spin in it.
        buffer.resize(static_cast<std::size_t>(
            std::clamp<std::uint64_t>(std::max(file.size(), length), 1, 1u << 20)));
    }
    while (length != 0) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(length, buffer.size()));
        if (file.readInto(offset, buffer.data(), want) != want) {
            throw FileError("Cannot read file \"" + pathToUtf8(file.path()) +
                            "\". It is shorter than when it was opened");
        }
        write(std::string_view(reinterpret_cast<const char*>(buffer.data()), want));
        offset += want;
        length -= want;
    }
}

// The old bytes as they were, moved as reshape says, with the ranges laid over them.
PieceMap rewrittenPieces(std::uint64_t oldSize, const FileRanges& ranges,
                         const FileReshape* reshape) {
    const std::uint64_t size = reshape != nullptr ? reshape->size : oldSize;
    PieceMap pieces(size);
    pieces.layOld(0, 0, std::min(oldSize, size));
    if (reshape != nullptr) {
        // Every move takes the old bytes, as they were before any of them.
        for (const FileMove& move : reshape->moves) {
            if (move.from > oldSize || move.length > oldSize - move.from) {
                throw std::invalid_argument("a block moved from past the end of the file");
            }
            pieces.layOld(move.to, move.from, move.length);
        }
    }
    for (const FileRange& range : ranges) {
        pieces.lay(range.offset, range.data.data(), range.data.size());
    }
    return pieces;
}

void writeRewritten(std::uint64_t oldSize, const FileRanges& ranges, const FileReshape* reshape,
                    const PieceMap::OldReader& readOld, const ByteWriter& write) {
    rewrittenPieces(oldSize, ranges, reshape).writeTo(readOld, write);
}

}  // namespace

void writeRewrittenBytes(const Bytes& old, const FileRanges& ranges, const FileReshape* reshape,
                         const ByteWriter& write) {
    const auto readOld = [&old](std::uint64_t offset, std::uint64_t length, const ByteWriter& to) {
        to(std::string_view(reinterpret_cast<const char*>(old.data()) + offset,
                            static_cast<std::size_t>(length)));
    };
    writeRewritten(old.size(), ranges, reshape, readOld, write);
}

void writeRewrittenBytes(PartialFile& old, const FileRanges& ranges, const FileReshape* reshape,
                         const ByteWriter& write) {
    Bytes buffer;
    const auto readOld = [&](std::uint64_t offset, std::uint64_t length, const ByteWriter& to) {
        readPieces(old, offset, length, buffer, to);
    };
    writeRewritten(old.size(), ranges, reshape, readOld, write);
}

OverwrittenBytes keepOverwrittenBytes(PartialFile& old, const FileRanges& ranges,
                                      const FileReshape* reshape) {
    const std::uint64_t oldSize = old.size();
    OverwrittenBytes overwritten;
    Bytes buffer;
    std::uint64_t at = 0;  // the old file is covered up to here
    const auto keepUpTo = [&](std::uint64_t end) {
        if (end > at) {
            OverwrittenBytes::Part part{at, end - at, true, {}};
            part.bytes.reserve(static_cast<std::size_t>(part.length));
            readPieces(old, at, part.length, buffer, [&part](std::string_view piece) {
                part.bytes.insert(part.bytes.end(), piece.begin(), piece.end());
            });
            overwritten.parts.push_back(std::move(part));
            at = end;
        }
    };
    const PieceMap map = rewrittenPieces(oldSize, ranges, reshape);
    for (const auto& [offset, piece] : map.pieces()) {
        // Old bytes left where they were: the new file holds them.
        if (piece.from == PieceMap::Piece::Old && piece.oldOffset == offset) {
            keepUpTo(offset);
            overwritten.parts.push_back({offset, piece.length, false, {}});
            at = offset + piece.length;
        }
    }
    keepUpTo(oldSize);
    return overwritten;
}

void writeOldBytes(PartialFile& rewritten, const OverwrittenBytes& overwritten,
                   const ByteWriter& write) {
    Bytes buffer;
    for (const OverwrittenBytes::Part& part : overwritten.parts) {
        if (part.kept) {
            write(std::string_view(reinterpret_cast<const char*>(part.bytes.data()),
                                   part.bytes.size()));
            continue;
        }
        readPieces(rewritten, part.offset, part.length, buffer, write);
    }
}

bool fileHoldsWrittenParts(PartialFile& file, std::uint64_t oldSize, const FileRanges& ranges,
                           const FileReshape* reshape) {
    const PieceMap map = rewrittenPieces(oldSize, ranges, reshape);
    if (file.size() != map.size()) {
        return false;
    }
    Bytes read;
    for (const auto& [offset, piece] : map.pieces()) {
        if (piece.from == PieceMap::Piece::Old) {
            continue;
        }
        read.resize(static_cast<std::size_t>(piece.length));
        try {
            if (file.readInto(offset, read.data(), read.size()) != read.size()) {
                return false;
            }
        } catch (const FileError&) {
            return false;
        }
        const bool same =
            piece.from == PieceMap::Piece::Memory
                ? std::equal(read.begin(), read.end(), piece.data)
                : std::all_of(read.begin(), read.end(), [](std::uint8_t b) { return b == 0; });
        if (!same) {
            return false;
        }
    }
    return true;
}

}  // namespace tarn
