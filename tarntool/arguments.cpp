// SPDX-License-Identifier: GPL-3.0-or-later
#include "tarntool/arguments.h"

#include <charconv>
#include <iostream>
#include <chrono>
#include <filesystem>
#include <thread>

#include "common/edit_lock.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "platform/core/paths.h"
#include "textcodes/character_table.h"

#include "common/utf8_path.h"
#include "tarntool/tool.h"

namespace tarn::tool {

CLI::Option* addOptional(CLI::App& command, const std::string& name, const std::string& valueName,
                         std::optional<std::string>& value, const std::string& description) {
    return command
        .add_option_function<std::string>(
            name, [&value](const std::string& v) { value = v; }, description)
        ->type_name(valueName);
}

unsigned parseNumber(const std::string& text, unsigned first, unsigned last,
                     const std::string& what) {
    unsigned n = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, n);
    if (text.empty() || result.ec != std::errc() || result.ptr != end || n < first || n > last) {
        throw UsageError(what + " must be a number from " + std::to_string(first) + " to " +
                         std::to_string(last) + ", not \"" + text + "\"");
    }
    return n;
}

void addCodePageOption(CLI::App& command, CodePageOptions& options) {
    addOptional(command, "--code-page", "N", options.number,
                "the texts' code page: 874 or 1250 to 1258 (1252 without it)");
    addOptional(command, "--table", "FILE", options.table,
                "a character table: letters placed over the code page");
}

void addAllowTypedCodesOption(CLI::App& command, bool& allow) {
    command.add_flag("--allow-typed-codes", allow,
                     "store characters that fall on game codes as those codes");
}

CodePage parseCodePage(const CodePageOptions& options) {
    const CodePage page = parseCodePageNumber(options.number);
    if (!options.table) {
        return page;
    }
    std::string contents;
    try {
        contents = toString(readWholeFile(pathFromUtf8(*options.table)));
    } catch (const FileError& e) {
        throw UsageError(e.what());
    }
    const CharacterTable table = readCharacterTable(contents, page);
    if (!table.ok()) {
        throw UsageError(*options.table + ": " + table.error);
    }
    return table.over(page);
}

CodePage parseCodePageNumber(const std::optional<std::string>& value) {
    if (!value) {
        return CodePage();
    }
    int number = 0;
    const auto [end, ec] = std::from_chars(value->data(), value->data() + value->size(), number);
    if (ec == std::errc() && end == value->data() + value->size()) {
        if (const auto page = CodePage::byNumber(number)) {
            return *page;
        }
    }
    throw UsageError("unknown code page " + *value +
                     "; supported: " + CodePage::supportedNumbersText());
}

void requireWritableFolder(const std::string& path) {
    const std::filesystem::path p = pathFromUtf8(path);
    const std::filesystem::path parent = p.has_parent_path() ? p.parent_path() : ".";
    if (!directoryExists(parent) || !platform::mayWriteInFolder(parent)) {
        throw UsageError("cannot write " + path);
    }
}

bool isStandardOutput(const std::string& path) {
    return path == "-";
}

void requireTextOutput(const std::string& path) {
    if (!isStandardOutput(path)) {
        requireWritableFolder(path);
    }
}

void writeTextOutput(const std::string& path, const std::string& text) {
    if (isStandardOutput(path)) {
        std::cout << text << std::flush;
    } else {
        writeFileAtomically(pathFromUtf8(path), toBytes(text));
    }
}

std::string toHex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        hex.push_back(digits[b >> 4]);
        hex.push_back(digits[b & 15]);
    }
    return hex;
}

std::string fromHex(const std::string& hex) {
    auto nibble = [&](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        throw UsageError("\"" + hex + "\" is not hex");
    };
    if (hex.size() % 2 != 0) {
        throw UsageError("\"" + hex + "\" is not hex: odd number of digits");
    }
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        bytes.push_back(static_cast<char>(nibble(hex[i]) * 16 + nibble(hex[i + 1])));
    }
    return bytes;
}

void addForceOption(CLI::App& command, bool& force) {
    command.add_flag("--force", force, "writes even while another program has the file open");
}

void addRepairChecksumOption(CLI::App& command, bool& repair) {
    command.add_flag("--repair-checksum", repair,
                     "writes an object file whose stored checksum is wrong, with the right one");
}

namespace {

// target: what the lock is taken on; shown: its name as the command line gave it.
std::optional<EditLock> lockForWriting(const std::filesystem::path& target,
                                       const std::string& shown, bool force) {
    if (force) {
        return std::nullopt;
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(kWaitForWriterSeconds);
    for (;;) {
        LockHolder holder;
        if (std::optional<EditLock> lock = EditLock::take(target, "tarntool", holder)) {
            return lock;
        }
        // Another tarntool writes it for a moment: its work is kept, and this one's follows.
        const bool writer = holder.problem.empty() && holder.program == "tarntool";
        if (!writer || std::chrono::steady_clock::now() >= deadline) {
            throw operationFailed(shown + " is open in " + describeHolder(holder) +
                                  "; --force writes it anyway");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace

std::optional<EditLock> lockForWriting(const std::string& path, bool force) {
    return lockForWriting(pathFromUtf8(path), path, force);
}

std::optional<EditLock> lockObjectFolderForWriting(const std::filesystem::path& folder,
                                                   bool force) {
    const std::filesystem::path named = folder.empty() ? std::filesystem::path(".") : folder;
    return lockForWriting(folderLockTarget(named), pathToUtf8(named), force);
}


}  // namespace tarn::tool
