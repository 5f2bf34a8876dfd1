// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/text_tables.h"

#include <cstring>
#include <string>

#include "common/errors.h"

namespace tarn {

namespace {

unsigned checkedType(const ObjectFile& object) {
    const unsigned type = object.objectType();
    if (type >= kObjectTypeCount) {
        throw StreamReadError();
    }
    return type;
}

// Position just after the zero byte that ends the text starting at pos.
std::size_t endOfText(const std::uint8_t* data, std::size_t size, std::size_t pos) {
    const void* zero = std::memchr(data + pos, 0, size - pos);
    if (zero == nullptr) {
        throw StreamReadError(pos);
    }
    return static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - data) + 1;
}

// Reads one table of [data, data + size) from pos into group; answers the position after its
// end marker.
std::size_t readGroupAt(ObjectTextGroup& group, const std::uint8_t* data, std::size_t size,
                        std::size_t pos) {
    group.clear();
    while (true) {
        if (pos >= size) {
            throw StreamReadError(pos);
        }
        const std::uint8_t id = data[pos++];
        if (id == kTableEnd) {
            return pos;
        }
        ObjectText& entry = group.emplace_back();
        entry.id = id;
        if (pos >= size) {
            throw StreamReadError(pos);
        }
        const std::size_t end = endOfText(data, size, pos);
        entry.text.assign(reinterpret_cast<const char*>(data + pos), end - 1 - pos);
        pos = end;
    }
}

}  // namespace

void readTextGroup(ObjectTextGroup& group, MemoryStream& data) {
    // On failure the position stays where the table began, as a failed stream read leaves it.
    data.seek(readGroupAt(group, data.data().data(), data.size(), data.position()));
}

void readTextGroups(std::span<const std::uint8_t> decoded, ObjectFile& object) {
    const unsigned type = checkedType(object);
    std::size_t pos = TextTableStart[type];
    object.texts.resize(TextTableCount[type]);
    for (ObjectTextGroup& group : object.texts) {
        pos = readGroupAt(group, decoded.data(), decoded.size(), pos);
    }
}

Bytes writeTextGroups(const Bytes& oldData, const ObjectFile& object) {
    const unsigned type = checkedType(object);
    const std::size_t start = TextTableStart[type];
    if (oldData.size() < start) {
        throw StreamReadError(oldData.size());
    }
    // Skip as many old tables as the model has groups.
    std::size_t pos = start;
    for (std::size_t skipped = 0; skipped < object.texts.size();) {
        if (pos >= oldData.size()) {
            throw StreamReadError(pos);
        }
        if (oldData[pos] == kTableEnd) {
            ++pos;
            ++skipped;
        } else {
            if (pos + 1 >= oldData.size()) {
                throw StreamReadError(pos + 1);
            }
            pos = endOfText(oldData.data(), oldData.size(), pos + 1);
        }
    }

    std::size_t tablesSize = 0;
    for (const ObjectTextGroup& group : object.texts) {
        for (const ObjectText& entry : group) {
            if (entry.id == kTableEnd) {
                throw TextTableError(
                    "The language ID 255 marks the end of a text table and cannot be stored");
            }
            if (entry.text.find('\0') != std::string::npos) {
                throw TextTableError("The text with language ID " + std::to_string(entry.id) +
                                     " contains a zero byte and cannot be stored");
            }
            tablesSize += entry.text.size() + 2;
        }
        ++tablesSize;
    }
    Bytes out;
    out.reserve(start + tablesSize + (oldData.size() - pos));
    out.insert(out.end(), oldData.begin(), oldData.begin() + static_cast<std::ptrdiff_t>(start));
    for (const ObjectTextGroup& group : object.texts) {
        for (const ObjectText& entry : group) {
            out.push_back(entry.id);
            out.insert(out.end(), entry.text.begin(), entry.text.end());
            out.push_back(0);
        }
        out.push_back(kTableEnd);
    }
    out.insert(out.end(), oldData.begin() + static_cast<std::ptrdiff_t>(pos), oldData.end());
    return out;
}

}  // namespace tarn
