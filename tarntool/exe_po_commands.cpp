// SPDX-License-Identifier: GPL-3.0-or-later
// tarntool exe export-po|import-po: the executable's texts as a gettext PO file.
#include <iostream>
#include <memory>

#include "common/utf8_path.h"
#include "exchange/exe_po.h"
#include "exchange/po_notes.h"
#include "tarntool/arguments.h"
#include "tarntool/commands.h"
#include "tarntool/exe_import_save.h"
#include "tarntool/po_options.h"

namespace tarn::tool {

namespace {

struct ExportPoOptions {
    std::string original;
    std::string translated;
    std::string out;
    PoTextOptions text;
};

struct ImportPoOptions {
    ExeImportTarget target;  // the translated executable and how it is saved
    std::string po;
    PoTextOptions text;
};

int exportPo(const ExportPoOptions& o) {
    const PoCharacterSetup setup = checkPoTextOptions(o.text);
    requireTextOutput(o.out);
    const TranslationNotes notes = readNotes(notesPathFor(pathFromUtf8(o.translated)));
    ExecutableTexts read[2];
    const std::string* paths[2] = {&o.original, &o.translated};
    for (int i = 0; i < 2; ++i) {
        read[i] = executableTexts(*paths[i]);
        for (const int n : read[i].notFound) {
            std::cerr << "tarntool: " << *paths[i] << ": string number " << n
                      << " could not be found\n";
        }
    }
    PoHeaderFields header = poHeaderFor(o.text, setup.characters);
    std::vector<PoEntry> entries = exeTextsToPo(read[0].texts, read[0].notFound, read[1].texts,
                                                read[1].notFound, setup.codePage);
    addNotesToPo(entries, header, notes);
    writeTextOutput(o.out, formatPoFile(header, entries, o.out));
    return read[0].notFound.empty() && read[1].notFound.empty() ? kOk : kFailed;
}

int importPo(const ImportPoOptions& o) {
    const PoCharacterSetup setup = checkPoTextOptions(o.text);
    const ExeImportTarget& target = o.target;
    const std::optional<EditLock> lock = checkExeImportTarget(target);
    const std::filesystem::path notesPath = notesPathFor(pathFromUtf8(target.path));
    const TranslationNotes notes = readNotes(notesPath);
    std::vector<Problem> problems;
    const PoMessages messages = readPoMessages(o.po, setup.characters, problems);
    std::vector<PoEntry> entries = messages.entries;
    acceptFuzzyUnderReview(entries, notes);
    ExecutableTexts current;
    FileIdentity read;
    try {
        read = identityBeforeReading(target.path);
        current = executableTexts(target.path);
    } catch (const CommandError&) {
        printLines(std::cerr, problems);  // the PO file's problems come first
        throw;
    }
    const PoImportReport report = applyExePo(current.texts, entries, setup.codePage,
                                             typedCodesOf(o.text), poProblemsOf(o.text));
    reportWarnings(o.po, report);
    refuseOrSkip(o.text, problems, report);
    const int saved = saveExeImport(target, current.texts, read, current.languageIds,
                                    importSummaryLine(report.counts));
    if (saved != kOk) {
        return saved;
    }
    const int count = static_cast<int>(current.texts.size());
    keepImportedNotes(notesPath, notes, messages, [count](const std::string& context) {
        return parseExeContext(context, count).has_value();
    });
    return partialImportStatus(report);
}

}  // namespace

void addExePoCommands(Tool& tool) {
    CLI::App& exe = tool.family("exe");

    auto exp = std::make_shared<ExportPoOptions>();
    CLI::App& exportCommand =
        tool.addCommand(exe,
                        {"export-po", "Writes the texts as a gettext PO file for translation tools",
                         "export-po ORIGINAL TRANSLATED -o FILE.po [--language LL] [--code-page N]",
                         "exe export-po takes ORIGINAL TRANSLATED -o FILE.po"},
                        [exp] { return exportPo(*exp); });
    exportCommand.add_option("ORIGINAL", exp->original, "the original executable")
        ->required()
        ->type_name("");
    exportCommand.add_option("TRANSLATED", exp->translated, "the translated executable")
        ->required()
        ->type_name("");
    exportCommand.add_option("-o", exp->out, "the PO file to write (- for standard output)")
        ->required()
        ->type_name("FILE.po");
    addLanguageOption(exportCommand, exp->text);
    addCodePageOption(exportCommand, exp->text.codePage);

    auto imp = std::make_shared<ImportPoOptions>();
    CLI::App& importCommand = tool.addCommand(
        exe,
        {"import-po", "Writes the translations of a PO file into the translated executable",
         "import-po TRANSLATED FILE.po [--code-page N] [--primary-id N] [--secondary-id N]\n"
         "                              [--shares OUT] [--grow] [--partial]",
         "exe import-po takes TRANSLATED and FILE.po"},
        [imp] { return importPo(*imp); });
    importCommand
        .add_option("TRANSLATED", imp->target.path, "the translated executable, rewritten")
        ->required()
        ->type_name("");
    importCommand.add_option("FILE.po", imp->po, "the PO file")->required()->type_name("");
    addCodePageOption(importCommand, imp->text.codePage);
    addPoImportOptions(importCommand, imp->text);
    addSaveOptions(importCommand, imp->target);
}

}  // namespace tarn::tool
