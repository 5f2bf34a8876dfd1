// SPDX-License-Identifier: GPL-3.0-or-later
#include "tarntool/exe_import_save.h"

#include <charconv>
#include <iostream>

#include "common/file_io.h"
#include "common/utf8_path.h"
#include "exchange/texts_file.h"
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

int knownProfileOf(const std::string& path) {
    return readingInput(path, [&] { return executableProfile(pathFromUtf8(path)); });
}

ExecutableTexts executableTexts(const std::string& path, Notation notation) {
    ExecutableTexts read;
    readingInput(path, [&] { readExecutableTexts(pathFromUtf8(path), read, notation); });
    return read;
}

FileIdentity identityBeforeReading(const std::string& path) {
    return readingInput(path, [&] { return executableIdentity(pathFromUtf8(path)); });
}

std::vector<std::string> readTextsFile(const std::string& path, const CodePage& codePage,
                                       TypedCodes typedCodes) {
    ParsedTextsFile parsed = parseTextsFile(
        toString(readingInput(path, [&] { return readWholeFile(pathFromUtf8(path)); })), codePage,
        typedCodes);
    if (parsed.errors.empty()) {
        return std::move(parsed.rawTexts);
    }
    for (const TextsFileError& error : parsed.errors) {
        std::cerr << (error.aboutFile ? "tarntool: " + path + ": " : "") << error.message << "\n";
    }
    throw unreadableInput("");  // reported above
}

void addSaveOptions(CLI::App& command, ExeImportTarget& target) {
    addOptional(command, "--primary-id", "N", target.primaryId,
                "the preferred object-text language ID (0 to 254; kept without it)");
    addOptional(command, "--secondary-id", "N", target.secondaryId,
                "the fallback object-text language ID (0 to 254; kept without it)");
    addOptional(command, "--shares", "OUT", target.sharesPath,
                "writes, per text, the number of the text whose bytes it shares");
    command.add_flag("--grow", target.grow,
                     "lets the executable grow by a section for the texts that do not fit");
    addForceOption(command, target.force);
}

std::optional<EditLock> checkExeImportTarget(const ExeImportTarget& target) {
    if (target.primaryId) {
        parseLangId(*target.primaryId, "--primary-id");
    }
    if (target.secondaryId) {
        parseLangId(*target.secondaryId, "--secondary-id");
    }
    if (target.sharesPath) {
        requireWritableFolder(*target.sharesPath);
    }
    if (!fileExists(pathFromUtf8(target.path))) {
        throw UsageError(target.path + ": no such file");
    }
    if (isReadOnlyFile(pathFromUtf8(target.path))) {
        throw operationFailed(target.path + ": the file is read-only");
    }
    return lockForWriting(target.path, target.force);
}

int saveExeImport(const ExeImportTarget& target, const std::vector<std::string>& rawTexts,
                  const FileIdentity& read, std::optional<LanguageIds> currentIds,
                  const std::string& summary) {
    if (!currentIds) {
        currentIds = executableTexts(target.path).languageIds;
    }
    SaveOptions options;
    options.primaryLangId =
        target.primaryId ? parseLangId(*target.primaryId, "--primary-id") : currentIds->primary;
    options.secondaryLangId = target.secondaryId
                                  ? parseLangId(*target.secondaryId, "--secondary-id")
                                  : currentIds->secondary;
    options.grow = target.grow;
    options.expected = read;

    const SaveResult result = saveStrings(pathFromUtf8(target.path), rawTexts, options);
    if (target.sharesPath) {
        std::string lines;
        for (const int share : result.shareTargets) {
            lines += share == 0 ? "\n" : std::to_string(share) + "\n";
        }
        writeFileAtomically(pathFromUtf8(*target.sharesPath), toBytes(lines));
    }
    if (!result.saved) {
        std::cerr << kNotEnoughSpaceMessage << "\n";
        if (!target.grow) {
            std::cerr << "With --grow the executable grows by a section for the texts that do "
                         "not fit.\n";
        }
        return kFailed;
    }
    if (!summary.empty()) {
        std::cout << summary << "\n";
    }
    std::cout << freeSpaceText(result.freeSpace) << "\n";
    if (result.addedTexts > 0) {
        std::cout << addedSectionText(result.addedTexts, result.addedBytes) << "\n";
    }
    return kOk;
}

}  // namespace tarn::tool
