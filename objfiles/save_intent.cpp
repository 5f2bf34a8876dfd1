// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/save_intent.h"

#include <cinttypes>
#include <cstdio>
#include <exception>
#include <sstream>
#include <system_error>

#include "common/edit_lock.h"
#include "common/file_identity.h"
#include "common/file_io.h"
#include "common/this_process.h"
#include "common/utf8_path.h"

namespace tarn {

namespace {

struct SaveIntent {
    LockHolder writer;
    std::vector<IntendedWrite> files;
};

std::string fileLine(const IntendedWrite& file) {
    char numbers[48];
    std::snprintf(numbers, sizeof numbers, "%" PRIu64 " %016" PRIx64 " ", file.size, file.hash);
    return "file=" + std::string(numbers) + file.name + "\n";
}

// "351 9f86d081884c7d65 Creature.dat"; nothing when the line is not of that form.
std::optional<IntendedWrite> parseFile(const std::string& value) {
    const auto first = value.find(' ');
    const auto second = first == std::string::npos ? first : value.find(' ', first + 1);
    if (second == std::string::npos || second + 1 >= value.size()) {
        return std::nullopt;
    }
    try {
        std::size_t end = 0;
        IntendedWrite file;
        file.size = std::stoull(value.substr(0, first), &end);
        if (end != first) {
            return std::nullopt;
        }
        file.hash = std::stoull(value.substr(first + 1, second - first - 1), &end, 16);
        if (end != second - first - 1) {
            return std::nullopt;
        }
        file.name = value.substr(second + 1);
        return file;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<SaveIntent> readSaveIntent(const std::filesystem::path& record) {
    std::string text;
    try {
        if (!fileExists(record)) {
            return std::nullopt;
        }
        text = toString(readWholeFile(record));
    } catch (const std::exception&) {
        return std::nullopt;
    }
    std::optional<LockHolder> writer = parseHolderLines(text);
    if (!writer) {
        return std::nullopt;
    }
    SaveIntent intent{std::move(*writer), {}};
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("file=", 0) == 0) {
            if (std::optional<IntendedWrite> file = parseFile(line.substr(5))) {
                intent.files.push_back(std::move(*file));
            }
        }
    }
    return intent;
}

bool holds(const std::filesystem::path& path, const IntendedWrite& file) {
    try {
        if (!fileExists(path) || fileSizeOf(path) != file.size) {
            return false;
        }
        return hashBytes(readWholeFile(path)) == file.hash;
    } catch (const std::exception&) {
        return false;
    }
}

std::string namesLine(const char* heading, const std::vector<std::string>& names,
                      std::size_t limit) {
    std::string line = heading;
    if (names.empty()) {
        return line + "none";
    }
    for (std::size_t i = 0; i < names.size() && i < limit; ++i) {
        line += (i == 0 ? "" : ", ") + names[i];
    }
    if (names.size() > limit) {
        line += " and " + std::to_string(names.size() - limit) + " more";
    }
    return line;
}

}  // namespace

IntendedWrite intendedWrite(std::string name, const Bytes& contents) {
    return {std::move(name), contents.size(), hashBytes(contents)};
}

std::filesystem::path saveIntentFile(const std::filesystem::path& folder) {
    const std::filesystem::path real = folderLockTarget(folder.empty() ? "." : folder);
    return real.parent_path() / pathFromUtf8("." + pathToUtf8(real.filename()) + ".tarnsave");
}

void recordSaveIntent(const std::filesystem::path& folder, std::string_view program,
                      const std::vector<IntendedWrite>& files) {
    std::string text = holderLines({currentProcessId(), currentHostName(), std::string(program)});
    for (const IntendedWrite& file : files) {
        text += fileLine(file);
    }
    writeFileAtomically(saveIntentFile(folder), toBytes(text));
}

void removeSaveIntent(const std::filesystem::path& folder) {
    std::error_code ignored;
    std::filesystem::remove(saveIntentFile(folder), ignored);
}

std::optional<UnfinishedSave> findUnfinishedSave(const std::filesystem::path& folder) {
    const std::optional<SaveIntent> intent = readSaveIntent(saveIntentFile(folder));
    if (!intent) {
        return std::nullopt;
    }
    const LockHolder& writer = intent->writer;
    const bool ownProcess = writer.pid == currentProcessId() && writer.host == currentHostName();
    if (!ownProcess && writer.host == currentHostName() && processRuns(writer.pid)) {
        return std::nullopt;  // still saving
    }
    UnfinishedSave save;
    save.program = writer.program.empty() ? "another program" : writer.program;
    for (const IntendedWrite& file : intent->files) {
        (holds(folder / pathFromUtf8(file.name), file) ? save.written : save.notWritten)
            .push_back(file.name);
    }
    if (save.notWritten.empty()) {
        return std::nullopt;
    }
    return save;
}

std::vector<std::string> unfinishedSaveLines(const UnfinishedSave& save,
                                             const std::string& folderName, std::size_t limit) {
    std::vector<std::string> lines{
        folderName + ": a save by " + save.program + " was cut off before it ended",
        namesLine("written: ", save.written, limit),
        namesLine("not written: ", save.notWritten, limit),
    };
    if (save.program == "TarnEdit") {
        lines.push_back(
            "to finish it, make the edits of the files not written again in TarnEdit and save");
    } else {
        lines.push_back("to finish it, run the same " + save.program + " again");
    }
    return lines;
}

}  // namespace tarn
