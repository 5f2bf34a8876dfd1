// SPDX-License-Identifier: GPL-3.0-or-later
#include "tarntool/po_options.h"

#include <ctime>
#include <iostream>

#include "common/utf8_path.h"
#include "common/errors.h"
#include "exchange/po_header.h"
#include "exchange/po_notes.h"
#include "tarntool/arguments.h"
#include "tarntool/tool.h"

namespace tarn::tool {

void addLanguageOption(CLI::App& command, PoTextOptions& options) {
    addOptional(command, "--language", "LL", options.language,
                "the Language of the PO header (de, pt_BR, ...)");
}

PoCharacterSetup checkPoTextOptions(const PoTextOptions& options) {
    const CodePage codePage = parseCodePage(options.codePage);
    if (options.language && !isPoLanguageCode(*options.language)) {
        throw UsageError("--language takes a code such as de or pt_BR, not \"" + *options.language +
                         "\"");
    }
    const std::string tableName =
        options.codePage.table ? pathToUtf8(pathFromUtf8(*options.codePage.table).filename()) : "";
    return {codePage, poCharactersOf(codePage, tableName)};
}

TypedCodes typedCodesOf(const PoTextOptions& options) {
    return options.allowTypedCodes ? TypedCodes::Allowed : TypedCodes::Refused;
}

PoHeaderFields poHeaderFor(const PoTextOptions& options, const PoCharacters& characters) {
    PoHeaderFields header = poHeader(options.language.value_or(""), TARN_VERSION, std::time(nullptr));
    addCharacterFields(header, characters);
    return header;
}

void addPoImportOptions(CLI::App& command, PoTextOptions& options) {
    addAllowTypedCodesOption(command, options.allowTypedCodes);
    command.add_flag("--partial", options.partial,
                     "applies the messages without problems and lists the others as skipped "
                     "(without it, one problem stops the whole import)");
}

PoProblems poProblemsOf(const PoTextOptions& options) {
    return options.partial ? PoProblems::SkipMessages : PoProblems::RefuseFile;
}

void refuseOrSkip(const PoTextOptions& options, const std::vector<Problem>& fileProblems,
                  const PoImportReport& report) {
    if (fileProblems.empty() && report.problems.empty()) {
        return;
    }
    if (!options.partial || !fileProblems.empty()) {
        printLines(std::cerr, fileProblems);
        printLines(std::cerr, report.problems);
        throw unreadableInput("");  // reported above
    }
    printLines(std::cerr, report.problems, "skipped: ");
}

int partialImportStatus(const PoImportReport& report) {
    if (report.problems.empty()) {
        return kOk;
    }
    const std::size_t n = report.problems.size();
    std::cerr << "tarntool: " << n << (n == 1 ? " message was" : " messages were")
              << " skipped for " << (n == 1 ? "its problem" : "their problems") << "\n";
    return kFailed;
}

void printLines(std::ostream& out, const std::vector<std::string>& lines,
                const std::string& prefix) {
    for (const std::string& line : lines) {
        out << prefix << line << "\n";
    }
}

void printLines(std::ostream& out, const std::vector<Problem>& problems,
                const std::string& prefix) {
    printLines(out, describe(problems), prefix);
}

PoMessages readPoMessages(const std::string& path, const PoCharacters& characters,
                          std::vector<Problem>& problems) {
    PoReadResult read = readPoFile(pathFromUtf8(path));
    printLines(std::cerr, read.warnings);
    if (const auto mismatch = characterMismatch(read.header, characters, path)) {
        std::cerr << "tarntool: " << *mismatch << "\n";
    }
    problems.insert(problems.end(), read.problems.begin(), read.problems.end());
    return {std::move(read.entries), std::move(read.header)};
}

TranslationNotes readNotes(const std::filesystem::path& path) {
    try {
        return readTranslationNotes(path);
    } catch (const FileError& e) {
        throw unreadableInput(e.what());
    }
}

void keepImportedNotes(const std::filesystem::path& path, TranslationNotes notes,
                       const PoMessages& messages,
                       const std::function<bool(const std::string& context)>& known) {
    takeNotesFromPo(notes, messages.entries, messages.header, known);
    try {
        writeTranslationNotes(path, notes);
    } catch (const FileError& e) {
        throw operationFailed(std::string(e.what()) +
                              "; the texts were written, their notes were not");
    }
}

void reportWarnings(const std::string& poPath, const PoImportReport& report) {
    printLines(std::cerr, report.warnings, poPath + ": ");
}

}  // namespace tarn::tool
