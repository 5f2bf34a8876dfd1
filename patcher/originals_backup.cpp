// SPDX-License-Identifier: GPL-3.0-or-later
#include "patcher/originals_backup.h"

#include <system_error>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/utf8_path.h"
#include "objfiles/object_folder.h"
#include "patcher/backup_sums.h"
#include "patcher/tarn_patch.h"
#include "platform/core/paths.h"
#include "platform/core/unicode_case.h"

namespace tarn {

using Kind = FolderHandle::Kind;

OriginalsBackup::OriginalsBackup(const fs::path& gameFolder, const std::string& folderName)
    : gameFolder_(gameFolder),
      folder_(gameFolder / gameEntryName(gameFolder, folderName)),
      name_(pathToUtf8(folder_.filename())) {}

bool OriginalsBackup::exists() const {
    try {
        // A link counts: using it is refused.
        const Kind kind = game().kind(name_);
        return kind == Kind::Folder || kind == Kind::Link;
    } catch (const FileError&) {
        return false;
    }
}

bool OriginalsBackup::keep(const std::string& name, const Bytes& original) {
    const auto bytes = [&original](const ByteWriter& write) {
        write(std::string_view(reinterpret_cast<const char*>(original.data()), original.size()));
    };
    return keep(name, bytes, nullptr);
}

bool OriginalsBackup::keepAsSecondName(const std::string& name, const fs::path& file,
                                       const Original& original) {
    return keep(name, original, &file);
}

void OriginalsBackup::confirmKept(const std::string& name, const Original& original,
                                  const FileIdentity& originalFile) const {
    const FolderHandle gameFolder = game();
    const std::optional<FolderHandle> folder = gameFolder.folder(name_);
    if (!folder) {
        throw FileError("Cannot open folder \"" + pathToUtf8(folder_) + "\". It is gone");
    }
    // Still the very file the original was read from, and no longer the one replaced: its
    // bytes are the original's, unread.
    bool same = false;
    try {
        const FileIdentity kept = takeFileIdentity(*folder, name, {FilePart{0, 0}});
        const FileIdentity now = takeFileIdentity(gameFolder, name, {FilePart{0, 0}});
        same = kept.sameMetadata(originalFile) &&
               !(now.known && now.device == kept.device && now.inode == kept.inode);
    } catch (const FileError&) {
    }
    if (!same) {
        streamFileAtomically(name, original, noFollowIn(*folder));
        folder->flush();
    }
}

bool OriginalsBackup::keep(const std::string& name, const Original& original,
                           const fs::path* file) {
    const FolderHandle gameFolder = game();
    bool created = false;
    const FolderHandle folder = gameFolder.makeFolder(name_, created);
    if (!created && folder.isReadOnly()) {
        throw FileError("Cannot create file \"" + pathToUtf8(folder_ / name) +
                        "\". The folder is read-only");
    }
    // The original of exactly this name: another file may differ only in letter case.
    if (const Kind kind = folder.kind(name); kind != Kind::Missing) {
        if (kind != Kind::File) {
            throw FileError("Cannot create file \"" + pathToUtf8(folder_ / name) +
                            "\". Something else has its name");
        }
        return false;
    }
    try {
        // A second name costs nothing and its bytes are on disk already; a file system without
        // hard links gets a copy.
        if (file == nullptr || !folder.hardLink(gameFolder, pathToUtf8(file->filename()), name)) {
            streamFileAtomically(name, original, noFollowIn(folder));
        }
        folder.flush();
        if (created) {
            gameFolder.flush();
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

std::vector<OriginalsBackup::Item> OriginalsBackup::restorePlan(const FolderHandle& objData) const {
    std::vector<Item> plan;
    const std::vector<FolderHandle::Entry> objects = objData.list();
    const FolderHandle gameFolder = game();
    const std::optional<FolderHandle> folder = gameFolder.folder(name_);
    if (!folder) {
        return plan;
    }
    std::vector<FolderHandle::Entry> entries = folder->list();
    platform::sortByUpperCaseName(entries);
    for (const FolderHandle::Entry& entry : entries) {
        const std::string& name = entry.name;
        if (isOwnTemporaryFile(name) && entry.kind == Kind::File) {
            try {
                folder->remove(name);
            } catch (const FileError&) {
            }
            continue;
        }
        Item item{folder->pathOf(name), {}, {}, {}, {}, {}};
        const FolderHandle::Entry* target = nullptr;
        std::vector<const FolderHandle::Entry*> twins;
        const std::string upper = platform::upperCaseUtf8(name);
        for (const FolderHandle::Entry& object : objects) {
            if (object.name == name) {
                target = &object;
                twins.clear();
                break;
            }
            if (platform::upperCaseUtf8(object.name) == upper) {
                target = &object;
                twins.push_back(&object);
            }
        }
        if (twins.size() > 1) {
            for (const FolderHandle::Entry* twin : twins) {
                item.caseTwins.push_back(objData.pathOf(twin->name));
            }
            item.refusal = "ObjData holds two files of this name in different letter case";
        } else if (entry.kind == Kind::Link || (target && target->kind == Kind::Link)) {
            item.link = entry.kind == Kind::Link ? item.backup : objData.pathOf(target->name);
            item.refusal = "It is a link";
        } else if (!isPlainFileName(name) || entry.kind != Kind::File) {
            item.refusal = "It is not a file that this program keeps; it is left as it is";
        } else if (!target || target->kind != Kind::File) {
            item.refusal = "The ObjData directory has no file of this name; it is left as it is";
        } else {
            try {
                item.data = folder->read(name);
                readObjectFile(item.data, name);
                item.target = objData.pathOf(target->name);
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

void OriginalsBackup::restore(const FolderHandle& objData, const Item& item) {
    writeFileAtomically(item.target.filename(), item.data, noFollowIn(objData));
}

void OriginalsBackup::remove() const {
    game().removeFolder(name_);
}

}  // namespace tarn
