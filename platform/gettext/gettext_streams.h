// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TARN_PLATFORM_GETTEXT_GETTEXT_STREAMS_H
#define TARN_PLATFORM_GETTEXT_GETTEXT_STREAMS_H

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "common/bytes.h"

namespace tarn::gettext {

// The library reads and writes files by name through stdio. These give it a file's bytes and
// take what it writes in the way the system allows, for the length of one call; the caller holds
// the library's lock, and no part of the programs uses the standard streams meanwhile.
class LibraryInput {
public:
    explicit LibraryInput(std::span<const std::uint8_t> bytes);
    ~LibraryInput();
    LibraryInput(const LibraryInput&) = delete;
    LibraryInput& operator=(const LibraryInput&) = delete;
    bool ok() const;
    // The name the library is given to read.
    const std::string& name() const;
    // Whether the library checks the file's multibyte sequences as it reads it.
    bool multibyteChecked() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

class LibraryOutput {
public:
    // Raises FileError when no place to write can be made.
    explicit LibraryOutput(const std::string& fileName);
    ~LibraryOutput();
    LibraryOutput(const LibraryOutput&) = delete;
    LibraryOutput& operator=(const LibraryOutput&) = delete;
    // The name the library is given to write.
    const std::string& name() const;
    // What the library wrote.
    Bytes finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace tarn::gettext

#endif
