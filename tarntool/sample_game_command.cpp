// tarntool sample-game DIR: a playable-looking game folder for demos and tests.
#include <iostream>

#include "common/file_io.h"
#include "exetext/sample_executable.h"
#include "objfiles/sample_game_objects.h"
#include "tarntool/command_line.h"
#include "tarntool/commands.h"

namespace tarn::tool {

int runSampleGameCommand(const Args& args) {
    try {
        const CommandLine cl(args, 0, {}, {});
        if (cl.positional().size() != 1) {
            throw UsageError("sample-game takes one DIR");
        }
        const fs::path dir = cl.positional()[0];
        try {
            fs::create_directories(dir / "ObjData");
            writeFileAtomically(dir / "Tarn.exe", makeSampleExecutable(2, sampleTexts()));
            for (const SampleObjectFile& object : sampleGameObjects()) {
                writeFileAtomically(dir / "ObjData" / object.fileName, object.contents);
            }
        } catch (const std::exception& e) {
            std::cerr << "tarntool: " << e.what() << "\n";
            return 1;
        }
        return 0;
    } catch (const UsageError& e) {
        std::cerr << "tarntool: " << e.what() << "\nusage: tarntool sample-game DIR\n";
        return 2;
    }
}

}  // namespace tarn::tool
