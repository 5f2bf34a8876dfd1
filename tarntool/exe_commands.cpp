// SPDX-License-Identifier: GPL-3.0-or-later
// tarntool exe info|export|import|pseudo|sample|table-check: the game executable's texts from the
// command line.
#include <iostream>
#include <memory>
#include <optional>

#include "common/code_page.h"
#include "common/file_io.h"
#include "common/partial_file.h"
#include "common/utf8_path.h"
#include "exchange/texts_file.h"
#include "exetext/exe_profile.h"
#include "exetext/executable_texts.h"
#include "exetext/sample_executable.h"
#include "exetext/string_table_reader.h"
#include "exetext/string_table_writer.h"
#include "tarntool/arguments.h"
#include "tarntool/commands.h"
#include "tarntool/exe_import_save.h"
#include "textcodes/character_table.h"
#include "textcodes/cstyle.h"
#include "textcodes/pseudo_translation.h"

namespace tarn::tool {

namespace {

struct InfoOptions {
    std::string file;
};

struct ExportOptions {
    std::string file;
    std::optional<std::string> out;
    CodePageOptions codePage;  // --code-page, --table
    bool storedHex = false;    // the bytes as the file stores them, as the stand-in game prints
};

struct ImportOptions {
    ExeImportTarget target;  // the executable and how it is saved
    std::string texts;
    CodePageOptions codePage;  // --code-page, --table
    bool allowTypedCodes = false;
};

struct PseudoOptions {
    std::string original;
    std::string out;
    std::optional<std::string> expand;  // --expand PERCENT
    CodePageOptions codePage;           // --code-page, --table
};

struct SampleOptions {
    std::string profile;
    std::string out;
    std::optional<std::string> texts;
    CodePageOptions codePage;  // --code-page, --table
};

struct TableCheckOptions {
    std::string table;
    std::optional<std::string> codePage;
};

int showInfo(const InfoOptions& o) {
    const int profile = knownProfileOf(o.file);
    std::cout << profile << " " << profileByNumber(profile).variantName << "\n";
    if (findProfile(static_cast<std::int64_t>(fileSizeOf(pathFromUtf8(o.file)))) == -1) {
        const ExecutableTexts read = executableTexts(o.file);
        std::cout << languageIdsText(read.languageIds) << "\n"
                  << addedSectionText(read.addedTexts, read.addedBytes) << "\n";
        return kOk;
    }
    // A build's file: only the two ID bytes are read.
    const LanguageIds ids = readingInput(o.file, [&] {
        PartialFile file(pathFromUtf8(o.file));
        return readLanguageIds(file, profileByNumber(profile));
    });
    std::cout << languageIdsText(ids) << "\n";
    return kOk;
}

// Gathers small pieces into blocks for a writer.
class BlockWriter {
public:
    explicit BlockWriter(const ByteWriter& write) : write_(write) {}

    void add(std::string_view piece) {
        buffer_ += piece;
        if (buffer_.size() >= kBlockSize) {
            flush();
        }
    }
    void flush() {
        if (!buffer_.empty()) {
            write_(buffer_);
            buffer_.clear();
        }
    }

private:
    static constexpr std::size_t kBlockSize = 1 << 16;
    const ByteWriter& write_;
    std::string buffer_;
};

// One line per text, written as each text is read, so that texts which run on far past their
// area never need to be in memory together; kNotFoundText for a text whose pointer leads nowhere.
// Exits 1 when a text could not be found, once every line is written.
int exportTexts(const ExportOptions& o) {
    const CodePage codePage = parseCodePage(o.codePage);
    if (o.out) {
        requireTextOutput(*o.out);
    }
    ExecutableTexts read;
    auto writeLines = [&](const ByteWriter& write) {
        BlockWriter lines(write);
        readingInput(o.file, [&] {
            visitExecutableTexts(pathFromUtf8(o.file), read, [&](int n, const std::string* raw) {
                if (raw == nullptr) {
                    std::cerr << "tarntool: string number " << n << " could not be found\n";
                    lines.add(textsFileLine(kNotFoundText));
                } else if (o.storedHex) {
                    // The stored bytes (a picture as 23 and four bytes), as the stand-in prints.
                    lines.add(toHex(expandPictures(*raw)) + '\n');
                } else {
                    lines.add(textsFileLine(rawToCStyle(*raw), codePage));
                }
            });
        });
        lines.flush();
    };
    if (o.out && !isStandardOutput(*o.out)) {
        streamFileAtomically(pathFromUtf8(*o.out), [&](const ByteWriter& write) {
            // A failed write is the operation's failure, not unreadable input.
            writeLines([&](std::string_view piece) {
                try {
                    write(piece);
                } catch (const FileError& e) {
                    throw operationFailed(e.what());
                }
            });
        });
    } else {
        writeLines([](std::string_view piece) {
            std::cout.write(piece.data(), static_cast<std::streamsize>(piece.size()));
        });
        std::cout << std::flush;
    }
    return read.notFound.empty() ? kOk : kFailed;
}

int importTexts(const ImportOptions& o) {
    const CodePage codePage = parseCodePage(o.codePage);
    const std::optional<EditLock> lock = checkExeImportTarget(o.target);
    const std::vector<std::string> texts = readTextsFile(
        o.texts, codePage, o.allowTypedCodes ? TypedCodes::Allowed : TypedCodes::Refused);
    return saveExeImport(o.target, texts, identityBeforeReading(o.target.path));
}

// The texts file of exe export with every text pseudo-translated; a text whose pointer leads
// nowhere keeps the export's line for it.
int writePseudoTranslation(const PseudoOptions& o) {
    const CodePage codePage = parseCodePage(o.codePage);
    const unsigned percent =
        o.expand ? parseNumber(*o.expand, 0, static_cast<unsigned>(kMostExpandPercent), "--expand")
                 : static_cast<unsigned>(kDefaultExpandPercent);
    requireTextOutput(o.out);
    const ExecutableTexts read = executableTexts(o.original);
    std::vector<bool> notFound(read.texts.size(), false);
    for (const int n : read.notFound) {
        std::cerr << "tarntool: string number " << n << " could not be found\n";
        notFound[static_cast<std::size_t>(n - 1)] = true;
    }
    const PseudoLetters letters = pseudoLetters(codePage);
    std::vector<std::string> lines(read.texts.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        lines[i] =
            notFound[i]
                ? std::string(kNotFoundText)
                : rawToCStyle(pseudoTranslate(read.texts[i], static_cast<int>(percent), letters));
    }
    writeTextOutput(o.out, formatTextsFile(lines, codePage));
    return kOk;
}

int makeSample(const SampleOptions& o) {
    if (o.profile.size() != 1 || o.profile[0] < '1' || o.profile[0] > '4') {
        throw UsageError("the profile number must be 1 to 4");
    }
    const CodePage codePage = parseCodePage(o.codePage);
    requireWritableFolder(o.out);
    const std::vector<std::string> rawTexts =
        o.texts ? readTextsFile(*o.texts, codePage) : sampleTexts();
    Bytes file;
    try {
        file = makeSampleExecutable(o.profile[0] - '0', rawTexts);
    } catch (const std::invalid_argument& e) {  // the texts do not fit
        throw operationFailed(e.what());
    }
    writeFileAtomically(pathFromUtf8(o.out), file);
    noteZeroFilledSample();
    return kOk;
}

// Prints what a sound table places, one line a byte; the first problem is bad use.
int checkTable(const TableCheckOptions& o) {
    const CodePage page = parseCodePageNumber(o.codePage);
    const Bytes bytes = readingInput(o.table, [&] { return readWholeFile(pathFromUtf8(o.table)); });
    const CharacterTable table = readCharacterTable(toString(bytes), page);
    if (!table.ok()) {
        throw UsageError(o.table + ": " + table.error);
    }
    for (const std::string& line : describeCharacterTable(table, page)) {
        std::cout << line << "\n";
    }
    return kOk;
}

}  // namespace

void addExeCommands(Tool& tool) {
    UsageStyle style;
    style.usageAfterErrors = false;
    style.bareUsageForBadCommand = true;
    style.needsValue = "option ";
    CLI::App& exe = tool.addFamily("exe", "The game executable's texts", style);

    auto inf = std::make_shared<InfoOptions>();
    tool.addCommand(exe,
                    {"info", "Prints the build of a game executable and its language IDs",
                     "info FILE", "exe info takes one FILE", true},
                    [inf] { return showInfo(*inf); })
        .add_option("FILE", inf->file, "the game executable")
        ->required()
        ->type_name("");

    auto exp = std::make_shared<ExportOptions>();
    CLI::App& exportCommand =
        tool.addCommand(exe,
                        {"export", "Writes the 3453 texts as UTF-8 lines in C-style notation",
                         "export FILE [-o OUT] [--code-page N] [--stored-hex]",
                         "exe export takes one FILE"},
                        [exp] { return exportTexts(*exp); });
    exportCommand.add_option("FILE", exp->file, "the game executable")->required()->type_name("");
    addOptional(exportCommand, "-o", "OUT", exp->out,
                "the texts file (standard output without it or with -)");
    addCodePageOption(exportCommand, exp->codePage);
    exportCommand.add_flag("--stored-hex", exp->storedHex,
                           "each text's stored bytes as hexadecimal, as the stand-in game prints "
                           "them");

    auto imp = std::make_shared<ImportOptions>();
    CLI::App& importCommand = tool.addCommand(
        exe,
        {"import", "Writes the texts of a texts file into the game executable",
         "import FILE TEXTS [--primary-id N] [--secondary-id N] [--shares OUT] [--grow]\n"
         "                              [--code-page N]",
         "exe import takes FILE and TEXTS"},
        [imp] { return importTexts(*imp); });
    importCommand.add_option("FILE", imp->target.path, "the game executable, rewritten")
        ->required()
        ->type_name("");
    importCommand.add_option("TEXTS", imp->texts, "the texts file")->required()->type_name("");
    addSaveOptions(importCommand, imp->target);
    addCodePageOption(importCommand, imp->codePage);
    addAllowTypedCodesOption(importCommand, imp->allowTypedCodes);

    auto pse = std::make_shared<PseudoOptions>();
    CLI::App& pseudoCommand = tool.addCommand(
        exe,
        {"pseudo",
         "Writes every text pseudo-translated (accented, bracketed, longer) as a texts file",
         "pseudo ORIGINAL -o OUT [--expand PERCENT] [--code-page N]",
         "exe pseudo takes ORIGINAL -o OUT"},
        [pse] { return writePseudoTranslation(*pse); });
    pseudoCommand.add_option("ORIGINAL", pse->original, "the original game executable")
        ->required()
        ->type_name("");
    pseudoCommand.add_option("-o", pse->out, "the texts file to write (- for standard output)")
        ->required()
        ->type_name("OUT");
    addOptional(pseudoCommand, "--expand", "PERCENT", pse->expand,
                "each text's growth in percent of its stored bytes, brackets included: 0 to " +
                    std::to_string(kMostExpandPercent) + " (" +
                    std::to_string(kDefaultExpandPercent) + " without it)");
    addCodePageOption(pseudoCommand, pse->codePage);

    auto smp = std::make_shared<SampleOptions>();
    CLI::App& sampleCommand = tool.addCommand(
        exe,
        {"sample", "Makes a sample executable of a known build (profile 1 to 4)",
         "sample PROFILE OUT [--texts TEXTS] [--code-page N]", "exe sample takes PROFILE and OUT"},
        [smp] { return makeSample(*smp); });
    sampleCommand.add_option("PROFILE", smp->profile, "the profile number, 1 to 4")
        ->required()
        ->type_name("");
    sampleCommand.add_option("OUT", smp->out, "the executable to write")->required()->type_name("");
    addOptional(sampleCommand, "--texts", "TEXTS", smp->texts,
                "a texts file with the texts to hold");
    addCodePageOption(sampleCommand, smp->codePage);

    auto tbl = std::make_shared<TableCheckOptions>();
    CLI::App& tableCommand = tool.addCommand(
        exe,
        {"table-check", "Checks a character table and prints the characters it places",
         "table-check TABLE [--code-page N]", "exe table-check takes one TABLE"},
        [tbl] { return checkTable(*tbl); });
    tableCommand.add_option("TABLE", tbl->table, "the character table")->required()->type_name("");
    addOptional(tableCommand, "--code-page", "N", tbl->codePage,
                "the code page under the table: 874 or 1250 to 1258 (1252 without it)");
}

}  // namespace tarn::tool
