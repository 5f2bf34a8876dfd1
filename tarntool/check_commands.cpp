// SPDX-License-Identifier: GPL-3.0-or-later
#include "tarntool/check_commands.h"

#include <algorithm>
#include <iostream>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "common/utf8_path.h"
#include "exetext/exe_profile.h"
#include "exetext/space_budget.h"
#include "objfiles/object_folder.h"
#include "objfiles/object_texts_check.h"
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
        folder = pathFromUtf8(*options.dictionaryFolder);
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

nlohmann::json budgetJson(const SpaceBudget& budget) {
    nlohmann::json tooLong = nlohmann::json::array();
    for (const TooLongText& text : budget.tooLong) {
        tooLong.push_back(
            {{"text", text.text}, {"excess", text.excess}, {"largest_area", text.largestArea}});
    }
    return {{"fits", budget.fits()},
            {"free", budget.freeSpace},
            {"longest_fitting", budget.longestFitting},
            {"over", budget.shortfall},
            {"at_least", budget.atLeast},
            {"unplaced", budget.unplaced},
            {"too_long", tooLong},
            {"added_section", {{"texts", budget.addedTexts}, {"bytes", budget.addedBytes}}}};
}

// The findings left after those of the skipped checks; an unknown check name is bad use.
void leaveOutSkipped(std::vector<TextFinding>& findings, const std::vector<std::string>& skip) {
    for (const std::string& name : skip) {
        if (std::find(kCheckNames.begin(), kCheckNames.end(), name) == kCheckNames.end()) {
            std::string known;
            for (const std::string_view check : kCheckNames) {
                known += (known.empty() ? "" : ", ") + std::string(check);
            }
            throw UsageError("--skip: there is no check \"" + name + "\" (the checks: " + known +
                             ")");
        }
    }
    std::erase_if(findings, [&](const TextFinding& f) {
        return std::find(skip.begin(), skip.end(), f.finding.check) != skip.end();
    });
}

}  // namespace

int exeBudget(const ExeBudgetOptions& options) {
    const CodePage codePage = parseCodePage(options.codePage);
    ExecutableTexts read = executableTexts(options.translated);
    if (options.texts) {
        read.texts = readTextsFile(*options.texts, codePage);
    }
    const SpaceBudget budget = spaceBudget(profileByNumber(read.profile).textAreas, read.texts,
                                           Notation::Raw, options.grow);
    if (options.json) {
        std::cout << budgetJson(budget).dump(2) << "\n";
    } else {
        std::cout << spaceBudgetText(budget) << "\n";
        for (const int text : budget.unplaced) {
            std::cout << text << "\n";
        }
    }
    return budget.fits() ? kOk : kFailed;
}

int exeCheck(const ExeCheckOptions& options) {
    const CodePage codePage = parseCodePage(options.codePage);
    const ByteCharacters cp = byteCharacters(codePage);
    std::vector<TextFinding> none;
    leaveOutSkipped(none, options.skip);
    const auto speller = openSpelling(options.spelling);
    const ExecutableTexts originals = executableTexts(options.original);
    const ExecutableTexts translations = executableTexts(options.translated);
    std::vector<TextFinding> findings =
        checkTranslations(originals.texts, translations.texts, Notation::Raw, cp);
    if (speller) {
        mergeFindings(findings, checkSpelling(originals.texts, translations.texts, Notation::Raw,
                                              codePage, *speller));
    }
    leaveOutSkipped(findings, options.skip);
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

int objCheck(const ObjectCheckOptions& options) {
    const CodePage codePage = parseCodePage(options.codePage);
    const ByteCharacters cp = byteCharacters(codePage);
    const auto sourceId =
        static_cast<std::uint8_t>(parseNumber(options.sourceId, 0, 254, "--source-id"));
    const auto targetId =
        static_cast<std::uint8_t>(parseNumber(options.targetId, 0, 254, "--target-id"));
    std::vector<TextFinding> none;
    leaveOutSkipped(none, options.skip);
    const auto speller = openSpelling(options.spelling);
    const auto objData = findObjDataFolder(pathFromUtf8(options.gameDir));
    if (!objData) {
        throw unreadableInput(options.gameDir + ": no ObjData folder");
    }
    ObjectTextsDocument document;
    loadEveryObjectFile(document, *objData);
    const std::vector<ObjectFile>& files = document.files();

    // Every group with both texts, as one list, so that the checks across texts see them all.
    const std::vector<ObjectTextPair> pairs = objectTextPairs(files, sourceId, targetId);
    std::vector<TextFinding> findings = checkObjectTexts(files, pairs, cp);
    if (speller) {
        std::vector<std::string> sources;
        std::vector<std::string> targets;
        for (const ObjectTextPair& pair : pairs) {
            sources.push_back(pair.source);
            targets.push_back(pair.target);
        }
        mergeFindings(findings, checkSpelling(sources, targets, Notation::Raw, codePage, *speller));
    }
    leaveOutSkipped(findings, options.skip);

    nlohmann::json all = nlohmann::json::array();
    // The files' own findings first: a damaged file, named once rather than in each group.
    for (const ObjectFile& file : files) {
        if (const std::optional<CheckFinding> finding = checksumFinding(file)) {
            if (options.json) {
                nlohmann::json item = {{"file", file.fileName}};
                item.update(findingJson(*finding));
                all.push_back(std::move(item));
            } else {
                std::cout << file.fileName << " " << findingLine(*finding) << "\n";
            }
        }
    }
    for (const TextFinding& f : findings) {
        const ObjectTextPair& pair = pairs[static_cast<std::size_t>(f.text - 1)];
        if (options.json) {
            nlohmann::json item = {{"file", files[pair.file].fileName}, {"group", pair.group}};
            item.update(findingJson(f.finding));
            all.push_back(std::move(item));
        } else {
            std::cout << groupLabel(files, pair) << " " << findingLine(f.finding) << "\n";
        }
    }
    if (options.json) {
        std::cout << all.dump(2) << "\n";
    }
    return hasError(findings) ? kFailed : kOk;
}

}  // namespace tarn::tool
