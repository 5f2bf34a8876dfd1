#include "objfiles/object_folder.h"

#include "common/errors.h"
#include "common/file_io.h"
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

TObjFile readObjectFile(const Bytes& file, const std::string& fileName) {
    TObjFile object;
    object.FileName = fileName;
    const Bytes decoded = DecodeObjectFile(file, object);
    ReadTextGroups(decoded, object);
    return object;
}

TObjFile loadObjectFile(const fs::path& path) {
    return readObjectFile(readWholeFile(path), path.filename().string());
}

void loadObjectFolder(const fs::path& objData, std::vector<TObjFile>& files,
                      const LoadProgress& progress) {
    const std::vector<fs::path> paths = listObjectFiles(objData);
    files.reserve(files.size() + paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (progress) {
            progress(i, paths.size(), paths[i].filename().string());
        }
        files.push_back(loadObjectFile(paths[i]));
    }
}

Bytes rewriteObjectFile(const Bytes& file, TObjFile& object, bool enhanced) {
    const Bytes decoded = DecodeObjectFile(file, object);
    const Bytes rebuilt = WriteTextGroups(decoded, object);
    return EncodeObjectFile(rebuilt, object, enhanced);
}

void saveObjectFile(const fs::path& path, TObjFile& object, bool enhanced) {
    writeFileAtomically(path, rewriteObjectFile(readWholeFile(path), object, enhanced));
    object.Modified = false;
}

}  // namespace tarn
