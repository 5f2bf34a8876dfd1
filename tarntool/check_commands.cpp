#include "tarntool/check_commands.h"

#include <iostream>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "common/errors.h"
#include "common/file_io.h"
#include "exetext/exe_profile.h"
#include "exetext/space_budget.h"
#include "exetext/string_table_reader.h"
#include "exchange/texts_file.h"
#include "objfiles/object_folder.h"
#include "objfiles/object_texts_document.h"
#include "tarntool/arguments.h"
#include "tarntool/tool.h"
#include "textcodes/translation_checks.h"

namespace tarn::tool {

namespace {

// Bad use or unreadable input: reported on standard error, exit status 2.
class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The raw texts of an executable of a known build, and its profile.
std::vector<std::string> executableTexts(const std::string& path, int& profile) {
    if (!fileExists(path)) {
        throw CommandError(path + ": no such file");
    }
    const Bytes file = readWholeFile(path);
    profile = findProfile(static_cast<std::int64_t>(file.size()));
    if (profile == -1) {
        throw CommandError(path + ": unknown file size " + std::to_string(file.size()) +
                           ", not a known Tarn executable");
    }
    const ExeProfile& p = profileByNumber(profile);
    std::vector<std::string> texts;
    std::vector<int> notFound;
    try {
        readStringTable(file, texts, p.PointerBlocks, p.TextAreas, false, notFound);
    } catch (const StreamReadError& e) {
        throw CommandError(path + ": " + e.what() + " (a text runs to the end of the file)");
    }
    return texts;
}

std::vector<std::string> textsFile(const std::string& path, const CodePage& codePage) {
    ParsedTextsFile parsed = parseTextsFile(toString(readWholeFile(path)), codePage);
    if (!parsed.errors.empty()) {
        std::string message;
        for (const TextsFileError& error : parsed.errors) {
            message += (message.empty() ? "" : "\n") + path + ": " + error.message;
        }
        throw CommandError(message);
    }
    return std::move(parsed.rawTexts);
}

// Runs a command body, turning its refusals and read failures into exit status 2.
template <typename Body>
int guarded(Body body) {
    try {
        return body();
    } catch (const std::exception& e) {  // refusals, unreadable files, bad numbers
        std::cerr << "tarntool: " << e.what() << "\n";
    }
    return kBadUse;
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
    return guarded([&] {
        const CodePage codePage = parseCodePage(options.codePage);
        int profile = -1;
        std::vector<std::string> texts = executableTexts(options.translated, profile);
        if (options.texts) {
            texts = textsFile(*options.texts, codePage);
        }
        const SpaceBudget budget = spaceBudget(profileByNumber(profile).TextAreas, texts, false);
        std::cout << spaceBudgetText(budget) << "\n";
        for (const int text : budget.unplaced) {
            std::cout << text << "\n";
        }
        return budget.fits() ? kOk : kFailed;
    });
}

int exeCheck(const ExeCheckOptions& options) {
    return guarded([&] {
        const ByteCharacters cp = byteCharacters(parseCodePage(options.codePage));
        int profile = -1;
        const std::vector<std::string> originals = executableTexts(options.original, profile);
        const std::vector<std::string> translations = executableTexts(options.translated, profile);
        const std::vector<TextFinding> findings =
            checkTranslations(originals, translations, false, cp);
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
    });
}

int objCheck(const ObjCheckOptions& options) {
    return guarded([&] {
        const ByteCharacters cp = byteCharacters(parseCodePage(options.codePage));
        const auto sourceId =
            static_cast<std::uint8_t>(parseNumber(options.sourceId, 0, 254, "--source-id"));
        const auto targetId =
            static_cast<std::uint8_t>(parseNumber(options.targetId, 0, 254, "--target-id"));
        const auto objData = findObjDataFolder(options.gameDir);
        if (!objData) {
            throw CommandError(options.gameDir + ": no ObjData folder");
        }
        ObjectTextsDocument document;
        const std::vector<std::string> problems = document.loadFolder(*objData);
        if (!problems.empty()) {
            for (const std::string& problem : problems) {
                std::cerr << "tarntool: " << problem << "\n";
            }
            return kBadUse;
        }
        const std::vector<ObjFile>& files = document.files();

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
    });
}

}  // namespace tarn::tool
