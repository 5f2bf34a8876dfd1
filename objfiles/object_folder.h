// Loading and saving the object files of a game's "ObjData" folder, shared by the translation
// window, tarntool and the tests.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "objfiles/obj_text_model.h"

namespace tarn {

namespace fs = std::filesystem;

// "ObjData" inside folder (or inside the folder of folder when it names a file, such as the
// game executable), whatever its letter case.
std::optional<fs::path> findObjDataFolder(const fs::path& folderOrExecutable);

// The "*.dat" files of an ObjData folder, matched case-insensitively and sorted by upper-cased
// name (byte order). Raises FileError when the folder cannot be listed.
std::vector<fs::path> listObjectFiles(const fs::path& objData);

// Decodes an object file held in memory and reads its text tables into a fresh record with
// the given file name. Raises StreamReadError for a file that cannot be decoded or read.
ObjFile readObjectFile(const Bytes& file, const std::string& fileName);

// Loads one object file from disk; raises FileError or StreamReadError.
ObjFile loadObjectFile(const fs::path& path);

// Called before each file is loaded: index (0-based), file count, file name.
using LoadProgress = std::function<void(std::size_t, std::size_t, const std::string&)>;

// Loads every object file of objData in listObjectFiles order, appending each record to files
// once it is complete. The first failure stops loading and propagates; files then holds the
// records loaded before it.
void loadObjectFolder(const fs::path& objData, std::vector<ObjFile>& files,
                      const LoadProgress& progress = {});

// The object file of the given bytes with its text tables replaced by object.Texts, encoded
// again with the file's own encoding (enhanced run-length encoder when enhanced). Refreshes
// object's Name, Flags and Encoding from the file. Raises StreamReadError or
// UnsupportedEncodingError; nothing is written.
Bytes rewriteObjectFile(const Bytes& file, ObjFile& object, bool enhanced);

// Re-reads the file at path, rewrites its tables from object.Texts and replaces it atomically;
// clears object.Modified on success. A read-only file is refused with FileError. A failure
// leaves the file on disk as it was.
void saveObjectFile(const fs::path& path, ObjFile& object, bool enhanced = true);

}  // namespace tarn
