// SPDX-License-Identifier: GPL-3.0-or-later
// tarntool obj export-po|import-po: the object files' texts as a gettext PO file, between a
// source and a target language ID.
#include <iostream>
#include <memory>

#include "common/utf8_path.h"
#include "exchange/object_po.h"
#include "exchange/po_notes.h"
#include "objfiles/object_folder.h"
#include "objfiles/object_texts_document.h"
#include "tarntool/arguments.h"
#include "tarntool/commands.h"
#include "tarntool/object_folder_input.h"
#include "tarntool/po_options.h"

namespace tarn::tool {

namespace {

struct ExportPoOptions {
    std::string game;
    std::string sourceId;
    std::string targetId;
    std::string out;
    PoTextOptions text;
};

struct ImportPoOptions {
    std::string game;
    std::string po;
    std::string targetId;
    PoTextOptions text;
    bool normalRle = false;
    bool force = false;
    bool repairChecksum = false;
};

std::uint8_t languageId(const std::string& text, const std::string& option) {
    return static_cast<std::uint8_t>(parseNumber(text, 0, 254, option));
}

// Loads the object files of the game folder's ObjData folder; a missing folder or a file that
// cannot be read is a problem, the files that could be read are loaded.
std::vector<Problem> loadGame(const std::string& game, ObjectTextsDocument& document) {
    const auto objData = findObjDataFolder(pathFromUtf8(game));
    if (!objData) {
        return {Problem{{}, game, {}, {}, "no ObjData folder"}};
    }
    std::vector<Problem> problems = document.loadFolder(*objData);
    reportUnfinishedSave(document);
    return problems;
}

int exportPo(const ExportPoOptions& o) {
    const std::uint8_t source = languageId(o.sourceId, "--source-id");
    const std::uint8_t target = languageId(o.targetId, "--target-id");
    const PoCharacterSetup setup = checkPoTextOptions(o.text);
    requireTextOutput(o.out);
    ObjectTextsDocument document;
    std::vector<Problem> problems = loadGame(o.game, document);
    const TranslationNotes notes =
        document.folder().empty() ? TranslationNotes() : readNotes(notesPathFor(document.folder()));
    std::vector<PoEntry> entries =
        objectTextsToPo(document.files(), source, target, setup.codePage, problems);
    if (!problems.empty()) {
        printLines(std::cerr, problems);
        throw unreadableInput("");  // reported above
    }
    PoHeaderFields header = poHeaderFor(o.text, setup.characters);
    addNotesToPo(entries, header, notes);
    writeTextOutput(o.out, formatPoFile(header, entries, o.out));
    return kOk;
}

int importPo(const ImportPoOptions& o) {
    const std::uint8_t target = languageId(o.targetId, "--target-id");
    const PoCharacterSetup setup = checkPoTextOptions(o.text);
    std::vector<Problem> problems;
    const PoMessages messages = readPoMessages(o.po, setup.characters, problems);
    // Held from before the files are read until they are written.
    std::optional<EditLock> lock;
    if (const auto objData = findObjDataFolder(pathFromUtf8(o.game))) {
        lock = lockObjectFolderForWriting(*objData, o.force);
    }
    ObjectTextsDocument document;
    const std::vector<Problem> loading = loadGame(o.game, document);
    problems.insert(problems.end(), loading.begin(), loading.end());
    const std::filesystem::path notesPath =
        document.folder().empty() ? std::filesystem::path() : notesPathFor(document.folder());
    const TranslationNotes notes = notesPath.empty() ? TranslationNotes() : readNotes(notesPath);
    std::vector<PoEntry> entries = messages.entries;
    acceptFuzzyUnderReview(entries, notes);
    PoImportReport report;
    const std::unique_ptr<ObjectTextsEdit> step =
        objectPoStep(document, entries, target, setup.codePage, report, typedCodesOf(o.text),
                  poProblemsOf(o.text));
    reportWarnings(o.po, report);
    refuseOrSkip(o.text, problems, report);
    if (step) {
        step->redo();
    }
    const ObjectSaveReport saved = document.saveModified(
        {!o.normalRle, o.repairChecksum ? WrongChecksumSave::Repair : WrongChecksumSave::Refuse,
         "tarntool obj import-po"});
    if (!saved.problems.empty()) {  // a file that may not or cannot be written: none was
        printLines(std::cerr, saved.problems);
        // Reported above, with how to write a file whose checksum is wrong.
        throw operationFailed(saved.wrongChecksums.empty()
                                  ? ""
                                  : "--repair-checksum writes such files with the right checksum");
    }
    if (!saved.failures.empty()) {
        printLines(std::cerr, saved.failures, "tarntool: ");
        throw operationFailed(std::to_string(saved.written.size()) +
                              " object files were written before the failure, the others are "
                              "unchanged");
    }
    std::cout << importSummaryLine(report.counts) << "\n";
    if (!notesPath.empty()) {
        keepImportedNotes(notesPath, notes, messages, namesObjectGroup(document.files()));
    }
    return partialImportStatus(report);
}

}  // namespace

void addObjPoCommands(Tool& tool) {
    CLI::App& obj = tool.family("obj");

    auto exp = std::make_shared<ExportPoOptions>();
    CLI::App& exportCommand = tool.addCommand(
        obj,
        {"export-po", "Writes the object texts of one language ID as a gettext PO file",
         "export-po GAME_DIR --source-id S --target-id T -o FILE.po [--language LL]\n"
         "                              [--code-page N]",
         "obj export-po takes GAME_DIR --source-id S --target-id T -o FILE.po"},
        [exp] { return exportPo(*exp); });
    exportCommand.add_option("GAME_DIR", exp->game, "the game folder (holds ObjData)")
        ->required()
        ->type_name("");
    exportCommand.add_option("--source-id", exp->sourceId, "the language ID of the msgids")
        ->required()
        ->type_name("S");
    exportCommand.add_option("--target-id", exp->targetId, "the language ID of the msgstrs")
        ->required()
        ->type_name("T");
    exportCommand.add_option("-o", exp->out, "the PO file to write (- for standard output)")
        ->required()
        ->type_name("FILE.po");
    addLanguageOption(exportCommand, exp->text);
    addCodePageOption(exportCommand, exp->text.codePage);

    auto imp = std::make_shared<ImportPoOptions>();
    CLI::App& importCommand = tool.addCommand(
        obj,
        {"import-po", "Sets the target language's texts from a PO file and saves the files",
         "import-po GAME_DIR FILE.po --target-id T [--code-page N] [--normal-rle]\n"
         "                              [--partial]",
         "obj import-po takes GAME_DIR FILE.po --target-id T"},
        [imp] { return importPo(*imp); });
    importCommand.add_option("GAME_DIR", imp->game, "the game folder (holds ObjData)")
        ->required()
        ->type_name("");
    importCommand.add_option("FILE.po", imp->po, "the PO file")->required()->type_name("");
    importCommand.add_option("--target-id", imp->targetId, "the language ID to set or add")
        ->required()
        ->type_name("T");
    addCodePageOption(importCommand, imp->text.codePage);
    addPoImportOptions(importCommand, imp->text);
    importCommand.add_flag("--normal-rle", imp->normalRle,
                           "the normal run-length encoder instead of the enhanced one");
    addForceOption(importCommand, imp->force);
    addRepairChecksumOption(importCommand, imp->repairChecksum);
}

}  // namespace tarn::tool
