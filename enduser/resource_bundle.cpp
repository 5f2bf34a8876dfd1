// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/resource_bundle.h"

#include <algorithm>
#include <cstring>

#include "common/partial_file.h"
#include "enduser/message_table.h"

namespace tarn {

namespace {

constexpr char kMagic[8] = {'T', 'A', 'R', 'N', 'R', 'S', 'C', '1'};
constexpr std::size_t kFooterSize = 24;
constexpr std::size_t kRecordSize = 16;

bool hasMagic(const std::uint8_t* file, std::size_t size) {
    return size >= kFooterSize && std::memcmp(file + size - 8, kMagic, 8) == 0;
}

std::string upperAscii(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 32);
        }
    }
    return s;
}

}  // namespace

ResourceName ResourceName::string(const std::string& text) {
    return {0, upperAscii(text)};
}

std::size_t ResourceBundle::executableSize(const std::uint8_t* file, std::size_t size) {
    if (!hasMagic(file, size)) {
        return size;
    }
    const std::uint32_t bundleSize = readU32LE(file + size - 12);
    if (bundleSize < kFooterSize || bundleSize > size) {
        throw ResourceBundleError("its size points outside the file");
    }
    return size - bundleSize;
}

ResourceBundle ResourceBundle::read(const std::filesystem::path& path) {
    PartialFile file(path);
    const std::uint64_t size = file.size();
    std::uint8_t footer[kFooterSize] = {};
    if (size < kFooterSize ||
        file.readInto(size - kFooterSize, footer, kFooterSize) != kFooterSize ||
        !hasMagic(footer, kFooterSize)) {
        return {};
    }
    // The bundle alone, or the whole file when the bundle claims more: parse refuses that.
    const std::uint64_t tail = std::min<std::uint64_t>(readU32LE(footer + 12), size);
    Bytes bundle(static_cast<std::size_t>(std::max<std::uint64_t>(tail, kFooterSize)));
    const std::uint64_t from = size - bundle.size();
    if (file.readInto(from, bundle.data(), bundle.size()) != bundle.size()) {
        throw ResourceBundleError("its size points outside the file");
    }
    return parse(bundle);
}

ResourceBundle ResourceBundle::parse(const std::uint8_t* file, std::size_t size) {
    ResourceBundle bundle;
    if (!hasMagic(file, size)) {
        return bundle;
    }
    const std::size_t start = executableSize(file, size);
    const std::uint8_t* base = file + start;
    const std::size_t bundleSize = size - start;
    const std::uint8_t* footer = file + size - kFooterSize;
    const std::size_t directoryOffset = readU32LE(footer);
    const std::size_t directorySize = readU32LE(footer + 4);
    const std::size_t count = readU32LE(footer + 8);
    const std::size_t contentSize = bundleSize - kFooterSize;
    if (directoryOffset > contentSize || directorySize != contentSize - directoryOffset) {
        throw ResourceBundleError("its directory lies outside it");
    }
    if (count > directorySize / kRecordSize) {
        throw ResourceBundleError("its entry count does not fit its directory");
    }
    std::size_t pos = directoryOffset;
    const std::size_t directoryEnd = contentSize;
    for (std::size_t i = 0; i < count; ++i) {
        if (directoryEnd - pos < kRecordSize) {
            throw ResourceBundleError("its directory ends early");
        }
        const std::uint8_t* r = base + pos;
        Resource resource;
        resource.key.type = readU16LE(r);
        resource.key.language = readU16LE(r + 2);
        const std::uint8_t kind = r[4];
        const std::size_t nameLength = r[5];
        resource.key.name.id = readU16LE(r + 6);
        const std::size_t dataOffset = readU32LE(r + 8);
        const std::size_t dataSize = readU32LE(r + 12);
        pos += kRecordSize;
        if (kind > 1 || (kind == 1) != (nameLength > 0)) {
            throw ResourceBundleError("an entry has a malformed name");
        }
        if (directoryEnd - pos < nameLength) {
            throw ResourceBundleError("its directory ends early");
        }
        resource.key.name.text.assign(reinterpret_cast<const char*>(base + pos), nameLength);
        pos += nameLength;
        if (dataOffset > directoryOffset || dataSize > directoryOffset - dataOffset) {
            throw ResourceBundleError("an entry's data lies outside it");
        }
        resource.data.assign(base + dataOffset, base + dataOffset + dataSize);
        bundle.resources_.push_back(std::move(resource));
    }
    if (pos != directoryEnd) {
        throw ResourceBundleError("its directory has stray bytes");
    }
    return bundle;
}

const Bytes* ResourceBundle::find(const ResourceKey& key) const {
    ResourceKey wanted = key;
    wanted.name.text = upperAscii(wanted.name.text);
    for (const Resource& r : resources_) {
        if (r.key == wanted) {
            return &r.data;
        }
    }
    return nullptr;
}

void ResourceBundle::put(ResourceKey key, Bytes data) {
    key.name.text = upperAscii(key.name.text);
    if (key.name.text.size() > 255) {
        throw std::invalid_argument("resource names are at most 255 bytes");
    }
    if (key.name.isString()) {
        key.name.id = 0;
    }
    for (Resource& r : resources_) {
        if (r.key == key) {
            r.data = std::move(data);
            return;
        }
    }
    resources_.push_back({std::move(key), std::move(data)});
}

Bytes ResourceBundle::serialise() const {
    Bytes out;
    std::vector<std::size_t> offsets;
    for (const Resource& r : resources_) {
        offsets.push_back(out.size());
        out.insert(out.end(), r.data.begin(), r.data.end());
    }
    const std::size_t directoryOffset = out.size();
    for (std::size_t i = 0; i < resources_.size(); ++i) {
        const Resource& r = resources_[i];
        std::uint8_t record[kRecordSize];
        writeU16LE(record, r.key.type);
        writeU16LE(record + 2, r.key.language);
        record[4] = r.key.name.isString() ? 1 : 0;
        record[5] = static_cast<std::uint8_t>(r.key.name.text.size());
        writeU16LE(record + 6, r.key.name.id);
        writeU32LE(record + 8, static_cast<std::uint32_t>(offsets[i]));
        writeU32LE(record + 12, static_cast<std::uint32_t>(r.data.size()));
        out.insert(out.end(), record, record + kRecordSize);
        out.insert(out.end(), r.key.name.text.begin(), r.key.name.text.end());
    }
    const std::size_t directorySize = out.size() - directoryOffset;
    std::uint8_t footer[kFooterSize];
    writeU32LE(footer, static_cast<std::uint32_t>(directoryOffset));
    writeU32LE(footer + 4, static_cast<std::uint32_t>(directorySize));
    writeU32LE(footer + 8, static_cast<std::uint32_t>(resources_.size()));
    writeU32LE(footer + 12, static_cast<std::uint32_t>(out.size() + kFooterSize));
    std::memcpy(footer + 16, kMagic, 8);
    out.insert(out.end(), footer, footer + kFooterSize);
    if (out.size() > 0xFFFFFFFFu) {
        throw std::length_error("resources larger than 4 GiB cannot be attached");
    }
    return out;
}

Bytes addResources(const Bytes& executable, const std::vector<Resource>& additions) {
    ResourceBundle bundle = ResourceBundle::parse(executable);
    for (const Resource& r : additions) {
        bundle.put(r.key, r.data);
    }
    const std::size_t own = ResourceBundle::executableSize(executable.data(), executable.size());
    Bytes out(executable.begin(), executable.begin() + static_cast<std::ptrdiff_t>(own));
    const Bytes tail = bundle.serialise();
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

std::u16string loadString(const ResourceBundle& bundle, unsigned id) {
    const auto blockName = static_cast<std::uint16_t>((id >> 4) + 1);
    const Bytes* block = bundle.find({kStringTableType, ResourceName::number(blockName), 0});
    if (block == nullptr) {
        for (const Resource& r : bundle.resources()) {
            if (r.key.type == kStringTableType && r.key.name == ResourceName::number(blockName)) {
                block = &r.data;
                break;
            }
        }
    }
    return block ? stringFromBlock(*block, id & 15) : std::u16string();
}

}  // namespace tarn
