// SPDX-License-Identifier: GPL-3.0-or-later
#include "patcher/backup_sums.h"

#include <system_error>

#include "common/file_io.h"
#include "common/text_lines.h"
#include "patcher/sha256.h"
#include "platform/core/paths.h"
#include "platform/core/unicode_case.h"

namespace tarn {

namespace {

constexpr std::size_t kDigestLength = 64;

bool isHexDigest(const std::string& text) {
    return text.size() == kDigestLength &&
           text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

}  // namespace

bool isOwnTemporaryFile(const std::string& name) {
    const std::string mark = ".tmp";
    return name.size() > 1 && name[0] == '.' &&
           (name.find(mark + "-") != std::string::npos ||
            (name.size() > mark.size() + 1 &&
             name.compare(name.size() - mark.size(), mark.size(), mark) == 0));
}

BackupSums::BackupSums(const fs::path& gameFolder)
    : file_(platform::findEntryIgnoringCase(gameFolder, kBackupSumsName)
                .value_or(gameFolder / kBackupSumsName)) {}

void BackupSums::load() {
    loaded_ = true;
    byUpperName_.clear();
    if (!fileExists(file_)) {
        return;
    }
    const std::string text = toString(readWholeFile(file_));
    for (const std::string_view view : textLines(text)) {
        const std::string line(view);
        const std::string digest = line.substr(0, kDigestLength);
        if (line.size() <= kDigestLength + 2 || !isHexDigest(digest) ||
            line.compare(kDigestLength, 2, "  ") != 0) {
            continue;
        }
        const std::string name = line.substr(kDigestLength + 2);
        byUpperName_[platform::upperCaseUtf8(name)] = {name, digest};
    }
}

std::optional<std::string> BackupSums::digestOf(const std::string& name) const {
    const auto found = byUpperName_.find(platform::upperCaseUtf8(name));
    if (found == byUpperName_.end()) {
        return std::nullopt;
    }
    return found->second.second;
}

void BackupSums::record(const std::string& name, const Bytes& written) {
    if (!loaded_) {
        load();
    }
    byUpperName_[platform::upperCaseUtf8(name)] = {name, sha256Hex(written)};
    std::string text;
    for (const auto& [upper, entry] : byUpperName_) {
        text += entry.second + "  " + entry.first + "\n";
    }
    writeFileAtomically(file_, Bytes(text.begin(), text.end()));
    platform::flushFolder(file_.parent_path());
}

void BackupSums::removeWithLeftovers() const {
    std::error_code ec;
    fs::remove(file_, ec);
    const std::string leftoverStart = "." + file_.filename().string();
    try {
        for (const fs::path& entry : platform::listEntries(file_.parent_path())) {
            const std::string name = entry.filename().string();
            if (name.rfind(leftoverStart, 0) == 0 && isOwnTemporaryFile(name)) {
                fs::remove(entry, ec);
            }
        }
    } catch (const std::exception&) {
        // A folder that cannot be listed keeps its leftovers; the restore itself is done.
    }
}

}  // namespace tarn
