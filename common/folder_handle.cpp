// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/folder_handle.h"

#include <utility>

#include "common/utf8_path.h"
#include "platform/folder_calls.h"

namespace tarn {

namespace {

const char* const kLinkReason = "It is a link; nothing is written through a link.";

std::string messageOf(const std::string& what, const fs::path& path, const std::string& reason) {
    return what + " \"" + pathToUtf8(path) + "\". " + reason;
}

}  // namespace

[[noreturn]] void platform::failWith(const std::string& what, const fs::path& path,
                                     const std::string& reason) {
    throw FileError(messageOf(what, path, reason), reason);
}

using platform::failWith;

LinkError::LinkError(const std::string& what, fs::path path)
    : FileError(messageOf(what, path, kLinkReason), kLinkReason), path_(std::move(path)) {}

fs::path FolderHandle::pathOf(const std::string& name) const {
    return path_ / pathFromUtf8(name);
}

FolderHandle::FolderHandle(FolderHandle&& other) noexcept
    : path_(std::move(other.path_)), native_(std::exchange(other.native_, -1)) {}

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept {
    std::swap(path_, other.path_);
    std::swap(native_, other.native_);
    return *this;
}

FolderHandle FolderHandle::makeFolder(const std::string& name, bool& made) const {
    made = false;
    if (auto found = folder(name)) {
        return std::move(*found);
    }
    made = platform::makeFolderAt(native_, pathOf(name), name);
    if (auto found = folder(name)) {
        return std::move(*found);
    }
    failWith("Cannot create folder", pathOf(name), "It disappeared while it was made");
}

void FolderHandle::removeFolder(const std::string& name) const {
    {
        const std::optional<FolderHandle> inner = folder(name);
        if (!inner) {
            return;
        }
        for (const Entry& entry : inner->list()) {
            if (entry.kind == Kind::Folder) {
                inner->removeFolder(entry.name);
            } else {
                inner->remove(entry.name);
            }
        }
    }  // closed first: Windows removes no folder that is held open
    platform::removeEmptyFolderAt(native_, pathOf(name), name);
}

}  // namespace tarn
