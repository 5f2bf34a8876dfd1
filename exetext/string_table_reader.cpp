// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/string_table_reader.h"

#include <algorithm>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/utf8_path.h"
#include "exetext/executable_texts.h"
#include "textcodes/code_table.h"
#include "textcodes/cstyle.h"

namespace tarn {

std::string readRawText(ByteSource& file, std::uint64_t position) {
    std::string text;
    std::uint64_t i = position;
    for (;;) {
        // Copy the plain bytes up to the next terminator or picture code in one go.
        const auto piece = file.from(i);
        if (piece.empty()) {
            throw StreamReadError(position);  // the text has no terminator
        }
        const auto stop = std::find_if(piece.begin(), piece.end(), [](std::uint8_t byte) {
            return byte == 0 || byte == kPictureCode;
        });
        const auto plain = static_cast<std::size_t>(stop - piece.begin());
        text.append(reinterpret_cast<const char*>(piece.data()), plain);
        i += plain;
        if (stop == piece.end()) {
            continue;  // the text goes on in the next piece
        }
        ++i;
        if (*stop == 0) {
            return text;
        }
        std::array<std::uint8_t, 4> number{};
        if (!file.read(i, number)) {
            throw StreamReadError(position);
        }
        appendCompactPicture(text, readU32LE(number.data()));
        i += number.size();
    }
}

std::string readRawText(const Bytes& file, std::uint32_t position) {
    MemoryBytes source(file);
    return readRawText(source, position);
}

std::vector<std::uint32_t> readPointers(ByteSource& file, const PointerBlockTable& blocks) {
    std::vector<std::uint32_t> pointers;
    Bytes bytes;
    for (const PointerBlock& block : blocks) {
        const int count = std::max(block.pointerCount(), 0);
        bytes.resize(4u * static_cast<std::size_t>(count));
        if (block.first < 0) {
            throw StreamReadError();
        }
        if (!file.read(static_cast<std::uint64_t>(block.first), bytes)) {
            throw StreamReadError(static_cast<std::uint64_t>(block.first));
        }
        for (int k = 0; k < count; ++k) {
            pointers.push_back(readU32LE(bytes.data() + 4u * static_cast<std::size_t>(k)));
        }
    }
    return pointers;
}

void visitTexts(ByteSource& file, const PointerBlockTable& blocks, const TextAreaTable& areas,
                const TextVisitor& visit) {
    const std::vector<std::uint32_t> pointers = readPointers(file, blocks);
    std::string text;
    for (std::size_t i = 0; i < pointers.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        if (const auto position = addressToPosition(areas, pointers[i])) {
            text = readRawText(file, *position);
            visit(n, &text);
        } else {
            visit(n, nullptr);
        }
    }
}

bool readStringTable(ByteSource& file, std::vector<std::string>& column,
                     const PointerBlockTable& blocks, const TextAreaTable& areas, Notation notation,
                     std::vector<int>& notFound) {
    std::size_t total = 0;
    for (const PointerBlock& block : blocks) {
        total += static_cast<std::size_t>(std::max(block.pointerCount(), 0));
    }
    column.assign(total, std::string());
    const std::size_t notFoundBefore = notFound.size();
    visitTexts(file, blocks, areas, [&](int n, const std::string* raw) {
        std::string& cell = column[static_cast<std::size_t>(n - 1)];
        if (raw == nullptr) {
            cell = kNotFoundText;
            notFound.push_back(n);
        } else {
            cell = notation == Notation::CStyle ? rawToCStyle(*raw) : *raw;
        }
    });
    return notFound.size() == notFoundBefore;
}

bool readStringTable(const Bytes& file, std::vector<std::string>& column,
                     const PointerBlockTable& blocks, const TextAreaTable& areas, Notation notation,
                     std::vector<int>& notFound) {
    MemoryBytes source(file);
    return readStringTable(source, column, blocks, areas, notation, notFound);
}

std::vector<FilePart> textParts(const ExeProfile& profile) {
    std::vector<FilePart> parts;
    auto add = [&parts](std::int64_t first, std::int64_t length) {
        if (first >= 0 && length > 0) {
            parts.push_back(
                {static_cast<std::uint64_t>(first), static_cast<std::uint64_t>(length)});
        }
    };
    for (const PointerBlock& block : profile.pointerBlocks) {
        add(block.first, std::int64_t{block.last} - block.first + 1);
    }
    for (const TextArea& area : profile.textAreas) {
        add(area.first, std::int64_t{area.last} - area.first + 1);
    }
    add(profile.fixupSpot(FixupSpot::PointerCopyRun), 4 * kPointerCopyCount);
    add(profile.fixupSpot(FixupSpot::TextEndRef1), 4);
    add(profile.fixupSpot(FixupSpot::TextEndRef2), 4);
    add(profile.fixupSpot(FixupSpot::LangIdSpot), kSecondaryLangIdOffset + 1);
    return parts;
}

LanguageIds readLanguageIds(ByteSource& file, const ExeProfile& profile) {
    std::array<std::uint8_t, kSecondaryLangIdOffset + 1> bytes{};
    const std::int32_t spot = profile.fixupSpot(FixupSpot::LangIdSpot);
    if (spot < 0) {
        throw StreamReadError();
    }
    if (!file.read(static_cast<std::uint64_t>(spot), bytes)) {
        throw StreamReadError(static_cast<std::uint64_t>(spot));
    }
    return {bytes.front(), bytes.back()};
}

void loadExecutables(const std::filesystem::path& originalPath,
                     const std::filesystem::path& translatedPath, Notation notation,
                     LoadedExecutables& result) {
    result = LoadedExecutables{};
    if (!fileExists(translatedPath)) {
        copyFileNoOverwrite(originalPath, translatedPath);
    }
    // Reads one file into the result's columns, which keep what was read when it fails. The
    // paths were checked when they were chosen, so an unknown size means that the file changed.
    auto read = [notation](const std::filesystem::path& path, std::vector<std::string>& column,
                           std::vector<int>& notFound, int& profile) {
        ExecutableTexts texts;
        auto keep = [&] {
            column = std::move(texts.texts);
            notFound = std::move(texts.notFound);
            profile = texts.profile;
        };
        try {
            readExecutableTexts(path, texts, notation);
        } catch (const UnknownExecutableError& e) {
            keep();
            throw FileError("The file \"" + pathToUtf8(path) +
                            "\" is not a known Tarn executable: its size changed to " +
                            std::to_string(e.size()) + " bytes.");
        } catch (...) {
            keep();
            throw;
        }
        keep();
        return texts.languageIds;
    };
    read(originalPath, result.original, result.originalNotFound, result.origProfile);
    try {
        result.translatedIdentity = executableIdentity(translatedPath);
    } catch (const FileError&) {
        // The read below reports the same file error.
    }
    const LanguageIds ids =
        read(translatedPath, result.translated, result.translatedNotFound, result.transProfile);
    result.primaryLangId = ids.primary;
    result.secondaryLangId = ids.secondary;
}

}  // namespace tarn
