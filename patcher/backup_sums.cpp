// SPDX-License-Identifier: GPL-3.0-or-later
#include "patcher/backup_sums.h"

#include <cctype>
#include <system_error>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/text_lines.h"
#include "common/sha256.h"
#include "platform/core/paths.h"
#include "platform/core/unicode_case.h"

namespace tarn {

namespace {

constexpr std::size_t kDigestLength = 64;

bool isHexDigest(const std::string& text) {
    return text.size() == kDigestLength &&
           text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

bool allOf(std::string_view text, const char* extra) {
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)) == 0 &&
            std::string_view(extra).find(c) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

// Everything the patch writes beside the game goes there without following links.
const WriteOptions kNoLinks{std::nullopt, false};

}  // namespace

bool isOwnTemporaryFile(const std::string& name) {
    const std::string_view text(name);
    if (text.size() < 2 || text[0] != '.') {
        return false;
    }
    const auto tmp = text.rfind(".tmp-");
    if (tmp != std::string_view::npos && tmp > 1 && allOf(text.substr(tmp + 5), "-")) {
        return true;
    }
    const std::string_view end = ".tmp";
    const auto tarn = text.rfind(".tarn-");
    if (tarn == std::string_view::npos || tarn < 2 || text.size() < tarn + 6 + end.size() ||
        text.substr(text.size() - end.size()) != end) {
        return false;
    }
    const std::string_view inner = text.substr(tarn + 6, text.size() - end.size() - tarn - 6);
    const auto dash = inner.find('-');
    return dash != std::string_view::npos &&
           inner.substr(0, dash).find_first_not_of("0123456789") == std::string_view::npos &&
           dash > 0 && allOf(inner.substr(dash + 1), "");
}

BackupSums::BackupSums(const fs::path& gameFolder, const std::string& sumsName,
                       const std::string& pendingName)
    : file_(platform::findEntryIgnoringCase(gameFolder, sumsName)
                .value_or(gameFolder / sumsName)) {
    sums_.file = file_;
    pending_.file = platform::findEntryIgnoringCase(gameFolder, pendingName)
                        .value_or(gameFolder / pendingName);
}

void BackupSums::List::load() {
    digests.clear();
    if (!fileExists(file)) {
        return;
    }
    const std::string text = toString(readWholeFile(file));
    for (const std::string_view view : textLines(text)) {
        const std::string line(view);
        const std::string digest = line.substr(0, kDigestLength);
        if (line.size() <= kDigestLength + 2 || !isHexDigest(digest) ||
            line.compare(kDigestLength, 2, "  ") != 0) {
            continue;
        }
        digests[line.substr(kDigestLength + 2)] = digest;
    }
}

void BackupSums::List::write() const {
    if (digests.empty()) {
        std::error_code ec;
        fs::remove(file, ec);
        if (ec) {
            throw FileError("Cannot remove file \"" + file.string() + "\". " + ec.message());
        }
        return;
    }
    std::string text;
    for (const auto& [name, digest] : digests) {
        text += digest + "  " + name + "\n";
    }
    writeFileAtomically(file, Bytes(text.begin(), text.end()), kNoLinks);
    platform::flushFolder(file.parent_path());
}

std::optional<std::string> BackupSums::List::find(const std::string& name) const {
    if (const auto exact = digests.find(name); exact != digests.end()) {
        return exact->second;
    }
    // Written by a program that found the file under another letter case: taken only when no
    // other name could be meant.
    std::optional<std::string> found;
    const std::string upper = platform::upperCaseUtf8(name);
    for (const auto& [other, digest] : digests) {
        if (platform::upperCaseUtf8(other) == upper) {
            if (found) {
                return std::nullopt;
            }
            found = digest;
        }
    }
    return found;
}

void BackupSums::load() {
    // Only lists read whole count as loaded: writing a partly read one would drop entries.
    loaded_ = false;
    sums_.load();
    pending_.load();
    loaded_ = true;
}

void BackupSums::loadOnce() {
    if (!loaded_) {
        load();
    }
}

std::optional<std::string> BackupSums::digestOf(const std::string& name) const {
    return sums_.find(name);
}

std::optional<std::string> BackupSums::pendingDigestOf(const std::string& name) const {
    return pending_.find(name);
}

void BackupSums::recordPending(const std::string& name, const Bytes& toBeWritten) {
    recordPending(name, sha256(std::string_view(reinterpret_cast<const char*>(toBeWritten.data()),
                                                toBeWritten.size())));
}

void BackupSums::recordPending(const std::string& name, const Sha256Digest& toBeWritten) {
    loadOnce();
    pending_.digests[name] = hexOf(toBeWritten);
    pending_.write();
}

void BackupSums::confirm(const std::string& name) {
    loadOnce();
    const auto found = pending_.digests.find(name);
    if (found == pending_.digests.end()) {
        return;
    }
    sums_.digests[name] = found->second;
    sums_.write();
    pending_.digests.erase(found);
    pending_.write();
}

void BackupSums::record(const std::string& name, const Bytes& written) {
    loadOnce();
    sums_.digests[name] = sha256Hex(written);
    sums_.write();
}

void BackupSums::removeWithLeftovers() const {
    std::error_code ec;
    fs::remove(file_, ec);
    fs::remove(pending_.file, ec);
    const std::string sumsStart = "." + file_.filename().string();
    const std::string pendingStart = "." + pending_.file.filename().string();
    try {
        for (const fs::path& entry : platform::listEntries(file_.parent_path())) {
            const std::string name = entry.filename().string();
            if ((name.rfind(sumsStart, 0) == 0 || name.rfind(pendingStart, 0) == 0) &&
                isOwnTemporaryFile(name) && !platform::isLink(entry)) {
                fs::remove(entry, ec);
            }
        }
    } catch (const std::exception&) {
        // A folder that cannot be listed keeps its leftovers; the restore itself is done.
    }
}

}  // namespace tarn
