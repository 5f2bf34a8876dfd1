// tarntool exe info|export|import|sample: the game executable's texts from the command line.
#include <unistd.h>

#include <charconv>
#include <iostream>
#include <memory>
#include <optional>

#include "common/errors.h"
#include "common/file_io.h"
#include "exetext/exe_profile.h"
#include "exetext/sample_executable.h"
#include "exetext/string_table_reader.h"
#include "exetext/string_table_writer.h"
#include "tarntool/arguments.h"
#include "tarntool/commands.h"
#include "tarntool/exe_text_lines.h"

namespace tarn::tool {

namespace {

struct InfoOptions {
    std::string file;
};

struct ExportOptions {
    std::string file;
    std::optional<std::string> out;
};

struct ImportOptions {
    std::string file;
    std::string texts;
    std::optional<std::string> primaryId;
    std::optional<std::string> secondaryId;
    std::optional<std::string> shares;
};

struct SampleOptions {
    std::string profile;
    std::string out;
    std::optional<std::string> texts;
};

std::uint8_t parseLangId(const std::string& text, const std::string& option) {
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value > 254) {
        throw UsageError(option + " takes a number from 0 to 254");
    }
    return static_cast<std::uint8_t>(value);
}

void reportUnknownSize(const std::string& path, std::uintmax_t size) {
    std::cerr << "tarntool: " << path << ": unknown file size " << size
              << ", not a known Tarn executable\n";
}

// Reads an executable of a known build; answers its profile number, or -1 after reporting
// an unknown size.
int readExecutable(const std::string& path, Bytes& file) {
    file = readWholeFile(path);
    const int profile = findProfile(static_cast<std::int64_t>(file.size()));
    if (profile == -1) {
        reportUnknownSize(path, file.size());
    }
    return profile;
}

bool readTextsFile(const std::string& path, std::vector<std::string>& rawTexts) {
    std::vector<std::string> errors;
    const Bytes contents = readWholeFile(path);
    if (parseTextLines(toString(contents), rawTexts, errors)) {
        return true;
    }
    for (const std::string& error : errors) {
        std::cerr << (error.starts_with("C-string error") ? "" : "tarntool: " + path + ": ")
                  << error << "\n";
    }
    return false;
}

// A file can be created in the folder of path (checked before anything is written).
void requireWritableFolder(const std::string& path) {
    const fs::path parent = fs::path(path).has_parent_path() ? fs::path(path).parent_path() : ".";
    if (!directoryExists(parent) || ::access(parent.c_str(), W_OK) != 0) {
        throw UsageError("cannot write " + path);
    }
}

int showInfo(const InfoOptions& o) {
    const std::uintmax_t size = fileSizeOf(o.file);
    const int profile = findProfile(static_cast<std::int64_t>(size));
    if (profile == -1) {
        reportUnknownSize(o.file, size);
        return kFailed;
    }
    std::cout << profile << " " << profileByNumber(profile).VariantName << "\n";
    return kOk;
}

int exportTexts(const ExportOptions& o) {
    if (o.out) {
        requireWritableFolder(*o.out);
    }
    Bytes file;
    const int profile = readExecutable(o.file, file);
    if (profile == -1) {
        return kFailed;
    }
    const ExeProfile& p = profileByNumber(profile);
    std::vector<std::string> texts;
    std::vector<int> notFound;
    try {
        readStringTable(file, texts, p.PointerBlocks, p.TextAreas, true, notFound);
    } catch (const StreamReadError& e) {
        throw UsageError(o.file + ": " + e.what() + " (a text runs to the end of the file)");
    }
    for (const int n : notFound) {
        std::cerr << "tarntool: string number " << n << " could not be found\n";
    }
    const std::string contents = textLinesToUtf8(texts);
    if (o.out) {
        writeFileAtomically(*o.out, toBytes(contents));
    } else {
        std::cout << contents << std::flush;
    }
    return kOk;
}

int importTexts(const ImportOptions& o) {
    std::optional<std::uint8_t> primary;
    std::optional<std::uint8_t> secondary;
    if (o.primaryId) {
        primary = parseLangId(*o.primaryId, "--primary-id");
    }
    if (o.secondaryId) {
        secondary = parseLangId(*o.secondaryId, "--secondary-id");
    }
    if (o.shares) {
        requireWritableFolder(*o.shares);
    }
    if (!fileExists(o.file)) {
        throw UsageError(o.file + ": no such file");
    }
    if (isReadOnlyFile(o.file)) {
        throw UsageError(o.file + ": the file is read-only");
    }
    std::vector<std::string> rawTexts;
    if (!readTextsFile(o.texts, rawTexts)) {
        return kBadUse;
    }
    Bytes file;
    const int profile = readExecutable(o.file, file);
    if (profile == -1) {
        return kFailed;
    }
    const auto langSpot = static_cast<std::size_t>(profileByNumber(profile).FixupSpots[LangIdSpot]);
    SaveOptions options;
    options.primaryLangId = primary.value_or(file[langSpot]);
    options.secondaryLangId = secondary.value_or(file[langSpot + kSecondaryLangIdOffset]);
    file.clear();

    const SaveResult result = saveStrings(o.file, rawTexts, options);
    if (o.shares) {
        std::string lines;
        for (const int target : result.shareTargets) {
            lines += target == 0 ? "\n" : std::to_string(target) + "\n";
        }
        writeFileAtomically(*o.shares, toBytes(lines));
    }
    if (!result.saved) {
        std::cerr << kNotEnoughSpaceMessage << "\n";
        return kFailed;
    }
    std::cout << freeSpaceText(result.freeSpace) << "\n";
    return kOk;
}

int makeSample(const SampleOptions& o) {
    if (o.profile.size() != 1 || o.profile[0] < '1' || o.profile[0] > '4') {
        throw UsageError("the profile number must be 1 to 4");
    }
    requireWritableFolder(o.out);
    std::vector<std::string> rawTexts;
    if (o.texts) {
        if (!readTextsFile(*o.texts, rawTexts)) {
            return kBadUse;
        }
    } else {
        rawTexts = sampleTexts();
    }
    Bytes file;
    try {
        file = makeSampleExecutable(o.profile[0] - '0', rawTexts);
    } catch (const std::invalid_argument& e) {
        std::cerr << "tarntool: " << e.what() << "\n";
        return kFailed;
    }
    writeFileAtomically(o.out, file);
    return kOk;
}

// A file that cannot be read or written is bad use here: nothing was changed.
template <typename Options>
CommandRun exeRun(std::shared_ptr<Options> options, int (*command)(const Options&)) {
    return [options, command] {
        try {
            return command(*options);
        } catch (const FileError& e) {
            throw UsageError(e.what());
        }
    };
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
                    {"info", "Prints the build of a game executable (profile number and name)",
                     "info FILE", "exe info takes one FILE", true},
                    exeRun(inf, &showInfo))
        .add_option("FILE", inf->file, "the game executable")
        ->required()
        ->type_name("");

    auto exp = std::make_shared<ExportOptions>();
    CLI::App& exportCommand = tool.addCommand(
        exe,
        {"export", "Writes the 3453 texts as UTF-8 lines in C-style notation",
         "export FILE [-o OUT]", "exe export takes one FILE"},
        exeRun(exp, &exportTexts));
    exportCommand.add_option("FILE", exp->file, "the game executable")->required()->type_name("");
    addOptional(exportCommand, "-o", "OUT", exp->out, "the texts file (standard output without it)");

    auto imp = std::make_shared<ImportOptions>();
    CLI::App& importCommand = tool.addCommand(
        exe,
        {"import", "Writes the texts of a texts file into the game executable",
         "import FILE TEXTS [--primary-id N] [--secondary-id N] [--shares OUT]",
         "exe import takes FILE and TEXTS"},
        exeRun(imp, &importTexts));
    importCommand.add_option("FILE", imp->file, "the game executable, rewritten")
        ->required()
        ->type_name("");
    importCommand.add_option("TEXTS", imp->texts, "the texts file")->required()->type_name("");
    addOptional(importCommand, "--primary-id", "N", imp->primaryId,
                "the preferred object-text language ID (0 to 254; kept without it)");
    addOptional(importCommand, "--secondary-id", "N", imp->secondaryId,
                "the fallback object-text language ID (0 to 254; kept without it)");
    addOptional(importCommand, "--shares", "OUT", imp->shares,
                "writes, per text, the number of the text whose bytes it shares");

    auto smp = std::make_shared<SampleOptions>();
    CLI::App& sampleCommand = tool.addCommand(
        exe,
        {"sample", "Makes a sample executable of a known build (profile 1 to 4)",
         "sample PROFILE OUT [--texts TEXTS]", "exe sample takes PROFILE and OUT"},
        exeRun(smp, &makeSample));
    sampleCommand.add_option("PROFILE", smp->profile, "the profile number, 1 to 4")
        ->required()
        ->type_name("");
    sampleCommand.add_option("OUT", smp->out, "the executable to write")->required()->type_name("");
    addOptional(sampleCommand, "--texts", "TEXTS", smp->texts, "a texts file with the texts to hold");
}

}  // namespace tarn::tool
