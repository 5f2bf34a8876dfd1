#include "exetext/executable_texts.h"

#include "common/file_io.h"
#include "common/partial_file.h"
#include "common/utf8_path.h"
#include "exetext/exe_layout.h"
#include "exetext/string_table_reader.h"

namespace tarn {

UnknownExecutableError::UnknownExecutableError(const std::filesystem::path& path,
                                               std::uint64_t size)
    : FileError(pathToUtf8(path) + ": unknown file size " + std::to_string(size) +
                ", not a known Tarn executable"),
      size_(size) {}

namespace {

int knownProfile(const std::filesystem::path& path, std::uint64_t size) {
    const int profile = findProfile(static_cast<std::int64_t>(size));
    if (profile == -1) {
        if (const std::optional<ExeLayout> grown = exeLayoutOfFile(path)) {
            return grown->profile;
        }
        throw UnknownExecutableError(path, size);
    }
    return profile;
}

// The texts pointing into the added section and the bytes of its text area.
void countAddedTexts(const Bytes& image, const ExeLayout& layout, ExecutableTexts& read) {
    const TextArea& area = layout.added->area;
    read.addedBytes = std::int64_t{area.last} - area.first + 1;
    for (const PointerBlock& block : layout.build().pointerBlocks) {
        for (int k = 0; k < block.pointerCount(); ++k) {
            const auto at = static_cast<std::size_t>(block.first) + 4 * static_cast<std::size_t>(k);
            if (at + 4 <= image.size() && area.holdsAddress(readU32LE(image.data() + at))) {
                ++read.addedTexts;
            }
        }
    }
}

// A grown file is read whole: its texts lie in its build's areas and its added section.
void readGrownTexts(const std::filesystem::path& path, ExecutableTexts& read, bool cstyle) {
    const Bytes image = readWholeFile(path);
    const std::optional<ExeLayout> layout = exeLayoutOf(image);
    if (!layout) {
        throw UnknownExecutableError(path, image.size());
    }
    read.profile = layout->profile;
    readStringTable(image, read.texts, layout->build().pointerBlocks, layout->textAreas, cstyle,
                    read.notFound);
    read.languageIds = readLanguageIds(image, layout->build());
    countAddedTexts(image, *layout, read);
}

}  // namespace

int executableProfile(const std::filesystem::path& path) {
    return knownProfile(path, fileSizeOf(path));
}

void readExecutableTexts(const std::filesystem::path& path, ExecutableTexts& read, bool cstyle) {
    read = ExecutableTexts{};
    PartialFile file(path);
    try {
        if (findProfile(static_cast<std::int64_t>(file.size())) == -1) {
            if (file.size() > kLargestGrownFile) {
                throw UnknownExecutableError(path, file.size());
            }
            readGrownTexts(path, read, cstyle);
            return;
        }
        read.profile = knownProfile(path, file.size());
        const ExeProfile& profile = profileByNumber(read.profile);
        file.prefetch(textParts(profile));
        // A known size holds every pointer block and the ID bytes, so only a text can run out.
        readStringTable(file, read.texts, profile.pointerBlocks, profile.textAreas, cstyle,
                        read.notFound);
        read.languageIds = readLanguageIds(file, profile);
    } catch (const StreamReadError& e) {
        throw FileError(pathToUtf8(path) + ": " + e.what() +
                        " (a text runs to the end of the file)");
    }
}

FileIdentity executableIdentity(const std::filesystem::path& path) {
    const int profile = findProfile(static_cast<std::int64_t>(fileSizeOf(path)));
    if (profile == -1) {
        return takeFileIdentity(path);
    }
    return takeFileIdentity(path, textParts(profileByNumber(profile)));
}

TranslatedFileState readTranslatedFile(const std::filesystem::path& path) {
    TranslatedFileState state;
    state.identity = executableIdentity(path);
    ExecutableTexts read;
    readExecutableTexts(path, read);
    state.texts = std::move(read.texts);
    state.languageIds = read.languageIds;
    return state;
}

}  // namespace tarn
