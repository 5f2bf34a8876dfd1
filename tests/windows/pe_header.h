// SPDX-License-Identifier: GPL-3.0-or-later
// The few fields of a Windows executable's headers that tell what it runs on.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/bytes.h"

namespace tarn {

struct PeHeader {
    std::uint16_t machine = 0;         // 0x14C i386, 0x8664 x86-64
    std::uint16_t magic = 0;           // 0x10B PE32, 0x20B PE32+
    std::uint16_t subsystem = 0;       // 2 GUI, 3 console
    std::vector<std::string> imports;  // names of the DLLs the import table names
};

// nullopt when file is not a PE executable (or its headers lie outside it).
inline std::optional<PeHeader> readPeHeader(const Bytes& file) {
    if (file.size() < 0x40 || file[0] != 'M' || file[1] != 'Z') {
        return std::nullopt;
    }
    const std::size_t pe = readU32LE(file.data() + 0x3C);
    // Signature, file header (20 bytes), then the optional header up to its subsystem field.
    if (pe > file.size() || file.size() - pe < 4 + 20 + 70) {
        return std::nullopt;
    }
    if (file[pe] != 'P' || file[pe + 1] != 'E' || file[pe + 2] != 0 || file[pe + 3] != 0) {
        return std::nullopt;
    }
    PeHeader h;
    h.machine = readU16LE(file.data() + pe + 4);
    h.magic = readU16LE(file.data() + pe + 24);
    h.subsystem = readU16LE(file.data() + pe + 24 + 68);

    // The import directory (data directory 1) and the section table that maps its addresses
    // to file offsets.
    const std::size_t optional = pe + 24;
    const std::size_t directories = optional + (h.magic == 0x20B ? 112 : 96);
    const std::size_t sections = optional + readU16LE(file.data() + pe + 20);
    const std::size_t sectionCount = readU16LE(file.data() + pe + 6);
    if (directories + 16 > file.size() || sections + sectionCount * 40 > file.size()) {
        return std::nullopt;
    }
    const auto offsetOf = [&](std::uint32_t rva) -> std::optional<std::size_t> {
        for (std::size_t i = 0; i < sectionCount; ++i) {
            const std::uint8_t* section = file.data() + sections + i * 40;
            const std::uint32_t start = readU32LE(section + 12);
            const std::uint32_t size = readU32LE(section + 16);
            if (rva >= start && rva - start < size) {
                const std::size_t offset = readU32LE(section + 20) + (rva - start);
                if (offset < file.size()) {
                    return offset;
                }
            }
        }
        return std::nullopt;
    };
    const std::uint32_t importRva = readU32LE(file.data() + directories + 8);
    if (importRva == 0) {
        return h;
    }
    auto descriptor = offsetOf(importRva);
    for (; descriptor && *descriptor + 20 <= file.size(); *descriptor += 20) {
        const std::uint32_t nameRva = readU32LE(file.data() + *descriptor + 12);
        if (nameRva == 0) {
            return h;
        }
        const auto name = offsetOf(nameRva);
        if (!name) {
            return std::nullopt;
        }
        std::string dll;
        for (std::size_t i = *name; i < file.size() && file[i] != 0; ++i) {
            dll.push_back(static_cast<char>(file[i]));
        }
        h.imports.push_back(dll);
    }
    return std::nullopt;
}

}  // namespace tarn
