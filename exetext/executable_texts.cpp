#include "exetext/executable_texts.h"

#include "common/file_io.h"
#include "common/partial_file.h"
#include "common/utf8_path.h"
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
        throw UnknownExecutableError(path, size);
    }
    return profile;
}

}  // namespace

int executableProfile(const std::filesystem::path& path) {
    return knownProfile(path, fileSizeOf(path));
}

void readExecutableTexts(const std::filesystem::path& path, ExecutableTexts& read, bool cstyle) {
    read = ExecutableTexts{};
    PartialFile file(path);
    read.profile = knownProfile(path, file.size());
    const ExeProfile& profile = profileByNumber(read.profile);
    file.prefetch(textParts(profile));
    try {
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
