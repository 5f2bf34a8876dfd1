#include "tarntool/check_commands.h"

#include <iostream>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "exetext/exe_profile.h"
#include "exetext/space_budget.h"
#include "objfiles/object_folder.h"
#include "objfiles/object_texts_document.h"
#include "spelling/spelling_check.h"
#include "tarntool/arguments.h"
#include "tarntool/command_error.h"
#include "tarntool/exe_import_save.h"
#include "tarntool/object_folder_input.h"
#include "textcodes/consistency_check.h"
#include "textcodes/translation_checks.h"

namespace tarn::tool {

namespace {

// The dictionary of --spelling, or none without it. A dictionary that cannot be found or read
// is unreadable input.
std::unique_ptr<SpellChecker> openSpelling(const SpellingOptions& options) {
    if (!options.language) {
        if (options.dictionaryFolder) {
            throw UsageError("--dictionary-dir needs --spelling LANG");
        }
        return nullptr;
    }
    std::optional<std::filesystem::path> folder;
    if (options.dictionaryFolder) {
        folder = *options.dictionaryFolder;
    }
    try {
        return SpellChecker::open(*options.language, dictionaryFolders(folder));
    } catch (const SpellingError& e) {
        throw unreadableInput(e.what());
    }
}

nlohmann::json findingJson(const CheckFinding& finding) {
    return {{"severity", severityName(finding.severity)},
            {"check", finding.check},
            {"message", finding.message}};
}

std::string findingLine(const CheckFinding& finding) {
    return std::string(severityName(finding.severity)) + " " + std::string(finding.check) + ": " +
           finding.message;
}

}  // namespace

int exeBudget(const ExeBudgetOptions& options) {
    const CodePage codePage = parseCodePage(options.codePage);
    ExecutableTexts read = executableTexts(options.translated);
    if (options.texts) {
        read.texts = readTextsFile(*options.texts, codePage);
    }
    const SpaceBudget budget =
        spaceBudget(profileByNumber(read.profile).textAreas, read.texts, false);
    std::cout << spaceBudgetText(budget) << "\n";
    for (const int text : budget.unplaced) {
        std::cout << text << "\n";
    }
    return budget.fits() ? kOk : kFailed;
}

int exeCheck(const ExeCheckOptions& options) {
    const CodePage codePage = parseCodePage(options.codePage);
    const ByteCharacters cp = byteCharacters(codePage);
    const auto speller = openSpelling(options.spelling);
    const ExecutableTexts originals = executableTexts(options.original);
    const ExecutableTexts translations = executableTexts(options.translated);
    std::vector<TextFinding> findings =
        checkTranslations(originals.texts, translations.texts, false, cp);
    if (speller) {
        mergeFindings(findings, checkSpelling(originals.texts, translations.texts, false, codePage,
                                              *speller));
    }
    if (options.json) {
        nlohmann::json all = nlohmann::json::array();
        for (const TextFinding& f : findings) {
            nlohmann::json item = {{"text", f.text}};
            item.update(findingJson(f.finding));
            all.push_back(std::move(item));
        }
        std::cout << all.dump(2) << "\n";
    } else {
        for (const TextFinding& f : findings) {
            // Four digits, as texts are numbered in the PO files (exe/0042).
            std::string number = std::to_string(f.text);
            number.insert(0, number.size() < 4 ? 4 - number.size() : 0, '0');
            std::cout << number << " " << findingLine(f.finding) << "\n";
        }
    }
    return hasError(findings) ? kFailed : kOk;
}

int objCheck(const ObjCheckOptions& options) {
    const CodePage codePage = parseCodePage(options.codePage);
    const ByteCharacters cp = byteCharacters(codePage);
    const auto sourceId =
        static_cast<std::uint8_t>(parseNumber(options.sourceId, 0, 254, "--source-id"));
    const auto targetId =
        static_cast<std::uint8_t>(parseNumber(options.targetId, 0, 254, "--target-id"));
    const auto speller = openSpelling(options.spelling);
    const auto objData = findObjDataFolder(options.gameDir);
    if (!objData) {
        throw unreadableInput(options.gameDir + ": no ObjData folder");
    }
    ObjectTextsDocument document;
    loadEveryObjectFile(document, *objData);
    const std::vector<ObjFile>& files = document.files();

    // Every group with both texts, as one list, so that the checks across texts see them all.
    struct Group {
        const ObjFile* file;
        std::size_t number;
    };
    std::vector<Group> groups;
    std::vector<std::string> sources;
    std::vector<std::string> targets;
    for (const ObjFile& file : files) {
        for (std::size_t g = 0; g < file.texts.size(); ++g) {
            const ObjText* source = nullptr;
            const ObjText* target = nullptr;
            for (const ObjText& entry : file.texts[g]) {
                source = entry.id == sourceId && !source ? &entry : source;
                target = entry.id == targetId && !target ? &entry : target;
            }
            if (source && target) {
                groups.push_back({&file, g});
                sources.push_back(source->text);
                targets.push_back(target->text);
            }
        }
    }
    auto label = [&groups](std::size_t i) {
        return groups[i].file->fileName + " " + std::to_string(groups[i].number);
    };
    std::vector<TextFinding> findings;  // text: the index into groups, from 1
    std::vector<CheckFinding> found;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        found.clear();
        checkTranslation(sources[i], targets[i], false, cp, found);
        for (CheckFinding& f : found) {
            findings.push_back({static_cast<int>(i + 1), std::move(f)});
        }
    }
    std::vector<TextFinding> across;
    for (const Inconsistency& i : findInconsistencies(sources, targets, cp)) {
        across.push_back({static_cast<int>(i.index + 1), inconsistentFinding(label(i.prevailing))});
    }
    mergeFindings(findings, std::move(across));
    if (speller) {
        mergeFindings(findings, checkSpelling(sources, targets, false, codePage, *speller));
    }

    nlohmann::json all = nlohmann::json::array();
    for (const TextFinding& f : findings) {
        const Group& group = groups[static_cast<std::size_t>(f.text - 1)];
        if (options.json) {
            nlohmann::json item = {{"file", group.file->fileName}, {"group", group.number}};
            item.update(findingJson(f.finding));
            all.push_back(std::move(item));
        } else {
            std::cout << label(static_cast<std::size_t>(f.text - 1)) << " "
                      << findingLine(f.finding) << "\n";
        }
    }
    if (options.json) {
        std::cout << all.dump(2) << "\n";
    }
    return hasError(findings) ? kFailed : kOk;
}

}  // namespace tarn::tool
