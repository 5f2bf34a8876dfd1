#include "exchange/object_file_set.h"

#include <exception>

#include "common/file_io.h"
#include "objfiles/object_folder.h"

namespace tarn {

ObjectFileSet loadObjectFileSet(const std::filesystem::path& gameDir) {
    ObjectFileSet set;
    const auto objData = findObjDataFolder(gameDir);
    if (!objData) {
        set.problems.push_back(gameDir.string() + ": no ObjData folder");
        return set;
    }
    set.objData = *objData;
    try {
        for (const std::filesystem::path& path : listObjectFiles(*objData)) {
            try {
                set.files.push_back(loadObjectFile(path));
            } catch (const std::exception& e) {
                set.problems.push_back(path.string() + ": " + e.what());
            }
        }
    } catch (const std::exception& e) {
        set.problems.push_back(objData->string() + ": " + e.what());
    }
    return set;
}

ObjectSaveReport saveChangedObjectFiles(ObjectFileSet& set, bool enhanced) {
    ObjectSaveReport report;
    struct Staged {
        ObjFile* object;
        ObjFile rewritten;  // header fields as found on disk
        std::filesystem::path path;
        Bytes bytes;
    };
    std::vector<Staged> staged;
    for (ObjFile& object : set.files) {
        if (!object.Modified) {
            continue;
        }
        const std::filesystem::path path = set.objData / object.FileName;
        try {
            if (isReadOnlyFile(path)) {
                report.problems.push_back(path.string() + ": the file is read-only");
                continue;
            }
            ObjFile copy = object;
            Bytes bytes = rewriteObjectFile(readWholeFile(path), copy, enhanced);
            staged.push_back({&object, std::move(copy), path, std::move(bytes)});
        } catch (const std::exception& e) {
            report.problems.push_back(path.string() + ": " + e.what());
        }
    }
    if (!report.problems.empty()) {
        return report;
    }
    for (Staged& s : staged) {
        try {
            writeFileAtomically(s.path, s.bytes);
        } catch (const std::exception& e) {
            report.failures.push_back(s.path.string() + ": " + e.what());
            break;  // the files after it keep their old contents too
        }
        *s.object = std::move(s.rewritten);
        s.object->Modified = false;
        report.written.push_back(s.object->FileName);
    }
    return report;
}

}  // namespace tarn
