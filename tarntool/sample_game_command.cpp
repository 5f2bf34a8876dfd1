// SPDX-License-Identifier: GPL-3.0-or-later
// tarntool sample-game DIR: a playable-looking game folder for demos and tests.
#include <iostream>
#include <memory>

#include "common/file_io.h"
#include "common/utf8_path.h"
#include "exetext/sample_executable.h"
#include "exetext/stand_in_image.h"
#include "objfiles/sample_game_objects.h"
#include "tarntool/commands.h"

namespace tarn::tool {

void noteZeroFilledSample() {
    if (!standInAvailable()) {
        std::cerr << "tarntool: " << kZeroFilledSampleNote << "\n";
    }
}

namespace {

int makeSampleGame(const std::string& name) {
    const fs::path dir = pathFromUtf8(name);
    fs::create_directories(dir / "ObjData");
    writeFileAtomically(dir / "Tarn.exe", makeSampleExecutable(2, sampleTexts()));
    noteZeroFilledSample();
    for (const SampleObjectFile& object : sampleGameObjects()) {
        writeFileAtomically(dir / "ObjData" / pathFromUtf8(object.fileName), object.contents);
    }
    return kOk;
}

}  // namespace

void addSampleGameCommand(Tool& tool) {
    auto dir = std::make_shared<std::string>();
    tool.addCommand(
            {"sample-game", "Makes a game folder (executable and object files) for demos and tests",
             "sample-game DIR", "sample-game takes one DIR"},
            {}, [dir] { return makeSampleGame(*dir); })
        .add_option("DIR", *dir, "the folder to make")
        ->required()
        ->type_name("");
}

}  // namespace tarn::tool
