// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/document_po.h"

#include "exchange/exe_po.h"
#include "common/utf8_path.h"
#include "exchange/object_po.h"
#include "exchange/po_notes.h"
#include "exetext/string_table_reader.h"

namespace tarn {

namespace {

using Column = StringTableDocument::Column;

// Column's texts as raw bytes, text n at index n - 1; a malformed C-style cell adds
// "text N: message" to problems.
std::vector<std::string> rawColumn(const StringTableDocument& document, Column column,
                                   std::vector<Problem>& problems) {
    std::vector<std::string> texts(StringTableDocument::kRows);
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        Converted<std::string> raw = document.bytes(row, column);
        if (raw) {
            texts[static_cast<std::size_t>(row - 1)] = std::move(raw.value());
        } else {
            problems.push_back(Problem::in("text " + std::to_string(row), raw.problem().message));
        }
    }
    return texts;
}

// The file's own errors before those of its messages, since they explain the others. Answers
// whether the import goes on: no problems, or only the messages' own, skipped.
bool takeFileFindings(PoReadResult& read, PoImportReport& report, PoProblems problems) {
    report.skippable = read.problems.empty() && !report.problems.empty();
    report.skipped = report.skippable && problems == PoProblems::SkipMessages;
    read.problems.insert(read.problems.end(), report.problems.begin(), report.problems.end());
    report.problems = std::move(read.problems);
    read.warnings.insert(read.warnings.end(), report.warnings.begin(), report.warnings.end());
    report.warnings = std::move(read.warnings);
    return report.problems.empty() || report.skipped;
}

// The messages as the import applies them: fuzzy ones under review here taken. A file made with
// other characters is warned of among the file's own warnings.
std::vector<PoEntry> messagesToApply(PoReadResult& read, const PoCompanions& companions,
                                     const std::filesystem::path& path) {
    if (const auto mismatch =
            characterMismatch(read.header, companions.characters, pathToUtf8(path.filename()))) {
        read.warnings.push_back(Problem::withMessage(*mismatch));
    }
    std::vector<PoEntry> entries = read.entries;
    acceptFuzzyUnderReview(entries, companions.notes);
    return entries;
}

void addCompanions(PoHeaderFields& header, std::vector<PoEntry>& entries,
                   const PoCompanions& companions) {
    addCharacterFields(header, companions.characters);
    addNotesToPo(entries, header, companions.notes);
}

}  // namespace

std::vector<Problem> exportPoFile(const std::filesystem::path& path,
                                  const StringTableDocument& document, PoHeaderFields header,
                                  const CodePage& codePage, const PoCompanions& companions) {
    std::vector<Problem> problems;
    const std::vector<std::string> original =
        rawColumn(document, StringTableDocument::OriginalColumn, problems);
    const std::vector<std::string> translated =
        rawColumn(document, StringTableDocument::TranslatedColumn, problems);
    if (!problems.empty()) {
        return problems;
    }
    // A translated text that could not be read has no translation, unless one was typed since.
    std::vector<int> translatedNotFound;
    for (const int n : document.translatedNotFound()) {
        if (document.cell(n, StringTableDocument::TranslatedColumn) == kNotFoundText) {
            translatedNotFound.push_back(n);
        }
    }
    std::vector<PoEntry> entries = exeTextsToPo(original, document.originalNotFound(), translated,
                                                translatedNotFound, codePage);
    addCompanions(header, entries, companions);
    writePoFile(path, header, entries);
    return problems;
}

PoImportReport importPoFile(const std::filesystem::path& path, StringTableDocument& document,
                            const CodePage& codePage, std::unique_ptr<SetTextsCommand>& change,
                            PoCompanions& companions, PoProblems problems) {
    PoReadResult read = readPoFile(path);
    std::vector<Problem> cellProblems;
    const std::vector<std::string> before =
        rawColumn(document, StringTableDocument::TranslatedColumn, cellProblems);
    std::vector<std::string> texts = before;
    PoImportReport report = applyExePo(texts, messagesToApply(read, companions, path), codePage,
                                       TypedCodes::Refused, problems);
    read.problems.insert(read.problems.end(), cellProblems.begin(), cellProblems.end());
    if (!takeFileFindings(read, report, problems)) {
        return report;
    }
    takeNotesFromPo(companions.notes, read.entries, read.header, [](const std::string& context) {
        return parseExeContext(context, StringTableDocument::kRows).has_value();
    });
    change = std::make_unique<SetTextsCommand>(document, importPoStepName);
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        std::string& raw = texts[static_cast<std::size_t>(row - 1)];
        if (raw != before[static_cast<std::size_t>(row - 1)]) {
            change->add(row, StringTableDocument::TranslatedColumn, {std::move(raw), false});
        }
    }
    return report;
}

std::vector<Problem> exportPoFile(const std::filesystem::path& path,
                                  const ObjectTextsDocument& document, std::uint8_t sourceId,
                                  std::uint8_t targetId, PoHeaderFields header,
                                  const CodePage& codePage, const PoCompanions& companions) {
    std::vector<Problem> problems;
    std::vector<PoEntry> entries =
        objectTextsToPo(document.files(), sourceId, targetId, codePage, problems);
    if (problems.empty()) {
        addCompanions(header, entries, companions);
        writePoFile(path, header, entries);
    }
    return problems;
}

ObjectPoImport objectPoImport(const std::filesystem::path& path, ObjectTextsDocument& document,
                              std::uint8_t targetId, const CodePage& codePage,
                              PoCompanions& companions, PoProblems problems) {
    PoReadResult read = readPoFile(path);
    ObjectPoImport import;
    // The file's own problems keep every message from being applied.
    PoImportReport& report = import.report;
    import.step = objectPoStep(document, messagesToApply(read, companions, path), targetId, codePage,
                            report, TypedCodes::Refused, problems);
    if (!takeFileFindings(read, report, problems)) {
        import.step.reset();
        return import;
    }
    takeNotesFromPo(companions.notes, read.entries, read.header, namesObjectGroup(document.files()));
    return import;
}

std::optional<std::string> skipProblemsQuestion(const PoImportReport& report) {
    const int good = report.counts.applied + report.counts.unchanged;
    if (!report.skippable || report.skipped || good == 0) {
        return std::nullopt;
    }
    const std::size_t bad = report.problems.size();
    return "Import the " + std::to_string(good) + (good == 1 ? " good entry" : " good entries") +
           " and skip " + std::to_string(bad) + "?";
}

std::string importReportText(const PoImportReport& report, std::size_t limit) {
    if (report.skipped) {
        const std::size_t n = report.problems.size();
        return importSummaryLine(report.counts) + "\nskipped " + std::to_string(n) +
               (n == 1 ? " entry for its problem:" : " entries for their problems:") +
               listedLines(describe(report.problems), limit);
    }
    const bool rejected = !report.problems.empty();
    const std::vector<std::string> lines = describe(rejected ? report.problems : report.warnings);
    const std::string head = rejected ? "Nothing was imported: the file has " +
                                            std::to_string(lines.size()) +
                                            (lines.size() == 1 ? " problem." : " problems.")
                                      : importSummaryLine(report.counts);
    return head + listedLines(lines, limit);
}

std::string listedLines(const std::vector<std::string>& lines, std::size_t limit) {
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < limit; ++i) {
        text += "\n" + lines[i];
    }
    if (lines.size() > limit) {
        text += "\n... and " + std::to_string(lines.size() - limit) + " more";
    }
    return text;
}

}  // namespace tarn
