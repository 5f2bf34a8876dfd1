// The in-memory model of an object file: its header fields and its text tables.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tarn {

// One text in one language. ID 255 ends a table on disk and is never an ID.
struct ObjText {
    std::uint8_t ID = 0;
    std::string Text;  // game bytes, never a zero byte, may be empty

    bool operator==(const ObjText&) const = default;
};

// The entries of one text table, in table order.
using ObjTextGroup = std::vector<ObjText>;

// One group per text table of the object, in the order the tables lie in the data.
using ObjFileTexts = std::vector<ObjTextGroup>;

// One object file. Name, Flags and Encoding come from the file header; FileName and Modified
// belong to whoever loaded the file.
struct ObjFile {
    std::string FileName;  // name and extension, no folder
    std::array<std::uint8_t, 8> Name{};
    std::uint32_t Flags = 0;  // Flags & 0x0F is the object type
    ObjFileTexts Texts;
    std::uint8_t Encoding = 0;
    bool Modified = false;

    unsigned objectType() const { return Flags & 0x0Fu; }
};

}  // namespace tarn
