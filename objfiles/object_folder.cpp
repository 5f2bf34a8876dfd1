// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/object_folder.h"

#include "common/errors.h"
#include "common/file_io.h"
#include "common/utf8_path.h"
#include "objfiles/object_container.h"
#include "objfiles/text_tables.h"
#include "platform/core/paths.h"

namespace tarn {

std::optional<fs::path> findObjDataFolder(const fs::path& folderOrExecutable) {
    std::error_code ec;
    const fs::path folder = fs::is_directory(folderOrExecutable, ec)
                                ? folderOrExecutable
                                : folderOrExecutable.parent_path();
    const auto found = platform::findEntryIgnoringCase(folder.empty() ? "." : folder, "ObjData");
    if (!found || !fs::is_directory(*found, ec)) {
        return std::nullopt;
    }
    return found;
}

std::vector<fs::path> listObjectFiles(const fs::path& objData) {
    return platform::listFilesWithExtension(objData, ".dat");
}

ObjectFile readObjectFile(std::span<const std::uint8_t> file, std::string fileName, Bytes& decoded) {
    ObjectFile object;
    object.fileName = std::move(fileName);
    const std::span<const std::uint8_t> data =
        decodeObjectFile(file.data(), file.size(), object, decoded);
    readTextGroups(data, object);
    object.wrongChecksum =
        findWrongChecksum(readObjectHeader(file.data(), file.size()), object, data);
    return object;
}

ObjectFile readObjectFile(const Bytes& file, const std::string& fileName) {
    Bytes decoded;
    return readObjectFile(std::span<const std::uint8_t>(file), fileName, decoded);
}

ObjectFile loadObjectFile(const fs::path& path, FileIdentity* identity) {
    FileIdentity taken;
    const Bytes file = readWholeFile(path, taken);
    ObjectFile object = readObjectFile(file, pathToUtf8(path.filename()));
    if (identity != nullptr) {
        *identity = std::move(taken);
    }
    return object;
}

Bytes rewriteObjectFile(const Bytes& file, ObjectFile& object, bool enhanced) {
    const Bytes decoded = decodeObjectFile(file, object);
    const Bytes rebuilt = writeTextGroups(decoded, object);
    return encodeObjectFile(rebuilt, object, enhanced);
}

}  // namespace tarn
