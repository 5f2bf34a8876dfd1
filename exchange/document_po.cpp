// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/document_po.h"

#include "exchange/exe_po.h"
#include "exchange/obj_po.h"
#include "exetext/string_table_reader.h"

namespace tarn {

namespace {

using Column = StringTableDocument::Column;

// Column's texts as raw bytes, text n at index n - 1; a malformed C-style cell adds
// "text N: message" to problems.
std::vector<std::string> rawColumn(const StringTableDocument& document, Column column,
                                   std::vector<std::string>& problems) {
    std::vector<std::string> texts(StringTableDocument::kRows);
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        std::string& raw = texts[static_cast<std::size_t>(row - 1)];
        if (!document.bytes(row, column, raw)) {
            problems.push_back("text " + std::to_string(row) + ": " + raw);
        }
    }
    return texts;
}

// The file's own errors before those of its messages, since they explain the others.
void takeFileFindings(PoReadResult& read, PoImportReport& report) {
    read.problems.insert(read.problems.end(), report.problems.begin(), report.problems.end());
    report.problems = std::move(read.problems);
    read.warnings.insert(read.warnings.end(), report.warnings.begin(), report.warnings.end());
    report.warnings = std::move(read.warnings);
}

}  // namespace

std::vector<std::string> exportPoFile(const std::filesystem::path& path,
                                      const StringTableDocument& document,
                                      const PoHeaderFields& header, const CodePage& codePage) {
    std::vector<std::string> problems;
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
    writePoFile(path, header,
                exeTextsToPo(original, document.originalNotFound(), translated, translatedNotFound,
                             codePage));
    return problems;
}

PoImportReport importPoFile(const std::filesystem::path& path, StringTableDocument& document,
                            const CodePage& codePage, std::unique_ptr<SetTextsCommand>& change) {
    PoReadResult read = readPoFile(path);
    std::vector<std::string> cellProblems;
    const std::vector<std::string> before =
        rawColumn(document, StringTableDocument::TranslatedColumn, cellProblems);
    std::vector<std::string> texts = before;
    PoImportReport report = applyExePo(texts, read.entries, codePage);
    read.problems.insert(read.problems.end(), cellProblems.begin(), cellProblems.end());
    takeFileFindings(read, report);
    if (!report.problems.empty()) {
        return report;
    }
    change = std::make_unique<SetTextsCommand>(document, importPoStepName);
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        std::string& raw = texts[static_cast<std::size_t>(row - 1)];
        if (raw != before[static_cast<std::size_t>(row - 1)]) {
            change->add(row, StringTableDocument::TranslatedColumn, {std::move(raw), false});
        }
    }
    return report;
}

std::vector<std::string> exportPoFile(const std::filesystem::path& path,
                                      const ObjectTextsDocument& document, std::uint8_t sourceId,
                                      std::uint8_t targetId, const PoHeaderFields& header,
                                      const CodePage& codePage) {
    std::vector<std::string> problems;
    const std::vector<PoEntry> entries =
        objTextsToPo(document.files(), sourceId, targetId, codePage, problems);
    if (problems.empty()) {
        writePoFile(path, header, entries);
    }
    return problems;
}

PoImportReport importPoFile(const std::filesystem::path& path, ObjectTextsDocument& document,
                            std::uint8_t targetId, const CodePage& codePage) {
    ObjectPoImport import = objectPoImport(path, document, targetId, codePage);
    if (import.step) {
        import.step->redo();
    }
    return import.report;
}

ObjectPoImport objectPoImport(const std::filesystem::path& path, ObjectTextsDocument& document,
                              std::uint8_t targetId, const CodePage& codePage) {
    PoReadResult read = readPoFile(path);
    ObjectPoImport import;
    // The file's own problems keep every message from being applied.
    PoImportReport& report = import.report;
    import.step = objPoStep(document, read.entries, targetId, codePage, report);
    takeFileFindings(read, report);
    if (!report.problems.empty()) {
        import.step.reset();
    }
    return import;
}

std::string importReportText(const PoImportReport& report, std::size_t limit) {
    const bool rejected = !report.problems.empty();
    const std::vector<std::string>& lines = rejected ? report.problems : report.warnings;
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
