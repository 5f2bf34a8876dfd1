// SPDX-License-Identifier: GPL-3.0-or-later
// Resources appended to an executable, readable on every system and for every executable
// format: the end-user program finds its message table and its texts in its own file.
//
// Layout (all integers little-endian), after the executable's own bytes:
//
//   bundle start
//   data of each entry, back to back
//   directory: one record per entry
//     u16  type          resource type (6 string table, 10 raw data, ...)
//     u16  language      language ID (0 neutral)
//     u8   name kind     0: integer name, 1: string name
//     u8   name length   bytes of a string name (0 for an integer name)
//     u16  name ID       integer name (0 for a string name)
//     u32  data offset   from the bundle start
//     u32  data size
//     name bytes         string names, upper-cased ASCII as Windows keeps them
//   footer (24 bytes, the last bytes of the file)
//     u32  directory offset   from the bundle start
//     u32  directory size
//     u32  entry count
//     u32  bundle size        from the bundle start to the end of the file, footer included
//     8    magic "TARNRSC1"
//
// A file without the magic at its end has no bundle. A footer or directory that points
// outside the file or outside the bundle is refused with ResourceBundleError.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/bytes.h"

namespace tarn {

class ResourceBundleError : public std::runtime_error {
public:
    explicit ResourceBundleError(const std::string& what)
        : std::runtime_error("The resources attached to the executable are damaged: " + what) {}
};

// A resource name: an integer ID or a string (compared case-insensitively, kept upper-cased).
struct ResourceName {
    std::uint16_t id = 0;
    std::string text;  // non-empty for a string name

    static ResourceName number(std::uint16_t id) { return {id, {}}; }
    static ResourceName string(const std::string& text);
    bool isString() const { return !text.empty(); }
    bool operator==(const ResourceName&) const = default;
};

struct ResourceKey {
    std::uint16_t type = 0;
    ResourceName name;
    std::uint16_t language = 0;
    bool operator==(const ResourceKey&) const = default;
};

struct Resource {
    ResourceKey key;
    Bytes data;
};

class ResourceBundle {
public:
    // Reads the bundle at the end of a file (empty when there is none). Raises
    // ResourceBundleError for a damaged one; never reads outside [file, file + size).
    static ResourceBundle parse(const std::uint8_t* file, std::size_t size);
    static ResourceBundle parse(const Bytes& file) { return parse(file.data(), file.size()); }
    // The same for the file at path, of which only the bundle is read: a program reading its
    // own resources at every start need not read itself whole. Raises FileError as well.
    static ResourceBundle read(const std::filesystem::path& path);

    // The number of bytes of the file before its bundle (the whole size without one).
    static std::size_t executableSize(const std::uint8_t* file, std::size_t size);

    const std::vector<Resource>& resources() const { return resources_; }
    const Bytes* find(const ResourceKey& key) const;
    // Adds a resource, replacing one with the same key.
    void put(ResourceKey key, Bytes data);

    // The bundle's bytes, ready to be appended to an executable.
    Bytes serialise() const;

private:
    std::vector<Resource> resources_;
};

// A copy of executable (any bundle it has is taken over) with the given resources added or
// replaced, the others kept.
Bytes addResources(const Bytes& executable, const std::vector<Resource>& additions);

// Like the Windows string loader: string id of the string-table blocks of bundle (language
// neutral first), empty for a missing block or entry.
std::u16string loadString(const ResourceBundle& bundle, unsigned id);

}  // namespace tarn
