#include "exetext/string_table_reader.h"

#include "common/errors.h"
#include "common/file_io.h"
#include "textcodes/code_table.h"
#include "textcodes/cstyle.h"

namespace tarn {

std::string readRawText(const Bytes& file, std::uint32_t position) {
    const std::size_t size = file.size();
    std::string text;
    std::size_t i = position;
    for (;;) {
        if (i >= size) {
            throw StreamReadError();
        }
        const std::uint8_t byte = file[i++];
        if (byte == 0) {
            return text;
        }
        text += static_cast<char>(byte);
        if (byte != kPictureCode) {
            continue;
        }
        if (size - i < 4) {
            throw StreamReadError();
        }
        const std::uint32_t v = readU32LE(file.data() + i);
        i += 4;
        if (v == 0) {
            text += static_cast<char>(kPictureZeroCount);
            continue;
        }
        const int count = v <= 0xFF ? 1 : v <= 0xFFFF ? 2 : v <= 0xFFFFFF ? 3 : 4;
        text += static_cast<char>(count);
        for (int k = 0; k < count; ++k) {
            text += static_cast<char>((v >> (8 * k)) & 0xFF);
        }
    }
}

bool ReadStringTable(const Bytes& file, std::vector<std::string>& column,
                     const PointerBlockTable& blocks, const TextAreaTable& areas, bool cstyle,
                     std::vector<int>& notFound) {
    std::size_t total = 0;
    for (const PointerBlock& block : blocks) {
        total += static_cast<std::size_t>(block.pointerCount());
    }
    column.assign(total, std::string());
    bool allFound = true;
    int n = 1;
    for (const PointerBlock& block : blocks) {
        const int count = block.pointerCount();
        if (block.First < 0 || static_cast<std::size_t>(block.First) + 4u * count > file.size()) {
            throw StreamReadError();
        }
        for (int k = 0; k < count; ++k, ++n) {
            const std::uint32_t pointer =
                readU32LE(file.data() + static_cast<std::size_t>(block.First) + 4u * k);
            std::string text;
            if (const auto position = addressToPosition(areas, pointer)) {
                text = readRawText(file, *position);
                if (cstyle) {
                    text = RawToCStyle(text);
                }
            } else {
                allFound = false;
                text = kNotFoundText;
                notFound.push_back(n);
            }
            column[static_cast<std::size_t>(n - 1)] = std::move(text);
        }
    }
    return allFound;
}

namespace {

int knownProfileOf(const Bytes& file, const std::filesystem::path& path) {
    const int profile = FindProfile(static_cast<std::int64_t>(file.size()));
    if (profile == -1) {
        throw FileError("The file \"" + path.string() +
                        "\" is not a known Tarn executable: its size changed to " +
                        std::to_string(file.size()) + " bytes.");
    }
    return profile;
}

}  // namespace

void loadExecutables(const std::filesystem::path& originalPath,
                     const std::filesystem::path& translatedPath, bool cstyle,
                     LoadedExecutables& result) {
    result = LoadedExecutables{};
    if (!fileExists(translatedPath)) {
        copyFileNoOverwrite(originalPath, translatedPath);
    }
    {
        const Bytes original = readWholeFile(originalPath);
        result.origProfile = knownProfileOf(original, originalPath);
        const TExeProfile& profile = profileByNumber(result.origProfile);
        ReadStringTable(original, result.original, profile.PointerBlocks, profile.TextAreas, cstyle,
                        result.originalNotFound);
    }
    const Bytes translated = readWholeFile(translatedPath);
    result.transProfile = knownProfileOf(translated, translatedPath);
    const TExeProfile& profile = profileByNumber(result.transProfile);
    ReadStringTable(translated, result.translated, profile.PointerBlocks, profile.TextAreas, cstyle,
                    result.translatedNotFound);
    const auto langSpot = static_cast<std::size_t>(profile.FixupSpots[LangIdSpot]);
    if (langSpot + kSecondaryLangIdOffset >= translated.size()) {
        throw StreamReadError();
    }
    result.primaryLangId = translated[langSpot];
    result.secondaryLangId = translated[langSpot + kSecondaryLangIdOffset];
}

}  // namespace tarn
