// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/exe_texts_resource.h"

#include <algorithm>

#include "common/errors.h"
#include "common/memory_stream.h"
#include "enduser/object_identity.h"

namespace tarn {

namespace {

constexpr std::uint8_t kFormat = 1;
constexpr std::uint8_t kMayGrow = 1;
constexpr int kLastTextNumber = 0xFFFF;

}  // namespace

CarriedExeTexts differingExeTexts(const std::vector<std::string>& original,
                                  const std::vector<std::string>& translated,
                                  const std::vector<int>& notFound) {
    CarriedExeTexts carried;
    const std::size_t count =
        std::min({original.size(), translated.size(), std::size_t{kLastTextNumber}});
    for (std::size_t i = 0; i < count; ++i) {
        const int number = static_cast<int>(i) + 1;
        if (original[i] == translated[i] ||
            std::binary_search(notFound.begin(), notFound.end(), number)) {
            continue;
        }
        carried.texts.push_back({number, sha256(original[i]), translated[i]});
    }
    return carried;
}

Bytes writeCarriedExeTexts(const CarriedExeTexts& texts, const Bytes& objTexts) {
    MemoryStream out;
    out.writeByte(kFormat);
    out.writeU32(crc32(objTexts));
    out.writeByte(texts.primaryLangId);
    out.writeByte(texts.secondaryLangId);
    out.writeByte(texts.mayGrow ? kMayGrow : 0);
    out.writeU32(static_cast<std::uint32_t>(texts.texts.size()));
    for (const CarriedExeText& text : texts.texts) {
        out.writeU16(static_cast<std::uint16_t>(text.number));
        out.write(text.original.data(), text.original.size());
        out.writeU32(static_cast<std::uint32_t>(text.translated.size()));
        out.writeString(text.translated);
    }
    out.writeU32(crc32(out.data()));
    return out.release();
}

CarriedExeTexts readCarriedExeTexts(const Bytes& data, const Bytes& objTexts) {
    if (data.size() < 4 ||
        crc32(Bytes(data.begin(), data.end() - 4)) != readU32LE(data.data() + data.size() - 4)) {
        throw CarriedDataError("The executable's texts do not match their checksum");
    }
    CarriedExeTexts texts;
    try {
        MemoryStream in(Bytes(data.begin(), data.end() - 4));
        if (in.readByte() != kFormat) {
            throw CarriedDataError("The executable's texts have an unknown format");
        }
        if (in.readU32() != crc32(objTexts)) {
            throw CarriedDataError("The attached texts do not match their checksum");
        }
        texts.primaryLangId = in.readByte();
        texts.secondaryLangId = in.readByte();
        texts.mayGrow = (in.readByte() & kMayGrow) != 0;
        const std::uint32_t count = in.readU32();
        int last = 0;
        for (std::uint32_t i = 0; i < count; ++i) {
            CarriedExeText text;
            text.number = in.readU16();
            // Numbers ascend: a text carried twice could be written over itself.
            if (text.number <= last) {
                throw CarriedDataError("The executable's texts are out of order");
            }
            last = text.number;
            in.read(text.original.data(), text.original.size());
            const std::uint32_t length = in.readU32();
            if (length > in.remaining()) {
                throw CarriedDataError("The executable's texts end early");
            }
            text.translated = in.readString(length);
            texts.texts.push_back(std::move(text));
        }
        if (in.position() != in.size()) {
            throw CarriedDataError("The executable's texts are followed by other data");
        }
    } catch (const StreamReadError&) {
        throw CarriedDataError("The executable's texts end early");
    }
    return texts;
}

}  // namespace tarn
