// SPDX-License-Identifier: GPL-3.0-or-later
#include "patcher/originals_backup.h"

#include <system_error>

#include "common/errors.h"
#include "common/file_io.h"
#include "objfiles/object_folder.h"
#include "patcher/backup_sums.h"
#include "patcher/tarn_patch.h"
#include "platform/core/paths.h"

namespace tarn {

OriginalsBackup::OriginalsBackup(const fs::path& gameFolder)
    : folder_(platform::findEntryIgnoringCase(gameFolder, kBackupFolderName)
                  .value_or(gameFolder / kBackupFolderName)) {}

bool OriginalsBackup::exists() const {
    return directoryExists(folder_);
}

bool OriginalsBackup::keep(const std::string& name, const Bytes& original) {
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
    if (const auto existing = platform::findEntryIgnoringCase(folder_, name)) {
        if (!fileExists(*existing)) {
            throw FileError("Cannot create file \"" + existing->string() +
                            "\". Something else has its name");
        }
        return false;
    }
    try {
        writeFileAtomically(path, original);
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
    for (const fs::path& backup : platform::listEntries(folder_)) {
        const std::string name = backup.filename().string();
        std::error_code ec;
        if (isOwnTemporaryFile(name) &&
            fs::symlink_status(backup, ec).type() == fs::file_type::regular) {
            fs::remove(backup, ec);
            continue;
        }
        Item item{backup, {}, {}, {}};
        const auto target = platform::findEntryIgnoringCase(objData, name);
        if (!isPlainFileName(name) || !fileExists(backup)) {
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
    writeFileAtomically(item.target, item.data);
}

void OriginalsBackup::remove() const {
    std::error_code ec;
    fs::remove_all(folder_, ec);
    if (ec) {
        throw FileError("Cannot remove folder \"" + folder_.string() + "\". " + ec.message());
    }
}

}  // namespace tarn
