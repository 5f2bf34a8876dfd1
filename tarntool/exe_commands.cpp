// tarntool exe info|export|import|sample: the game executable's texts from the command line.
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <iostream>
#include <optional>

#include "common/errors.h"
#include "common/file_io.h"
#include "exetext/exe_profile.h"
#include "exetext/sample_executable.h"
#include "exetext/string_table_reader.h"
#include "exetext/string_table_writer.h"
#include "tarntool/commands.h"
#include "tarntool/exe_text_lines.h"

namespace tarn::tool {

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kBadUse = 2;

const char* const kExeUsage =
    "usage: tarntool exe info FILE\n"
    "       tarntool exe export FILE [-o OUT]\n"
    "       tarntool exe import FILE TEXTS [--primary-id N] [--secondary-id N] [--shares OUT]\n"
    "       tarntool exe sample PROFILE OUT [--texts TEXTS]\n";

int badUse(const std::string& message) {
    std::cerr << "tarntool: " << message << "\n";
    return kBadUse;
}

// Positional arguments and --options with one value each.
struct ParsedArgs {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;

    std::optional<std::string> option(const std::string& name) const {
        std::optional<std::string> value;
        for (const auto& [key, v] : options) {
            if (key == name) {
                value = v;
            }
        }
        return value;
    }
};

// Answers an error message, or nothing when the arguments after the command name fit the
// allowed options and the number of positional arguments.
std::optional<std::string> parseArgs(const Args& args, const std::vector<std::string>& allowed,
                                     std::size_t positionalCount, const char* usage,
                                     ParsedArgs& out) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 1 && arg[0] == '-') {
            if (std::find(allowed.begin(), allowed.end(), arg) == allowed.end()) {
                return "unknown option " + arg;
            }
            if (i + 1 >= args.size()) {
                return "option " + arg + " needs a value";
            }
            out.options.emplace_back(arg, args[++i]);
        } else {
            out.positional.push_back(arg);
        }
    }
    if (out.positional.size() != positionalCount) {
        return std::string(usage);
    }
    return std::nullopt;
}

std::optional<std::uint8_t> parseLangId(const std::string& text) {
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value > 254) {
        return std::nullopt;
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
bool canCreateIn(const std::string& path) {
    const fs::path parent = fs::path(path).has_parent_path() ? fs::path(path).parent_path() : ".";
    return directoryExists(parent) && ::access(parent.c_str(), W_OK) == 0;
}

int info(const Args& args) {
    if (args.size() != 2) {
        return badUse("exe info takes one FILE");
    }
    const std::uintmax_t size = fileSizeOf(args[1]);
    const int profile = findProfile(static_cast<std::int64_t>(size));
    if (profile == -1) {
        reportUnknownSize(args[1], size);
        return kFailed;
    }
    std::cout << profile << " " << profileByNumber(profile).VariantName << "\n";
    return kOk;
}

int exportTexts(const Args& args) {
    ParsedArgs parsed;
    if (auto error = parseArgs(args, {"-o"}, 1, "exe export takes one FILE", parsed)) {
        return badUse(*error);
    }
    const std::string& path = parsed.positional[0];
    const auto out = parsed.option("-o");
    if (out && !canCreateIn(*out)) {
        return badUse("cannot write " + *out);
    }
    Bytes file;
    const int profile = readExecutable(path, file);
    if (profile == -1) {
        return kFailed;
    }
    const ExeProfile& p = profileByNumber(profile);
    std::vector<std::string> texts;
    std::vector<int> notFound;
    try {
        readStringTable(file, texts, p.PointerBlocks, p.TextAreas, true, notFound);
    } catch (const StreamReadError& e) {
        return badUse(path + ": " + e.what() + " (a text runs to the end of the file)");
    }
    for (const int n : notFound) {
        std::cerr << "tarntool: string number " << n << " could not be found\n";
    }
    const std::string contents = textLinesToUtf8(texts);
    if (out) {
        writeFileAtomically(*out, toBytes(contents));
    } else {
        std::cout << contents << std::flush;
    }
    return kOk;
}

int importTexts(const Args& args) {
    ParsedArgs parsed;
    if (auto error = parseArgs(args, {"--primary-id", "--secondary-id", "--shares"}, 2,
                               "exe import takes FILE and TEXTS", parsed)) {
        return badUse(*error);
    }
    const std::string& path = parsed.positional[0];
    SaveOptions options;
    std::optional<std::uint8_t> primary;
    std::optional<std::uint8_t> secondary;
    if (const auto v = parsed.option("--primary-id"); v && !(primary = parseLangId(*v))) {
        return badUse("--primary-id takes a number from 0 to 254");
    }
    if (const auto v = parsed.option("--secondary-id"); v && !(secondary = parseLangId(*v))) {
        return badUse("--secondary-id takes a number from 0 to 254");
    }
    const auto sharesPath = parsed.option("--shares");
    if (sharesPath && !canCreateIn(*sharesPath)) {
        return badUse("cannot write " + *sharesPath);
    }
    if (!fileExists(path)) {
        return badUse(path + ": no such file");
    }
    if (isReadOnlyFile(path)) {
        return badUse(path + ": the file is read-only");
    }
    std::vector<std::string> rawTexts;
    if (!readTextsFile(parsed.positional[1], rawTexts)) {
        return kBadUse;
    }
    Bytes file;
    const int profile = readExecutable(path, file);
    if (profile == -1) {
        return kFailed;
    }
    const auto langSpot = static_cast<std::size_t>(profileByNumber(profile).FixupSpots[LangIdSpot]);
    options.primaryLangId = primary.value_or(file[langSpot]);
    options.secondaryLangId = secondary.value_or(file[langSpot + kSecondaryLangIdOffset]);
    file.clear();

    const SaveResult result = saveStrings(path, rawTexts, options);
    if (sharesPath) {
        std::string lines;
        for (const int target : result.shareTargets) {
            lines += target == 0 ? "\n" : std::to_string(target) + "\n";
        }
        writeFileAtomically(*sharesPath, toBytes(lines));
    }
    if (!result.saved) {
        std::cerr << kNotEnoughSpaceMessage << "\n";
        return kFailed;
    }
    std::cout << freeSpaceText(result.freeSpace) << "\n";
    return kOk;
}

int sample(const Args& args) {
    ParsedArgs parsed;
    if (auto error = parseArgs(args, {"--texts"}, 2, "exe sample takes PROFILE and OUT", parsed)) {
        return badUse(*error);
    }
    const std::string& number = parsed.positional[0];
    if (number.size() != 1 || number[0] < '1' || number[0] > '4') {
        return badUse("the profile number must be 1 to 4");
    }
    const std::string& out = parsed.positional[1];
    if (!canCreateIn(out)) {
        return badUse("cannot write " + out);
    }
    std::vector<std::string> rawTexts;
    if (const auto texts = parsed.option("--texts")) {
        if (!readTextsFile(*texts, rawTexts)) {
            return kBadUse;
        }
    } else {
        rawTexts = sampleTexts();
    }
    Bytes file;
    try {
        file = makeSampleExecutable(number[0] - '0', rawTexts);
    } catch (const std::invalid_argument& e) {
        std::cerr << "tarntool: " << e.what() << "\n";
        return kFailed;
    }
    writeFileAtomically(out, file);
    return kOk;
}

}  // namespace

int runExeCommand(const Args& args) {
    const std::string command = args.empty() ? "" : args[0];
    try {
        if (command == "info")
            return info(args);
        if (command == "export")
            return exportTexts(args);
        if (command == "import")
            return importTexts(args);
        if (command == "sample")
            return sample(args);
        if (command == "budget")
            return runExeBudgetCommand(args);
        if (command == "check")
            return runExeCheckCommand(args);
    } catch (const FileError& e) {
        return badUse(e.what());
    }
    std::cerr << kExeUsage;
    return kBadUse;
}

}  // namespace tarn::tool
