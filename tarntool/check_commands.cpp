#include "tarntool/check_commands.h"

#include <iostream>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "exetext/exe_profile.h"
#include "exetext/space_budget.h"
#include "objfiles/object_folder.h"
#include "tarntool/arguments.h"
#include "tarntool/command_error.h"
#include "tarntool/exe_import_save.h"
#include "textcodes/translation_checks.h"

namespace tarn::tool {

namespace {

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
        spaceBudget(profileByNumber(read.profile).TextAreas, read.texts, false);
    std::cout << spaceBudgetText(budget) << "\n";
    for (const int text : budget.unplaced) {
        std::cout << text << "\n";
    }
    return budget.fits() ? kOk : kFailed;
}

int exeCheck(const ExeCheckOptions& options) {
    const ByteCharacters cp = byteCharacters(parseCodePage(options.codePage));
    const ExecutableTexts originals = executableTexts(options.original);
    const ExecutableTexts translations = executableTexts(options.translated);
    const std::vector<TextFinding> findings =
        checkTranslations(originals.texts, translations.texts, false, cp);
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
    const ByteCharacters cp = byteCharacters(parseCodePage(options.codePage));
    const auto sourceId =
        static_cast<std::uint8_t>(parseNumber(options.sourceId, 0, 254, "--source-id"));
    const auto targetId =
        static_cast<std::uint8_t>(parseNumber(options.targetId, 0, 254, "--target-id"));
    const auto objData = findObjDataFolder(options.gameDir);
    if (!objData) {
        throw unreadableInput(options.gameDir + ": no ObjData folder");
    }
    std::vector<ObjFile> files;
    std::string current = objData->string();  // the file being read, named in an error
    readingInput(current, [&] {
        loadObjectFolder(*objData, files, [&](std::size_t, std::size_t, const std::string& name) {
            current = (*objData / name).string();
        });
    });

    nlohmann::json all = nlohmann::json::array();
    bool error = false;
    std::vector<CheckFinding> findings;
    for (const ObjFile& file : files) {
        for (std::size_t g = 0; g < file.Texts.size(); ++g) {
            const ObjText* source = nullptr;
            const ObjText* target = nullptr;
            for (const ObjText& entry : file.Texts[g]) {
                source = entry.ID == sourceId && !source ? &entry : source;
                target = entry.ID == targetId && !target ? &entry : target;
            }
            if (!source || !target) {
                continue;
            }
            findings.clear();
            checkTranslation(source->Text, target->Text, false, cp, findings);
            for (const CheckFinding& f : findings) {
                error = error || f.severity == Severity::Error;
                if (options.json) {
                    nlohmann::json item = {{"file", file.FileName}, {"group", g}};
                    item.update(findingJson(f));
                    all.push_back(std::move(item));
                } else {
                    std::cout << file.FileName << " " << g << " " << findingLine(f) << "\n";
                }
            }
        }
    }
    if (options.json) {
        std::cout << all.dump(2) << "\n";
    }
    return error ? kFailed : kOk;
}

}  // namespace tarn::tool
