#include "tarntool/po_commands.h"

#include <ctime>
#include <iostream>

#include "common/errors.h"
#include "exchange/exe_po.h"
#include "exchange/obj_po.h"
#include "exchange/object_file_set.h"
#include "exchange/po_header.h"
#include "tarntool/command_line.h"
#include "tarntool/exe_import_save.h"

namespace tarn::tool {

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kBadInput = 2;

const char* const kUsage =
    "usage: tarntool exe export-po ORIGINAL TRANSLATED -o FILE.po [--language LL] [--code-page N]\n"
    "       tarntool exe import-po TRANSLATED FILE.po [--code-page N] [--primary-id N]\n"
    "                              [--secondary-id N] [--shares OUT]\n"
    "       tarntool obj export-po GAME_DIR --source-id S --target-id T -o FILE.po\n"
    "                              [--language LL] [--code-page N]\n"
    "       tarntool obj import-po GAME_DIR FILE.po --target-id T [--code-page N] [--normal-rle]\n";

// Texts are converted through the game's code page, Windows-1252.
void checkCodePage(const CommandLine& cl) {
    if (const auto page = cl.value("--code-page")) {
        parseNumber(*page, 1252, 1252, "the code page (only 1252 is known)");
    }
}

std::string language(const CommandLine& cl) {
    const std::string code = cl.value("--language").value_or("");
    if (!code.empty() && !isPoLanguageCode(code)) {
        throw UsageError("--language takes a code such as de or pt_BR, not \"" + code + "\"");
    }
    return code;
}

std::string required(const CommandLine& cl, const std::string& option) {
    const auto value = cl.value(option);
    if (!value) {
        throw UsageError("the option " + option + " is required");
    }
    return *value;
}

std::uint8_t languageId(const CommandLine& cl, const std::string& option) {
    return static_cast<std::uint8_t>(parseNumber(required(cl, option), 0, 254, option));
}

void expectPositional(const CommandLine& cl, std::size_t count, const char* what) {
    if (cl.positional().size() != count) {
        throw UsageError(what);
    }
}

PoHeaderFields header(const CommandLine& cl) {
    return poHeader(language(cl), TARN_VERSION, std::time(nullptr));
}

void print(std::ostream& out, const std::vector<std::string>& lines, const std::string& prefix = "") {
    for (const std::string& line : lines) {
        out << prefix << line << "\n";
    }
}

// The messages of a PO file; its problems are appended to problems.
std::vector<PoEntry> readMessages(const std::string& path, std::vector<std::string>& problems) {
    PoReadResult read = readPoFile(path);
    print(std::cerr, read.warnings);
    problems.insert(problems.end(), read.problems.begin(), read.problems.end());
    return std::move(read.entries);
}

void reportImport(const std::string& poPath, const PoImportReport& report) {
    print(std::cerr, report.warnings, poPath + ": ");
}

int withUsage(int (*command)(const Args&), const Args& args) {
    try {
        return command(args);
    } catch (const UsageError& e) {
        std::cerr << "tarntool: " << e.what() << "\n" << kUsage;
        return kBadInput;
    } catch (const FileError& e) {
        std::cerr << "tarntool: " << e.what() << "\n";
        return kBadInput;
    }
}

int exportExe(const Args& args) {
    const CommandLine cl(args, 1, {"-o", "--language", "--code-page"}, {});
    expectPositional(cl, 2, "exe export-po takes ORIGINAL and TRANSLATED");
    const std::string out = required(cl, "-o");
    checkCodePage(cl);
    const PoHeaderFields fields = header(cl);

    ExeTexts read[2];
    for (int i = 0; i < 2; ++i) {
        const std::string& path = cl.positional()[static_cast<std::size_t>(i)];
        if (const auto failed = readExecutableTexts(path, read[i])) {
            return *failed;
        }
        for (const int n : read[i].notFound) {
            std::cerr << "tarntool: " << path << ": string number " << n
                      << " could not be found\n";
        }
    }
    writePoFile(out, fields,
                exeTextsToPo(read[0].texts, read[0].notFound, read[1].texts, read[1].notFound));
    return kOk;
}

int importExe(const Args& args) {
    const CommandLine cl(args, 1, {"--code-page", "--primary-id", "--secondary-id", "--shares"}, {});
    expectPositional(cl, 2, "exe import-po takes TRANSLATED and FILE.po");
    checkCodePage(cl);
    const ExeImportTarget target{cl.positional()[0], cl.value("--primary-id"),
                                 cl.value("--secondary-id"), cl.value("--shares")};
    if (const auto refused = checkExeImportTarget(target)) {
        return *refused;
    }
    const std::string& poPath = cl.positional()[1];
    std::vector<std::string> problems;
    const std::vector<PoEntry> entries = readMessages(poPath, problems);
    ExeTexts current;
    if (const auto failed = readExecutableTexts(target.path, current)) {
        print(std::cerr, problems);
        return problems.empty() ? *failed : kBadInput;
    }
    const PoImportReport report = applyExePo(current.texts, entries);
    reportImport(poPath, report);
    problems.insert(problems.end(), report.problems.begin(), report.problems.end());
    if (!problems.empty()) {
        print(std::cerr, problems);
        return kBadInput;
    }
    std::cout << importSummaryLine(report.counts) << "\n";
    return saveExeImport(target, current.texts, current.languageIds);
}

int exportObj(const Args& args) {
    const CommandLine cl(args, 1,
                         {"--source-id", "--target-id", "-o", "--language", "--code-page"}, {});
    expectPositional(cl, 1, "obj export-po takes GAME_DIR");
    const std::uint8_t source = languageId(cl, "--source-id");
    const std::uint8_t target = languageId(cl, "--target-id");
    const std::string out = required(cl, "-o");
    checkCodePage(cl);
    const PoHeaderFields fields = header(cl);

    const ObjectFileSet set = loadObjectFileSet(cl.positional()[0]);
    std::vector<std::string> problems = set.problems;
    const std::vector<PoEntry> entries = objTextsToPo(set.files, source, target, problems);
    if (!problems.empty()) {
        print(std::cerr, problems);
        return kBadInput;
    }
    writePoFile(out, fields, entries);
    return kOk;
}

int importObj(const Args& args) {
    const CommandLine cl(args, 1, {"--target-id", "--code-page"}, {"--normal-rle"});
    expectPositional(cl, 2, "obj import-po takes GAME_DIR and FILE.po");
    const std::uint8_t target = languageId(cl, "--target-id");
    checkCodePage(cl);

    const std::string& poPath = cl.positional()[1];
    std::vector<std::string> problems;
    const std::vector<PoEntry> entries = readMessages(poPath, problems);
    ObjectFileSet set = loadObjectFileSet(cl.positional()[0]);
    problems.insert(problems.end(), set.problems.begin(), set.problems.end());
    const PoImportReport report = applyObjPo(set.files, entries, target);
    reportImport(poPath, report);
    problems.insert(problems.end(), report.problems.begin(), report.problems.end());
    if (problems.empty()) {
        const ObjectSaveReport saved = saveChangedObjectFiles(set, !cl.has("--normal-rle"));
        problems = saved.problems;
        if (problems.empty()) {
            std::cout << importSummaryLine(report.counts) << "\n";
            if (!saved.failures.empty()) {
                print(std::cerr, saved.failures, "tarntool: ");
                std::cerr << "tarntool: " << saved.written.size()
                          << " object files were written before the failure, the others are "
                             "unchanged\n";
                return kFailed;
            }
            return kOk;
        }
    }
    print(std::cerr, problems);
    return kBadInput;
}

}  // namespace

int exportExePo(const Args& args) { return withUsage(exportExe, args); }
int importExePo(const Args& args) { return withUsage(importExe, args); }
int exportObjPo(const Args& args) { return withUsage(exportObj, args); }
int importObjPo(const Args& args) { return withUsage(importObj, args); }

}  // namespace tarn::tool
