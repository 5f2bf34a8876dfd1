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
        // Copy the plain bytes up to the next terminator or picture code in one go.
        std::size_t end = i;
        while (end < size && file[end] != 0 && file[end] != kPictureCode) {
            ++end;
        }
        if (end >= size) {
            throw StreamReadError();
        }
        text.append(reinterpret_cast<const char*>(file.data()) + i, end - i);
        i = end + 1;
        if (file[end] == 0) {
            return text;
        }
        if (size - i < 4) {
            throw StreamReadError();
        }
        appendCompactPicture(text, readU32LE(file.data() + i));
        i += 4;
    }
}

bool readStringTable(const Bytes& file, std::vector<std::string>& column,
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
                    text = rawToCStyle(text);
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
    const int profile = findProfile(static_cast<std::int64_t>(file.size()));
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
        const ExeProfile& profile = profileByNumber(result.origProfile);
        readStringTable(original, result.original, profile.PointerBlocks, profile.TextAreas, cstyle,
                        result.originalNotFound);
    }
    const Bytes translated = readWholeFile(translatedPath);
    result.transProfile = knownProfileOf(translated, translatedPath);
    const ExeProfile& profile = profileByNumber(result.transProfile);
    readStringTable(translated, result.translated, profile.PointerBlocks, profile.TextAreas, cstyle,
                    result.translatedNotFound);
    const LanguageIds ids = readLanguageIds(translated, profile);
    result.primaryLangId = ids.primary;
    result.secondaryLangId = ids.secondary;
}

}  // namespace tarn
