// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/executable_texts.h"

#include <algorithm>

#include "common/file_io.h"
#include "common/partial_file.h"
#include "common/utf8_path.h"
#include "exetext/exe_layout.h"
#include "exetext/string_table_reader.h"
#include "textcodes/cstyle.h"

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
void countAddedTexts(ByteSource& file, const ExeLayout& layout, ExecutableTexts& read) {
    const TextArea& area = layout.added->area;
    read.addedBytes = std::int64_t{area.last} - area.first + 1;
    for (const std::uint32_t pointer : readPointers(file, layout.build().pointerBlocks)) {
        if (area.holdsAddress(pointer)) {
            ++read.addedTexts;
        }
    }
}

}  // namespace

int executableProfile(const std::filesystem::path& path) {
    return knownProfile(path, fileSizeOf(path));
}

int executableProfile(PartialFile& file) {
    if (const std::optional<ExeLayout> layout = exeLayoutOfFile(file)) {
        return layout->profile;
    }
    throw UnknownExecutableError(file.path(), file.size());
}

namespace {

void visitTextsOf(PartialFile& file, ExecutableTexts& read, const TextVisitor& visit) {
    const std::filesystem::path& path = file.path();
    read = ExecutableTexts{};
    const std::optional<ExeLayout> layout = exeLayoutOfFile(file);
    if (!layout) {
        throw UnknownExecutableError(path, file.size());
    }
    read.profile = layout->profile;
    const ExeProfile& profile = layout->build();
    std::vector<FilePart> parts = textParts(profile);
    if (layout->added) {
        const TextArea& area = layout->added->area;
        parts.push_back({static_cast<std::uint64_t>(area.first),
                         static_cast<std::uint64_t>(std::int64_t{area.last} - area.first + 1)});
    }
    file.prefetch(std::move(parts));
    try {
        // A known size holds every pointer block and the ID bytes, so only a text can run out.
        visitTexts(file, profile.pointerBlocks, layout->textAreas, [&](int n, const std::string* raw) {
            if (raw == nullptr) {
                read.notFound.push_back(n);
            }
            visit(n, raw);
        });
        read.languageIds = readLanguageIds(file, profile);
        if (layout->added) {
            countAddedTexts(file, *layout, read);
        }
    } catch (const StreamReadError& e) {
        throw FileError(pathToUtf8(path) + ": " + e.what() +
                        " (a text runs to the end of the file)");
    }
}

void readTextsOf(PartialFile& file, ExecutableTexts& read, Notation notation) {
    std::vector<std::string> texts;
    auto keep = [&] { read.texts = std::move(texts); };
    try {
        visitTextsOf(file, read, [&](int, const std::string* raw) {
            if (raw == nullptr) {
                texts.emplace_back(kNotFoundText);
            } else {
                texts.push_back(notation == Notation::CStyle ? rawToCStyle(*raw) : *raw);
            }
        });
    } catch (...) {
        // Texts after the one that could not be read stay empty, as the load shows them.
        if (read.profile != -1) {
            texts.resize(std::max(texts.size(), static_cast<std::size_t>(kTextCount)));
        }
        keep();
        throw;
    }
    keep();
}

}  // namespace

void visitExecutableTexts(const std::filesystem::path& path, ExecutableTexts& read,
                          const TextVisitor& visit) {
    read = ExecutableTexts{};
    PartialFile file(path);
    visitTextsOf(file, read, visit);
}

void readExecutableTexts(const std::filesystem::path& path, ExecutableTexts& read,
                         Notation notation) {
    read = ExecutableTexts{};
    PartialFile file(path);
    readTextsOf(file, read, notation);
}

void readExecutableTexts(PartialFile& file, ExecutableTexts& read, Notation notation) {
    readTextsOf(file, read, notation);
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
