// Every object file of a game, loaded for an exchange with every failure listed, and the
// changed ones written back all or nothing as far as a file system allows: each is re-read
// from disk and re-encoded first, and only when all of them succeeded are they replaced, each
// atomically.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "objfiles/obj_text_model.h"

namespace tarn {

struct ObjectFileSet {
    std::filesystem::path objData;  // the game's ObjData folder
    std::vector<ObjFile> files;      // in folder order (listObjectFiles)
    std::vector<std::string> problems;  // "PATH: reason" for every file that cannot be read
};

// Loads every object file of the game folder's ObjData folder. A missing folder or an
// unreadable file is a problem; the files that could be read are kept.
ObjectFileSet loadObjectFileSet(const std::filesystem::path& gameDir);

struct ObjectSaveReport {
    // Found before anything was written (a read-only, vanished or undecodable file): nothing
    // was written.
    std::vector<std::string> problems;
    // A write that failed after others succeeded: the files named in written are new, the
    // others as they were.
    std::vector<std::string> failures;
    std::vector<std::string> written;  // file names
};

// Writes every Modified file of set back to its ObjData folder (enhanced run-length encoder
// when enhanced) and clears Modified on those written.
ObjectSaveReport saveChangedObjectFiles(ObjectFileSet& set, bool enhanced);

}  // namespace tarn
