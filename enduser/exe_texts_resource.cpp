// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/exe_texts_resource.h"

#include <algorithm>

#include "common/memory_stream.h"
#include "enduser/carried_record.h"

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

Bytes writeCarriedExeTexts(const CarriedExeTexts& texts, const Bytes& objectTexts) {
    return writeCarriedRecord(kFormat, objectTexts, [&texts](MemoryStream& out) {
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
    });
}

CarriedExeTexts readCarriedExeTexts(const Bytes& data, const Bytes& objectTexts) {
    CarriedExeTexts texts;
    readCarriedRecord(data, kFormat, objectTexts, "The executable's texts", [&](MemoryStream& in) {
        texts.primaryLangId = in.readByte();
        texts.secondaryLangId = in.readByte();
        texts.mayGrow = (in.readByte() & kMayGrow) != 0;
        const std::uint32_t count = in.readU32();
        // Each text takes at least its number, digest and length: a count the data cannot
        // hold reserves no more than the data could.
        constexpr std::size_t kSmallestText = 2 + sizeof(Sha256Digest) + 4;
        texts.texts.reserve(std::min<std::size_t>(count, in.remaining() / kSmallestText));
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
    });
    return texts;
}

}  // namespace tarn
