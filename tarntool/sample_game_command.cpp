#include <iostream>

#include "tarntool/commands.h"

namespace tarn::tool {

int runSampleGameCommand(const Args&) {
    std::cerr << "tarntool: sample-game is not built yet\n";
    return 2;
}

}  // namespace tarn::tool
