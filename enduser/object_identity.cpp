// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/object_identity.h"

#include "common/errors.h"
#include "common/memory_stream.h"

namespace tarn {

namespace {

constexpr std::uint8_t kFormat = 1;

std::string shownName(const std::array<std::uint8_t, 8>& name) {
    std::string text;
    for (const std::uint8_t c : name) {
        if (c == 0) {
            break;
        }
        text += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    }
    return "\"" + text + "\"";
}

}  // namespace

std::uint32_t crc32(const Bytes& data) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t byte : data) {
        crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

Bytes writeObjectIdentities(const std::vector<ObjFile>& files, const Bytes& objTexts) {
    MemoryStream out;
    out.writeByte(kFormat);
    out.writeU32(crc32(objTexts));
    out.writeU32(static_cast<std::uint32_t>(files.size()));
    for (const ObjFile& file : files) {
        out.writeByte(static_cast<std::uint8_t>(file.fileName.size()));
        out.writeString(file.fileName);
        out.write(file.name.data(), file.name.size());
        out.writeByte(static_cast<std::uint8_t>(file.objectType()));
        out.writeByte(static_cast<std::uint8_t>(file.texts.size()));
    }
    out.writeU32(crc32(out.data()));
    return out.release();
}

std::map<std::string, ObjectIdentity> readObjectIdentities(const Bytes& data,
                                                           const Bytes& objTexts) {
    if (data.size() < 4 ||
        crc32(Bytes(data.begin(), data.end() - 4)) != readU32LE(data.data() + data.size() - 4)) {
        throw CarriedDataError("The object identities do not match their checksum");
    }
    std::map<std::string, ObjectIdentity> identities;
    try {
        MemoryStream in(Bytes(data.begin(), data.end() - 4));
        if (in.readByte() != kFormat) {
            throw CarriedDataError("The object identities have an unknown format");
        }
        if (in.readU32() != crc32(objTexts)) {
            throw CarriedDataError("The attached texts do not match their checksum");
        }
        const std::uint32_t count = in.readU32();
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::string fileName = in.readString(in.readByte());
            ObjectIdentity identity;
            in.read(identity.name.data(), identity.name.size());
            identity.type = in.readByte();
            identity.groups = in.readByte();
            identities[fileName] = identity;
        }
        if (in.position() != in.size()) {
            throw CarriedDataError("The object identities are followed by other data");
        }
    } catch (const StreamReadError&) {
        throw CarriedDataError("The object identities end early");
    }
    return identities;
}

std::string identityDifference(const ObjectIdentity& expected, const ObjFile& found) {
    std::string text;
    auto add = [&text](const std::string& part) { text += (text.empty() ? "" : ", ") + part; };
    if (found.name != expected.name) {
        add("object name " + shownName(found.name) + " instead of " + shownName(expected.name));
    }
    if (found.objectType() != expected.type) {
        add("object type " + std::to_string(found.objectType()) + " instead of " +
            std::to_string(expected.type));
    }
    if (found.texts.size() != expected.groups) {
        add(std::to_string(found.texts.size()) + " text groups instead of " +
            std::to_string(expected.groups));
    }
    return text;
}

}  // namespace tarn
