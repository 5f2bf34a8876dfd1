// SPDX-License-Identifier: GPL-3.0-or-later
#include "patcher/originals_backup.h"

#include <system_error>

#include "common/errors.h"
#include "common/file_io.h"
#include "objfiles/object_folder.h"
#include "patcher/backup_sums.h"
#include "patcher/tarn_patch.h"
#include "platform/core/paths.h"
#include "platform/core/unicode_case.h"

namespace tarn {

OriginalsBackup::OriginalsBackup(const fs::path& gameFolder, const std::string& folderName)
    : folder_(platform::findEntryIgnoringCase(gameFolder, folderName)
                  .value_or(gameFolder / folderName)) {}

bool OriginalsBackup::exists() const {
    return directoryExists(folder_);
}

bool OriginalsBackup::keep(const std::string& name, const Bytes& original) {
    return keep(name, original, nullptr);
}

bool OriginalsBackup::keepAsSecondName(const std::string& name, const fs::path& file,
                                       const Bytes& original) {
    return keep(name, original, &file);
}

void OriginalsBackup::confirmKept(const std::string& name, const Bytes& original,
                                  const FileIdentity& originalFile,
                                  const fs::path& replaced) const {
    const fs::path path = folder_ / name;
    // Still the very file the original was read from, and no longer the one replaced: its
    // bytes are the original's, unread.
    std::error_code ec;
    bool same = false;
    try {
        same = takeFileIdentity(path, {FilePart{0, 0}}).sameMetadata(originalFile) &&
               !fs::equivalent(path, replaced, ec) && !ec;
    } catch (const FileError&) {
    }
    if (!same) {
        writeFileAtomically(path, original, WriteOptions{std::nullopt, false});
        platform::flushFolder(folder_);
    }
}

bool OriginalsBackup::keep(const std::string& name, const Bytes& original, const fs::path* file) {
    const fs::path path = folder_ / name;
    bool created = false;
    if (!exists()) {
        std::error_code ec;
        if (!fs::create_directory(folder_, ec)) {
            throw FileError("Cannot create folder \"" + folder_.string() + "\". " +
                            (ec ? ec.message() : std::string("A file has its name")));
        }
        created = true;
    } else if (platform::isReadOnlyFolder(folder_)) {
        throw FileError("Cannot create file \"" + path.string() + "\". The folder is read-only");
    }
    if (platform::isLink(folder_)) {
        throw FileError("Cannot create file \"" + path.string() +
                        "\". The folder is a link; nothing is written through a link");
    }
    // The original of exactly this name: another file may differ only in letter case.
    if (const auto existing = platform::findEntryIgnoringCase(folder_, name);
        existing && existing->filename() == name) {
        if (platform::isLink(*existing) || !fileExists(*existing)) {
            throw FileError("Cannot create file \"" + existing->string() +
                            "\". Something else has its name");
        }
        return false;
    }
    try {
        // A second name costs nothing and its bytes are on disk already; a file system without
        // hard links gets a copy.
        std::error_code linkError;
        if (file == nullptr || (fs::create_hard_link(*file, path, linkError), linkError)) {
            writeFileAtomically(path, original, WriteOptions{std::nullopt, false});
        }
        platform::flushFolder(folder_);
        if (created) {
            platform::flushFolder(folder_.parent_path());
        }
    } catch (const FileError&) {
        // A folder made for nothing would later pass for a backup.
        if (created) {
            std::error_code ec;
            fs::remove(folder_, ec);
        }
        throw;
    }
    return true;
}

std::vector<OriginalsBackup::Item> OriginalsBackup::restorePlan(const fs::path& objData) const {
    std::vector<Item> plan;
    const std::vector<fs::path> objects = platform::listEntries(objData);
    for (const fs::path& backup : platform::listEntries(folder_)) {
        const std::string name = backup.filename().string();
        std::error_code ec;
        if (isOwnTemporaryFile(name) &&
            fs::symlink_status(backup, ec).type() == fs::file_type::regular) {
            fs::remove(backup, ec);
            continue;
        }
        Item item{backup, {}, {}, {}, {}, {}};
        std::optional<fs::path> target;
        const std::string upper = platform::upperCaseUtf8(name);
        for (const fs::path& object : objects) {
            if (object.filename() == name) {
                target = object;
                item.caseTwins.clear();
                break;
            }
            if (platform::upperCaseUtf8(object.filename().string()) == upper) {
                target = object;
                item.caseTwins.push_back(object);
            }
        }
        if (item.caseTwins.size() < 2) {
            item.caseTwins.clear();
        }
        if (!item.caseTwins.empty()) {
            item.refusal = "ObjData holds two files of this name in different letter case";
        } else if (platform::isLink(backup) || (target && platform::isLink(*target))) {
            item.link = platform::isLink(backup) ? backup : *target;
            item.refusal = "It is a link";
        } else if (!isPlainFileName(name) || !fileExists(backup)) {
            item.refusal = "It is not a file that this program keeps; it is left as it is";
        } else if (!target || !fileExists(*target)) {
            item.refusal = "The ObjData directory has no file of this name; it is left as it is";
        } else {
            try {
                item.data = readWholeFile(backup);
                readObjectFile(item.data, name);
                item.target = *target;
            } catch (const FileError& e) {
                item.refusal = e.what();
            } catch (const std::exception&) {
                item.refusal = "It is not an object file of the game; it is left as it is";
            }
        }
        if (!item.refusal.empty()) {
            item.data.clear();
        }
        plan.push_back(std::move(item));
    }
    return plan;
}

void OriginalsBackup::restore(const Item& item) {
    writeFileAtomically(item.target, item.data, WriteOptions{std::nullopt, false});
}

void OriginalsBackup::remove() const {
    std::error_code ec;
    fs::remove_all(folder_, ec);
    if (ec) {
        throw FileError("Cannot remove folder \"" + folder_.string() + "\". " + ec.message());
    }
}

}  // namespace tarn
