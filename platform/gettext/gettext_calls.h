// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TARN_PLATFORM_GETTEXT_GETTEXT_CALLS_H
#define TARN_PLATFORM_GETTEXT_GETTEXT_CALLS_H

#include <gettext-po.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "common/errors.h"

namespace tarn::gettext {

// Where the library's reports of one call go, each naming the file as the caller gave it and
// the line where the library names one.
struct LibraryReports {
    std::string fileName;
    std::vector<Problem>* problems = nullptr;
    std::vector<Problem>* warnings = nullptr;
};

struct ParsedPoFile {
    po_file_t file = nullptr;  // owned by the caller (po_file_free); null when not read
    bool finished = true;      // false after a fatal report, which is among the problems
    int error = 0;             // the system's error number when the bytes could not be read
    bool multibyteChecked = false;  // whether the library checked the multibyte sequences
};

// Parses the bytes of a PO file (without a byte-order mark). Calls into the library run one at
// a time; a fatal report ends the call, not the program.
ParsedPoFile parseWithLibrary(std::span<const std::uint8_t> bytes, const LibraryReports& reports);

// Writes `file` through the library and answers the bytes it wrote, or nothing after a fatal
// report or an error among the reports. Raises FileError when no place to write can be made.
std::optional<Bytes> formatWithLibrary(po_file_t file, const LibraryReports& reports);

}  // namespace tarn::gettext

#endif
