// SPDX-License-Identifier: GPL-3.0-or-later
// The in-memory model of an object file: its header fields and its text tables.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarn {

// One text in one language. ID 255 ends a table on disk and is never an ID.
struct ObjectText {
    std::uint8_t id = 0;
    std::string text;  // game bytes, never a zero byte, may be empty

    bool operator==(const ObjectText&) const = default;
};

// The entries of one text table, in table order.
using ObjectTextGroup = std::vector<ObjectText>;

// One group per text table of the object, in the order the tables lie in the data.
using ObjectFileTexts = std::vector<ObjectTextGroup>;

// A checksum stored in an object file that is not the one its data gives: the file was changed
// by a program that did not compute it again, or damaged.
struct WrongChecksum {
    std::uint32_t stored = 0;
    std::uint32_t computed = 0;

    bool operator==(const WrongChecksum&) const = default;
};

// One object file. name, flags and encoding come from the file header; fileName and modified
// belong to whoever loaded the file.
struct ObjectFile {
    std::string fileName;  // name and extension, no folder
    std::array<std::uint8_t, 8> name{};
    std::uint32_t flags = 0;  // flags & 0x0F is the object type
    ObjectFileTexts texts;
    std::uint8_t encoding = 0;
    bool modified = false;
    // Set when the file as last read stored a wrong checksum; writing it stores the right one.
    std::optional<WrongChecksum> wrongChecksum;

    unsigned objectType() const { return flags & 0x0Fu; }
};

}  // namespace tarn
