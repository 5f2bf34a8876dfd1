#include "tarntool/exe_import_save.h"

#include <charconv>
#include <iostream>

#include "common/errors.h"
#include "common/file_io.h"
#include "tarntool/command_line.h"
#include "exetext/exe_profile.h"
#include "exetext/string_table_reader.h"
#include "exetext/string_table_writer.h"

namespace tarn::tool {

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kBadUse = 2;

int refuse(const std::string& message) {
    std::cerr << "tarntool: " << message << "\n";
    return kBadUse;
}

std::optional<std::uint8_t> parseLangId(const std::string& text) {
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value > 254) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

// The profile number of an executable of a known build, or -1 after reporting its size.
int profileOf(const std::string& path, const Bytes& file) {
    const int profile = findProfile(static_cast<std::int64_t>(file.size()));
    if (profile == -1) {
        std::cerr << "tarntool: " << path << ": unknown file size " << file.size()
                  << ", not a known Tarn executable\n";
    }
    return profile;
}

}  // namespace

std::optional<int> checkExeImportTarget(const ExeImportTarget& target) {
    if (target.primaryId && !parseLangId(*target.primaryId)) {
        return refuse("--primary-id takes a number from 0 to 254");
    }
    if (target.secondaryId && !parseLangId(*target.secondaryId)) {
        return refuse("--secondary-id takes a number from 0 to 254");
    }
    if (target.sharesPath && !canCreateIn(*target.sharesPath)) {
        return refuse("cannot write " + *target.sharesPath);
    }
    if (!fileExists(target.path)) {
        return refuse(target.path + ": no such file");
    }
    if (isReadOnlyFile(target.path)) {
        return refuse(target.path + ": the file is read-only");
    }
    return std::nullopt;
}

std::optional<int> readExecutableTexts(const std::string& path, ExeTexts& read) {
    const Bytes file = readWholeFile(path);
    const int profile = profileOf(path, file);
    if (profile == -1) {
        return kFailed;
    }
    const ExeProfile& p = profileByNumber(profile);
    try {
        readStringTable(file, read.texts, p.PointerBlocks, p.TextAreas, false, read.notFound);
    } catch (const StreamReadError& e) {
        return refuse(path + ": " + e.what() + " (a text runs to the end of the file)");
    }
    const auto langSpot = static_cast<std::size_t>(p.FixupSpots[LangIdSpot]);
    read.languageIds = {file[langSpot], file[langSpot + kSecondaryLangIdOffset]};
    return std::nullopt;
}

int saveExeImport(const ExeImportTarget& target, const std::vector<std::string>& rawTexts,
                  std::optional<std::array<std::uint8_t, 2>> currentIds) {
    if (!currentIds) {
        const Bytes file = readWholeFile(target.path);
        const int profile = profileOf(target.path, file);
        if (profile == -1) {
            return kFailed;
        }
        const auto langSpot =
            static_cast<std::size_t>(profileByNumber(profile).FixupSpots[LangIdSpot]);
        currentIds = {file[langSpot], file[langSpot + kSecondaryLangIdOffset]};
    }
    SaveOptions options;
    options.primaryLangId = target.primaryId ? *parseLangId(*target.primaryId) : (*currentIds)[0];
    options.secondaryLangId =
        target.secondaryId ? *parseLangId(*target.secondaryId) : (*currentIds)[1];

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
    std::cout << freeSpaceText(result.freeSpace) << "\n";
    return kOk;
}

}  // namespace tarn::tool
