// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/object_texts.h"

#include "common/errors.h"
#include "objfiles/text_tables.h"

namespace tarn {

namespace {

void checkLimits(const ObjectFile& file) {
    if (file.fileName.size() > 255) {
        throw ObjectTextsLimitError("The file name \"" + file.fileName +
                                 "\" is longer than 255 bytes and cannot be stored");
    }
    if (file.texts.size() > 255) {
        throw ObjectTextsLimitError("The file \"" + file.fileName + "\" has " +
                                 std::to_string(file.texts.size()) +
                                 " text groups; at most 255 can be stored");
    }
    for (const ObjectTextGroup& group : file.texts) {
        for (const ObjectText& entry : group) {
            if (entry.id == kTableEnd) {
                throw ObjectTextsLimitError("The file \"" + file.fileName +
                                         "\" has a text with the language ID 255");
            }
            if (entry.text.size() > 0xFFFFFFFFu) {
                throw ObjectTextsLimitError("A text of \"" + file.fileName + "\" is too long");
            }
        }
    }
}

}  // namespace

Bytes writeObjectTexts(const std::vector<ObjectFile>& files, const ObjectTextsOptions& options) {
    for (const ObjectFile& file : files) {
        checkLimits(file);
    }
    MemoryStream out;
    out.seek(4);
    out.writeByte(options.enhancedRle ? 1 : 0);
    std::uint32_t count = 0;
    for (const ObjectFile& file : files) {
        const std::size_t recordStart = out.position();
        bool selectedAny = false;
        out.writeByte(static_cast<std::uint8_t>(file.fileName.size()));
        out.writeString(file.fileName);
        out.writeByte(static_cast<std::uint8_t>(file.texts.size()));
        for (const ObjectTextGroup& group : file.texts) {
            for (const ObjectText& entry : group) {
                if (options.onlyId && entry.id != *options.onlyId) {
                    continue;
                }
                selectedAny = true;
                out.writeByte(entry.id);
                out.writeU32(static_cast<std::uint32_t>(entry.text.size()));
                out.writeString(entry.text);
            }
            out.writeByte(kTableEnd);
        }
        if (selectedAny) {
            ++count;
        } else {
            out.seek(recordStart);  // the record is dropped; the next one overwrites it
        }
    }
    out.setSize(out.position());
    out.seek(0);
    out.writeU32(count);
    return out.release();
}

void ObjectTextsReader::readHeader() {
    fileCount_ = stream_.readU32();
    enhancedRle_ = stream_.readByte() != 0;
}

std::string ObjectTextsReader::readFileName() {
    const std::uint8_t length = stream_.readByte();
    return stream_.readString(length);
}

void applyNewTexts(MemoryStream& data, ObjectFileTexts& texts) {
    std::size_t groupsLeft = data.readByte();
    std::size_t groupIndex = 0;
    while (groupsLeft > 0) {
        const std::uint8_t id = data.readByte();
        if (id == kTableEnd) {
            --groupsLeft;
            ++groupIndex;
            continue;
        }
        const std::uint32_t length = data.readU32();
        std::string text = data.readString(length);
        if (groupIndex >= texts.size()) {
            continue;
        }
        ObjectTextGroup& group = texts[groupIndex];
        ObjectText* target = nullptr;
        for (ObjectText& entry : group) {
            if (entry.id == id) {
                target = &entry;
                break;
            }
        }
        if (target == nullptr) {
            target = &group.emplace_back();
            target->id = id;
        }
        target->text = std::move(text);
    }
}

}  // namespace tarn
