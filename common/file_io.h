// Whole-file reading and writing. Every file the system rewrites goes through
// writeFileAtomically: the bytes go to a temporary file beside the target, which replaces the
// target only once it is complete, so a failure never leaves half a file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "common/bytes.h"

namespace tarn {

namespace fs = std::filesystem;

// Reads the whole file; raises FileError naming the file and the system's reason.
Bytes readWholeFile(const fs::path& path);

// Writes data to a temporary file in the target's folder, flushes it and renames it over the
// target. The new file keeps the permissions of the file it replaces; a new file gets
// newFileMode (subject to the umask). A read-only target is refused (refuseReadOnlyFile).
// Raises FileError; the target is then unchanged and the temporary file removed.
void writeFileAtomically(const fs::path& path, const Bytes& data,
                         std::optional<fs::perms> newFileMode = std::nullopt);

bool fileExists(const fs::path& path);       // an existing regular file (or a link to one)
bool directoryExists(const fs::path& path);
// An existing file that nobody may write: its write permission bits are all off (the read-only
// attribute on Windows), whoever runs the program; root may write anything but should not
// overwrite a file its owner protected.
bool isReadOnlyFile(const fs::path& path);
// Raises FileError "Cannot write file "path". The file is read-only." for a read-only file. A
// rename replaces a file without asking for write permission, so every rewrite checks first.
void refuseReadOnlyFile(const fs::path& path);
std::uintmax_t fileSizeOf(const fs::path& path);  // raises FileError

// Copies a file, refusing to overwrite an existing target. Answers false on any failure.
bool copyFileNoOverwrite(const fs::path& from, const fs::path& to);

// Faults that tests inject into writeFileAtomically, to prove that a failing disk never
// loses the old file.
struct WriteFault {
    enum class Step { None, CreateTemporary, WriteData, Rename };
    Step step = Step::None;
    std::size_t bytesBeforeFailure = 0;  // with WriteData: how many bytes reach the disk first
};
void setWriteFaultForTesting(WriteFault fault);

}  // namespace tarn
