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

Bytes writeObjectIdentities(const std::vector<ObjectFile>& files, const Bytes& objectTexts) {
    return writeCarriedRecord(kFormat, objectTexts, [&files](MemoryStream& out) {
        out.writeU32(static_cast<std::uint32_t>(files.size()));
        for (const ObjectFile& file : files) {
            out.writeByte(static_cast<std::uint8_t>(file.fileName.size()));
            out.writeString(file.fileName);
            out.write(file.name.data(), file.name.size());
            out.writeByte(static_cast<std::uint8_t>(file.objectType()));
            out.writeByte(static_cast<std::uint8_t>(file.texts.size()));
        }
    });
}

std::map<std::string, ObjectIdentity> readObjectIdentities(const Bytes& data,
                                                           const Bytes& objectTexts) {
    std::map<std::string, ObjectIdentity> identities;
    readCarriedRecord(data, kFormat, objectTexts, "The object identities", [&](MemoryStream& in) {
        const std::uint32_t count = in.readU32();
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::string fileName = in.readString(in.readByte());
            ObjectIdentity identity;
            in.read(identity.name.data(), identity.name.size());
            identity.type = in.readByte();
            identity.groups = in.readByte();
            identities[fileName] = identity;
        }
    });
    return identities;
}

std::string identityDifference(const ObjectIdentity& expected, const ObjectFile& found) {
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
