// SPDX-License-Identifier: GPL-3.0-or-later
// A game folder for window tests: a stand-in game executable and an ObjData folder of object
// files made with the object-file core.
#pragma once

#include <string>

#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "objfiles/sample_objects.h"

namespace tarn {

class SampleObjectGame {
public:
    SampleObjectGame() {
        std::filesystem::create_directory(objData());
        writeFileAtomically(exePath(), Bytes{'M', 'Z'});
    }
    std::filesystem::path exePath() const { return dir_.path() / "Tarn.exe"; }
    std::filesystem::path objData() const { return dir_.path() / "ObjData"; }
    std::filesystem::path file(const std::string& name) const { return objData() / name; }

    // An object file of the given type and encoding holding texts.
    void add(const std::string& name, unsigned type, std::uint8_t encoding,
             const ObjectFileTexts& texts) {
        const std::array<std::uint8_t, 8> id{
            'O', 'B', 'J', 'E', 'C', 'T', '0', static_cast<std::uint8_t>('0' + seed_ % 10)};
        writeFileAtomically(file(name), makeSampleObjectFile(type, encoding, texts, id, ++seed_));
    }
    Bytes bytes(const std::string& name) const { return readWholeFile(file(name)); }

private:
    TempDir dir_;
    std::uint32_t seed_ = 100;
};

}  // namespace tarn
