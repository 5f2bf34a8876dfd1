// SPDX-License-Identifier: GPL-3.0-or-later
#include "patcher/backup_sums.h"

#include <cctype>
#include <system_error>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/folder_handle.h"
#include "common/sha256.h"
#include "common/text_lines.h"
#include "common/utf8_path.h"
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

// The lists lie in the game folder, reached through its handle: nothing there is followed.
FolderHandle gameFolderOf(const fs::path& file) {
    return FolderHandle::open(file.has_parent_path() ? file.parent_path() : fs::path("."));
}

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

std::string gameEntryName(const fs::path& gameFolder, const std::string& name) {
    try {
        return platform::findEntryIgnoringCase(FolderHandle::open(gameFolder), name).value_or(name);
    } catch (const FileError&) {
        return name;
    }
}

BackupSums::BackupSums(const fs::path& gameFolder, const std::string& sumsName,
                       const std::string& pendingName)
    : file_(gameFolder / gameEntryName(gameFolder, sumsName)) {
    sums_.file = file_;
    pending_.file = gameFolder / gameEntryName(gameFolder, pendingName);
}

void BackupSums::List::load() {
    digests.clear();
    const FolderHandle game = gameFolderOf(file);
    const std::string name = pathToUtf8(file.filename());
    if (game.kind(name) == FolderHandle::Kind::Missing) {
        return;
    }
    const std::string text = toString(game.read(name));
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
    const FolderHandle game = gameFolderOf(file);
    const std::string name = pathToUtf8(file.filename());
    if (digests.empty()) {
        game.remove(name);
        return;
    }
    std::string text;
    for (const auto& [name, digest] : digests) {
        text += digest + "  " + name + "\n";
    }
    // Flushes the folder too.
    writeFileAtomically(name, Bytes(text.begin(), text.end()), noFollowIn(game));
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
    pendingAs(name, sha256Hex(toBeWritten));
}

void BackupSums::recordPendingWrite(const std::string& name) {
    pendingAs(name, std::string(kDigestLength, '0'));
}

void BackupSums::pendingAs(const std::string& name, const std::string& digest) {
    loadOnce();
    pending_.digests[name] = digest;
    pending_.write();
}

void BackupSums::confirm(const std::string& name) {
    loadOnce();
    const auto found = pending_.digests.find(name);
    if (found != pending_.digests.end()) {
        confirmAs(name, found->second);
    }
}

void BackupSums::confirm(const std::string& name, const Sha256Digest& written) {
    loadOnce();
    confirmAs(name, hexOf(written));
}

void BackupSums::confirmAs(const std::string& name, const std::string& digest) {
    sums_.digests[name] = digest;
    sums_.write();
    if (pending_.digests.erase(name) != 0) {
        pending_.write();
    }
}

void BackupSums::record(const std::string& name, const Bytes& written) {
    loadOnce();
    sums_.digests[name] = sha256Hex(written);
    sums_.write();
}

void BackupSums::removeWithLeftovers() const {
    const std::string sums = pathToUtf8(file_.filename());
    const std::string pending = pathToUtf8(pending_.file.filename());
    try {
        const FolderHandle game = gameFolderOf(file_);
        for (const std::string& name : {sums, pending}) {
            try {
                game.remove(name);
            } catch (const FileError&) {
            }
        }
        for (const FolderHandle::Entry& entry : game.list()) {
            const std::string& name = entry.name;
            if ((name.rfind("." + sums, 0) == 0 || name.rfind("." + pending, 0) == 0) &&
                isOwnTemporaryFile(name) && entry.kind == FolderHandle::Kind::File) {
                game.remove(name);
            }
        }
    } catch (const std::exception&) {
        // A folder that cannot be listed keeps its leftovers; the restore itself is done.
    }
}

}  // namespace tarn
