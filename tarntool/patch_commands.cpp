#include <iostream>

#include "tarntool/commands.h"

namespace tarn::tool {

int runPatchCommand(const Args&) {
    std::cerr << "tarntool: the patch commands are not built yet\n";
    return 2;
}

}  // namespace tarn::tool
