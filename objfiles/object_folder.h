// SPDX-License-Identifier: GPL-3.0-or-later
// Finding a game's "ObjData" folder and its object files, and reading and re-encoding one object
// file. ObjectTextsDocument loads and saves whole folders through these.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "common/file_identity.h"
#include "objfiles/object_text_model.h"

namespace tarn {

namespace fs = std::filesystem;

// "ObjData" inside folder (or inside the folder of folder when it names a file, such as the
// game executable), whatever its letter case.
std::optional<fs::path> findObjDataFolder(const fs::path& folderOrExecutable);

// The "*.dat" files of an ObjData folder, matched case-insensitively and sorted by upper-cased
// name (byte order). Raises FileError when the folder cannot be listed.
std::vector<fs::path> listObjectFiles(const fs::path& objData);

// Decodes an object file held in memory and reads its text tables into a fresh record with
// the given file name, noting a wrong stored checksum. Raises StreamReadError for a file that
// cannot be decoded or read.
ObjectFile readObjectFile(const Bytes& file, const std::string& fileName);

// The same, decoding into a buffer that only grows, so that loading files one after another
// allocates little but the texts; one buffer serves one thread.
ObjectFile readObjectFile(std::span<const std::uint8_t> file, std::string fileName, Bytes& decoded);

// Loads one object file from disk; raises FileError or StreamReadError. It touches nothing but
// the file, so files can be loaded side by side. identity, when given, receives the file's
// identity over its whole contents.
ObjectFile loadObjectFile(const fs::path& path, FileIdentity* identity = nullptr);

// Called before each file is loaded: index (0-based), file count, file name.
using LoadProgress = std::function<void(std::size_t, std::size_t, const std::string&)>;

// The object file of the given bytes with its text tables replaced by object.texts, encoded
// again with the file's own encoding (enhanced run-length encoder when enhanced). Refreshes
// object's Name, Flags and Encoding from the file. Raises StreamReadError or
// StreamWriteError; nothing is written.
Bytes rewriteObjectFile(const Bytes& file, ObjectFile& object, bool enhanced);

}  // namespace tarn
