#include "tarntool/exe_import_save.h"

#include <charconv>
#include <iostream>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/partial_file.h"
#include "exetext/exe_profile.h"
#include "exetext/string_table_reader.h"
#include "exetext/string_table_writer.h"
#include "tarntool/arguments.h"
#include "tarntool/tool.h"

namespace tarn::tool {

namespace {

std::uint8_t parseLangId(const std::string& text, const std::string& option) {
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value > 254) {
        throw UsageError(option + " takes a number from 0 to 254");
    }
    return static_cast<std::uint8_t>(value);
}

}  // namespace

int knownProfileOf(const std::string& path, std::uint64_t size) {
    const int profile = findProfile(static_cast<std::int64_t>(size));
    if (profile == -1) {
        std::cerr << "tarntool: " << path << ": unknown file size " << size
                  << ", not a known Tarn executable\n";
    }
    return profile;
}

void addSaveOptions(CLI::App& command, ExeImportTarget& target) {
    addOptional(command, "--primary-id", "N", target.primaryId,
                "the preferred object-text language ID (0 to 254; kept without it)");
    addOptional(command, "--secondary-id", "N", target.secondaryId,
                "the fallback object-text language ID (0 to 254; kept without it)");
    addOptional(command, "--shares", "OUT", target.sharesPath,
                "writes, per text, the number of the text whose bytes it shares");
}

void checkExeImportTarget(const ExeImportTarget& target) {
    if (target.primaryId) {
        parseLangId(*target.primaryId, "--primary-id");
    }
    if (target.secondaryId) {
        parseLangId(*target.secondaryId, "--secondary-id");
    }
    if (target.sharesPath) {
        requireWritableFolder(*target.sharesPath);
    }
    if (!fileExists(target.path)) {
        throw UsageError(target.path + ": no such file");
    }
    if (isReadOnlyFile(target.path)) {
        throw UsageError(target.path + ": the file is read-only");
    }
}

std::optional<int> readExecutableTexts(const std::string& path, ExeTexts& read) {
    PartialFile file(path);
    const int profile = knownProfileOf(path, file.size());
    if (profile == -1) {
        return kFailed;
    }
    const ExeProfile& p = profileByNumber(profile);
    file.prefetch(textParts(p));
    try {
        readStringTable(file, read.texts, p.PointerBlocks, p.TextAreas, false, read.notFound);
    } catch (const StreamReadError& e) {
        throw UsageError(path + ": " + e.what() + " (a text runs to the end of the file)");
    }
    read.languageIds = readLanguageIds(file, p);
    return std::nullopt;
}

int saveExeImport(const ExeImportTarget& target, const std::vector<std::string>& rawTexts,
                  std::optional<LanguageIds> currentIds, const std::string& summary) {
    if (!currentIds) {
        PartialFile file(target.path);
        const int profile = knownProfileOf(target.path, file.size());
        if (profile == -1) {
            return kFailed;
        }
        currentIds = readLanguageIds(file, profileByNumber(profile));
    }
    SaveOptions options;
    options.primaryLangId =
        target.primaryId ? parseLangId(*target.primaryId, "--primary-id") : currentIds->primary;
    options.secondaryLangId = target.secondaryId
                                  ? parseLangId(*target.secondaryId, "--secondary-id")
                                  : currentIds->secondary;

    const SaveResult result = saveStrings(target.path, rawTexts, options);
    if (target.sharesPath) {
        std::string lines;
        for (const int share : result.shareTargets) {
            lines += share == 0 ? "\n" : std::to_string(share) + "\n";
        }
        writeFileAtomically(*target.sharesPath, toBytes(lines));
    }
    if (!result.saved) {
        std::cerr << kNotEnoughSpaceMessage << "\n";
        return kFailed;
    }
    if (!summary.empty()) {
        std::cout << summary << "\n";
    }
    std::cout << freeSpaceText(result.freeSpace) << "\n";
    return kOk;
}

}  // namespace tarn::tool
